#pragma once
// The comN entry in the ports folder through which the program finds the simulated device.

#include <filesystem>
#include <string>

namespace userdb::sim {

class ComLink {
 public:
  explicit ComLink(int portNumber);
  // Removes the entry while it still leads to this simulator's slave.
  ~ComLink();
  ComLink(const ComLink&) = delete;
  ComLink& operator=(const ComLink&) = delete;

  // Points the entry at the slave, replacing whatever it was in one step; false with the reason.
  bool PointTo(const std::string& slavePath, std::string& error);
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path target_;
};

}  // namespace userdb::sim
