#include "cli/key_commands.h"

#include <optional>

#include <QIODevice>

#include "files/names_file.h"
#include "files/site_files.h"
#include "image/image.h"
#include "keys/key_csv.h"
#include "keys/key_table.h"
#include "image/orphan_sweep.h"
#include "files/settings_file.h"
#include "image/slots.h"
#include "reports/text_encoding.h"

namespace v5::cli {

namespace {

struct KeysOptions {
    QString image;
    KeyOrder order = KeyOrder::Number;
    bool csv = false;
    bool cp1251 = false;
    bool help = false;
};

void printHelp(QTextStream& to) {
    to << "Usage: v5ivez-cli keys IMAGE.v5 [--by number|zone|unused] [--csv] [--cp1251]\n\n"
          "Lists the keys of a settings file exactly as the program's key list shows them after\n"
          "loading that file (keys of zones or partitions without loops read as not assigned).\n\n"
          "  --by number   every key by its number (the default)\n"
          "  --by zone     the keys of zones and partitions, grouped by zone, then partition\n"
          "  --by unused   the keys that are not assigned\n"
          "  --csv         number, code, assignment, monitoring number, owner and note as CSV, for a\n"
          "                spreadsheet; owner and note come from IMAGE.names.json beside the file\n"
          "  --cp1251      Windows-1251 with CR LF instead of UTF-8 with LF\n"
          "  --help        show this text\n\n"
          "Exit status: 0 success, 1 the settings file cannot be read, 2 wrong usage.\n";
}

int usage(Io& io, const QString& problem) {
    io.err << "v5ivez-cli keys: " << problem << "\nTry 'v5ivez-cli keys --help'.\n";
    return kUsage;
}

// Nothing when the line is wrong; the reason is in `problem`.
std::optional<KeysOptions> parse(const QStringList& args, QString& problem) {
    KeysOptions options;
    bool haveImage = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            options.help = true;
        } else if (a == QStringLiteral("--csv")) {
            options.csv = true;
        } else if (a == QStringLiteral("--cp1251")) {
            options.cp1251 = true;
        } else if (a == QStringLiteral("--by")) {
            const QString by = ++i < args.size() ? args[i] : QString();
            if (by == QStringLiteral("number"))
                options.order = KeyOrder::Number;
            else if (by == QStringLiteral("zone"))
                options.order = KeyOrder::Zona;
            else if (by == QStringLiteral("unused"))
                options.order = KeyOrder::Unused;
            else {
                problem = QStringLiteral("--by takes number, zone or unused");
                return std::nullopt;
            }
        } else if (a.startsWith(QLatin1Char('-'))) {
            problem = QStringLiteral("unknown option ") + a;
            return std::nullopt;
        } else if (!haveImage) {
            options.image = a;
            haveImage = true;
        } else {
            problem = QStringLiteral("one settings file only, got also ") + a;
            return std::nullopt;
        }
    }
    if (!haveImage && !options.help) {
        problem = QStringLiteral("which settings file?");
        return std::nullopt;
    }
    return options;
}

}  // namespace

int keysCommand(const QStringList& args, Io& io) {
    QString problem;
    const auto options = parse(args, problem);
    if (!options) return usage(io, problem);
    if (options->help) {
        printHelp(io.out);
        return kOk;
    }
    Image image;
    if (const auto error = readSettingsInto(image, options->image, AccessCodeCheck::None)) {
        io.err << "v5ivez-cli keys: cannot read the settings file " << options->image << ": "
               << (error->detail.isEmpty() ? error->message : error->detail) << '\n';
        return kFailed;
    }
    // As the window holds the file right after loading it: the sweep has unassigned the keys of
    // zones and partitions that have no loops.
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    ClearSheet(image, captions);

    const std::vector<std::size_t> records = keyListRecords(image, options->order);
    QStringList lines;
    if (options->csv) {
        const NamesRead names = readNamesFile(namesPathFor(options->image));
        if (!names.problem.isEmpty()) {
            io.err << "v5ivez-cli keys: cannot read the names file " << namesPathFor(options->image) << ": "
                   << names.problem << '\n';
            return kFailed;
        }
        lines = keyCsvLines(image, records, names.names);
    } else {
        for (const std::size_t record : records)
            lines << AddLine(image, record);
    }
    QIODevice* device = io.out.device();
    if (!device) {  // a stream on a string takes characters
        io.out << joinLines(lines);
        return kOk;
    }
    QByteArray bytes;
    try {
        bytes = encodeLines(lines, options->cp1251 ? TextFormat::Windows1251CrLf : TextFormat::Utf8Lf);
    } catch (const TextEncodingError& e) {
        io.err << "v5ivez-cli keys: " << QString::fromUtf8(e.what()) << '\n';
        return kFailed;
    }
    io.out.flush();
    if (device->write(bytes) != bytes.size()) {
        io.err << "v5ivez-cli keys: cannot write to standard output: " << device->errorString() << '\n';
        return kFailed;
    }
    return kOk;
}

namespace {

struct ImportOptions {
    QString image;
    QString table;
    bool dryRun = false;
    bool help = false;
};

void printImportHelp(QTextStream& to) {
    to << "Usage: v5ivez-cli keys-import IMAGE.v5 KEYS.csv [--dry-run]\n\n"
          "Loads keys from a table with the columns of 'keys --csv' (number, code, assignment,\n"
          "spi_number, and owner and note if wanted), as a spreadsheet saves it: UTF-8 with or without\n"
          "a byte-order mark or Windows-1251, cells separated by ',' or ';'.\n"
          "A line without a number takes the next free key; an unchanged line changes nothing.\n"
          "Every line is checked first; on any error nothing is written and each error is listed with\n"
          "its line. Otherwise IMAGE.v5 and the owners and notes in IMAGE.names.json are written, each\n"
          "all or nothing: the names are staged beside their file first and take its place only after\n"
          "the image is written. Should that last step fail, the image holds the keys and the names file\n"
          "stays as it was; the command says so and exits 1.\n\n"
          "  --dry-run   list what would be added and changed, write nothing\n"
          "  --help      show this text\n\n"
          "Exit status: 0 success, 1 errors in the table or a file cannot be read or written,\n"
          "2 wrong usage.\n";
}

std::optional<ImportOptions> parseImport(const QStringList& args, QString& problem) {
    ImportOptions options;
    QStringList files;
    for (const QString& a : args) {
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            options.help = true;
        } else if (a == QStringLiteral("--dry-run")) {
            options.dryRun = true;
        } else if (a.startsWith(QLatin1Char('-'))) {
            problem = QStringLiteral("unknown option ") + a;
            return std::nullopt;
        } else {
            files << a;
        }
    }
    if (options.help) return options;
    if (files.size() != 2) {
        problem = files.size() < 2 ? QStringLiteral("a settings file and a table, please")
                                   : QStringLiteral("one settings file and one table only");
        return std::nullopt;
    }
    options.image = files[0];
    options.table = files[1];
    return options;
}

}  // namespace

int keysImportCommand(const QStringList& args, Io& io) {
    const char* const me = "v5ivez-cli keys-import: ";
    QString problem;
    const auto options = parseImport(args, problem);
    if (!options) {
        io.err << me << problem << "\nTry 'v5ivez-cli keys-import --help'.\n";
        return kUsage;
    }
    if (options->help) {
        printImportHelp(io.out);
        return kOk;
    }
    Image image;
    if (const auto error = readSettingsInto(image, options->image, AccessCodeCheck::None)) {
        io.err << me << "cannot read the settings file " << options->image << ": "
               << (error->detail.isEmpty() ? error->message : error->detail) << '\n';
        return kFailed;
    }
    const QString namesPath = namesPathFor(options->image);
    const NamesRead names = readNamesFile(namesPath);
    if (!names.problem.isEmpty()) {
        io.err << me << "cannot read the names file " << namesPath << ": " << names.problem
               << "; nothing written\n";
        return kFailed;
    }
    const FileRead table = readFileStart(options->table, kMaxKeyTableBytes + 1);
    if (table.failure) {
        io.err << me << "cannot read the table " << options->table << ": " << englishReason(*table.failure)
               << '\n';
        return kFailed;
    }
    if (table.size > kMaxKeyTableBytes) {
        io.err << me << "the table " << options->table << " is too large for a key table\n";
        return kFailed;
    }

    const KeyImportPlan plan = planKeyImport(image, names.names, table.bytes);
    QTextStream& listTo = plan.ok() ? io.out : io.err;
    for (const QString& line : keyImportLines(plan))
        listTo << line << '\n';
    listTo << keyImportSummary(plan) << '\n';
    if (!plan.ok()) return kFailed;
    if (options->dryRun) {
        io.out << "--dry-run: nothing written\n";
        return kOk;
    }
    if (!plan.changesAnything()) {
        io.out << "nothing to change, nothing written\n";
        return kOk;
    }
    SiteNames newNames = names.names;
    applyKeyImport(plan, image, newNames);
    std::optional<SiteNames> namesToWrite;
    if (newNames != names.names) namesToWrite = newNames;
    const SiteWrite written = writeSettingsAndNames(options->image, image, namesPath, namesToWrite);
    if (written.error) {
        const QString reason =
            written.error->detail.isEmpty() ? written.error->message : written.error->detail;
        if (written.imageWritten)
            io.err << me << "wrote " << options->image << ", but not the names file " << namesPath << ": "
                   << reason << "; the owners and notes of this import are not in it\n";
        else
            io.err << me << "nothing written: " << reason << '\n';
        return kFailed;
    }
    io.out << "wrote " << options->image;
    if (namesToWrite) io.out << " and " << namesPath;
    io.out << '\n';
    return kOk;
}

}  // namespace v5::cli
