#include "compare/configuration_diff.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "compare/compare_texts.h"
#include "image/configuration.h"
#include "reports/format_text.h"
#include "compare/plain_terms.h"
#include "reports/report_texts.h"

namespace v5 {

using namespace config;

namespace ct = compare_text;

QString subsystemName(Subsystem subsystem) {
    return QString::fromUtf8(ct::kSubsystem.at(static_cast<std::size_t>(subsystem)));
}

QString subsystemId(Subsystem subsystem) {
    return QString::fromLatin1(ct::kSubsystemId.at(static_cast<std::size_t>(subsystem)));
}

namespace {

// The text of a change after whatever `line` holds: "шлейф 17: тип охранный → пожарный".
void appendChangeText(QString& line, const FieldChange& change) {
    using Kind = FieldChange::Kind;
    const QString& arrow = plain::text(ct::kArrow);
    line.reserve(line.size() + change.subject.size() + change.field.size() + change.before.size() +
                 change.after.size() + arrow.size() + 4);
    line += change.subject;
    line += QLatin1StringView(": ");
    if (change.kind == Kind::Note) {
        line += change.field;
        return;
    }
    if (!change.field.isEmpty()) {
        line += change.field;
        line += QLatin1Char(' ');
    }
    switch (change.kind) {
        case Kind::Changed:
            line += change.before;
            line += arrow;
            line += change.after;
            break;
        case Kind::Added:
            line += QLatin1StringView("+ ");
            line += change.after;
            break;
        case Kind::Removed:
            line += QLatin1StringView("- ");
            line += change.before;
            break;
        case Kind::Note:
            break;
    }
}

}  // namespace

QString FieldChange::text() const {
    QString line;
    appendChangeText(line, *this);
    return line;
}

namespace {

using plain::hexBytes;
using plain::text;

using plain::assignmentText;
using plain::durationText;
using plain::loopTypeText;
using plain::moduleText;
using plain::runTimeText;
using plain::yesNo;

template <class T>
std::span<const std::uint8_t> bytesOf(const T& value) {
    return std::span(reinterpret_cast<const std::uint8_t*>(&value), sizeof value);
}

class Differ {
public:
    Differ(const Image& before, const Image& after, CompareScope scope)
        : imageA_(before),
          imageB_(after),
          a_(Configuration::decode(before)),
          b_(Configuration::decode(after)),
          scope_(scope) {}

    std::vector<FieldChange> run() {
        out_.reserve(expectedChanges());
        slotTable();
        loops();
        groups();
        keys();
        relays();
        indicators();
        lineModules();
        sounders();
        optionsAndExternals();
        other();
        return std::move(out_);
    }

private:
    // Room for the list at once: a long list that grows step by step costs more in moving and fresh
    // memory than all the rest of the work. About two lines per changed byte, at most.
    std::size_t expectedChanges() const {
        const std::size_t end = scope_ == CompareScope::WholeImage ? Image::kSize : kConfigAreaSize;
        static_assert(Image::kSize % 8 == 0 && kConfigAreaSize % 8 == 0);
        // Eight bytes at a time: each byte that differs leaves one bit after the folds.
        std::size_t changed = 0;
        const std::uint8_t* a = imageA_.bytes().data();
        const std::uint8_t* b = imageB_.bytes().data();
        for (const std::uint8_t* stop = a + end; a != stop; a += 8, b += 8) {
            std::uint64_t x, y;
            std::memcpy(&x, a, 8);
            std::memcpy(&y, b, 8);
            std::uint64_t d = x ^ y;
            d |= d >> 4;
            d |= d >> 2;
            d |= d >> 1;
            changed += static_cast<std::size_t>(std::popcount(d & 0x0101010101010101u));
        }
        return std::min<std::size_t>(2 * changed + 16, 8192);
    }

    // The changes of one subject (a loop, a key, a relay ...), whose name is made only when needed.
    class Subject {
    public:
        Subject(Differ& differ, Subsystem subsystem, QString name)
            : d_(differ), subsystem_(subsystem), name_(std::move(name)), first_(differ.out_.size()) {}

        void changed(const QString& field, const QString& before, const QString& after) {
            if (before != after) add(FieldChange::Kind::Changed, field, before, after);
        }
        void changed(const char* field, const QString& before, const QString& after) {
            changed(text(field), before, after);
        }
        void flag(const char* field, bool before, bool after) {
            if (before != after) changed(field, yesNo(before), yesNo(after));
        }
        template <std::size_t N>
        void pick(const char* field, const std::array<const char*, N>& names, int before, int after) {
            if (before != after)
                changed(field, text(names.at(static_cast<std::size_t>(before))),
                        text(names.at(static_cast<std::size_t>(after))));
        }
        void added(const QString& item, const QString& field = QString()) {
            add(FieldChange::Kind::Added, field, QString(), item);
        }
        void removed(const QString& item, const QString& field = QString()) {
            add(FieldChange::Kind::Removed, field, item, QString());
        }
        // Loops that left the set first, then the ones that joined it.
        void loopSet(LoopMask before, LoopMask after, const QString& field = QString()) {
            const LoopMask gone(before.bits() & ~after.bits());
            const LoopMask came(after.bits() & ~before.bits());
            if (!gone.isEmpty()) removed(plain::loops(gone), field);
            if (!came.isEmpty()) added(plain::loops(came), field);
        }
        void note(const QString& what) { add(FieldChange::Kind::Note, what, QString(), QString()); }
        // Bytes that differ where no field above told: the list must never call different bytes equal.
        void unexplained(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after) {
            if (d_.out_.size() == first_ && !std::ranges::equal(before, after))
                changed(ct::kBytes, hexBytes(before), hexBytes(after));
        }

    private:
        void add(FieldChange::Kind kind, const QString& field, const QString& before, const QString& after) {
            d_.out_.push_back(FieldChange{subsystem_, kind, name_, field, before, after});
        }
        Differ& d_;
        Subsystem subsystem_;
        QString name_;
        std::size_t first_;
    };

    void slotTable() {
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotEntry& x = a_.slotTable[static_cast<std::size_t>(s - 1)];
            const SlotEntry& y = b_.slotTable[static_cast<std::size_t>(s - 1)];
            if (x == y) continue;
            Subject subject(*this, Subsystem::Slots, plain::numbered(ct::kSlot, s));
            subject.changed(QString(), moduleText(x), moduleText(y));
            subject.unexplained(bytesOf(x), bytesOf(y));
        }
    }

    void loops() {
        for (int l = 1; l <= static_cast<int>(kLoopCount); ++l) {
            const LoopRecord& x = a_.loop(l);
            const LoopRecord& y = b_.loop(l);
            if (x == y) continue;
            Subject s(*this, Subsystem::LoopsAndGroups, plain::numbered(ct::kLoop, l));
            s.changed(ct::kLoopType, loopTypeText(x), loopTypeText(y));
            s.pick(ct::kReaction, ct::kReactions, x.reactionCode(), y.reactionCode());
            s.pick(ct::kDelay, ct::kDelays, x.delayCode(), y.delayCode());
            s.pick(ct::kConfirmation, ct::kConfirmations, x.confirmationCode(), y.confirmationCode());
            s.pick(ct::kSelection, ct::kSelections, static_cast<int>(x.triggerSelection()),
                   static_cast<int>(y.triggerSelection()));
            s.flag(ct::kTriggerLimit, x.triggerLimit(), y.triggerLimit());
            s.flag(ct::kSoundConfirmation, x.soundConfirmation(), y.soundConfirmation());
            s.flag(ct::kRoundTheClock, x.roundTheClock(), y.roundTheClock());
            s.flag(ct::kVerification, x.verification(), y.verification());
            s.flag(ct::kPaired, x.paired(), y.paired());
            s.flag(ct::kTamperControl, x.tamperControl(), y.tamperControl());
            s.changed(ct::kUnusedBits, hexBytes(x.unusedBits()), hexBytes(y.unusedBits()));
            s.unexplained(x.bytes, y.bytes);
        }
    }

    static QString placeZonaText(const Configuration& c, int place) {
        if (c.place(place).isFree()) return text(ct::kPlaceFree);
        const int z = c.passThroughZona(place);
        return z ? plain::numbered(ct::kZona, z) : text(ct::kPlaceMatchesNoZona);
    }

    static QString linkedZonesText(const Configuration& c, int place) {
        QString list;
        for (int z = 1; z <= kZonaCount; ++z)
            if (c.zonaExists(z) && c.zona(z).intersects(c.place(place).linked)) {
                if (!list.isEmpty()) list += QStringLiteral(", ");
                list += QString::number(z);
            }
        return list.isEmpty() ? text(ct::kNone) : list;
    }

    void groups() {
        for (int z = 1; z <= kZonaCount; ++z)
            if (a_.zona(z) != b_.zona(z))
                Subject(*this, Subsystem::LoopsAndGroups, plain::numbered(ct::kZona, z))
                    .loopSet(a_.zona(z), b_.zona(z));
        for (int p = 1; p <= kRazdelCount; ++p)
            if (a_.razdel(p) != b_.razdel(p))
                Subject(*this, Subsystem::LoopsAndGroups, plain::numbered(ct::kRazdel, p))
                    .loopSet(a_.razdel(p), b_.razdel(p));
        for (int i = 1; i <= kPassThroughPlaces; ++i) {
            const PassThroughPlace& x = a_.place(i);
            const PassThroughPlace& y = b_.place(i);
            // The zones a place names follow the zones, which may have changed as well.
            const QString zonaX = placeZonaText(a_, i), zonaY = placeZonaText(b_, i);
            const QString linkedX = linkedZonesText(a_, i), linkedY = linkedZonesText(b_, i);
            if (x == y && zonaX == zonaY && linkedX == linkedY) continue;
            Subject s(*this, Subsystem::LoopsAndGroups, plain::numbered(ct::kPlace, i));
            s.changed(QString(), zonaX, zonaY);
            if (zonaX == zonaY) s.loopSet(x.record, y.record, text(ct::kPlaceLoops));
            s.changed(ct::kLinkedZones, linkedX, linkedY);
            if (linkedX == linkedY) s.loopSet(x.linked, y.linked, text(ct::kLinkedLoops));
        }
    }

    void keys() {
        int freeChanged = 0;
        for (int n = 1; n <= kKeyCount; ++n) {
            const Key& x = a_.key(n);
            const Key& y = b_.key(n);
            if (x == y) continue;
            // What free records keep of their last key changes with every sweep; it is counted only.
            if (x.isFree() && y.isFree()) {
                ++freeChanged;
                continue;
            }
            Subject s(*this, Subsystem::Keys, plain::numbered(ct::kKey, n));
            if (x.isFree()) {
                s.added(QString::fromUtf8(ct::kKeyAdded)
                            .arg(y.codeText(), assignmentText(y.assignment), QString::number(y.spiNumber())));
            } else if (y.isFree()) {
                s.removed(QString::fromUtf8(ct::kKeyRemoved).arg(x.codeText()));
            } else {
                s.changed(ct::kKeyCode, x.codeText(), y.codeText());
                s.changed(ct::kKeyAssignment, assignmentText(x.assignment), assignmentText(y.assignment));
                s.changed(ct::kKeySpi, QString::number(x.spiNumber()), QString::number(y.spiNumber()));
                s.changed(ct::kKeyCheckByte, plain::hexByte(x.checkByte), plain::hexByte(y.checkByte));
            }
        }
        if (freeChanged > 0)
            Subject(*this, Subsystem::Keys, text(ct::kFreeKeys))
                .note(formatText(ct::kFreeKeysChanged, freeChanged));
    }

    void relays() {
        for (int k = 1; k <= kRelayCount; ++k) {
            const Relay& x = a_.relay(k);
            const Relay& y = b_.relay(k);
            if (x == y) continue;
            Subject s(*this, Subsystem::Outputs, plain::numbered(ct::kRelay, k));
            s.pick(ct::kRelayMode, report_text::kReleMode, x.modeCode(), y.modeCode());
            s.changed(ct::kRunTime, runTimeText(x.runTime), runTimeText(y.runTime));
            s.flag(ct::kRelayTamperGB5, x.tamperBit6(), y.tamperBit6());
            s.flag(ct::kRelayTamperVT5, x.tamperBit7(), y.tamperBit7());
            s.changed(ct::kUnusedBits, hexBytes(bytesOf(x.unusedModeBits())),
                      hexBytes(bytesOf(y.unusedModeBits())));
            s.loopSet(x.loops, y.loops);
        }
    }

    void indicatorTable(const std::span<const LoopMask> x, const std::span<const LoopMask> y,
                        const char* module) {
        for (std::size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i]) {
                const QString owner = QString::fromUtf8(module) + QString::number(i / 8 + 1);
                Subject(*this, Subsystem::Outputs,
                        QString::fromUtf8(ct::kIndicator).arg(owner).arg(i % 8 + 1))
                    .loopSet(x[i], y[i]);
            }
    }

    void indicators() { indicatorTable(a_.indicators, b_.indicators, "МД"); }

    void lineModules() {
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const LineModule& x = a_.lineModule(n);
            const LineModule& y = b_.lineModule(n);
            if (x == y) continue;
            Subject s(*this, Subsystem::Outputs, moduleName(ModuleId{ModuleKind::MS, n}));
            s.changed(ct::kAddress, plain::numbered(ct::kAddressFormat, x.address),
                      plain::numbered(ct::kAddressFormat, y.address));
            for (int m = 1; m <= 8; ++m)
                if (x.serves(m) != y.serves(m)) {
                    const QString loopModule = moduleName(ModuleId{ModuleKind::MShS, m});
                    if (y.serves(m))
                        s.added(loopModule);
                    else
                        s.removed(loopModule);
                }
        }
    }

    void sounders() {
        // In the order of the pane's tabs: the СЗО relay first.
        static constexpr std::array kOrder{SounderOutput::SzoRelay, SounderOutput::VzoGB5,
                                           SounderOutput::ZoVT5Loops1to32, SounderOutput::ZoVT5Loops33to64};
        for (SounderOutput output : kOrder) {
            const Sounder& x = a_.sounder(output);
            const Sounder& y = b_.sounder(output);
            if (x == y) continue;
            Subject s(*this, Subsystem::Outputs, text(ct::kSounder.at(static_cast<std::size_t>(output))));
            s.changed(ct::kAtAlarm, durationText(x.alarmDuration), durationText(y.alarmDuration));
            s.changed(ct::kAtFire, durationText(x.fireDuration), durationText(y.fireDuration));
            s.changed(ct::kAtFault, durationText(x.faultDuration), durationText(y.faultDuration));
            for (std::size_t bit = 0; bit < ct::kSounderOptions.size(); ++bit)
                s.flag(ct::kSounderOptions[bit], x.option(static_cast<int>(bit)),
                       y.option(static_cast<int>(bit)));
            s.changed(ct::kUnusedBits, plain::hexByte(static_cast<std::uint8_t>(x.options & 0xE0)),
                      plain::hexByte(static_cast<std::uint8_t>(y.options & 0xE0)));
            s.loopSet(x.loops, y.loops);
        }
    }

    void optionsAndExternals() {
        if (a_.options != b_.options) {
            const PanelOptionByte x = a_.options, y = b_.options;
            Subject s(*this, Subsystem::Outputs, text(ct::kOptions));
            s.flag(ct::kOptionNames[0], x.autoArming(), y.autoArming());
            s.flag(ct::kOptionNames[1], x.programmingLocked(), y.programmingLocked());
            s.flag(ct::kOptionNames[2], x.externalSupplyOnly(), y.externalSupplyOnly());
            s.changed(ct::kUnusedBits, hexBytes(bytesOf(x.unusedBits())), hexBytes(bytesOf(y.unusedBits())));
        }
        if (a_.externalModules != b_.externalModules) {
            const ExternalModules x = a_.externalModules, y = b_.externalModules;
            Subject s(*this, Subsystem::Outputs, text(ct::kExternalModules));
            struct Group {
                const char* prefix;
                bool (ExternalModules::*present)(int) const;
            };
            for (const Group& g : {Group{"МДВ", &ExternalModules::mdv}, Group{"БИ", &ExternalModules::bi},
                                   Group{"МК", &ExternalModules::mk}})
                for (int n = 1; n <= 4; ++n) {
                    const bool before = (x.*g.present)(n), after = (y.*g.present)(n);
                    if (before == after) continue;
                    const QString name = QString::fromUtf8(g.prefix) + QString::number(n);
                    if (after)
                        s.added(name);
                    else
                        s.removed(name);
                }
            s.changed(ct::kUnusedBits,
                      QStringLiteral("%1").arg(x.unusedBits(), 4, 16, QLatin1Char('0')).toUpper(),
                      QStringLiteral("%1").arg(y.unusedBits(), 4, 16, QLatin1Char('0')).toUpper());
        }
        indicatorTable(a_.externalIndicators, b_.externalIndicators, "МДВ");
    }

    void other() {
        // The code itself stays out of lists that may be saved and passed on.
        if (a_.accessCode != b_.accessCode)
            Subject(*this, Subsystem::Other, text(ct::kAccessCode)).note(text(ct::kChanged));
        int changed = 0;
        std::size_t firstAt = 0;
        const auto reservedA = ReservedBytes::decode(imageA_);
        const auto reservedB = ReservedBytes::decode(imageB_);
        for (std::size_t i = 0; i < reservedA.bytes.size(); ++i)
            if (reservedA.bytes[i] != reservedB.bytes[i] && changed++ == 0)
                firstAt = ReservedBytes::kFirstAddress + i;
        if (changed > 0)
            Subject(*this, Subsystem::Other, text(ct::kReserved))
                .note(formatText(ct::kReservedChanged, changed, static_cast<unsigned>(firstAt)));
        const auto pointer = [](std::uint16_t p) {
            return QStringLiteral("0x") + QStringLiteral("%1").arg(p, 4, 16, QLatin1Char('0')).toUpper();
        };
        if (a_.archivePointer != b_.archivePointer)
            Subject(*this, Subsystem::Other, text(ct::kArchive))
                .changed(ct::kArchivePointer, pointer(a_.archivePointer), pointer(b_.archivePointer));
        if (scope_ == CompareScope::WholeImage) {
            int records = 0;
            for (std::size_t r = 0; r < static_cast<std::size_t>(ArchiveRecord::kCount); ++r)
                if (ArchiveRecord::decode(imageA_, r) != ArchiveRecord::decode(imageB_, r)) ++records;
            if (records > 0)
                Subject(*this, Subsystem::Other, text(ct::kArchive))
                    .note(formatText(ct::kArchiveChanged, records));
        }
    }

    const Image& imageA_;
    const Image& imageB_;
    const Configuration a_;
    const Configuration b_;
    CompareScope scope_;
    std::vector<FieldChange> out_;
};

}  // namespace

std::vector<FieldChange> compareConfigurations(const Image& before, const Image& after, CompareScope scope) {
    return Differ(before, after, scope).run();
}

QStringList differenceLines(const std::vector<FieldChange>& changes) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(changes.size() + ct::kSubsystem.size()));
    for (std::size_t s = 0; s < ct::kSubsystem.size(); ++s) {
        const auto subsystem = static_cast<Subsystem>(s);
        bool headed = false;
        for (const FieldChange& change : changes) {
            if (change.subsystem != subsystem) continue;
            if (!std::exchange(headed, true)) lines << subsystemName(subsystem) + QLatin1Char(':');
            QString line = QStringLiteral("  ");
            appendChangeText(line, change);
            lines << std::move(line);
        }
    }
    return lines;
}

QByteArray differenceJson(const std::vector<FieldChange>& changes) {
    static constexpr std::array<const char*, 4> kKinds{"changed", "added", "removed", "note"};
    QJsonArray list;
    for (const FieldChange& c : changes)
        list.append(QJsonObject{
            {QStringLiteral("subsystem"), subsystemId(c.subsystem)},
            {QStringLiteral("kind"), QString::fromLatin1(kKinds.at(static_cast<std::size_t>(c.kind)))},
            {QStringLiteral("subject"), c.subject},
            {QStringLiteral("field"), c.field},
            {QStringLiteral("before"), c.before},
            {QStringLiteral("after"), c.after},
            {QStringLiteral("text"), c.text()}});
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

}  // namespace v5
