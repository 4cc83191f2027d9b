// v5ivez-cli against v5ivez-sim over a real pseudo-terminal.

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/core_application.h"
#include "tests/support/fake_module.h"
#include "image/image.h"
#include "tests/support/image_builder.h"

namespace v5 {
namespace {

// Generous: a loaded two-core machine runs these next to the builds.
constexpr int kStartTimeoutMs = 30'000;
constexpr int kTransferTimeoutMs = 180'000;

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new test::CoreApplicationEnvironment);

// The simulator in a child process; its log goes to a file that a failing test prints.
class Simulator {
public:
    Simulator(const QString& folder, const QStringList& args) : log_(folder + QStringLiteral("/sim.log")) {
        process_.setStandardErrorFile(log_);
        process_.start(QStringLiteral(V5_SIM), args);
        QDeadlineTimer deadline(kStartTimeoutMs);
        while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(100);
        path = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~Simulator() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(10'000)) process_.kill();
            process_.waitForFinished(10'000);
        }
    }
    bool endsByItself() { return process_.waitForFinished(kStartTimeoutMs); }
    QString log() const { return QString::fromUtf8(test::readAll(log_)); }

    QString path;

private:
    QString log_;
    QProcess process_;
};

struct CliRun {
    int exitCode = -1;
    QString err;
    qint64 ms = 0;
};

// A running v5ivez-cli, for the cases that act on it while it works.
class Cli {
public:
    explicit Cli(const QStringList& args) {
        timer_.start();
        process_.start(QStringLiteral(V5_CLI), args);
    }
    ~Cli() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10'000);
        }
    }
    // Waits until standard error holds `text`.
    bool waitFor(const QString& text) {
        QDeadlineTimer deadline(kStartTimeoutMs);
        while (!err_.contains(text) && !deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(100);
            err_ += QString::fromUtf8(process_.readAllStandardError());
        }
        return err_.contains(text);
    }
    void interrupt() { ::kill(static_cast<pid_t>(process_.processId()), SIGINT); }
    CliRun finish() {
        const bool done = process_.waitForFinished(kTransferTimeoutMs);
        err_ += QString::fromUtf8(process_.readAllStandardError());
        CliRun run{done && process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1, err_,
                   timer_.elapsed()};
        return run;
    }

private:
    QProcess process_;
    QElapsedTimer timer_;
    QString err_;
};

CliRun cli(const QStringList& args) {
    return Cli(args).finish();
}

class EndToEndTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString saved(const char* name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::writeAll(file(name), bytes));
        return file(name);
    }
    void TearDown() override {
        if (HasFailure() && sim) std::cerr << "simulator log:\n" << sim->log().toStdString();
    }
    void start(const QStringList& args) {
        sim = std::make_unique<Simulator>(dir.path(), args);
        ASSERT_TRUE(sim->path.startsWith(QStringLiteral("/dev/"))) << sim->path.toStdString();
    }
    QStringList with(const char* command, const QStringList& rest) const {
        return QStringList{QString::fromLatin1(command), QStringLiteral("--port"), sim->path} + rest;
    }
    std::unique_ptr<Simulator> sim;
};

TEST_F(EndToEndTest, ChipReadsBackWhatWasWrittenToIt) {
    const QByteArray chip = test::patternBytes(32768, 1);
    const QByteArray image = test::patternBytes(32768, 2);
    start({QStringLiteral("--unpaced"), QStringLiteral("--chip"), saved("chip.v5", chip)});

    CliRun run = cli(with("read-chip", {QStringLiteral("-o"), file("first.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("чтение 24c256 - успешно")));
    EXPECT_EQ(test::readAll(file("first.v5")), chip);

    run = cli(with("write-chip", {QStringLiteral("--force"), saved("image.v5", image)}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("запись 24c256 - успешно")));

    run = cli(with("read-chip", {QStringLiteral("-o"), file("second.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(file("second.v5")), image);
}

TEST_F(EndToEndTest, PanelTakesTheConfigurationAreaAndKeepsItsArchive) {
    const QByteArray panel = test::patternBytes(32768, 3);
    const QByteArray image = test::patternBytes(32768, 4);
    start({QStringLiteral("--unpaced"), QStringLiteral("--panel"), saved("panel.v5", panel)});

    CliRun run = cli(with("read-panel", {QStringLiteral("-o"), file("first.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("чтение прошивки Вистан-5 - успешно")));
    EXPECT_EQ(test::readAll(file("first.v5")), panel);

    run = cli(with("write-panel",
                   {QStringLiteral("--force"), QStringLiteral("--no-backup"), saved("image.v5", image)}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("запись прошивки Вистан-5 - успешно")));

    run = cli(with("read-panel", {QStringLiteral("-o"), file("second.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(file("second.v5")), image.left(0x3000) + panel.mid(0x3000));
}

TEST_F(EndToEndTest, PanelWriteKeepsABackupOfThePanelAndChecksWhatItHoldsAfterwards) {
    const QByteArray panel = test::patternBytes(32768, 3);
    const QByteArray image = test::patternBytes(32768, 4);
    start({QStringLiteral("--unpaced"), QStringLiteral("--panel"), saved("panel.v5", panel)});
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(V5_CLI),
                  with("write-panel", {QStringLiteral("--force"), saved("image.v5", image)}));
    ASSERT_TRUE(process.waitForFinished(kTransferTimeoutMs));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    ASSERT_EQ(process.exitCode(), 0) << err.toStdString();
    // The site's backups beside its settings file.
    const QStringList backups = QDir(dir.filePath(QStringLiteral("image.backups"))).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_panel\\.v5$"))
                    .match(backups.first())
                    .hasMatch())
        << backups.first().toStdString();
    EXPECT_EQ(test::readAll(dir.filePath(QStringLiteral("image.backups/")) + backups.first()), panel);
    EXPECT_TRUE(err.contains(QStringLiteral("резервная копия: чтение прошивки Вистан-5\n")));
    EXPECT_TRUE(err.contains(QStringLiteral("проверка записи: чтение прошивки Вистан-5\n")));
    EXPECT_TRUE(err.endsWith(QStringLiteral("запись прошивки Вистан-5 - успешно\nрезервная копия: ") +
                             dir.filePath(QStringLiteral("image.backups/")) + backups.first() +
                             QStringLiteral("\nпроверка записи - успешно\n")))
        << err.toStdString();
}

TEST_F(EndToEndTest, PanelWriteCheckCatchesAByteThePanelDidNotTake) {
    Image image;
    image.setByte(map::LoopParams.at(16) + 1, 0x10);  // loop 17: a fire loop
    start({QStringLiteral("--unpaced"), QStringLiteral("--corrupt-write"),
           QString::number(map::LoopParams.at(16) + 1)});
    const CliRun run =
        cli(with("write-panel", {QStringLiteral("--no-backup"), saved("image.v5", image.toByteArray())}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("запись прошивки Вистан-5 - успешно\nпроверка записи - ошибка")))
        << run.err.toStdString();
    // 0x10 inverted is 0xEF: type code 10, the two top bits and bits 3..0 set.
    EXPECT_TRUE(run.err.contains(QStringLiteral("\nшлейф 17: тип пожарный → тревожный\n")))
        << run.err.toStdString();
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("image.backups"))).exists());
}

// The check before a write: errors stop both writes before the port is opened; --force writes.
TEST_F(EndToEndTest, WritesRefuseAFileWithErrorsUnlessForced) {
    const QByteArray panel = test::patternBytes(32768, 3);
    start({QStringLiteral("--unpaced"), QStringLiteral("--panel"), saved("panel.v5", panel)});
    Image image;
    test::placeModule(image, 1, QStringLiteral("МШС1"));
    test::placeModule(image, 2, QStringLiteral("МШС1"));
    const QString path = saved("image.v5", image.toByteArray());
    QProcess process;
    process.setWorkingDirectory(dir.path());
    for (const char* command : {"write-panel", "write-chip"}) {
        process.start(QStringLiteral(V5_CLI), with(command, {path}));
        ASSERT_TRUE(process.waitForFinished(kTransferTimeoutMs));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << command;
        EXPECT_TRUE(
            err.contains(QStringLiteral("the check found errors in %1; nothing was written").arg(path)))
            << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("\n  ошибка: МШС1: стоит в нескольких слотах: 1, 2\n")))
            << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("запись прошивки"))) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("запись 24c256"))) << err.toStdString();
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("image.backups"))).exists());
    CliRun run = cli(with("read-panel", {QStringLiteral("-o"), file("after.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(file("after.v5")), panel);

    run = cli(with("write-panel", {QStringLiteral("--force"), QStringLiteral("--no-backup"), path}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("the check of %1 found:\n  ошибка: МШС1").arg(path)))
        << run.err.toStdString();
    run = cli(with("read-panel", {QStringLiteral("-o"), file("forced.v5")}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(file("forced.v5")).left(0x3000), image.toByteArray().left(0x3000));
}

TEST_F(EndToEndTest, AModuleThatDoesNotWakeUpFailsEveryCommandAndLeavesNoFile) {
    start({QStringLiteral("--unpaced"), QStringLiteral("--no-wake-up")});
    for (const char* command : {"read-chip", "read-panel"}) {
        const CliRun run = cli(with(command, {QStringLiteral("-o"), file("out.v5")}));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("УП - 5 не подключен \n"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(file("out.v5")));
    }
    const CliRun run =
        cli(with("write-panel", {QStringLiteral("--force"), saved("image.v5", test::patternBytes(32768))}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("УП - 5 не подключен \nзапись не начата")));
}

TEST_F(EndToEndTest, AChipReadWithABadStatusFailsAndWritesNothing) {
    start({QStringLiteral("--unpaced"), QStringLiteral("--bad-status")});
    ASSERT_TRUE(test::writeAll(file("out.v5"), "previous"));
    const CliRun run = cli(with("read-chip", {QStringLiteral("-o"), file("out.v5")}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("чтение 24c256 - ошибка"))) << run.err.toStdString();
    EXPECT_EQ(test::readAll(file("out.v5")), QByteArray("previous"));
}

TEST_F(EndToEndTest, AnUnpluggedModuleEndsTheTransferAtOnce) {
    start({QStringLiteral("--unpaced"), QStringLiteral("--hang-up-after"), QStringLiteral("20000")});
    const CliRun run = cli(with("read-panel", {QStringLiteral("-o"), file("out.v5")}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("чтение прошивки Вистан-5 - ошибка")))
        << run.err.toStdString();
    // Not the panel read's ten-minute budget.
    EXPECT_LT(run.ms, 60'000);
    EXPECT_FALSE(QFile::exists(file("out.v5")));
    EXPECT_TRUE(sim->endsByItself());
}

TEST_F(EndToEndTest, AStalledLineEndsTheChipWriteWithItsOwnMessage) {
    // The terminal takes some 18 KiB before the program's writes find no room; from then on each write
    // gives up after about a second, and the first one that does ends the transfer.
    start({QStringLiteral("--unpaced"), QStringLiteral("--stall-after"), QStringLiteral("65")});
    const CliRun run =
        cli(with("write-chip", {QStringLiteral("--force"), saved("image.v5", test::patternBytes(32768, 6))}));
    std::cout << "write-chip on a stalled line failed after " << run.ms << " ms\n";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("запись 24c256 - ошибка"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("stalled"))) << run.err.toStdString();
    EXPECT_LT(run.ms, 60'000);
}

TEST_F(EndToEndTest, CtrlCCancelsClosesThePortAndWritesNothing) {
    // Paced, so that the read is still running when it is interrupted.
    start({QStringLiteral("--chip"), saved("chip.v5", test::patternBytes(32768, 5))});
    Cli reading(with("read-panel", {QStringLiteral("-o"), file("out.v5")}));
    ASSERT_TRUE(reading.waitFor(QStringLiteral("10%")));
    reading.interrupt();
    const CliRun run = reading.finish();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cancelled"))) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("ошибка")));
    EXPECT_FALSE(QFile::exists(file("out.v5")));

    // The port is free again.
    const CliRun next = cli(with("read-chip", {QStringLiteral("-o"), file("chip-copy.v5")}));
    EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
    EXPECT_EQ(test::readAll(file("chip-copy.v5")), test::patternBytes(32768, 5));
}

TEST_F(EndToEndTest, APortInUseCannotBeOpenedASecondTime) {
    start({});
    Cli first(with("read-chip", {QStringLiteral("-o"), file("first.v5")}));
    ASSERT_TRUE(first.waitFor(QStringLiteral("10%")));
    const CliRun second = cli(with("read-chip", {QStringLiteral("-o"), file("second.v5")}));
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(QStringLiteral("Ошибка открытия порта \n"))) << second.err.toStdString();
    EXPECT_EQ(first.finish().exitCode, 0);
    EXPECT_TRUE(QFile::exists(file("first.v5")));
    EXPECT_FALSE(QFile::exists(file("second.v5")));
}

TEST_F(EndToEndTest, UsageErrorsExitWithTwoAndTouchNoDevice) {
    EXPECT_EQ(cli({QStringLiteral("read-chip"), QStringLiteral("-o"), file("x.v5")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("read-panel"), QStringLiteral("--port"), QStringLiteral("COM1")}).exitCode,
              2);
    EXPECT_EQ(cli({QStringLiteral("write-chip"), QStringLiteral("--port"), QStringLiteral("COM1")}).exitCode,
              2);
    EXPECT_EQ(cli({QStringLiteral("write-panel"), QStringLiteral("--bogus")}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("read-chip"), QStringLiteral("--help")}).exitCode, 0);
    // A settings file that cannot be read is a failed command, not a usage error.
    const CliRun missing = cli(
        {QStringLiteral("write-chip"), QStringLiteral("--port"), QStringLiteral("COM1"), file("none.v5")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Ошибка чтения")));
}

}  // namespace
}  // namespace v5
