#include "app/main_form.h"

#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb {

void InitialiseMainForm(ProgramState& state, Window& window) {
  window.SelectPort(kInitialPortSelection);
  window.SetText(ids::kPageLabel, kLoadPrompt);
  state.database.speedUnit = kSpeedUnitKilometer;
  window.SetText(ids::kStatusBox, kStartStatus);
}

}  // namespace userdb
