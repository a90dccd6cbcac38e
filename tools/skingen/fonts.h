// The type faces of the skin and the icon, loaded from their font files so
// that every run draws the same glyphs whatever fonts the machine prefers.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace skin {

struct Fonts {
    QFont labelSerif;  // the currency labels: bold serif
    QFont caption;     // "CALCULATOR": narrow bold sans serif capitals
    QFont logo;        // the logo's letter and word mark: bold sans serif
};

// Loads the three faces from fontDir (the Debian font directory by default).
// Throws std::runtime_error naming the file when one cannot be loaded.
Fonts loadFonts(const QString& fontDir);

// The outline of a text at a large size, moved and scaled so that its ink
// fits the given rectangle, centred. The two axes may differ in scale by at
// most maxStretch (1.0 keeps the letters' proportions exactly).
QPainterPath fittedText(const QFont& font, const QString& text, const QRectF& box,
                        double maxStretch = 1.0);

}  // namespace skin
