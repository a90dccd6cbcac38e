// Where every element of the skin picture sits, in bitmap pixels.
//
// The window shows the picture 1:1 from its top-left corner, so these are also
// window pixels. Boxes are inclusive pixel ranges. Circles are centred on a
// pixel: a pixel belongs to a circle of radius r when the distance between its
// index and the centre's index is at most r (pixel-centre sampling); the
// painting code uses the same circles shifted by half a pixel, so what is drawn
// and what is cut out by the key colour line up.
#pragma once

namespace skin {

inline constexpr int kWidth = 361;   // the window is 361 x 328; rows 328-330
inline constexpr int kHeight = 331;  // hold the bottom of ring A and never show

struct Rgb {
    int r, g, b;
};

// Pure red: the colour the window never draws and the mouse goes through.
inline constexpr Rgb kKeyColour{255, 0, 0};
inline constexpr Rgb kFrameBlue{36, 46, 122};
inline constexpr Rgb kLogoOutline{153, 153, 153};

struct Box {
    int left, top, right, bottom;  // inclusive
    constexpr int width() const { return right - left + 1; }
    constexpr int height() const { return bottom - top + 1; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

struct Circle {
    double cx, cy, r;
};

// A metal ring round its centre (ring A's nominal radii are 121 to 139, ring
// B's 119 to 138), a band with bevelled edges. Its outline lies between two
// circles whose centres sit a few pixels above and below the ring's centre:
// the band is 22 pixels wide at the bottom and narrows towards the top, where
// the logo panel hides it, as on a ring seen slightly from above.
struct Ring {
    int cx, cy;
    Circle edgeInner, edgeOuter;
};

// Ring A crosses column 180 at y 309-330, ring B at y 269-291. Ring A's outer
// edge leaves exactly x 150-210 of row 327, the window's last row.
inline constexpr Ring kRingA{180, 190, {180, 188.5, 120.1}, {180, 193.5, 136.85}};
inline constexpr Ring kRingB{180, 152, {180, 149.6, 119.0}, {180, 154, 137.4}};

inline constexpr Box kLogoPanel{107, 2, 252, 122};
inline constexpr Box kLogoWhite{109, 4, 250, 120};
inline constexpr double kLogoCornerRadius = 8.0;

// The horizontal bar that carries the three frames, full width.
inline constexpr Box kBar{0, 123, 360, 248};

inline constexpr Box kFrames[3] = {{74, 123, 285, 159}, {74, 167, 285, 203}, {74, 212, 285, 248}};
inline constexpr Box kFrameWhites[3] = {{78, 127, 281, 156}, {78, 171, 281, 200}, {78, 216, 281, 245}};
inline constexpr double kFrameCornerRadius = 6.0;

// The amount fields lie in the frames' white, 10 pixels in from its left
// edge and 8 from its right: x 88-273, y 132-152, 176-196 and 220-240.
inline constexpr Box kPlates[3] = {{303, 132, 347, 154}, {303, 176, 347, 198}, {303, 220, 347, 242}};
inline constexpr Box kPlateTexts[3] = {{309, 136, 340, 153}, {313, 181, 336, 193}, {314, 223, 334, 240}};
inline constexpr const char* kPlateLabels[3] = {"Cfp", "FF", "\u20ac"};

inline constexpr Box kLeftPanel{0, 102, 68, 266};
inline constexpr Box kLeftFace{8, 109, 63, 259};
inline constexpr Box kRightPanel{292, 102, 360, 266};
inline constexpr Box kRightFace{297, 109, 352, 259};
inline constexpr double kPanelCornerRadius = 18.0;

// "CALCULATOR", turned to read from bottom to top.
inline constexpr Box kCaption{28, 122, 43, 251};

// Close button: a disc 35 pixels across centred on (342, 80), x 325-359, y 63-97.
inline constexpr int kCloseCx = 342, kCloseCy = 80;
inline constexpr double kCloseRadius = 17.5;
inline constexpr Box kCloseFace{329, 66, 356, 93};
inline constexpr Box kCloseMark{334, 73, 350, 86};

// A key-coloured gap between two frames, in the bar's metal: its left and
// right ends move in a straight line from the first row to the last.
struct Gap {
    int top, bottom;
    int topLeft, topRight;
    int bottomLeft, bottomRight;
};
inline constexpr Gap kGaps[2] = {{160, 166, 155, 206, 164, 196}, {205, 211, 159, 202, 149, 211}};

}  // namespace skin
