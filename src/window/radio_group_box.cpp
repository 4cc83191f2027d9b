#include "window/radio_group_box.h"

#include <QGridLayout>
#include <QSignalBlocker>

namespace v5 {

RadioGroupBox::RadioGroupBox(const QString& objectName, const QString& title, const QStringList& items,
                             int columns, QWidget* parent)
    : QGroupBox(title, parent), buttons_(this) {
    setObjectName(objectName);
    setAccessibleName(title);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        button->setObjectName(objectName + QStringLiteral("_%1").arg(i));
        buttons_.addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
        items_ << button;
    }
    if (!items_.isEmpty()) items_.first()->setChecked(true);
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroupBox::chosen);
}

void RadioGroupBox::setCurrent(int item) {
    QRadioButton* button = items_.value(item);
    if (!button || button->isChecked()) return;
    const QSignalBlocker block(&buttons_);
    button->setChecked(true);
}

}  // namespace v5
