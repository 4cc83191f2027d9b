#include <gtest/gtest.h>

#include <QCryptographicHash>

#include "reports/configuration_report.h"
#include "tests/support/random_image.h"
#include "reports/report_actions.h"
#include "tests/reports/report_fixtures.h"

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

// Digests of the report of random images 1..40, as the report read the image before it read the
// configuration model. A change here changes what installers have on paper: it must be deliberate.
// (The digests belong to randomImage(); a change of the generator means new digests, taken from a
// report known to be right.)
TEST(ConfigurationReport, RandomImagesKeepTheirReport) {
    static constexpr const char* kDigests[] = {
        "69bd7a4baa939e71a5689dbc11e2fed6c9c8cee6", "61f6d78e00baeb26f22860423d3777b3eaf2a3cc",
        "26876c20830829bceb6310a77a855cb41c228e5a", "6df938e1a0963872f8f4c8ef1fb7cb75a4b15e5e",
        "c4a188991ee9030f7b50a4636202ef6e65d87852", "48d73446bc85bd78080f54b99d0024b500138beb",
        "1b8f080af336430bff2778e97eadadf9fffafb5b", "cab767692844d8d7af15d4b8ce6ec971b1de9819",
        "d8aa46690a589d8159a7fbfb18977c6c48bc8791", "1aa50f93b5afd7856fd23a10699712726f19d3fb",
        "0da5532d4a956cda5362cb3ce49eb7e1fdff7db3", "c96615b02e5521c7aa79ce7927f58747b68b5f7d",
        "b3d08c78b168414a0af2a5f700838a2f98bb9d89", "d720d32ce7d196e72f784470e8267c745c2ad7ab",
        "9a8ec79316e6a58c262967907ec4934371ad8a7d", "2514d32ce0e4c0f1dd0fcee7541ce348c4a478fe",
        "a92614e9670783b124ed6e1511c48c27def9443c", "dbe601c1f32cd29e561e62ff3d396fbb601573b3",
        "01ed74a4597120ad29e91da7215d56fcbe0e0d5e", "4103da6d4c7c483ead332cc23388c3b246823c78",
        "180d63ba7f395e8ed63c19aae497c984ba2e53b4", "96ee7b91d597550843837757997153dd38b6c1b7",
        "9a157eb2fe5dc2fa57a0675fe4b317638c2027e7", "4105b5f85dfa64e43aff1fe7b822dfa8043371f3",
        "650959657112a9f066a9da5987732e2f2b008449", "b471733c1ef60fde9a7f8e5aae2507410b05d3bd",
        "868df8be034ab454baa778b2fd1ff5300261c400", "8b1ac4074f361819fc46efcb1ebd1451779bdd92",
        "0f34fe86e036e55d4461828bab7ec831ba3c67f4", "24c086b741ba3a5b18cdecbec9a9f21cb4d0ba7f",
        "a8773c644786d47b4dd95b487e6c1be2b1074d05", "2e4f0e1109b6102076cebaaf22716090d699aa1d",
        "eb165f55b5424bc6e00a434c39548cfabbd39e26", "f7170a7261e81f11d49ebe42fce4e38e06cbc333",
        "746be07f59643ff033d47e57f371b1725f88e70c", "ce1d4f489aaa446eab48a20e0c95ff8df572f3e5",
        "1f53c87fcdc70a28fd4d05819887524181f33470", "b306620710c489bf891628487df2f4c5665778d8",
        "0cef928df3eeb2996be12981839bf1cdadadf491", "93319f88c42fa56e1d610bbdcc9273d400ef7696",
    };
    for (std::uint32_t seed = 1; seed <= std::size(kDigests); ++seed) {
        const QByteArray text = configurationReport(test::randomImage(seed)).join(QLatin1Char('\n')).toUtf8();
        EXPECT_EQ(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex(), kDigests[seed - 1])
            << "random image " << seed;
    }
}

}  // namespace
}  // namespace v5
