#include "reports/format_text.h"

#include <bit>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "reports/correct_string.h"

namespace v5 {

QString formatText(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    QString result;
    if (size < 0) {
        result.clear();
    } else if (static_cast<std::size_t>(size) < sizeof buffer) {
        result = QString::fromUtf8(buffer, size);
    } else {
        std::vector<char> large(static_cast<std::size_t>(size) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        result = QString::fromUtf8(large.data(), size);
    }
    va_end(again);
    return result;
}

void appendNumber(QString& text, std::uint64_t value) {
    char digits[20];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(QLatin1StringView(digits, end - digits));
}

void appendPadded(QString& text, std::uint64_t value, int digits) {
    char buffer[20];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    for (auto n = end - buffer; n < digits; ++n)
        text += QLatin1Char('0');
    text.append(QLatin1StringView(buffer, end - buffer));
}

void appendLoopList(QString& text, LoopMask mask) {
    for (int loop = 1; loop <= 64; ++loop) {
        if (!mask.has(loop)) continue;
        appendNumber(text, static_cast<std::uint64_t>(loop));
        text += QLatin1Char(',');
    }
}

}  // namespace v5

namespace v5 {

void appendCompressedLoopList(QString& text, LoopMask mask) {
    // A text that itself ends in digits or commas lends them to the tail: only correct_string knows
    // what becomes of them.
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    if (end > 0) {
        const char16_t last = text[end - 1].unicode();
        if (last == u',' || (last >= u'0' && last <= u'9')) {
            appendLoopList(text, mask);
            text = correct_string(text);
            return;
        }
    }
    text.truncate(end);
    // Each run of consecutive loops is "first-last", a lone loop just its number; a blank opens the
    // list and commas part the runs.
    std::uint64_t bits = mask.bits();
    bool first = true;
    while (bits != 0) {
        const int from = std::countr_zero(bits);
        const int length = std::countr_one(bits >> from);
        text += first ? QLatin1Char(' ') : QLatin1Char(',');
        first = false;
        appendNumber(text, static_cast<std::uint64_t>(from + 1));
        if (length > 1) {
            text += QLatin1Char('-');
            appendNumber(text, static_cast<std::uint64_t>(from + length));
        }
        bits = length == 64 ? 0 : bits & ~(((std::uint64_t{1} << length) - 1) << from);
    }
}

}  // namespace v5
