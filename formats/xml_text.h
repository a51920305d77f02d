#pragma once
// What the XML formats share: in writing the declaration, text elements and the text of a
// document; in reading the line an offset stands on.

#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace userdb::formats {

void AppendXmlDeclaration(pugi::xml_document& document);  // version 1.0, UTF-8
void AppendTextElement(pugi::xml_node parent, const std::string& name, const std::string& text);
std::string XmlText(const pugi::xml_document& document);  // indented by two blanks

// The line, from 1, of an offset into text as pugixml gives it (past the end: the last line).
int LineAtOffset(std::string_view text, std::ptrdiff_t offset);

}  // namespace userdb::formats
