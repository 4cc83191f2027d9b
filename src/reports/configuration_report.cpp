#include "configuration_report.h"

#include <array>
#include <utility>

#include "configuration_counts.h"
#include "correct_string.h"
#include "format_text.h"
#include "report_texts.h"
#include "slots.h"
#include "tables.h"

namespace v5 {

namespace {

namespace rt = report_text;

constexpr std::uint8_t kMonterKey = 0xFA;
constexpr std::uint8_t kGZKey = 0xFB;
constexpr std::uint8_t kUnassigned = 0xFF;
constexpr std::uint8_t kNoTimeLimit = 255;
constexpr int kSzoRelayRecord = 3;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString separator() {
    return QString(rt::kSeparatorWidth, QLatin1Char(rt::kSeparatorChar));
}

QString loopList(LoopMask mask) {
    QString out;
    appendLoopList(out, mask);
    return out;
}

QString modeName(std::uint8_t modeByte) {
    return text(rt::kReleMode[modeByte & 0x0F]);
}

LoopMask relayMask(const Image& image, std::size_t index) {
    return image.loopMask(map::Relays.at(index) + 1);  // byte 0 is the mode byte
}

class ReportBuilder {
public:
    explicit ReportBuilder(const Image& image) : image_(image) {
        for (std::size_t i = 0; i < 64; ++i) {
            relayMasks_[i] = relayMask(image, i);
            indicatorMasks_[i] = image.loopMask(map::Indicators.at(i));
        }
    }

    QStringList build() {
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
        const int count = keyCount(image_);
        if (count == 0) {
            lines_ << text(rt::kNoKeys);
            return;
        }
        lines_ << formatText(rt::kKeyCount, count) << separator();
        for (std::size_t i = 0; i < map::KeyRecords.count; ++i) {
            if (KeyEmpty(image_, i)) continue;
            const auto k = image_.record(map::KeyRecords, i);
            const int index = static_cast<int>(i);
            const std::uint8_t a = k[6];
            const int number = k[7] + 1;
            // The code is printed most significant byte first; a key with an assignment outside
            // the known values still counts above but gets no line.
            if (a <= 0x3F)
                lines_ << formatText(rt::kKeyZona, index, k[5], k[4], k[3], k[2], k[1], k[0], a + 1, number);
            else if (a <= 0x7F)
                lines_ << formatText(rt::kKeyRazdel, index, k[5], k[4], k[3], k[2], k[1], k[0], a - 0x3F,
                                     number);
            else if (a == kMonterKey)
                lines_ << formatText(rt::kKeyMonter, index, k[5], k[4], k[3], k[2], k[1], k[0], number);
            else if (a == kGZKey)
                lines_ << formatText(rt::kKeyGZ, index, k[5], k[4], k[3], k[2], k[1], k[0], number);
            else if (a == kUnassigned)
                lines_ << formatText(rt::kKeyUnassigned, index, k[5], k[4], k[3], k[2], k[1], k[0], number);
        }
        lines_ << separator();
    }

    LoopMask zona(int z) const { return zonaMask(image_, z); }

    void zones() {
        const int count = zonaCount(image_);
        if (count == 0) {
            lines_ << text(rt::kNoZones);
            return;
        }
        lines_ << formatText(rt::kZonaCount, count) << separator();
        for (int z = 1; z <= 64; ++z)
            if (!zona(z).isEmpty())
                lines_ << correct_string(formatText(rt::kZonaLine, z) + loopList(zona(z)));
        lines_ << separator();
    }

    void razdels() {
        const int count = razdelCount(image_);
        if (count == 0) {
            lines_ << text(rt::kNoRazdels);
            return;
        }
        lines_ << formatText(rt::kRazdelCount, count) << separator();
        for (int p = 1; p <= 32; ++p) {
            const LoopMask mask = razdelMask(image_, p);
            if (!mask.isEmpty()) lines_ << correct_string(formatText(rt::kRazdelLine, p) + loopList(mask));
        }
        // The partitions close without a separator of their own.
    }

    void passThrough() {
        const int count = passThroughCount(image_);
        if (count == 0) {
            lines_ << text(rt::kNoPassThrough);
            return;
        }
        lines_ << QString() << formatText(rt::kPassThroughCount, count) << separator();
        for (int r = 1; r <= 8; ++r) {
            const LoopMask record = passThroughRecord(image_, r);
            if (record.isEmpty()) continue;
            const LoopMask linked = linkedMask(image_, r);
            // With several zones equal to the record, the last one is named.
            QString line;
            for (int z = 1; z <= 64; ++z)
                if (!zona(z).isEmpty() && zona(z) == record) line = formatText(rt::kPassThroughZona, r, z);
            line += text(rt::kLinkedZones);
            for (int z = 1; z <= 64; ++z)
                if (!zona(z).isEmpty() && zona(z).intersects(linked)) line += formatText(rt::kLinkedZona, z);
            lines_ << line;
        }
        lines_ << separator();
    }

    void modules() {
        int count = 0;
        for (std::size_t s = 0; s < map::SlotTable.count; ++s)
            if (image_.record(map::SlotTable, s)[0] != 0) ++count;
        if (count == 0) {
            lines_ << text(rt::kNoModules);
            return;
        }
        lines_ << formatText(rt::kModuleCount, count) << separator();
        for (int s = 1; s <= kSlotCount; ++s) {
            const auto entry = image_.record(map::SlotTable, static_cast<std::size_t>(s - 1));
            const int number = entry[1] + 1;
            switch (static_cast<ModuleKind>(entry[0])) {
                case ModuleKind::MShS:
                    lines_ << formatText(rt::kModuleMShS, s, number);
                    if (number <= 8) loopModules_[static_cast<std::size_t>(number - 1)] = true;
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
        for (bool placed : loopModules_)
            any = any || placed;
        if (any) {
            lines_ << text(rt::kLoopHeading) << separator();
            for (int loop = 1; loop <= 64; ++loop)
                if (loopModules_[static_cast<std::size_t>((loop - 1) / 8)])
                    lines_ << formatText(rt::kLoopNumber, loop) + loopDescription(loop);
        }
        lines_ << separator();
    }

    QString loopDescription(int loop) const {
        const auto r = image_.record(map::LoopParams, static_cast<std::size_t>(loop - 1));
        const std::uint8_t b0 = r[0], b1 = r[1], b2 = r[2];
        if (b2 & 0x20) return text(rt::kLoopDisabled);  // disabled, whatever the other bits say

        QString d = text(rt::kLoopType[(b1 >> 4) & 3]);
        if (b1 & 0x08) d += text(rt::kLoop24h);
        if (b1 & 0x01) d += text(rt::kLoopTamper);
        d += text(rt::kLoopReaction[b0 >> 6]);
        d += text(rt::kLoopDelay[(b0 >> 4) & 3]);
        d += text(rt::kLoopConfirm[(b0 >> 2) & 3]);
        if (b0 & 0x02) d += text(rt::kLoopLimit);
        if (b0 & 0x01) d += text(rt::kLoopSound);
        if (b1 & 0x02) d += text(rt::kLoopVerification);
        if (b2 & 0x80)
            d += text(rt::kLoopTwoDetectors);
        else if (b1 & 0x04)
            d += text(rt::kLoopOneDetector);
        if (b2 & 0x40) d += text(rt::kLoopPaired);

        bool first = true;
        for (std::size_t k = 0; k < relayMasks_.size(); ++k) {
            if (!relayMasks_[k].has(loop)) continue;
            if (std::exchange(first, false)) d += text(rt::kLoopRelays);
            d += formatText(rt::kLoopRelay, static_cast<int>(k + 1)) +
                 modeName(image_.record(map::Relays, k)[0]);
        }
        first = true;
        for (std::size_t x = 0; x < indicatorMasks_.size(); ++x) {
            if (!indicatorMasks_[x].has(loop)) continue;
            if (std::exchange(first, false)) d += text(rt::kLoopIndicators);
            d += formatText(rt::kLoopIndicator, static_cast<int>(x + 1));
        }
        return d;
    }

    void indicators() {
        for (std::size_t x = 0; x < indicatorMasks_.size(); ++x)
            if (!indicatorMasks_[x].isEmpty())
                lines_ << correct_string(formatText(rt::kIndicatorLine, static_cast<int>(x + 1)) +
                                         loopList(indicatorMasks_[x]));
        lines_ << separator();
    }

    static bool hasRunTime(int modeCode) {
        return (modeCode >= 3 && modeCode <= 6) || (modeCode >= 8 && modeCode <= 11);
    }

    void relays() {
        for (std::size_t k = 0; k < relayMasks_.size(); ++k) {
            if (relayMasks_[k].isEmpty()) continue;
            const auto r = image_.record(map::Relays, k);
            const std::uint8_t mode = r[0];
            QString line = formatText(rt::kRelayLine, static_cast<int>(k + 1)) + modeName(mode);
            if (hasRunTime(mode & 0x0F))
                line +=
                    r[9] == kNoTimeLimit ? text(rt::kRelayNoTimeLimit) : formatText(rt::kRelayRunTime, r[9]);
            if (mode & 0x80) line += text(rt::kRelayTamperGB);
            if (mode & 0x40) line += text(rt::kRelayTamperModules);
            lines_ << correct_string(line + text(rt::kRelayLoops) + loopList(relayMasks_[k]));
        }
        lines_ << separator();
    }

    void lineModules() {
        for (std::size_t n = 0; n < map::LineModules.count; ++n) {
            const auto entry = image_.record(map::LineModules, n);
            const std::uint8_t loopModules = entry[0];
            if (loopModules == 0) continue;
            QString line = formatText(rt::kLineModule, static_cast<int>(n + 1));
            if (entry[1] != 0) line += formatText(rt::kLineAddress, entry[1]);
            line += text(rt::kLineLoopModules);
            for (int k = 1; k <= 8; ++k)
                if (loopModules & (1U << (k - 1))) {
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
            const auto r = image_.record(map::Sounders, static_cast<std::size_t>(block.record));
            lines_ << text(block.heading);
            for (const rt::SounderDuration& duration : rt::kSounderDurations) {
                const std::uint8_t v = r[static_cast<std::size_t>(duration.byte)];
                if (v == kNoTimeLimit)
                    lines_ << text(duration.noLimit);
                else if (v != 0)
                    lines_ << formatText(duration.timed, v);
            }
            const LoopMask mask = image_.loopMask(map::Sounders.at(static_cast<std::size_t>(block.record)));
            lines_ << (mask.isEmpty() ? text(rt::kSounderLoops) + text(rt::kSounderNoLoops)
                                      : correct_string(text(rt::kSounderLoops) + loopList(mask)));
            const std::uint8_t options = r[11];
            if (block.record != kSzoRelayRecord)
                for (std::size_t bit = 0; bit < rt::kSounderRepeats.size(); ++bit)
                    if (options & (1U << bit)) lines_ << text(rt::kSounderRepeats[bit]);
            if (options & 0x08) lines_ << text(rt::kSounderPanelTamper);
            if (options & 0x10) lines_ << text(rt::kSounderModuleTamper);
        }
    }

    const Image& image_;
    QStringList lines_;
    std::array<bool, 8> loopModules_{};  // МШС1..8 installed according to the slot table
    std::array<LoopMask, 64> relayMasks_{};
    std::array<LoopMask, 64> indicatorMasks_{};
};

}  // namespace

QStringList configurationReport(const Image& image) {
    return ReportBuilder(image).build();
}

}  // namespace v5
