#include "resolution_window.h"

#include "integer_text.h"
#include "main_window.h"
#include "services.h"
#include "whole_number_edit.h"
#include "window_style.h"

#include <QLabel>
#include <QPushButton>

namespace quillory {
namespace {

// As in the main window, the client area is fixed, with ten pixels to spare
// right of and below the last controls.
constexpr int kClientWidth = 466;
constexpr int kClientHeight = 130;

const QString kCaption = QStringLiteral("你的手机分辨率是多少？（像素）");
const QString kSizeRefused = QStringLiteral("分辨率的宽和高必须大于0！");
const QString kNoPicture = QStringLiteral("无法生成这个尺寸的图片，文件没有写入！");
const QString kNotWritten = QStringLiteral("文件没有写入：%1");

// A phone preset: its caption names the height first, then the width.
struct Preset {
    const char16_t* name;
    const char16_t* caption;
    QRect geometry;
    int height;
    int width;
};

const Preset kPresets[] = {
    {u"按钮1", u"960×640(iPhone 4)", {146, 10, 150, 24}, 960, 640},
    {u"按钮2", u"1136×640(iPhone 5)", {306, 10, 150, 24}, 1136, 640},
    {u"按钮5", u"1280×720(Ascend P6)", {146, 40, 150, 24}, 1280, 720},
    {u"按钮8", u"1280x768(Lumia 1020)", {305, 40, 150, 24}, 1280, 768},
    {u"按钮3", u"1704×960(iPhone 6)", {145, 70, 150, 24}, 1704, 960},
    {u"按钮9", u"1800x1080(魅族 MX3)", {305, 70, 150, 24}, 1800, 1080},
    {u"按钮4", u"1920×1080(Galaxy S5)", {146, 100, 150, 24}, 1920, 1080},
    {u"按钮7", u"2560x1440(nubia Z7)", {305, 100, 150, 24}, 2560, 1440},
};

QLineEdit* MakeNumberBox(QWidget* container)
{
    auto* box = new WholeNumberEdit(container);
    StyleTextBox(*box);
    return box;
}

QPushButton* MakeButton(const QString& caption, QWidget* container)
{
    auto* button = new QPushButton(caption, container);
    button->setFont(CaptionFont());
    // Enter in a box must not press whichever button happens to be the default.
    button->setAutoDefault(false);
    return button;
}

} // namespace

ResolutionWindow::ResolutionWindow(MainWindow& owner, Services& services)
    : QDialog(&owner),
      owner_(owner),
      services_(services)
{
    setWindowTitle(kCaption);
    // A fixed frame with title bar and close button only; as an owned dialog it
    // stays out of the taskbar. QDialog closes on Esc.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientWidth, kClientHeight);

    Place(MakeCaptionLabel(QStringLiteral("高度："), this), QStringLiteral("标签1"), 10, 10, 45, 24);
    heightBox_ = Place(MakeNumberBox(this), QStringLiteral("编辑框1"), 55, 10, 80, 24);
    Place(MakeCaptionLabel(QStringLiteral("宽度："), this), QStringLiteral("标签2"), 10, 40, 45, 24);
    widthBox_ = Place(MakeNumberBox(this), QStringLiteral("编辑框2"), 55, 40, 80, 24);
    QPushButton* confirm = Place(MakeButton(QStringLiteral("确定"), this), QStringLiteral("按钮6"), 10, 70, 125, 50);
    connect(confirm, &QPushButton::clicked, this, &ResolutionWindow::Confirm);

    for (const Preset& preset : kPresets) {
        QPushButton* button = MakeButton(QString::fromUtf16(preset.caption), this);
        button->setObjectName(QString::fromUtf16(preset.name));
        button->setGeometry(preset.geometry);
        connect(button, &QPushButton::clicked, this, [this, &preset] {
            widthBox_->setText(QString::number(preset.width));
            heightBox_->setText(QString::number(preset.height));
        });
    }

    CentreOnScreen(*this);
}

ResolutionWindow::ExportResult ResolutionWindow::ExportBackground(const QString& path, int width, int height)
{
    const Bytes picture = owner_.RenderDesign(width, height);
    if (picture.empty()) {
        return {false, kNoPicture};
    }
    const FileWriteResult written = services_.WriteFile(path, picture);
    if (!written.written) {
        return {false, kNotWritten.arg(written.error)};
    }
    return {true, {}};
}

void ResolutionWindow::Confirm()
{
    const int height = ReadInteger(heightBox_->text());
    const int width = ReadInteger(widthBox_->text());
    if (height <= 0 || width <= 0) {
        setWindowTitle(kSizeRefused);
        return;
    }

    const std::optional<QString> path = services_.ChooseSavePath(this);
    if (!path) {
        return;
    }

    // The user is told in the caption, as for a refused size, and can try
    // another size or folder without typing the size again.
    const ExportResult result = ExportBackground(*path, width, height);
    if (!result.written) {
        setWindowTitle(result.failure);
        return;
    }

    if (owner_.OpenAfterExport()) {
        services_.ShowInFileManager(*path);
    }
    close();
}

} // namespace quillory
