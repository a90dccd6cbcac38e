#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <stdexcept>

namespace skin {

// Every face we use is a bold one.
static QFont boldFontFromFile(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) throw std::runtime_error("cannot load font " + path.toStdString());
    QFont font(families.front());
    font.setPixelSize(200);  // outlines are taken large and scaled down
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

Fonts loadFonts(const QString& fontDir) {
    Fonts fonts{boldFontFromFile(fontDir + "/dejavu/DejaVuSerif-Bold.ttf"),
                boldFontFromFile(fontDir + "/liberation/LiberationSansNarrow-Bold.ttf"),
                boldFontFromFile(fontDir + "/dejavu/DejaVuSans-Bold.ttf")};
    // Engraved capitals are spaced out a little, which also lets the caption
    // run the full height of the panel.
    fonts.caption.setLetterSpacing(QFont::AbsoluteSpacing, 16);
    return fonts;
}

QPainterPath fittedText(const QFont& font, const QString& text, const QRectF& box, double maxStretch) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    const double sx = box.width() / ink.width(), sy = box.height() / ink.height();
    const double s = std::min(sx, sy);
    const double fx = std::min(sx, s * maxStretch), fy = std::min(sy, s * maxStretch);
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(fx, fy);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(path);
}

}  // namespace skin
