#include "app/main_form.h"

#include "app/control_ids.h"
#include "app/control_table.h"

namespace userdb {

void InitialiseMainForm(ProgramState& state, Window& window) {
  window.SelectPort(kInitialPortSelection);
  window.SetText(ids::kPageLabel, kLoadPrompt);
  state.database.speedUnit = kSpeedUnitKilometer;
  window.SetText(ids::kStatusBox, kStartStatus);
}

}  // namespace userdb
