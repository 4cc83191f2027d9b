#include "configuration_check.h"

#include <algorithm>
#include <map>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "compare_texts.h"
#include "configuration.h"
#include "format_text.h"
#include "plain_terms.h"

namespace v5 {

using namespace config;

namespace ct = compare_text;

QString Problem::line() const {
    return QString::fromUtf8(severity == Severity::Error ? ct::kError : ct::kWarning) + QStringLiteral(": ") +
           subject + QStringLiteral(": ") + text;
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
    explicit Checker(const Image& image) : c_(Configuration::decode(image)) {}

    std::vector<Problem> run() {
        slotTable();
        modulesNotPlaced();
        zonesAndRazdels();
        passThrough();
        keys();
        lineModules();
        std::stable_sort(out_.begin(), out_.end(), [](const Problem& a, const Problem& b) {
            return std::pair(a.severity, a.subsystem) < std::pair(b.severity, b.subsystem);
        });
        return std::move(out_);
    }

private:
    void error(Subsystem subsystem, QString subject, QString what) {
        out_.push_back({Problem::Severity::Error, subsystem, std::move(subject), std::move(what)});
    }
    void warning(Subsystem subsystem, QString subject, QString what) {
        out_.push_back({Problem::Severity::Warning, subsystem, std::move(subject), std::move(what)});
    }

    void slotTable() {
        std::map<QString, QStringList> slotsOf;  // module name -> its slots
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotEntry& entry = c_.slotTable[static_cast<std::size_t>(s - 1)];
            if (entry.isEmpty()) continue;
            const auto kind = static_cast<ModuleKind>(entry.kind);
            const QString slot = formatText(ct::kSlot, s);
            if (moduleCount(kind) == 0) {
                error(Subsystem::Slots, slot, formatText(ct::kUnknownKind, entry.kind));
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
            if (!c_.isPlaced({ModuleKind::MS, n}) && (entry.loopModules != 0 || entry.address != 0xFF))
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
            if (!c_.isPlaced({ModuleKind::MR, n}) &&
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
                error(Subsystem::LoopsAndGroups, formatText(ct::kLoop, loop),
                      QString::fromUtf8(ct::kLoopInZones).arg(joined(zones)));
            if (!zones.isEmpty()) inZones.set(loop);
        }
        for (int p = 1; p <= kRazdelCount; ++p) {
            const LoopMask outside(c_.razdel(p).bits() & ~inZones.bits());
            if (!outside.isEmpty())
                warning(Subsystem::LoopsAndGroups, formatText(ct::kRazdel, p),
                        QString::fromUtf8(ct::kRazdelOutsideZones).arg(plain::loops(outside)));
        }
    }

    void passThrough() {
        for (int i = 1; i <= kPassThroughPlaces; ++i) {
            const PassThroughPlace& place = c_.place(i);
            if (!place.isFree() && c_.passThroughZona(i) == 0)
                warning(Subsystem::LoopsAndGroups, formatText(ct::kPlace, i), text(ct::kPlaceMatchesNoZona));
            else if (place.isFree() && !place.linked.isEmpty())
                warning(Subsystem::LoopsAndGroups, formatText(ct::kPlace, i), text(ct::kPlaceLinkedOnly));
        }
    }

    void keys() {
        std::map<KeyCode, std::vector<int>> byCode;
        for (int n = 1; n <= kKeyCount; ++n) {
            const Key& key = c_.key(n);
            const QString subject = formatText(ct::kKey, n);
            if (key.isFree()) {
                // A fresh record holds 00 00, a deleted or swept one FF 00.
                if ((key.assignment.byte != 0x00 && key.assignment.byte != kNoAssignment) || key.spiByte != 0)
                    warning(Subsystem::Keys, subject, text(ct::kFreeKeyWithData));
                continue;
            }
            byCode[key.code].push_back(n);
            if (!key.checkByteMatches())
                error(Subsystem::Keys, subject,
                      QString::fromUtf8(ct::kCheckByteWrong)
                          .arg(hexByte(key.checkByte), hexByte(keyCheckByte(key.code))));
            const KeyAssignment a = key.assignment;
            if (a.role() == KeyRole::Unknown)
                error(Subsystem::Keys, subject, formatText(ct::kUnknownAssignment, a.byte));
            else if (a.role() == KeyRole::Zona && !c_.assignmentExists(a))
                error(Subsystem::Keys, subject, formatText(ct::kNoSuchZona, a.number()));
            else if (a.role() == KeyRole::Razdel && !c_.assignmentExists(a))
                error(Subsystem::Keys, subject, formatText(ct::kNoSuchRazdel, a.number()));
            if (key.spiNumber() > 15)
                error(Subsystem::Keys, subject, formatText(ct::kSpiOutOfRange, key.spiNumber()));
        }
        for (const auto& [code, numbers] : byCode) {
            if (numbers.size() < 2) continue;
            QStringList list;
            bool sameUse = true;
            const Key& first = c_.key(numbers.front());
            for (int n : numbers) {
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

    // Modules that are not placed are the sweep's (modulesNotPlaced).
    void lineModules() {
        for (int m = 1; m <= 8; ++m) {
            QStringList servers;
            for (int n = 1; n <= kLineModuleCount; ++n) {
                const LineModule& entry = c_.lineModule(n);
                if (c_.isPlaced({ModuleKind::MS, n}) && entry.serves(m) &&
                    entry.address != kSharedLineAddress)
                    servers << moduleName({ModuleKind::MS, n});
            }
            if (servers.size() > 1)
                error(Subsystem::Outputs, moduleName({ModuleKind::MShS, m}),
                      QString::fromUtf8(ct::kSharedLoopModule).arg(joined(servers)));
        }
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const LineModule& entry = c_.lineModule(n);
            if (c_.isPlaced({ModuleKind::MS, n}) && !entry.addressAccepted())
                error(Subsystem::Outputs, moduleName({ModuleKind::MS, n}),
                      formatText(ct::kAddressRejected, entry.address));
        }
    }

    const Configuration c_;
    std::vector<Problem> out_;
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
