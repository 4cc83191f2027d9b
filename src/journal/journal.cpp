#include "journal/journal.h"

#include <cstring>
#include <numeric>
#include <unordered_map>

#include "image/records.h"
#include "image/regions.h"
#include "image/tables.h"
#include "reports/archive_events.h"
#include "reports/format_text.h"

namespace v5 {

namespace {

constexpr int kZones = config::kZonaCount;

// Numbers with their names: a run of unnamed numbers as "1-3", a named one as "7 «Окно»".
QString numberList(std::uint64_t set, const std::map<int, QString>& names) {
    QString out;
    const auto named = [&names](int n) {
        const auto it = names.find(n);
        return it != names.end() && !it->second.isEmpty() ? &it->second : nullptr;
    };
    const auto has = [set](int n) { return n >= 1 && n <= 64 && ((set >> (n - 1)) & 1U); };
    for (int n = 1; n <= 64; ++n) {
        if (!has(n)) continue;
        if (!out.isEmpty()) out += QStringLiteral(", ");
        appendNumber(out, static_cast<std::uint64_t>(n));
        if (const QString* name = named(n)) {
            out += QStringView(u" «");
            out += *name;
            out += QChar(u'»');
            continue;
        }
        int last = n;
        while (has(last + 1) && !named(last + 1))
            ++last;
        if (last > n) {
            out += QLatin1Char('-');
            appendNumber(out, static_cast<std::uint64_t>(last));
            n = last;
        }
    }
    return out;
}

QString eventText(std::uint8_t code) {
    const ArchiveCodeText& t = archiveCodeText(code);
    if (t.known) return t.text.simplified();
    return QStringLiteral("код %1").arg(QString::number(code, 16).toUpper(), 2, QLatin1Char('0'));
}

QString twoDigits(unsigned a, unsigned b, QChar separator) {
    QString out;
    appendPadded(out, a, 2);
    out += separator;
    appendPadded(out, b, 2);
    return out;
}

}  // namespace

QString journalHeader(JournalColumn column) {
    switch (column) {
        case JournalColumn::Number:
            return QStringLiteral("№");
        case JournalColumn::Date:
            return QStringLiteral("Дата");
        case JournalColumn::Time:
            return QStringLiteral("Время");
        case JournalColumn::Event:
            return QStringLiteral("Событие");
        case JournalColumn::KeyOrLoops:
            return QStringLiteral("Ключ / шлейфы");
        case JournalColumn::Zones:
            return QStringLiteral("Зоны");
    }
    return {};
}

std::vector<JournalRow> buildJournal(const Image& image, const SiteNames& names) {
    std::array<LoopMask, kZones> zoneLoops{};
    for (int z = 1; z <= kZones; ++z)
        zoneLoops[static_cast<std::size_t>(z - 1)] = zonaMask(image, z);
    // Code texts are the same for every record of a code, and an archive names the same few sets of
    // loops and zones over and over.
    std::array<QString, 256> texts;
    std::unordered_map<std::uint64_t, QString> loopLists, zoneLists;
    std::unordered_map<QString, QString> foldedCells;
    const auto listOf = [](std::unordered_map<std::uint64_t, QString>& lists, std::uint64_t set,
                           const std::map<int, QString>& names) -> const QString& {
        auto [it, added] = lists.try_emplace(set);
        if (added) it->second = numberList(set, names);
        return it->second;
    };

    const std::vector<ArchiveEvent> events = archiveEvents(image);
    std::vector<JournalRow> rows(events.size());
    int run = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const config::ArchiveRecord& r = events[i].bytes;
        JournalRow& row = rows[i];
        row.sequence = static_cast<int>(i);
        row.record = events[i].record;
        row.code = r.code();
        row.kind = eventKind(row.code);
        QString& text = texts[row.code];
        if (text.isNull()) text = eventText(row.code);
        row.text = text;
        row.powerOn = isPowerOnEvent(row.code);
        if (row.powerOn) ++run;
        row.run = run;

        QString keyOrLoops;
        if (archiveCodeText(row.code).failedTest) {
            row.slot = r.failedTestSlot();
            keyOrLoops = QStringLiteral("слот %1").arg(row.slot);
        } else {
            row.loops = r.loops();
            for (int z = 1; z <= kZones; ++z)
                if (zoneLoops[static_cast<std::size_t>(z - 1)].intersects(row.loops))
                    row.zones |= std::uint64_t{1} << (z - 1);
            keyOrLoops = listOf(loopLists, row.loops.bits(), names.loops);
        }
        const bool keyEvent = isKeyEvent(row.code);
        if (keyEvent) {
            row.key = static_cast<int>(r.keyNumber());
            QString key = QStringLiteral("ключ ");
            appendNumber(key, static_cast<std::uint64_t>(row.key));
            if (const auto it = names.keys.find(row.key); it != names.keys.end() && !it->second.owner.isEmpty())
            {
                key += QStringView(u" «");
                key += it->second.owner;
                key += QChar(u'»');
            }
            if (!keyOrLoops.isEmpty()) {
                key += QStringView(u"; шлейфы ");
                key += keyOrLoops;
            }
            keyOrLoops = std::move(key);
        }

        row.cells[static_cast<std::size_t>(JournalColumn::Number)] = QString::number(row.record);
        if (!keyEvent)
            row.cells[static_cast<std::size_t>(JournalColumn::Date)] =
                twoDigits(r.date()[0], r.date()[1], QLatin1Char('/'));
        QString time = twoDigits(r.hour(), r.minute(), QLatin1Char(':'));
        time += QLatin1Char(':');
        appendPadded(time, r.second(), 2);
        row.cells[static_cast<std::size_t>(JournalColumn::Time)] = std::move(time);
        row.cells[static_cast<std::size_t>(JournalColumn::Event)] = row.text;
        row.cells[static_cast<std::size_t>(JournalColumn::KeyOrLoops)] = std::move(keyOrLoops);
        row.cells[static_cast<std::size_t>(JournalColumn::Zones)] = listOf(zoneLists, row.zones, names.zones);
        // Digits, '/' and ':' fold to themselves; the other cells repeat, so each is folded once.
        QString search;
        search.reserve(std::accumulate(row.cells.begin(), row.cells.end(), qsizetype{kJournalColumns},
                                       [](qsizetype n, const QString& cell) { return n + cell.size(); }));
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const QString& cell = row.cells[c];
            if (c <= static_cast<std::size_t>(JournalColumn::Time)) {
                search += cell;
            } else {
                auto [folded, added] = foldedCells.try_emplace(cell);
                if (added) folded->second = cell.toCaseFolded();
                search += folded->second;
            }
            search += QLatin1Char('\n');
        }
        row.searchText = std::move(search);
    }
    return rows;
}

bool sameJournalSource(const Image& a, const Image& b) {
    // The pointer lies right before the archive: one run of bytes to the image's end.
    static_assert(map::ArchivePointer.offset + map::ArchivePointer.stride == map::Archive.offset);
    static_assert(map::Archive.end() == Image::kSize);
    const auto same = [&a, &b](std::size_t from, std::size_t to) {
        return std::memcmp(a.data() + from, b.data() + from, to - from) == 0;
    };
    return same(map::ArchivePointer.offset, map::Archive.end()) && same(map::Zones.offset, map::Zones.end());
}

}  // namespace v5
