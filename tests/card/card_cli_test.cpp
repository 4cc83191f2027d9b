// v5ivez-cli card run as a script runs it: no display, names beside the settings file.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "files/names_file.h"
#include "tests/card/card_image.h"
#include "tests/support/core_application.h"
#include "tests/support/image_builder.h"

namespace v5 {
namespace {

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::CoreApplicationEnvironment);

struct CardRun {
    int status = -1;
    QString err;
};

class CardCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(test::writeAll(path("site.v5"), test::cardImage().toByteArray()));
        ASSERT_FALSE(writeNamesFile(path("site.names.json"), test::cardNames()));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // The program in the test's folder, as on a machine without a display: the session's platform
    // names one that cannot start here.
    CardRun card(const QStringList& args) const {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(V5_CLI), QStringList{QStringLiteral("card")} + args);
        process.waitForFinished(60'000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardError())};
    }
};

TEST_F(CardCliTest, WritesTheCardAsHtmlWithTheNamesBesideTheFile) {
    const CardRun run = card({QStringLiteral("site.v5"), QStringLiteral("-o"), QStringLiteral("card.html")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("v5ivez-cli"))) << run.err.toStdString();
    const QString html = QString::fromUtf8(test::readAll(path("card.html")));
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Карточка объекта: Склад №2</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>Иванов</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Файл настроек: ") + path("site.v5")));
}

TEST_F(CardCliTest, WritesAPdfWithoutADisplay) {
    const CardRun run = card({QStringLiteral("site.v5"), QStringLiteral("-o"), QStringLiteral("card.pdf")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray pdf = test::readAll(path("card.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed: the PDF's text is not read";
    QProcess text;
    text.start(pdftotext, {path("card.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30'000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Склад №2", "ул. Лесная, 5", "Иванов", "Сирена", "060504030201"})
        EXPECT_TRUE(words.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(CardCliTest, ADamagedNamesFileIsAWarningAndTheCardHasNoNames) {
    ASSERT_TRUE(test::writeAll(path("site.names.json"), "{ not json"));
    const CardRun run = card({QStringLiteral("site.v5"), QStringLiteral("-o"), QStringLiteral("card.html")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("warning"))) << run.err.toStdString();
    const QString html = QString::fromUtf8(test::readAll(path("card.html")));
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Карточка объекта</h1>")));
    EXPECT_FALSE(html.contains(QStringLiteral("Иванов")));
}

TEST_F(CardCliTest, FailuresLeaveTheOldCardAndSayWhy) {
    ASSERT_TRUE(test::writeAll(path("card.pdf"), "old"));
    const struct {
        QStringList args;
        int status;
        const char* told;
    } cases[] = {
        {{QStringLiteral("none.v5"), QStringLiteral("-o"), QStringLiteral("card.pdf")}, 1, "cannot read"},
        {{QStringLiteral("site.v5"), QStringLiteral("-o"), QStringLiteral("no/such/card.pdf")},
         1,
         "cannot write"},
        {{QStringLiteral("site.v5"), QStringLiteral("-o"), QStringLiteral("site.v5")}, 2, "overwritten"},
        {{QStringLiteral("site.v5"), QStringLiteral("--pdf")}, 2, "unknown option"},
    };
    for (const auto& c : cases) {
        const CardRun run = card(c.args);
        EXPECT_EQ(run.status, c.status) << c.told;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.told))) << run.err.toStdString();
    }
    EXPECT_EQ(test::readAll(path("card.pdf")), QByteArray("old"));
    EXPECT_EQ(test::readAll(path("site.v5")), test::cardImage().toByteArray());
}

}  // namespace
}  // namespace v5
