#include "app/page_commands.h"

#include <string>

#include "app/page_check.h"
#include "app/page_view.h"
#include "window/control_ids.h"

namespace userdb {

namespace {
constexpr std::string_view kNoMoreData = "no more data";
constexpr std::string_view kSaveQuestion = "Want to save this page to User Database ? ";

BoxAnswer ShowInfoBox(Window& window, std::string_view text, BoxKind kind) {
  return window.ShowMessage(MessageBoxRequest{
      .owner = BoxOwner::MainWindow, .text = std::string(text), .caption = std::string(kCaptionInfo), .kind = kind});
}

void MoveTo(const UserDatabase& database, PageState& pages, ShownPage& shown, Window& window, int page) {
  pages.current = static_cast<std::uint16_t>(page);
  ShowPage(database, pages, shown, window);
  window.SetText(ids::kStatusBox, "");
}
}  // namespace

void NextPage(const UserDatabase& database, PageState& page, ShownPage& shown, Window& window) {
  const int next = page.current + 1;
  if (next >= kPageCount) {
    MoveTo(database, page, shown, window, 0);
  } else if (next <= page.lastReachable) {
    MoveTo(database, page, shown, window, next);
  } else {
    ShowInfoBox(window, kNoMoreData, BoxKind::Ok);
  }
}

void PreviousPage(const UserDatabase& database, PageState& page, ShownPage& shown, Window& window) {
  // Page 0 counts as the page after 31, so its predecessor would be page 31.
  const int current = page.current == 0 ? kPageCount : page.current;
  if (current > page.lastReachable) {
    ShowInfoBox(window, kNoMoreData, BoxKind::Ok);
    return;
  }
  MoveTo(database, page, shown, window, current - 1);
}

void SavePage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window) {
  if (ShowInfoBox(window, kSaveQuestion, BoxKind::YesNo) != BoxAnswer::Yes) return;
  StorePage(database, page, shown, window);
}

bool StorePage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window) {
  if (!CheckPage(database, page, shown, window, false)) return false;
  CheckPage(database, page, shown, window, true);
  return true;
}

void ClearMarkedRows(Window& window) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    if (!window.IsRowChecked(row)) continue;
    for (int field = 0; field < kRowFieldCount; ++field) window.SetText(ids::RowField(row, field), "");
    window.SetRowChecked(row, false);
  }
}

}  // namespace userdb
