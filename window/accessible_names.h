#pragma once
// What a screen reader says for each control of the main window. Many controls have no text of
// their own (a row's fields) or a text that tells a listener nothing (" NO.3"), so every one
// has a name here; the column titles that a sighted user reads above a field are its
// description.

#include <optional>
#include <string>

namespace userdb {

// "Row 0 longitude degrees", "Mark row 0 for Clear data", "COM port"; nothing for a control
// whose own text already says what it is (the buttons) or for an ID the window does not have.
std::optional<std::string> AccessibleName(int controlId);

// The column a row's field stands under, as its titles read: "Longitude, degrees"; nothing
// for a control outside the rows.
std::optional<std::string> AccessibleDescription(int controlId);

}  // namespace userdb
