#include "ico_file.h"

#include "bmp_file.h"

#include <stdexcept>

namespace skin {

QByteArray encodeIco4(const QImage& img) {
    if (img.format() != QImage::Format_Indexed8 || img.colorCount() > 16 || img.width() > 255 ||
        img.height() > 255)
        throw std::invalid_argument("encodeIco4 needs an indexed image of at most 16 colours");
    const int w = img.width(), h = img.height();
    const int colourStride = (w * 4 + 31) / 32 * 4;
    const int maskStride = (w + 31) / 32 * 4;
    const int imageBytes = (colourStride + maskStride) * h;
    const int dibBytes = 40 + 16 * 4 + imageBytes;
    const QList<QRgb> palette = img.colorTable();
    auto transparent = [&](int x, int y) { return qAlpha(palette[img.pixelIndex(x, y)]) < 128; };

    QByteArray out;
    putLe16(out, 0);  // reserved
    putLe16(out, 1);  // icon
    putLe16(out, 1);  // one image
    out.append(static_cast<char>(w));
    out.append(static_cast<char>(h));
    out.append(static_cast<char>(16));  // colours in the palette
    out.append('\0');
    putLe16(out, 1);  // planes
    putLe16(out, 4);  // bits per pixel
    putLe32(out, dibBytes);
    putLe32(out, out.size() + 4);  // the image follows this directory

    putInfoHeader(out, w, h * 2, 4, imageBytes, 16);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(colourStride, '\0');
        for (int x = 0; x < w; ++x) {
            const int index = transparent(x, y) ? 0 : img.pixelIndex(x, y);
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? index : index << 4));
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (transparent(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

}  // namespace skin
