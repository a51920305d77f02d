// What typing does to the fields, and 8-bit texts through the window both ways.

#include <QPlainTextEdit>
#include <QtTest>

#include "window_on_simulator.h"

namespace userdb {
namespace {

std::string BytesFrom(int first, int last) {
  std::string bytes;
  for (int code = first; code <= last; ++code) bytes.push_back(static_cast<char>(code));
  return bytes;
}

}  // namespace

class TypingTest : public QObject {
  Q_OBJECT

 private slots:
  void rowFieldsTurnTypedLettersIntoCapitalsNotesDoNot() {
    WindowOnSimulator run;
    for (int field = 0; field < kRowFieldCount - 1; ++field) {
      const int id = ids::RowField(3, field);
      run.Type(id, "w");
      QCOMPARE(run.TextOf(id), std::string("W"));
    }
    run.Type(ids::SpeedField(0), "null");
    QCOMPARE(run.TextOf(ids::SpeedField(0)), std::string("NULL"));
    run.Type(ids::NoteField(5), QString::fromLatin1("School zone w\xE9st"));
    QCOMPARE(run.TextOf(ids::NoteField(5)), std::string("School zone w\xE9st"));  // notes keep their case
  }

  void capitalsTakeTheCursorWhereTheTypingWas() {
    WindowOnSimulator run;
    QLineEdit& field = run.Field(ids::TypeField(0));
    run.Type(ids::TypeField(0), "nl");
    field.setCursorPosition(1);
    WindowOnSimulator::TypeAtCursor(field, "u");
    WindowOnSimulator::TypeAtCursor(field, "l");
    QCOMPARE(run.TextOf(ids::TypeField(0)), std::string("NULL"));
  }

  void eightBitLettersGetCapitalsWhereTheyHaveOne() {
    WindowOnSimulator run;
    run.Type(ids::LongitudeField(0, ids::CoordinatePart::Hemisphere), QString::fromLatin1("\xE9\xFF\xDF"));
    // é has É; ÿ's capital lies beyond 8 bits and ß has no single capital: both keep their case.
    QCOMPARE(run.TextOf(ids::LongitudeField(0, ids::CoordinatePart::Hemisphere)), std::string("\xC9\xFF\xDF"));
  }

  void everyByteComesBackUnchangedAndOnlyBytes() {
    WindowOnSimulator run;
    const std::string bytes = BytesFrom(0x01, 0xFF);
    run.window.SetText(ids::NoteField(0), bytes);
    QCOMPARE(run.Field(ids::NoteField(0)).text().size(), qsizetype{255});
    QCOMPARE(run.Field(ids::NoteField(0)).text().at(0x7F), QChar(0x80));
    QCOMPARE(run.TextOf(ids::NoteField(0)), bytes);
    // A typed character without a byte comes back as '?'.
    run.Type(ids::NoteField(0), QStringLiteral("5 \u20AC fine"));
    QCOMPARE(run.TextOf(ids::NoteField(0)), std::string("5 ? fine"));
  }

  void readsAreCutToTheCallersBuffer() {
    WindowOnSimulator run;
    run.Type(ids::NoteField(0), "abcdef");
    QCOMPARE(run.window.Text(ids::NoteField(0), 4), std::string("abc"));
    QCOMPARE(run.window.Text(ids::NoteField(0), 1), std::string());
    QCOMPARE(run.window.Text(ids::NoteField(0), 0), std::string());
  }

  void theStatusBoxBreaksLinesAtCarriageReturnLineFeed() {
    WindowOnSimulator run;
    const std::string status = "~ Error Message ~\r\nNO.2 : \r\nSpeed must under 1000 \r\n \r\n";
    run.window.SetText(ids::kStatusBox, status);
    QCOMPARE(run.ControlAs<QPlainTextEdit>(ids::kStatusBox).document()->blockCount(), 5);
    QCOMPARE(run.TextOf(ids::kStatusBox), status);
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::TypingTest)
#include "typing_test.moc"
