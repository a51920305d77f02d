#pragma once
// A database and a headless window, with helpers to type and read whole rows.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/page_state.h"
#include "app/shown_page.h"
#include "database/user_database.h"
#include "platform/headless/headless_window.h"
#include "window/control_ids.h"

namespace userdb {

using RowTexts = std::array<std::string, kRowFieldCount>;

// Typed: E 121 30 15.50, N 25 2 30.00, 60 km/h, 90 degrees, type 1, note SCHOOL.
inline const RowTexts kWorkedRow = {"E", "121", "30", "15", "50", "N", "25", "2", "30", "0", "60", "90", "1", "SCHOOL"};
inline const UserPoint kWorkedPoint{
    .longitude = 72902583, .latitude = 15025000, .speed = 32, .direction = 90, .type = 1};

class PageTest : public testing::Test {
 protected:
  void TypeRow(int row, const RowTexts& texts) {
    for (int field = 0; field < kRowFieldCount; ++field) window.Type(ids::RowField(row, field), texts[field]);
  }
  RowTexts RowOnScreen(int row) const {
    RowTexts texts;
    for (int field = 0; field < kRowFieldCount; ++field) texts[field] = window.TextOf(ids::RowField(row, field));
    return texts;
  }
  std::string Status() const { return window.TextOf(ids::kStatusBox); }
  void FillPage(int page, const UserPoint& point) {
    for (int row = 0; row < kRowsPerPage; ++row) database.SetPoint(page * kRowsPerPage + row, point);
  }

  UserDatabase database;
  PageState pages;
  ShownPage shown;
  HeadlessWindow window;
};

}  // namespace userdb
