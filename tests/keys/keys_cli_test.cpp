#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/cli_run.h"
#include "tests/keys/key_desktop.h"
#include "image/tables.h"

namespace v5 {
namespace {

using test::CliRun;
using test::runCli;

class KeysCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file;

    void SetUp() override {
        Image image;
        test::placeModule(image, 1, QStringLiteral("МШС1"));
        setZonaMask(image, 3, test::loops({2}));
        setZonaMask(image, 4, test::loops({9}));  // МШС2 is not in the rack: zone 4 has no loops
        test::storeKey(image, 0, test::printedCode(0xABCDEF012345), 0x02, 4);
        test::storeKey(image, 1, test::printedCode(0x000000000001), 0xFA);
        test::storeKey(image, 2, test::printedCode(0x00000000BEEF), 0x03);
        file = dir.filePath(QStringLiteral("site.v5"));
        ASSERT_TRUE(test::writeAll(file, image.toByteArray()));
    }
};

TEST_F(KeysCliTest, ListsTheKeysAsTheWindowDoes) {
    const CliRun byNumber = runCli({QStringLiteral("keys"), file});
    EXPECT_EQ(byNumber.status, 0) << byNumber.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(byNumber.out),
              QStringLiteral("Ключ 001 - abcdef012345   зона  003       005\n"
                             "Ключ 002 - 000000000001   монтер          001\n"
                             "Ключ 003 - 00000000beef                   001\n"));

    // The list of the window after loading the same file.
    test::KeyDesktop window;
    window.prompts.openAnswers.push_back(file);
    window.desktop.mnLoadClick();
    const struct {
        const char* by;
        void (KeyListPane::*order)();
    } orders[] = {{"number", &KeyListPane::btnNmbClick},
                  {"zone", &KeyListPane::btnZonaClick},
                  {"unused", &KeyListPane::btnEmptyClick}};
    window.list().N22Click();
    for (const auto& o : orders) {
        (window.list().*o.order)();
        QString expected;
        for (const auto& line : window.list().lines())
            expected += line.text + QLatin1Char('\n');
        const CliRun run =
            runCli({QStringLiteral("keys"), QStringLiteral("--by"), QString::fromLatin1(o.by), file});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(QString::fromUtf8(run.out), expected) << o.by;
    }

    const CliRun cp1251 = runCli({QStringLiteral("keys"), file, QStringLiteral("--cp1251"),
                                  QStringLiteral("--by"), QStringLiteral("unused")});
    EXPECT_EQ(cp1251.out, QByteArray("\xCA\xEB\xFE\xF7 003 - 00000000beef                   001\r\n"));
}

TEST_F(KeysCliTest, CsvForASpreadsheet) {
    const CliRun run = runCli({QStringLiteral("keys"), QStringLiteral("--csv"), file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(QString::fromUtf8(run.out), QStringLiteral("number,code,assignment,spi_number,owner,note\n"
                                                         "1,abcdef012345,зона 3,5,,\n"
                                                         "2,000000000001,монтер,1,,\n"
                                                         "3,00000000beef,,1,,\n"));
}

TEST_F(KeysCliTest, WrongUsageAndUnreadableFiles) {
    const struct {
        QStringList args;
        int status;
        const char* says;
    } cases[] = {
        {{QStringLiteral("keys")}, 2, "which settings file?"},
        {{QStringLiteral("keys"), file, QStringLiteral("--by"), QStringLiteral("code")}, 2, "--by takes"},
        {{QStringLiteral("keys"), dir.filePath(QStringLiteral("none.v5"))},
         1,
         "cannot read the settings file"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.says;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
}  // namespace v5
