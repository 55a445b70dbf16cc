#include "resolution_window.h"

#include "bmp_pixels.h"
#include "main_window_fixture.h"
#include "whole_number_edit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace quillory {
namespace {

const QString kCaption = QStringLiteral("你的手机分辨率是多少？（像素）");
const QString kSizeRefused = QStringLiteral("分辨率的宽和高必须大于0！");

class ResolutionWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window_->ExportAction()->trigger();
        resolution_ = window_->findChild<ResolutionWindow*>();
        ASSERT_NE(resolution_, nullptr);
    }

    QLineEdit* HeightBox() const { return resolution_->findChild<QLineEdit*>(QStringLiteral("编辑框1")); }
    QLineEdit* WidthBox() const { return resolution_->findChild<QLineEdit*>(QStringLiteral("编辑框2")); }
    QPushButton* Button(const QString& name) const { return resolution_->findChild<QPushButton*>(name); }

    void Confirm() { QTest::mouseClick(Button(QStringLiteral("按钮6")), Qt::LeftButton); }

    // Whether the window closed and went away, as it does after an export.
    bool Closed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return resolution_.isNull();
    }

    QString PathOf(const QString& name) const { return folder_.filePath(name); }

    QTemporaryDir folder_;
    QPointer<ResolutionWindow> resolution_;
};

TEST_F(ResolutionWindowTest, OpensModalOwnedAndEmpty)
{
    EXPECT_EQ(resolution_->windowTitle(), kCaption);
    EXPECT_EQ(resolution_->parentWidget(), window_.get());
    EXPECT_EQ(resolution_->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(resolution_->isVisible());
    EXPECT_EQ(resolution_->size(), QSize(466, 130));
    EXPECT_EQ(resolution_->minimumSize(), resolution_->maximumSize());
    EXPECT_FALSE(resolution_->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(resolution_->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(HeightBox()->text().isEmpty());
    EXPECT_TRUE(WidthBox()->text().isEmpty());
    EXPECT_NE(qobject_cast<WholeNumberEdit*>(HeightBox()), nullptr);
    EXPECT_NE(qobject_cast<WholeNumberEdit*>(WidthBox()), nullptr);
}

TEST_F(ResolutionWindowTest, ControlsSitWhereTheWindowPutsThem)
{
    const struct {
        const char16_t* name;
        QRect geometry;
        const char16_t* text;
    } controls[] = {
        {u"标签1", {10, 10, 45, 24}, u"高度："},
        {u"编辑框1", {55, 10, 80, 24}, u""},
        {u"标签2", {10, 40, 45, 24}, u"宽度："},
        {u"编辑框2", {55, 40, 80, 24}, u""},
        {u"按钮6", {10, 70, 125, 50}, u"确定"},
    };
    for (const auto& control : controls) {
        const QString name = QString::fromUtf16(control.name);
        QWidget* widget = resolution_->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(widget->parentWidget(), resolution_.data());
        EXPECT_EQ(widget->geometry(), control.geometry) << name.toStdString();
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        if (auto* box = qobject_cast<QLineEdit*>(widget))
            text = box->text();
        if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        EXPECT_EQ(text, QString::fromUtf16(control.text)) << name.toStdString();
    }
    for (const char16_t* name : {u"标签1", u"标签2", u"按钮6", u"按钮9"}) {
        const QFont font = resolution_->findChild<QWidget*>(QString::fromUtf16(name))->font();
        EXPECT_EQ(font.family(), QStringLiteral("微软雅黑"));
        EXPECT_EQ(font.pixelSize(), 12);
    }
    EXPECT_EQ(HeightBox()->font().family(), QApplication::font().family());
}

TEST_F(ResolutionWindowTest, PresetsFillWidthThenHeight)
{
    const struct {
        const char16_t* name;
        const char16_t* caption;
        QRect geometry;
        const char* height;
        const char* width;
    } presets[] = {
        {u"按钮1", u"960×640(iPhone 4)", {146, 10, 150, 24}, "960", "640"},
        {u"按钮2", u"1136×640(iPhone 5)", {306, 10, 150, 24}, "1136", "640"},
        {u"按钮3", u"1704×960(iPhone 6)", {145, 70, 150, 24}, "1704", "960"},
        {u"按钮4", u"1920×1080(Galaxy S5)", {146, 100, 150, 24}, "1920", "1080"},
        {u"按钮5", u"1280×720(Ascend P6)", {146, 40, 150, 24}, "1280", "720"},
        {u"按钮7", u"2560x1440(nubia Z7)", {305, 100, 150, 24}, "2560", "1440"},
        {u"按钮8", u"1280x768(Lumia 1020)", {305, 40, 150, 24}, "1280", "768"},
        {u"按钮9", u"1800x1080(魅族 MX3)", {305, 70, 150, 24}, "1800", "1080"},
    };
    for (const auto& preset : presets) {
        const QString name = QString::fromUtf16(preset.name);
        QPushButton* button = Button(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        EXPECT_EQ(button->text(), QString::fromUtf16(preset.caption));
        EXPECT_EQ(button->geometry(), preset.geometry) << name.toStdString();

        // The width box is written first: whatever listens sees the new width
        // beside the old height.
        QString heightWhenWidthChanged;
        auto connection = QObject::connect(
            WidthBox(), &QLineEdit::textChanged, [&] { heightWhenWidthChanged = HeightBox()->text(); });
        HeightBox()->setText(QStringLiteral("1"));
        WidthBox()->clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QObject::disconnect(connection);
        EXPECT_EQ(heightWhenWidthChanged, QStringLiteral("1")) << name.toStdString();
        EXPECT_EQ(HeightBox()->text(), QString::fromUtf8(preset.height)) << name.toStdString();
        EXPECT_EQ(WidthBox()->text(), QString::fromUtf8(preset.width)) << name.toStdString();
    }
    EXPECT_EQ(services_.saveDialogsOpened, 0) << "a preset alone exports nothing";
    EXPECT_EQ(resolution_->windowTitle(), kCaption);
}

TEST_F(ResolutionWindowTest, RefusesASizeThatIsNotAboveZero)
{
    const struct {
        const char16_t* height;
        const char16_t* width;
    } sizes[] = {
        {u"", u""},
        {u"1920", u""},
        {u"1920", u"0"},
        {u"0", u"1080"},
        {u"-1920", u"1080"},
        {u"1920", u"-5"},
        {u"abc", u"1080"},
        {u"1920", u"x1080"},
    };
    for (const auto& size : sizes) {
        resolution_->setWindowTitle(kCaption);
        HeightBox()->setText(QString::fromUtf16(size.height));
        WidthBox()->setText(QString::fromUtf16(size.width));
        Confirm();
        EXPECT_EQ(resolution_->windowTitle(), kSizeRefused)
            << QString::fromUtf16(size.height).toStdString() << " x " << QString::fromUtf16(size.width).toStdString();
        EXPECT_TRUE(resolution_->isVisible());
    }
    EXPECT_EQ(services_.saveDialogsOpened, 0);
    EXPECT_TRUE(services_.writtenPaths.empty());
}

TEST_F(ResolutionWindowTest, ACancelledSaveKeepsTheWindowAndItsValues)
{
    HeightBox()->setText(QStringLiteral("１９２０"));
    WidthBox()->setText(QStringLiteral("1080abc"));
    services_.saveAnswers = {std::nullopt};
    Confirm();
    EXPECT_EQ(services_.saveDialogsOpened, 1) << "full-width and pasted digits make a valid size";
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(resolution_->isVisible());
    EXPECT_EQ(resolution_->windowTitle(), kCaption);
    EXPECT_EQ(HeightBox()->text(), QStringLiteral("１９２０"));
    EXPECT_EQ(WidthBox()->text(), QStringLiteral("1080abc"));
    EXPECT_TRUE(services_.writtenPaths.empty());
    EXPECT_TRUE(services_.shownPaths.empty());
}

TEST_F(ResolutionWindowTest, ThePresetExportsAFullSizeBmpAndShowsIt)
{
    const QString path = PathOf(QStringLiteral("背景 #1.bmp"));
    services_.saveAnswers = {path};
    QTest::mouseClick(Button(QStringLiteral("按钮4")), Qt::LeftButton);
    Confirm();

    const QByteArray file = ReadWholeFile(path);
    const std::optional<BmpHeader> header = ReadBmpHeader(file);
    ASSERT_TRUE(header) << "a BMP file was written";
    EXPECT_EQ(header->width, 1080);
    EXPECT_EQ(header->height, 1920);
    EXPECT_EQ(header->bitsPerPixel, 32);
    EXPECT_EQ(header->fileSize, static_cast<std::uint32_t>(file.size()));
    const QImage picture = QImage::fromData(file, "BMP");
    ASSERT_EQ(picture.size(), QSize(1080, 1920));
    EXPECT_EQ(FirstPixelNotOf(picture, QRect(0, 0, 540, 1920), kPink), "");
    EXPECT_EQ(FirstPixelNotOf(picture, QRect(540, 0, 540, 1920), kLightGreen), "");

    EXPECT_EQ(services_.shownPaths, std::vector<QString>{path});
    EXPECT_TRUE(Closed());
}

TEST_F(ResolutionWindowTest, FullWidthDigitsReadAsTheSize)
{
    const QString path = PathOf(QStringLiteral("full-width.bmp"));
    services_.saveAnswers = {path};
    HeightBox()->setText(QStringLiteral("１９２０"));
    WidthBox()->setText(QStringLiteral("1080abc"));
    Confirm();
    const std::optional<BmpHeader> header = ReadBmpHeader(ReadWholeFile(path));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 1080);
    EXPECT_EQ(header->height, 1920);
}

TEST_F(ResolutionWindowTest, NoShowRequestWhenTheOptionIsOff)
{
    window_->OpenAfterExportAction()->trigger();
    const QString path = PathOf(QStringLiteral("quiet.bmp"));
    services_.saveAnswers = {path};
    HeightBox()->setText(QStringLiteral("40"));
    WidthBox()->setText(QStringLiteral("30"));
    Confirm();
    EXPECT_TRUE(ReadBmpHeader(ReadWholeFile(path))) << "the export itself happened";
    EXPECT_TRUE(services_.shownPaths.empty());
    EXPECT_TRUE(Closed());
}

TEST_F(ResolutionWindowTest, ExportingOverAFileReplacesItCompletely)
{
    const QString path = PathOf(QStringLiteral("old.bmp"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4 << 20, 'x'));
    }
    services_.saveAnswers = {path};
    HeightBox()->setText(QStringLiteral("20"));
    WidthBox()->setText(QStringLiteral("10"));
    Confirm();

    const QByteArray file = ReadWholeFile(path);
    const std::optional<BmpHeader> header = ReadBmpHeader(file);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 10);
    EXPECT_EQ(header->height, 20);
    EXPECT_EQ(header->fileSize, static_cast<std::uint32_t>(file.size()));
    EXPECT_FALSE(file.contains("xxxx")) << "nothing of the old file is left";
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.bmp"});
    EXPECT_TRUE(Closed());
}

TEST_F(ResolutionWindowTest, ASizeThatCannotBeRenderedTouchesNoFile)
{
    const QString existing = PathOf(QStringLiteral("existing.bmp"));
    const QString fresh = PathOf(QStringLiteral("fresh.bmp"));
    {
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    // 100000 x 100000 pixels of 4 bytes is far past what one bitmap may hold.
    for (const QString& path : {existing, fresh}) {
        services_.saveAnswers = {path};
        HeightBox()->setText(QStringLiteral("100000"));
        WidthBox()->setText(QStringLiteral("100000"));
        Confirm();
        EXPECT_NE(resolution_->windowTitle(), kCaption) << "the user is told";
        EXPECT_TRUE(resolution_->windowTitle().contains(QStringLiteral("没有写入")))
            << resolution_->windowTitle().toStdString();
        EXPECT_FALSE(Closed());
    }
    EXPECT_EQ(ReadWholeFile(existing), QByteArray("old contents"));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_TRUE(services_.writtenPaths.empty()) << "nothing is written without a picture";
    EXPECT_TRUE(services_.shownPaths.empty());
}

TEST_F(ResolutionWindowTest, AnUnwritableFolderTellsTheUserWhy)
{
    {
        QFile notAFolder(PathOf(QStringLiteral("not-a-folder")));
        ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    }
    const QString path = PathOf(QStringLiteral("not-a-folder/picture.bmp"));
    services_.saveAnswers = {path};
    HeightBox()->setText(QStringLiteral("20"));
    WidthBox()->setText(QStringLiteral("10"));
    Confirm();

    EXPECT_EQ(services_.writtenPaths, std::vector<QString>{path});
    EXPECT_TRUE(resolution_->windowTitle().startsWith(QStringLiteral("文件没有写入：")))
        << resolution_->windowTitle().toStdString();
    EXPECT_GT(resolution_->windowTitle().size(), QStringLiteral("文件没有写入：").size()) << "the reason follows";
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(services_.shownPaths.empty());
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"not-a-folder"});
}

TEST_F(ResolutionWindowTest, AFailedWriteNamesTheReasonAndShowsNothing)
{
    services_.writeFailure = QStringLiteral("磁盘已满");
    services_.saveAnswers = {PathOf(QStringLiteral("full.bmp"))};
    HeightBox()->setText(QStringLiteral("20"));
    WidthBox()->setText(QStringLiteral("10"));
    Confirm();
    EXPECT_EQ(resolution_->windowTitle(), QStringLiteral("文件没有写入：磁盘已满"));
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(services_.shownPaths.empty());
}

TEST_F(ResolutionWindowTest, EscClosesIt)
{
    QTest::keyClick(HeightBox(), Qt::Key_Escape);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(services_.saveDialogsOpened, 0);
}

TEST_F(ResolutionWindowTest, EachOpeningStartsAfresh)
{
    HeightBox()->setText(QStringLiteral("1920"));
    Confirm(); // refused: leaves the caption changed
    resolution_->close();
    ASSERT_TRUE(Closed());
    window_->ExportAction()->trigger();
    resolution_ = window_->findChild<ResolutionWindow*>();
    ASSERT_NE(resolution_, nullptr);
    EXPECT_EQ(resolution_->windowTitle(), kCaption);
    EXPECT_TRUE(HeightBox()->text().isEmpty());
}

} // namespace
} // namespace quillory
