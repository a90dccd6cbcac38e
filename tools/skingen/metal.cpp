#include "metal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skin {

static int channel(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

QRgb metal(double level) {
    return qRgb(channel(level - 3), channel(level), channel(level + 4));
}

double grain(int a, int b) {
    // A small integer hash (splitmix-style mixing), mapped onto [-1, 1].
    std::uint32_t h = static_cast<std::uint32_t>(a) * 0x9E3779B1u ^
                      (static_cast<std::uint32_t>(b) + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFu) / 32767.5 - 1.0;
}

QImage hairlines(int width, int height, Brush direction, int strength) {
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int line = direction == Brush::Horizontal ? y : x;
            const int along = direction == Brush::Horizontal ? x : y;
            // Each line has its own shade, varying slowly along its length.
            const double v = grain(line, 1) * 0.7 + grain(line, along / 7 + 2) * 0.3;
            const int alpha = channel(std::abs(v) * strength);
            const int c = v > 0 ? alpha : 0;  // premultiplied white or black
            img.setPixel(x, y, qRgba(c, c, c, alpha));
        }
    }
    return img;
}

QRgb mix(QRgb a, QRgb b, double t) {
    auto m = [t](int p, int q) { return channel(p + (q - p) * t); };
    return qRgb(m(qRed(a), qRed(b)), m(qGreen(a), qGreen(b)), m(qBlue(a), qBlue(b)));
}

}  // namespace skin
