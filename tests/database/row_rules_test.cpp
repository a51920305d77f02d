// A row's rules on their own: how each typed field is judged, which lines a fault adds to the
// StatusBox, what a judged row encodes, and the texts a stored point shows.

#include <gtest/gtest.h>

#include <string>

#include "database/field_bounds.h"
#include "database/field_errors.h"
#include "database/field_rules.h"
#include "database/point_texts.h"
#include "database/row_entry.h"

namespace userdb {
namespace {

using Texts = std::array<std::string, kShortFieldCount>;

// E 121 30 15.50, N 25 2 30.00, 60 km/h, 90 degrees, type 1.
const Texts kWorkedTexts = {"E", "121", "30", "15", "50", "N", "25", "2", "30", "0", "60", "90", "1"};

TEST(FieldRulesTest, ANumberIsDecimalDigitsBelowItsBoundLeadingZerosAllowed) {
  EXPECT_EQ(NumberBelow("0", 60), 0u);
  EXPECT_EQ(NumberBelow("0059", 60), 59u);
  EXPECT_EQ(NumberBelow("60", 60), std::nullopt);
  for (const char* text : {"", " 5", "5 ", "+5", "-5", "5.0", "1e2", "five", "99999999999999999999"}) {
    EXPECT_EQ(NumberBelow(text, kSpeedBound), std::nullopt) << '"' << text << '"';
  }
}

TEST(FieldRulesTest, AHemisphereIsItsFirstCharacterInCapitals) {
  EXPECT_EQ(HemisphereSet("W", 'W', 'E'), true);
  EXPECT_EQ(HemisphereSet("East", 'W', 'E'), false);  // the first character alone decides
  EXPECT_EQ(HemisphereSet("w", 'W', 'E'), std::nullopt);
  EXPECT_EQ(HemisphereSet("", 'S', 'N'), std::nullopt);
  EXPECT_EQ(HemisphereSet("N", 'W', 'E'), std::nullopt);
}

TEST(FieldRulesTest, NullStandsForNoValueButOnlyInCapitalsAndNeverBesideANumber) {
  EXPECT_EQ(JudgeOptionalNumber("NULL", kSpeedBound).accepted, true);
  EXPECT_EQ(JudgeOptionalNumber("NULL", kSpeedBound).number, std::nullopt);
  EXPECT_EQ(JudgeOptionalNumber("NULLX", kSpeedBound).accepted, true);
  EXPECT_EQ(JudgeOptionalNumber("null", kSpeedBound).accepted, false);
  EXPECT_EQ(JudgeOptionalNumber("", kSpeedBound).accepted, false);
  EXPECT_EQ(JudgeOptionalNumber(std::to_string(kLargestSpeed), kSpeedBound).number, kLargestSpeed);
  EXPECT_EQ(JudgeOptionalNumber(std::to_string(kSpeedBound), kSpeedBound).accepted, false);
}

TEST(FieldErrorsTest, LinesComeFromBitZeroUpAndNameTheBoundsThePageCheckUses) {
  std::string text;
  AppendErrorLines(FieldErrorBit(kSpeedField) | FieldErrorBit(0) | FieldErrorBit(kNoteField), text);
  EXPECT_EQ(text, "Longitude - (E)ast / (W)est \r\nSpeed must under 1000 \r\nNote must under 128 bytes\r\n");

  const auto lineOf = [](int field) {
    std::string line;
    AppendErrorLines(FieldErrorBit(field), line);
    return line;
  };
  EXPECT_NE(lineOf(kLongitudeFirstField + 1).find(std::to_string(kLongitudeDegreesBound)), std::string::npos);
  EXPECT_NE(lineOf(kLatitudeFirstField + 1).find(std::to_string(kLatitudeDegreesBound)), std::string::npos);
  EXPECT_NE(lineOf(kSpeedField).find(std::to_string(kSpeedBound)), std::string::npos);
  EXPECT_NE(lineOf(kDirectionField).find(std::to_string(kDirectionBound)), std::string::npos);
  EXPECT_NE(lineOf(kNoteField).find(std::to_string(kMaxNoteLength + 1)), std::string::npos);
  std::string none;
  AppendErrorLines(0, none);
  EXPECT_EQ(none, "");
}

TEST(RowEntryTest, AWorkedRowGivesItsValuesAndNoFault) {
  const RowEntry entry = JudgeRowTexts(kWorkedTexts, "SCHOOL", kSpeedUnitKilometer);
  EXPECT_EQ(entry.errors, 0);
  EXPECT_EQ(entry.filledFields, kShortFieldCount + 1);
  EXPECT_EQ(entry.TypedPoint(),
            (UserPoint{.longitude = 72902583, .latitude = 15025000, .speed = 32, .direction = 90, .type = 1}));
}

TEST(RowEntryTest, EachRefusedFieldSetsItsOwnBitAndNoOther) {
  const std::array<std::pair<int, const char*>, 8> refused = {{{0, "X"},
                                                               {1, "180"},
                                                               {2, "60"},
                                                               {5, "E"},
                                                               {6, "90"},
                                                               {kSpeedField, "1000"},
                                                               {kDirectionField, "360"},
                                                               {kTypeField, "2"}}};
  for (const auto& [field, text] : refused) {
    Texts texts = kWorkedTexts;
    texts[field] = text;
    EXPECT_EQ(JudgeRowTexts(texts, "", kSpeedUnitKilometer).errors, FieldErrorBit(field)) << field << " " << text;
  }
}

TEST(RowEntryTest, NullsGiveAbsentValuesAndTheSpeedIsTakenInTheDevicesUnit) {
  Texts texts = kWorkedTexts;
  texts[kSpeedField] = texts[kDirectionField] = texts[kTypeField] = "NULL";
  const UserPoint nulls = JudgeRowTexts(texts, "", kSpeedUnitKilometer).TypedPoint();
  EXPECT_EQ(nulls.speed, kNoSpeed);
  EXPECT_EQ(nulls.direction, kNoDirection);
  EXPECT_EQ(nulls.type, kNoType);

  const UserPoint kmh = JudgeRowTexts(kWorkedTexts, "", kSpeedUnitKilometer).TypedPoint();
  const UserPoint mph = JudgeRowTexts(kWorkedTexts, "", kSpeedUnitMile).TypedPoint();
  EXPECT_GT(mph.speed, kmh.speed);  // 60 mph is faster than 60 km/h
}

TEST(RowEntryTest, ANoteFitsUpTo127BytesAndAnEmptyRowIsTheEmptyRecord) {
  EXPECT_TRUE(JudgeRowTexts(kWorkedTexts, std::string(kMaxNoteLength, 'a'), kSpeedUnitKilometer).NoteFits());
  const RowEntry tooLong = JudgeRowTexts(kWorkedTexts, std::string(kMaxNoteLength + 1, 'a'), kSpeedUnitKilometer);
  EXPECT_FALSE(tooLong.NoteFits());
  EXPECT_EQ(tooLong.errors, FieldErrorBit(kNoteField));

  const RowEntry empty = JudgeRowTexts(Texts{}, "", kSpeedUnitKilometer);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.TypedPoint(), UserPoint{});
  EXPECT_NE(empty.errors, 0);  // judged like any row: the page check skips empty rows itself
}

TEST(PointTextsTest, AStoredPointShowsTextsThatPassTheRowRulesInEitherUnit) {
  const UserPoint points[] = {
      {.longitude = 72902583, .latitude = 15025000, .speed = 32, .direction = 90, .type = 1},
      {.longitude = 0x80000000u | 1234567, .latitude = 0x80000000u | 7654321, .speed = 0, .direction = 0, .type = 0},
      {.longitude = 0, .latitude = 0, .speed = kNoSpeed, .direction = kNoDirection, .type = kNoType},
      {.longitude = 107999999, .latitude = 53999999, .speed = 539, .direction = 359, .type = 1},
  };
  for (const UserPoint& point : points) {
    for (const std::uint8_t unit : {kSpeedUnitKilometer, kSpeedUnitMile}) {
      const PointTexts texts = TextsOfPoint(point, unit);
      const RowEntry entry = JudgeRowTexts(texts, "", unit);
      EXPECT_EQ(entry.errors, 0) << texts[0] << texts[1] << " unit " << int{unit};
      EXPECT_EQ(texts[0], (point.longitude & 0x80000000u) != 0 ? "W" : "E");
      EXPECT_EQ(texts[5], (point.latitude & 0x80000000u) != 0 ? "S" : "N");
      EXPECT_EQ(texts[kSpeedField] == "NULL", point.speed == kNoSpeed);
      EXPECT_EQ(entry.TypedPoint().direction, point.direction);
      EXPECT_EQ(entry.TypedPoint().type, point.type);
    }
  }
}

}  // namespace
}  // namespace userdb
