// "Load user database from device" on any bytes a device or line might send after the
// handshake. It must end in bounded time with the port closed, and a download that fails must
// leave the database and the window exactly as they were.

#include <cstdint>

#include "app/download_command.h"
#include "app/main_form.h"
#include "device/download.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scripted_conversation.h"
#include "window/control_ids.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  fuzz::ScriptedConversation conversation({data, size});
  const TransferImage before = conversation.state.database.Image();
  const std::uint8_t unitBefore = conversation.state.database.speedUnit;
  const Instant start = conversation.clock.Now();

  const bool loaded = DownloadDatabase(conversation.state, conversation.window);

  fuzz::Require(conversation.clock.Now() - start <= conversation.Bound(Duration::zero()), "the download is bounded");
  fuzz::Require(conversation.PortClosed(), "the port is closed after the download");
  const std::string pageLabel = conversation.window.TextOf(ids::kPageLabel);
  if (loaded) {
    fuzz::Require(pageLabel == "Page 0", "a download shows page 0");
    fuzz::Require(conversation.answers.Stream().size() >= kDownloadHeaderSize, "a download needs a whole header");
  } else {
    fuzz::Require(conversation.state.database.Image() == before, "a failed download keeps the database");
    fuzz::Require(conversation.state.database.speedUnit == unitBefore, "a failed download keeps the unit");
    fuzz::Require(pageLabel == kLoadPrompt, "a failed download keeps the window");
    fuzz::Require(!conversation.window.IsEnabled(ids::kNextPage), "a failed download enables no page command");
  }
  return 0;
}
