// The toolbar's pictures, drawn by the program itself: small, plain glyphs in the colours
// of a control room (blue for files, green to start, red to stop).
#pragma once

#include <QIcon>

namespace tk70 {

// The icon of a toolbar command; a null icon for a command without one.
QIcon commandIcon(int id);

}  // namespace tk70
