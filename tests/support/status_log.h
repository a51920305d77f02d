#pragma once
// A window that passes everything to another and keeps every StatusBox text in order.

#include <functional>
#include <string>
#include <vector>

#include "window/control_ids.h"
#include "window/window.h"

namespace userdb {

class StatusLog final : public Window {
 public:
  explicit StatusLog(Window& inner) : inner_(inner) {}
  std::string Text(int id, std::size_t size) const override { return inner_.Text(id, size); }
  void SetText(int id, std::string_view text) override {
    inner_.SetText(id, text);
    if (id != ids::kStatusBox) return;
    texts.emplace_back(text);
    if (onStatus) onStatus(texts.size());
  }
  bool IsRowChecked(int row) const override { return inner_.IsRowChecked(row); }
  void SetRowChecked(int row, bool checked) override { inner_.SetRowChecked(row, checked); }
  void Enable(int id, bool enabled) override { inner_.Enable(id, enabled); }
  int PortSelection() const override { return inner_.PortSelection(); }
  void SelectPort(int index) override { inner_.SelectPort(index); }
  BoxAnswer ShowMessage(const MessageBoxRequest& box) override { return inner_.ShowMessage(box); }
  std::size_t Choose(const ChoiceRequest& request) override { return inner_.Choose(request); }
  void Close() override { inner_.Close(); }

  std::vector<std::string> texts;
  // Called after each StatusBox text with the number of texts so far.
  std::function<void(std::size_t)> onStatus;

 private:
  Window& inner_;
};

}  // namespace userdb
