#pragma once
// A serial link in Wine's prefix, $WINEPREFIX/dosdevices/comN, as 20-windows.sh makes one for
// userdb-sim: Wine opens COMn through it. Wine runs Linux programs too, so ln makes it.

#include <string>

namespace userdb::test {

class WineComLink {
 public:
  // False when this is not Wine, or when the link does not open within a few seconds.
  WineComLink(int portNumber, const std::string& target);
  ~WineComLink();
  WineComLink(const WineComLink&) = delete;
  WineComLink& operator=(const WineComLink&) = delete;

  explicit operator bool() const { return made_; }

 private:
  int portNumber_;
  bool made_ = false;
};

}  // namespace userdb::test
