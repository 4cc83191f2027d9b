#include "reports/format_text.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <vector>

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

void appendLoopList(QString& text, LoopMask mask) {
    for (int loop = 1; loop <= 64; ++loop) {
        if (!mask.has(loop)) continue;
        appendNumber(text, static_cast<std::uint64_t>(loop));
        text += QLatin1Char(',');
    }
}

}  // namespace v5
