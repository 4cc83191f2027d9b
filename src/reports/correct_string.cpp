#include "reports/correct_string.h"

#include <cstdint>

#include "reports/format_text.h"

namespace v5 {

namespace {
bool isTailChar(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u',' || (u >= u'0' && u <= u'9');
}
}  // namespace

QString correct_string(const QString& line) {
    qsizetype start = line.size();
    while (start > 0 && isTailChar(line[start - 1]))
        --start;
    if (start == line.size()) return line;

    QString result = line.left(start);
    const auto endsWithDash = [&result] { return result.endsWith(QLatin1Char('-')); };
    // Unsigned, so that an absurdly long digit run wraps instead of overflowing.
    std::uint64_t cur = 0;
    std::uint64_t next = 0;
    bool first = true;
    bool closedAny = false;
    for (qsizetype i = start; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c == u' ') continue;
        if (c != u',') {
            cur = 10 * cur + (c - u'0');
            continue;
        }
        if (cur == next) {
            if (!endsWithDash()) result += QLatin1Char('-');
        } else if (first) {
            result += QLatin1Char(' ');
            appendNumber(result, cur);
            first = false;
        } else {
            if (endsWithDash()) appendNumber(result, next - 1);
            result += QLatin1Char(',');
            appendNumber(result, cur);
        }
        next = cur + 1;
        cur = 0;
        closedAny = true;
    }
    // A head that itself ends in "-" is no open run: without a closed number there is nothing to end.
    if (closedAny && endsWithDash()) appendNumber(result, next - 1);
    return result;
}

}  // namespace v5
