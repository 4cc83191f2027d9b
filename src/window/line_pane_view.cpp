#include "window/line_pane_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "window/status_tips.h"
#include "window/fit_font.h"
#include "outputs/line_pane.h"
#include "window/typed_field.h"

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
    setGeometry(8, 20, 420, 190);
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
    applyStoredHints(this, QStringLiteral("записи модуля связи"));

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(label("lblAddress", QStringLiteral("Адрес"), this));
    address_ = new TypedField(LinePane::kAddressDigits, this);
    address_->setObjectName(QStringLiteral("MaskEdit1"));
    address_->setText(QStringLiteral("000"));
    address_->setAccessibleName(QStringLiteral("Адрес"));
    address_->setToolTip(QStringLiteral("Допустимые значения: ") + LinePane::acceptedAddresses());
    address_->setFixedWidth(address_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    validator_ = new RuleValidator(
        [](QString& text, int cursor) {
            switch (LinePane::addressEntry(text, cursor)) {
                case LinePane::AddressEntry::Accepted:
                    return QValidator::Acceptable;
                case LinePane::AddressEntry::Incomplete:
                    return QValidator::Intermediate;
                case LinePane::AddressEntry::Refused:
                    break;
            }
            return QValidator::Invalid;
        },
        address_);
    address_->setValidator(validator_);
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.MaskEdit1Change(text);
        emit edited();
    });
    connect(address_, &QLineEdit::inputRejected, this, [this] {
        model_.addressRefused(validator_->lastRefused());
        emit edited();
    });
    note_ = label("lblAddressNote", QString(), this);
    note_->setWordWrap(true);
    auto* field = new QHBoxLayout;
    field->addWidget(address_);
    field->addWidget(note_, 1);
    right->addLayout(field);
    right->addSpacing(8);
    right->addWidget(label("lblAllowed", QStringLiteral("Допустимое "), this));
    right->addWidget(label("lblValue", QStringLiteral("значение:"), this));
    right->addWidget(label("lblRange", QStringLiteral("(000-201)"), this));
    right->addWidget(label("lblRangeOther", QStringLiteral("241, 254, 255"), this));
    right->addStretch();
    grid->addLayout(right, 0, 1, LinePane::kBoxes, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(LinePane::kBoxes, 1);
    fitFontToSize(this);
}

void LinePaneView::render() {
    for (int k = 1; k <= LinePane::kBoxes; ++k) {
        QCheckBox* box = boxes_.at(static_cast<std::size_t>(k - 1));
        const QSignalBlocker block(box);
        box->setChecked(model_.isTicked(k));
        box->setEnabled(model_.isEnabled(k));
    }
    if (address_->text() != model_.addressText()) {
        const QSignalBlocker block(address_);
        address_->setText(model_.addressText());
    }
    note_->setText(model_.addressNote());
    note_->setVisible(!model_.addressNote().isEmpty());
}

}  // namespace v5
