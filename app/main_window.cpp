#include "main_window.h"

#include "colour_picker.h"
#include "font_picker.h"
#include "imaging_startup.h"
#include "initial_design.h"
#include "picture_box.h"
#include "resolution_window.h"
#include "window_style.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace quillory {
namespace {

// The controls sit at fixed positions in a client area below the menu bar.
// The window manager draws the frame, so the client area is what is fixed:
// wide and tall enough for every control with the same ten-pixel margin on
// the right and at the bottom as on the left and at the top.
constexpr int kClientWidth = 500;
constexpr int kClientHeight = 380;

QLineEdit* MakeTextBox(QWidget* container)
{
    auto* box = new QLineEdit(container);
    StyleTextBox(*box);
    return box;
}

QPushButton* MakeButton(QWidget* container)
{
    auto* button = new QPushButton(container);
    button->setFont(ToolkitFont());
    button->setAutoDefault(false);
    return button;
}

QGroupBox* MakeGroup(const QString& title, QWidget* container)
{
    auto* group = new QGroupBox(title, container);
    group->setFont(CaptionFont());
    return group;
}

} // namespace

MainWindow::MainWindow(Services& services) : services_(services)
{
    setWindowTitle(QStringLiteral("Quillory"));
    // A fixed frame: title bar, system menu and minimise button, no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildMenu();
    BuildControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen(*this);

    // What the window does once it exists.
    RefreshFontCaptions();
    RefreshPreview();
}

MainWindow::~MainWindow()
{
    // The window is about to be destroyed: no render can follow, so imaging ends here.
    StopImaging();
}

void MainWindow::BuildMenu()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("文件"));

    exportAction_ = fileMenu->addAction(QStringLiteral("导出...\tCtrl+M"));
    exportAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    // Also on the window itself, so the shortcut works while the menu is closed.
    addAction(exportAction_);
    connect(exportAction_, &QAction::triggered, this, &MainWindow::OpenResolutionWindow);

    openAfterExportAction_ = fileMenu->addAction(QStringLiteral("导出后打开"));
    openAfterExportAction_->setCheckable(true);
    openAfterExportAction_->setChecked(true);
}

void MainWindow::BuildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    QGroupBox* fontGroup = Place(
        MakeGroup(QStringLiteral("（→_→）严肃认真的字体设置区"), client), QStringLiteral("分组框1"), 10, 16, 220, 202);
    Place(MakeCaptionLabel(QStringLiteral("左边字体："), fontGroup), QStringLiteral("标签1"), 10, 49, 60, 24);
    leftText_ = Place(MakeTextBox(fontGroup), QStringLiteral("编辑框1"), 75, 49, 135, 24);
    leftFontButton_ = Place(MakeButton(fontGroup), QStringLiteral("按钮1"), 10, 79, 140, 24);
    leftTextColour_ = Place(
        new ColourPicker(services_, kInitialTextColour, fontGroup), QStringLiteral("颜色选择器1"), 155, 79, 55, 24);
    Place(MakeCaptionLabel(QStringLiteral("右边字体："), fontGroup), QStringLiteral("标签2"), 10, 114, 60, 24);
    rightText_ = Place(MakeTextBox(fontGroup), QStringLiteral("编辑框2"), 75, 114, 135, 24);
    rightFontButton_ = Place(MakeButton(fontGroup), QStringLiteral("按钮2"), 10, 160, 140, 24);
    rightTextColour_ = Place(
        new ColourPicker(services_, kInitialTextColour, fontGroup), QStringLiteral("颜色选择器2"), 155, 160, 55, 24);

    QGroupBox* backgroundGroup = Place(
        MakeGroup(QStringLiteral("（@_@）劳苦功高的背景设置区"), client), QStringLiteral("分组框3"), 8, 232, 220, 136);
    Place(MakeCaptionLabel(QStringLiteral("左边背景："), backgroundGroup), QStringLiteral("标签4"), 10, 42, 60, 24);
    leftBackground_ = Place(new ColourPicker(services_, kInitialLeftBackground, backgroundGroup),
        QStringLiteral("颜色选择器3"), 82, 42, 130, 24);
    Place(MakeCaptionLabel(QStringLiteral("右边背景："), backgroundGroup), QStringLiteral("标签3"), 10, 92, 60, 24);
    rightBackground_ = Place(new ColourPicker(services_, kInitialRightBackground, backgroundGroup),
        QStringLiteral("颜色选择器4"), 82, 90, 130, 24);

    QGroupBox* previewGroup = Place(MakeGroup(QStringLiteral("(＞﹏＜)用心良苦的效果预览区"), client),
        QStringLiteral("分组框2"), 240, 10, 250, 360);
    preview_ = Place(new PictureBox(previewGroup), QStringLiteral("图片框1"), 10, 25, 230, 320);

    for (ColourPicker* picker : {leftTextColour_, rightTextColour_, leftBackground_, rightBackground_}) {
        picker->setFont(ToolkitFont());
        connect(picker, &ColourPicker::colourChosen, this, &MainWindow::RefreshPreview);
    }

    leftFont_ = new FontPicker(services_, QString::fromUtf8(kInitialFaceName), this);
    leftFont_->setObjectName(QStringLiteral("通用对话框1"));
    rightFont_ = new FontPicker(services_, QString::fromUtf8(kInitialFaceName), this);
    rightFont_->setObjectName(QStringLiteral("通用对话框2"));

    connect(leftText_, &QLineEdit::textChanged, this, &MainWindow::RefreshPreview);
    connect(rightText_, &QLineEdit::textChanged, this, &MainWindow::RefreshPreview);
    connect(leftFontButton_, &QPushButton::clicked, this, [this] { ChooseFont(*leftFont_); });
    connect(rightFontButton_, &QPushButton::clicked, this, [this] { ChooseFont(*rightFont_); });
}

void MainWindow::RefreshPreview()
{
    preview_->SetPicture(RenderDesign(preview_->width(), preview_->height()));
}

void MainWindow::RefreshFontCaptions()
{
    leftFontButton_->setText(leftFont_->FaceName());
    rightFontButton_->setText(rightFont_->FaceName());
}

Bytes MainWindow::RenderDesign(int width, int height) const
{
    const std::string leftFontName = leftFont_->FaceName().toStdString();
    const std::string rightFontName = rightFont_->FaceName().toStdString();
    const std::string leftText = leftText_->text().toStdString();
    const std::string rightText = rightText_->text().toStdString();
    return RenderBackground(width, height, leftFontName, rightFontName, leftText, rightText, leftTextColour_->Colour(),
        rightTextColour_->Colour(), leftBackground_->Colour(), rightBackground_->Colour());
}

bool MainWindow::OpenAfterExport() const
{
    return openAfterExportAction_->isChecked();
}

void MainWindow::ChooseFont(FontPicker& picker)
{
    if (picker.Open(this)) {
        RefreshFontCaptions();
        RefreshPreview();
    }
}

void MainWindow::OpenResolutionWindow()
{
    // Modal and owned by this window, deleted when it closes: each export starts afresh.
    auto* window = new ResolutionWindow(*this, services_);
    window->show();
}

} // namespace quillory
