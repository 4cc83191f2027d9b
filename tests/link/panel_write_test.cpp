#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "files/backup_file.h"
#include "tests/support/fake_module.h"
#include "tests/support/fake_port.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"
#include "operations/panel_write.h"
#include "tests/support/recording_ui.h"
#include "link/up5_texts.h"
#include "tests/support/virtual_clock.h"

namespace v5 {
namespace {

using Verify = PanelWriteResult::Verify;

// A panel behind the module: "Q" sends its memory, "E" answers ready and stores the configuration
// area it then receives, keeping `keepWrong` inverted when set.
class PanelWriteTest : public ::testing::Test {
protected:
    test::VirtualClock clock;
    test::FakePort port{clock};
    test::FakeModule module{port, clock};
    test::RecordingUi ui;
    TUP5 up5{port, ui, clock};
    QTemporaryDir dir;
    QByteArray panel = test::patternBytes(32768, 1);
    Image::Bytes image{};
    std::optional<qsizetype> keepWrong;
    bool answerReads = true;
    int reads = 0;
    // What the backup file held when the first block of the write arrived.
    std::optional<QByteArray> backupAtFirstBlock;
    QStringList savedBackups;

    void SetUp() override {
        up5.SetPortName(QStringLiteral("COM1"));
        const QByteArray bytes = test::patternBytes(32768, 2);
        std::copy(bytes.begin(), bytes.end(), image.begin());
        module.onCommand['Q'] = [this] {
            ++reads;
            if (answerReads) port.arrive(panel);
        };
        module.onCommand['E'] = [this] { port.arrive("1"); };
        module.onData = [this](const QByteArray&) {
            if (module.command() != 'E') return;
            if (!backupAtFirstBlock)
                backupAtFirstBlock =
                    savedBackups.isEmpty() ? QByteArray() : test::readAll(savedBackups.last());
            if (module.data().size() < 12288) return;
            QByteArray written = module.data();
            if (keepWrong) written[*keepWrong] = static_cast<char>(~written[*keepWrong]);
            panel.replace(0, 12288, written);
        };
    }

    PanelWriteResult write(PanelWriteSteps steps = {}) {
        return writePanelChecked(up5, ui, image, steps, [this](const Image::Bytes& bytes) {
            const BackupWrite backup =
                writePanelBackup(backupFolder(dir.path()), bytes, QDateTime(QDate(2026, 12, 8), QTime(14, 3, 22)));
            savedBackups << backup.path;
            return BackupSaveResult{backup.path,
                                    backup.error ? std::optional(backup.error->detail) : std::nullopt};
        });
    }
    QByteArray sentArea() const { return QByteArray(reinterpret_cast<const char*>(image.data()), 12288); }
    QString commands() const {
        QString sent;
        for (const auto& e : port.eventsOf(test::FakePort::Op::Write))
            if (e.bytes.size() == 1) sent += QChar::fromLatin1(e.bytes[0]);
        return sent;
    }
};

TEST_F(PanelWriteTest, ReadsTheBackupBeforeTheFirstBlockThenWritesAndFindsThePanelHoldingIt) {
    const QByteArray before = panel;
    const PanelWriteResult result = write();
    EXPECT_EQ(commands(), QStringLiteral("QEQ"));
    ASSERT_TRUE(result.written);
    const QString backup = dir.filePath(QStringLiteral("backups/2026-12-08_14-03-22_panel.v5"));
    EXPECT_EQ(result.backupPath, backup);
    EXPECT_EQ(backupAtFirstBlock, before);
    EXPECT_EQ(result.verify, Verify::Passed);
    EXPECT_EQ(panel.left(12288), sentArea());
    // One message for the whole command; every step showed in the labels.
    EXPECT_EQ(ui.messages, QStringList{up5::WritePanelDone() + QLatin1Char('\n') + up5::BackupSaved(backup) +
                                       QLatin1Char('\n') + up5::VerifyDone()});
    EXPECT_TRUE(ui.labels.contains(up5::BackupStep() + up5::ReadPanel()));
    EXPECT_TRUE(ui.labels.contains(up5::WritePanelWriting()));
    EXPECT_TRUE(ui.labels.contains(up5::VerifyStep() + up5::ReadPanel()));
    EXPECT_FALSE(port.IsOpen());

    // A second write in the same second keeps the first copy.
    ASSERT_TRUE(write().written);
    EXPECT_EQ(savedBackups.last(), dir.filePath(QStringLiteral("backups/2026-12-08_14-03-22_panel_2.v5")));
    EXPECT_EQ(test::readAll(backup), before);
}

TEST_F(PanelWriteTest, NothingIsWrittenWhenTheBackupCannotBeReadOrSaved) {
    struct Case {
        const char* name;
        std::function<void()> script;
        QString firstLine;
    };
    const Case cases[] = {
        {"the panel does not send its memory", [this] { answerReads = false; }, up5::ReadPanelError()},
        {"the port cannot be opened", [this] { port.refuseOpen = true; },
         up5::PortOpenFailure(QStringLiteral("COM1"), port.refusal)},
        {"the module does not wake up", [this] { module.wakeReply.reset(); }, up5::NotConnected()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.script();
        const QByteArray before = panel;
        ui.messages.clear();
        const PanelWriteResult result = write();
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(commands().contains(QLatin1Char('E')));
        EXPECT_EQ(panel, before);
        EXPECT_TRUE(result.backupPath.isEmpty());
        EXPECT_EQ(ui.messages, QStringList{c.firstLine + QLatin1Char('\n') + up5::BackupNotRead()});
        answerReads = true;
        port.refuseOpen = false;
        module.wakeReply = 0x71;
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("backups"))).exists());

    // A work folder where the backup cannot be written.
    ASSERT_TRUE(test::writeAll(dir.filePath(QStringLiteral("backups")), "a file, not a folder"));
    ui.messages.clear();
    port.events.clear();
    const PanelWriteResult result = write();
    EXPECT_FALSE(result.written);
    EXPECT_EQ(commands(), QStringLiteral("Q"));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(
        ui.messages.first().startsWith(QStringLiteral("запись не начата: резервная копия не сохранена (")));
}

TEST_F(PanelWriteTest, TheCheckNamesWhatThePanelKeptOtherwiseInPlainTerms) {
    // Loop 3 is a fire loop in what is sent; the panel keeps its type byte inverted.
    const std::size_t typeByte = map::LoopParams.at(2) + 1;
    image[typeByte] = 0x10;
    image[typeByte + 1] = 0x00;
    keepWrong = static_cast<qsizetype>(typeByte);
    const PanelWriteResult result = write();
    EXPECT_TRUE(result.written);
    ASSERT_EQ(result.verify, Verify::Failed);
    ASSERT_FALSE(result.differences.isEmpty());
    EXPECT_EQ(result.differences.first(), QStringLiteral("шлейф 3: тип пожарный → тревожный"));
    ASSERT_EQ(ui.messages.size(), 1);
    const QStringList lines = ui.messages.first().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(0, 4), (QStringList{up5::WritePanelDone(), up5::BackupSaved(result.backupPath),
                                            up5::VerifyFailed(), result.differences.first()}));
    EXPECT_LE(lines.size(), 3 + kShownDifferences + 1);
}

TEST_F(PanelWriteTest, StepsCanBeLeftOutAndAFailedCheckReadIsTold) {
    PanelWriteResult result = write({.backup = false, .verify = false});
    EXPECT_EQ(commands(), QStringLiteral("E"));
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.verify, Verify::NotRun);
    EXPECT_EQ(ui.messages, QStringList{up5::WritePanelDone()});

    port.events.clear();
    ui.messages.clear();
    module.onCommand['E'] = [this] {
        port.arrive("1");
        answerReads = false;  // the panel goes quiet after the write
    };
    result = write({.backup = false, .verify = true});
    EXPECT_EQ(commands(), QStringLiteral("EQ"));
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.verify, Verify::NotRead);
    EXPECT_EQ(ui.messages, QStringList{up5::WritePanelDone() + QLatin1Char('\n') + up5::VerifyNotRead()});
}

TEST_F(PanelWriteTest, CancelDuringTheBackupEndsWithoutWritingOrMessage) {
    answerReads = false;
    ui.onProcessEvents = [this] {
        if (reads > 0 && clock.Now() > 1000) ui.Button1Click();
    };
    const PanelWriteResult result = write();
    EXPECT_FALSE(result.written);
    EXPECT_EQ(commands(), QStringLiteral("Q"));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(port.IsOpen());
}

// A write that breaks off after some blocks says that the panel may hold part of the new configuration
// and names the copy of the old one, also after a cancel, when the progress window shows nothing.
struct BrokenWrite {
    const char* name;
    bool backup;
    bool cancel;  // the user cancels; otherwise the adapter is pulled out
};

class PanelWriteBrokenOffTest : public PanelWriteTest, public ::testing::WithParamInterface<BrokenWrite> {};

TEST_P(PanelWriteBrokenOffTest, SaysThePanelMayHoldAPartialConfigurationAndNamesTheBackup) {
    const BrokenWrite& c = GetParam();
    const QByteArray before = panel;
    module.onData = [&](const QByteArray&) {
        if (module.command() != 'E' || module.data().size() != 10 * 64) return;
        if (c.cancel)
            ui.Button1Click();
        else
            port.unplug();
    };
    const PanelWriteResult result = write({.backup = c.backup, .verify = true});
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.partial);
    EXPECT_EQ(result.cancelled, c.cancel);
    const QString backup = dir.filePath(QStringLiteral("backups/2026-12-08_14-03-22_panel.v5"));
    EXPECT_EQ(result.backupPath, c.backup ? backup : QString());
    QStringList lines{
        c.cancel ? QStringLiteral("запись прошивки Вистан-5 - отменена") : up5::WritePanelError(),
        QStringLiteral("запись прервана после 10 блоков из 192: в приборе может быть неполная "
                       "конфигурация")};
    if (c.backup)
        lines << up5::BackupSaved(backup) << up5::RestoreHint();
    else
        lines << up5::NoBackupToRestore();
    EXPECT_EQ(result.message, lines.join(QLatin1Char('\n')));
    // After a cancel the caller shows it; otherwise the progress window did.
    EXPECT_EQ(ui.messages, c.cancel ? QStringList() : QStringList{result.message});
    if (c.backup) {
        EXPECT_EQ(test::readAll(backup), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PanelWriteBrokenOffTest,
                         ::testing::Values(BrokenWrite{"pulledOut", true, false},
                                           BrokenWrite{"cancelled", true, true},
                                           BrokenWrite{"pulledOutWithoutBackup", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelWriteTest, AWriteThatNeverBeganIsNoPartialWrite) {
    module.onCommand['E'] = [this] { port.arrive("0"); };
    const PanelWriteResult result = write({.backup = false, .verify = true});
    EXPECT_FALSE(result.partial);
    EXPECT_EQ(result.message, up5::WritePanelError());
}

}  // namespace
}  // namespace v5
