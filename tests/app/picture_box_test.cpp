#include "picture_box.h"

#include "bmp_pixels.h"

#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillory {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// A picture without symmetry: left half red, right half blue, one green row
// at the top, so a flip, a swap or a scaling shows.
QImage MakePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, QColor(255, 0, 0));
    painter.fillRect(width / 2, 0, width - width / 2, height, QColor(0, 0, 255));
    painter.fillRect(0, 0, width, 1, QColor(0, 255, 0));
    return image;
}

Bytes BytesOf(const QByteArray& data)
{
    return Bytes(data.begin(), data.end());
}

class PictureBoxTest : public testing::Test {
protected:
    PictureBoxTest() { box_.resize(230, 320); }

    QImage Shown() { return box_.grab().toImage(); }

    PictureBox box_;
};

TEST_F(PictureBoxTest, APictureOfItsSizeCoversItPixelForPixel)
{
    QSignalSpy changed(&box_, &PictureBox::pictureChanged);
    const QImage picture = MakePicture(230, 320);
    box_.SetPicture(BytesOf(EncodeBmp(picture)));
    EXPECT_EQ(changed.count(), 1);

    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(230, 320));
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(0, 0, 230, 1), qRgb(0, 255, 0)), "");
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(0, 1, 115, 319), qRgb(255, 0, 0)), "");
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(115, 1, 115, 319), qRgb(0, 0, 255)), "");
}

TEST_F(PictureBoxTest, ASmallerPictureKeepsItsSizeAtTheTopLeft)
{
    box_.SetPicture(BytesOf(EncodeBmp(MakePicture(20, 10))));
    const QImage shown = Shown();
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(0, 1, 10, 9), qRgb(255, 0, 0)), "");
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(10, 1, 10, 9), qRgb(0, 0, 255)), "");
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(20, 0, 210, 320), kWhite), "");
    EXPECT_EQ(FirstPixelNotOf(shown, QRect(0, 10, 20, 310), kWhite), "");
}

TEST_F(PictureBoxTest, EmptyOrBrokenBytesClearIt)
{
    const Bytes picture = BytesOf(EncodeBmp(MakePicture(230, 320)));
    const struct {
        Bytes bytes;
        const char* why;
    } cases[] = {
        {Bytes(), "no picture"},
        {Bytes(picture.begin(), picture.begin() + 60), "a cut-off file"},
        {BytesOf("not a picture at all"), "not a picture"},
    };
    for (const auto& testCase : cases) {
        box_.SetPicture(picture);
        QSignalSpy changed(&box_, &PictureBox::pictureChanged);
        box_.SetPicture(testCase.bytes);
        EXPECT_EQ(changed.count(), 1) << testCase.why;
        EXPECT_TRUE(box_.Picture().isNull()) << testCase.why;
        EXPECT_EQ(FirstPixelNotOf(Shown(), box_.rect(), kWhite), "") << testCase.why;
    }
}

} // namespace
} // namespace quillory
