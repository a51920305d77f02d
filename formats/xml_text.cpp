#include "formats/xml_text.h"

#include <algorithm>

namespace userdb::formats {
namespace {

class TextWriter final : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
  std::string text;
};

}  // namespace

void AppendXmlDeclaration(pugi::xml_document& document) {
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
}

void AppendTextElement(pugi::xml_node parent, const std::string& name, const std::string& text) {
  parent.append_child(name.c_str()).text().set(text.c_str());
}

std::string XmlText(const pugi::xml_document& document) {
  TextWriter writer;
  document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
  return writer.text;
}

int LineAtOffset(std::string_view text, std::ptrdiff_t offset) {
  const auto end = text.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(text.size()));
  return 1 + static_cast<int>(std::count(text.begin(), end, '\n'));
}

}  // namespace userdb::formats
