#include "compare/plain_terms.h"

#include <unordered_map>

#include "compare/compare_texts.h"
#include "reports/correct_string.h"
#include "reports/format_text.h"

namespace v5::plain {

const QString& text(const char* utf8) {
    // Keyed by address: the texts are the arrays of compare_texts.h, which live as long as the program.
    static std::unordered_map<const char*, QString> converted;
    auto [at, inserted] = converted.try_emplace(utf8);
    if (inserted) at->second = QString::fromUtf8(utf8);
    return at->second;
}

QString loops(LoopMask mask) {
    const auto list = mask.loops();
    if (list.size() == 1)
        return text(compare_text::kLoopSingular) + QLatin1Char(' ') + QString::number(list.front());
    QString out = text(compare_text::kLoopPlural);
    appendLoopList(out, mask);
    return correct_string(out);
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
    return hexBytes(std::span(&byte, 1));
}

}  // namespace v5::plain
