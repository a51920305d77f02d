#pragma once
// Typed work on the shown page that "Save this page" has not yet stored: the file commands ask
// about it first, so that it is never dropped, or left out of a file, unasked.

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

inline constexpr std::string_view kSaveChangesQuestion = "Save changes to this page?";

// True when storing the shown page would change the database: a row typed, cleared or faulty.
bool PageHasUnsavedWork(const ProgramState& state, const Window& window);

// Before a command replaces the shown page or takes the database as it stands: asks to save
// unsaved work (Yes, No, Cancel). Yes stores the page as "Save this page" does; a page that
// fails its check stays, and so does Cancel. True when the command may go on.
bool SettleUnsavedWork(ProgramState& state, Window& window);

}  // namespace userdb
