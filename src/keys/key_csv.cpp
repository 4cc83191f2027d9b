#include "keys/key_csv.h"

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

#include <QRegularExpression>
#include <QStringDecoder>

#include "image/orphan_sweep.h"
#include "image/slots.h"
#include "image/tables.h"
#include "keys/key_table.h"

namespace v5 {

namespace {

constexpr int kKeys = config::kKeyCount;
constexpr int kLastSpiNumber = 15;
constexpr int kZonas = config::kZonaCount;
constexpr int kRazdels = config::kRazdelCount;

const QString kNumberColumn = QStringLiteral("number");
const QString kCodeColumn = QStringLiteral("code");
const QString kAssignmentColumn = QStringLiteral("assignment");
const QString kSpiColumn = QStringLiteral("spi_number");
const QString kOwnerColumn = QStringLiteral("owner");
const QString kNoteColumn = QStringLiteral("note");

bool isLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// A file with a UTF-8 byte-order mark, or one that is valid UTF-8, is UTF-8; anything else is what a
// Russian spreadsheet saves as "CSV": Windows-1251.
std::optional<QString> decodeTable(const QByteArray& bytes, QString& problem) {
    static const QByteArray kBom("\xEF\xBB\xBF");
    if (bytes.startsWith(kBom)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return QString(utf8(bytes.sliced(kBom.size())));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder cp1251("windows-1251");
    if (!cp1251.isValid()) {
        problem = QStringLiteral("в этой сборке программы нет кодировки Windows-1251");
        return std::nullopt;
    }
    return QString(cp1251(bytes));
}

// The separator the first line uses outside quotes: ';' where it has more of them than of ','.
QChar separatorOf(const QString& text) {
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) quoted = !quoted;
        if (quoted) continue;
        if (isLineBreak(c)) break;
        if (c == QLatin1Char(',')) ++commas;
        if (c == QLatin1Char(';')) ++semicolons;
    }
    return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

bool allEmpty(const QStringList& cells) {
    return std::ranges::all_of(cells, [](const QString& cell) { return cell.trimmed().isEmpty(); });
}

// The code as one number, for a hash table.
quint64 codeKey(const KeyCode& code) {
    quint64 key = 0;
    for (const std::uint8_t b : code)
        key = (key << 8) | b;
    return key;
}

// A cell as a person may type it: case, 'ё' and runs of blanks do not matter.
QString plain(const QString& cell) {
    QString text = cell.simplified().toLower();
    text.replace(QChar(u'ё'), QChar(u'е'));
    return text;
}

QString quotedText(const QString& text) {
    return QStringLiteral("«%1»").arg(text);
}

QString assignmentShown(config::KeyAssignment assignment) {
    const QString cell = keyAssignmentCell(assignment);
    return cell.isEmpty() ? QStringLiteral("не назначен") : cell;
}

QString keyShown(const config::Key& key, const KeyName& name) {
    QString text = QStringLiteral("%1, %2, СПИ %3")
                       .arg(key.codeText(false), assignmentShown(key.assignment))
                       .arg(key.spiNumber());
    if (!name.owner.isEmpty()) text += QStringLiteral(", владелец ") + quotedText(name.owner);
    if (!name.note.isEmpty()) text += QStringLiteral(", примечание ") + quotedText(name.note);
    return text;
}

bool isEmptyName(const KeyName& name) {
    return name.owner.isEmpty() && name.note.isEmpty();
}

struct Columns {
    int number = -1;
    int code = -1;
    int assignment = -1;
    int spi = -1;
    int owner = -1;
    int note = -1;
};

// One line of the table as read, before its record is known.
struct ImportRow {
    int line = 0;
    bool numberGiven = false;
    std::optional<std::size_t> record;  // the record it writes, once known
    std::optional<KeyCode> code;
    QString assignment;
    QString spi;
    std::optional<QString> owner;
    std::optional<QString> note;
};

class Planner {
public:
    Planner(const Image& image, const SiteNames& names) : image_(image), names_(names), swept_(image) {
        // Zones, partitions and assignments as the window shows them: after the sweep.
        SlotCaptions captions;
        captions.bntSlotsUpdate(swept_);
        ClearSheet(swept_, captions);
        for (std::size_t i = 0; i < keys_.size(); ++i)
            keys_[i] = config::Key::decode(image_, i);
    }

    KeyImportPlan plan(const QByteArray& csv) {
        const CsvTable table = readCsv(csv);
        if (!table.problem.isEmpty()) {
            error(table.problemLine, table.problem);
            return finish();
        }
        if (table.rows.empty()) {
            error(1, QStringLiteral("в файле нет ни одной строки"));
            return finish();
        }
        if (!readHeader(table.rows.front())) return finish();
        for (std::size_t i = 1; i < table.rows.size(); ++i)
            rows_.push_back(readRow(table.rows[i]));
        claimNumberedRecords();
        claimFreeRecords();
        checkCodesAreUnique();
        for (const ImportRow& row : rows_)
            planRow(row);
        return finish();
    }

private:
    void error(int line, const QString& text) { plan_.errors.push_back({line, text}); }

    KeyImportPlan finish() {
        std::ranges::stable_sort(plan_.errors, {}, &KeyImportError::line);
        if (!plan_.ok()) plan_.changes.clear();
        return std::move(plan_);
    }

    bool readHeader(const CsvRow& header) {
        struct Named {
            const QString& name;
            int Columns::*field;
            bool required;
        };
        const Named kNamed[] = {
            {kNumberColumn, &Columns::number, true},         {kCodeColumn, &Columns::code, true},
            {kAssignmentColumn, &Columns::assignment, true}, {kSpiColumn, &Columns::spi, true},
            {kOwnerColumn, &Columns::owner, false},          {kNoteColumn, &Columns::note, false}};
        for (qsizetype i = 0; i < header.cells.size(); ++i) {
            const QString name = header.cells[i].trimmed().toLower();
            for (const Named& n : kNamed)
                if (name == n.name && columns_.*n.field < 0) columns_.*n.field = static_cast<int>(i);
        }
        QStringList missing;
        for (const Named& n : kNamed)
            if (n.required && columns_.*n.field < 0) missing << n.name;
        if (missing.isEmpty()) return true;
        error(header.line,
              QStringLiteral("первая строка называет столбцы number, code, assignment, spi_number "
                             "(и по желанию owner, note); нет столбцов: %1")
                  .arg(missing.join(QStringLiteral(", "))));
        return false;
    }

    static QString cell(const CsvRow& row, int column) {
        return column >= 0 && column < row.cells.size() ? row.cells[column] : QString();
    }

    ImportRow readRow(const CsvRow& in) {
        ImportRow row;
        row.line = in.line;
        const QString number = cell(in, columns_.number).trimmed();
        row.numberGiven = !number.isEmpty();
        if (row.numberGiven) {
            bool isNumber = false;
            const int n = number.toInt(&isNumber);
            if (!isNumber)
                error(row.line, QStringLiteral("номер ключа %1 — не число").arg(quotedText(number)));
            else if (n < 1 || n > kKeys)
                error(row.line, QStringLiteral("ключа %1 нет: ключи 1–%2").arg(n).arg(kKeys));
            else
                row.record = static_cast<std::size_t>(n - 1);
        }
        const QString code = cell(in, columns_.code).trimmed();
        const TypedKeyCode typed = readTypedKeyCode(code);
        if (typed.code) {
            row.code = typed.code;
        } else {
            QString text = QStringLiteral("код %1: %2").arg(quotedText(code), typed.problem);
            // A spreadsheet takes "000012345678" for a number and drops its leading zeros.
            static const QRegularExpression kDigits(QStringLiteral("^[0-9]{1,11}$"));
            if (kDigits.match(code).hasMatch())
                text += QStringLiteral(
                    " Если таблица убрала ведущие нули, задайте столбцу code текстовый формат.");
            error(row.line, text);
        }
        row.assignment = cell(in, columns_.assignment);
        row.spi = cell(in, columns_.spi).trimmed();
        if (columns_.owner >= 0) row.owner = cell(in, columns_.owner);
        if (columns_.note >= 0) row.note = cell(in, columns_.note);
        return row;
    }

    void claimNumberedRecords() {
        for (ImportRow& row : rows_) {
            if (!row.record) continue;
            int& claimant = claimedBy_.at(*row.record);
            if (claimant != 0) {
                error(row.line,
                      QStringLiteral("ключ %1 уже есть в строке %2").arg(*row.record + 1).arg(claimant));
                row.record.reset();
            } else {
                claimant = row.line;
            }
        }
    }

    // Lines without a number take the free records nobody else writes, lowest first.
    void claimFreeRecords() {
        std::size_t next = 0;
        for (ImportRow& row : rows_) {
            if (row.numberGiven) continue;
            while (next < keys_.size() && (!keys_[next].isFree() || claimedBy_.at(next) != 0))
                ++next;
            if (next == keys_.size()) {
                error(row.line, QStringLiteral("нет места: все %1 ключей заняты").arg(kKeys));
                continue;
            }
            row.record = next;
            claimedBy_.at(next) = row.line;
        }
    }

    // After the import no two records may hold one code: a code stays with a record the table does not
    // write, or it is given on one line only.
    void checkCodesAreUnique() {
        std::unordered_map<quint64, std::size_t> kept;
        for (std::size_t i = 0; i < keys_.size(); ++i)
            if (!keys_[i].isFree() && claimedBy_.at(i) == 0) kept.emplace(codeKey(keys_[i].code), i);
        std::unordered_map<quint64, int> given;
        for (const ImportRow& row : rows_) {
            if (!row.code) continue;
            const quint64 key = codeKey(*row.code);
            const QString code = config::keyCodeText(*row.code, false);
            if (const auto holder = kept.find(key); holder != kept.end()) {
                const std::size_t number = holder->second + 1;
                error(row.line, row.numberGiven
                                    ? QStringLiteral("код %1 уже у ключа %2").arg(code).arg(number)
                                    : QStringLiteral("код %1 уже у ключа %2; чтобы изменить этот ключ, "
                                                     "укажите в строке его номер %2")
                                          .arg(code)
                                          .arg(number));
                continue;
            }
            if (const auto [earlier, isNew] = given.emplace(key, row.line); !isNew)
                error(row.line, QStringLiteral("код %1 уже в строке %2").arg(code).arg(earlier->second));
        }
    }

    // The assignment byte a cell names; a cell that reads as the record's own keeps its byte.
    std::optional<std::uint8_t> assignmentOf(const ImportRow& row, const config::Key* stored) {
        const QString text = plain(row.assignment);
        if (stored && !stored->isFree() &&
            text == plain(keyAssignmentCell(config::Key::decode(swept_, *row.record).assignment)))
            return stored->assignment.byte;
        if (text.isEmpty()) return config::kNoAssignment;
        if (text == plain(keyAssignmentCell({config::kMonterAssignment}))) return config::kMonterAssignment;
        if (text == plain(keyAssignmentCell({config::kGZAssignment}))) return config::kGZAssignment;
        static const QRegularExpression kGroup(QStringLiteral("^(зона|раздел) ?:? ?([0-9]+)$"));
        const QRegularExpressionMatch match = kGroup.match(text);
        if (!match.hasMatch()) {
            error(row.line,
                  QStringLiteral("назначение %1 не распознано: пишется «зона N», «раздел N», «монтер», "
                                 "«ГЗ» или пусто")
                      .arg(quotedText(row.assignment.trimmed())));
            return std::nullopt;
        }
        const int n = match.captured(2).toInt();
        const bool zona = match.captured(1) == QStringLiteral("зона");
        const QString group = zona ? QStringLiteral("зоны %1").arg(n) : QStringLiteral("раздела %1").arg(n);
        const int count = zona ? kZonas : kRazdels;
        if (n < 1 || n > count) {
            error(row.line, QStringLiteral("%1 нет: %2 1–%3")
                                .arg(group, zona ? QStringLiteral("зоны") : QStringLiteral("разделы"))
                                .arg(count));
            return std::nullopt;
        }
        if (!(zona ? zonaExists(swept_, n) : razdelExists(swept_, n))) {
            error(row.line, QStringLiteral("%1 нет: в %2 нет шлейфов")
                                .arg(group, zona ? QStringLiteral("ней") : QStringLiteral("нём")));
            return std::nullopt;
        }
        return (zona ? config::KeyAssignment::ofZona(n) : config::KeyAssignment::ofRazdel(n)).byte;
    }

    // The monitoring-number byte; an empty cell keeps a stored key's and gives a new key 1.
    std::optional<std::uint8_t> spiByteOf(const ImportRow& row, const config::Key* stored) {
        const bool holdsKey = stored && !stored->isFree();
        if (holdsKey && (row.spi.isEmpty() || row.spi == QString::number(stored->spiNumber())))
            return stored->spiByte;
        if (row.spi.isEmpty()) return 0;
        bool isNumber = false;
        const int n = row.spi.toInt(&isNumber);
        if (isNumber && n >= 1 && n <= kLastSpiNumber) return static_cast<std::uint8_t>(n - 1);
        error(row.line, QStringLiteral("номер для СПИ %1 вне 1–%2")
                            .arg(quotedText(row.spi), QString::number(kLastSpiNumber)));
        return std::nullopt;
    }

    void planRow(const ImportRow& row) {
        const config::Key* stored = row.record ? &keys_.at(*row.record) : nullptr;
        const auto assignment = assignmentOf(row, stored);
        const auto spiByte = spiByteOf(row, stored);
        if (!stored || !row.code || !assignment || !spiByte) return;

        KeyImportChange change;
        change.line = row.line;
        change.record = *row.record;
        change.before = *stored;
        change.after = *stored;
        change.after.assignment.byte = *assignment;
        change.after.spiByte = *spiByte;
        if (change.after != change.before || row.code != stored->code) change.after.setCode(*row.code);

        const auto name = names_.keys.find(static_cast<int>(*row.record) + 1);
        change.nameBefore = name != names_.keys.end() ? name->second : KeyName();
        const bool replaced = !stored->isFree() && stored->code != *row.code;
        // Names follow their keys: a replaced key keeps none of the old key's.
        change.nameAfter.owner = row.owner.value_or(replaced ? QString() : change.nameBefore.owner);
        change.nameAfter.note = row.note.value_or(replaced ? QString() : change.nameBefore.note);

        if (stored->isFree())
            change.kind = KeyImportChange::Added;
        else if (replaced)
            change.kind = KeyImportChange::Replaced;
        else if (change.after != change.before || change.nameAfter != change.nameBefore)
            change.kind = KeyImportChange::Changed;
        plan_.changes.push_back(change);
    }

    const Image& image_;
    const SiteNames& names_;
    Image swept_;
    std::array<config::Key, kKeys> keys_{};
    std::array<int, kKeys> claimedBy_{};  // the line that writes each record, 0 for none
    Columns columns_;
    std::vector<ImportRow> rows_;
    KeyImportPlan plan_;
};

}  // namespace

QString keyAssignmentCell(config::KeyAssignment assignment) {
    switch (assignment.role()) {
        case config::KeyRole::Zona:
            return QStringLiteral("зона %1").arg(assignment.number());
        case config::KeyRole::Razdel:
            return QStringLiteral("раздел %1").arg(assignment.number());
        case config::KeyRole::Monter:
            return QStringLiteral("монтер");
        case config::KeyRole::GZ:
            return QStringLiteral("ГЗ");
        case config::KeyRole::Unassigned:
            return QString();
        case config::KeyRole::Unknown:
            break;
    }
    return QStringLiteral("неизвестно");
}

QString csvField(const QString& text) {
    const bool quote = std::ranges::any_of(text,
                                           [](QChar c) {
                                               return c == QLatin1Char(',') || c == QLatin1Char(';') ||
                                                      c == QLatin1Char('"') || isLineBreak(c);
                                           }) ||
                       (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QStringList keyCsvLines(const Image& image, const std::vector<std::size_t>& records, const SiteNames& names) {
    QStringList lines{
        QStringList{kNumberColumn, kCodeColumn, kAssignmentColumn, kSpiColumn, kOwnerColumn, kNoteColumn}
            .join(QLatin1Char(','))};
    for (const std::size_t record : records) {
        const auto key = config::Key::decode(image, record);
        const auto name = names.keys.find(static_cast<int>(record) + 1);
        const KeyName keyName = name != names.keys.end() ? name->second : KeyName();
        lines << QStringList{QString::number(record + 1),
                             key.codeText(false),
                             csvField(keyAssignmentCell(key.assignment)),
                             QString::number(key.spiNumber()),
                             csvField(keyName.owner),
                             csvField(keyName.note)}
                     .join(QLatin1Char(','));
    }
    return lines;
}

CsvTable readCsv(const QByteArray& bytes) {
    CsvTable table;
    const auto decoded = decodeTable(bytes, table.problem);
    if (!decoded) {
        table.problemLine = 1;
        return table;
    }
    const QString& text = *decoded;
    const QChar separator = separatorOf(text);
    table.separator = separator;

    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    bool quoted = false;
    bool cellStarted = false;
    QStringList cells;
    QString cell;
    const auto endCell = [&] {
        cells << cell;
        cell.clear();
        cellStarted = false;
    };
    const auto endRow = [&] {
        endCell();
        if (!allEmpty(cells)) table.rows.push_back({rowLine, cells});
        cells.clear();
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        const bool crlf = c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n');
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && text[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
                continue;
            }
            // A line break inside quotes belongs to the cell, as the "\n" a name holds everywhere else;
            // the file's lines still count.
            if (crlf) continue;
            if (isLineBreak(c)) {
                ++line;
                cell += QLatin1Char('\n');
                continue;
            }
            cell += c;
            continue;
        }
        if (c == QLatin1Char('"') && !cellStarted) {
            quoted = true;
            cellStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            endCell();
        } else if (isLineBreak(c)) {
            if (crlf) ++i;
            endRow();
            rowLine = ++line;
        } else {
            // Anything else, a stray quote after text included, is the cell's own.
            cell += c;
            cellStarted = true;
        }
    }
    if (quoted) {
        table.rows.clear();
        table.problem =
            QStringLiteral("кавычка, открытая в строке %1, не закрыта до конца файла").arg(quoteLine);
        table.problemLine = quoteLine;
        return table;
    }
    if (cellStarted || !cells.isEmpty() || !cell.isEmpty()) endRow();
    return table;
}

int KeyImportPlan::count(KeyImportChange::Kind kind) const {
    return static_cast<int>(std::ranges::count(changes, kind, &KeyImportChange::kind));
}

bool KeyImportPlan::changesAnything() const {
    return ok() && std::ranges::any_of(changes, [](const KeyImportChange& c) {
               return c.kind != KeyImportChange::Unchanged;
           });
}

KeyImportPlan planKeyImport(const Image& image, const SiteNames& names, const QByteArray& csv) {
    // A copy of the image and the decoded keys, some 50 kB: on the heap, not the caller's stack.
    auto planner = std::make_unique<Planner>(image, names);
    return planner->plan(csv);
}

void applyKeyImport(const KeyImportPlan& plan, Image& image, SiteNames& names) {
    if (!plan.ok()) return;
    for (const KeyImportChange& change : plan.changes) {
        if (change.kind == KeyImportChange::Unchanged) continue;
        change.after.encode(image, change.record);
        const int number = static_cast<int>(change.record) + 1;
        if (isEmptyName(change.nameAfter))
            names.keys.erase(number);
        else
            names.keys[number] = change.nameAfter;
    }
}

QStringList keyImportLines(const KeyImportPlan& plan) {
    QStringList lines;
    for (const KeyImportError& e : plan.errors)
        lines << QStringLiteral("строка %1: %2").arg(e.line).arg(e.text);
    if (!plan.ok()) return lines;
    for (const KeyImportChange& c : plan.changes) {
        const QString head = QStringLiteral("строка %1: ").arg(c.line);
        const int number = static_cast<int>(c.record) + 1;
        switch (c.kind) {
            case KeyImportChange::Added:
                lines << head + QStringLiteral("добавить ключ %1: %2")
                                    .arg(number)
                                    .arg(keyShown(c.after, c.nameAfter));
                break;
            case KeyImportChange::Replaced:
                lines << head + QStringLiteral("заменить ключ %1: %2 → %3")
                                    .arg(number)
                                    .arg(keyShown(c.before, c.nameBefore), keyShown(c.after, c.nameAfter));
                break;
            case KeyImportChange::Changed: {
                QStringList what;
                if (c.after.assignment != c.before.assignment)
                    what << QStringLiteral("назначение %1 → %2")
                                .arg(assignmentShown(c.before.assignment),
                                     assignmentShown(c.after.assignment));
                if (c.after.spiByte != c.before.spiByte)
                    what << QStringLiteral("СПИ %1 → %2").arg(c.before.spiNumber()).arg(c.after.spiNumber());
                if (c.after.checkByte != c.before.checkByte)
                    what << QStringLiteral("контрольный байт исправлен");
                if (c.nameAfter.owner != c.nameBefore.owner)
                    what << QStringLiteral("владелец %1 → %2")
                                .arg(quotedText(c.nameBefore.owner), quotedText(c.nameAfter.owner));
                if (c.nameAfter.note != c.nameBefore.note)
                    what << QStringLiteral("примечание %1 → %2")
                                .arg(quotedText(c.nameBefore.note), quotedText(c.nameAfter.note));
                lines << head + QStringLiteral("изменить ключ %1: %2")
                                    .arg(number)
                                    .arg(what.join(QStringLiteral("; ")));
                break;
            }
            case KeyImportChange::Unchanged:
                break;
        }
    }
    return lines;
}

QString keyImportSummary(const KeyImportPlan& plan) {
    if (!plan.ok())
        return QStringLiteral("Ошибок: %1 — ничего не загружено").arg(static_cast<int>(plan.errors.size()));
    return QStringLiteral("Добавить: %1, заменить: %2, изменить: %3, без изменений: %4")
        .arg(plan.count(KeyImportChange::Added))
        .arg(plan.count(KeyImportChange::Replaced))
        .arg(plan.count(KeyImportChange::Changed))
        .arg(plan.count(KeyImportChange::Unchanged));
}

QString keyImportStep(const QString& fileName) {
    return QStringLiteral("загрузка ключей из таблицы ") + fileName;
}

}  // namespace v5
