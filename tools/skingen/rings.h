// The two metal rings, shaded pixel by pixel: a flat polished band with
// bevelled edges, lit from the top left, with the fine circular brushing of
// turned metal.
#pragma once

#include "skin_layout.h"

#include <QImage>

namespace skin {

// Paints the ring over what img already holds, blending its anti-aliased
// edges into it. img must be in a 32-bit RGB format.
void paintRing(QImage& img, const Ring& ring);

}  // namespace skin
