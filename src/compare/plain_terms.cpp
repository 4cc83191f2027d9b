#include "compare/plain_terms.h"

#include <array>
#include <bit>
#include <unordered_map>
#include <vector>

#include "compare/compare_texts.h"
#include "reports/format_text.h"

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

}  // namespace v5::plain
