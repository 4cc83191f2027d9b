#include "compare/plain_terms.h"

#include <algorithm>
#include <array>
#include <bit>
#include <unordered_map>
#include <vector>

#include "compare/compare_texts.h"
#include "reports/format_text.h"
#include "reports/report_texts.h"

namespace v5::plain {

const QString& text(const char* utf8) {
    // Keyed by address: the texts are the arrays of compare_texts.h, which live as long as the program.
    static std::unordered_map<const char*, QString> converted;
    auto [at, inserted] = converted.try_emplace(utf8);
    if (inserted) at->second = QString::fromUtf8(utf8);
    return at->second;
}

QString numbered(const char* format, int number) {
    constexpr int kCached = 1024;
    if (number < 0 || number >= kCached) return formatText(format, number);
    thread_local std::unordered_map<const char*, std::vector<QString>> made;
    std::vector<QString>& texts = made[format];
    if (texts.empty()) texts.resize(kCached);
    QString& t = texts[static_cast<std::size_t>(number)];
    if (t.isNull()) t = formatText(format, number);
    return t;
}

QString loops(LoopMask mask) {
    const QString& singular = text(compare_text::kLoopSingular);
    const QString& plural = text(compare_text::kLoopPlural);
    QString out;
    out.reserve(plural.size() + 3 * 64);
    if (std::has_single_bit(mask.bits())) {
        out += singular;
        out += QLatin1Char(' ');
        appendNumber(out, static_cast<std::uint64_t>(std::countr_zero(mask.bits()) + 1));
    } else {
        out += plural;
        appendCompressedLoopList(out, mask);
    }
    return out;
}

QString hexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(static_cast<qsizetype>(3 * bytes.size()));
    for (std::uint8_t b : bytes) {
        if (!out.isEmpty()) out += QLatin1Char(' ');
        out += QLatin1Char(kDigits[b >> 4]);
        out += QLatin1Char(kDigits[b & 0x0F]);
    }
    return out;
}

QString hexByte(std::uint8_t byte) {
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> out;
        for (std::size_t b = 0; b < out.size(); ++b) {
            const auto one = static_cast<std::uint8_t>(b);
            out[b] = hexBytes(std::span(&one, 1));
        }
        return out;
    }();
    return texts[byte];
}

namespace ct = compare_text;

QString yesNo(bool on) {
    return text(on ? ct::kYes : ct::kNo);
}

QString moduleText(const config::SlotEntry& entry) {
    if (entry.isEmpty()) return text(ct::kEmptySlot);
    if (const auto module = entry.module()) return moduleName(*module);
    return formatText(ct::kUnknownModule, entry.kind, entry.numberByte + 1);
}

QString assignmentText(config::KeyAssignment assignment) {
    switch (assignment.role()) {
        case config::KeyRole::Zona:
            return numbered(ct::kAssignZona, assignment.number());
        case config::KeyRole::Razdel:
            return numbered(ct::kAssignRazdel, assignment.number());
        case config::KeyRole::Monter:
            return text(ct::kAssignMonter);
        case config::KeyRole::GZ:
            return text(ct::kAssignGZ);
        case config::KeyRole::Unassigned:
            return text(ct::kAssignNone);
        case config::KeyRole::Unknown:
            break;
    }
    return numbered(ct::kAssignUnknown, assignment.byte);
}

QString durationText(std::uint8_t code) {
    const auto at = std::find(config::kDurationCodes.begin(), config::kDurationCodes.end(), code);
    if (at == config::kDurationCodes.end()) return numbered(ct::kOtherDuration, code);
    return text(ct::kDurations.at(static_cast<std::size_t>(at - config::kDurationCodes.begin())));
}

QString runTimeText(std::uint8_t seconds) {
    return seconds == config::kNoTimeLimit ? text(ct::kNoLimit) : numbered(ct::kSeconds, seconds);
}

QString loopTypeText(const config::LoopRecord& loop) {
    return loop.disabled() ? text(ct::kLoopDisabled)
                           : text(ct::kLoopTypes.at(static_cast<std::size_t>(loop.type())));
}

QString relayModeText(int code) {
    const QString& name = text(report_text::kReleMode.at(static_cast<std::size_t>(code)));
    const bool bracketed = name.startsWith(QLatin1Char('(')) && name.endsWith(QLatin1Char(')'));
    return bracketed ? name.mid(1, name.size() - 2) : name;
}

}  // namespace v5::plain
