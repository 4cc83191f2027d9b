#include <gtest/gtest.h>

#include "reports/correct_string.h"
#include "tests/reports/report_fixtures.h"

namespace v5 {
namespace {

TEST(CorrectString, CompressesTheTrailingList) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"Шлейфы:1,2,3,5,6,9,", u"Шлейфы: 1-3,5-6,9"},
        {u"x:7,", u"x: 7"},
        {u"x:1,3,4,5,", u"x: 1,3-5"},
        {u"x:9,10,11,12,", u"x: 9-12"},
        {u"1,2,4,", u" 1-2,4"},  // the whole line is a tail
        // Blanks inside the tail are skipped, and one is put back before the list.
        {u" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1,2,3,4,",
         u" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1-4"},
        {u"не прошел слот 7,", u"не прошел слот 7"},
        // Digits after the last comma are dropped; a tail of blanks goes with nothing put back.
        {u"x:1,2,3", u"x: 1-2"},
        {u"x:17", u"x:"},
        {u"x:   ", u"x:"},
        // Lines without a tail come back unchanged, also one ending in a dash (no "-1" is made up).
        {u"", u""},
        {u"Шлейфы:", u"Шлейфы:"},
        {u"abc-", u"abc-"},
        {u"a-  ", u"a-"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(correct_string(QString::fromUtf16(in)), QString::fromUtf16(out));
}

TEST(CorrectString, HugeNumbersDoNotBreakIt) {
    const QString out =
        correct_string(QStringLiteral("x:") + QString(400, QLatin1Char('9')) + QStringLiteral(",1,"));
    EXPECT_TRUE(out.startsWith(QStringLiteral("x: ")) && out.endsWith(QStringLiteral(",1")))
        << out.toStdString();
}

}  // namespace
}  // namespace v5
