#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>
#include <string>

namespace quillory {

// The size fields of a BMP file's headers, read straight from the bytes.
struct BmpHeader {
    std::uint32_t fileSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows stored bottom-up
    int bitsPerPixel = 0;
};
std::optional<BmpHeader> ReadBmpHeader(const QByteArray& file);

QByteArray ReadWholeFile(const QString& path);

// Encodes `image` as BMP bytes, the way a test hands a picture to a widget.
QByteArray EncodeBmp(const QImage& image);

// The first pixel in `area` whose colour (alpha ignored) is not `expected`,
// described as "x, y: expected 0x..., actual 0x..."; empty when all match.
std::string FirstPixelNotOf(const QImage& image, const QRect& area, QRgb expected);

// How many pixels in `area` differ from `background` (alpha ignored).
int CountInk(const QImage& image, const QRect& area, QRgb background);

// The first pixel in `area` that is neither the background nor a blend of the
// background with `ink` (each channel within 3 of the same mix), described as
// in FirstPixelNotOf; empty when every pixel is.
std::string FirstPixelOffBlend(const QImage& image, const QRect& area, QRgb background, QRgb ink);

} // namespace quillory
