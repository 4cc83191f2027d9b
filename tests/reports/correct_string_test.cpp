#include <gtest/gtest.h>

#include "correct_string.h"

namespace v5 {
namespace {

struct Case {
    const char16_t* in;
    const char16_t* out;
};

TEST(CorrectString, CompressesRunsOfTheTrailingList) {
    const Case cases[] = {
        {u"Шлейфы:1,2,3,5,6,9,", u"Шлейфы: 1-3,5-6,9"},
        {u"зона 001 Шлейфы:1,2,3,5,6,", u"зона 001 Шлейфы: 1-3,5-6"},
        {u"x:7,", u"x: 7"},
        {u"x:1,3,5,", u"x: 1,3,5"},
        {u"x:1,3,4,5,", u"x: 1,3-5"},
        {u"x:1,2,3,4,5,6,7,8,9,10,11,12,", u"x: 1-12"},
        {u"x:62,63,64,", u"x: 62-64"},
        {u"1,2,4,", u" 1-2,4"},  // the whole line is a tail
    };
    for (const Case& c : cases)
        EXPECT_EQ(correct_string(QString::fromUtf16(c.in)), QString::fromUtf16(c.out))
            << QString::fromUtf16(c.in).toStdString();
}

TEST(CorrectString, BlanksInTheTailAreSkippedAndOneIsPutBack) {
    EXPECT_EQ(correct_string(QStringLiteral(" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1,2,3,4,")),
              QStringLiteral(" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1-4"));
    // The blank before the number belongs to the tail; the word before it ends the head.
    EXPECT_EQ(correct_string(QStringLiteral("не прошел слот 7,")), QStringLiteral("не прошел слот 7"));
    EXPECT_EQ(correct_string(QStringLiteral("a: 1 , 2 ,")), QStringLiteral("a: 1-2"));
}

TEST(CorrectString, LineWithoutTailComesBackUnchanged) {
    for (const char16_t* line : {u"", u"Шлейфы:", u" Зоны - 3 x", u"abc-", u"связанные зоны: 01, x"})
        EXPECT_EQ(correct_string(QString::fromUtf16(line)), QString::fromUtf16(line));
}

TEST(CorrectString, DigitsAfterTheLastCommaAreDropped) {
    EXPECT_EQ(correct_string(QStringLiteral("x:1,2,3")), QStringLiteral("x: 1-2"));
    EXPECT_EQ(correct_string(QStringLiteral("x:5,17")), QStringLiteral("x: 5"));
    EXPECT_EQ(correct_string(QStringLiteral("x:17")), QStringLiteral("x:"));
    // A tail of blanks only is dropped with nothing put back.
    EXPECT_EQ(correct_string(QStringLiteral("x:   ")), QStringLiteral("x:"));
}

TEST(CorrectString, HeadEndingInADashIsNoOpenRun) {
    // Without a closed number there is no run to end, so nothing like "-1" is appended.
    EXPECT_EQ(correct_string(QStringLiteral("a-  ")), QStringLiteral("a-"));
    EXPECT_EQ(correct_string(QStringLiteral("a-7,8,")), QStringLiteral("a- 7-8"));
}

TEST(CorrectString, HugeNumbersDoNotBreakIt) {
    const QString line = QStringLiteral("x:") + QString(400, QLatin1Char('9')) + QStringLiteral(",1,");
    const QString out = correct_string(line);
    EXPECT_TRUE(out.startsWith(QStringLiteral("x: "))) << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral(",1"))) << out.toStdString();
}

}  // namespace
}  // namespace v5
