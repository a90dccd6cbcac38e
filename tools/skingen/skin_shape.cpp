#include "skin_shape.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace skin {

static double distanceTo(int x, int y, double cx, double cy) {
    return std::hypot(x - cx, y - cy);
}

static bool inRing(const Ring& ring, int x, int y) {
    return distanceTo(x, y, ring.edgeInner.cx, ring.edgeInner.cy) > ring.edgeInner.r &&
           distanceTo(x, y, ring.edgeOuter.cx, ring.edgeOuter.cy) <= ring.edgeOuter.r;
}

double gapLeftEdge(const Gap& gap, double y) {
    const double t = (y - (gap.top + 0.5)) / (gap.bottom - gap.top);
    return gap.topLeft + t * (gap.bottomLeft - gap.topLeft);
}

double gapRightEdge(const Gap& gap, double y) {
    const double t = (y - (gap.top + 0.5)) / (gap.bottom - gap.top);
    return gap.topRight + 1 + t * (gap.bottomRight - gap.topRight);
}

static bool inGap(const Gap& gap, int x, int y) {
    if (y < gap.top || y > gap.bottom) return false;
    const double cx = x + 0.5, cy = y + 0.5;
    return cx >= gapLeftEdge(gap, cy) && cx <= gapRightEdge(gap, cy);
}

bool inRoundedBox(const Box& box, double radius, int x, int y) {
    if (!box.contains(x, y)) return false;
    const double px = x + 0.5, py = y + 0.5;
    const double left = box.left + radius, right = box.right + 1 - radius;
    const double top = box.top + radius, bottom = box.bottom + 1 - radius;
    const double cx = std::clamp(px, left, right), cy = std::clamp(py, top, bottom);
    return std::hypot(px - cx, py - cy) <= radius;
}

bool isOpaque(int x, int y) {
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) return false;
    if (distanceTo(x, y, kCloseCx, kCloseCy) <= kCloseRadius) return true;
    if (kBar.contains(x, y)) {
        return std::none_of(std::begin(kGaps), std::end(kGaps),
                            [&](const Gap& g) { return inGap(g, x, y); });
    }
    return inRing(kRingA, x, y) || inRing(kRingB, x, y) ||
           inRoundedBox(kLogoPanel, kLogoCornerRadius, x, y) ||
           inRoundedBox(kLeftPanel, kPanelCornerRadius, x, y) ||
           inRoundedBox(kRightPanel, kPanelCornerRadius, x, y);
}

}  // namespace skin
