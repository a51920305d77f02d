#pragma once
// Icon 128: the program's icon (window, task bar, About box), a round warning sign with a
// speed camera on it, at 32 x 32 and 16 x 16 pixels.

#include "window/resources/indexed_icon.h"

namespace userdb {

const IndexedIcon& Icon128();

}  // namespace userdb
