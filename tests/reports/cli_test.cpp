#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>

#include "tests/support/cli_run.h"
#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"
#include "reports/report_actions.h"
#include "tests/reports/report_fixtures.h"

namespace v5 {
namespace {

using test::CliRun;
using test::runCli;

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QString settingsFile(const Image& image, const char* name = "config.v5") const {
        const QString file = path(name);
        EXPECT_TRUE(test::writeAll(file, image.toByteArray()));
        return file;
    }

    // What the window writes: open the file through the load dialog, then the menu item.
    QByteArray windowExport(const QString& file, void (*action)(Desktop&, TextViewer&, const QString&),
                            const QString& outName) {
        test::ScriptedPrompts prompts;
        Desktop desktop(prompts, dir.path());
        installPanes(desktop);
        prompts.openAnswers.push_back(file);
        desktop.mnLoadClick();
        test::RecordingViewer viewer;
        const QString folder = dir.filePath(QStringLiteral("window"));
        QDir(dir.path()).mkpath(QStringLiteral("window"));
        action(desktop, viewer, folder);
        EXPECT_TRUE(prompts.messages.isEmpty());
        return test::readAll(QDir(folder).filePath(outName));
    }
};

TEST_F(CliTest, ExportsAreWhatTheWindowWritesAfterLoadingTheFile) {
    const QString file = settingsFile(test::configuredImage());
    const struct {
        const char* command;
        void (*menuItem)(Desktop&, TextViewer&, const QString&);
        const char* fileName;
    } exports[] = {{"report", &mRClick, "report.txt"}, {"archive", &mArjClick, "arj.txt"}};
    for (const auto& e : exports) {
        const QString command = QString::fromLatin1(e.command);
        const QByteArray window = windowExport(file, e.menuItem, QString::fromLatin1(e.fileName));
        ASSERT_FALSE(window.isEmpty());

        const CliRun toFile = runCli({command, file, QStringLiteral("-o"), path("out.txt")});
        EXPECT_EQ(toFile.status, 0) << toFile.err.toStdString();
        EXPECT_EQ(test::readAll(path("out.txt")), window) << e.command;

        const CliRun toStdout = runCli({command, QStringLiteral("-o"), QStringLiteral("-"), file});
        EXPECT_EQ(toStdout.status, 0);
        EXPECT_EQ(toStdout.out, window) << e.command;

        const CliRun utf8 =
            runCli({command, file, QStringLiteral("--utf8"), QStringLiteral("-o"), QStringLiteral("-")});
        EXPECT_EQ(utf8.status, 0);
        QString windowText = QStringDecoder("windows-1251").decode(window);
        windowText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(QString::fromUtf8(utf8.out), windowText) << e.command;
    }
}

TEST_F(CliTest, DefaultOutputIsInTheCurrentFolder) {
    const QString file = settingsFile(Image());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const CliRun report = runCli({QStringLiteral("report"), file});
    const CliRun archive = runCli({QStringLiteral("archive"), file});
    QDir::setCurrent(previous);
    EXPECT_EQ(report.status, 0);
    EXPECT_EQ(archive.status, 0);
    EXPECT_TRUE(
        test::readAll(path("report.txt")).startsWith(test::cp1251Lines({QStringLiteral(" Ключей   нет")})));
    EXPECT_TRUE(QFileInfo::exists(path("arj.txt")));
    EXPECT_EQ(QFileInfo(path("arj.txt")).size(), 0);
}

TEST_F(CliTest, UnreadableFileOrUnwritableOutputFailsWithAMessage) {
    ASSERT_TRUE(test::writeAll(path("short.v5"), QByteArray(32767, '\0')));
    QDir(dir.path()).mkdir(QStringLiteral("folder.v5"));
    for (const char* name : {"short.v5", "missing.v5", "folder.v5"}) {
        for (const char* command : {"report", "archive", "info"}) {
            QStringList args{QString::fromLatin1(command), path(name)};
            if (QByteArray(command) != "info") args << QStringLiteral("-o") << path("out");
            const CliRun run = runCli(args);
            EXPECT_EQ(run.status, 1) << command << ' ' << name;
            EXPECT_TRUE(run.err.contains(path(name))) << run.err.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(path("out"))) << "nothing is written on failure";

    const CliRun run =
        runCli({QStringLiteral("report"), settingsFile(Image()), QStringLiteral("-o"), path("folder.v5")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(path("folder.v5")));
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const QString file = settingsFile(Image());
    const QByteArray original = test::readAll(file);
    ASSERT_TRUE(QFile::link(file, path("other-name.v5")));
    const QString o = QStringLiteral("-o");
    const QStringList wrong[] = {
        {QStringLiteral("report"), file, o, path("a.txt"), o, path("b.txt")},
        {QStringLiteral("archive"), file, QStringLiteral("--utf8"), QStringLiteral("--utf8")},
        {QStringLiteral("report"), file, o, path("a.txt"), QStringLiteral("--output"), path("b.txt")},
        {QStringLiteral("report"), file, o, file},
        {QStringLiteral("archive"), file, o, path("other-name.v5")},
        {QStringLiteral("report"), QStringLiteral("--"), file, o, path("a.txt")},
        {QStringLiteral("read-chip"), QStringLiteral("--port"), QStringLiteral("COM1"),
         QStringLiteral("--port=COM2"), o, path("a.v5")},
        {QStringLiteral("read-panel"), QStringLiteral("--port"), QStringLiteral("COM1"), o, path("a.v5"), o,
         path("b.v5")},
        {QStringLiteral("report")},
        {QStringLiteral("report"), file, QStringLiteral("-o")},
        {QStringLiteral("report"), file, QStringLiteral("--bogus")},
        {QStringLiteral("archive"), file, file},
        {QStringLiteral("info")},
        {QStringLiteral("info"), file, file},
        {QStringLiteral("info"), file, QStringLiteral("--utf8")},
        {QStringLiteral("nosuchcommand")},
    };
    for (const QStringList& args : wrong) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(test::readAll(file), original) << "the settings file is never the output";
    EXPECT_FALSE(QFileInfo::exists(path("a.txt")));
}

TEST_F(CliTest, DoubleDashLetsANameThatLooksLikeAnOptionThrough) {
    const QString odd = settingsFile(Image(), "-odd.v5");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const CliRun report = runCli({QStringLiteral("report"), QStringLiteral("-o"), QStringLiteral("out.txt"),
                                  QStringLiteral("--"), QStringLiteral("-odd.v5")});
    const CliRun info = runCli({QStringLiteral("info"), QStringLiteral("--"), QStringLiteral("-odd.v5")});
    QDir::setCurrent(previous);
    EXPECT_EQ(report.status, 0) << report.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("out.txt")));
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QFileInfo(odd).fileName()));
}

TEST_F(CliTest, EveryCommandHasHelp) {
    for (const char* command : {"report", "archive", "info"}) {
        const CliRun run = runCli({QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.startsWith("Usage: v5ivez-cli " + QByteArray(command))) << run.out.toStdString();
    }
}

TEST_F(CliTest, InfoSummarisesTheConfigurationAsLoaded) {
    Image image = test::configuredImage();
    image.setWordLE(map::AccessCode.offset, 0x1234);
    image.setWordLE(map::ExtModules.offset, 0x0211);  // МДВ1, БИ1, МК2
    image.setByte(map::OptionByte.offset, 0x05);
    image.record(map::Archive, 9)[5] = 0xFF;  // never written, not counted
    const CliRun run = runCli({QStringLiteral("info"), settingsFile(image)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    for (const QString& line :
         {QStringLiteral("  slot  1  МШС1\n"), QStringLiteral("  slot  9  unknown module kind 7\n"),
          QStringLiteral("  slot 10  МС4\n"), QStringLiteral("Keys: 7\n"), QStringLiteral("Zones: 3\n"),
          QStringLiteral("Partitions: 1\n"), QStringLiteral("Pass-through zones: 3\n"),
          QStringLiteral("Relays in use: 4\n"), QStringLiteral("Indicators in use: 2\n"),
          QStringLiteral("Access code: 1234\n"), QStringLiteral("External modules: МДВ1, БИ1, МК2\n"),
          QStringLiteral("Options: auto-arming, external 12 V only\n"),
          QStringLiteral("Archive records: 5\n")})
        EXPECT_TRUE(out.contains(line)) << line.toStdString() << "\nin:\n" << out.toStdString();
}

}  // namespace
}  // namespace v5
