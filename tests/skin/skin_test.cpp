// Checks the committed skin picture (assets/skin.bmp) and application icon
// (assets/plinvor.ico) against what the window relies on: the file format, the
// key colour (255, 0, 0) exactly where the desktop must show through, the
// white wells where the amount fields sit, the colours of the frames, labels
// and close button. The files are read with a small reader of our own, not
// with the generator's code, and no display is needed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 361, kHeight = 331;

struct Rgb {
    int r, g, b;
    friend bool operator==(Rgb, Rgb) = default;
    friend std::ostream& operator<<(std::ostream& os, Rgb c) {
        return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
    }
};
constexpr Rgb kKey{255, 0, 0}, kWhite{255, 255, 255}, kFrameBlue{36, 46, 122}, kOutlineGrey{153, 153, 153};

struct Box {
    int left, top, right, bottom;  // inclusive
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

std::vector<std::uint8_t> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::vector<std::uint8_t>& d, std::size_t offset, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | d.at(offset + i);
    return v;
}

// The skin as the window sees it: pixel (x, y) counted from the top left.
class Skin {
public:
    static const Skin& get() {
        static const Skin skin(readFile(SKIN_BMP));
        return skin;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    Rgb at(int x, int y) const {
        const std::size_t stride = (kWidth * 3 + 3) / 4 * 4;
        const std::size_t o = 54 + (kHeight - 1 - y) * stride + x * 3;  // rows stored bottom-up
        return {bytes_.at(o + 2), bytes_.at(o + 1), bytes_.at(o)};
    }
    bool key(int x, int y) const { return at(x, y) == kKey; }

private:
    explicit Skin(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::vector<std::uint8_t> bytes_;
};

// ---------------------------------------------------------------- file format

struct Field {
    const char* name;
    std::size_t offset;
    int bytes;
    std::uint32_t expected;
};

TEST(SkinFile, IsA358858ByteBottomUp24BitBitmapWithA40ByteInfoHeader) {
    const auto& d = Skin::get().bytes();
    ASSERT_EQ(d.size(), 358858u);
    const Field fields[] = {
        {"signature", 0, 2, 'B' | 'M' << 8},
        {"file size", 2, 4, 358858},
        {"reserved", 6, 4, 0},
        {"pixel data offset (no palette)", 10, 4, 54},
        {"info header size", 14, 4, 40},
        {"width", 18, 4, 361},
        {"height, positive: bottom-up", 22, 4, 331},
        {"planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression: none", 30, 4, 0},
        {"image size: 331 rows of 1084 bytes", 34, 4, 358804},
        {"colours used", 46, 4, 0},
    };
    for (const Field& f : fields) EXPECT_EQ(le(d, f.offset, f.bytes), f.expected) << f.name;
}

// ----------------------------------------------------------------- key colour

TEST(SkinKeyColour, CoversBetween37400And38200Pixels) {
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) count += Skin::get().key(x, y);
    EXPECT_GE(count, 37400);
    EXPECT_LE(count, 38200);
}

TEST(SkinKeyColour, NoOtherPixelHasARedTint) {
    int tinted = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = Skin::get().at(x, y);
            if (c != kKey && c.r > std::max(c.g, c.b) + 1) {
                if (++tinted <= 5) ADD_FAILURE() << "red-tinted " << c << " at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(tinted, 0);
}

struct Point {
    const char* what;
    int x, y;
    bool key;
};

void PrintTo(const Point& p, std::ostream* os) { *os << p.what << " (" << p.x << ", " << p.y << ")"; }

class SkinPoint : public testing::TestWithParam<Point> {};

TEST_P(SkinPoint, IsKeyColouredOrArtworkAsStated) {
    const Point& p = GetParam();
    EXPECT_EQ(Skin::get().key(p.x, p.y), p.key) << p.what << " at (" << p.x << ", " << p.y << ") is "
                                                << Skin::get().at(p.x, p.y);
}

INSTANTIATE_TEST_SUITE_P(
    Outline, SkinPoint,
    testing::Values(
        Point{"gap between frames 1 and 2, where a press reaches the window beneath", 180, 163, true},
        Point{"the close disc's last column, outside the hotspot", 359, 80, false},
        Point{"the hotspot's last column", 358, 80, false},
        Point{"the close disc's first column", 325, 80, false},
        Point{"left of the close disc", 324, 80, true},
        Point{"right of the close disc", 360, 80, true},
        Point{"above the close disc", 342, 62, true},
        Point{"the close disc's last row, outside the hotspot", 342, 97, false},
        Point{"below the close disc", 342, 98, true},
        Point{"top-left corner", 0, 0, true},
        Point{"top-right corner", 360, 0, true},
        Point{"bottom-left corner", 0, 330, true},
        Point{"above the logo panel", 180, 1, true},
        Point{"the logo panel's top edge", 180, 2, false},
        Point{"hole under the frames inside ring B", 180, 258, true},
        Point{"ring B's inner edge on column 180", 180, 268, true},
        Point{"ring B's first row on column 180", 180, 269, false},
        Point{"ring B's last row on column 180", 180, 291, false},
        Point{"hole between the lower arcs of the rings", 180, 292, true},
        Point{"hole between the lower arcs, lower down", 180, 300, true},
        Point{"hole between the lower arcs, just above ring A", 180, 308, true},
        Point{"ring A's first row on column 180", 180, 309, false},
        Point{"ring A's last row on column 180 (bitmap only)", 180, 330, false},
        Point{"hole between the ring bands left of the logo panel", 100, 72, true},
        Point{"hole between the ring bands right of the logo panel", 260, 72, true},
        Point{"hole beside the logo panel's lower left corner", 95, 110, true},
        Point{"hole beside the logo panel's lower right corner", 265, 110, true},
        Point{"left panel, outer edge", 0, 180, false},
        Point{"right panel, outer edge", 360, 180, false}));

// Each enclosed key-coloured area, named by a point inside it.
const Point kEnclosed[] = {
    {"gap between frames 1 and 2", 180, 163, true},
    {"gap between frames 2 and 3", 180, 208, true},
    {"hole under the frames inside ring B", 180, 258, true},
    {"hole between the lower arcs of the two rings", 180, 300, true},
    {"hole between the ring bands left of the logo panel", 100, 72, true},
    {"hole between the ring bands right of the logo panel", 260, 72, true},
    {"hole beside the logo panel's lower left corner", 95, 110, true},
    {"hole beside the logo panel's lower right corner", 265, 110, true},
};

// Labels every 4-connected key-coloured area; -1 for artwork.
struct KeyAreas {
    std::vector<int> label = std::vector<int>(kWidth * kHeight, -1);
    std::vector<bool> touchesBorder;

    KeyAreas() {
        const Skin& s = Skin::get();
        for (int y0 = 0; y0 < kHeight; ++y0) {
            for (int x0 = 0; x0 < kWidth; ++x0) {
                if (!s.key(x0, y0) || label[y0 * kWidth + x0] >= 0) continue;
                const int id = static_cast<int>(touchesBorder.size());
                touchesBorder.push_back(false);
                std::vector<std::pair<int, int>> todo{{x0, y0}};
                label[y0 * kWidth + x0] = id;
                while (!todo.empty()) {
                    const auto [x, y] = todo.back();
                    todo.pop_back();
                    if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) touchesBorder[id] = true;
                    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) continue;
                        if (!s.key(nx, ny) || label[ny * kWidth + nx] >= 0) continue;
                        label[ny * kWidth + nx] = id;
                        todo.push_back({nx, ny});
                    }
                }
            }
        }
    }
    int at(int x, int y) const { return label[y * kWidth + x]; }
};

TEST(SkinKeyColour, FillsTheSurroundTheTwoGapsAndSixEnclosedHolesAndNothingElse) {
    const KeyAreas areas;
    std::vector<int> named;
    for (const Point& p : kEnclosed) {
        const int id = areas.at(p.x, p.y);
        ASSERT_GE(id, 0) << p.what << " is not key-coloured";
        EXPECT_FALSE(areas.touchesBorder[id]) << p.what << " is open to the surround";
        EXPECT_EQ(std::count(named.begin(), named.end(), id), 0) << p.what << " runs into another hole";
        named.push_back(id);
    }
    for (int id = 0; id < static_cast<int>(areas.touchesBorder.size()); ++id) {
        const bool isNamed = std::count(named.begin(), named.end(), id) > 0;
        EXPECT_TRUE(areas.touchesBorder[id] || isNamed) << "stray enclosed key-coloured area " << id;
    }
}

// The key-coloured pixels of a row, as one run; {-1, -1} when there are none
// and {-2, -2} when they do not form a single run.
std::pair<int, int> keyRun(int y, int from = 0, int to = kWidth - 1) {
    int first = -1, last = -1, runs = 0;
    for (int x = from; x <= to; ++x) {
        if (!Skin::get().key(x, y)) continue;
        if (last != x - 1) ++runs;
        if (first < 0) first = x;
        last = x;
    }
    return runs > 1 ? std::pair{-2, -2} : std::pair{first, last};
}

struct GapRows {
    const char* what;
    int top, bottom;
    std::pair<int, int> first, last;  // the key-coloured run on the top and bottom rows
};

TEST(SkinBar, RowsOfTheBarAreOpaqueAcrossTheWidthExceptTheTwoGaps) {
    const GapRows gaps[] = {
        {"gap between frames 1 and 2, narrowing", 160, 166, {155, 206}, {164, 196}},
        {"gap between frames 2 and 3, widening", 205, 211, {159, 202}, {149, 211}},
    };
    for (int y = 123; y <= 248; ++y) {
        const GapRows* gap = nullptr;
        for (const GapRows& g : gaps)
            if (y >= g.top && y <= g.bottom) gap = &g;
        const auto run = keyRun(y);
        if (!gap) {
            EXPECT_EQ(run, (std::pair{-1, -1})) << "row " << y << " should be opaque across the width";
            continue;
        }
        if (y == gap->top) {
            EXPECT_EQ(run, gap->first) << gap->what << ", row " << y;
        }
        if (y == gap->bottom) {
            EXPECT_EQ(run, gap->last) << gap->what << ", row " << y;
        }
        // In between, each end moves steadily from its first place to its last.
        const auto prev = keyRun(y == gap->top ? y : y - 1);
        auto between = [](int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); };
        EXPECT_TRUE(between(run.first, prev.first, gap->last.first) &&
                    between(run.second, prev.second, gap->last.second))
            << gap->what << ", row " << y << ": " << run.first << "-" << run.second;
    }
}

TEST(SkinOutline, LastWindowRowIsAStraightEdgeFrom150To210AndNothingLowerSticksOut) {
    for (int x = 0; x < kWidth; ++x)
        EXPECT_EQ(Skin::get().key(x, 327), x < 150 || x > 210) << "row 327, x " << x;
    for (int y = 328; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (x < 150 || x > 210) {
                EXPECT_TRUE(Skin::get().key(x, y)) << "(" << x << ", " << y << ")";
            }
}

TEST(SkinOutline, CloseDiscStandsAloneInTheKeyColour) {
    for (int y = 55; y <= 105; ++y) {
        for (int x = 315; x < kWidth; ++x) {
            const double d = std::hypot(x - 342, y - 80);
            if (d > 18.0 && d <= 21.0) {
                EXPECT_TRUE(Skin::get().key(x, y)) << "(" << x << ", " << y << ")";
            }
        }
    }
}

// ---------------------------------------------------------- where fields sit

struct Well {
    Box white;  // the frame's white inside
    Box field;  // the amount field lying in it
};

TEST(SkinFrames, WhiteInsidesHoldTheAmountFieldsAndStopAtTheBorder) {
    const Well wells[] = {
        {{78, 127, 281, 156}, {88, 132, 273, 152}},
        {{78, 171, 281, 200}, {88, 176, 273, 196}},
        {{78, 216, 281, 245}, {88, 220, 273, 240}},
    };
    for (const Well& w : wells) {
        EXPECT_TRUE(w.white.contains(w.field.left, w.field.top) && w.white.contains(w.field.right, w.field.bottom));
        EXPECT_EQ(w.field.left - w.white.left, 10);   // fields sit 10 pixels in from the left
        EXPECT_EQ(w.white.right - w.field.right, 8);  // and 8 from the right
        int notWhite = 0;
        for (int y = w.white.top; y <= w.white.bottom; ++y)
            for (int x = w.white.left; x <= w.white.right; ++x) notWhite += Skin::get().at(x, y) != kWhite;
        EXPECT_EQ(notWhite, 0) << "frame white at y " << w.white.top;
        const int midY = (w.white.top + w.white.bottom) / 2, midX = 180;
        EXPECT_NE(Skin::get().at(w.white.left - 1, midY), kWhite);
        EXPECT_NE(Skin::get().at(w.white.right + 1, midY), kWhite);
        EXPECT_NE(Skin::get().at(midX, w.white.top - 1), kWhite);
        EXPECT_NE(Skin::get().at(midX, w.white.bottom + 1), kWhite);
    }
}

struct Swatch {
    const char* what;
    int x, y;
    Rgb colour;
};

void PrintTo(const Swatch& s, std::ostream* os) { *os << s.what << " (" << s.x << ", " << s.y << ")"; }

class SkinColour : public testing::TestWithParam<Swatch> {};

TEST_P(SkinColour, IsExactlyTheStatedColour) {
    const Swatch& s = GetParam();
    EXPECT_EQ(Skin::get().at(s.x, s.y), s.colour) << s.what << " at (" << s.x << ", " << s.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Elements, SkinColour,
    testing::Values(Swatch{"frame 1 left border", 75, 140, kFrameBlue},
                    Swatch{"frame 1 right border", 284, 140, kFrameBlue},
                    Swatch{"frame 1 top border", 180, 124, kFrameBlue},
                    Swatch{"frame 1 bottom border", 180, 159, kFrameBlue},
                    Swatch{"frame 2 left border", 74, 185, kFrameBlue},
                    Swatch{"frame 2 top border", 180, 167, kFrameBlue},
                    Swatch{"frame 2 bottom border", 180, 203, kFrameBlue},
                    Swatch{"frame 3 right border", 285, 230, kFrameBlue},
                    Swatch{"frame 3 top border", 180, 212, kFrameBlue},
                    Swatch{"frame 3 bottom border", 180, 248, kFrameBlue},
                    Swatch{"logo panel outline, left", 107, 60, kOutlineGrey},
                    Swatch{"logo panel outline, right", 252, 60, kOutlineGrey},
                    Swatch{"logo panel outline, top", 180, 2, kOutlineGrey},
                    Swatch{"logo panel outline, bottom", 180, 122, kOutlineGrey},
                    Swatch{"logo panel white, left", 109, 60, kWhite},
                    Swatch{"logo panel white, bottom", 180, 120, kWhite},
                    Swatch{"close button face, left of the mark", 331, 80, kWhite},
                    Swatch{"close button face, right of the mark", 354, 80, kWhite},
                    Swatch{"close button face, above the mark", 342, 69, kWhite},
                    Swatch{"close button mark, where its strokes cross", 342, 80, kFrameBlue}));

// Counts pixels in box for which pick is true, and their bounding box.
template <class Pick>
std::pair<int, Box> inkIn(const Box& box, Pick pick) {
    int n = 0;
    Box ink{kWidth, kHeight, -1, -1};
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (!pick(Skin::get().at(x, y))) continue;
            ++n;
            ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y)};
        }
    }
    return {n, ink};
}

bool blackInk(Rgb c) { return std::max({c.r, c.g, c.b}) <= 96; }
bool blueInk(Rgb c) { return c.b >= c.r + 40 && c.b >= c.g + 30 && c.r <= 160; }
bool lightLetters(Rgb c) { return std::min({c.r, c.g, c.b}) >= 206; }

struct Inked {
    const char* what;
    Box around;  // where to look: inside the plate or panel face, clear of its edge
    Box text;    // where all of the ink must lie
    bool (*ink)(Rgb);
};

TEST(SkinLabels, InkStaysInsideItsTextBoxAndFillsIt) {
    const Inked cases[] = {
        {"Cfp on label plate 1", {305, 134, 345, 152}, {309, 136, 340, 153}, blackInk},
        {"FF on label plate 2", {305, 178, 345, 196}, {313, 181, 336, 193}, blackInk},
        {"euro sign on label plate 3", {305, 222, 345, 240}, {314, 223, 334, 240}, blackInk},
        {"close button's x mark", {327, 64, 357, 95}, {334, 73, 350, 86}, blueInk},
        {"CALCULATOR on the left panel", {11, 112, 60, 256}, {28, 122, 43, 251}, lightLetters},
    };
    for (const Inked& c : cases) {
        const int all = inkIn(c.around, c.ink).first;
        const auto [inside, insideBox] = inkIn(c.text, c.ink);
        // At least 15% of the box inked, so a missing or tiny text fails.
        const int area = (c.text.right - c.text.left + 1) * (c.text.bottom - c.text.top + 1);
        EXPECT_GE(inside * 100, area * 15) << c.what << ": " << inside << " ink pixels";
        // Every ink pixel round the text lies in the text box.
        const Box clipped{std::max(c.around.left, c.text.left), std::max(c.around.top, c.text.top),
                          std::min(c.around.right, c.text.right), std::min(c.around.bottom, c.text.bottom)};
        EXPECT_EQ(all, inkIn(clipped, c.ink).first) << c.what << " spills out of its text box";
        // The text fills its box in width or in height.
        const int w = insideBox.right - insideBox.left, h = insideBox.bottom - insideBox.top;
        EXPECT_TRUE(w >= c.text.right - c.text.left - 2 || h >= c.text.bottom - c.text.top - 2)
            << c.what << " is " << w + 1 << " x " << h + 1;
    }
}

// ------------------------------------------------------------------ the icon

TEST(Icon, IsOne32x32SixteenColourImageWithItsMask) {
    const auto d = readFile(PLINVOR_ICO);
    ASSERT_EQ(d.size(), 22u + 40 + 16 * 4 + 32 * 16 + 32 * 4);
    const Field fields[] = {
        {"reserved", 0, 2, 0},
        {"type: icon", 2, 2, 1},
        {"image count", 4, 2, 1},
        {"width", 6, 1, 32},
        {"height", 7, 1, 32},
        {"palette size", 8, 1, 16},
        {"planes", 10, 2, 1},
        {"bits per pixel", 12, 2, 4},
        {"image bytes", 14, 4, static_cast<std::uint32_t>(d.size() - 22)},
        {"image offset", 18, 4, 22},
        {"DIB header size", 22, 4, 40},
        {"DIB width", 26, 4, 32},
        {"DIB height: colour and mask", 30, 4, 64},
        {"DIB planes", 34, 2, 1},
        {"DIB bits per pixel", 36, 2, 4},
        {"DIB compression: none", 38, 4, 0},
    };
    for (const Field& f : fields) EXPECT_EQ(le(d, f.offset, f.bytes), f.expected) << f.name;

    // The picture: a round emblem, so the corners are transparent, the middle
    // opaque, and the opaque part uses many of the 16 colours.
    const std::size_t colours = 22 + 40 + 64, mask = colours + 32 * 16;
    auto transparent = [&](int x, int y) {  // y from the top
        return (d[mask + (31 - y) * 4 + x / 8] >> (7 - x % 8) & 1) != 0;
    };
    auto index = [&](int x, int y) { return d[colours + (31 - y) * 16 + x / 2] >> (x % 2 ? 0 : 4) & 0xF; };
    EXPECT_TRUE(transparent(0, 0) && transparent(31, 0) && transparent(0, 31) && transparent(31, 31));
    EXPECT_FALSE(transparent(16, 16));
    std::vector<int> used;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (!transparent(x, y) && std::count(used.begin(), used.end(), index(x, y)) == 0)
                used.push_back(index(x, y));
    EXPECT_GE(used.size(), 8u);
}

}  // namespace
