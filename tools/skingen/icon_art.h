// The application icon: Plinvor's coin in a turned-metal ring, like the rings
// of the window.
#pragma once

#include "fonts.h"

#include <QImage>

namespace skin {

// The icon drawn at size x size pixels, anti-aliased, on transparency
// (QImage::Format_ARGB32).
QImage paintIcon(int size, const Fonts& fonts);

// The icon reduced to the fixed 16-colour palette of the .ico image:
// entry 0 is transparent, entries 1-15 are greys and blues. Each pixel takes
// the nearest palette colour, without dithering; pixels less than half
// covered become transparent.
QImage toIconPalette(const QImage& icon);

}  // namespace skin
