#pragma once
// <windows.h> for the files that also see the portable layers: its 16-bit pointer words "near"
// and "far" are empty macros, which would rename those layers' members
// (menus::ImportSettings::near). Include it in place of <windows.h>, before those layers.

#include <windows.h>
#undef near
#undef far
