#include "skin_art.h"

#include "logo.h"
#include "metal.h"
#include "rings.h"
#include "skin_layout.h"
#include "skin_shape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace skin {

namespace {

// What anti-aliased outline pixels are blended with: a dark grey, so the
// outline reads as a dark edge and never as a tint of the key colour.
const QRgb kOutlineGrey = qRgb(52, 54, 60);

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }
QColor metalColour(double level) { return QColor(metal(level)); }

// The box's outer pixel boundary as a continuous rectangle.
QRectF area(const Box& b) { return QRectF(b.left, b.top, b.width(), b.height()); }

QPainterPath rounded(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath gapPath(const Gap& g) {
    // Through the left boundary of the gap's first and last pixel on their
    // rows' centres, extended to the rows' outer edges: the same lines that
    // decide the key-coloured pixels.
    const double top = g.top, bottom = g.bottom + 1.0;
    QPolygonF poly;
    poly << QPointF(gapLeftEdge(g, top), top) << QPointF(gapRightEdge(g, top), top)
         << QPointF(gapRightEdge(g, bottom), bottom) << QPointF(gapLeftEdge(g, bottom), bottom);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

void fillWithHairlines(QPainter& p, const QPainterPath& path, Brush direction, int strength) {
    const QImage lines = hairlines(kWidth, kHeight, direction, strength);
    p.save();
    p.setClipPath(path);
    p.drawImage(0, 0, lines);
    p.restore();
}

// A soft shadow of shape, cast down and to the right by the light from the
// top left onto whatever is already drawn.
void castShadow(QPainter& p, const QPainterPath& shape, double depth) {
    for (double step : {0.5, 1.0})
        p.fillPath(QTransform::fromTranslate(depth * step * 0.6, depth * step).map(shape), QColor(0, 0, 0, 45));
}

// The horizontal bar behind the frames, with the two gaps cut out.
void paintBar(QPainter& p) {
    QPainterPath bar;
    bar.addRect(area(kBar));
    for (const Gap& g : kGaps) bar = bar.subtracted(gapPath(g));

    QLinearGradient shade(0, kBar.top, 0, kBar.bottom + 1);
    shade.setColorAt(0.0, metalColour(190));
    shade.setColorAt(1.0, metalColour(120));
    p.fillPath(bar, shade);
    fillWithHairlines(p, bar, Brush::Horizontal, 26);

    // The cut edges of the gaps: dark where they face the light, light below.
    p.save();
    p.setClipPath(bar);
    for (const Gap& g : kGaps) {
        const QPainterPath gap = gapPath(g);
        p.strokePath(gap, QPen(metalColour(45), 2.0));
        p.strokePath(QTransform::fromTranslate(0, 1.5).map(gap), QPen(QColor(255, 255, 255, 60), 1.0));
    }
    p.restore();
}

// A side panel: a raised metal plate with a recessed face, light at the top
// and darker towards the bottom. The right one is the left one mirrored.
void paintPanel(QPainter& p, const Box& panel, const Box& face, bool shadowBelow) {
    const QRectF outer = area(panel), inner = area(face);
    const QPainterPath plate = rounded(outer, kPanelCornerRadius);

    QLinearGradient rim(0, outer.top(), 0, outer.bottom());
    rim.setColorAt(0.0, metalColour(230));
    rim.setColorAt(0.5, metalColour(175));
    rim.setColorAt(1.0, metalColour(105));
    p.fillPath(plate, rim);
    fillWithHairlines(p, plate, Brush::Vertical, 20);

    // The recess: a dark groove above and to the sides, a bright lip below.
    p.fillPath(rounded(inner.adjusted(-1.5, -1.5, 1.5, 1.5), 7.5), metalColour(70));
    p.fillPath(rounded(inner.adjusted(-0.5, 0.5, 0.5, 1.5), 7.0), metalColour(235));

    const QPainterPath faceArea = rounded(inner, 6.0);
    QLinearGradient shade(0, inner.top(), 0, inner.bottom());
    shade.setColorAt(0.0, metalColour(196));
    shade.setColorAt(0.45, metalColour(158));
    shade.setColorAt(1.0, metalColour(104));
    p.fillPath(faceArea, shade);
    fillWithHairlines(p, faceArea, Brush::Horizontal, 22);

    if (shadowBelow) {
        p.save();
        p.setClipPath(plate);
        p.fillRect(QRectF(outer.left(), outer.bottom() - 3, outer.width(), 3), metalColour(38));
        p.restore();
    }
}

void paintLogoPanel(QPainter& p, const Fonts& fonts) {
    p.fillPath(rounded(area(kLogoPanel), kLogoCornerRadius), colour(kLogoOutline));
    const QRectF white = area(kLogoWhite);
    p.fillPath(rounded(white, kLogoCornerRadius - 2), Qt::white);
    p.save();
    p.setClipRect(white);
    paintLogo(p, white.adjusted(4, 4, -4, -4), fonts);
    p.restore();
}

// A frame: a dark blue border three pixels wide round a white well, whose top
// and sides carry a one-pixel inner shadow.
void paintFrame(QPainter& p, const Box& frame, const Box& white) {
    p.fillPath(rounded(area(frame), kFrameCornerRadius), colour(kFrameBlue));
    p.fillRect(area(white).adjusted(-1, -1, 1, 0), QColor(22, 28, 78));
    p.fillRect(area(white), Qt::white);
}

// A white label plate on the right panel, with its currency in black.
void paintPlate(QPainter& p, const Box& plate, const Box& text, const QString& label, const Fonts& fonts) {
    const QPainterPath shape = rounded(area(plate), 4.0);
    p.fillPath(QTransform::fromTranslate(1, 1).map(shape), QColor(0, 0, 0, 110));
    p.fillPath(shape, Qt::white);
    p.save();
    p.setClipPath(shape);
    p.strokePath(shape, QPen(metalColour(160), 1.6));
    p.restore();
    // Half a pixel in from the box on every side, so that the anti-aliased
    // ink stays inside it.
    p.fillPath(fittedText(fonts.labelSerif, label, area(text).adjusted(0.5, 0.5, -0.5, -0.5), 1.12), Qt::black);
}

// "CALCULATOR" in light grey capitals cut into the left panel: a dark wall
// where the light cannot reach, a bright one opposite.
void paintCaption(QPainter& p, const Fonts& fonts) {
    const QRectF box = area(kCaption).adjusted(1, 1, -1, -1);
    // Lay the word out horizontally in a box of the turned size, then turn it
    // a quarter anticlockwise so that it reads from bottom to top.
    const QPainterPath flat = fittedText(fonts.caption, "CALCULATOR", QRectF(0, 0, box.height(), box.width()), 1.1);
    QTransform turn;
    turn.translate(box.left(), box.bottom());
    turn.rotate(-90);
    const QPainterPath word = turn.map(flat);
    p.fillPath(QTransform::fromTranslate(-1, -1).map(word), metalColour(62));
    p.fillPath(QTransform::fromTranslate(1, 1).map(word), QColor(255, 255, 255, 200));
    p.fillPath(word, metalColour(214));
}

void paintCloseButton(QPainter& p) {
    const QPointF centre(kCloseCx + 0.5, kCloseCy + 0.5);
    QPainterPath disc;
    disc.addEllipse(centre, kCloseRadius, kCloseRadius);
    QLinearGradient rim(centre - QPointF(12, 12), centre + QPointF(12, 12));
    rim.setColorAt(0.0, metalColour(236));
    rim.setColorAt(1.0, metalColour(92));
    p.fillPath(disc, rim);

    // The white face, x 329-356 and y 66-93, set into the rim.
    const QRectF face = area(kCloseFace);
    QPainterPath faceShape;
    faceShape.addEllipse(face);
    p.fillPath(QTransform::fromTranslate(-0.7, -0.7).map(faceShape), metalColour(80));
    p.fillPath(faceShape, Qt::white);

    const QRectF mark = area(kCloseMark);
    p.save();
    p.setClipRect(mark);
    p.setPen(QPen(colour(kFrameBlue), 3.0, Qt::SolidLine, Qt::FlatCap));
    const QRectF m = mark.adjusted(1.2, 1.2, -1.2, -1.2);
    p.drawLine(m.topLeft(), m.bottomRight());
    p.drawLine(m.bottomLeft(), m.topRight());
    p.restore();
}

bool redTinted(QRgb c) { return qRed(c) > std::max(qGreen(c), qBlue(c)) + 1; }

}  // namespace

QImage paintSkin(const Fonts& fonts) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(kOutlineGrey);
    paintRing(img, kRingA);
    paintRing(img, kRingB);  // ring B passes in front of ring A
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintBar(p);
        castShadow(p, rounded(area(kLeftPanel), kPanelCornerRadius), 4);
        castShadow(p, rounded(area(kRightPanel), kPanelCornerRadius), 4);
        castShadow(p, rounded(area(kLogoPanel), kLogoCornerRadius), 4);
        for (const Box& frame : kFrames) castShadow(p, rounded(area(frame), kFrameCornerRadius), 3);
        paintPanel(p, kLeftPanel, kLeftFace, false);
        paintPanel(p, kRightPanel, kRightFace, true);
        paintLogoPanel(p, fonts);
        for (int i = 0; i < 3; ++i) {
            paintFrame(p, kFrames[i], kFrameWhites[i]);
            paintPlate(p, kPlates[i], kPlateTexts[i], QString::fromUtf8(kPlateLabels[i]), fonts);
        }
        paintCaption(p, fonts);
        paintCloseButton(p);
    }

    const QRgb key = qRgb(kKeyColour.r, kKeyColour.g, kKeyColour.b);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            if (!isOpaque(x, y)) {
                row[x] = key;
            } else if (redTinted(row[x])) {
                throw std::logic_error("red-tinted artwork at (" + std::to_string(x) + ", " +
                                       std::to_string(y) + ")");
            }
        }
    }
    return img;
}

}  // namespace skin
