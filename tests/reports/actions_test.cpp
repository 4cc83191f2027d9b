#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "reports/report_actions.h"
#include "tests/reports/report_fixtures.h"

namespace v5 {
namespace {

using ReportActionsTest = test::MenuActionTest;

TEST_F(ReportActionsTest, ArchiveIsWrittenWithoutThePaneReset) {
    desktop.image().setByte(map::ArchivePointer.offset, 0x30);
    desktop.image().setByte(map::ArchivePointer.offset + 1, 0x00);
    const auto rec = desktop.image().record(map::Archive, 4);
    rec[5] = 0xB2;
    rec[6] = 0x01;
    desktop.image().record(map::Relays, 40)[1] = 0x01;  // МР11 is not placed: the sweep would clear it
    desktop.showPane(QStringLiteral("gbExt"));
    const Image before = desktop.image();

    mArjClick(desktop, viewer, dir.path());

    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(viewer.opened, QStringList{path(QStringLiteral("arj.txt"))});
    EXPECT_EQ(test::readAll(path(QStringLiteral("arj.txt"))),
              test::cp1251Lines(
                  {QStringLiteral(" 0004 Дата: 000/000 Время: 000:000:000 вскрытие корпуса             "
                                  "Шлейфы: 1")}));
    EXPECT_EQ(desktop.image(), before);
    EXPECT_EQ(desktop.visiblePane(), QStringLiteral("gbExt"));
}

TEST_F(ReportActionsTest, ReportResetsThePanesAndReplacesAnOldFileWhole) {
    ASSERT_TRUE(test::writeAll(path(QStringLiteral("report.txt")), QByteArray(5000, 'x')));
    desktop.showPane(QStringLiteral("gbExt"));
    mRClick(desktop, viewer, dir.path());
    EXPECT_TRUE(desktop.visiblePane().isEmpty());
    const QByteArray written = test::readAll(path(QStringLiteral("report.txt")));
    EXPECT_TRUE(written.startsWith(test::cp1251Lines({QStringLiteral(" Ключей   нет")})));
    EXPECT_FALSE(written.contains('x'));
    EXPECT_EQ(viewer.opened.size(), 1);
}

TEST_F(ReportActionsTest, FileThatCannotBeWrittenIsToldAndNothingOpens) {
    // A folder where the file should go: the temporary copy is written, the final rename fails.
    for (const QString& name : {QStringLiteral("report.txt"), QStringLiteral("arj.txt")})
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    mRClick(desktop, viewer, dir.path());
    mArjClick(desktop, viewer, dir.path());
    EXPECT_TRUE(viewer.opened.isEmpty());
    ASSERT_EQ(prompts.messages.size(), 2);
    for (const QString& name : {QStringLiteral("report.txt"), QStringLiteral("arj.txt")}) {
        const QString message = prompts.messages[name == QStringLiteral("report.txt") ? 0 : 1];
        const QString prefix = QStringLiteral("Ошибка записи\n") + path(name) + QStringLiteral(": ");
        EXPECT_EQ(message, prefix + QStringLiteral("это имя занято папкой"));
        EXPECT_TRUE(QFileInfo(path(name)).isDir());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList()) << "no stray temporary file";
}

TEST_F(ReportActionsTest, FailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(test::writeAll(path(QStringLiteral("report.txt")), "old report"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    mRClick(desktop, viewer, dir.path());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (prompts.messages.isEmpty()) GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_TRUE(viewer.opened.isEmpty());
    EXPECT_TRUE(prompts.messages[0].contains(path(QStringLiteral("report.txt"))));
    EXPECT_EQ(test::readAll(path(QStringLiteral("report.txt"))), QByteArray("old report"));
}

}  // namespace
}  // namespace v5
