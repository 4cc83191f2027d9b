#include "window/typed_field.h"

#include <QKeyEvent>

namespace v5 {

TypedField::TypedField(int positions, QWidget* parent) : QLineEdit(parent), positions_(positions) {}

void TypedField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed.front().isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character && !hasSelectedText() && text().size() >= positions_ && cursorPosition() < text().size())
        setSelection(cursorPosition(), 1);
    QLineEdit::keyPressEvent(event);
}

QValidator::State RuleValidator::validate(QString& text, int& cursor) const {
    const State state = rule_(text, cursor);
    if (state == Invalid) refused_ = text;
    return state;
}

}  // namespace v5
