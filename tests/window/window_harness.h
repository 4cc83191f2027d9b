#pragma once

#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include "fake_module.h"
#include "fake_port.h"
#include "image_builder.h"
#include "main_window.h"

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

// A main window on scripted prompts, a fresh work folder and a fake input module, as the window tests
// use it: start() in init(), stop() in cleanup(). Widgets are found by objectName.
class WindowHarness {
public:
    RecordingViewer viewer;
    ScriptedPrompts prompts;
    FakePort* port = nullptr;
    std::unique_ptr<FakeModule> module;
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
    // Clicks a check box or radio button on its indicator, where a user would.
    void click(const QString& name) const;
    // Presses "OK" of the progress window once its final message shows, keeping the message.
    void acknowledgeWhenDone(QString* message) const;
};

// What is wrong with the layout of a shown pane: a named control that is hidden though its pane shows,
// lies outside its parent, overlaps a named sibling, or is too small for its own text.
QStringList layoutProblems(const QWidget* pane);

}  // namespace v5::test
