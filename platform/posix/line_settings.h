#pragma once
// The termios side of opening a port: raw 8N1 at 115200 baud, no flow control, DTR and RTS up.

namespace userdb::posix {

// False when the driver refuses the settings or keeps only part of them.
bool ApplyLineSettings(int fd);

// Best effort: a device without modem lines (a pty) simply has none to raise.
void RaiseModemLines(int fd);

}  // namespace userdb::posix
