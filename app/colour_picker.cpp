#include "colour_picker.h"

#include "colour_popup.h"
#include "colour_value.h"
#include "services.h"

#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace quillory {
namespace {

constexpr int kArrowWidth = 12;
constexpr int kInset = 4;

} // namespace

ColourPicker::ColourPicker(Services& services, ColorRef color, QWidget* parent)
    : QPushButton(parent),
      services_(services),
      color_(color & 0xFFFFFFu),
      popup_(new ColourPopup(this))
{
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, &ColourPicker::ShowPopup);
    connect(popup_, &ColourPopup::swatchPicked, this, [this](quint32 picked) { Choose(picked); });
    connect(popup_, &ColourPopup::otherColourRequested, this, &ColourPicker::ChooseOther);
}

void ColourPicker::SetColour(ColorRef color)
{
    color_ = color & 0xFFFFFFu;
    update();
}

void ColourPicker::ShowPopup()
{
    popup_->adjustSize();
    QPoint position = mapToGlobal(rect().bottomLeft());
    // Keep the popup on the screen: open it above the button when there is no room below.
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        if (position.y() + popup_->height() > available.bottom()) {
            position.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        }
        position.setX(std::clamp(
            position.x(), available.left(), std::max(available.left(), available.right() - popup_->width())));
    }
    popup_->move(position);
    popup_->show();
}

void ColourPicker::Choose(ColorRef color)
{
    SetColour(color);
    emit colourChosen();
}

void ColourPicker::ChooseOther()
{
    if (const std::optional<ColorRef> chosen = services_.ChooseColour(this, color_)) {
        Choose(*chosen);
    }
}

void ColourPicker::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect colourArea = rect().adjusted(kInset, kInset, -(kInset + kArrowWidth), -kInset);
    painter.fillRect(colourArea, ColorRefToQColor(color_));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawRect(colourArea.adjusted(0, 0, -1, -1));

    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(colourArea.right() + 2, 0, kArrowWidth, height());
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
}

} // namespace quillory
