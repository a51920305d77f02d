// "Open COM Port" on any reply to the device-information frame. It must end in bounded time
// with the port closed, show only well-formed labels, and count as answered only when
// "KT Update Over" came.

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/connect_command.h"
#include "device/device_information.h"
#include "device/line_texts.h"
#include "device/update_mode.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scripted_conversation.h"
#include "window/control_ids.h"

namespace {

using namespace userdb;

bool IsDigits(std::string_view text, std::size_t most) {
  return !text.empty() && text.size() <= most &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The template's text, or the prefix followed by what the rest must be.
bool LabelIs(const std::string& label, std::string_view untouched, std::string_view prefix,
             bool (*rest)(std::string_view)) {
  if (label == untouched) return true;
  return label.starts_with(prefix) && rest(std::string_view(label).substr(prefix.size()));
}

bool IsVersion(std::string_view text) {
  const std::size_t dot = text.find('.');
  return dot != std::string_view::npos && IsDigits(text.substr(0, dot), 2) && IsDigits(text.substr(dot + 1), 1);
}

bool IsSerialNumber(std::string_view text) {
  return IsDigits(text, 10) && std::stoull(std::string(text)) <= 0xFFFFFFFFu;
}

bool IsDatabaseVersion(std::string_view text) {
  return text.size() <= kDatabaseVersionBlockSize && text.find('\0') == std::string_view::npos;
}

bool Holds(const std::vector<std::uint8_t>& stream, std::span<const std::uint8_t> message) {
  return std::search(stream.begin(), stream.end(), message.begin(), message.end()) != stream.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ScriptedConversation conversation({data, size});
  const Instant start = conversation.clock.Now();

  const bool answered = ConnectCommand(conversation.state, conversation.window);

  fuzz::Require(conversation.clock.Now() - start <= conversation.Bound(kUpdateOverLimit), "connect is bounded");
  fuzz::Require(conversation.PortClosed(), "the port is closed after connect");
  const HeadlessWindow& window = conversation.window;
  fuzz::Require(
      LabelIs(window.TextOf(ids::kFirmwareVersionLabel), "Firmware Version :", "Firmware Version : ", IsVersion),
      "the firmware label holds a version");
  fuzz::Require(
      LabelIs(window.TextOf(ids::kHardwareVersionLabel), "Hardware Version :", "Hardware Version : ", IsVersion),
      "the hardware label holds a version");
  fuzz::Require(LabelIs(window.TextOf(ids::kSerialNumberLabel), "Serial Number :", "Serial Number : ", IsSerialNumber),
                "the serial label holds a 32-bit number");
  fuzz::Require(
      LabelIs(window.TextOf(ids::kDatabaseVersionLabel), "Database Version :", "Database Version :", IsDatabaseVersion),
      "the database version is at most 16 characters");
  if (answered) {
    fuzz::Require(Holds(conversation.answers.Stream(), line::kUpdateOverMessage),
                  "connect succeeds only after the end message");
  }
  return 0;
}
