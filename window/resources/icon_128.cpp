#include "window/resources/icon_128.h"

#include <array>
#include <string_view>

namespace userdb {

namespace {

// The sixteen colours of the classic 4-bit palette.
constexpr IconPalette kPalette{{
    {0x00, 0x00, 0x00},  // 0 black
    {0x80, 0x00, 0x00},  // 1 maroon
    {0x00, 0x80, 0x00},  // 2 green
    {0x80, 0x80, 0x00},  // 3 olive
    {0x00, 0x00, 0x80},  // 4 navy
    {0x80, 0x00, 0x80},  // 5 purple
    {0x00, 0x80, 0x80},  // 6 teal
    {0xC0, 0xC0, 0xC0},  // 7 silver
    {0x80, 0x80, 0x80},  // 8 grey
    {0xFF, 0x00, 0x00},  // 9 red
    {0x00, 0xFF, 0x00},  // a lime
    {0xFF, 0xFF, 0x00},  // b yellow
    {0x00, 0x00, 0xFF},  // c blue
    {0xFF, 0x00, 0xFF},  // d magenta
    {0x00, 0xFF, 0xFF},  // e cyan
    {0xFF, 0xFF, 0xFF},  // f white
}};

// Red ring with a maroon rim, white face, black camera with a grey-rimmed blue lens and a
// yellow flash.
constexpr std::array<std::string_view, 32> kLarge{
    "..............1111..............", "..........111199991111..........", "........1199999999999911........",
    ".......199999999999999991.......", ".....1199999999999999999911.....", "....11999999ffffffff99999911....",
    "....199999ffffffffffff999991....", "...199999ffffffffffffff999991...", "..199999ffffffffffffffff999991..",
    "..19999ffffffffffffffffff99991..", ".19999ffff00000fffffffffff99991.", ".19999ffff00000fffffffffff99991.",
    ".1999fff0000000000000000fff9991.", ".1999fff000000088000bbb0fff9991.", "19999fff000008888880bbb0fff99991",
    "19999fff000008eccc800000fff99991", "19999fff000088cccc880000fff99991", "19999fff000088cccc880000fff99991",
    ".1999fff000008cccc800000fff9991.", ".1999fff0000088888800000fff9991.", ".19999ff0000000880000000ff99991.",
    ".19999ff0000000000000000ff99991.", "..19999ffffffffffffffffff99991..", "..199999ffffffffffffffff999991..",
    "...199999ffffffffffffff999991...", "....199999ffffffffffff999991....", "....11999999ffffffff99999911....",
    ".....1199999999999999999911.....", ".......199999999999999991.......", "........1199999999999911........",
    "..........111199991111..........", "..............1111..............",
};

constexpr std::array<std::string_view, 16> kSmall{
    "......1111......", "....11999911....", "...1999ff9991...", "..199ffffff991..",
    ".199ffffffff991.", ".19ff000fffff91.", "199f00000000f991", "19ff000888b0ff91",
    "19ff0008c800ff91", "199f00088800f991", ".19f00000000f91.", ".199ffffffff991.",
    "..199ffffff991..", "...1999ff9991...", "....11999911....", "......1111......",
};

}  // namespace

const IndexedIcon& Icon128() {
  static const IndexedIcon icon{kPalette, {IndexedImage{32, kLarge}, IndexedImage{16, kSmall}}};
  return icon;
}

}  // namespace userdb
