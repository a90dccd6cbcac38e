// Colours and textures shared by every metal part of the skin and the icon.
#pragma once

#include <QColor>
#include <QImage>

namespace skin {

// A cool metal grey of the given brightness (0 = black, 255 = white): blue a
// little above green, red a little below, so no shade of it leans to red.
QRgb metal(double level);

// A fixed pseudo-random value in [-1, 1] for the given integers: the same
// arguments always give the same value, on every run and every machine.
double grain(int a, int b = 0);

// Brushed-metal hairlines: a wrap-around texture of faint lines, light and
// dark, running in the given direction, to lay over a plain gradient.
enum class Brush { Horizontal, Vertical };
QImage hairlines(int width, int height, Brush direction, int strength);

// Mixes two colours: t = 0 gives a, t = 1 gives b.
QRgb mix(QRgb a, QRgb b, double t);

}  // namespace skin
