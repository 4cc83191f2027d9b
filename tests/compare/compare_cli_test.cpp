#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "files/names_file.h"
#include "tests/support/cli_run.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"

namespace v5 {
namespace {

using test::CliRun;
using test::runCli;

class CompareCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const char* name, const Image& image) const {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(test::writeAll(path, image.toByteArray()));
        return path;
    }
};

TEST_F(CompareCliTest, DiffExitsZeroForEqualFilesOneForDifferentOnesTwoForTrouble) {
    Image a;
    Image b;
    b.setByte(map::LoopParams.at(16) + 1, 0x10);
    const QString fileA = file("a.v5", a), fileB = file("b.v5", b);

    CliRun run = runCli({QStringLiteral("diff"), fileA, file("a2.v5", a)});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.text().isEmpty());

    run = runCli({QStringLiteral("diff"), fileA, fileB});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.text(), QStringLiteral("Шлейфы и группы:\n  шлейф 17: тип охранный → пожарный\n"));

    run = runCli({QStringLiteral("diff"), QStringLiteral("--json"), fileA, fileB});
    EXPECT_EQ(run.status, 1);
    const QJsonArray json = QJsonDocument::fromJson(run.out).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(json.at(0)[QStringLiteral("text")].toString(),
              QStringLiteral("шлейф 17: тип охранный → пожарный"));

    for (const QStringList& args :
         {QStringList{QStringLiteral("diff"), fileA},
          QStringList{QStringLiteral("diff"), fileA, fileB, fileB},
          QStringList{QStringLiteral("diff"), QStringLiteral("--bogus"), fileA, fileB},
          QStringList{QStringLiteral("diff"), fileA, dir.filePath(QStringLiteral("none.v5"))}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        run = runCli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.text().isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_TRUE(runCli({QStringLiteral("diff"), fileA, dir.filePath(QStringLiteral("none.v5"))})
                    .err.contains(QStringLiteral("no such file")));
    EXPECT_EQ(runCli({QStringLiteral("diff"), QStringLiteral("--help")}).status, 0);
}

// The names beside the files name what changed: B's first, A's for what B leaves unnamed. A damaged
// names file is told and the comparison goes on without it.
TEST_F(CompareCliTest, DiffNamesWhatChangedByTheNamesBesideTheFiles) {
    Image a;
    Image b;
    b.setByte(map::LoopParams.at(16) + 1, 0x10);
    b.setByte(map::LoopParams.at(2) + 1, 0x10);
    const QString fileA = file("a.v5", a), fileB = file("b.v5", b);
    SiteNames namesA;
    namesA.loops = {{3, QStringLiteral("Окна кухни")}, {17, QStringLiteral("старое имя")}};
    SiteNames namesB;
    namesB.loops = {{17, QStringLiteral("Склад, \"ворота\"")}};
    ASSERT_FALSE(writeNamesFile(namesPathFor(fileA), namesA));
    ASSERT_FALSE(writeNamesFile(namesPathFor(fileB), namesB));

    CliRun run = runCli({QStringLiteral("diff"), fileA, fileB});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.text(), QStringLiteral("Шлейфы и группы:\n"
                                         "  шлейф 3 «Окна кухни»: тип охранный → пожарный\n"
                                         "  шлейф 17 «Склад, \"ворота\"»: тип охранный → пожарный\n"));
    EXPECT_TRUE(run.err.isEmpty());

    ASSERT_TRUE(test::writeAll(namesPathFor(fileB), QByteArray("{ not json")));
    run = runCli({QStringLiteral("diff"), fileA, fileB});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.text().contains(QStringLiteral("шлейф 17 «старое имя»"))) << run.text().toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("left out"))) << run.err.toStdString();
}

TEST_F(CompareCliTest, CheckExitsOneOnlyForErrors) {
    Image clean;
    CliRun run = runCli({QStringLiteral("check"), file("clean.v5", clean)});
    EXPECT_EQ(run.status, 0);
    // A fresh image is not blank for the modules it does not hold (loops 00 00 00, addresses 00).
    EXPECT_TRUE(run.text().startsWith(QStringLiteral("предупреждение: МШС1: не установлен")))
        << run.text().toStdString();

    Image wrong = clean;
    test::placeModule(wrong, 1, QStringLiteral("МР1"));
    test::placeModule(wrong, 2, QStringLiteral("МР1"));
    run = runCli({QStringLiteral("check"), file("wrong.v5", wrong)});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.text().startsWith(QStringLiteral("ошибка: МР1: стоит в нескольких слотах: 1, 2\n")));

    run = runCli({QStringLiteral("check"), QStringLiteral("--json"), file("wrong.v5", wrong)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(QJsonDocument::fromJson(run.out).array().at(0)[QStringLiteral("severity")].toString(),
              QStringLiteral("error"));

    EXPECT_EQ(runCli({QStringLiteral("check")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("check"), dir.filePath(QStringLiteral("none.v5"))}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("check"), QStringLiteral("--help")}).status, 0);
}

}  // namespace
}  // namespace v5
