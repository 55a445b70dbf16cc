#include "bmp_pixels.h"

#include <QBuffer>
#include <QFile>

#include <cmath>
#include <cstring>
#include <sstream>

namespace quillory {
namespace {

template <typename Value> Value ReadLittleEndian(const QByteArray& bytes, int offset)
{
    Value value{};
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

std::string Describe(int x, int y, QRgb expected, QRgb actual)
{
    std::ostringstream text;
    text << x << ", " << y << ": expected 0x" << std::hex << (expected & 0xFFFFFFu) << ", actual 0x"
         << (actual & 0xFFFFFFu);
    return text.str();
}

bool SameColour(QRgb left, QRgb right)
{
    return (left & 0xFFFFFFu) == (right & 0xFFFFFFu);
}

} // namespace

std::optional<BmpHeader> ReadBmpHeader(const QByteArray& file)
{
    constexpr int kHeadersSize = 14 + 40;
    if (file.size() < kHeadersSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    BmpHeader header;
    header.fileSize = ReadLittleEndian<std::uint32_t>(file, 2);
    header.width = ReadLittleEndian<std::int32_t>(file, 18);
    header.height = ReadLittleEndian<std::int32_t>(file, 22);
    header.bitsPerPixel = ReadLittleEndian<std::uint16_t>(file, 28);
    return header;
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QByteArray EncodeBmp(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

std::string FirstPixelNotOf(const QImage& image, const QRect& area, QRgb expected)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb actual = image.pixel(x, y);
            if (!SameColour(actual, expected)) {
                return Describe(x, y, expected, actual);
            }
        }
    }
    return {};
}

int CountInk(const QImage& image, const QRect& area, QRgb background)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += SameColour(image.pixel(x, y), background) ? 0 : 1;
        }
    }
    return count;
}

std::string FirstPixelOffBlend(const QImage& image, const QRect& area, QRgb background, QRgb ink)
{
    const int channels[3][2] = {
        {qRed(background), qRed(ink)}, {qGreen(background), qGreen(ink)}, {qBlue(background), qBlue(ink)}};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb actual = image.pixel(x, y);
            const int values[3] = {qRed(actual), qGreen(actual), qBlue(actual)};
            // The mix is taken from the channel where background and ink differ most.
            int widest = 0;
            for (int channel = 1; channel < 3; ++channel) {
                if (std::abs(channels[channel][1] - channels[channel][0]) >
                    std::abs(channels[widest][1] - channels[widest][0])) {
                    widest = channel;
                }
            }
            const double span = channels[widest][1] - channels[widest][0];
            const double mix = span == 0 ? 0.0 : (values[widest] - channels[widest][0]) / span;
            bool blended = mix >= -0.02 && mix <= 1.02;
            for (int channel = 0; channel < 3 && blended; ++channel) {
                const double expected = channels[channel][0] + mix * (channels[channel][1] - channels[channel][0]);
                blended = std::abs(values[channel] - expected) <= 3.0;
            }
            if (!blended) {
                return Describe(x, y, ink, actual);
            }
        }
    }
    return {};
}

} // namespace quillory
