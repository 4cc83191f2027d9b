#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "files/names_file.h"
#include "image/image.h"
#include "image/records.h"

namespace v5 {

// The key table as a spreadsheet holds it: one line per key with the columns
//   number, code, assignment, spi_number, owner, note
// The export writes them; the import reads the same columns back, so that an exported table edited in a
// spreadsheet loads again.

// The assignment as a cell: "зона 5", "раздел 2", "монтер", "ГЗ", empty when not assigned,
// "неизвестно" for a byte the panel gives no meaning.
QString keyAssignmentCell(config::KeyAssignment assignment);

// One field as RFC 4180 writes it: quoted when it holds a separator (',' or ';'), a quote, a line
// break or leading or trailing blanks, its quotes doubled.
QString csvField(const QString& text);

// The header and one line per record, from an image as the window shows it (swept) and the site's
// names.
QStringList keyCsvLines(const Image& image, const std::vector<std::size_t>& records, const SiteNames& names);

// A table file read into rows of cells: UTF-8 with or without a byte-order mark, or Windows-1251 (a
// file that is not valid UTF-8); ',' or ';' between the cells, whichever the first line uses; quoted
// cells may hold separators, doubled quotes and line breaks. Rows whose cells are all empty are left
// out.
struct CsvRow {
    int line = 0;  // the file's line on which the row begins, from 1
    QStringList cells;
};
struct CsvTable {
    std::vector<CsvRow> rows;
    QChar separator = QLatin1Char(',');
    // What keeps the file from being read as a table, and on which line.
    QString problem;
    int problemLine = 0;
};
CsvTable readCsv(const QByteArray& bytes);

// What an import does to one key record.
struct KeyImportChange {
    enum Kind { Added, Replaced, Changed, Unchanged };
    Kind kind = Unchanged;
    int line = 0;
    std::size_t record = 0;
    config::Key before;
    config::Key after;
    KeyName nameBefore;
    KeyName nameAfter;
};
struct KeyImportError {
    int line = 0;
    QString text;
};

// The whole import, checked before anything is written: every line's change, or every line's error.
struct KeyImportPlan {
    std::vector<KeyImportChange> changes;  // in the file's order
    std::vector<KeyImportError> errors;    // by line

    bool ok() const { return errors.empty(); }
    int count(KeyImportChange::Kind kind) const;
    // Something would be written: a key or a name differs.
    bool changesAnything() const;
};

// Checks a table against the image and the site's names. A line is refused for a bad or zero code, a
// code another key holds (in the image, or on an earlier line), a key number outside 1..990 or given
// twice, an assignment that is no zone, partition, "монтер", "ГЗ" or empty, a zone or partition that
// does not exist, a monitoring number outside 1..15, or no free record left for a line without a
// number. A line without a number takes the next free record. A cell that reads as the export writes
// what the record holds keeps the record's byte, so that an unedited line changes nothing.
KeyImportPlan planKeyImport(const Image& image, const SiteNames& names, const QByteArray& csv);

// Writes a plan without errors: the changed key records (each with the check byte of its code) and
// the keys' names. A replaced key takes the line's owner and note, or none when the table has no such
// columns.
void applyKeyImport(const KeyImportPlan& plan, Image& image, SiteNames& names);

// The plan as lines for a person: the errors when there are any, else what is added and changed.
QStringList keyImportLines(const KeyImportPlan& plan);
// "Добавить: 3, заменить: 1, изменить: 2, без изменений: 10" or "Ошибок: 2, ничего не загружено".
QString keyImportSummary(const KeyImportPlan& plan);
// The undo step of a load from `fileName`.
QString keyImportStep(const QString& fileName);

// The most a table file may hold; a larger file is no key table.
inline constexpr qint64 kMaxKeyTableBytes = 16 * 1024 * 1024;

}  // namespace v5
