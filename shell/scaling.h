// The window is laid out in pixels and never scaled. Qt would otherwise
// scale it by the screen's dots per inch (Xft.dpi) and by QT_SCALE_FACTOR,
// QT_SCREEN_SCALE_FACTORS and QT_AUTO_SCREEN_SCALE_FACTOR from the
// environment. PinPixelScale() switches all of it off, and makes type sized
// in points (tooltips, message boxes) follow 96 dots per inch. It must run
// before the application object is made.
#pragma once

namespace plinvor {

void PinPixelScale();

}  // namespace plinvor
