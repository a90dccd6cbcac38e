#include "logo.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace skin {

namespace {

const QColor kDeepBlue(20, 26, 72);
const QColor kBlue(36, 46, 122);
const QColor kLightBlue(84, 112, 196);

QPainterPath circle(QPointF centre, double r) {
    QPainterPath path;
    path.addEllipse(centre, r, r);
    return path;
}

}  // namespace

void paintCoin(QPainter& p, QPointF centre, double r, const Fonts& fonts) {
    const QPointF topLeft = centre - QPointF(r, r), bottomRight = centre + QPointF(r, r);

    QLinearGradient edge(topLeft, bottomRight);
    edge.setColorAt(0.0, kLightBlue);
    edge.setColorAt(0.5, kBlue);
    edge.setColorAt(1.0, kDeepBlue);
    p.fillPath(circle(centre, r), edge);

    QRadialGradient face(centre - QPointF(r * 0.35, r * 0.4), r * 1.25);
    face.setColorAt(0.0, QColor(64, 90, 174));
    face.setColorAt(1.0, QColor(30, 38, 104));
    p.fillPath(circle(centre, r * 0.9), face);

    if (r >= 20) {  // too fine to draw on a small coin
        p.save();
        p.setPen(QPen(QColor(255, 255, 255, 190), r * 0.045));
        p.setBrush(Qt::NoBrush);
        p.drawPath(circle(centre, r * 0.78));
        p.restore();
    }

    const double h = r * 0.92;  // height of the letter's ink
    const QRectF letterBox(centre.x() - h * 0.36, centre.y() - h * 0.5, h * 0.72, h);
    p.fillPath(fittedText(fonts.logo, "P", letterBox), Qt::white);
}

void paintLogo(QPainter& p, const QRectF& area, const Fonts& fonts) {
    const double wordHeight = area.height() * 0.16;
    const double coinRadius = area.height() * 0.33;
    const QPointF coinCentre(area.center().x(), area.top() + area.height() * 0.06 + coinRadius);
    paintCoin(p, coinCentre, coinRadius, fonts);

    const double wordTop = coinCentre.y() + coinRadius + area.height() * 0.06;
    const QRectF wordBox(area.left() + area.width() * 0.15, wordTop, area.width() * 0.7, wordHeight);
    p.fillPath(fittedText(fonts.logo, "Plinvor", wordBox), kBlue);
}

}  // namespace skin
