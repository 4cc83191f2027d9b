#include "access_code_view.h"

#include <QSignalBlocker>

#include "access_code_box.h"

namespace v5 {

Ttemp_meKD::Ttemp_meKD(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Ttemp_meKD"));
    setGeometry(8, 16, 81, 45);
    setInputMask(QStringLiteral("9999;_"));
    setMaxLength(4);
    QFont big = font();
    big.setPixelSize(32);
    setFont(big);
    setBackgroundRole(QPalette::Button);
}

QString Ttemp_meKD::digits() const {
    return displayText().replace(QLatin1Char('_'), QLatin1Char(' ')).leftJustified(4, QLatin1Char(' '), true);
}

Ttemp_gbKD::Ttemp_gbKD(AccessCodeBox& model, QWidget* parent)
    : QGroupBox(QStringLiteral("Код доступа"), parent), model_(model), edit_(new Ttemp_meKD(this)) {
    setObjectName(QStringLiteral("Ttemp_gbKD"));
    setGeometry(0, 12, 97, 69);
    connect(edit_, &QLineEdit::textEdited, this, [this] { model_.setText(edit_->digits()); });
    render();
}

void Ttemp_gbKD::render() {
    if (edit_->digits() == model_.text()) return;
    const QSignalBlocker block(edit_);
    edit_->setText(model_.text());
}

}  // namespace v5
