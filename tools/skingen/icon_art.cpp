#include "icon_art.h"

#include "logo.h"
#include "metal.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <limits>

namespace skin {

QImage paintIcon(int size, const Fonts& fonts) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    const QPointF centre(16, 16);
    QPainterPath ring;
    ring.addEllipse(centre, 15.5, 15.5);
    QLinearGradient shade(QPointF(4, 2), QPointF(28, 30));
    shade.setColorAt(0.0, QColor(metal(240)));
    shade.setColorAt(0.5, QColor(metal(165)));
    shade.setColorAt(1.0, QColor(metal(80)));
    p.fillPath(ring, shade);
    p.strokePath(ring, QPen(QColor(metal(70)), 1.0));

    QPainterPath groove;
    groove.addEllipse(centre, 12.9, 12.9);
    p.fillPath(groove, QColor(metal(52)));
    paintCoin(p, centre, 12.2, fonts);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage toIconPalette(const QImage& icon) {
    static const QList<QRgb> palette = {
        qRgba(0, 0, 0, 0),
        qRgb(255, 255, 255), qRgb(228, 230, 235), qRgb(200, 202, 208), qRgb(170, 172, 178),
        qRgb(140, 142, 148), qRgb(110, 112, 118), qRgb(80, 82, 88),    qRgb(52, 54, 60),
        qRgb(24, 26, 30),    qRgb(20, 26, 72),    qRgb(36, 46, 122),   qRgb(58, 84, 166),
        qRgb(84, 112, 196),  qRgb(140, 160, 215), qRgb(190, 200, 230),
    };
    const QImage src = icon.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = src.pixel(x, y);
            int best = 0;
            if (qAlpha(c) >= 128) {
                long bestDistance = std::numeric_limits<long>::max();
                for (int i = 1; i < palette.size(); ++i) {
                    const long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                               db = qBlue(c) - qBlue(palette[i]);
                    const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (distance < bestDistance) bestDistance = distance, best = i;
                }
            }
            out.setPixel(x, y, best);
        }
    }
    return out;
}

}  // namespace skin
