#include "whole_number_edit.h"

#include "integer_text.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace quillory {
namespace {

bool IsAccepted(QChar character)
{
    return (character >= u'0' && character <= u'9') || character == u'-';
}

// Printable text is typing; control characters (backspace, Ctrl+V) are commands.
bool IsTyping(const QString& text)
{
    for (const QChar character : text) {
        if (!character.isPrint()) {
            return false;
        }
    }
    return !text.isEmpty();
}

} // namespace

WholeNumberEdit::WholeNumberEdit(QWidget* parent) : QLineEdit(parent)
{
}

void WholeNumberEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (IsTyping(text) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        for (const QChar character : text) {
            if (!IsAccepted(character)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void WholeNumberEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Text committed by an input method is typed text too.
    QString kept;
    for (const QChar character : event->commitString()) {
        if (IsAccepted(character)) {
            kept.append(character);
        }
    }
    if (kept == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void WholeNumberEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu borrows the focus for a moment; the user has not left the box.
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    const QString normalised = WholeNumberText(ReadInteger(text()));
    if (normalised != text()) {
        setText(normalised);
    }
}

} // namespace quillory
