#pragma once

#include <QLineEdit>

namespace quillory {

// A single-line edit box for whole numbers. Typed characters other than the
// digits and "-" are ignored (control keys, paste and undo still work). When
// the box loses the keyboard focus its text is read with ReadInteger and
// written back in decimal, 0 as empty text; pasted text is therefore tidied
// as soon as the user leaves the box.
class WholeNumberEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit WholeNumberEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace quillory
