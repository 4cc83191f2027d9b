#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "files/messages.h"
#include "files/port_file.h"
#include "files/settings_file.h"
#include "tests/support/small_disk.h"

namespace v5 {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray patterned(qsizetype size) const {
        QByteArray bytes(size, '\0');
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 256);
        bytes[0x2CF9] = 0;
        bytes[0x2CFA] = 0;
        return bytes;
    }
    bool load(const QString& file) {
        prompts.openAnswers.push_back(file);
        const qsizetype before = prompts.messages.size();
        desktop.mnLoadClick();
        return prompts.messages.size() == before;
    }
};

TEST_F(SettingsFileTest, ShortFileIsRefusedAndChangesNothing) {
    desktop.image().setByte(100, 0x42);
    const Image before = desktop.image();
    ASSERT_TRUE(test::writeAll(path("short.v5"), patterned(32767)));
    EXPECT_FALSE(load(path("short.v5")));
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Ошибка чтения\n%1: файл короче, чем нужно: 32767 байт "
                                                      "вместо 32768")
                                           .arg(path("short.v5")));
    EXPECT_EQ(desktop.image(), before);
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));

    EXPECT_FALSE(load(path("missing.v5")));
    EXPECT_EQ(prompts.messages.last(),
              QStringLiteral("Ошибка чтения\n%1: нет такого файла или папки").arg(path("missing.v5")));
}

// A longer file is no settings file of ours (a firmware, an archive): its first bytes are not taken.
TEST_F(SettingsFileTest, LongerFileIsRefusedWithItsLength) {
    const QByteArray bytes = patterned(40000);
    ASSERT_TRUE(test::writeAll(path("long.v5"), bytes));
    EXPECT_FALSE(load(path("long.v5")));
    EXPECT_EQ(prompts.messages.last(),
              QStringLiteral("Ошибка чтения\n%1: файл длиннее, чем нужно: 40000 байт "
                             "вместо 32768")
                  .arg(path("long.v5")));
    EXPECT_TRUE(desktop.image().isZero(0, Image::kSize));
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
    // Exactly one image long opens.
    ASSERT_TRUE(test::writeAll(path("exact.v5"), bytes.left(32768)));
    EXPECT_TRUE(load(path("exact.v5")));
    EXPECT_EQ(desktop.image().toByteArray().mid(0x3000), bytes.mid(0x3000, 0x5000));
}

TEST_F(SettingsFileTest, AccessCodeMustMatchTheCurrentOne) {
    QByteArray bytes = patterned(32768);
    bytes[0x2CF9] = 0x34;
    bytes[0x2CFA] = 0x12;
    ASSERT_TRUE(test::writeAll(path("coded.v5"), bytes));
    EXPECT_FALSE(load(path("coded.v5")));
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Не тот код доступа"));
    EXPECT_TRUE(desktop.image().isZero(0, Image::kSize));

    // The code typed into the box is stored by the reset of opening the file menu.
    desktop.mmKodDostupaClick();
    desktop.accessCodeBox().setText(QStringLiteral("1234"));
    desktop.mnEEPROMClick();
    EXPECT_TRUE(load(path("coded.v5")));
    EXPECT_EQ(desktop.image().wordLE(0x2CF9), 0x1234);
}

// The one read the window and the command line share: a file replaces the image only when it reads
// whole and, where the access code is compared, holds the image's own.
TEST_F(SettingsFileTest, ReadIntoReplacesTheImageOnlyWithAFileThatPasses) {
    QByteArray coded = patterned(32768);
    coded[0x2CF9] = 0x34;
    coded[0x2CFA] = 0x12;
    ASSERT_TRUE(test::writeAll(path("coded.v5"), coded));
    ASSERT_TRUE(test::writeAll(path("short.v5"), coded.left(100)));
    struct Case {
        const char* file;
        std::uint16_t currentCode;
        AccessCodeCheck check;
        QString message;  // empty: the file is taken
    };
    const Case cases[] = {
        {"coded.v5", 0x0000, AccessCodeCheck::None, {}},
        {"coded.v5", 0x1234, AccessCodeCheck::SameAsImage, {}},
        {"coded.v5", 0x0000, AccessCodeCheck::SameAsImage, QStringLiteral("Не тот код доступа")},
        {"short.v5", 0x1234, AccessCodeCheck::None,
         QStringLiteral("Ошибка чтения\n%1: файл короче, чем нужно: 100 байт вместо 32768")
             .arg(path("short.v5"))},
    };
    for (const Case& c : cases) {
        Image image;
        image.setWordLE(0x2CF9, c.currentCode);
        const Image before = image;
        const auto error = readSettingsInto(image, path(c.file), c.check);
        EXPECT_EQ(error ? error->message : QString(), c.message) << c.file;
        if (error)
            EXPECT_TRUE(image == before) << c.file;
        else
            EXPECT_EQ(image.toByteArray(), coded) << c.file;
    }
}

TEST_F(SettingsFileTest, SavedFileLoadsBackByteForByte) {
    QByteArray bytes = patterned(32768);
    // A configuration the sweep leaves as it is: nothing placed, blank values everywhere they apply.
    bytes.replace(0x22CE, 40, QByteArray(40, '\0'));
    ASSERT_TRUE(test::writeAll(path("in.v5"), bytes));
    ASSERT_TRUE(load(path("in.v5")));
    const Image loaded = desktop.image();

    prompts.saveAnswers.push_back(path("out.v5"));
    desktop.mnSaveClick();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.lastProposedSaveName, QFileInfo(path("in.v5")).absoluteFilePath());
    EXPECT_EQ(test::readAll(path("out.v5")), loaded.toByteArray());
    EXPECT_EQ(desktop.windowCaption(), QFileInfo(path("out.v5")).absoluteFilePath());

    ASSERT_TRUE(load(path("out.v5")));
    EXPECT_EQ(desktop.image(), loaded);
}

TEST_F(SettingsFileTest, FirstSaveProposesNoFileChosen) {
    prompts.saveAnswers.push_back(std::nullopt);
    desktop.mnSaveClick();
    EXPECT_EQ(prompts.lastProposedSaveName, QStringLiteral("Файл не выбран"));
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

TEST_F(SettingsFileTest, FailedSaveIsReportedAndKeepsTheOldFileAndCaption) {
    const QString target = path("keep.v5");
    ASSERT_TRUE(test::writeAll(target, "old contents"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    desktop.image().setByte(5, 1);
    prompts.saveAnswers.push_back(target);
    desktop.mnSaveClick();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(dir.path()).isWritable() && prompts.messages.isEmpty())
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(
        prompts.messages[0].startsWith(QStringLiteral("Ошибка записи\n") + target + QStringLiteral(": ")))
        << prompts.messages[0].toStdString();
    EXPECT_EQ(test::readAll(target), QByteArray("old contents"));
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

TEST_F(SettingsFileTest, SaveToAFullDiskSaysSoAndKeepsTheOldFile) {
    test::SmallDisk disk(16);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk needs the superuser";
    const QString target = disk.filePath(QStringLiteral("site.v5"));
    ASSERT_TRUE(test::writeAll(target, "old contents"));
    prompts.saveAnswers.push_back(target);
    desktop.mnSaveClick();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], QStringLiteral("Ошибка записи\n%1: диск заполнен").arg(target));
    EXPECT_EQ(test::readAll(target), QByteArray("old contents"));
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

TEST_F(SettingsFileTest, SaveThatCannotReplaceTheTargetLeavesNoStrayFile) {
    // A folder standing where the file should go: the write happens, the final rename cannot.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.v5")));
    prompts.saveAnswers.push_back(path("taken.v5"));
    desktop.mnSaveClick();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("Ошибка записи\n%1: это имя занято папкой").arg(path("taken.v5")));
    EXPECT_TRUE(QFileInfo(path("taken.v5")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

TEST_F(SettingsFileTest, CancelledOpenStillRebuildsSlotsAndResets) {
    test::placeModule(desktop.image(), 3, QStringLiteral("МР2"));
    desktop.image().fill(map::Relays.offset, map::Relays.size(), 1);
    prompts.openAnswers.push_back(std::nullopt);
    desktop.mnLoadClick();
    EXPECT_EQ(desktop.captions().at(3), QStringLiteral("МР2"));
    EXPECT_TRUE(desktop.image().isZero(map::Relays.offset, 40));
    EXPECT_FALSE(desktop.image().isZero(map::Relays.at(4), 40));
}

class PortFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    QString ini() const { return dir.filePath(QStringLiteral("V5ivez.ini")); }
};

TEST_F(PortFileTest, FirstRunCreatesTheFileWithCom1) {
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    EXPECT_EQ(test::readAll(ini()), QByteArray("1"));
    EXPECT_EQ(desktop.checkedComPort(), 1);
    EXPECT_EQ(desktop.portName(), QStringLiteral("COM1"));
}

TEST_F(PortFileTest, FirstDigitChoosesThePortAndIsWrittenBack) {
    ASSERT_TRUE(test::writeAll(ini(), "7junk"));
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    EXPECT_EQ(desktop.portName(), QStringLiteral("COM7"));
    EXPECT_EQ(test::readAll(ini()), QByteArray("7"));
    desktop.COM_Click(3);
    EXPECT_EQ(desktop.checkedComPort(), 3);
    EXPECT_EQ(test::readAll(ini()), QByteArray("3"));
}

// Start-up rewrote and synced a file that already named its port, at every start; a port chosen from the
// menu still writes the file, whatever it held.
TEST_F(PortFileTest, StartLeavesAFileThatNamesItsPortAsItIs) {
    const auto inode = [this] {
        struct stat info {};
        return ::stat(QFile::encodeName(ini()).constData(), &info) == 0 ? info.st_ino : ino_t{0};
    };
    for (const char* content : {"4\nbackup=0\n", "ttyUSB0"}) {
        ASSERT_TRUE(test::writeAll(ini(), content));
        const ino_t before = inode();
        Desktop desktop(prompts, dir.path());
        desktop.FormCreate();
        EXPECT_FALSE(desktop.portName().isEmpty()) << content;
        EXPECT_EQ(inode(), before) << content;
        EXPECT_EQ(test::readAll(ini()), QByteArray(content));
        desktop.COM_Click(4);
        EXPECT_NE(inode(), before) << content;
    }
}

TEST_F(PortFileTest, OtherContentChoosesNoPortAndKeepsTheFile) {
    for (const char* content : {"0", "x", "", "COM1"}) {
        ASSERT_TRUE(test::writeAll(ini(), content));
        Desktop desktop(prompts, dir.path());
        desktop.FormCreate();
        EXPECT_EQ(desktop.checkedComPort(), 0) << content;
        EXPECT_TRUE(desktop.portName().isEmpty()) << content;
        EXPECT_EQ(test::readAll(ini()), QByteArray(content));
    }
}

TEST_F(PortFileTest, SystemPortNameIsRememberedInsteadOfADigit) {
    {
        Desktop desktop(prompts, dir.path());
        desktop.FormCreate();
        desktop.chooseSystemPort(QStringLiteral("ttyUSB0"));
        EXPECT_EQ(desktop.checkedComPort(), 0);
        EXPECT_EQ(test::readAll(ini()), QByteArray("ttyUSB0"));
    }
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    EXPECT_EQ(desktop.portName(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(desktop.checkedSystemPort(), QStringLiteral("ttyUSB0"));
    EXPECT_TRUE(isSystemPortName(QStringLiteral("/dev/ttyACM1")));
    EXPECT_TRUE(isSystemPortName(QStringLiteral("/dev/pts/12")));
    EXPECT_FALSE(isSystemPortName(QStringLiteral("/dev/pts/../sda")));
    EXPECT_FALSE(isSystemPortName(QStringLiteral("../etc/passwd")));
}

TEST_F(PortFileTest, SettingsFollowThePortLineAndSurviveAPortChoice) {
    struct Case {
        const char* content;
        bool backup;
        bool verify;
    };
    const Case cases[] = {{"1", true, true},
                          {"2\nbackup=0", false, true},
                          {"ttyUSB0\r\nverify = OFF\r\nbackup=yes\r\n", true, false},
                          {"3\nbackup=maybe\nverify=no\n# a note", true, false},
                          {"backup=0", true, true}};  // no port line: the first line is never a setting
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        const PortFileSettings settings = parsePortFileSettings(c.content);
        EXPECT_EQ(settings.backupBeforePanelWrite, c.backup);
        EXPECT_EQ(settings.verifyPanelWrite, c.verify);
    }

    ASSERT_TRUE(test::writeAll(ini(), "ttyUSB0\r\nbackup=0\r\n"));
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    EXPECT_EQ(desktop.portName(), QStringLiteral("ttyUSB0"));
    EXPECT_FALSE(desktop.settings().backupBeforePanelWrite);
    EXPECT_TRUE(desktop.settings().verifyPanelWrite);
    desktop.COM_Click(2);
    EXPECT_EQ(test::readAll(ini()), QByteArray("2\r\nbackup=0\r\n"));
    desktop.chooseSystemPort(QStringLiteral("ttyACM0"));
    EXPECT_EQ(test::readAll(ini()), QByteArray("ttyACM0\r\nbackup=0\r\n"));
}

// Start-up wrote the port line back with only the first 256 bytes of the file: notes and settings after
// them were lost, and a setting there was ignored.
TEST_F(PortFileTest, LongFileKeepsEverythingAfterThePortLine) {
    const QByteArray notes = QByteArray("# ").append(QByteArray(400, 'n')).append('\n');
    ASSERT_TRUE(test::writeAll(ini(), "5\n" + notes + "verify=0\n"));
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    EXPECT_EQ(desktop.checkedComPort(), 5);
    EXPECT_FALSE(desktop.settings().verifyPanelWrite);
    EXPECT_EQ(test::readAll(ini()), "5\n" + notes + "verify=0\n");
    desktop.COM_Click(2);
    EXPECT_EQ(test::readAll(ini()), "2\n" + notes + "verify=0\n");
}

TEST_F(PortFileTest, UnwritablePortFileIsReportedAndStartUpGoesOn) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("V5ivez.ini")));  // a folder in its place
    Desktop desktop(prompts, dir.path());
    desktop.FormCreate();
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Ошибка файла V5ivez.ini")));
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

}  // namespace
}  // namespace v5
