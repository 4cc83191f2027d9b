#include "line_pane_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "fit_font.h"
#include "line_pane.h"

namespace v5 {

namespace {
QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
}  // namespace

LinePaneView::LinePaneView(LinePane& model, QWidget* parameterArea)
    : PaneView(model.objectName(), QStringLiteral("Параметры"), parameterArea), model_(model) {
    setGeometry(8, 20, 220, 190);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 8);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(0);
    for (int k = 1; k <= LinePane::kBoxes; ++k) {
        auto* box = new QCheckBox(QStringLiteral("МШС%1").arg(k), this);
        box->setObjectName(QStringLiteral("tz%1").arg(k));
        connect(box, &QCheckBox::clicked, this, [this, k](bool ticked) {
            model_.tzClick(k, ticked);
            emit edited();
        });
        grid->addWidget(box, k - 1, 0);
        boxes_.at(static_cast<std::size_t>(k - 1)) = box;
    }

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(label("lblAddress", QStringLiteral("Адрес"), this));
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("MaskEdit1"));
    address_->setInputMask(QStringLiteral("999;_"));
    address_->setMaxLength(3);
    address_->setText(QStringLiteral("000"));
    address_->setAccessibleName(QStringLiteral("Адрес"));
    address_->setFixedWidth(address_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    connect(address_, &QLineEdit::textEdited, this, [this] {
        model_.MaskEdit1Change(typedAddress());
        emit edited();
    });
    right->addWidget(address_);
    right->addSpacing(8);
    right->addWidget(label("lblAllowed", QStringLiteral("Допустимое "), this));
    right->addWidget(label("lblValue", QStringLiteral("значение:"), this));
    right->addWidget(label("lblRange", QStringLiteral("(000-201)"), this));
    right->addStretch();
    grid->addLayout(right, 0, 1, LinePane::kBoxes, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(LinePane::kBoxes, 1);
    fitFontToSize(this);
}

QString LinePaneView::typedAddress() const {
    return address_->displayText()
        .replace(QLatin1Char('_'), QLatin1Char(' '))
        .leftJustified(3, QLatin1Char(' '), true);
}

void LinePaneView::render() {
    for (int k = 1; k <= LinePane::kBoxes; ++k) {
        QCheckBox* box = boxes_.at(static_cast<std::size_t>(k - 1));
        const QSignalBlocker block(box);
        box->setChecked(model_.isTicked(k));
        box->setEnabled(model_.isEnabled(k));
    }
    if (typedAddress() != model_.addressText()) {
        // The rule may rewrite what was typed; the cursor stays where the user left it.
        const int cursor = address_->cursorPosition();
        const QSignalBlocker block(address_);
        address_->setText(model_.addressText());
        address_->setCursorPosition(cursor);
    }
}

}  // namespace v5
