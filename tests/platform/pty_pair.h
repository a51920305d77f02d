#pragma once
// A pseudo-terminal pair: the test plays the device on the master side while the port under test
// opens the slave as its serial line.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace userdb::test {

class PtyPair {
 public:
  PtyPair() = default;
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Create();
  const std::string& SlavePath() const { return slavePath_; }
  int MasterFd() const { return masterFd_; }

  // What the device sends; true when the master took every byte.
  bool SendFromDevice(std::span<const std::uint8_t> bytes);
  // What reached the device within the time given, up to count bytes.
  std::vector<std::uint8_t> ReceiveAtDevice(std::size_t count, std::chrono::milliseconds limit);
  // The device goes away: the slave side sees a hang-up.
  void HangUp();

 private:
  int masterFd_ = -1;
  std::string slavePath_;
};

}  // namespace userdb::test
