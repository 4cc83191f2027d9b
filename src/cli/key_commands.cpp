#include "cli/key_commands.h"

#include <optional>

#include <QIODevice>

#include "image/image.h"
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
          "  --csv         number, code, assignment and monitoring number as CSV, for a spreadsheet\n"
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

// The assignment as a spreadsheet cell: "зона 5", "раздел 2", "монтер", "ГЗ", empty when not assigned.
QString assignmentCell(config::KeyAssignment assignment) {
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

QStringList csvLines(const Image& image, const std::vector<std::size_t>& records) {
    QStringList lines{QStringLiteral("number,code,assignment,spi_number")};
    for (const std::size_t record : records) {
        const auto key = config::Key::decode(image, record);
        lines << QStringLiteral("%1,%2,%3,%4")
                     .arg(record + 1)
                     .arg(key.codeText(false), assignmentCell(key.assignment))
                     .arg(key.spiNumber());
    }
    return lines;
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
        lines = csvLines(image, records);
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

}  // namespace v5::cli
