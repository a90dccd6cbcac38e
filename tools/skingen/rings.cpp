#include "rings.h"

#include "metal.h"

#include <algorithm>
#include <cmath>

namespace skin {

namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 normalised(Vec3 v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Light from the top left and in front; y points down the picture.
const Vec3 kLight = normalised({-0.45, -0.6, 0.66});
const Vec3 kHalfway = normalised({kLight.x, kLight.y, kLight.z + 1.0});

constexpr double kBevel = 2.6;  // width of each bevelled edge, in pixels

}  // namespace

void paintRing(QImage& img, const Ring& ring) {
    const double lightAngle = std::atan2(kLight.y, kLight.x);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            // Distances into the band from its inner and its outer edge.
            const double a = std::hypot(x - ring.edgeInner.cx, y - ring.edgeInner.cy) - ring.edgeInner.r;
            const double b = ring.edgeOuter.r - std::hypot(x - ring.edgeOuter.cx, y - ring.edgeOuter.cy);
            const double coverage = std::clamp(a + 0.5, 0.0, 1.0) * std::clamp(b + 0.5, 0.0, 1.0);
            if (coverage <= 0.0) continue;

            // The surface leans towards the centre on the inner bevel, away
            // from it on the outer bevel, and is nearly flat in between.
            double lean = 0.0;
            if (a < kBevel) lean = -(1.0 - std::max(a, 0.0) / kBevel);
            else if (b < kBevel) lean = 1.0 - std::max(b, 0.0) / kBevel;
            else lean = (a / (a + b) - 0.5) * 0.3;
            lean *= 0.85;

            const double dx = x - ring.cx, dy = y - ring.cy;
            const double d = std::hypot(dx, dy);
            const double ux = dx / d, uy = dy / d;
            const Vec3 n = normalised({ux * lean, uy * lean, std::sqrt(1.0 - lean * lean)});
            const double diffuse = std::max(0.0, dot(n, kLight));
            const double specular = std::pow(std::max(0.0, dot(n, kHalfway)), 40.0);
            // Turned metal shines along the diameter across the light.
            const double angle = std::atan2(uy, ux);
            const double sheen = std::cos(2.0 * (angle - lightAngle));

            double level = 40.0 + 150.0 * diffuse + 70.0 * specular + 16.0 * sheen;
            level += 5.0 * grain(static_cast<int>(std::floor(d * 2.0)), ring.cy) + 1.5 * grain(x, y);
            // A thin dark line where the bevel meets the edge keeps the
            // outline crisp against whatever lies beside the ring.
            const double rim = std::min(a, b);
            if (rim < 0.8) level *= 0.55 + 0.45 * std::max(rim, 0.0) / 0.8;

            row[x] = mix(row[x], metal(level), coverage);
        }
    }
}

}  // namespace skin
