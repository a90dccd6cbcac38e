#include "bmp_file.h"

namespace skin {

void putLe16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void putLe32(QByteArray& out, long v) {
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, int imageBytes,
                   int coloursUsed) {
    constexpr long kDotsPerMetre = 3780;  // 96 dots per inch
    putLe32(out, 40);
    putLe32(out, width);
    putLe32(out, height);  // positive: rows stored bottom-up
    putLe16(out, 1);       // planes
    putLe16(out, bitsPerPixel);
    putLe32(out, 0);       // BI_RGB: uncompressed
    putLe32(out, imageBytes);
    putLe32(out, kDotsPerMetre);
    putLe32(out, kDotsPerMetre);
    putLe32(out, coloursUsed);
    putLe32(out, 0);       // all colours important
}

QByteArray encodeBmp24(const QImage& img) {
    constexpr int kHeaders = 14 + 40;
    const int stride = (img.width() * 3 + 3) / 4 * 4;
    const int imageBytes = stride * img.height();

    QByteArray out;
    out.reserve(kHeaders + imageBytes);
    out.append("BM", 2);
    putLe32(out, kHeaders + imageBytes);
    putLe32(out, 0);  // reserved
    putLe32(out, kHeaders);
    putInfoHeader(out, img.width(), img.height(), 24, imageBytes, 0);

    for (int y = img.height() - 1; y >= 0; --y) {
        const int start = out.size();
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            out.append(static_cast<char>(qBlue(c)));
            out.append(static_cast<char>(qGreen(c)));
            out.append(static_cast<char>(qRed(c)));
        }
        while (out.size() - start < stride) out.append('\0');
    }
    return out;
}

}  // namespace skin
