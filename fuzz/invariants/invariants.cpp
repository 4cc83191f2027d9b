#include "fuzz/invariants/invariants.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringDecoder>

#include "compare/configuration_diff.h"
#include "keys/key_table.h"
#include "files/settings_file.h"
#include "image/tables.h"
#include "reports/text_encoding.h"

namespace v5::fuzz {

namespace {

QString hex(std::size_t offset) {
    return QStringLiteral("0x%1").arg(offset, 4, 16, QLatin1Char('0'));
}

QString byteChange(const Image& before, const Image& after, std::size_t offset) {
    return QStringLiteral("%1: %2 -> %3")
        .arg(hex(offset))
        .arg(before.byte(offset), 2, 16, QLatin1Char('0'))
        .arg(after.byte(offset), 2, 16, QLatin1Char('0'));
}

Violation violation(const char* invariant, QString detail) {
    return {QString::fromLatin1(invariant), std::move(detail)};
}

bool isSpecialAssignment(std::uint8_t assignment) {
    return assignment == kInstallerKey || assignment == kRapidResponseKey;
}

}  // namespace

std::optional<std::size_t> firstDifference(const Image& a, const Image& b, std::size_t from, std::size_t to) {
    to = std::min(to, Image::kSize);
    if (from >= to) return std::nullopt;
    // Blocks compared by memcmp, then the bytes of the first block that differs: every session compares
    // whole images several times, and a loop over bytes is traced at every comparison in a fuzz build.
    constexpr std::size_t kBlock = 64;
    const std::uint8_t* x = a.bytes().data();
    const std::uint8_t* y = b.bytes().data();
    for (std::size_t at = from; at < to; at += kBlock) {
        const std::size_t length = std::min(kBlock, to - at);
        if (std::memcmp(x + at, y + at, length) == 0) continue;
        while (x[at] == y[at])
            ++at;
        return at;
    }
    return std::nullopt;
}

namespace {
// Runs `action` twice; a violation names the first byte the second run changed.
Check secondRunChangesNothing(Image& image, const ImageAction& action, const char* invariant,
                              const QString& what) {
    action(image);
    const Image once = image;
    action(image);
    if (const auto at = firstDifference(once, image))
        return violation(invariant, what + QStringLiteral(" changed ") + byteChange(once, image, *at));
    return std::nullopt;
}
}  // namespace

Check checkResetIdempotent(Image& image, const ImageAction& reset) {
    return secondRunChangesNothing(image, reset, "reset-idempotent", QStringLiteral("the second reset"));
}

Check checkViewTwiceStable(Image& image, const ImageAction& viewAndLeave) {
    return secondRunChangesNothing(image, viewAndLeave, "view-twice-stable",
                                   QStringLiteral("the second view"));
}

Check checkNoNewSpecialKeys(const Image& before, const Image& after) {
    for (std::size_t r = 0; r < map::KeyRecords.count; ++r) {
        const std::uint8_t was = before.record(map::KeyRecords, r)[kAssignmentByte];
        const std::uint8_t now = after.record(map::KeyRecords, r)[kAssignmentByte];
        if (isSpecialAssignment(now) && now != was)
            return violation("no-new-special-key", QStringLiteral("key record %1: assignment %2 -> %3")
                                                       .arg(r)
                                                       .arg(was, 2, 16, QLatin1Char('0'))
                                                       .arg(now, 2, 16, QLatin1Char('0')));
    }
    return std::nullopt;
}

Check checkArchiveUntouched(const Image& before, const Image& after) {
    if (const auto at = firstDifference(before, after, map::Archive.offset))
        return violation("archive-untouched", byteChange(before, after, *at));
    return std::nullopt;
}

std::size_t configurationDiffCount(const Image& before, const Image& after) {
    return compareConfigurations(before, after, CompareScope::ConfigurationArea).size();
}

Check checkDiffMatchesBytes(const Image& before, const Image& after, const DiffCount& diff) {
    const auto at = firstDifference(before, after, 0, map::Archive.offset);
    const std::size_t changes = diff(before, after);
    if (!at && changes != 0)
        return violation("diff-matches-bytes",
                         QStringLiteral("%1 differences listed for equal configuration areas").arg(changes));
    if (at && changes == 0)
        return violation("diff-matches-bytes",
                         QStringLiteral("no difference listed, yet ") + byteChange(before, after, *at));
    return std::nullopt;
}

// The characters Windows-1251 carries both ways: the decoder's image of its 256 bytes, taken once. A
// text of these characters alone is what the exporters' encoder writes and a reader gets back, so the
// check needs no encoding per text.
const std::array<bool, 0x10000>& windows1251Repertoire() {
    static const std::array<bool, 0x10000> repertoire = [] {
        std::array<bool, 0x10000> carried{};
        for (int b = 0; b < 256; ++b) {
            QStringDecoder decoder("windows-1251");
            const char byte = static_cast<char>(b);
            const QString one = decoder.decode(QByteArrayView(&byte, 1));
            if (!decoder.hasError() && one.size() == 1 && one[0] != QChar::ReplacementCharacter)
                carried[one[0].unicode()] = true;
        }
        return carried;
    }();
    return repertoire;
}

namespace {
// Whether every character of the line is carried. No branch per character: the check runs over every
// line of both exports in each fuzz execution, where each comparison is traced.
bool allCarried(const std::array<bool, 0x10000>& carried, const QString& line) {
    bool all = true;
    for (const QChar *c = line.constData(), *end = c + line.size(); c != end; ++c)
        all &= carried[c->unicode()];
    return all;
}
}  // namespace

Check checkWindows1251(const QString& what, const QStringList& lines) {
    const std::array<bool, 0x10000>& carried = windows1251Repertoire();
    qsizetype at = 0;
    for (const QString& line : lines) {
        if (!allCarried(carried, line)) {
            qsizetype i = 0;
            while (carried[line[i].unicode()])
                ++i;
            return violation("windows-1251",
                             what + QStringLiteral(": the text does not survive Windows-1251 at character %1 "
                                                   "(U+%2)")
                                        .arg(at + i)
                                        .arg(line[i].unicode(), 4, 16, QLatin1Char('0')));
        }
        at += line.size() + 2;  // the line and its CR LF
    }
    return std::nullopt;
}

Check checkBoundedTime(const QString& what, qint64 elapsedMs, qint64 limitMs) {
    if (elapsedMs > limitMs)
        return violation("bounded-time",
                         what + QStringLiteral(" took %1 ms, more than %2 ms").arg(elapsedMs).arg(limitMs));
    return std::nullopt;
}

Check checkJsonReadsBack(const QString& what, const QByteArray& json, const QString& field,
                         const QStringList& expected) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return violation(
            "json",
            what +
                QStringLiteral(": not a JSON array (%1 at %2)").arg(error.errorString()).arg(error.offset));
    const QJsonArray list = document.array();
    if (list.size() != expected.size())
        return violation(
            "json", what + QStringLiteral(": %1 objects for %2 items").arg(list.size()).arg(expected.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        if (const QString read = list.at(i).toObject().value(field).toString(); read != expected.at(i))
            return violation(
                "json",
                what +
                    QStringLiteral(": object %1 reads \"%2\", not \"%3\"").arg(i).arg(read, expected.at(i)));
    return std::nullopt;
}

Check checkSaveLoadRoundTrip(const Image& image, const QString& folder) {
    const QString path = folder + QStringLiteral("/round-trip.v5");
    if (const auto error = writeSettingsFile(path, image))
        return violation("save-load", QStringLiteral("the write failed: ") + error->detail);
    const SettingsRead read = readSettingsFile(path);
    QFile::remove(path);
    if (!read.bytes) return violation("save-load", QStringLiteral("the read failed: ") + read.error.detail);
    Image loaded;
    loaded.assign(*read.bytes);
    if (const auto at = firstDifference(image, loaded))
        return violation("save-load", byteChange(image, loaded, *at));
    return std::nullopt;
}

int linkedMaskWithinOwnZone(const Image& image) {
    // The pane first drops loops that belong to no zone, then keeps only other zones' loops.
    LoopMask inZones;
    for (int z = 1; z <= static_cast<int>(map::Zones.count); ++z)
        inZones = inZones | zonaMask(image, z);
    constexpr int kPlaces = static_cast<int>(map::PassThrough.count);
    for (int place = 1; place <= kPlaces; ++place) {
        const LoopMask record = passThroughRecord(image, place);
        const LoopMask linked = linkedMask(image, place);
        if (record.isEmpty() || linked.isEmpty()) continue;
        if ((linked.bits() & inZones.bits() & ~record.bits()) == 0) return place;
    }
    return 0;
}

}  // namespace v5::fuzz
