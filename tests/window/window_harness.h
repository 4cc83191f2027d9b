#pragma once

#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/fake_module.h"
#include "tests/support/fake_port.h"
#include "tests/support/image_builder.h"
#include "window/main_window.h"
#include "window/safety_dialogs.h"
#include "tests/support/virtual_clock.h"

namespace v5::test {

// Records the text files the window asks the system to open.
class RecordingViewer : public TextViewer {
public:
    QStringList opened;
    bool open(const QString& path) override {
        opened << path;
        return opens;
    }
    bool opens = true;  // false: no editor on this machine
};

// Answers the window's compare, check and restore questions from the test, and records them.
class RecordingSafetyDialogs : public SafetyDialogs {
public:
    struct List {
        QString title;
        QString summary;
        QStringList lines;
    };
    std::vector<List> lists;
    std::vector<QStringList> questions;
    bool writeAnyway = false;
    QStringList restoreFolders;
    std::optional<QString> restoreAnswer;

    void showList(const QString& title, const QString& summary, const QStringList& lines) override {
        lists.push_back({title, summary, lines});
    }
    bool writeDespite(const std::vector<Problem>& problems) override {
        questions.push_back(problemLines(problems));
        return writeAnyway;
    }
    std::optional<QString> backupToRestore(const QString& folder) override {
        restoreFolders << folder;
        return restoreAnswer;
    }
};

// A main window on scripted prompts, a fresh work folder and a fake input module, as the window tests
// use it: start() in init(), stop() in cleanup(). Widgets are found by objectName.
class WindowHarness {
public:
    RecordingViewer viewer;
    ScriptedPrompts prompts;
    RecordingSafetyDialogs safety;
    FakePort* port = nullptr;
    std::unique_ptr<FakeModule> module;
    // The device commands' time: their pauses, the key reader's polls.
    VirtualClock* clock = nullptr;
    // Changes to the window's set-up before start() builds it (a scripted key-code dialog, ...).
    std::function<void(MainFormSetup&)> adjustSetup;
    std::unique_ptr<QTemporaryDir> dir;
    QPointer<TV5ivezMainForm> window;
    // What "V5ivez.ini" holds when the window starts; no file when empty.
    QByteArray portFile;

    void start();
    void stop();

    Desktop& desktop() { return window->desktop(); }
    template <class T>
    T* find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found) qWarning("no widget named %s", qPrintable(name));
        return found;
    }
    QAction* action(const QString& name) const { return find<QAction>(name); }
    QMenu* menu(const QString& name) const { return find<QMenu>(name); }
    // Opening a menu of the menu bar, as the user's click on it does.
    void openMenu(const QString& name) const;
    // Chooses a menu item (after opening its menu, when it has one).
    void choose(const QString& menuName, const QString& itemName) const;
    // Places a module through the slot menu.
    void place(int slot, const QString& moduleName) const;
    // Shows `pane` alone, after the pane reset, as its menu item does (the access-code box opens).
    void showOnly(const Pane& pane);
    // Clicks a check box or radio button on its indicator, where a user would.
    void click(const QString& name) const;
};

// Presses "OK" of the progress window of `window` once a final message shows; the message goes to
// `message`, which must outlive the wait. `atMessage` looks at the progress window first.
void acknowledgeWhenDone(QWidget* window, QString* message,
                         std::function<void(QWidget* progressWindow)> atMessage = {});
// Chooses the menu item `item` of `window` and returns the final message of its transfer, acknowledged.
QString chooseAndAcknowledge(QWidget* window, const QString& item);

// A main window on the real serial port, for end-to-end runs against the module's simulator on a
// pseudo-terminal: start() in init(), stop() in cleanup().
class SimulatorWindow {
public:
    ScriptedPrompts prompts;
    RecordingSafetyDialogs safety;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TV5ivezMainForm> window;

    void start();
    void stop();
    // Starts the simulator `program` unpaced with `args`, logging to sim.log in the work folder, and
    // returns the terminal's path it prints (empty when it did not start).
    QString startSimulator(const QString& program, const QStringList& args);

private:
    QProcess sim_;
};

// What is wrong with the layout of a shown pane: a named control that is hidden though its pane shows,
// lies outside its parent, overlaps a named sibling, or is too small for its own text.
QStringList layoutProblems(const QWidget* pane);

}  // namespace v5::test
