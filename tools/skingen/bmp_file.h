// Windows bitmap files, written byte by byte so that the header is exactly
// the classic one: a 14-byte file header and a 40-byte info header.
#pragma once

#include <QByteArray>
#include <QImage>

namespace skin {

// An uncompressed 24-bit bottom-up BMP of img, without palette, each row
// padded to a multiple of 4 bytes; 96 dots per inch. For the 361 x 331 skin:
// 54 + 331 * 1084 = 358,858 bytes.
QByteArray encodeBmp24(const QImage& img);

// Appends v as 2 or 4 little-endian bytes.
void putLe16(QByteArray& out, int v);
void putLe32(QByteArray& out, long v);

// The 40-byte BITMAPINFOHEADER.
void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, int imageBytes,
                   int coloursUsed);

}  // namespace skin
