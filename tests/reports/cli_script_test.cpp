// v5ivez-cli run as a shell script runs it: redirections, special files, names that are not UTF-8.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/core_application.h"
#include "image/image.h"
#include "tests/support/image_builder.h"
#include "tests/support/small_disk.h"

namespace v5 {
namespace {

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::CoreApplicationEnvironment);

struct ScriptRun {
    int status = -1;
    QByteArray out;
    QString err;
    qint64 ms = 0;
};

class CliScriptTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override { ASSERT_TRUE(test::writeAll(path("site.v5"), Image().toByteArray())); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Runs `script` in sh inside the test's folder, with $CLI naming the program.
    ScriptRun sh(const QString& script) const {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLI"), QStringLiteral(V5_CLI));
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
        process.waitForFinished(60'000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError()),
                timer.elapsed()};
    }
    QByteArray report() const { return sh(QStringLiteral("$CLI report site.v5 -o -")).out; }
};

TEST_F(CliScriptTest, DevicesPipesAndStandardOutputTakeTheTextAndStayWhatTheyAre) {
    const QByteArray expected = report();
    ASSERT_FALSE(expected.isEmpty());

    ScriptRun run = sh(QStringLiteral("$CLI report site.v5 -o /dev/stdout"));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, expected);

    run =
        sh(QStringLiteral("mkfifo pipe && (cat pipe > got &) && $CLI report site.v5 -o pipe && wait; "
                          "sleep 0.2; test -p pipe"));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(path("got")), expected);

    // The system's /dev/null as a device of the test's own, where the system lets root make one.
    const QByteArray null = path("null").toLocal8Bit();
    if (::mknod(null.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        run = sh(QStringLiteral("$CLI report site.v5 -o null && test -c null"));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    }
}

TEST_F(CliScriptTest, StandardOutputThatCannotBeWrittenFailsWithTheReason) {
    const struct {
        const char* script;
        const char* reason;
    } cases[] = {
        {"$CLI info site.v5 >/dev/full", "the disk is full"},
        {"$CLI report site.v5 -o - >/dev/full", "the disk is full"},
        {"$CLI info site.v5 >&-", "it is closed"},
        {"$CLI --help >&-", "it is closed"},
    };
    for (const auto& c : cases) {
        const ScriptRun run = sh(QString::fromLatin1(c.script));
        EXPECT_EQ(run.status, 1) << c.script;
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write to standard output: ") +
                                     QString::fromLatin1(c.reason)))
            << c.script << ": " << run.err.toStdString();
    }
}

TEST_F(CliScriptTest, NamesThatAreNotUtf8OpenAndCreateTheFilesTheyName) {
    // Windows-1251 names, as copied from an old installer's disk.
    const ScriptRun run = sh(QStringLiteral(
        "cp site.v5 \"$(printf '\\317\\340\\360\\352.v5')\" && "
        "$CLI report \"$(printf '\\317\\340\\360\\352.v5')\" -o \"$(printf '\\356\\362.txt')\" && "
        "test -f \"$(printf '\\356\\362.txt')\" && $CLI info \"$(printf '\\317\\340\\360\\352.v5')\""));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Keys: 0"));
    EXPECT_EQ(sh(QStringLiteral("cat \"$(printf '\\356\\362.txt')\"")).out, report());
}

TEST_F(CliScriptTest, FullDiskIsToldAndTheOldOutputStays) {
    test::SmallDisk disk(16);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk needs the superuser";
    // A report is small; the archive export of a full archive is not.
    QByteArray archive = Image().toByteArray();
    for (int i = 0x3000; i < archive.size(); ++i)
        archive[i] = static_cast<char>(i % 7 + 1);
    ASSERT_TRUE(test::writeAll(path("full-archive.v5"), archive));
    const QString out = disk.filePath(QStringLiteral("arj.txt"));
    ASSERT_TRUE(test::writeAll(out, "old export"));
    const ScriptRun run = sh(QStringLiteral("$CLI archive full-archive.v5 -o '%1'").arg(out));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the disk is full"))) << run.err.toStdString();
    EXPECT_EQ(test::readAll(out), QByteArray("old export"));
}

TEST_F(CliScriptTest, DeviceReadRefusesAnOutputItCannotWriteBeforeTouchingThePort) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const struct {
        const char* out;
        const char* reason;
    } cases[] = {{"missing/copy.v5", "no such file or folder"}, {"folder", "it is a folder"}};
    for (const char* command : {"read-chip", "read-panel"}) {
        for (const auto& c : cases) {
            // The port does not exist: had the transfer started, its own error would show.
            const ScriptRun run = sh(QStringLiteral("$CLI %1 --port /dev/v5-no-such-port -o %2")
                                         .arg(QString::fromLatin1(command), QString::fromLatin1(c.out)));
            EXPECT_EQ(run.status, 1) << command << ' ' << c.out;
            EXPECT_TRUE(
                run.err.contains(QString::fromLatin1(c.reason) + QStringLiteral("; nothing was read")))
                << run.err.toStdString();
            EXPECT_FALSE(run.err.contains(QStringLiteral("Ошибка открытия порта"))) << run.err.toStdString();
        }
    }
}

}  // namespace
}  // namespace v5
