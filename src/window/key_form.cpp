#include "key_form.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "key_texts.h"

namespace v5 {

TKeyForm::TKeyForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TKeyForm"));
    setWindowTitle(keytext::CodeForm());
    setModal(true);
    EditBox = new QLineEdit(this);
    EditBox->setObjectName(QStringLiteral("EditBox"));
    EditBox->setAccessibleName(keytext::CodeForm());
    // Twelve hexadecimal digits, all required; a blank position shows "_".
    EditBox->setInputMask(QStringLiteral("HHHHHHHHHHHH;_"));
    EditBox->setMaxLength(12);
    QFont big = EditBox->font();
    big.setPixelSize(32);
    EditBox->setFont(big);
    bOk = new QPushButton(keytext::Ok(), this);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addWidget(EditBox);
    column->addWidget(bOk, 0, Qt::AlignHCenter);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void TKeyForm::prepare(const QString& text) {
    EditBox->setText(text);
    EditBox->setCursorPosition(0);
}

QString TKeyForm::typed() const {
    return EditBox->displayText();
}

std::optional<QString> TKeyForm::keyCode(const QString& text) {
    prepare(text);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return typed();
}

void TKeyForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EditBox->setFocus();
}

}  // namespace v5
