#include "compare/configuration_check.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <span>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "compare/compare_texts.h"
#include "image/configuration.h"
#include "reports/format_text.h"
#include "image/orphan_sweep.h"
#include "compare/plain_terms.h"

namespace v5 {

using namespace config;

namespace ct = compare_text;

QString Problem::line() const {
    const QString& head = plain::text(severity == Severity::Error ? ct::kError : ct::kWarning);
    QString line;
    line.reserve(head.size() + subject.size() + text.size() + 4);
    line += head;
    line += QLatin1StringView(": ");
    line += subject;
    line += QLatin1StringView(": ");
    line += text;
    return line;
}

namespace {

using plain::hexByte;
using plain::text;

QString joined(const QStringList& items) {
    return items.join(QStringLiteral(", "));
}

QString keyNumber(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

class Checker {
public:
    explicit Checker(const Image& image) : c_(Configuration::decode(image)) {
        for (int n = 1; n <= kLineModuleCount; ++n)
            lineModulePlaced_[static_cast<std::size_t>(n)] = c_.isPlaced({ModuleKind::MS, n});
        for (int n = 1; n <= 16; ++n)
            relayModulePlaced_[static_cast<std::size_t>(n)] = c_.isPlaced({ModuleKind::MR, n});
    }

    std::vector<Problem> run() {
        slotTable();
        modulesNotPlaced();
        zonesAndRazdels();
        passThrough();
        keys();
        lineModules();
        fieldsTheWindowCannotShow();
        accessCode();
        // Errors first, then warnings; by subsystem within each, and in the order found within that.
        std::size_t count = 0;
        for (const auto& bucket : buckets_)
            count += bucket.size();
        std::vector<Problem> out;
        out.reserve(count);
        for (auto& bucket : buckets_)
            std::move(bucket.begin(), bucket.end(), std::back_inserter(out));
        return out;
    }

private:
    static constexpr std::size_t kSubsystems = ct::kSubsystem.size();

    void add(Problem::Severity severity, Subsystem subsystem, QString subject, QString what) {
        const std::size_t bucket = static_cast<std::size_t>(severity) * kSubsystems + static_cast<std::size_t>(subsystem);
        buckets_[bucket].push_back({severity, subsystem, std::move(subject), std::move(what)});
    }
    void error(Subsystem subsystem, QString subject, QString what) {
        add(Problem::Severity::Error, subsystem, std::move(subject), std::move(what));
    }
    void warning(Subsystem subsystem, QString subject, QString what) {
        add(Problem::Severity::Warning, subsystem, std::move(subject), std::move(what));
    }

    void slotTable() {
        std::map<QString, QStringList> slotsOf;  // module name -> its slots
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotEntry& entry = c_.slotTable[static_cast<std::size_t>(s - 1)];
            if (entry.isEmpty()) continue;
            const auto kind = static_cast<ModuleKind>(entry.kind);
            const QString slot = plain::numbered(ct::kSlot, s);
            if (moduleCount(kind) == 0) {
                error(Subsystem::Slots, slot, plain::numbered(ct::kUnknownKind, entry.kind));
            } else if (const auto module = entry.module()) {
                slotsOf[moduleName(*module)] << QString::number(s);
            } else {
                error(Subsystem::Slots, slot,
                      formatText(ct::kNumberOutOfRange, entry.numberByte + 1, moduleCount(kind),
                                 Type2Capt(entry.kind).toUtf8().constData()));
            }
        }
        for (const auto& [name, inSlots] : slotsOf)
            if (inSlots.size() > 1)
                error(Subsystem::Slots, name, QString::fromUtf8(ct::kPlacedTwice).arg(joined(inSlots)));
    }

    // What the orphan sweep would erase, module by module.
    void modulesNotPlaced() {
        for (int m = 1; m <= 8; ++m) {
            if (c_.loopModulePlaced(m)) continue;
            const auto k = static_cast<std::size_t>(m - 1);
            QStringList where;
            if (!std::all_of(c_.loops.begin() + 8 * k, c_.loops.begin() + 8 * k + 8,
                             [](const LoopRecord& l) { return l == kBlankLoop; }))
                where << text(ct::kDataLoops);
            const auto holds = [m](LoopMask mask) { return mask.moduleByte(m) != 0; };
            if (std::any_of(c_.zones.begin(), c_.zones.end(), holds)) where << text(ct::kDataZones);
            if (std::any_of(c_.razdels.begin(), c_.razdels.end(), holds)) where << text(ct::kDataRazdels);
            if (std::any_of(c_.relays.begin(), c_.relays.end(),
                            [&](const Relay& r) { return holds(r.loops); }))
                where << text(ct::kDataRelays);
            if (std::any_of(c_.indicators.begin(), c_.indicators.end(), holds))
                where << text(ct::kDataIndicators);
            if (std::any_of(c_.sounders.begin(), c_.sounders.end(),
                            [&](const Sounder& s) { return holds(s.loops); }))
                where << text(ct::kDataSounders);
            if (std::any_of(c_.lineModules.begin(), c_.lineModules.end(),
                            [m](const LineModule& l) { return l.serves(m); }))
                where << text(ct::kDataLineModules);
            notPlaced(ModuleId{ModuleKind::MShS, m}, where);
        }
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const LineModule& entry = c_.lineModule(n);
            if (!lineModulePlaced_[static_cast<std::size_t>(n)] && (entry.loopModules != 0 || entry.address != 0xFF))
                notPlaced({ModuleKind::MS, n}, {text(ct::kDataEntry)});
        }
        for (int n = 1; n <= 8; ++n) {
            const auto first = c_.indicators.begin() + 8 * (n - 1);
            if (!c_.isPlaced({ModuleKind::MD, n}) &&
                std::any_of(first, first + 8, [](LoopMask mask) { return !mask.isEmpty(); }))
                notPlaced({ModuleKind::MD, n}, {text(ct::kDataIndicators)});
        }
        for (int n = 1; n <= 16; ++n) {
            const auto first = c_.relays.begin() + 4 * (n - 1);
            if (!relayModulePlaced_[static_cast<std::size_t>(n)] &&
                std::any_of(first, first + 4, [](const Relay& r) { return r != Relay{}; }))
                notPlaced({ModuleKind::MR, n}, {text(ct::kDataRelays)});
        }
    }

    void notPlaced(ModuleId module, const QStringList& where) {
        if (!where.isEmpty())
            warning(Subsystem::Slots, moduleName(module),
                    QString::fromUtf8(ct::kNotPlacedData).arg(joined(where)));
    }

    void zonesAndRazdels() {
        LoopMask inZones;
        for (int loop = 1; loop <= static_cast<int>(kLoopCount); ++loop) {
            QStringList zones;
            for (int z = 1; z <= kZonaCount; ++z)
                if (c_.zona(z).has(loop)) zones << QString::number(z);
            if (zones.size() > 1)
                error(Subsystem::LoopsAndGroups, plain::numbered(ct::kLoop, loop),
                      QString::fromUtf8(ct::kLoopInZones).arg(joined(zones)));
            if (!zones.isEmpty()) inZones.set(loop);
        }
        for (int p = 1; p <= kRazdelCount; ++p) {
            const LoopMask outside(c_.razdel(p).bits() & ~inZones.bits());
            if (!outside.isEmpty())
                warning(Subsystem::LoopsAndGroups, plain::numbered(ct::kRazdel, p),
                        QString::fromUtf8(ct::kRazdelOutsideZones).arg(plain::loops(outside)));
        }
    }

    void passThrough() {
        std::map<std::uint64_t, QStringList> placesOf;  // pass-through record -> the places that hold it
        for (int i = 1; i <= kPassThroughPlaces; ++i) {
            const PassThroughPlace& place = c_.place(i);
            const QString subject = plain::numbered(ct::kPlace, i);
            if (!place.isFree() && c_.passThroughZona(i) == 0)
                warning(Subsystem::LoopsAndGroups, subject, text(ct::kPlaceMatchesNoZona));
            else if (place.isFree() && !place.linked.isEmpty())
                warning(Subsystem::LoopsAndGroups, subject, text(ct::kPlaceLinkedOnly));
            if (place.isFree()) continue;
            placesOf[place.record.bits()] << QString::number(i);
            if (const LoopMask own = place.record & place.linked; !own.isEmpty())
                error(Subsystem::LoopsAndGroups, subject,
                      QString::fromUtf8(ct::kPlaceSelfLinked).arg(plain::loops(own)));
            for (int j = 1; j <= kPassThroughPlaces; ++j) {
                const LoopMask other = c_.place(j).record;
                // A place that repeats this one is reported as such, and its loops as a self-link.
                if (j == i || other == place.record) continue;
                if (const LoopMask shared = other & place.linked; !shared.isEmpty())
                    error(Subsystem::LoopsAndGroups, subject,
                          QString::fromUtf8(ct::kPlaceLinkedToPlace).arg(j).arg(plain::loops(shared)));
            }
        }
        for (const auto& [record, places] : placesOf)
            if (places.size() > 1)
                error(Subsystem::LoopsAndGroups, QString::fromUtf8(ct::kPlaces).arg(joined(places)),
                      QString::fromUtf8(ct::kPlaceRepeated).arg(plain::loops(LoopMask(record))));
    }

    void keys() {
        // Code and key number in one word, the code's bytes first: sorted, the codes come in the order
        // of their bytes and each code's keys in the order of their numbers.
        std::vector<std::uint64_t> byCode;
        byCode.reserve(kKeyCount);
        const auto codeOf = [](std::uint64_t entry) { return entry >> 16; };
        const auto numberOf = [](std::uint64_t entry) { return static_cast<int>(entry & 0xFFFF); };
        for (int n = 1; n <= kKeyCount; ++n) {
            const Key& key = c_.key(n);
            // The console copy writes its places as they are, free or taken, whatever else the table
            // holds; nothing in them is the installer's mistake.
            if (isConsoleCopy(n, key)) continue;
            if (key.isFree()) {
                // A fresh record holds 00 00, a deleted or swept one FF 00.
                if ((key.assignment.byte != 0x00 && key.assignment.byte != kNoAssignment) || key.spiByte != 0)
                    warning(Subsystem::Keys, plain::numbered(ct::kKey, n), text(ct::kFreeKeyWithData));
                continue;
            }
            const QString subject = plain::numbered(ct::kKey, n);
            std::uint64_t entry = 0;
            for (std::uint8_t b : key.code)
                entry = (entry << 8) | b;
            byCode.push_back((entry << 16) | static_cast<std::uint64_t>(n));
            if (const std::uint8_t expected = keyCheckByte(key.code); key.checkByte != expected)
                error(Subsystem::Keys, subject, text(ct::kCheckByteWrong).arg(hexByte(key.checkByte), hexByte(expected)));
            assignment(subject, key.assignment);
            // The key list cannot show it, and the next pane reset leaves it: a warning.
            if (key.spiNumber() > 15)
                warning(Subsystem::Keys, subject, plain::numbered(ct::kSpiOutOfRange, key.spiNumber()));
        }
        std::sort(byCode.begin(), byCode.end());
        for (auto group = byCode.begin(); group != byCode.end();) {
            const auto next = std::find_if(
                group, byCode.end(), [&](std::uint64_t entry) { return codeOf(entry) != codeOf(*group); });
            const std::span numbers(group, next);
            group = next;
            if (numbers.size() < 2) continue;
            QStringList list;
            bool sameUse = true;
            const Key& first = c_.key(numberOf(numbers.front()));
            for (const std::uint64_t entry : numbers) {
                const int n = numberOf(entry);
                list << keyNumber(n);
                sameUse =
                    sameUse && c_.key(n).assignment == first.assignment && c_.key(n).spiByte == first.spiByte;
            }
            const QString subject = QString::fromUtf8(ct::kKeys).arg(joined(list));
            if (sameUse)
                warning(Subsystem::Keys, subject, QString::fromUtf8(ct::kSameCode).arg(first.codeText()));
            else
                error(Subsystem::Keys, subject,
                      QString::fromUtf8(ct::kSameCodeOtherUse).arg(first.codeText()));
        }
    }

    // What the key's byte 6 names. A zone or partition without loops is a warning: the next pane reset
    // unassigns the key. Bytes 0x60..0x7F are group indices past the 32 partitions.
    void assignment(const QString& subject, KeyAssignment a) {
        constexpr int kFirstPlaceIndex = 0x60;
        constexpr int kFirstLinkedIndex = 0x68;
        constexpr int kPastGroups = 0x70;
        const int shownAs = a.number();  // the partition number the key list shows
        if (a.role() == KeyRole::Unknown) {
            error(Subsystem::Keys, subject, plain::numbered(ct::kUnknownAssignment, a.byte));
        } else if (a.role() == KeyRole::Zona && !c_.assignmentExists(a)) {
            warning(Subsystem::Keys, subject, plain::numbered(ct::kNoSuchZona, a.number()));
        } else if (a.byte >= kPastGroups && a.role() == KeyRole::Razdel) {
            error(Subsystem::Keys, subject, formatText(ct::kAssignedPastGroups, a.byte, shownAs));
        } else if (a.byte >= kFirstPlaceIndex && a.role() == KeyRole::Razdel) {
            const bool linked = a.byte >= kFirstLinkedIndex;
            const int place = a.byte - (linked ? kFirstLinkedIndex : kFirstPlaceIndex) + 1;
            const PassThroughPlace& p = c_.place(place);
            QString what =
                formatText(linked ? ct::kAssignedLinked : ct::kAssignedPlace, a.byte, place, shownAs);
            if ((linked ? p.linked : p.record).isEmpty()) what += text(ct::kAssignedEmptyPlace);
            warning(Subsystem::Keys, subject, what);
        } else if (a.role() == KeyRole::Razdel && !c_.assignmentExists(a)) {
            warning(Subsystem::Keys, subject, plain::numbered(ct::kNoSuchRazdel, a.number()));
        }
    }

    // A console place holding exactly what the copy writes there: its assignment, its number and
    // the check byte of its code (a free place keeps check byte 0).
    static bool isConsoleCopy(int number, const Key& key) {
        // The console place of each key number, looked up once for all the records.
        static const std::array<const ConsolePlace*, kKeyCount + 1> placeOf = [] {
            std::array<const ConsolePlace*, kKeyCount + 1> out{};
            for (int n = 1; n <= kKeyCount; ++n)
                for (const ConsolePlace& place : consolePlaces())
                    if (static_cast<int>(place.record) + 1 == n) {
                        out[static_cast<std::size_t>(n)] = &place;
                        break;
                    }
            return out;
        }();
        const ConsolePlace* place = placeOf.at(static_cast<std::size_t>(number));
        return place && key.assignment.byte == place->assignment && key.spiByte == place->spiByte &&
               key.checkByteMatches();
    }

    // Modules that are not placed are the sweep's (modulesNotPlaced).
    void lineModules() {
        for (int m = 1; m <= 8; ++m) {
            QStringList servers;
            for (int n = 1; n <= kLineModuleCount; ++n) {
                const LineModule& entry = c_.lineModule(n);
                if (lineModulePlaced_[static_cast<std::size_t>(n)] && entry.serves(m) &&
                    entry.address != kSharedLineAddress)
                    servers << moduleName({ModuleKind::MS, n});
            }
            if (servers.size() > 1)
                error(Subsystem::Outputs, moduleName({ModuleKind::MShS, m}),
                      QString::fromUtf8(ct::kSharedLoopModule).arg(joined(servers)));
        }
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const LineModule& entry = c_.lineModule(n);
            if (!lineModulePlaced_[static_cast<std::size_t>(n)]) continue;
            if (!entry.addressAccepted())
                error(Subsystem::Outputs, moduleName({ModuleKind::MS, n}),
                      plain::numbered(ct::kAddressRejected, entry.address));
            else if (entry.address == kNoLineAddress)
                warning(Subsystem::Outputs, moduleName({ModuleKind::MS, n}), text(ct::kPlacedWithoutAddress));
        }
    }

    // Values the panes cannot show, in records of placed modules (the others are the sweep's): the
    // window shows something else and, once the record is edited, stores that.
    void fieldsTheWindowCannotShow() {
        for (int l = 1; l <= static_cast<int>(kLoopCount); ++l) {
            const auto unused = c_.loop(l).unusedBits();
            if (c_.loopModulePlaced((l - 1) / 8 + 1) &&
                std::any_of(unused.begin(), unused.end(), [](std::uint8_t b) { return b != 0; }))
                warning(Subsystem::LoopsAndGroups, plain::numbered(ct::kLoop, l),
                        QString::fromUtf8(ct::kLoopUnusedBits).arg(plain::hexBytes(unused)));
        }
        for (int r = 1; r <= kRelayCount; ++r) {
            const Relay& relay = c_.relay(r);
            if (!relayModulePlaced_[static_cast<std::size_t>((r - 1) / 4 + 1)]) continue;
            if (relay.unusedModeBits())
                warning(Subsystem::Outputs, plain::numbered(ct::kRelay, r),
                        plain::numbered(ct::kRelayModeBits, relay.mode));
            if (!isDurationCode(relay.runTime))
                warning(Subsystem::Outputs, plain::numbered(ct::kRelay, r),
                        plain::numbered(ct::kRunTimeOffList, relay.runTime));
        }
        for (std::size_t s = 0; s < c_.sounders.size(); ++s) {
            const Sounder& sounder = c_.sounders[s];
            const std::pair<const char*, std::uint8_t> durations[] = {{ct::kAtAlarm, sounder.alarmDuration},
                                                                      {ct::kAtFire, sounder.fireDuration},
                                                                      {ct::kAtFault, sounder.faultDuration}};
            for (const auto& [when, code] : durations)
                if (!isDurationCode(code))
                    warning(Subsystem::Outputs, text(ct::kSounder.at(s)),
                            formatText(ct::kDurationOffList, when, code));
        }
    }

    // The box shows the code's four nibbles; one above 9 cannot be typed, and a file holding it cannot
    // be read again once the program's own code is another one.
    void accessCode() {
        for (int shift = 0; shift < 16; shift += 4)
            if (((c_.accessCode >> shift) & 0x0F) > 9) {
                error(Subsystem::Other, text(ct::kAccessCode),
                      QString::fromUtf8(ct::kAccessCodeNotDecimal)
                          .arg(QStringLiteral("%1").arg(c_.accessCode, 4, 16, QLatin1Char('0')).toUpper()));
                return;
            }
    }

    const Configuration c_;
    // Whether МС n and МР n are in the rack, by n (index 0 unused).
    std::array<bool, kLineModuleCount + 1> lineModulePlaced_{};
    std::array<bool, 17> relayModulePlaced_{};
    std::array<std::vector<Problem>, 2 * kSubsystems> buckets_;  // by severity, then subsystem
};

}  // namespace

std::vector<Problem> checkConfiguration(const Image& image) {
    return Checker(image).run();
}

bool hasErrors(const std::vector<Problem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem& p) { return p.severity == Problem::Severity::Error; });
}

QStringList problemLines(const std::vector<Problem>& problems) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(problems.size()));
    for (const Problem& p : problems)
        lines << p.line();
    return lines;
}

QByteArray problemJson(const std::vector<Problem>& problems) {
    QJsonArray list;
    for (const Problem& p : problems)
        list.append(QJsonObject{
            {QStringLiteral("severity"),
             QString::fromLatin1(p.severity == Problem::Severity::Error ? ct::kErrorId : ct::kWarningId)},
            {QStringLiteral("subsystem"), subsystemId(p.subsystem)},
            {QStringLiteral("subject"), p.subject},
            {QStringLiteral("text"), p.text},
            {QStringLiteral("line"), p.line()}});
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

}  // namespace v5
