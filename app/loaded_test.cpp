#include "app/loaded_test.h"

#include "app/main_form.h"
#include "window/control_ids.h"

namespace userdb {

bool DatabaseIsShown(const Window& window) { return window.Text(ids::kPageLabel, kWholeTextBuffer) != kLoadPrompt; }

bool PassesLoadedTest(Window& window) {
  if (DatabaseIsShown(window)) return true;
  window.ShowMessage({BoxOwner::MainWindow, std::string(kLoadPrompt), std::string(kCaptionInfo), BoxKind::Ok});
  return false;
}

}  // namespace userdb
