// Windows icon files with one 16-colour image.
#pragma once

#include <QByteArray>
#include <QImage>

namespace skin {

// An .ico holding one image: img must be QImage::Format_Indexed8 with at most
// 16 colours, 32 x 32 or smaller (width and height at most 255). Pixels whose
// palette entry has alpha below 128 become transparent through the AND mask
// (and are stored as colour 0). The image is a 4-bit DIB: a 40-byte info
// header with the doubled height of colour and mask, 16 palette entries, the
// colour rows and the mask rows, both bottom-up and padded to 4 bytes.
QByteArray encodeIco4(const QImage& img);

}  // namespace skin
