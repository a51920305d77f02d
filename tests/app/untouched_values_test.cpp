#include "app/untouched_values.h"

#include "app/page_check.h"
#include "app/page_commands.h"
#include "app/page_view.h"
#include "database/note_codec.h"
#include "page_fixture.h"

namespace userdb {
namespace {

// Values chosen so that showing and encoding again would lose units.
UserPoint DriftingPoint(std::size_t index) {
  const auto i = static_cast<std::uint32_t>(index);
  const std::uint32_t west = (i % 2) << 31;
  const std::uint32_t south = (i % 3 == 0 ? 1u : 0u) << 31;
  return UserPoint{.longitude = west | (107999999 - i * 419987),
                   .latitude = south | (53999999 - i * 210011),
                   .speed = static_cast<std::uint16_t>(i % 7 == 0 ? kNoSpeed : i * 2 + 1),
                   .direction = static_cast<std::uint16_t>(i % 5 == 0 ? kNoDirection : i),
                   .type = static_cast<std::uint8_t>(i % 3 == 0 ? kNoType : i % 2)};
}

class UntouchedValuesTest : public PageTest {
 protected:
  void SetUp() override {
    for (std::size_t index = 0; index < kRecordCount - 3; ++index) {  // page 31 ends in three empty rows
      database.SetPoint(index, DriftingPoint(index));
      database.Record(index)[13] = static_cast<std::uint8_t>(index);
      WriteNote(database.Note(index), "note " + std::to_string(index));
    }
  }
};

TEST_F(UntouchedValuesTest, SavingUntouchedPagesChangesNoByte) {
  for (const std::uint8_t unit : {1, 0, 2}) {
    database.speedUnit = unit;
    const TransferImage loaded = database.Image();
    for (int page = 0; page < kPageCount; ++page) {
      pages.current = static_cast<std::uint16_t>(page);
      ShowPage(database, pages, shown, window);
      SavePage(database, pages.current, shown, window);
      SavePage(database, pages.current, shown, window);
      ASSERT_EQ(Status(), "Save Successful !") << page;
      ASSERT_EQ(database.Image(), loaded) << "unit " << int{unit} << " page " << page;
    }
  }
}

TEST_F(UntouchedValuesTest, EditedValuesAreEncodedAsTyped) {
  database.SetPoint(1, UserPoint{.longitude = 72902583, .latitude = 15025000, .speed = 53, .direction = 90, .type = 1});
  ShowPage(database, pages, shown, window);
  ASSERT_EQ(window.TextOf(ids::SpeedField(1)), "98");
  window.Type(ids::SpeedField(1), "100");
  window.Type(ids::LatitudeField(1, ids::CoordinatePart::Seconds), "31");
  SavePage(database, pages.current, shown, window);
  const UserPoint saved = database.Point(1);
  EXPECT_EQ(saved.speed, 53);
  EXPECT_EQ(saved.longitude, 72902583u);  // untouched: kept exact
  EXPECT_EQ(saved.latitude, EncodeCoordinate({false, 25, 2, 31, 0}));

  window.Type(ids::SpeedField(1), "97");
  window.Type(ids::LongitudeField(1, ids::CoordinatePart::Hemisphere), "E");  // same text: still untouched
  SavePage(database, pages.current, shown, window);
  EXPECT_EQ(database.Point(1).speed, 52);
  EXPECT_EQ(database.Point(1).longitude, 72902583u);
}

TEST_F(UntouchedValuesTest, MemoryHoldsOnlyForThePageItWasTakenFor) {
  ShowPage(database, pages, shown, window);  // the window and the memory hold page 0
  pages.current = 1;
  EXPECT_EQ(ShownRowOf(shown, pages.current, 0), nullptr);
  ASSERT_TRUE(CheckPage(database, pages.current, shown, window, true));
  const std::uint32_t shownLongitude = DriftingPoint(0).longitude;
  const std::uint32_t reencoded = EncodeCoordinate(DecodeCoordinate(shownLongitude));
  ASSERT_NE(reencoded, shownLongitude);
  EXPECT_EQ(database.Point(8).longitude, reencoded);
}

TEST_F(UntouchedValuesTest, RefusedValuesAreNotKept) {
  database.SetPoint(0,
                    UserPoint{.longitude = 72902583, .latitude = 15025000, .speed = 600, .direction = 400, .type = 7});
  ShowPage(database, pages, shown, window);
  EXPECT_FALSE(CheckPage(database, pages.current, shown, window, true));
  EXPECT_EQ(
      database.Point(0),
      (UserPoint{
          .longitude = 72902583, .latitude = 15025000, .speed = kNoSpeed, .direction = kNoDirection, .type = kNoType}));
}

}  // namespace
}  // namespace userdb
