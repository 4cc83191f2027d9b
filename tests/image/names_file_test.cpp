// The names beside a settings file: what is written is read back whole, a damaged file gives a reason
// and no names, and a missing one means no names.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "files/names_file.h"
#include "tests/support/image_builder.h"

namespace v5 {
namespace {

SiteNames sampleNames() {
    SiteNames names;
    names.site = {QStringLiteral("Склад №2"), QStringLiteral("ул. Ленина, 1"), QStringLiteral("ООО \"Ромашка\""),
                  QStringLiteral("+7 900 000-00-00"), QStringLiteral("две строки\nвторая")};
    names.loops = {{3, QStringLiteral("Окна кухни")}, {64, QStringLiteral("Дверь\tчёрного хода")}};
    names.zones = {{1, QStringLiteral("Подъезд 1")}};
    names.partitions = {{2, QStringLiteral("Офис")}};
    names.keys = {{17, {QStringLiteral("Иванов И. И."), QStringLiteral("кв. 12")}}, {400, {QString(), QStringLiteral("запасной")}}};
    names.relays = {{5, QStringLiteral("Сирена")}};
    return names;
}

TEST(NamesFileTest, WhatIsWrittenIsReadBackWholeAndTheFileSitsBesideTheSettingsFile) {
    QTemporaryDir dir;
    for (const SiteNames& names : {sampleNames(), SiteNames()}) {
        const QString path = namesPathFor(dir.filePath(QStringLiteral("site.v5")));
        ASSERT_FALSE(writeNamesFile(path, names));
        const NamesRead read = readNamesFile(path);
        EXPECT_TRUE(read.exists);
        EXPECT_TRUE(read.problem.isEmpty()) << read.problem.toStdString();
        EXPECT_EQ(read.names, names);
    }
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/site.v5")), QStringLiteral("/a/b/site.names.json"));
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/SITE.V5")), QStringLiteral("/a/b/SITE.names.json"));
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/site")), QStringLiteral("/a/b/site.names.json"));

    const NamesRead missing = readNamesFile(dir.filePath(QStringLiteral("none.names.json")));
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.problem.isEmpty());
    EXPECT_TRUE(missing.names.isEmpty());
}

TEST(NamesFileTest, ADamagedOrForeignFileGivesAReasonAndNoNames) {
    const char* const damaged[] = {
        "",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"3\": \"x\"",
        "[1, 2]",
        "{\"format\": \"other\", \"version\": 1}",
        "{\"format\": \"v5ivez-names\", \"version\": 2}",
        "{\"format\": \"v5ivez-names\"}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"0\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"03\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": {\"a\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": {\"1\": 5}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": [\"x\"]}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"keys\": {\"17\": \"Иванов\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"keys\": {\"17\": {\"owner\": 1}}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"site\": {\"name\": null}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"site\": \"Склад\"}",
    };
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        const NamesParse parsed = parseNames(QByteArray(text));
        EXPECT_FALSE(parsed.names);
        EXPECT_FALSE(parsed.problem.isEmpty());
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.names.json"));
    ASSERT_TRUE(test::writeAll(path, QByteArray("{\"format\": \"v5ivez-names\", \"version\": 7}")));
    const NamesRead read = readNamesFile(path);
    EXPECT_TRUE(read.exists);
    EXPECT_TRUE(read.problem.contains(QStringLiteral("версия"))) << read.problem.toStdString();
    EXPECT_TRUE(read.names.isEmpty());
}

TEST(NamesFileTest, AWriteIntoAFolderThatIsNotThereIsReported) {
    QTemporaryDir dir;
    EXPECT_TRUE(writeNamesFile(dir.filePath(QStringLiteral("no/such/folder/site.names.json")), sampleNames()));
}

}  // namespace
}  // namespace v5

#include "desktop/desktop.h"
#include "desktop/site_names.h"
#include "groups/zona_pane.h"
#include "image/tables.h"
#include "panes/install_panes.h"

namespace v5 {
namespace {

TEST(SiteNamesTest, NamesFollowTheirObjectsOutOfTheImage) {
    Image before;
    test::placeModule(before, 1, QStringLiteral("МШС1"));
    test::placeModule(before, 2, QStringLiteral("МШС2"));
    test::placeModule(before, 3, QStringLiteral("МР1"));
    setZonaMask(before, 1, test::loops({1}));
    setZonaMask(before, 2, test::loops({9}));
    setRazdelMask(before, 1, test::loops({1}));
    SiteNames names;
    names.zones = {{1, QStringLiteral("остаётся")}, {2, QStringLiteral("удалена")}, {5, QStringLiteral("план")}};
    names.partitions = {{1, QStringLiteral("удалён")}};
    names.loops = {{1, QStringLiteral("МШС1")}, {9, QStringLiteral("МШС2 снят")}, {60, QStringLiteral("план")}};
    names.relays = {{2, QStringLiteral("МР1 снят")}};
    names.site.name = QStringLiteral("объект");

    Image after = before;
    setZonaMask(after, 2, LoopMask());
    setRazdelMask(after, 1, LoopMask());
    writeSlotEntry(after, 2, QString());
    writeSlotEntry(after, 3, QString());
    dropNamesOfErased(before, after, names);

    EXPECT_EQ(names.zones, (std::map<int, QString>{{1, QStringLiteral("остаётся")}, {5, QStringLiteral("план")}}));
    EXPECT_TRUE(names.partitions.empty());
    EXPECT_EQ(names.loops, (std::map<int, QString>{{1, QStringLiteral("МШС1")}, {60, QStringLiteral("план")}}));
    EXPECT_TRUE(names.relays.empty());
    EXPECT_EQ(names.site.name, QStringLiteral("объект"));
}

class SiteNamesDesktopTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<Desktop> desktop;
    QString settings = dir.filePath(QStringLiteral("site.v5"));
    QString namesPath = dir.filePath(QStringLiteral("site.names.json"));

    void SetUp() override {
        desktop = std::make_unique<Desktop>(prompts, dir.path());
        installPanes(*desktop);
    }
    void save() {
        prompts.saveAnswers.push_back(settings);
        desktop->mnSaveClick();
    }
    void load() {
        prompts.openAnswers.push_back(settings);
        desktop->mnLoadClick();
    }
};

TEST_F(SiteNamesDesktopTest, NamesAreSavedAndReadWithTheSettingsFileAndComeBackWithUndo) {
    desktop->btnSlotContextPopup(1);
    desktop->miClick(QStringLiteral("МШС1"));
    setZonaMask(desktop->image(), 3, test::loops({2}));
    SiteNames names;
    names.zones = {{3, QStringLiteral("Подъезд 1")}};
    names.keys = {{17, {QStringLiteral("Иванов И. И."), QStringLiteral("кв. 12")}}};
    desktop->setNames(names);
    desktop->takeStep();
    save();
    ASSERT_EQ(readNamesFile(namesPath).names, names);
    EXPECT_EQ(test::readAll(settings).size(), 32768);

    SetUp();
    load();
    EXPECT_EQ(desktop->names(), names);

    // The zone's deletion takes its name; undo brings both back.
    auto* zones = desktop->pane<ZonaPane>();
    zones->mGRZonaClick();
    zones->Button7Click();
    desktop->takeStep();
    EXPECT_TRUE(desktop->names().zones.empty());
    ASSERT_TRUE(desktop->undo());
    EXPECT_EQ(desktop->names(), names);
    EXPECT_TRUE(zonaExists(desktop->image(), 3));
}

TEST_F(SiteNamesDesktopTest, ADamagedNamesFileIsToldAndNotOverwrittenWithoutAsking) {
    save();
    EXPECT_FALSE(QFileInfo::exists(namesPath)) << "no names, no file";
    const QByteArray damaged("{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": {\"1\": ");
    ASSERT_TRUE(test::writeAll(namesPath, damaged));
    load();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.front().contains(namesPath));
    EXPECT_EQ(desktop->windowCaption(), QFileInfo(settings).absoluteFilePath()) << "the image loads normally";

    prompts.replaceAnswers.push_back(false);
    save();
    EXPECT_EQ(prompts.replaceQuestions.size(), 1);
    EXPECT_EQ(test::readAll(namesPath), damaged);
    EXPECT_TRUE(desktop->lastOperation().contains(QStringLiteral("файл названий оставлен")));

    prompts.replaceAnswers.push_back(true);
    save();
    EXPECT_TRUE(readNamesFile(namesPath).problem.isEmpty());
}

}  // namespace
}  // namespace v5

#include "files/backup_file.h"

namespace v5 {
namespace {

TEST_F(SiteNamesDesktopTest, BackupsGoBesideTheSitesSettingsFileOnceItHasOne) {
    EXPECT_EQ(desktop->backupFolder(), QDir(dir.path()).filePath(QStringLiteral("backups")));
    save();
    EXPECT_EQ(desktop->backupFolder(), QDir(dir.path()).filePath(QStringLiteral("site.backups")));
    const std::pair<const char*, const char*> paths[] = {{"/obj/site.v5", "/obj/site.backups"},
                                                         {"/obj/SITE.V5", "/obj/SITE.backups"},
                                                         {"/obj/site.bin", "/obj/site.bin.backups"}};
    for (const auto& [settings, folder] : paths)
        EXPECT_EQ(siteBackupFolder(QString::fromLatin1(settings)), QString::fromLatin1(folder));
}

}  // namespace
}  // namespace v5

#include "groups/loop_pane.h"
#include "keys/key_card_pane.h"

namespace v5 {
namespace {

TEST(SiteNamesTest, NameFieldsKeepTheTextAsTypedAndTellTheirChange) {
    SiteNames names;
    const NamedObject loop{NameField::Loop, 3};
    const NamedObject owner{NameField::KeyOwner, 17};
    const NamedObject note{NameField::KeyNote, 17};
    setNameOf(names, loop, QStringLiteral("  Окна кухни "));
    EXPECT_EQ(nameOf(names, loop), QStringLiteral("  Окна кухни "));  // spaces are the user's
    setNameOf(names, owner, QStringLiteral("Иванов"));
    setNameOf(names, note, QStringLiteral("кв. 12"));
    EXPECT_EQ(names.keys.at(17), (KeyName{QStringLiteral("Иванов"), QStringLiteral("кв. 12")}));
    // A key keeps its note when the owner is cleared, and leaves the file when both are.
    setNameOf(names, owner, QString());
    EXPECT_EQ(nameOf(names, note), QStringLiteral("кв. 12"));
    setNameOf(names, note, QString());
    EXPECT_FALSE(names.keys.contains(17));

    struct Case {
        std::function<void(SiteNames&)> change;
        QString label;
    };
    const std::vector<Case> cases = {
        {[](SiteNames& n) { n.loops[3] = QStringLiteral("Окна"); }, QStringLiteral("название: шлейф 3 «Окна»")},
        {[](SiteNames& n) { n.loops.erase(3); }, QStringLiteral("название убрано: шлейф 3")},
        {[](SiteNames& n) { n.keys[5].note = QStringLiteral("запасной"); },
         QStringLiteral("название: примечание ключа 005 «запасной»")},
        {[](SiteNames& n) { n.site.phone = QStringLiteral("112"); }, QStringLiteral("данные объекта")},
        {[](SiteNames& n) {
             n.zones[1] = QStringLiteral("Подъезд");
             n.relays[5] = QStringLiteral("Сирена");
         },
         QStringLiteral("названия: 2")},
    };
    SiteNames before;
    before.loops[3] = QStringLiteral("Кухня");
    for (const Case& c : cases) {
        SiteNames after = before;
        c.change(after);
        EXPECT_EQ(describeNamesChange(before, after), c.label);
    }
}

TEST_F(SiteNamesDesktopTest, ANameTypedInAPaneIsUnsavedWorkUntilWrittenAndIsOneUndoStep) {
    desktop->btnSlotContextPopup(1);
    desktop->miClick(QStringLiteral("МШС1"));
    desktop->Parameter(QStringLiteral("МШС1"));
    desktop->takeStep();
    save();
    ASSERT_FALSE(desktop->hasUnsavedChanges());

    auto* loops = desktop->pane<LoopPane>();
    loops->tnShlChange(2);
    ASSERT_EQ(loops->shownObject(), (NamedObject{NameField::Loop, 3}));
    loops->setShownName(QStringLiteral("Окна кухни"));
    EXPECT_TRUE(desktop->hasUnsavedChanges());
    EXPECT_EQ(loops->namedTip(NameField::Loop, loops->tabCaption(2)), QStringLiteral("шлейф 3 «Окна кухни»"));
    EXPECT_TRUE(loops->namedTip(NameField::Loop, loops->tabCaption(1)).isEmpty());
    // The next command takes the step; the image did not change.
    const Image image = desktop->image();
    ASSERT_TRUE(desktop->takeStep());
    EXPECT_EQ(desktop->history().undoLabel(), QStringLiteral("название: шлейф 3 «Окна кухни»"));
    EXPECT_TRUE(desktop->image() == image);

    save();
    EXPECT_FALSE(desktop->hasUnsavedChanges());
    EXPECT_EQ(readNamesFile(namesPath).names.loops.at(3), QStringLiteral("Окна кухни"));
    ASSERT_TRUE(desktop->undo());
    EXPECT_TRUE(desktop->names().loops.empty());
    EXPECT_TRUE(desktop->hasUnsavedChanges());
}

}  // namespace
}  // namespace v5

#include "image/records.h"
#include "operations/named_changes.h"

namespace v5 {
namespace {

TEST(SiteNamesTest, TheComparisonSpeaksOfNamedObjectsByTheirNames) {
    Image before;
    Image after = before;
    setZonaMask(after, 3, test::loops({2}));
    setZonaMask(after, 4, test::loops({5}));
    config::Key key = config::Key::decode(after, 16);
    key.setCode({0x01, 0x10, 0x20, 0x30, 0x40, 0x50});
    key.encode(after, 16);
    SiteNames names;
    names.zones = {{3, QStringLiteral("Подъезд 1")}, {30, QStringLiteral("Подъезд 3")}};
    names.keys = {{17, {QStringLiteral("Иванов И. И."), QStringLiteral("кв. 12")}}};
    const QStringList plain = differenceLines(compareConfigurations(before, after));
    const QStringList named = differenceLines(withNames(compareConfigurations(before, after), names));
    ASSERT_EQ(named.size(), plain.size());
    int renamed = 0;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain[i] == named[i]) continue;
        ++renamed;
        EXPECT_TRUE(named[i].contains(QStringLiteral("зона 3 «Подъезд 1»")) ||
                    named[i].contains(QStringLiteral("ключ 017 «Иванов И. И.»")))
            << named[i].toStdString();
    }
    EXPECT_EQ(renamed, 2);  // zone 4 has no name, zone 30 did not change
}

}  // namespace
}  // namespace v5
