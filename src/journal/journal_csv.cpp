#include "journal/journal_csv.h"

namespace v5 {

namespace {

// A field with the separator, a quote or a line break goes in quotes, its quotes doubled.
void appendField(QString& line, const QString& field, QChar separator) {
    const bool quoted = field.contains(separator) || field.contains(QLatin1Char('"')) ||
                        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!quoted) {
        line += field;
        return;
    }
    line += QLatin1Char('"');
    line += QString(field).replace(QLatin1Char('"'), QStringLiteral("\"\""));
    line += QLatin1Char('"');
}

}  // namespace

QByteArray journalCsv(std::span<const JournalRow* const> rows, CsvStyle style) {
    const QChar separator = style == CsvStyle::Excel ? QLatin1Char(';') : QLatin1Char(',');
    const QLatin1StringView lineEnd("\r\n");
    QString text;
    text.reserve(static_cast<qsizetype>(rows.size() + 1) * 96);
    for (int c = 0; c < kJournalColumns; ++c) {
        if (c > 0) text += separator;
        appendField(text, journalHeader(static_cast<JournalColumn>(c)), separator);
    }
    text += lineEnd;
    for (const JournalRow* row : rows) {
        for (int c = 0; c < kJournalColumns; ++c) {
            if (c > 0) text += separator;
            appendField(text, row->cells[static_cast<std::size_t>(c)], separator);
        }
        text += lineEnd;
    }
    QByteArray bytes;
    if (style == CsvStyle::Excel) bytes = QByteArrayLiteral("\xEF\xBB\xBF");
    bytes += text.toUtf8();
    return bytes;
}

}  // namespace v5
