#include "main_window.h"

#include "bmp_pixels.h"
#include "colour_picker.h"
#include "colour_popup.h"
#include "font_picker.h"
#include "main_window_fixture.h"
#include "resolution_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace quillory {
namespace {

const QRect kLeftColumn(0, 0, 115, 320);
const QRect kRightColumn(115, 0, 115, 320);

QString TextOf(const QWidget* widget)
{
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

std::size_t SwatchIndexOf(ColorRef color)
{
    const auto colours = ColourPopup::SwatchColours();
    return static_cast<std::size_t>(std::find(colours.begin(), colours.end(), color) - colours.begin());
}

class MainWindowTest : public MainWindowFixture {
protected:
    void ChooseSwatch(const QString& pickerName, ColorRef color)
    {
        auto* picker = Find<ColourPicker>(pickerName);
        ASSERT_NE(picker, nullptr) << pickerName.toStdString();
        const std::size_t index = SwatchIndexOf(color);
        ASSERT_LT(index, picker->Popup()->Swatches().size());
        QTest::mouseClick(picker, Qt::LeftButton);
        ASSERT_TRUE(picker->Popup()->isVisible());
        QTest::mouseClick(picker->Popup()->Swatches()[index], Qt::LeftButton);
    }

    QSignalSpy CountRenders() const
    {
        return QSignalSpy(Find<PictureBox>(QStringLiteral("图片框1")), &PictureBox::pictureChanged);
    }
};

TEST_F(MainWindowTest, StartsWithTheFontNamesTheTwoBackgroundsAndNoText)
{
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quillory"));
    EXPECT_EQ(TextOf(Find(QStringLiteral("按钮1"))), QStringLiteral("华康娃娃体W5"));
    EXPECT_EQ(TextOf(Find(QStringLiteral("按钮2"))), QStringLiteral("华康娃娃体W5"));
    EXPECT_TRUE(window_->OpenAfterExportAction()->isChecked());

    const QImage preview = Preview();
    ASSERT_EQ(preview.size(), QSize(230, 320));
    EXPECT_EQ(FirstPixelNotOf(preview, kLeftColumn, kPink), "");
    EXPECT_EQ(FirstPixelNotOf(preview, kRightColumn, kLightGreen), "");
}

TEST_F(MainWindowTest, ControlsSitWhereTheWindowPutsThem)
{
    const struct {
        const char16_t* name;
        const char16_t* container; // empty: the window's client area
        QRect geometry;
        const char16_t* text;
    } controls[] = {
        {u"分组框1", u"", {10, 16, 220, 202}, u"（→_→）严肃认真的字体设置区"},
        {u"标签1", u"分组框1", {10, 49, 60, 24}, u"左边字体："},
        {u"编辑框1", u"分组框1", {75, 49, 135, 24}, u""},
        {u"按钮1", u"分组框1", {10, 79, 140, 24}, u"华康娃娃体W5"},
        {u"颜色选择器1", u"分组框1", {155, 79, 55, 24}, u""},
        {u"标签2", u"分组框1", {10, 114, 60, 24}, u"右边字体："},
        {u"编辑框2", u"分组框1", {75, 114, 135, 24}, u""},
        {u"按钮2", u"分组框1", {10, 160, 140, 24}, u"华康娃娃体W5"},
        {u"颜色选择器2", u"分组框1", {155, 160, 55, 24}, u""},
        {u"分组框3", u"", {8, 232, 220, 136}, u"（@_@）劳苦功高的背景设置区"},
        {u"标签4", u"分组框3", {10, 42, 60, 24}, u"左边背景："},
        {u"颜色选择器3", u"分组框3", {82, 42, 130, 24}, u""},
        {u"标签3", u"分组框3", {10, 92, 60, 24}, u"右边背景："},
        {u"颜色选择器4", u"分组框3", {82, 90, 130, 24}, u""},
        {u"分组框2", u"", {240, 10, 250, 360}, u"(＞﹏＜)用心良苦的效果预览区"},
        {u"图片框1", u"分组框2", {10, 25, 230, 320}, u""},
    };
    for (const auto& control : controls) {
        const QString name = QString::fromUtf16(control.name);
        const QWidget* widget = Find(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const QString container = QString::fromUtf16(control.container);
        const QWidget* expectedContainer = container.isEmpty() ? window_->centralWidget() : Find(container);
        EXPECT_EQ(widget->parentWidget(), expectedContainer) << name.toStdString();
        EXPECT_EQ(widget->geometry(), control.geometry) << name.toStdString();
        EXPECT_EQ(TextOf(widget), QString::fromUtf16(control.text)) << name.toStdString();
    }

    const struct {
        const char16_t* name;
        ColorRef colour;
    } pickers[] = {
        {u"颜色选择器1", 0x000000}, {u"颜色选择器2", 0x000000}, {u"颜色选择器3", 0x7D7DFF}, {u"颜色选择器4", 0x9BFFB7}};
    for (const auto& picker : pickers) {
        EXPECT_EQ(Find<ColourPicker>(QString::fromUtf16(picker.name))->Colour(), picker.colour);
    }
    for (const char16_t* name : {u"通用对话框1", u"通用对话框2"}) {
        auto* fontPicker = window_->findChild<FontPicker*>(QString::fromUtf16(name));
        ASSERT_NE(fontPicker, nullptr);
        EXPECT_EQ(fontPicker->FaceName(), QStringLiteral("华康娃娃体W5"));
    }
}

TEST_F(MainWindowTest, IsAFixedWindowWithoutMaximiseButton)
{
    EXPECT_EQ(window_->centralWidget()->size(), QSize(500, 380));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window_->parentWidget(), nullptr);
    EXPECT_FALSE(window_->isModal());
}

TEST_F(MainWindowTest, LabelsAndGroupBoxesAskForTheCaptionFont)
{
    for (const char16_t* name : {u"分组框1", u"分组框2", u"分组框3", u"标签1", u"标签2", u"标签3", u"标签4"}) {
        const QFont font = Find(QString::fromUtf16(name))->font();
        EXPECT_EQ(font.family(), QStringLiteral("微软雅黑")) << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(font.pixelSize(), 12);
        EXPECT_EQ(font.weight(), QFont::Normal);
    }
    for (const char16_t* name : {u"编辑框1", u"编辑框2", u"按钮1", u"按钮2", u"颜色选择器1", u"颜色选择器4"}) {
        EXPECT_EQ(Find(QString::fromUtf16(name))->font().family(), QApplication::font().family())
            << QString::fromUtf16(name).toStdString() << " keeps the toolkit's font";
    }
}

TEST_F(MainWindowTest, MenuOffersExportAndTheOpenAfterExportOption)
{
    const QList<QAction*> menus = window_->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("文件"));
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0], window_->ExportAction());
    EXPECT_EQ(items[0]->text(), QStringLiteral("导出...\tCtrl+M"));
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    EXPECT_EQ(items[1], window_->OpenAfterExportAction());
    EXPECT_EQ(items[1]->text(), QStringLiteral("导出后打开"));
    EXPECT_TRUE(items[1]->shortcut().isEmpty());
}

TEST_F(MainWindowTest, OpenAfterExportTogglesAndTwiceLeavesItChecked)
{
    QAction* option = window_->OpenAfterExportAction();
    option->trigger();
    EXPECT_FALSE(window_->OpenAfterExport());
    option->trigger();
    EXPECT_TRUE(window_->OpenAfterExport());
}

TEST_F(MainWindowTest, TypingOneCharacterRendersOnce)
{
    for (const char16_t* name : {u"编辑框1", u"编辑框2"}) {
        auto* box = Find<QLineEdit>(QString::fromUtf16(name));
        QSignalSpy renders = CountRenders();
        QTest::keyClick(box, Qt::Key_A);
        EXPECT_EQ(box->text(), QStringLiteral("a"));
        EXPECT_EQ(renders.count(), 1) << QString::fromUtf16(name).toStdString();
    }
}

TEST_F(MainWindowTest, CancellingAFontDialogChangesNothing)
{
    for (const char16_t* name : {u"按钮1", u"按钮2"}) {
        auto* button = Find<QPushButton>(QString::fromUtf16(name));
        services_.fontAnswers = {std::nullopt};
        const QImage before = Preview();
        QSignalSpy renders = CountRenders();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(button->text(), QStringLiteral("华康娃娃体W5"));
        EXPECT_EQ(renders.count(), 0);
        EXPECT_EQ(Preview(), before);
    }
    EXPECT_EQ(services_.fontDialogFaces,
        (std::vector<QString>{QStringLiteral("华康娃娃体W5"), QStringLiteral("华康娃娃体W5")}));
}

TEST_F(MainWindowTest, AChosenFontDrawsTheTextInItsOwnColumnOnly)
{
    const struct {
        const char16_t* button;
        const char16_t* box;
        const char16_t* otherButton;
        QRect column;
        QRgb background;
        QRect otherColumn;
        QRgb otherBackground;
    } sides[] = {
        {u"按钮1", u"编辑框1", u"按钮2", kLeftColumn, kPink, kRightColumn, kLightGreen},
        {u"按钮2", u"编辑框2", u"按钮1", kRightColumn, kLightGreen, kLeftColumn, kPink},
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(QString::fromUtf16(side.button).toStdString());
        Reopen();
        services_.fontAnswers = {kInstalledFamily};
        QSignalSpy renders = CountRenders();
        QTest::mouseClick(Find<QPushButton>(QString::fromUtf16(side.button)), Qt::LeftButton);
        EXPECT_EQ(Find<QPushButton>(QString::fromUtf16(side.button))->text(), kInstalledFamily);
        EXPECT_EQ(Find<QPushButton>(QString::fromUtf16(side.otherButton))->text(), QStringLiteral("华康娃娃体W5"));
        EXPECT_EQ(renders.count(), 1);

        QTest::keyClicks(Find<QLineEdit>(QString::fromUtf16(side.box)), "Hello");
        const QImage preview = Preview();
        EXPECT_GT(CountInk(preview, side.column, side.background), 20) << "the text shows";
        EXPECT_EQ(FirstPixelOffBlend(preview, side.column, side.background, qRgb(0, 0, 0)), "")
            << "the ink is the black text colour over the background";
        EXPECT_EQ(FirstPixelNotOf(preview, side.otherColumn, side.otherBackground), "");
        // Text starts one tenth of the way down.
        EXPECT_EQ(FirstPixelNotOf(preview, QRect(side.column.x(), 0, side.column.width(), 31), side.background), "");
    }
    services_.fontAnswers = {std::nullopt};
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮2")), Qt::LeftButton);
    EXPECT_EQ(services_.fontDialogFaces.back(), kInstalledFamily) << "the dialog opens on the face chosen before";
}

TEST_F(MainWindowTest, AChosenBackgroundColourRendersAgainWithIt)
{
    QSignalSpy renders = CountRenders();
    ChooseSwatch(QStringLiteral("颜色选择器3"), 0x0000FF);
    EXPECT_EQ(renders.count(), 1);
    EXPECT_EQ(FirstPixelNotOf(Preview(), kLeftColumn, qRgb(255, 0, 0)), "");
    EXPECT_EQ(FirstPixelNotOf(Preview(), kRightColumn, kLightGreen), "");

    services_.colourAnswers = {0x563412};
    auto* picker = Find<ColourPicker>(QStringLiteral("颜色选择器4"));
    picker->ShowPopup();
    QTest::mouseClick(picker->Popup()->OtherColourButton(), Qt::LeftButton);
    EXPECT_EQ(renders.count(), 2);
    EXPECT_EQ(FirstPixelNotOf(Preview(), kRightColumn, qRgb(0x12, 0x34, 0x56)), "");
    EXPECT_EQ(FirstPixelNotOf(Preview(), kLeftColumn, qRgb(255, 0, 0)), "");
}

TEST_F(MainWindowTest, AChosenTextColourColoursTheInk)
{
    services_.fontAnswers = {kInstalledFamily};
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮2")), Qt::LeftButton);
    QTest::keyClicks(Find<QLineEdit>(QStringLiteral("编辑框2")), "HELLO");
    QSignalSpy renders = CountRenders();
    ChooseSwatch(QStringLiteral("颜色选择器2"), 0xFF0000);
    EXPECT_EQ(renders.count(), 1);

    const QImage preview = Preview();
    EXPECT_GT(CountInk(preview, kRightColumn, kLightGreen), 20);
    EXPECT_EQ(FirstPixelOffBlend(preview, kRightColumn, kLightGreen, qRgb(0, 0, 255)), "");
    EXPECT_EQ(FirstPixelNotOf(preview, kLeftColumn, kPink), "");
}

TEST_F(MainWindowTest, CtrlMOpensTheResolutionWindowModally)
{
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);

    auto* resolution = qobject_cast<ResolutionWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(resolution, nullptr);
    EXPECT_EQ(resolution->parentWidget(), window_.get());
    EXPECT_EQ(resolution->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(resolution->isVisible());

    // While it is open the main window takes no input: a click from the window
    // system on a button of the main window is not delivered.
    auto* button = Find<QPushButton>(QStringLiteral("按钮1"));
    QTest::mouseClick(
        window_->windowHandle(), Qt::LeftButton, {}, button->mapTo(window_.get(), button->rect().center()));
    EXPECT_TRUE(services_.fontDialogFaces.empty());
    resolution->close();
}

TEST_F(MainWindowTest, DestroyingTheWindowStopsImaging)
{
    ASSERT_NE(StartupToken, 0u) << "imaging runs while the window exists";
    window_.reset();
    EXPECT_EQ(StartupToken, 0u);
}

} // namespace
} // namespace quillory
