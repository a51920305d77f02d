#include "database/page_commands.h"

#include <string>

#include "app/control_ids.h"
#include "database/page_check.h"
#include "database/page_view.h"

namespace userdb {

namespace {
constexpr std::string_view kNoMoreData = "no more data";
constexpr std::string_view kSaveQuestion = "Want to save this page to User Database ? ";

BoxAnswer ShowInfoBox(Window& window, std::string_view text, BoxKind kind) {
  return window.ShowMessage(MessageBoxRequest{
      .owner = BoxOwner::MainWindow, .text = std::string(text), .caption = std::string(kCaptionInfo), .kind = kind});
}

void MoveTo(UserDatabase& database, Window& window, int page) {
  database.page.current = static_cast<std::uint16_t>(page);
  ShowPage(database, window);
  window.SetText(ids::kStatusBox, "");
}
}  // namespace

void NextPage(UserDatabase& database, Window& window) {
  const int next = database.page.current + 1;
  if (next >= kPageCount) {
    MoveTo(database, window, 0);
  } else if (next <= database.page.lastReachable) {
    MoveTo(database, window, next);
  } else {
    ShowInfoBox(window, kNoMoreData, BoxKind::Ok);
  }
}

void PreviousPage(UserDatabase& database, Window& window) {
  // Page 0 counts as the page after 31, so its predecessor would be page 31.
  const int current = database.page.current == 0 ? kPageCount : database.page.current;
  if (current > database.page.lastReachable) {
    ShowInfoBox(window, kNoMoreData, BoxKind::Ok);
    return;
  }
  MoveTo(database, window, current - 1);
}

void SavePage(UserDatabase& database, Window& window) {
  if (ShowInfoBox(window, kSaveQuestion, BoxKind::YesNo) != BoxAnswer::Yes) return;
  if (!CheckPage(database, window, false)) return;
  CheckPage(database, window, true);
}

// Takes the database only to share the other page commands' signature.
void ClearMarkedRows(UserDatabase& /*database*/, Window& window) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    if (!window.IsRowChecked(row)) continue;
    for (int field = 0; field < ids::kRowFieldCount; ++field) window.SetText(ids::RowField(row, field), "");
    window.SetRowChecked(row, false);
  }
}

}  // namespace userdb
