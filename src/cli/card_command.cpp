#include "cli/card_command.h"

#include <optional>

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>

#include "card/card_document.h"
#include "card/site_card.h"
#include "cli/settings_argument.h"
#include "files/names_file.h"
#include "files/system_file.h"
#include "image/orphan_sweep.h"
#include "image/slots.h"

namespace v5::cli {

namespace {

struct CardOptions {
    QString image;
    QString output;
    bool html = false;
    bool help = false;
};

void printHelp(QTextStream& to) {
    to << "Usage: v5ivez-cli card [-o OUT] [--html] [--] IMAGE.v5\n\n"
          "Writes the site card of a settings file, for the customer and the monitoring station: the\n"
          "site's data, the modules by slot, the loops, zones, partitions, keys, relays, indicators,\n"
          "communication modules and sounders, with the names kept in IMAGE.names.json beside it (a\n"
          "damaged names file is a warning: the card is written without names). The configuration is\n"
          "the one the program holds right after loading the file.\n\n"
          "  -o OUT    write to OUT instead of IMAGE.card.pdf in the current folder; - writes to\n"
          "            standard output\n"
          "  --html    HTML (UTF-8) instead of PDF; an OUT ending in .html or .htm is HTML as well\n"
          "  --help    show this text\n"
          "  --        ends the options: a settings file named like an option follows\n\n"
          "A file is replaced whole or not at all. Exit status: 0 success, 1 the settings file cannot\n"
          "be read or the card cannot be written, 2 wrong usage.\n";
}

// Nothing when the line is wrong; the reason is in `problem`.
std::optional<CardOptions> parse(const QStringList& args, QString& problem) {
    CardOptions options;
    bool haveImage = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool option = !optionsEnded && a.size() > 1 && a.startsWith(QLatin1Char('-'));
        if (option && a == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (option && (a == QStringLiteral("--help") || a == QStringLiteral("-h"))) {
            options.help = true;
        } else if (option && a == QStringLiteral("--html")) {
            options.html = true;
        } else if (option && (a == QStringLiteral("-o") || a == QStringLiteral("--output"))) {
            if (++i >= args.size() || !options.output.isEmpty()) {
                problem = QStringLiteral("-o takes one file name (or - for standard output)");
                return std::nullopt;
            }
            options.output = args[i];
        } else if (option) {
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
    if (options.help) return options;
    if (!haveImage) {
        problem = QStringLiteral("which settings file?");
        return std::nullopt;
    }
    if (options.output.isEmpty())
        options.output = QFileInfo(options.image).completeBaseName() +
                         (options.html ? QStringLiteral(".card.html") : QStringLiteral(".card.pdf"));
    const QString suffix = QFileInfo(options.output).suffix().toLower();
    options.html = options.html || suffix == QStringLiteral("html") || suffix == QStringLiteral("htm");
    if (!isStandardOutput(options.output) && sameFile(options.image, options.output)) {
        problem = QStringLiteral("-o names the settings file itself; it would be overwritten");
        return std::nullopt;
    }
    return options;
}

}  // namespace

int cardCommand(const QStringList& args, Io& io) {
    QString problem;
    const auto options = parse(args, problem);
    if (!options) {
        io.err << "v5ivez-cli card: " << problem << "\nTry 'v5ivez-cli card --help'.\n";
        return kUsage;
    }
    if (options->help) {
        printHelp(io.out);
        return kOk;
    }
    // A PDF is laid out in fonts, which only a QGuiApplication provides (runProcess makes one for
    // this command); checked before anything is read or written.
    if (!options->html && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        io.err << "v5ivez-cli card: a PDF needs the program's font support, which this process lacks; "
                  "--html writes the card without it\n";
        return kFailed;
    }
    std::optional<Image> image = readSettingsArgument(options->image, io);
    if (!image) return kFailed;
    // As the window holds the file right after loading it.
    SlotCaptions captions;
    captions.bntSlotsUpdate(*image);
    ClearSheet(*image, captions);

    const QString namesPath = namesPathFor(options->image);
    const NamesRead names = readNamesFile(namesPath);
    if (!names.problem.isEmpty())
        io.err << "v5ivez-cli card: warning: the names in " << namesPath << " are left out: " << names.problem
               << '\n';

    const QString html =
        siteCardHtml(*image, names.names, QFileInfo(options->image).absoluteFilePath(), QDate::currentDate());
    return writeResult(options->output, options->html ? html.toUtf8() : siteCardPdf(*siteCardDocument(html)),
                       io, "card");
}

}  // namespace v5::cli
