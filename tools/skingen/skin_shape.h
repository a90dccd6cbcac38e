// The outline of the skin: which pixels are artwork and which are key colour.
//
// Every element is tested at the pixel's centre against exact geometry, so the
// outline is decided here once and the painter only has to fill what lies
// inside it. Anything anti-aliased is blended against grey before the key
// colour is applied, never against the key colour itself.
#pragma once

#include "skin_layout.h"

namespace skin {

// True when pixel (x, y) of the 361 x 331 picture is artwork, false when it
// shows the key colour (the surround, the two gaps between the frames, the six
// enclosed holes). Example: isOpaque(180, 163) is false (first gap),
// isOpaque(359, 80) is true (the close disc's rim).
bool isOpaque(int x, int y);

// Left edge of a gap at height y (continuous coordinates; y = row + 0.5 at a
// row's centre): the line through the left boundary of the first and the last
// row. rightEdge likewise.
double gapLeftEdge(const Gap& gap, double y);
double gapRightEdge(const Gap& gap, double y);

// True when the centre of pixel (x, y) lies in the box with corners rounded to
// the given radius (the box's outer pixel boundary, not its pixel centres).
bool inRoundedBox(const Box& box, double radius, int x, int y);

}  // namespace skin
