#include <gtest/gtest.h>

#include "reports/correct_string.h"
#include "reports/format_text.h"
#include "tests/support/random_image.h"
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

// The list made from the mask's runs is what correct_string makes of the spelled-out list, after every
// kind of head the exports put before one: a colon, blanks, a dash, digits and commas of its own.
TEST(CompressedLoopList, EqualsCorrectStringOfTheFullList) {
    const char16_t* heads[] = {u"Шлейфы:", u" Индикатор 3 -  шлейфы: ", u"", u"   ", u"abc-", u"a- ",
                               u"зона 007 Шлейфы:", u"слот 12,", u"x 5", u"x,", u"9, 10 "};
    std::vector<LoopMask> masks = {LoopMask(), LoopMask(1), LoopMask(~std::uint64_t{0}),
                                   LoopMask(std::uint64_t{1} << 63), LoopMask(0x5555555555555555u),
                                   LoopMask(0xC000000000000003u), LoopMask(0x8000000000000001u),
                                   LoopMask(0x7FFFFFFFFFFFFFFEu)};
    test::RandomBytes random(7);
    for (int i = 0; i < 200; ++i)
        masks.push_back(random.sparseMask(1 + i % 8));
    for (const char16_t* head : heads)
        for (const LoopMask mask : masks) {
            QString spelled = QString::fromUtf16(head);
            appendLoopList(spelled, mask);
            QString built = QString::fromUtf16(head);
            appendCompressedLoopList(built, mask);
            EXPECT_EQ(built, correct_string(spelled)) << spelled.toStdString();
        }
}

TEST(AppendPadded, MatchesPrintfPrecision) {
    const std::pair<std::uint64_t, int> cases[] = {{0, 4}, {7, 4}, {1279, 4}, {12345, 4}, {0, 1},
                                                   {255, 3}, {5, 0}, {65536, 6}, {18446744073709551615u, 25}};
    for (const auto& [value, digits] : cases) {
        QString text = QStringLiteral("x");
        appendPadded(text, value, digits);
        char expected[64];
        std::snprintf(expected, sizeof expected, "x%.*llu", digits, static_cast<unsigned long long>(value));
        EXPECT_EQ(text, QString::fromLatin1(expected)) << value << " " << digits;
    }
}

}  // namespace
}  // namespace v5
