#pragma once

#include <functional>
#include <initializer_list>

#include <QListWidget>
#include <QVBoxLayout>

namespace v5 {

class GroupList;

// A list box of zones or partitions (lbZona, lbRazdel, lbPZona): shows a GroupList and reports the row
// the user selects, by mouse or keyboard.
class GroupListView : public QListWidget {
    Q_OBJECT
public:
    GroupListView(const QString& objectName, const QString& accessibleName, QWidget* parent);
    // The list's items; `tip` gives an item's tooltip from its text (the site's name of the object).
    void render(const GroupList& list, const std::function<QString(const QString&)>& tip = {});

signals:
    void rowChosen(int row);
};

// A button under a group list: its objectName, caption and what a click on it does.
struct GroupListButton {
    QString name;
    QString caption;
    std::function<void()> click;
};
// The list column of a group pane: the list and its buttons under it.
QVBoxLayout* groupListColumn(GroupListView* list, std::initializer_list<GroupListButton> buttons);

}  // namespace v5
