#include "reports/configuration_report.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "image/configuration.h"
#include "reports/correct_string.h"
#include "reports/format_text.h"
#include "reports/report_texts.h"

namespace v5 {

using namespace config;

namespace {

namespace rt = report_text;

constexpr auto kSzoRelayRecord = static_cast<std::size_t>(SounderOutput::SzoRelay);

// The fixed texts of report_texts.h, each converted once and then shared by every line that is one.
const QString& text(const char* utf8) {
    thread_local std::unordered_map<const char*, QString> converted;
    auto [at, inserted] = converted.try_emplace(utf8);
    if (inserted) at->second = QString::fromUtf8(utf8);
    return at->second;
}

const QString& separator() {
    thread_local const QString line(rt::kSeparatorWidth, QLatin1Char(rt::kSeparatorChar));
    return line;
}

// The head followed by the compressed list of the loops: "зона 003 Шлейфы: 1-4,9".
QString withLoops(QString head, LoopMask mask) {
    appendCompressedLoopList(head, mask);
    return head;
}

const QString& modeName(const Relay& relay) {
    return text(rt::kReleMode[static_cast<std::size_t>(relay.modeCode())]);
}

class ReportBuilder {
public:
    explicit ReportBuilder(const Image& image) : c_(Configuration::decode(image)) {}

    QStringList build() {
        lines_.reserve(1536);
        keys();
        zones();
        razdels();
        passThrough();
        modules();
        loopParameters();
        indicators();
        relays();
        lineModules();
        sounders();
        return lines_;
    }

private:
    void keys() {
        const int count = c_.keysInUse();
        if (count == 0) {
            lines_ << text(rt::kNoKeys);
            return;
        }
        lines_ << formatText(rt::kKeyCount, count) << separator();
        for (std::size_t i = 0; i < c_.keys.size(); ++i) {
            const Key& key = c_.keys[i];
            if (key.isFree()) continue;
            const auto& k = key.code;
            const int index = static_cast<int>(i);  // the report counts records from 000
            const int n = key.spiNumber();
            const int group = key.assignment.number();
            // The code is printed most significant byte first; a key with an assignment outside
            // the known values still counts above but gets no line.
            switch (key.assignment.role()) {
                case KeyRole::Zona:
                    lines_ << formatText(rt::kKeyZona, index, k[5], k[4], k[3], k[2], k[1], k[0], group, n);
                    break;
                case KeyRole::Razdel:
                    lines_ << formatText(rt::kKeyRazdel, index, k[5], k[4], k[3], k[2], k[1], k[0], group, n);
                    break;
                case KeyRole::Monter:
                    lines_ << formatText(rt::kKeyMonter, index, k[5], k[4], k[3], k[2], k[1], k[0], n);
                    break;
                case KeyRole::GZ:
                    lines_ << formatText(rt::kKeyGZ, index, k[5], k[4], k[3], k[2], k[1], k[0], n);
                    break;
                case KeyRole::Unassigned:
                    lines_ << formatText(rt::kKeyUnassigned, index, k[5], k[4], k[3], k[2], k[1], k[0], n);
                    break;
                case KeyRole::Unknown:
                    break;
            }
        }
        lines_ << separator();
    }

    void zones() {
        const int count = c_.zonesInUse();
        if (count == 0) {
            lines_ << text(rt::kNoZones);
            return;
        }
        lines_ << formatText(rt::kZonaCount, count) << separator();
        for (int z = 1; z <= kZonaCount; ++z)
            if (c_.zonaExists(z))
                lines_ << withLoops(formatText(rt::kZonaLine, z), c_.zona(z));
        lines_ << separator();
    }

    void razdels() {
        const int count = c_.razdelsInUse();
        if (count == 0) {
            lines_ << text(rt::kNoRazdels);
            return;
        }
        lines_ << formatText(rt::kRazdelCount, count) << separator();
        for (int p = 1; p <= kRazdelCount; ++p)
            if (c_.razdelExists(p))
                lines_ << withLoops(formatText(rt::kRazdelLine, p), c_.razdel(p));
        // The partitions close without a separator of their own.
    }

    void passThrough() {
        const int count = c_.passThroughInUse();
        if (count == 0) {
            lines_ << text(rt::kNoPassThrough);
            return;
        }
        lines_ << QString() << formatText(rt::kPassThroughCount, count) << separator();
        for (int r = 1; r <= kPassThroughPlaces; ++r) {
            const PassThroughPlace& place = c_.place(r);
            if (place.isFree()) continue;
            QString line;
            if (const int z = c_.passThroughZona(r)) line = formatText(rt::kPassThroughZona, r, z);
            line += text(rt::kLinkedZones);
            for (int z = 1; z <= kZonaCount; ++z)
                if (c_.zonaExists(z) && c_.zona(z).intersects(place.linked))
                    line += formatText(rt::kLinkedZona, z);
            lines_ << line;
        }
        lines_ << separator();
    }

    void modules() {
        const auto count = std::count_if(c_.slotTable.begin(), c_.slotTable.end(),
                                         [](const SlotEntry& e) { return !e.isEmpty(); });
        if (count == 0) {
            lines_ << text(rt::kNoModules);
            return;
        }
        lines_ << formatText(rt::kModuleCount, static_cast<int>(count)) << separator();
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotEntry& entry = c_.slotTable[static_cast<std::size_t>(s - 1)];
            const int number = entry.numberByte + 1;
            switch (static_cast<ModuleKind>(entry.kind)) {
                case ModuleKind::MShS:
                    lines_ << formatText(rt::kModuleMShS, s, number);
                    break;
                case ModuleKind::MD:
                    lines_ << formatText(rt::kModuleMD, s, number);
                    break;
                case ModuleKind::MR:
                    lines_ << formatText(rt::kModuleMR, s, number);
                    break;
                case ModuleKind::MS:
                    lines_ << formatText(rt::kModuleMS, s, number);
                    break;
                default:  // an empty slot or a kind the panel does not know
                    break;
            }
        }
        lines_ << separator();
    }

    void loopParameters() {
        bool any = false;
        for (int m = 1; m <= 8; ++m)
            any = any || c_.loopModulePlaced(m);
        if (any) {
            lines_ << text(rt::kLoopHeading) << separator();
            for (int loop = 1; loop <= static_cast<int>(kLoopCount); ++loop)
                if (c_.loopModulePlaced((loop - 1) / 8 + 1))
                    lines_ << formatText(rt::kLoopNumber, loop) + loopDescription(loop);
        }
        lines_ << separator();
    }

    QString loopDescription(int loop) const {
        const LoopRecord& r = c_.loop(loop);
        if (r.disabled()) return text(rt::kLoopDisabled);  // whatever the other bits say

        QString d;
        d.reserve(256);
        d += text(rt::kLoopType[static_cast<std::size_t>(r.type())]);
        if (r.roundTheClock()) d += text(rt::kLoop24h);
        if (r.tamperControl()) d += text(rt::kLoopTamper);
        d += text(rt::kLoopReaction[static_cast<std::size_t>(r.reactionCode())]);
        d += text(rt::kLoopDelay[static_cast<std::size_t>(r.delayCode())]);
        d += text(rt::kLoopConfirm[static_cast<std::size_t>(r.confirmationCode())]);
        if (r.triggerLimit()) d += text(rt::kLoopLimit);
        if (r.soundConfirmation()) d += text(rt::kLoopSound);
        if (r.verification()) d += text(rt::kLoopVerification);
        if (r.triggerSelection() == TriggerSelection::TwoDetectors)
            d += text(rt::kLoopTwoDetectors);
        else if (r.triggerSelection() == TriggerSelection::OneDetector)
            d += text(rt::kLoopOneDetector);
        if (r.paired()) d += text(rt::kLoopPaired);

        bool first = true;
        for (int k = 1; k <= kRelayCount; ++k) {
            if (!c_.relay(k).loops.has(loop)) continue;
            if (std::exchange(first, false)) d += text(rt::kLoopRelays);
            d += formatText(rt::kLoopRelay, k) + modeName(c_.relay(k));
        }
        first = true;
        for (std::size_t x = 0; x < c_.indicators.size(); ++x) {
            if (!c_.indicators[x].has(loop)) continue;
            if (std::exchange(first, false)) d += text(rt::kLoopIndicators);
            d += formatText(rt::kLoopIndicator, static_cast<int>(x + 1));
        }
        return d;
    }

    void indicators() {
        for (std::size_t x = 0; x < c_.indicators.size(); ++x)
            if (!c_.indicators[x].isEmpty())
                lines_ << withLoops(formatText(rt::kIndicatorLine, static_cast<int>(x + 1)), c_.indicators[x]);
        lines_ << separator();
    }

    void relays() {
        for (int k = 1; k <= kRelayCount; ++k) {
            const Relay& relay = c_.relay(k);
            if (relay.loops.isEmpty()) continue;
            QString line = formatText(rt::kRelayLine, k) + modeName(relay);
            if (relay.modeHasRunTime())
                line += relay.runTime == kNoTimeLimit ? text(rt::kRelayNoTimeLimit)
                                                      : formatText(rt::kRelayRunTime, relay.runTime);
            // The report has always named bit 7 after the central module and bit 6 after the modules.
            if (relay.tamperBit7()) line += text(rt::kRelayTamperGB);
            if (relay.tamperBit6()) line += text(rt::kRelayTamperModules);
            line += text(rt::kRelayLoops);
            lines_ << withLoops(std::move(line), relay.loops);
        }
        lines_ << separator();
    }

    void lineModules() {
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const LineModule& module = c_.lineModule(n);
            if (module.loopModules == 0) continue;
            QString line = formatText(rt::kLineModule, n);
            if (module.address != 0) line += formatText(rt::kLineAddress, module.address);
            line += text(rt::kLineLoopModules);
            for (int k = 1; k <= 8; ++k)
                if (module.serves(k)) {
                    appendNumber(line, static_cast<std::uint64_t>(k));
                    line += QLatin1Char(',');
                }
            lines_ << correct_string(line);
        }
        lines_ << separator();
    }

    void sounders() {
        for (std::size_t b = 0; b < rt::kSounderBlocks.size(); ++b) {
            const rt::SounderBlock& block = rt::kSounderBlocks[b];
            if (b > 0) lines_ << separator();
            const Sounder& sounder = c_.sounders.at(static_cast<std::size_t>(block.record));
            lines_ << text(block.heading);
            for (const rt::SounderDuration& duration : rt::kSounderDurations) {
                const std::uint8_t v = sounder.*(duration.field);
                if (v == kNoTimeLimit)
                    lines_ << text(duration.noLimit);
                else if (v != 0)
                    lines_ << formatText(duration.timed, v);
            }
            lines_ << (sounder.loops.isEmpty()
                           ? text(rt::kSounderLoops) + text(rt::kSounderNoLoops)
                           : withLoops(text(rt::kSounderLoops), sounder.loops));
            if (static_cast<std::size_t>(block.record) != kSzoRelayRecord)
                for (std::size_t bit = 0; bit < rt::kSounderRepeats.size(); ++bit)
                    if (sounder.option(static_cast<int>(bit))) lines_ << text(rt::kSounderRepeats[bit]);
            if (sounder.option(3)) lines_ << text(rt::kSounderPanelTamper);
            if (sounder.option(4)) lines_ << text(rt::kSounderModuleTamper);
        }
    }

    const Configuration c_;
    QStringList lines_;
};

}  // namespace

QStringList configurationReport(const Image& image) {
    return ReportBuilder(image).build();
}

}  // namespace v5
