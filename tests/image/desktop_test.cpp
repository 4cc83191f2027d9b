#include <gtest/gtest.h>

#include <functional>

#include <QFileInfo>

#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"

namespace v5 {
namespace {

class DesktopTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};

    void SetUp() override { installPanes(desktop); }
    void place(int slot, const char16_t* name) {
        desktop.btnSlotContextPopup(slot);
        desktop.miClick(QString::fromUtf16(name));
    }
};

// Records when the reset reaches it, to pin down the order of the commit steps.
class ProbePane : public Pane {
public:
    ProbePane(Desktop& d, QString name, ResetStage stage, std::vector<QString>& log)
        : Pane(d), name_(std::move(name)), stage_(stage), log_(log) {}
    QString objectName() const override { return name_; }
    ResetStage resetStage() const override { return stage_; }
    void onReset(bool leaving) override {
        log_.push_back(name_ + (leaving ? QStringLiteral("*") : QString()) + QStringLiteral(":") +
                       desktop().visiblePane());
    }
    QStringList modulePrefixes() const override { return {QStringLiteral("МР")}; }
    void openModule(const QString& name) override {
        desktop().showPane(name_);
        log_.push_back(QStringLiteral("open ") + name);
    }

private:
    QString name_;
    ResetStage stage_;
    std::vector<QString>& log_;
};

TEST_F(DesktopTest, StartsBlankWithNumberedSlotsAndNoFile) {
    desktop.FormCreate();
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
    EXPECT_EQ(desktop.title(), QStringLiteral("Параметры"));
    for (int s = 1; s <= 20; ++s)
        EXPECT_EQ(desktop.captions().at(s), QString::number(s));
    EXPECT_TRUE(desktop.image().isZero(0, Image::kSize));
    for (const QString& name : allModuleNames())
        EXPECT_TRUE(desktop.popupItemEnabled(name));
}

TEST_F(DesktopTest, ResetCommitsInStageOrderThenHidesThenSweeps) {
    std::vector<QString> log;
    desktop.addPane(
        std::make_unique<ProbePane>(desktop, QStringLiteral("late"), ResetStage::LinkedZones, log));
    desktop.addPane(std::make_unique<ProbePane>(desktop, QStringLiteral("relay"), ResetStage::Relays, log));
    desktop.addPane(
        std::make_unique<ProbePane>(desktop, QStringLiteral("line"), ResetStage::LineModule, log));
    place(1, u"МР1");
    log.clear();
    desktop.Parameter(QStringLiteral("МР1"));
    EXPECT_EQ(desktop.title(), QStringLiteral("МР1"));
    EXPECT_EQ(desktop.focusedSlot(), 1);
    // Every prefix pane that claims "МР" opens in turn; the last one wins the parameter area.
    EXPECT_EQ(desktop.visiblePane(), QStringLiteral("late"));
    log.clear();
    desktop.showPane(QStringLiteral("late"));
    desktop.image().fill(map::Relays.at(4), 10, 7);  // МР2 is not placed
    desktop.ClearDesktop();
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("line:late"), QStringLiteral("relay:late"),
                                         QStringLiteral("late*:")}));
    EXPECT_TRUE(desktop.visiblePane().isEmpty());
    EXPECT_EQ(desktop.title(), QStringLiteral("Параметры"));
    EXPECT_TRUE(desktop.image().isZero(map::Relays.at(4), 10));
}

TEST_F(DesktopTest, EmptySlotClickOnlyResets) {
    desktop.Parameter(QStringLiteral("7"));
    EXPECT_EQ(desktop.title(), QStringLiteral("Параметры"));
    EXPECT_EQ(desktop.focusedSlot(), 7);
    EXPECT_EQ(desktop.image().byte(map::LoopParams.offset + 2), 0x20);
}

TEST_F(DesktopTest, PlacingAModuleWritesTheSlotTableAndDisablesItEverywhere) {
    place(2, u"МР1");
    EXPECT_EQ(desktop.captions().at(2), QStringLiteral("МР1"));
    EXPECT_EQ(desktop.image().byte(slotEntryOffset(2)), 2);
    EXPECT_EQ(desktop.image().byte(slotEntryOffset(2) + 1), 0);
    desktop.btnSlotContextPopup(5);
    EXPECT_FALSE(desktop.popupItemEnabled(QStringLiteral("МР1")));
    EXPECT_TRUE(desktop.popupItemEnabled(QStringLiteral("МР10")));
    EXPECT_TRUE(desktop.popupItemEnabled(QStringLiteral("Удалить")));
    // A disabled item cannot place the module a second time.
    desktop.miClick(QStringLiteral("МР1"));
    EXPECT_EQ(desktop.captions().at(5), QStringLiteral("5"));
    EXPECT_EQ(desktop.image().byte(slotEntryOffset(5)), 0);
}

TEST_F(DesktopTest, DeletingMs2FromSlot7ClearsItsEntryAndItsData) {
    place(7, u"МС2");
    desktop.image().setByte(0x2838, 0x05);
    desktop.image().setByte(0x2839, 201);
    desktop.ClearDesktop();
    EXPECT_EQ(desktop.image().byte(0x2839), 201);
    desktop.btnSlotContextPopup(7);
    desktop.miClick(Desktop::deleteItem());
    EXPECT_EQ(desktop.image().byte(0x22DA), 0x00);
    EXPECT_EQ(desktop.image().byte(0x22DB), 0x00);
    EXPECT_EQ(desktop.image().byte(0x2838), 0x00);
    EXPECT_EQ(desktop.image().byte(0x2839), 0xFF);
    EXPECT_EQ(desktop.captions().at(7), QStringLiteral("7"));
}

TEST_F(DesktopTest, ReplacedModuleKeepsItsDataUntilTheNextReset) {
    desktop.ClearDesktop();
    place(1, u"МШС2");
    desktop.image().setByte(map::LoopParams.at(8), 0x55);
    place(1, u"МР1");
    EXPECT_EQ(desktop.image().byte(map::LoopParams.at(8)), 0x55);
    desktop.ClearDesktop();
    EXPECT_EQ(desktop.image().byte(map::LoopParams.at(8)), 0x00);
    EXPECT_EQ(desktop.image().byte(map::LoopParams.at(8) + 2), 0x20);
}

TEST_F(DesktopTest, ReplacingTheModuleWhosePaneIsOpenCommitsItFirst) {
    std::vector<QString> log;
    desktop.addPane(std::make_unique<ProbePane>(desktop, QStringLiteral("gbMR"), ResetStage::Relays, log));
    place(4, u"МР3");
    desktop.Parameter(QStringLiteral("МР3"));
    log.clear();
    place(4, u"МР4");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), QStringLiteral("gbMR*:gbMR"));
    EXPECT_EQ(desktop.captions().at(4), QStringLiteral("МР4"));
}

TEST_F(DesktopTest, AccessCodeDigitsAreStoredAsNibbles) {
    desktop.mmKodDostupaClick();
    ASSERT_TRUE(desktop.accessCodeBox().isOpen());
    EXPECT_EQ(desktop.accessCodeBox().text(), QStringLiteral("0000"));
    desktop.accessCodeBox().setText(QStringLiteral("1907"));
    desktop.Parameter(QStringLiteral("3"));
    EXPECT_FALSE(desktop.accessCodeBox().isOpen());
    EXPECT_EQ(desktop.image().byte(0x2CF9), 0x07);
    EXPECT_EQ(desktop.image().byte(0x2CFA), 0x19);
    desktop.mmKodDostupaClick();
    EXPECT_EQ(desktop.accessCodeBox().text(), QStringLiteral("1907"));
}

TEST_F(DesktopTest, PartialCodeIsNotStoredAndTheUserIsTold) {
    desktop.image().setWordLE(0x2CF9, 0x4321);
    for (const QString& partial : {QStringLiteral("12 4"), QStringLiteral("12"), QString()}) {
        desktop.mmKodDostupaClick();
        desktop.accessCodeBox().setText(partial);
        desktop.ClearDesktop();
        EXPECT_EQ(desktop.image().wordLE(0x2CF9), 0x4321) << qPrintable(partial);
        ASSERT_FALSE(prompts.messages.isEmpty());
        EXPECT_TRUE(prompts.messages.last().contains(QStringLiteral("прежний код 4321")))
            << qPrintable(prompts.messages.last());
    }
    EXPECT_EQ(prompts.messages.size(), 3);
    // Four digits are stored without a word.
    desktop.mmKodDostupaClick();
    desktop.accessCodeBox().setText(QStringLiteral("0042"));
    desktop.ClearDesktop();
    EXPECT_EQ(desktop.image().wordLE(0x2CF9), 0x0042);
    EXPECT_EQ(prompts.messages.size(), 3);
}

TEST_F(DesktopTest, CodeThatCannotBeTypedSurvivesOpeningTheBox) {
    desktop.image().setWordLE(0x2CF9, 0xAB12);
    desktop.mmKodDostupaClick();
    EXPECT_EQ(desktop.accessCodeBox().text(), QStringLiteral("ab12"));
    EXPECT_TRUE(desktop.accessCodeBox().note().contains(QStringLiteral("ab12")));
    desktop.ClearDesktop();
    EXPECT_EQ(desktop.image().wordLE(0x2CF9), 0xAB12);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DesktopTest, DeviceReadReplacesImageRebuildsSlotsAndSweeps) {
    Image read;
    test::placeModule(read, 9, QStringLiteral("МШС1"));
    read.fill(map::LoopParams.at(8), 3, 0x77);  // МШС2 is not in the read image
    read.setByte(0x4000, 0x99);
    desktop.acceptReadImage(read.bytes());
    EXPECT_EQ(desktop.captions().at(9), QStringLiteral("МШС1"));
    EXPECT_EQ(desktop.image().byte(map::LoopParams.at(8)), 0x00);
    EXPECT_EQ(desktop.image().byte(0x4000), 0x99);
    EXPECT_EQ(desktop.windowCaption(), QStringLiteral("Файл не выбран"));
}

}  // namespace
}  // namespace v5

namespace v5 {
namespace {

// Leaving the program: the question comes exactly when edits would be lost.
TEST(ExitQuestionTest, AskedOnlyWhenEditsWouldBeLostAndSaveRunsTheSaveCommand) {
    Image stale;  // a file that still holds data of a module it does not place: the sweep changes it
    stale.record(map::LoopParams, 40)[0] = 0x11;
    const struct Case {
        const char* what;
        std::function<void(Desktop&, test::ScriptedPrompts&, const QString& folder)> before;
        std::vector<SaveAnswer> answers;  // to the question, when it comes
        std::optional<QString> saveAs;    // the save dialog's answer
        bool asked;
        bool closes;
        bool written;
    } cases[] = {
        {"nothing done", {}, {}, {}, false, true, false},
        {"a file loaded and left alone",
         [&](Desktop& d, test::ScriptedPrompts& p, const QString& folder) {
             const QString file = folder + QStringLiteral("/stale.v5");
             ASSERT_TRUE(test::writeAll(file, stale.toByteArray()));
             p.openAnswers.push_back(file);
             d.mnLoadClick();
         },
         {},
         {},
         false,
         true,
         false},
        {"an image read from the device",
         [&](Desktop& d, auto&, auto&) { d.acceptReadImage(stale.bytes()); },
         {},
         {},
         false,
         true,
         false},
        {"an option ticked, not saved",
         [](Desktop& d, auto&, auto&) { d.image().setByte(map::OptionByte.offset, 1); },
         {SaveAnswer::DontSave},
         {},
         true,
         true,
         false},
        {"an option ticked, cancelled",
         [](Desktop& d, auto&, auto&) { d.image().setByte(map::OptionByte.offset, 1); },
         {SaveAnswer::Cancel},
         {},
         true,
         false,
         false},
        {"an option ticked, saved",
         [](Desktop& d, auto&, auto&) { d.image().setByte(map::OptionByte.offset, 1); },
         {SaveAnswer::Save},
         QStringLiteral("out.v5"),
         true,
         true,
         true},
        {"an option ticked, the save dialog cancelled",
         [](Desktop& d, auto&, auto&) { d.image().setByte(map::OptionByte.offset, 1); },
         {SaveAnswer::Save},
         std::optional<QString>(),
         true,
         false,
         false},
        {"a code typed into the open box, saved",
         [](Desktop& d, auto&, auto&) {
             d.mmKodDostupaClick();
             d.accessCodeBox().setText(QStringLiteral("4321"));
         },
         {SaveAnswer::Save},
         QStringLiteral("out.v5"),
         true,
         true,
         true},
        {"edited, then saved",
         [](Desktop& d, test::ScriptedPrompts& p, const QString& folder) {
             d.image().setByte(map::OptionByte.offset, 1);
             p.saveAnswers.push_back(folder + QStringLiteral("/first.v5"));
             d.mnSaveClick();
         },
         {},
         {},
         false,
         true,
         false},
        {"edited, then written to the device",
         [](Desktop& d, auto&, auto&) {
             d.image().setByte(map::OptionByte.offset, 1);
             d.markSaved();
         },
         {},
         {},
         false,
         true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        test::ScriptedPrompts prompts;
        Desktop desktop(prompts, dir.path());
        installPanes(desktop);
        if (c.before) c.before(desktop, prompts, dir.path());
        prompts.saveQuestionAnswers.assign(c.answers.begin(), c.answers.end());
        const QString out = dir.filePath(QStringLiteral("out.v5"));
        if (c.saveAs)
            prompts.saveAnswers.push_back(out);
        else if (!c.answers.empty() && c.answers.front() == SaveAnswer::Save)
            prompts.saveAnswers.push_back(std::nullopt);

        EXPECT_EQ(desktop.mayClose(), c.closes);
        EXPECT_EQ(prompts.questions,
                  c.asked ? QStringList{QStringLiteral("Сохранить изменения?")} : QStringList());
        EXPECT_EQ(QFileInfo::exists(out), c.written);
        if (c.written) {
            EXPECT_EQ(test::readAll(out), desktop.image().toByteArray());
        }
        EXPECT_TRUE(prompts.saveAnswers.empty()) << "the save dialog came exactly when it should";
        EXPECT_FALSE(desktop.accessCodeBox().isOpen()) << "the visible pane was committed first";
        if (QByteArray(c.what).startsWith("a code")) {
            EXPECT_EQ(desktop.image().wordLE(map::AccessCode.offset), 0x4321);
        }
    }
}

}  // namespace
}  // namespace v5
