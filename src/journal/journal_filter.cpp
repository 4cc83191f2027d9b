#include "journal/journal_filter.h"

#include <algorithm>

namespace v5 {

bool JournalFilter::accepts(const JournalRow& row, const QString& foldedText) const {
    if (!(kinds & kindBit(row.kind))) return false;
    if (key != 0 && row.key != key) return false;
    if (loop != 0 && !row.loops.has(loop)) return false;
    if (zone != 0 && !row.holdsZone(zone)) return false;
    // A line break cannot be typed into the search: the match stays inside one column.
    return foldedText.isEmpty() || row.searchText.contains(foldedText);
}

std::vector<const JournalRow*> selectRows(const std::vector<JournalRow>& rows, const JournalFilter& filter,
                                          JournalOrder order) {
    std::vector<const JournalRow*> shown;
    shown.reserve(rows.size());
    const QString text = filter.text.toCaseFolded();
    for (const JournalRow& row : rows)
        if (filter.accepts(row, text)) shown.push_back(&row);
    if (order == JournalOrder::NewestFirst) std::reverse(shown.begin(), shown.end());
    return shown;
}

}  // namespace v5
