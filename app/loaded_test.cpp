#include "app/loaded_test.h"

#include "app/main_form.h"

namespace userdb {

bool PassesLoadedTest(const ProgramState& state, Window& window) {
  if (state.loaded) return true;
  window.ShowMessage({BoxOwner::MainWindow, std::string(kLoadPrompt), std::string(kCaptionInfo), BoxKind::Ok});
  return false;
}

}  // namespace userdb
