#pragma once
// What the XML formats share in writing: the declaration, text elements, the text of a document.

#include <pugixml.hpp>

#include <string>

namespace userdb::formats {

void AppendXmlDeclaration(pugi::xml_document& document);  // version 1.0, UTF-8
void AppendTextElement(pugi::xml_node parent, const std::string& name, const std::string& text);
std::string XmlText(const pugi::xml_document& document);  // indented by two blanks

}  // namespace userdb::formats
