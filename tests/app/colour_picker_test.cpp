#include "colour_picker.h"

#include "colour_popup.h"
#include "colour_value.h"
#include "scripted_services.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(ColourValueTest, SwapsRedAndBlueAndDropsAlpha)
{
    EXPECT_EQ(ColorRefToQColor(0x7D7DFF), QColor(255, 125, 125));
    EXPECT_EQ(ColorRefToQColor(0x9BFFB7), QColor(183, 255, 155));
    EXPECT_EQ(ColorRefToQColor(0xFF000000), QColor(0, 0, 0));
    EXPECT_EQ(QColorToColorRef(QColor(0x12, 0x34, 0x56, 0x80)), 0x563412u);
    EXPECT_EQ(QColorToColorRef(QColor::fromHsv(0, 255, 255)), 0x0000FFu);
}

class ColourPickerTest : public testing::Test {
protected:
    ColourPickerTest() : picker_(services_, 0x7D7DFF, nullptr)
    {
        picker_.resize(130, 24);
        picker_.show();
    }

    ScriptedServices services_;
    ColourPicker picker_;
};

TEST_F(ColourPickerTest, SettingAColourIsNotAChoice)
{
    QSignalSpy chosen(&picker_, &ColourPicker::colourChosen);
    picker_.SetColour(0xFF123456);
    EXPECT_EQ(picker_.Colour(), 0x123456u) << "there is no transparent colour";
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(ColourPickerTest, ShowsItsColour)
{
    const QImage face = picker_.grab().toImage();
    EXPECT_EQ(QColor(face.pixel(40, 12)), QColor(255, 125, 125));
    picker_.SetColour(0x00FF00);
    EXPECT_EQ(QColor(picker_.grab().toImage().pixel(40, 12)), QColor(0, 255, 0));
}

TEST_F(ColourPickerTest, EverySwatchChoosesItsColour)
{
    QSignalSpy chosen(&picker_, &ColourPicker::colourChosen);
    const auto colours = ColourPopup::SwatchColours();
    ASSERT_EQ(picker_.Popup()->Swatches().size(), colours.size());
    for (std::size_t index = 0; index < colours.size(); ++index) {
        QTest::mouseClick(&picker_, Qt::LeftButton);
        ASSERT_TRUE(picker_.Popup()->isVisible()) << "a click opens the popup";
        picker_.Popup()->Swatches()[index]->click();
        EXPECT_FALSE(picker_.Popup()->isVisible());
        EXPECT_EQ(picker_.Colour(), colours[index]) << "swatch " << index;
        EXPECT_EQ(chosen.count(), static_cast<int>(index + 1));
    }
}

TEST_F(ColourPickerTest, OtherColourAsksTheColourDialogOnTheCurrentColour)
{
    QSignalSpy chosen(&picker_, &ColourPicker::colourChosen);
    services_.colourAnswers = {0x123456, std::nullopt};

    picker_.ShowPopup();
    picker_.Popup()->OtherColourButton()->click();
    EXPECT_EQ(picker_.Colour(), 0x123456u);
    EXPECT_EQ(chosen.count(), 1);

    picker_.ShowPopup();
    picker_.Popup()->OtherColourButton()->click();
    EXPECT_EQ(picker_.Colour(), 0x123456u) << "a cancelled dialog changes nothing";
    EXPECT_EQ(chosen.count(), 1);

    EXPECT_EQ(services_.colourDialogColours, (std::vector<ColorRef>{0x7D7DFF, 0x123456}));
}

} // namespace
} // namespace quillory
