#include "menus/file_context.h"

#include "menus/shortened_lines.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

// A box is no place for a long list.
constexpr std::size_t kBoxLines = 12;

// "Import points": the item's text without its mnemonic or the dots that promise a dialog.
std::optional<std::string> CaptionOf(int command) {
  const MenuItem* item = MenuItemOf(command);
  if (item == nullptr) return std::nullopt;
  std::string caption = WithoutMnemonic(item->text);
  constexpr std::string_view kEllipsis = "…";
  if (caption.ends_with(kEllipsis)) caption.resize(caption.size() - kEllipsis.size());
  return caption;
}

BoxAnswer ShowBox(FileContext& context, int command, std::string_view text, BoxKind kind) {
  return context.window.ShowMessage(MessageBoxRequest{
      .owner = BoxOwner::MainWindow, .text = std::string(text), .caption = CaptionOf(command), .kind = kind});
}

}  // namespace

void Tell(FileContext& context, int command, std::string_view text) { ShowBox(context, command, text, BoxKind::Ok); }

BoxAnswer Ask(FileContext& context, int command, std::string_view question) {
  return ShowBox(context, command, question, BoxKind::YesNo);
}

std::string Lines(const std::vector<std::string>& lines) {
  const std::vector<std::string> shown = Shortened(lines, kBoxLines);
  std::string text;
  for (std::size_t i = 0; i < shown.size(); ++i) text += (i == 0 ? "" : "\n") + shown[i];
  return text;
}

}  // namespace userdb::menus
