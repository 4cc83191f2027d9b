#include "window/group_list_view.h"

#include <QPushButton>
#include <QSignalBlocker>

#include "groups/group_list.h"

namespace v5 {

namespace {
// Wide enough for "64 проходная" and for the captions of the buttons under the list.
constexpr int kListWidth = 130;
}  // namespace

GroupListView::GroupListView(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) emit rowChosen(row);
    });
}

void GroupListView::render(const GroupList& list, const std::function<QString(const QString&)>& tip) {
    const QSignalBlocker block(this);
    if (count() != list.count()) {
        clear();
        addItems(list.items());
    } else {
        for (int row = 0; row < count(); ++row)
            if (item(row)->text() != list.at(row)) item(row)->setText(list.at(row));
    }
    if (tip)
        for (int row = 0; row < count(); ++row)
            item(row)->setToolTip(tip(list.at(row)));
    if (list.hasSelection()) {
        setCurrentRow(list.selectedRow());
    } else {
        setCurrentRow(-1);
        clearSelection();
    }
}

QVBoxLayout* groupListColumn(GroupListView* list, std::initializer_list<GroupListButton> buttons) {
    auto* column = new QVBoxLayout;
    list->setFixedWidth(kListWidth);
    column->addWidget(list, 1);
    for (const GroupListButton& b : buttons) {
        auto* button = new QPushButton(b.caption, list->parentWidget());
        button->setObjectName(b.name);
        QObject::connect(button, &QPushButton::clicked, list, b.click);
        column->addWidget(button);
    }
    return column;
}

}  // namespace v5
