#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/image_builder.h"
#include "tests/support/small_disk.h"
#include "files/system_file.h"

namespace v5 {
namespace {

class SystemFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST(FileNames, SystemBytesSurviveTheRoundTripAndValidUtf8ReadsAsText) {
    const QByteArray names[] = {
        "plain.v5",
        "\xd0\xbe\xd0\xb1\xd1\x8a\xd0\xb5\xd0\xba\xd1\x82.v5",  // объект.v5
        "\xf0\x9f\x94\x94.v5",                                  // outside the basic plane
        "\xff\xfe.v5",                                          // not UTF-8 at all
        "\xcf\xe0\xf0\xea.v5",                                  // Windows-1251 from an old disk
        "\xc0\xaf.v5",                                          // overlong "/"
        "\xed\xa0\x80.v5",                                      // an encoded surrogate
        "cut\xd0",                                              // a sequence cut short
    };
    for (const QByteArray& bytes : names) {
        const QString name = fileNameFromSystem(bytes);
        EXPECT_EQ(fileNameToSystem(name), bytes) << bytes.toHex().toStdString();
        const bool valid = QString::fromUtf8(bytes).toUtf8() == bytes;
        if (valid) {
            EXPECT_EQ(name, QString::fromUtf8(bytes));
        }
    }
}

TEST_F(SystemFileTest, CommonFailuresAreToldInTheUsersTerms) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const struct {
        const char* what;
        std::optional<FileFailure> failure;
        FileProblem problem;
        const char16_t* russian;
        const char* english;
    } cases[] = {
        {"read a missing file", readFileStart(path("missing.v5"), 10).failure, FileProblem::NoSuchFile,
         u"нет такого файла или папки", "no such file or folder"},
        {"read a folder", readFileStart(path("folder"), 10).failure, FileProblem::FolderInTheWay,
         u"это имя занято папкой", "it is a folder"},
        {"write over a folder", writeFileWhole(path("folder"), "x"), FileProblem::FolderInTheWay,
         u"это имя занято папкой", "it is a folder"},
        {"write into a missing folder", writeFileWhole(path("none/x.v5"), "x"), FileProblem::NoSuchFile,
         u"нет такого файла или папки", "no such file or folder"},
        {"write to a full device",
         writeFileWhole(QStringLiteral("/dev/full"), "x", SpecialFiles::WriteDirectly), FileProblem::DiskFull,
         u"диск заполнен", "the disk is full"},
        {"check a missing folder", checkWritable(path("none/x.v5"), 1), FileProblem::NoSuchFile,
         u"нет такого файла или папки", "no such file or folder"},
        {"check a folder", checkWritable(path("folder"), 1), FileProblem::FolderInTheWay,
         u"это имя занято папкой", "it is a folder"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.failure) << c.what;
        EXPECT_EQ(c.failure->problem, c.problem) << c.what;
        EXPECT_EQ(russianReason(*c.failure), QString::fromUtf16(c.russian)) << c.what;
        EXPECT_EQ(englishReason(*c.failure), QString::fromLatin1(c.english)) << c.what;
    }
    EXPECT_EQ(russianReason(failureOf(EACCES)), QStringLiteral("нет доступа"));
    EXPECT_EQ(russianReason(failureOf(EROFS)), QStringLiteral("носитель защищён от записи"));
    EXPECT_FALSE(checkWritable(path("new.v5"), 32768));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("folder")})
        << "failures leave nothing behind";
}

TEST_F(SystemFileTest, RegularFileIsReplacedWholeKeepingItsModeAndTheLinkToIt) {
    ASSERT_TRUE(test::writeAll(path("real.v5"), "old contents, longer than the new ones"));
    ASSERT_EQ(::chmod(path("real.v5").toLocal8Bit().constData(), 0640), 0);
    ASSERT_EQ(::symlink("real.v5", path("link.v5").toLocal8Bit().constData()), 0);
    ASSERT_FALSE(writeFileWhole(path("link.v5"), "new"));
    EXPECT_TRUE(QFileInfo(path("link.v5")).isSymLink());
    EXPECT_EQ(test::readAll(path("real.v5")), QByteArray("new"));
    struct stat st {};
    ASSERT_EQ(::stat(path("real.v5").toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2)
        << "no temporary file stays";
}

TEST_F(SystemFileTest, ADeviceTakesTheBytesAndStaysADevice) {
    struct stat st {};
    // A character device: a terminal's slave side, read back on its master side.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString slave = QString::fromLocal8Bit(::ptsname(master));
    termios raw{};
    const int keep = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ::tcgetattr(keep, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(keep, TCSANOW, &raw);
    EXPECT_FALSE(writeFileWhole(slave, "to the device", SpecialFiles::WriteDirectly));
    // The window refuses it: it replaces files.
    EXPECT_EQ(writeFileWhole(slave, "to the device").value_or(FileFailure{}).problem, FileProblem::Device);
    char buffer[64] = {};
    EXPECT_EQ(::read(master, buffer, sizeof buffer), 13);
    EXPECT_EQ(QByteArray(buffer), QByteArray("to the device"));
    ASSERT_EQ(::stat(slave.toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    ::close(keep);
    ::close(master);
}

TEST(SmallDiskFiles, FullOrReadOnlyDiskIsToldAndTheOldFileStays) {
    test::SmallDisk disk(64);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk needs the superuser";
    const QString target = disk.filePath(QStringLiteral("site.v5"));
    ASSERT_FALSE(writeFileWhole(target, "old"));

    const auto full = writeFileWhole(target, QByteArray(256 * 1024, 'x'));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->problem, FileProblem::DiskFull);
    EXPECT_EQ(test::readAll(target), QByteArray("old"));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("site.v5")});
    const auto roomless = checkWritable(disk.filePath(QStringLiteral("new.v5")), 256 * 1024);
    ASSERT_TRUE(roomless);
    EXPECT_EQ(roomless->problem, FileProblem::DiskFull);

    ASSERT_TRUE(disk.makeReadOnly());
    const auto readOnly = writeFileWhole(target, "new");
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(readOnly->problem, FileProblem::ReadOnlyMedium);
    EXPECT_EQ(checkWritable(target, 3)->problem, FileProblem::ReadOnlyMedium);
    EXPECT_EQ(test::readAll(target), QByteArray("old"));
}

}  // namespace
}  // namespace v5
