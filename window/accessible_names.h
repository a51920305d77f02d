#pragma once
// What a screen reader says for each control of the main window. A label's name is its text,
// which the toolkits give it: it changes with the device and the page ("Serial Number : 20110318",
// "Page 0"), and a fixed name would hide that. Only controls without a text that says what
// they are have a name here (a row's fields, " NO.3", the port list, the status box); the
// column titles that a sighted user reads above a field are its description.

#include <optional>
#include <string>

namespace userdb {

// "Row 0 longitude degrees", "Mark row 0 for Clear data", "COM port"; nothing for a control
// whose own text already says what it is (the buttons, the labels) or for an ID the window
// does not have.
std::optional<std::string> AccessibleName(int controlId);

// The column a row's field stands under, as its titles read: "Longitude, degrees"; "Speed
// unit" for the unit label, whose word alone does not say what it measures; nothing for the
// other controls.
std::optional<std::string> AccessibleDescription(int controlId);

}  // namespace userdb
