// Icon 128 and string 101 as windres put them into the .exe: the window model's, unchanged.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <span>
#include <vector>

#include "base/little_endian.h"
#include "platform/win32/wide_text.h"
#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/resources/ico_file.h"
#include "window/resources/icon_128.h"

namespace userdb::test {
namespace {

std::span<const std::uint8_t> ResourceBytes(int id, LPCSTR type) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return {};
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  return {data, SizeofResource(module, found)};
}

// One image of a group icon resource: its size and the RT_ICON resource that holds it.
struct GroupEntry {
  int size = 0;
  int colours = 0;
  int bitsPerPixel = 0;
  int iconId = 0;
};

// GRPICONDIR: a 6-byte header, then 14-byte entries.
std::vector<GroupEntry> GroupEntries(std::span<const std::uint8_t> group) {
  std::vector<GroupEntry> entries;
  const std::uint16_t count = ReadLe16(group, 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::span<const std::uint8_t> entry = group.subspan(6 + 14 * i, 14);
    entries.push_back({entry[0], entry[2], ReadLe16(entry, 6), ReadLe16(entry, 12)});
  }
  return entries;
}

// The .ico file's image of the given size: an ICONDIRENTRY names where it lies.
std::vector<std::uint8_t> IcoImage(std::span<const std::uint8_t> ico, int size) {
  const std::uint16_t count = ReadLe16(ico, 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::span<const std::uint8_t> entry = ico.subspan(6 + 16 * i, 16);
    if (entry[0] == size) {
      const auto image = ico.subspan(ReadLe32(entry, 12), ReadLe32(entry, 8));
      return {image.begin(), image.end()};
    }
  }
  return {};
}

TEST(Resources, String101IsTheAboutItemOfTheWindowModel) {
  std::array<wchar_t, 128> text{};
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), kAboutMenuStringId, text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(std::wstring(text.data(), static_cast<std::size_t>(length)), L"\u95DC\u65BC Geopadra(&A)...");
  EXPECT_EQ(std::wstring(text.data(), static_cast<std::size_t>(length)), win32::WideText(AboutMenuItemText()));
}

TEST(Resources, Icon128HoldsTheWindowModelsTwoSixteenColourImages) {
  const std::vector<GroupEntry> entries = GroupEntries(ResourceBytes(ids::kAboutIcon, RT_GROUP_ICON));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].size, 32);
  EXPECT_EQ(entries[1].size, 16);
  const std::vector<std::uint8_t> ico = IcoFileBytes(Icon128());
  for (const GroupEntry& entry : entries) {
    EXPECT_EQ(entry.colours, 16);
    EXPECT_EQ(entry.bitsPerPixel, 4);
    const std::span<const std::uint8_t> image = ResourceBytes(entry.iconId, RT_ICON);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.end()), IcoImage(ico, entry.size)) << entry.size;
  }
}

}  // namespace
}  // namespace userdb::test
