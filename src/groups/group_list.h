#pragma once

#include <QString>
#include <QStringList>

namespace v5 {

// A list box of group numbers ("1" .. "64") with its selected row, as the zone, partition and
// linked-zone panes hold it. The list keeps the order items were appended in; it never sorts.
class GroupList {
public:
    const QStringList& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.isEmpty(); }
    const QString& at(int row) const { return items_.at(row); }
    void setText(int row, const QString& text) { items_[row] = text; }

    // -1 when no item is selected.
    int selectedRow() const { return selected_; }
    bool hasSelection() const { return selected_ >= 0; }
    const QString& selectedText() const { return items_.at(selected_); }
    // The number an item shows (a suffix after the number is ignored); 0 for a text without one.
    static int numberOf(const QString& text);
    int selectedNumber() const { return numberOf(selectedText()); }

    void clear();
    void append(const QString& text) { items_ << text; }
    // The row whose item shows `number`, or -1.
    int rowOf(int number) const;
    // Selects `row`, or nothing for a row outside the list.
    void select(int row);

    // "Создать": appends the smallest number 1..limit that is not the text of an item and selects it.
    // False, with nothing changed, when every number is listed.
    bool appendSmallestFree(int limit);
    // "Удалить": removes the selected item and selects the one before it, or else the new first one.
    // Returns false when the list is left empty.
    bool removeSelected();

private:
    QStringList items_;
    int selected_ = -1;
};

}  // namespace v5
