#include <gtest/gtest.h>

#include "configuration_report.h"
#include "report_actions.h"
#include "report_fixtures.h"

namespace v5 {
namespace {

const QString kSep = QString(89, QLatin1Char('-'));

// The report as the menu item writes it: through the desktop, to disk, then read back.
class ReportFileTest : public test::MenuActionTest {
protected:
    void load(const Image& image) { desktop.acceptReadImage(image.bytes()); }
    QByteArray writtenReport() {
        mRClick(desktop, viewer, dir.path());
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(viewer.opened, QStringList{dir.filePath(QStringLiteral("report.txt"))});
        return test::readAll(dir.filePath(QStringLiteral("report.txt")));
    }
};

QStringList sounderBlocksOfBlankImage() {
    return {QStringLiteral("СЗО"),
            QStringLiteral("Шлейфы: - нет"),
            kSep,
            QStringLiteral("beeper на ГБ-5"),
            QStringLiteral("Шлейфы: - нет"),
            kSep,
            QStringLiteral("beeper на ВТ-5(1)"),
            QStringLiteral("Шлейфы: - нет"),
            kSep,
            QStringLiteral("beeper на ВТ-5(2)"),
            QStringLiteral("Шлейфы: - нет")};
}

TEST_F(ReportFileTest, BlankImageReportsEverySectionEmpty) {
    QStringList expected = test::textLines({u" Ключей   нет", u" Зон      нет", u" Разделов нет",
                                            u" Связанных зон нет", u" Внутренних модулей нет"});
    expected << kSep << kSep << kSep << kSep << sounderBlocksOfBlankImage();
    EXPECT_EQ(writtenReport(), test::cp1251Lines(expected));
}

TEST_F(ReportFileTest, ConfiguredImageAfterTheSweep) {
    load(test::configuredImage());
    QStringList expected;
    expected
        << QStringLiteral(" Ключи - 7 ") << kSep
        << test::textLines({
               u" 000 Код:060504030201 Зона   001 Номер:001 ",
               u" 002 Код:0FEEDDCCBBAA Раздел 001 Номер:015 ",
               u" 005 Код:000000000010 Монтер     Номер:003 ",
               u" 006 Код:FF0000000000 ГЗ         Номер:001 ",
               u" 007 Код:000000000001 неисп.     Номер:001 ",
               u" 010 Код:000000000003 неисп.     Номер:001 ",
           })
        << kSep << QStringLiteral(" Зоны - 3 ") << kSep
        << test::textLines({u"зона 001 Шлейфы: 1-3,5-6", u"зона 003 Шлейфы: 9-10", u"зона 005 Шлейфы: 9-10"})
        << kSep << QStringLiteral(" Разделы - 1 ") << kSep << QStringLiteral(" 001 Шлейфы: 1-3,5-6,9-10")
        << QString() << QStringLiteral(" Проходные зоны - 3 ") << kSep
        << test::textLines({u" 1 проходная зона 05 связанные зоны: 01, ", u"связанные зоны: 03, 05, ",
                            u"связанные зоны: "})
        << kSep << QStringLiteral(" Внутренние модули - 8 ") << kSep
        << test::textLines({u" 01  модуль шлейфов МШС1", u" 04  модуль шлейфов МШС2",
                            u" 05  модуль реле     МР1", u" 06  модуль реле     МР2",
                            u" 07  модуль доступа  МД1", u" 08  модуль связи    МС3",
                            u" 10  модуль связи    МС4"})
        << kSep << QStringLiteral(" параметры шлейфов ") << kSep
        << test::textLines({
               u"01  пожарный, круглосуточный, тампер, 250мс, задержка 60с, подтверждение 3мин, лимит "
               u"сработок, звук, верификация, выделение сработки, в паре,  Реле:  3(зо постоянно) 5(замок) "
               u"Индикаторы: 2 8 ",
               u"02  контрольный, 1000мс, выделение 2х,  Реле:  3(зо постоянно) 5(замок) Индикаторы: 8 ",
               u"03 отключен",
               u"04  охранный, 60мс,  Реле:  3(зо постоянно) Индикаторы: 8 ",
               u"05  тревожный, 500мс, задержка 30с, ",
               u"06  охранный, 60мс, подтверждение 1мин, ",
               u"07  охранный, 60мс, задержка 90с, подтверждение 2мин, ",
               u"08  охранный, 60мс, ",
               u"09  охранный, 60мс,  Реле:  1(пцн лумо) Индикаторы: 8 ",
               u"10  охранный, 60мс, ",
               u"11 отключен",
               u"12 отключен",
               u"13 отключен",
               u"14 отключен",
               u"15 отключен",
               u"16 отключен",
           })
        << kSep << test::textLines({u" Индикатор 2 -  шлейфы: 1", u" Индикатор 8 -  шлейфы: 1-4,9"}) << kSep
        << test::textLines({
               u" Реле 1(пцн лумо) - шлейфы: 9",
               u" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1-4",
               u" Реле 5(замок)без ограничениятамперы модулей  - шлейфы: 1-2",
               u" Реле 8(неисправность+внимание)тампер ГБ тамперы модулей  - шлейфы: 16",
           })
        << kSep << test::textLines({u" Связь 3 Адрес: 201 - МШС: 1-2", u" Связь 4 - МШС: 2"}) << kSep
        << test::textLines({u"СЗО", u"При неисправности - без ограничения", u"Шлейфы: - нет",
                            u"контроль тампера прибора"})
        << kSep
        << test::textLines({u"beeper на ГБ-5", u"При тревоге - без ограничения",
                            u"При пожаре        : 30 сек.", u"При неисправности : 5 сек.", u"Шлейфы: 1-3",
                            u"дублирует СЗО(тревога)", u"дублирует СЗО(пожар)",
                            u"дублирует СЗО(неисправность)", u"контроль тампера прибора",
                            u"контроль тамперов выносных модулей"})
        << kSep
        << test::textLines({u"beeper на ВТ-5(1)", u"При тревоге       : 1 сек.", u"Шлейфы: 9",
                            u"контроль тамперов выносных модулей"})
        << kSep << test::textLines({u"beeper на ВТ-5(2)", u"Шлейфы: - нет", u"дублирует СЗО(пожар)"});

    const QByteArray written = writtenReport();
    EXPECT_EQ(configurationReport(desktop.image()), expected);  // names the first differing line
    EXPECT_EQ(written, test::cp1251Lines(expected));
}

TEST(ConfigurationReport, UnknownKeyAssignmentIsCountedButNotListed) {
    Image image;
    const auto key = image.record(map::KeyRecords, 4);
    key[0] = 0x77;
    key[6] = 0x90;
    const QStringList report = configurationReport(image);
    EXPECT_EQ(report.mid(0, 3), (QStringList{QStringLiteral(" Ключи - 1 "), kSep, kSep}));
}

}  // namespace
}  // namespace v5
