#pragma once

#include <vector>

#include <QString>

#include "journal/journal.h"

namespace v5 {

// Which rows the journal shows. The window's controls and the command line's options fill the same
// filter, so both give the same rows.
struct JournalFilter {
    EventKinds kinds = kAllEventKinds;
    int key = 0;   // a key's number; 0: any key or none
    int loop = 0;  // rows that concern this loop; 0: any
    int zone = 0;  // rows whose loops this zone holds; 0: any
    QString text;  // found in any column, whatever the case; empty: any

    bool accepts(const JournalRow& row) const { return accepts(row, text.toCaseFolded()); }
    // The same with the text already case-folded, for a filter run over many rows.
    bool accepts(const JournalRow& row, const QString& foldedText) const;
    friend bool operator==(const JournalFilter&, const JournalFilter&) = default;
};

enum class JournalOrder { OldestFirst, NewestFirst };

// The rows `filter` accepts, in `order`.
std::vector<const JournalRow*> selectRows(const std::vector<JournalRow>& rows, const JournalFilter& filter,
                                          JournalOrder order);

}  // namespace v5
