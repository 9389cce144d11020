#pragma once
// The sixteen colours of the classic console palette, by index.

#include <QColor>

namespace korvel::qt {

// Index 0..15; anything else is black, as an unknown index paints nothing
// a player could tell apart from a shadow.
QColor paletteColor(int index);

}  // namespace korvel::qt
