#include "cli/compare_commands.h"

#include <optional>

#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "cli/settings_argument.h"
#include "files/names_file.h"
#include "operations/named_changes.h"

namespace v5::cli {

namespace {

// The file's status when the command cannot do its work: the success statuses carry the answer.
constexpr int kTrouble = kUsage;

struct Arguments {
    QStringList files;
    bool json = false;
    bool help = false;
};

std::optional<Arguments> parse(const QStringList& args, qsizetype fileCount, const char* command, Io& io) {
    Arguments parsed;
    for (const QString& a : args) {
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h"))
            parsed.help = true;
        else if (a == QStringLiteral("--json"))
            parsed.json = true;
        else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            io.err << "v5ivez-cli " << command << ": unknown option " << a << '\n';
            return std::nullopt;
        } else
            parsed.files << a;
    }
    if (!parsed.help && parsed.files.size() != fileCount) {
        io.err << "v5ivez-cli " << command << ": "
               << (fileCount == 1 ? "one settings file" : "two settings files") << " needed, got "
               << parsed.files.size() << '\n';
        return std::nullopt;
    }
    return parsed;
}

// The names beside a settings file; a damaged names file is told and left out, the comparison goes on.
SiteNames namesBeside(const QString& settingsPath, Io& io) {
    const QString path = namesPathFor(settingsPath);
    NamesRead read = readNamesFile(path);
    if (!read.problem.isEmpty())
        io.err << "v5ivez-cli diff: the names of " << path << " are left out: " << read.problem << '\n';
    return std::move(read.names);
}

// B's names, and A's for what B does not name: the loop, zone or key as the site now calls it.
SiteNames namesOfBoth(SiteNames b, const SiteNames& a) {
    b.loops.insert(a.loops.begin(), a.loops.end());
    b.zones.insert(a.zones.begin(), a.zones.end());
    b.partitions.insert(a.partitions.begin(), a.partitions.end());
    b.keys.insert(a.keys.begin(), a.keys.end());
    b.relays.insert(a.relays.begin(), a.relays.end());
    return b;
}

int usage(const char* command, Io& io) {
    io.err << "Try 'v5ivez-cli " << command << " --help'.\n";
    return kUsage;
}

void print(bool json, const QByteArray& asJson, const QStringList& lines, Io& io) {
    if (json) {
        io.out << QString::fromUtf8(asJson);
        return;
    }
    for (const QString& line : lines)
        io.out << line << '\n';
}

}  // namespace

int diffCommand(const QStringList& args, Io& io) {
    const auto a = parse(args, 2, "diff", io);
    if (!a) return usage("diff", io);
    if (a->help) {
        io.out << "Usage: v5ivez-cli diff A.v5 B.v5 [--json]\n\n"
                  "Lists what differs between two settings files, field by field, grouped by subsystem:\n"
                  "what would change if B replaced A (\"шлейф 17: тип охранный → пожарный\", \"зона 3: + "
                  "шлейф 5\").\n"
                  "The event archive is counted, not listed. The files are compared as they are: no pane\n"
                  "reset, no sweep, no access-code question.\n"
                  "Loops, zones, partitions, relays and keys named in B.names.json (or, failing that, in\n"
                  "A.names.json) carry their names: \"зона 3 «Подъезд 1»: + шлейф 5\".\n\n"
                  "  --json    the changes as a JSON array (subsystem, kind, subject, field, before, after, "
                  "text)\n"
                  "  --help    show this text\n\n"
                  "Exit status: 0 the files hold the same configuration and archive, 1 they differ, 2 wrong\n"
                  "usage or a file that cannot be read.\n";
        return kOk;
    }
    const auto before = readSettingsArgument(a->files[0], io);
    const auto after = before ? readSettingsArgument(a->files[1], io) : std::nullopt;
    if (!after) return kTrouble;
    const std::vector<FieldChange> changes =
        withNames(compareConfigurations(*before, *after),
                  namesOfBoth(namesBeside(a->files[1], io), namesBeside(a->files[0], io)));
    print(a->json, differenceJson(changes), differenceLines(changes), io);
    return changes.empty() ? kOk : kFailed;
}

int checkCommand(const QStringList& args, Io& io) {
    const auto a = parse(args, 1, "check", io);
    if (!a) return usage("check", io);
    if (a->help) {
        io.out
            << "Usage: v5ivez-cli check FILE.v5 [--json]\n\n"
               "Lists the mistakes of a configuration, errors first, each with its severity: a loop in two\n"
               "zones, keys with one code, a check byte that does not match its key, a key of a zone or\n"
               "partition that does not exist, data of modules that are not placed (the next sweep erases\n"
               "it), two communication modules on one loop module, addresses the panel does not accept,\n"
               "slot entries it does not know, a module in two slots, pass-through zones linked to\n"
               "themselves or to each other or held in two places, an access code with a digit that cannot\n"
               "be typed, values the window cannot show, and more. The file is checked as it is, as\n"
               "write-panel would send it; write-panel and write-chip refuse a file with errors unless\n"
               "--force is given.\n\n"
               "  --json    the problems as a JSON array (severity, subsystem, subject, text, line)\n"
               "  --help    show this text\n\n"
               "Exit status: 0 no errors (warnings may be listed), 1 errors, 2 wrong usage or a file that\n"
               "cannot be read.\n";
        return kOk;
    }
    const auto image = readSettingsArgument(a->files[0], io);
    if (!image) return kTrouble;
    const std::vector<Problem> problems = checkConfiguration(*image);
    print(a->json, problemJson(problems), problemLines(problems), io);
    return hasErrors(problems) ? kFailed : kOk;
}

}  // namespace v5::cli
