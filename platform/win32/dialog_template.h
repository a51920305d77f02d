#pragma once
// A dialog template of the control table as the bytes of an extended Win32 template
// (DLGTEMPLATEEX), for DialogBoxIndirectParamW and CreateDialogIndirectParamW.

#include <cstdint>
#include <vector>

#include "window/control_table.h"

namespace userdb::win32 {

// Heap storage is aligned well beyond the DWORD alignment the template needs.
std::vector<std::uint8_t> EncodeDialogTemplate(const DialogTemplate& dialog);

}  // namespace userdb::win32
