#include "window_style.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace quillory {

QFont CaptionFont()
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont ToolkitFont()
{
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

QLabel* MakeCaptionLabel(const QString& text, QWidget* container)
{
    auto* label = new QLabel(text, container);
    label->setFont(CaptionFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void StyleTextBox(QLineEdit& box)
{
    box.setFont(ToolkitFont());
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    box.setPalette(palette);
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(0, 0), window.frameGeometry().size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace quillory
