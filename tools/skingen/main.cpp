// skingen: draws the skin picture and the application icon and writes them
// into a directory (the source tree's assets/ when run by the skin-assets
// target):
//
//   skingen OUTPUT_DIR [FONT_DIR]
//
// writes skin.bmp, plinvor.ico, plinvor.png (the icon's 32 x 32 16-colour
// image), plinvor-48.png and plinvor-128.png. FONT_DIR defaults to Debian's
// /usr/share/fonts/truetype. The output depends on nothing but the fonts and
// the code: no clock, no randomness, no display.

#include "bmp_file.h"
#include "fonts.h"
#include "icon_art.h"
#include "ico_file.h"
#include "skin_art.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray png(const QImage& img) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG")) throw std::runtime_error("PNG encoding failed");
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [FONT_DIR]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");  // draws into images only
    QGuiApplication app(argc, argv);
    try {
        const QDir out(QString::fromLocal8Bit(argv[1]));
        if (!out.exists() && !QDir().mkpath(out.path()))
            throw std::runtime_error("cannot create " + out.path().toStdString());
        const skin::Fonts fonts =
            skin::loadFonts(argc > 2 ? QString::fromLocal8Bit(argv[2]) : "/usr/share/fonts/truetype");

        writeFile(out.filePath("skin.bmp"), skin::encodeBmp24(skin::paintSkin(fonts)));

        const QImage icon = skin::toIconPalette(skin::paintIcon(32, fonts));
        writeFile(out.filePath("plinvor.ico"), skin::encodeIco4(icon));
        writeFile(out.filePath("plinvor.png"), png(icon.convertToFormat(QImage::Format_ARGB32)));
        for (int size : {48, 128})
            writeFile(out.filePath(QString("plinvor-%1.png").arg(size)), png(skin::paintIcon(size, fonts)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
