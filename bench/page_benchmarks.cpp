// What a page switch and a page save cost the program itself, on the in-memory window.

#include <benchmark/benchmark.h>

#include "app/page_check.h"
#include "app/page_commands.h"
#include "app/page_view.h"
#include "platform/headless/headless_window.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

// Every record and note filled, so that every page is full and every field has text.
UserDatabase FullDatabase() {
  UserDatabase database;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    database.SetPoint(k, UserPoint{72902583 + static_cast<std::uint32_t>(k), 15025000, 32, 90, 1});
    auto note = database.Note(k);
    std::fill(note.begin(), note.begin() + 100, static_cast<std::uint8_t>('a' + k % 26));
  }
  return database;
}

void PageSwitch(benchmark::State& state) {
  UserDatabase database = FullDatabase();
  PageState page;
  ShownPage shown;
  HeadlessWindow window;
  ShowPage(database, page, shown, window);
  for (auto _ : state) {
    NextPage(database, page, shown, window);
    benchmark::DoNotOptimize(window.TextOf(ids::kPageLabel));
  }
}
BENCHMARK(PageSwitch)->Unit(benchmark::kMicrosecond);

void PageSave(benchmark::State& state) {
  UserDatabase database = FullDatabase();
  PageState page;
  ShownPage shown;
  HeadlessWindow window;
  ShowPage(database, page, shown, window);
  window.Type(ids::SpeedField(3), "100");  // one edited value among untouched ones
  for (auto _ : state) {
    const bool passed = CheckPage(database, page.current, shown, window, false) &&
                        CheckPage(database, page.current, shown, window, true);
    benchmark::DoNotOptimize(passed);
  }
}
BENCHMARK(PageSave)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace userdb

BENCHMARK_MAIN();
