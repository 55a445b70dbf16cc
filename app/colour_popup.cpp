#include "colour_popup.h"

#include "colour_value.h"

#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace quillory {
namespace {

// The classic forty-colour palette, as colour values 0x00BBGGRR.
constexpr std::array<ColorRef, 40> kSwatchColours = {
    0x000000,
    0x003399,
    0x003333,
    0x003300,
    0x663300,
    0x800000,
    0x993333,
    0x333333,
    0x000080,
    0x0066FF,
    0x008080,
    0x008000,
    0x808000,
    0xFF0000,
    0x996666,
    0x808080,
    0x0000FF,
    0x0099FF,
    0x00CC99,
    0x669933,
    0xCCCC33,
    0xFF6633,
    0x800080,
    0x969696,
    0xFF00FF,
    0x00CCFF,
    0x00FFFF,
    0x00FF00,
    0xFFFF00,
    0xFFCC00,
    0x663399,
    0xC0C0C0,
    0xCC99FF,
    0x99CCFF,
    0x99FFFF,
    0xCCFFCC,
    0xFFFFCC,
    0xFFCC99,
    0xFF99CC,
    0xFFFFFF,
};
constexpr int kColumns = 8;
constexpr int kSwatchSize = 18;

// A square of one colour; it shows the focus so the grid can be used from the keyboard.
class Swatch final : public QToolButton {
public:
    Swatch(ColorRef color, QWidget* parent) : QToolButton(parent), color_(color)
    {
        setFixedSize(kSwatchSize, kSwatchSize);
        setAutoRaise(true);
        setFocusPolicy(Qt::StrongFocus);
        setToolTip(ColorRefToQColor(color).name(QColor::HexRgb).toUpper());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect inner = rect().adjusted(2, 2, -2, -2);
        painter.fillRect(inner, ColorRefToQColor(color_));
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        if (hasFocus() || underMouse()) {
            painter.setPen(palette().color(QPalette::Highlight));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    ColorRef color_;
};

} // namespace

std::span<const ColorRef> ColourPopup::SwatchColours()
{
    return kSwatchColours;
}

ColourPopup::ColourPopup(QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (std::size_t index = 0; index < kSwatchColours.size(); ++index) {
        const ColorRef color = kSwatchColours[index];
        auto* swatch = new Swatch(color, this);
        grid->addWidget(swatch, static_cast<int>(index) / kColumns, static_cast<int>(index) % kColumns);
        swatches_.push_back(swatch);
        connect(swatch, &QAbstractButton::clicked, this, [this, color] {
            hide();
            emit swatchPicked(color);
        });
    }
    layout->addLayout(grid);

    otherColourButton_ = new QPushButton(QStringLiteral("其他颜色..."), this);
    layout->addWidget(otherColourButton_);
    connect(otherColourButton_, &QAbstractButton::clicked, this, [this] {
        hide();
        emit otherColourRequested();
    });
}

} // namespace quillory
