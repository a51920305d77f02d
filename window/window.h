#pragma once
// The operations the program needs of its window. The core sees nothing else of a toolkit.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace userdb {

enum class BoxKind { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };
enum class BoxOwner { MainWindow, None };

struct MessageBoxRequest {
  BoxOwner owner = BoxOwner::MainWindow;
  // A window shows valid UTF-8 as such, so that a file's name shows as typed; any other text
  // is 8-bit, as the controls hold it.
  std::string text;
  std::optional<std::string> caption;  // none: the platform's default title
  BoxKind kind = BoxKind::Ok;

  bool operator==(const MessageBoxRequest&) const = default;
};

// A question whose answers are best said in the buttons' own words, where Yes and No would not
// tell what each does. The first is the default; Escape or the close box answer the last.
struct ChoiceRequest {
  std::string text;
  std::string caption;
  std::vector<std::string> choices;

  bool operator==(const ChoiceRequest&) const = default;
};

inline constexpr std::string_view kCaptionInfo = "Info";
inline constexpr std::string_view kCaptionApiReturn = "API-return";

class Window {
 public:
  virtual ~Window() = default;

  // Reads a control's text into a buffer of bufferSize characters, terminator included:
  // at most bufferSize - 1 characters come back, as a real control would cut them.
  virtual std::string Text(int controlId, std::size_t bufferSize) const = 0;
  virtual void SetText(int controlId, std::string_view text) = 0;

  virtual bool IsRowChecked(int row) const = 0;
  virtual void SetRowChecked(int row, bool checked) = 0;

  virtual void Enable(int controlId, bool enabled) = 0;

  // Index of the selected PortList entry, or -1 when none is selected.
  virtual int PortSelection() const = 0;
  virtual void SelectPort(int index) = 0;

  virtual BoxAnswer ShowMessage(const MessageBoxRequest& box) = 0;
  // Modal to the window; the index of the choice taken.
  virtual std::size_t Choose(const ChoiceRequest& request) = 0;

  // Ends the window's modal run; the program ends with it.
  virtual void Close() = 0;

  // Lets a long transfer show its progress. The default does nothing; a toolkit may repaint.
  virtual void ShowProgress() {}
};

// Buffer large enough for any text the program reads back whole.
inline constexpr std::size_t kWholeTextBuffer = 4096;

}  // namespace userdb
