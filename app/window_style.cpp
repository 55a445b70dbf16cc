#include "window_style.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace quillory {

QFont CaptionFont() {
  QFont font(QStringLiteral("微软雅黑"));
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont ToolkitFont() {
  QFont font = QApplication::font();
  font.setResolveMask(QFont::AllPropertiesResolved);
  return font;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) {
    return;
  }
  QRect frame(QPoint(0, 0), window.frameGeometry().size());
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace quillory
