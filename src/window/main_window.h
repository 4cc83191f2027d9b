#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include "desktop/desktop.h"
#include "reports/text_viewer.h"

namespace v5 {

class DeviceCommands;
class DeviceLink;
class JournalWindow;
class KeyCodePrompt;
class PaneView;
class SafetyDialogs;
class TKeyForm;
struct PaneViewEntry;

// What the main window is started with; tests give their own answers and folders.
struct MainFormSetup {
    UserPrompts* prompts = nullptr;  // dialogs over the window when not given
    QString workFolder;              // the current folder when empty
    // The serial ports the system offers besides COM1..COM9 (names such as "ttyUSB0").
    std::function<QStringList()> systemPorts;
    TextViewer* textViewer = nullptr;  // the system's text editor when not given
    // The input module on the chosen serial port when not given.
    std::function<std::unique_ptr<DeviceCommands>(QWidget* owner)> deviceCommands;
    // The compare lists, the question before a write with errors and the backup choice; dialogs over
    // the window when not given.
    SafetyDialogs* safetyDialogs = nullptr;
    // Where a key code is typed by hand; the dialog TKeyForm when not given.
    KeyCodePrompt* keyCodePrompt = nullptr;
};

// The main window: the slot row, the parameter area with its panes, and the menu bar. It shows the
// desktop and turns the user's clicks into desktop calls; the rules live in the desktop.
class TV5ivezMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TV5ivezMainForm(MainFormSetup setup = MainFormSetup(), QWidget* parent = nullptr);
    ~TV5ivezMainForm() override;

    Desktop& desktop() { return *desktop_; }
    // The client area at its size and the whole menu bar in one row.
    QSize sizeHint() const override;
    // Shows the desktop's state in every control.
    void render();

    // A settings file the program was started with: read as "Прочитать с  диска" reads the file chosen.
    void openSettingsFile(const QString& path);

    // The device commands of the "Файл настроек" menu.
    void mnReadClick();
    void mnWriteClick();
    void ReadFromV5Click();
    void WriteToV5Click();
    // "Сравнить с файлом…", "Сравнить с прибором" and "Восстановить из резервной копии…".
    void compareWithFileClick();
    void compareWithDeviceClick();
    void restoreBackupClick();
    // "Журнал событий": the archive as a table in a window of its own, which follows the configuration.
    void openJournal();

protected:
    // Closing cancels a running transfer first, then asks about unsaved edits.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSlots(QWidget* central);
    void buildParameterArea(QWidget* central);
    void buildMenu();
    QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption);
    QAction* addItem(QWidget* menu, const char* name, const QString& caption, std::function<void()> handler);
    // An item whose command a pane model answers (wirePaneCommands).
    void addPaneItem(QWidget* menu, const char* name, const QString& caption);
    void addModuleItems(QMenu* menu, const char* namePrefix, const QString& captionPrefix, int count);
    void buildSlotMenu();
    // Alt and a letter open each menu of the bar.
    void addMnemonics();
    enum class SystemPorts { All, SessionOnly };
    void refreshSystemPorts(SystemPorts which = SystemPorts::All);
    // Items that a pane model answers run its command; items nobody answers yet are disabled.
    void wirePaneCommands();
    void enableModuleItems(QMenu* menu);
    void renderPanes();

    void btnSlotContextPopup(int slot, const QPoint& at);
    void openByName(const QString& name);
    // The one gate of every command: nothing runs while a transfer does (it waits in nested event loops,
    // and a dialog, an image or port change in between would disturb it). Runs a desktop action, then
    // shows the result.
    bool mayAct() const;
    void act(const std::function<void()>& action);
    // The configuration check before a write: true when there are no errors or the user writes anyway.
    bool checkedBeforeWrite();
    // A transfer starts or ends: only the progress window and its button stay live meanwhile.
    void transferRunning(bool running);

    // Keyboard: F10 enters the menu bar as Alt does; Ctrl+O and Ctrl+S read and write the settings file
    // after the same pane reset as opening their menu; Shift+F10 opens a slot's menu.
    void buildKeys();
    // The status bar: the last operation and its result, and the hint of the control under the mouse.
    void buildStatusBar();
    void enterMenuBar();
    void fitSlotCaption(QPushButton* button);
    // The width a slot button's caption has inside its frame.
    static int slotCaptionRoom(const QPushButton* button);
    // After F10: the keyboard goes back where it was once the menus are left.
    void leaveMenuBar();

    std::unique_ptr<UserPrompts> ownPrompts_;
    UserPrompts* prompts_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<TextViewer> ownTextViewer_;
    std::unique_ptr<DeviceCommands> device_;
    std::unique_ptr<SafetyDialogs> ownSafetyDialogs_;
    SafetyDialogs* safetyDialogs_ = nullptr;
    // The input module as the panes use it (the key reader, the console copy), on device_.
    std::unique_ptr<DeviceLink> deviceLink_;
    QPointer<TKeyForm> keyForm_;
    QPointer<JournalWindow> journal_;
    TextViewer* textViewer_;
    std::function<QStringList()> systemPorts_;

    std::array<QPushButton*, kSlotCount> slotButtons_{};
    QMenu* pmSlots_ = nullptr;
    QHash<QString, QAction*> slotItems_;
    QGroupBox* gbParameter_ = nullptr;
    // What to do first, while no pane is shown.
    QLabel* emptyHint_ = nullptr;
    // The registered pane views, each built the first time its pane is shown.
    struct PaneViewSlot {
        const PaneViewEntry* entry;
        PaneView* view = nullptr;
    };
    std::vector<PaneViewSlot> paneViews_;
    QList<QAction*> paneItems_;
    QMenu* comMenu_ = nullptr;
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
    QLabel* lastOperation_ = nullptr;
    std::array<QAction*, 9> comItems_{};
    QAction* systemPortsSeparator_ = nullptr;
    QList<QAction*> systemPortItems_;
    // Ports named by the port file or chosen in this session: offered until the program ends.
    QStringList sessionPorts_;
    QPointer<QWidget> menuFocusReturn_;
    bool closeAfterTransfer_ = false;
    bool centred_ = false;
    QFont slotFont_;
};

}  // namespace v5
