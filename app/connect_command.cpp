#include "app/connect_command.h"

#include "app/window_presenter.h"

namespace userdb {

int SelectedPort(const Window& window) { return window.PortSelection() + 1; }

bool ConnectCommand(ProgramState& state, Window& window) {
  WindowPresenter presenter(window);
  const ConnectResult result = Connect(state.link, SelectedPort(window), presenter);
  if (result.outcome == ConnectOutcome::NotConnected) return false;
  for (const LabelText& label : InformationLabels(result.info)) window.SetText(label.controlId, label.text);
  if (result.info.identity) state.serialNumber = result.info.identity->serialNumber;
  if (result.outcome == ConnectOutcome::Unfinished) ShowNotResponding(window);
  return result.outcome == ConnectOutcome::Answered;
}

}  // namespace userdb
