// Plinvor's mark: a blue coin with a white rim line and a white "P". The
// logo panel shows it above the word "Plinvor"; the icon shows it in a metal
// ring.
#pragma once

#include "fonts.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace skin {

// Paints the coin, centred on centre, of the given radius.
void paintCoin(QPainter& p, QPointF centre, double radius, const Fonts& fonts);

// Paints the coin and the word mark "Plinvor" under it, inside area.
void paintLogo(QPainter& p, const QRectF& area, const Fonts& fonts);

}  // namespace skin
