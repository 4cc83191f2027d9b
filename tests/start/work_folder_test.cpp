#include "start/work_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace v5 {
namespace {

const QString kHome = QStringLiteral("/home/installer");
const QString kMenuFolder = QStringLiteral("/home/installer/V5ivez");

TEST(WorkFolder, FromATerminalTheCurrentFolderWhereverItIs) {
    for (const QString& current : {kHome, QStringLiteral("/home/installer/objects"), QStringLiteral("/")}) {
        const StartPlace place{current, kHome, QStringLiteral("/home/installer/objects/site.v5"), false};
        EXPECT_EQ(workFolderFor(place), current);
    }
}

TEST(WorkFolder, FromTheMenuTheProgramsFolderInHomeWhereTheLauncherChoseTheCurrentOne) {
    // The menu starts programs in the home folder (or the root); a file manager may start them in the
    // folder of the file opened.
    EXPECT_EQ(workFolderFor({kHome, kHome, {}, true}), kMenuFolder);
    EXPECT_EQ(workFolderFor({QStringLiteral("/home/installer/"), kHome, {}, true}), kMenuFolder);
    EXPECT_EQ(workFolderFor({QStringLiteral("/"), kHome, {}, true}), kMenuFolder);
    EXPECT_EQ(workFolderFor({QStringLiteral("/media/usb/objects"), kHome,
                             QStringLiteral("/media/usb/objects/site.v5"), true}),
              kMenuFolder);
}

TEST(WorkFolder, FromTheMenuAFolderTheUserChoseStays) {
    // A launcher told to start in a folder of its own (Path= of a desktop entry the user made).
    const QString chosen = QStringLiteral("/home/installer/objects");
    EXPECT_EQ(workFolderFor({chosen, kHome, {}, true}), chosen);
    EXPECT_EQ(workFolderFor({chosen, kHome, QStringLiteral("/media/usb/site.v5"), true}), chosen);
}

TEST(WorkFolder, MadeWhenMissingAndKeptWhenThere) {
    QTemporaryDir home;
    const QString folder = QDir(home.path()).filePath(QString::fromLatin1(kMenuWorkFolderName));
    EXPECT_FALSE(makeWorkFolder(folder).has_value());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    QFile kept(QDir(folder).filePath(QStringLiteral("V5ivez.ini")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("1");
    kept.close();
    EXPECT_FALSE(makeWorkFolder(folder).has_value());
    EXPECT_TRUE(kept.exists());
}

TEST(WorkFolder, AFileInTheWayIsNoFolderToWorkIn) {
    QTemporaryDir home;
    const QString folder = QDir(home.path()).filePath(QString::fromLatin1(kMenuWorkFolderName));
    QFile file(folder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto failure = makeWorkFolder(folder);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->problem, FileProblem::NoSuchFile);
}

}  // namespace
}  // namespace v5
