#pragma once

#include <span>

#include <QByteArray>
#include <QString>

#include "journal/journal.h"

namespace v5 {

// Where the command line writes the table unless told otherwise, and the name the window proposes.
inline QString journalCsvFileName() {
    return QStringLiteral("arj.csv");
}

enum class CsvStyle {
    Standard,  // RFC 4180: comma-separated, UTF-8, CR LF
    Excel,     // ';'-separated UTF-8 with a byte-order mark, which a Russian spreadsheet opens as it is
};

// The journal's columns for `rows`, a header row first. The window's export and the command line
// both write through here.
QByteArray journalCsv(std::span<const JournalRow* const> rows, CsvStyle style);

}  // namespace v5
