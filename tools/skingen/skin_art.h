// Draws the skin picture: the metal panel, the frames, the labels, the close
// button and the logo, with the key colour everywhere outside the outline.
#pragma once

#include "fonts.h"

#include <QImage>

namespace skin {

// The finished 361 x 331 picture (QImage::Format_RGB32). Every pixel is
// either exactly the key colour (255, 0, 0) or artwork whose red level is at
// most the larger of its green and blue levels plus 1. Throws
// std::logic_error if the drawing breaks that rule, naming the pixel.
QImage paintSkin(const Fonts& fonts);

}  // namespace skin
