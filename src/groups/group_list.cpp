#include "groups/group_list.h"

namespace v5 {

int GroupList::numberOf(const QString& text) {
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    return QStringView(text).left(digits).toInt();
}

void GroupList::clear() {
    items_.clear();
    selected_ = -1;
}

int GroupList::rowOf(int number) const {
    if (number <= 0) return -1;
    for (int row = 0; row < count(); ++row)
        if (numberOf(items_.at(row)) == number) return row;
    return -1;
}

void GroupList::select(int row) {
    selected_ = row >= 0 && row < count() ? row : -1;
}

bool GroupList::appendSmallestFree(int limit) {
    int n = 1;
    if (!isEmpty()) {
        while (n <= limit && items_.contains(QString::number(n)))
            ++n;
        if (n > limit) return false;
    }
    items_ << QString::number(n);
    selected_ = count() - 1;
    return true;
}

bool GroupList::removeSelected() {
    if (!hasSelection()) return !isEmpty();
    const int k = selected_;
    items_.removeAt(k);
    selected_ = isEmpty() ? -1 : (k > 0 ? k - 1 : 0);
    return !isEmpty();
}

}  // namespace v5
