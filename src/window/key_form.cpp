#include "window/key_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "keys/key_table.h"
#include "keys/key_texts.h"
#include "window/typed_field.h"

namespace v5 {

TKeyForm::TKeyForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TKeyForm"));
    setWindowTitle(keytext::CodeForm());
    setModal(true);
    auto* hint = new QLabel(keytext::CodeHint(), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setWordWrap(true);
    EditBox = new TypedField(kTypedCodeDigits, this);
    EditBox->setObjectName(QStringLiteral("EditBox"));
    EditBox->setAccessibleName(keytext::CodeForm());
    // Hexadecimal digits only, at most twelve; what a Russian layout types on A B C E reads as those.
    EditBox->setValidator(new RuleValidator(
        [](QString& text, int) {
            text = latinKeyDigits(text);
            if (!couldBeKeyCode(text)) return QValidator::Invalid;
            return text.size() == kTypedCodeDigits ? QValidator::Acceptable : QValidator::Intermediate;
        },
        EditBox));
    QFont big = EditBox->font();
    big.setPixelSize(32);
    EditBox->setFont(big);
    bOk = new QPushButton(keytext::Ok(), this);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    bCancel = new QPushButton(keytext::Cancel(), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(hint);
    column->addWidget(EditBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOk);
    buttons->addWidget(bCancel);
    buttons->addStretch();
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void TKeyForm::prepare(const QString& text) {
    EditBox->setText(text);
    // A full code is typed over from its start; a short one is continued.
    EditBox->setCursorPosition(text.size() < kTypedCodeDigits ? static_cast<int>(text.size()) : 0);
}

QString TKeyForm::typed() const {
    return EditBox->text();
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
