#pragma once
// The sixteen colours of the classic console palette, by index.

#include <QColor>

namespace korvel::qt {

// Index 0..15; any other index gives black.
QColor paletteColor(int index);

}  // namespace korvel::qt
