// What the installer typed survives: a placement while a pane is open, the " *" in the caption, and
// files that are not files. The question before a read is tested on the window, for all four reads.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>

#include <QFileInfo>

#include "desktop/desktop.h"
#include "image/records.h"
#include "tests/support/guarded_fifo.h"
#include "tests/support/image_builder.h"
#include "outputs/indicator_pane.h"
#include "panes/install_panes.h"
#include "groups/loop_pane.h"
#include "outputs/output_records.h"
#include "outputs/relay_pane.h"
#include "image/tables.h"
#include "groups/zona_pane.h"

namespace v5 {
namespace {

class UnsavedWorkTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<Desktop> desktop;

    void SetUp() override { fresh(); }
    void fresh() {
        prompts = test::ScriptedPrompts();
        desktop = std::make_unique<Desktop>(prompts, dir.path());
        installPanes(*desktop);
    }
    void place(int slot, const QString& name) {
        desktop->btnSlotContextPopup(slot);
        desktop->miClick(name);
    }
    Image& image() { return desktop->image(); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(UnsavedWorkTest, PlacingAModuleKeepsWhatTheShownPaneHolds) {
    struct Case {
        const char* pane;
        std::function<void(Desktop&)> openAndEdit;
        // The edit is in the image and the pane still shows it.
        std::function<bool(Desktop&)> kept;
    };
    const Case cases[] = {
        {"loop parameters",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МШС1"));
             d.pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Fire));
         },
         [](Desktop& d) {
             const auto r = d.image().record(map::LoopParams, 0);
             return decodeLoop(LoopRecord{{r[0], r[1], r[2]}}).type == LoopTypeItem::Fire &&
                    d.pane<LoopPane>()->type() == LoopTypeItem::Fire;
         }},
        {"relay",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МР1"));
             d.pane<RelayPane>()->rgReleModeClick(3);
             d.pane<RelayPane>()->cRClick(2, true);
         },
         [](Desktop& d) {
             return (d.image().record(map::Relays, 0)[0] & 0x0F) == 3 &&
                    config::Relay::decode(d.image(), 0).loops == test::loops({2}) && d.pane<RelayPane>()->mode() == 3 &&
                    d.pane<RelayPane>()->grid().isTicked(2);
         }},
        {"zone",
         [](Desktop& d) {
             d.pane<ZonaPane>()->mGRZonaClick();
             d.pane<ZonaPane>()->Button2Click();
             d.pane<ZonaPane>()->ZoneClick(4, true);
         },
         [](Desktop& d) {
             return zonaMask(d.image(), 1) == test::loops({4}) && d.pane<ZonaPane>()->grid().isTicked(4);
         }},
        {"indicator",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МД1"));
             d.pane<IndicatorPane>()->cUDClick(5, true);
         },
         [](Desktop& d) {
             return d.image().loopMask(map::Indicators.at(0)) == test::loops({5}) &&
                    d.pane<IndicatorPane>()->grid().isTicked(5);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pane);
        fresh();
        place(1, QStringLiteral("МШС1"));
        place(2, QStringLiteral("МР1"));
        place(3, QStringLiteral("МД1"));
        c.openAndEdit(*desktop);
        place(4, QStringLiteral("МШС2"));
        EXPECT_TRUE(c.kept(*desktop));
        // Leaving the pane stores what it shows: the same again.
        const Image afterPlacement = image();
        desktop->ClearDesktop();
        EXPECT_EQ(image(), afterPlacement);
    }
}

TEST_F(UnsavedWorkTest, CaptionMarksEditsTheShownPaneStillHolds) {
    place(1, QStringLiteral("МШС1"));
    prompts.saveAnswers.push_back(path("site.v5"));
    desktop->mnSaveClick();
    const QString file = QFileInfo(path("site.v5")).absoluteFilePath();
    EXPECT_EQ(desktop->windowTitle(), file);

    desktop->Parameter(QStringLiteral("МШС1"));
    EXPECT_EQ(desktop->windowTitle(), file);  // looking is no edit
    const Image before = image();
    desktop->pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Fire));
    EXPECT_EQ(desktop->windowTitle(), file + QStringLiteral(" *"));
    // Asking the caption stores nothing: the pane stores the loop when it is left, as before.
    EXPECT_EQ(image(), before);
    EXPECT_TRUE(desktop->isPaneVisible(QStringLiteral("gbMShl")));

    desktop->ClearDesktop();
    EXPECT_EQ(desktop->windowTitle(), file + QStringLiteral(" *"));
    prompts.saveAnswers.push_back(path("site.v5"));
    desktop->mnSaveClick();
    EXPECT_EQ(desktop->windowTitle(), file);

    // A whole image from the panel or the chip counts as kept, as leaving the program does.
    image().setByte(map::Reserved.offset, 1);
    EXPECT_EQ(desktop->windowTitle(), file + QStringLiteral(" *"));
    desktop->acceptReadImage(Image().bytes());
    EXPECT_EQ(desktop->windowTitle(), file);
}

// A name that is not a regular file is refused at once, whatever it is; nothing waits on it.
TEST_F(UnsavedWorkTest, FilesThatAreNotFilesAreRefusedAtOnceAndLongFilesWithTheirLength) {
    const test::GuardedFifo fifo(path("pipe.v5"));
    ASSERT_TRUE(fifo.made());
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = path("socket.v5").toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(socketPath.size()), sizeof(address.sun_path));
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.v5")));
    ASSERT_TRUE(test::writeAll(path("long.v5"), QByteArray(40000, '\0')));
    ASSERT_TRUE(test::writeAll(path("short.v5"), QByteArray(32767, '\0')));

    const struct {
        QString file;
        const char16_t* reason;
    } cases[] = {
        {path("pipe.v5"), u"это именованный канал, а не файл"},
        {QStringLiteral("/dev/zero"), u"это устройство, а не файл"},
        {path("socket.v5"), u"это сокет, а не файл"},
        {path("folder.v5"), u"это имя занято папкой"},
        {path("long.v5"), u"файл длиннее, чем нужно: 40000 байт вместо 32768"},
        {path("short.v5"), u"файл короче, чем нужно: 32767 байт вместо 32768"},
        {path("missing.v5"), u"нет такого файла или папки"},
    };
    image().setByte(100, 0x42);
    const Image before = image();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        prompts.messages.clear();
        prompts.openAnswers.push_back(c.file);
        const auto started = std::chrono::steady_clock::now();
        desktop->mnLoadClick();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
        EXPECT_EQ(
            prompts.messages,
            QStringList{QStringLiteral("Ошибка чтения\n%1: %2").arg(c.file, QString::fromUtf16(c.reason))});
        EXPECT_EQ(image(), before);
        EXPECT_EQ(desktop->windowCaption(), QStringLiteral("Файл не выбран"));
    }
    // Saving onto the pipe is refused too, at once: the window writes files.
    prompts.messages.clear();
    prompts.saveAnswers.push_back(path("pipe.v5"));
    desktop->mnSaveClick();
    EXPECT_EQ(
        prompts.messages,
        QStringList{
            QStringLiteral("Ошибка записи\n%1: это именованный канал, а не файл").arg(path("pipe.v5"))});
    ::close(sock);
    EXPECT_FALSE(fifo.readerWaited());
}

}  // namespace
}  // namespace v5
