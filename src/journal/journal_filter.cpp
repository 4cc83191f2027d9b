#include "journal/journal_filter.h"

#include <algorithm>

namespace v5 {

bool JournalFilter::accepts(const JournalRow& row) const {
    if (!(kinds & kindBit(row.kind))) return false;
    if (key != 0 && row.key != key) return false;
    if (loop != 0 && !row.loops.has(loop)) return false;
    if (zone != 0 && !row.holdsZone(zone)) return false;
    if (text.isEmpty()) return true;
    return std::any_of(row.cells.begin(), row.cells.end(),
                       [this](const QString& cell) { return cell.contains(text, Qt::CaseInsensitive); });
}

std::vector<const JournalRow*> selectRows(const std::vector<JournalRow>& rows, const JournalFilter& filter,
                                          JournalOrder order) {
    std::vector<const JournalRow*> shown;
    shown.reserve(rows.size());
    for (const JournalRow& row : rows)
        if (filter.accepts(row)) shown.push_back(&row);
    if (order == JournalOrder::NewestFirst) std::reverse(shown.begin(), shown.end());
    return shown;
}

}  // namespace v5
