// The page check on any texts typed into the eight rows. A page that passes must pass again,
// unchanged, once the page view has shown what was stored: typed, stored and shown agree.
//
// A note typed with the character 0xFF is left out: the byte ends a note on the device, so the
// page check stores it as typed and the page view hides what follows it. The round trip cannot
// hold there by design, which docs/reliability.md records.
//
// Input: one byte of settings (bit 0: the unit is mile; bits 1 to 5: the page), then the
// fields' texts in reading order, row after row, each ended by a zero byte.

#include <cstdint>
#include <string_view>

#include "app/page_check.h"
#include "app/page_view.h"
#include "database/user_database.h"
#include "fuzz/fuzz_check.h"
#include "platform/headless/headless_window.h"
#include "window/control_ids.h"

namespace {

using namespace userdb;

constexpr int kNoteField = kRowFieldCount - 1;

void TypeFields(std::string_view typed, HeadlessWindow& window) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    for (int field = 0; field < kRowFieldCount && !typed.empty(); ++field) {
      const std::size_t end = typed.find('\0');
      std::string_view text = typed.substr(0, end);
      if (field == kNoteField) text = text.substr(0, text.find('\xFF'));
      window.Type(ids::RowField(row, field), text);
      typed = end == std::string_view::npos ? std::string_view() : typed.substr(end + 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  UserDatabase database;
  database.speedUnit = (data[0] & 1) != 0 ? kSpeedUnitMile : kSpeedUnitKilometer;
  PageState page;
  page.current = static_cast<std::uint16_t>((data[0] >> 1) % kPageCount);
  ShownPage shown;
  HeadlessWindow window;
  ShowPage(database, page, shown, window);
  TypeFields(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), window);

  if (!CheckPage(database, page.current, shown, window, true)) return 0;
  const TransferImage stored = database.Image();
  ShowPage(database, page, shown, window);
  fuzz::Require(CheckPage(database, page.current, shown, window, true), "a stored page passes the check once shown");
  fuzz::Require(database.Image() == stored, "showing and storing a stored page changes nothing");
  return 0;
}
