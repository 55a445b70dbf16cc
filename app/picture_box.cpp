#include "picture_box.h"

#include <QPainter>

#include <limits>

namespace quillory {
namespace {

template <typename Value> Value ReadLittleEndian(const Bytes& bytes, std::size_t offset)
{
    Value value = 0;
    for (std::size_t index = 0; index < sizeof(Value); ++index) {
        value |= static_cast<Value>(static_cast<Value>(bytes[offset + index]) << (8 * index));
    }
    return value;
}

// Whether the bytes hold a whole BMP file. A cut-off file would otherwise be
// decoded into a picture whose missing rows are whatever memory held.
bool IsCompleteBmp(const Bytes& bytes)
{
    constexpr std::size_t kFileHeaderSize = 14;
    constexpr std::size_t kCoreHeaderSize = 12;
    if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const std::uint64_t fileSize = ReadLittleEndian<std::uint32_t>(bytes, 2);
    const std::uint64_t pixelOffset = ReadLittleEndian<std::uint32_t>(bytes, 10);
    const std::uint32_t infoSize = ReadLittleEndian<std::uint32_t>(bytes, 14);
    if (fileSize > bytes.size() || pixelOffset > bytes.size() || kFileHeaderSize + infoSize > bytes.size()) {
        return false;
    }

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == kCoreHeaderSize) {
        width = ReadLittleEndian<std::uint16_t>(bytes, 18);
        height = ReadLittleEndian<std::uint16_t>(bytes, 20);
        bitsPerPixel = ReadLittleEndian<std::uint16_t>(bytes, 24);
    } else if (infoSize >= 40) {
        width = static_cast<std::int32_t>(ReadLittleEndian<std::uint32_t>(bytes, 18));
        height = static_cast<std::int32_t>(ReadLittleEndian<std::uint32_t>(bytes, 22));
        bitsPerPixel = ReadLittleEndian<std::uint16_t>(bytes, 28);
        compression = ReadLittleEndian<std::uint32_t>(bytes, 30);
    } else {
        return false;
    }

    // Uncompressed rows (plain or with bit-field masks) have a known extent;
    // compressed ones are bounded by the file size checked above.
    constexpr std::uint32_t kRgb = 0;
    constexpr std::uint32_t kBitFields = 3;
    constexpr std::uint32_t kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) {
        return true;
    }
    if (width <= 0 || height == 0 || bitsPerPixel == 0 || bitsPerPixel > 32) {
        return false;
    }
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    return rowBytes * rows <= bytes.size() - pixelOffset;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetPicture(const Bytes& bytes)
{
    picture_ = QImage();
    if (bytes.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max()) && IsCompleteBmp(bytes)) {
        picture_ = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    }
    update();
    emit pictureChanged();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) {
        painter.drawImage(QPoint(0, 0), picture_);
    }
}

} // namespace quillory
