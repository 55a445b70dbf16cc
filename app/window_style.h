#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace quillory {

// The font the windows ask for on labels, group boxes and the resolution
// window's buttons: "微软雅黑", 12 pixels high, regular weight. Where that
// family is not installed, fontconfig substitutes an installed sans-serif
// face that has the Chinese characters.
QFont CaptionFont();

// The toolkit's default font, marked as set so that a control keeps it inside
// a container that uses CaptionFont.
QFont ToolkitFont();

// A label in CaptionFont, its text centred vertically beside the boxes it names.
QLabel* MakeCaptionLabel(const QString& text, QWidget* container);

// Gives an edit box the toolkit's font and black text on white.
void StyleTextBox(QLineEdit& box);

// Gives `widget` its object name and places it at x, y with the given size,
// relative to its container's top-left corner. Returns the widget.
template <typename Widget> Widget* Place(Widget* widget, const QString& name, int x, int y, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(x, y, width, height);
    return widget;
}

// Moves a top-level window so that it sits in the middle of the screen's
// available area.
void CentreOnScreen(QWidget& window);

} // namespace quillory
