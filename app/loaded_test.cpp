#include "app/loaded_test.h"

#include "app/main_form.h"
#include "window/control_ids.h"

namespace userdb {

bool PassesLoadedTest(Window& window) {
  if (window.Text(ids::kPageLabel, kWholeTextBuffer) != kLoadPrompt) return true;
  window.ShowMessage({BoxOwner::MainWindow, std::string(kLoadPrompt), std::string(kCaptionInfo), BoxKind::Ok});
  return false;
}

}  // namespace userdb
