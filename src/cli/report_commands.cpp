#include "cli/report_commands.h"

#include <algorithm>
#include <memory>
#include <optional>

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

#include "image/configuration.h"
#include "desktop/desktop.h"
#include "reports/event_archive.h"
#include "outputs/ext_pane.h"
#include "panes/install_panes.h"
#include "reports/report_actions.h"
#include "cli/settings_argument.h"
#include "files/settings_file.h"
#include "image/slots.h"
#include "journal/journal_csv.h"
#include "journal/journal_filter.h"
#include "reports/text_encoding.h"

namespace v5::cli {

using config::Configuration;

namespace {

// The desktop's questions, answered without anyone to ask; anything it wants to tell goes to stderr.
class NoPrompts : public UserPrompts {
public:
    explicit NoPrompts(QTextStream& err) : err_(err) {}
    std::optional<QString> openFileName(const QString&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void message(const QString& text) override { err_ << "v5ivez-cli: " << text << '\n'; }
    // The command line keeps nothing unsaved of its own.
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::Cancel; }

private:
    QTextStream& err_;
};

// A window without a screen, holding the file as the window holds it right after loading it.
struct LoadedDesktop {
    explicit LoadedDesktop(QTextStream& err) : prompts(err), desktop(prompts, QDir::currentPath()) {}
    NoPrompts prompts;
    Desktop desktop;
};

// Holds a settings file the way the window does after a successful read: the slot captions are
// rebuilt from the file's slot table and the pane reset (with the orphan sweep) runs.
std::unique_ptr<LoadedDesktop> load(const QString& path, Io& io) {
    const std::optional<Image> file = readSettingsArgument(path, io);
    if (!file) return nullptr;
    auto loaded = std::make_unique<LoadedDesktop>(io.err);
    installPanes(loaded->desktop);
    loaded->desktop.acceptReadImage(file->bytes());
    return loaded;
}

// The archive as a table (--csv, --excel) and the filters of its rows.
struct TableOptions {
    bool csv = false;
    CsvStyle style = CsvStyle::Standard;
    JournalFilter filter;
    JournalOrder order = JournalOrder::OldestFirst;
    bool filtered = false;  // a filter or the order was given
};

struct ExportOptions {
    QString image;
    QString output;
    bool utf8 = false;
    bool help = false;
    TableOptions table;
};

// A number from `low` to `high`; nothing otherwise.
std::optional<int> numberIn(const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
}

// One of the table's options at args[i] (its value taken from args[i + 1]); false when `a` is none of
// them. `problem` is set when it is one but its value is wrong.
bool parseTableOption(const QStringList& args, qsizetype& i, TableOptions& table, QString& problem) {
    const QString& a = args[i];
    if (a == QStringLiteral("--csv")) {
        table.csv = true;
        return true;
    }
    if (a == QStringLiteral("--excel")) {
        table.csv = true;
        table.style = CsvStyle::Excel;
        return true;
    }
    if (a == QStringLiteral("--newest-first")) {
        table.order = JournalOrder::NewestFirst;
        table.filtered = true;
        return true;
    }
    struct Numbered {
        const char* name;
        int JournalFilter::*field;
        int high;
    };
    static constexpr Numbered kNumbered[] = {{"--key", &JournalFilter::key, config::kKeyCount},
                                             {"--loop", &JournalFilter::loop, 64},
                                             {"--zone", &JournalFilter::zone, config::kZonaCount}};
    const bool takesValue = a == QStringLiteral("--kind") || a == QStringLiteral("--text") ||
                            std::any_of(std::begin(kNumbered), std::end(kNumbered),
                                        [&a](const Numbered& n) { return a == QLatin1StringView(n.name); });
    if (!takesValue) return false;
    table.filtered = true;
    if (++i >= args.size()) {
        problem = QStringLiteral("%1 needs a value").arg(a);
        return true;
    }
    const QString& value = args[i];
    if (a == QStringLiteral("--text")) {
        table.filter.text = value;
    } else if (a == QStringLiteral("--kind")) {
        table.filter.kinds = 0;
        for (const QString& word : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const std::optional<EventKind> kind = kindFromWord(word);
            if (!kind) {
                problem = QStringLiteral("unknown kind %1; the kinds are %2").arg(word, englishKindWords());
                return true;
            }
            table.filter.kinds |= kindBit(*kind);
        }
        if (table.filter.kinds == 0) problem = QStringLiteral("--kind needs at least one kind");
    } else {
        for (const Numbered& n : kNumbered) {
            if (a != QLatin1StringView(n.name)) continue;
            if (const std::optional<int> number = numberIn(value, 1, n.high))
                table.filter.*n.field = *number;
            else
                problem = QStringLiteral("%1 takes a number from 1 to %2, not %3").arg(a).arg(n.high).arg(value);
        }
    }
    return true;
}

// IMAGE [-o OUT] [--utf8] [--help], in any order; "--" ends the options. Nothing when the line is
// wrong (already told).
// `tables`: the archive's table options are taken as well.
std::optional<ExportOptions> parseExport(const QStringList& args, const QString& defaultOutput, Io& io,
                                         const char* command, bool tables = false) {
    ExportOptions options;
    options.output = defaultOutput;
    bool haveImage = false;
    bool optionsEnded = false;
    QStringList given;
    const auto fail = [&](const QString& problem) {
        io.err << "v5ivez-cli " << command << ": " << problem << '\n';
        return std::nullopt;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool isOption = !optionsEnded && a.startsWith(QLatin1Char('-')) && a != QStringLiteral("-");
        if (isOption && a == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        if (isOption) {
            // -o and --output are one option.
            const QString name = a == QStringLiteral("--output") ? QStringLiteral("-o") : a;
            if (given.contains(name)) return fail(QStringLiteral("%1 is given twice").arg(a));
            given << name;
        }
        QString problem;
        if (isOption && tables && parseTableOption(args, i, options.table, problem)) {
            if (!problem.isEmpty()) return fail(problem);
        } else if (isOption && (a == QStringLiteral("--help") || a == QStringLiteral("-h"))) {
            options.help = true;
        } else if (isOption && a == QStringLiteral("--utf8")) {
            options.utf8 = true;
        } else if (isOption && (a == QStringLiteral("-o") || a == QStringLiteral("--output"))) {
            if (++i >= args.size())
                return fail(QStringLiteral("%1 needs a file name (or - for standard output)").arg(a));
            options.output = args[i];
        } else if (isOption) {
            return fail(QStringLiteral("unknown option %1").arg(a));
        } else if (!haveImage) {
            options.image = a;
            haveImage = true;
        } else {
            return fail(QStringLiteral("one settings file only, got also %1").arg(a));
        }
    }
    if (options.help) return options;
    if (!haveImage) return fail(QStringLiteral("which settings file?"));
    if (options.table.filtered && !options.table.csv)
        return fail(QStringLiteral("the filters and --newest-first go with --csv or --excel"));
    if (options.table.csv && options.utf8)
        return fail(QStringLiteral("--utf8 is for arj.txt; the CSV is always UTF-8"));
    if (options.table.csv && !given.contains(QStringLiteral("-o"))) options.output = journalCsvFileName();
    if (!isStandardOutput(options.output) && sameFile(options.image, options.output))
        return fail(QStringLiteral("-o names the settings file itself; it would be overwritten"));
    return options;
}

void printExportHelp(QTextStream& to, const char* command, const char* what, const QString& file) {
    to << "Usage: v5ivez-cli " << command << " [--utf8] [-o OUT] [--] IMAGE.v5\n\n"
       << what << "\n\n"
       << "  -o OUT    write to OUT instead of " << file << " in the current folder; - (or /dev/stdout)\n"
       << "            writes to standard output\n"
       << "  --utf8    UTF-8 with LF line ends instead of Windows-1251 with CR LF\n"
       << "  --help    show this text\n"
       << "  --        ends the options: a settings file named like an option follows\n\n"
       << "A file is replaced whole or not at all; a device or a named pipe takes the text directly.\n"
       << "Each option is given once; OUT must not be the settings file. Exit status: 0 success, 1 the\n"
       << "settings file cannot be read or the output cannot be written, 2 wrong usage.\n";
}

// Writes the lines to a file (all or nothing) or to standard output.
int writeOutput(const QStringList& lines, const ExportOptions& options, Io& io, const char* command) {
    const TextFormat format = options.utf8 ? TextFormat::Utf8Lf : TextFormat::Windows1251CrLf;
    QByteArray bytes;
    try {
        bytes = encodeLines(lines, format);
    } catch (const TextEncodingError& e) {
        io.err << "v5ivez-cli: " << QString::fromUtf8(e.what()) << '\n';
        return kFailed;
    }
    return writeResult(options.output, bytes, io, command);
}

using BuildLines = QStringList (*)(Desktop&);

int exportCommand(const QStringList& args, Io& io, const char* command, const char* what,
                  const QString& defaultFile, BuildLines build) {
    // A bare name: the current folder as the system has it, whatever its name's encoding.
    const auto options = parseExport(args, defaultFile, io, command);
    if (!options) {
        io.err << "Try 'v5ivez-cli " << command << " --help'.\n";
        return kUsage;
    }
    if (options->help) {
        printExportHelp(io.out, command, what, defaultFile);
        return kOk;
    }
    const auto loaded = load(options->image, io);
    if (!loaded) return kFailed;
    return writeOutput(build(loaded->desktop), *options, io, command);
}

// The text of `info`.
void describe(const Image& image, const QString& path, QTextStream& out) {
    out << "Settings file: " << QFileInfo(path).absoluteFilePath() << '\n';
    out << "Modules in the rack:";
    bool anyModule = false;
    for (int s = 1; s <= kSlotCount; ++s) {
        const auto entry = config::SlotEntry::decode(image, static_cast<std::size_t>(s - 1));
        if (entry.isEmpty()) continue;
        anyModule = true;
        const QString prefix = Type2Capt(entry.kind);
        out << "\n  slot " << qSetFieldWidth(2) << s << qSetFieldWidth(0) << "  ";
        if (prefix.isEmpty())
            out << "unknown module kind " << entry.kind;
        else
            out << prefix << entry.numberByte + 1;
    }
    out << (anyModule ? "\n" : " none\n");
    const Configuration c = Configuration::decode(image);
    out << "Keys: " << c.keysInUse() << '\n'
        << "Zones: " << c.zonesInUse() << '\n'
        << "Partitions: " << c.razdelsInUse() << '\n'
        << "Pass-through zones: " << c.passThroughInUse() << '\n'
        << "Relays in use: " << c.relaysInUse() << '\n'
        << "Indicators in use: " << c.indicatorsInUse() << '\n';
    // The four digits are the nibbles of the word.
    out << "Access code: "
        << QStringLiteral("%1").arg(c.accessCode, 4, 16, QLatin1Char('0')).toUpper()
        << '\n';

    const std::uint16_t word = c.externalModules.word;
    QStringList external;
    for (int bit = 0; bit < ExtPane::kBoxCount; ++bit)
        if (word & (1U << bit)) external << ExtPane::boxCaption(bit);
    out << "External modules: "
        << (external.isEmpty() ? QStringLiteral("none") : external.join(QStringLiteral(", "))) << '\n';

    static const char* const kOptions[] = {"auto-arming", "programming over the bus forbidden",
                                           "external 12 V only"};
    const std::uint8_t optionByte = c.options.byte;
    QStringList options;
    for (int bit = 0; bit < 3; ++bit)
        if (optionByte & (1U << bit)) options << QString::fromLatin1(kOptions[bit]);
    out << "Options: " << (options.isEmpty() ? QStringLiteral("none") : options.join(QStringLiteral(", ")))
        << '\n';
    out << "Archive records: " << writtenArchiveRecords(image) << '\n';
}

}  // namespace

int reportCommand(const QStringList& args, Io& io) {
    return exportCommand(args, io, "report",
                         "Writes the configuration report of a settings file: exactly the report.txt the\n"
                         "program writes right after loading that file.",
                         reportFileName(), &resetAndReport);
}

int archiveCommand(const QStringList& args, Io& io) {
    const char* command = "archive";
    const auto options = parseExport(args, archiveFileName(), io, command, true);
    if (!options) {
        io.err << "Try 'v5ivez-cli archive --help'.\n";
        return kUsage;
    }
    if (options->help) {
        printExportHelp(io.out, command,
                        "Writes the event archive held in a settings file, oldest record first: exactly\n"
                        "the arj.txt the program writes for it.",
                        archiveFileName());
        io.out << "\nThe archive as a table instead: v5ivez-cli archive --csv [FILTERS] [-o OUT] [--] IMAGE.v5\n\n"
                  "  --csv             the rows of the window's event journal as CSV (RFC 4180, UTF-8, a\n"
                  "                    header row), to arj.csv unless -o is given\n"
                  "  --excel           the same ';'-separated with a byte-order mark, for a spreadsheet\n"
                  "  --kind K[,K]      only these kinds: тревога, неисправность, пожар, взятие, снятие,\n"
                  "                    монтер, ГЗ, питание, корпус, связь, настройки, прочее, or in\n"
                  "                    English alarm, fault, fire, arming, disarming, installer,\n"
                  "                    response, power, housing, link, settings, other\n"
                  "  --key N           only the events of key N\n"
                  "  --loop N          only the events of loop N\n"
                  "  --zone N          only the events of the loops zone N holds\n"
                  "  --text WORD       only rows with WORD in a column, whatever its case\n"
                  "  --newest-first    the newest record first\n\n"
                  "The names of keys, loops and zones come from the names file beside the settings file\n"
                  "(site.names.json for site.v5), when there is one.\n";
        return kOk;
    }
    const auto loaded = load(options->image, io);
    if (!loaded) return kFailed;
    if (!options->table.csv) return writeOutput(eventArchive(loaded->desktop.image()), *options, io, command);

    const NamesRead names = readNamesFile(namesPathFor(options->image));
    if (!names.problem.isEmpty())
        io.err << "v5ivez-cli archive: the names are left out: " << names.problem << '\n';
    const std::vector<JournalRow> rows = buildJournal(loaded->desktop.image(), names.names);
    const TableOptions& table = options->table;
    return writeResult(options->output, journalCsv(selectRows(rows, table.filter, table.order), table.style), io,
                       command);
}

int infoCommand(const QStringList& args, Io& io) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        io.out << "Usage: v5ivez-cli info IMAGE.v5\n\n"
                  "A short summary of a settings file as the program holds it after loading it (data of\n"
                  "modules that are not in the rack reads as blank): modules by slot, counts of keys,\n"
                  "zones, partitions, pass-through zones, relays and indicators in use, the access code,\n"
                  "external modules and options, and the number of archive records.\n\n"
                  "Exit status: 0 success, 1 the settings file cannot be read, 2 wrong usage.\n";
        return kOk;
    }
    // "--" lets a settings file whose name begins with "-" through.
    const QStringList files = args.value(0) == QStringLiteral("--") ? args.mid(1) : args;
    if (files.size() != 1 || (files == args && files[0].startsWith(QLatin1Char('-')))) {
        io.err << "v5ivez-cli info: expects exactly one settings file\nTry 'v5ivez-cli info --help'.\n";
        return kUsage;
    }
    const auto loaded = load(files[0], io);
    if (!loaded) return kFailed;
    describe(loaded->desktop.image(), files[0], io.out);
    return kOk;
}

}  // namespace v5::cli
