// The renderer through the real engine, checked by the pixels of the BMP file
// it returns.

#include "imaging_startup.h"
#include "renderer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace quillory {
namespace {

// The pixels of a 32-bit bottom-up BMP file as the engine writes it.
class BmpPicture {
public:
    explicit BmpPicture(const Bytes& file) : file_(file)
    {
        if (file_.size() < 54 || file_[0] != 'B' || file_[1] != 'M')
            return;
        offset_ = Read32(10);
        width_ = static_cast<int>(Read32(18));
        height_ = static_cast<int>(Read32(22));
        bits_ = Read16(28);
    }

    bool valid() const
    {
        return bits_ == 32 && width_ > 0 && height_ > 0 &&
            file_.size() >= offset_ + static_cast<std::size_t>(width_) * height_ * 4;
    }
    int width() const { return width_; }
    int height() const { return height_; }

    // 0xAARRGGBB; row 0 is the top of the picture.
    std::uint32_t pixel(int x, int y) const
    {
        std::size_t at = offset_ + (static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 4;
        return file_[at] | (file_[at + 1] << 8) | (file_[at + 2] << 16) | (std::uint32_t(file_[at + 3]) << 24);
    }

    // The smallest box holding every pixel of columns [left, right) that is
    // not `background`; nothing when the columns are plain.
    struct Box {
        int left, top, right, bottom;
    };
    std::optional<Box> ink(int left, int right, std::uint32_t background) const
    {
        std::optional<Box> box;
        for (int y = 0; y < height_; ++y)
            for (int x = left; x < right; ++x)
                if (pixel(x, y) != background) {
                    if (!box)
                        box = Box{x, y, x + 1, y + 1};
                    box->left = std::min(box->left, x);
                    box->top = std::min(box->top, y);
                    box->right = std::max(box->right, x + 1);
                    box->bottom = std::max(box->bottom, y + 1);
                }
        return box;
    }

private:
    std::uint32_t Read32(std::size_t at) const
    {
        std::uint32_t value;
        std::memcpy(&value, file_.data() + at, 4);
        return value;
    }
    std::uint16_t Read16(std::size_t at) const
    {
        std::uint16_t value;
        std::memcpy(&value, file_.data() + at, 2);
        return value;
    }

    const Bytes& file_;
    std::size_t offset_ = 0;
    int width_ = 0;
    int height_ = 0;
    int bits_ = 0;
};

constexpr std::uint32_t LeftBackground = 0xFFFF7D7D;
constexpr std::uint32_t RightBackground = 0xFFB7FF9B;
const std::string Latin = "DejaVu Sans";
const std::string Chinese = "Noto Sans CJK SC";

class RenderBackgroundTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(StartImaging(), 0u); }
    void TearDown() override { StopImaging(); }

    static Bytes Render(int width, int height, const std::string& leftText, const std::string& rightText,
        const std::string& leftFont = Latin, const std::string& rightFont = Latin)
    {
        return RenderBackground(
            width, height, leftFont, rightFont, leftText, rightText, 0x000000, 0x000000, 0x7D7DFF, 0x9BFFB7);
    }
};

TEST_F(RenderBackgroundTest, EmptyTextsGiveTwoPlainColumns)
{
    Bytes file = Render(230, 320, "", "");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.width(), 230);
    EXPECT_EQ(picture.height(), 320);
    EXPECT_FALSE(picture.ink(0, 115, LeftBackground)) << "left column not plain";
    EXPECT_FALSE(picture.ink(115, 230, RightBackground)) << "right column not plain";
}

TEST_F(RenderBackgroundTest, OddWidthLeavesTheLastColumnTransparentBlack)
{
    Bytes file = Render(231, 40, "", "");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(picture.pixel(114, y), LeftBackground) << "y " << y;
        ASSERT_EQ(picture.pixel(115, y), RightBackground) << "y " << y;
        ASSERT_EQ(picture.pixel(230, y), 0x00000000u) << "y " << y;
    }
}

TEST_F(RenderBackgroundTest, TextIsCentredInItsColumnAndStartsJustBelowOneTenth)
{
    Bytes file = Render(1080, 1920, "Hello", "");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    auto ink = picture.ink(0, 540, LeftBackground);
    ASSERT_TRUE(ink) << "no text drawn";
    const double centre = (ink->left + ink->right) / 2.0;
    EXPECT_NEAR(centre, 270, 8) << "ink " << ink->left << ".." << ink->right;
    // 70 points at 96 DPI is 93.3 pixels: the capitals' tops sit a little
    // below the line's top, which is one tenth down.
    EXPECT_GT(ink->top, 192);
    EXPECT_LT(ink->top, 192 + 40);
    EXPECT_LT(ink->bottom, 192 + 94 + 10);
    EXPECT_FALSE(picture.ink(540, 1080, RightBackground));
}

TEST_F(RenderBackgroundTest, LongUnbrokenTextWrapsInsideItsColumn)
{
    Bytes file = Render(230, 320, std::string(60, 'W'), "");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    auto ink = picture.ink(0, 115, LeftBackground);
    ASSERT_TRUE(ink);
    EXPECT_GT(ink->bottom - ink->top, 40) << "several lines";
    EXPECT_FALSE(picture.ink(115, 230, RightBackground)) << "ink spilled into the right column";
}

TEST_F(RenderBackgroundTest, ChineseInALatinFontStillShows)
{
    Bytes file = Render(230, 320, "", "你好世界", Latin, Latin);
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(picture.ink(115, 230, RightBackground));
}

TEST_F(RenderBackgroundTest, UnknownFontLeavesOnlyItsColumnPlain)
{
    Bytes file = Render(230, 320, "你好 Hello", "你好 Hello", Chinese, "No Such Font Family");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(picture.ink(0, 115, LeftBackground));
    EXPECT_FALSE(picture.ink(115, 230, RightBackground));
}

TEST_F(RenderBackgroundTest, SizesBelowOneGiveNoBytes)
{
    for (auto [width, height] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {10, -1}})
        EXPECT_TRUE(Render(width, height, "x", "y").empty()) << width << " x " << height;
}

TEST_F(RenderBackgroundTest, SameArgumentsGiveEqualBytes)
{
    EXPECT_EQ(Render(230, 320, "你好，世界 Hello", "Good morning", Chinese, Latin),
        Render(230, 320, "你好，世界 Hello", "Good morning", Chinese, Latin));
}

TEST_F(RenderBackgroundTest, DecorationLeavesTheCentreAsItsBackground)
{
    Bytes file = Render(1080, 1920, "", "");
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    EXPECT_EQ(picture.pixel(539, 768), LeftBackground);
    EXPECT_EQ(picture.pixel(540, 768), RightBackground);
}

TEST_F(RenderBackgroundTest, AnIndependentDecoderReadsTheSamePixels)
{
    Bytes file = Render(231, 77, "Hi", "你好", Latin, Chinese);
    BmpPicture picture(file);
    ASSERT_TRUE(picture.valid());
    QImage decoded = QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP");
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.width(), 231);
    ASSERT_EQ(decoded.height(), 77);
    for (int y = 0; y < 77; ++y)
        for (int x = 0; x < 231; ++x) {
            // Readers differ on whether a plain 32-bit BMP's fourth byte is
            // alpha, so colours are compared where the picture is opaque.
            std::uint32_t ours = picture.pixel(x, y);
            if (ours >> 24 != 0xFF)
                continue;
            ASSERT_EQ(decoded.pixel(x, y) & 0xFFFFFF, ours & 0xFFFFFF) << "x " << x << ", y " << y;
        }
}

} // namespace
} // namespace quillory
