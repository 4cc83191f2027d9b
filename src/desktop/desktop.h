#pragma once

#include <memory>
#include <vector>

#include "desktop/access_code_box.h"
#include "desktop/device_link.h"
#include "image/image.h"
#include "desktop/loop_grid.h"
#include "desktop/pane.h"
#include "desktop/undo_history.h"
#include "desktop/site_names.h"
#include "files/names_file.h"
#include "files/port_file.h"
#include "files/settings_file.h"
#include "image/slots.h"
#include "desktop/user_prompts.h"

namespace v5 {

// The main window without widgets: the image, the slot captions, the parameter area with its one
// visible pane, the port choice and the file commands. The window shows it and forwards clicks.
class Desktop {
public:
    Desktop(UserPrompts& prompts, QString workFolder);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Image& image() { return image_; }
    const Image& image() const { return image_; }
    const SlotCaptions& captions() const { return captions_; }
    UserPrompts& prompts() { return prompts_; }
    // Where the port file and the text exports live: the folder the program was started in.
    const QString& workFolder() const { return workFolder_; }

    // Panes plug in here; the reset calls them in the order of their stage.
    void addPane(std::unique_ptr<Pane> pane);
    template <class T>
    T* pane() const {
        for (const auto& p : panes_)
            if (auto* found = dynamic_cast<T*>(p.get())) return found;
        return nullptr;
    }
    // The access-code box every desktop holds from the start.
    AccessCodeBox& accessCodeBox() { return *pane<AccessCodeBox>(); }
    // Every pane, in the order of the reset.
    std::vector<Pane*> allPanes() const;
    // Raised while a pane fills its controls from the image.
    LoadingFlag& loading() { return loading_; }

    // Main-menu items answered by a pane (by objectName), and running one.
    bool hasCommand(const QString& item) const;
    void runCommand(const QString& item);
    // The window calls this before every command the user chooses: waits in progress end.
    void beforeCommand();

    // The input module for the panes that use it (the key reader, the console copy); none when
    // nobody lent one. The lender keeps it alive while the desktop uses it.
    DeviceLink* deviceLink() const { return deviceLink_; }
    void setDeviceLink(DeviceLink* link) { deviceLink_ = link; }
    // Some pane opens modules of this name's kind.
    bool opensModule(const QString& name) const;
    // The module menus ("МШС", "МР", "МД(В)", "МС") offer a module's item exactly while the module is
    // placed ("МДВ1".."МДВ4": while its presence bit is set) and a pane can open it.
    bool moduleMenuItemEnabled(const QString& name) const;

    // The parameter area.
    const QString& title() const { return title_; }
    const QString& visiblePane() const { return visiblePane_; }
    void showPane(const QString& objectName) { visiblePane_ = objectName; }
    bool isPaneVisible(const QString& objectName) const { return visiblePane_ == objectName; }
    int focusedSlot() const { return focusedSlot_; }
    // The window caption: the settings file last read or written.
    const QString& windowCaption() const { return windowCaption_; }
    // The caption as the window shows it: followed by " *" while there are unsaved edits, those the
    // visible pane holds included.
    QString windowTitle();

    // Start-up: the port file and the initial state.
    void FormCreate();

    // Port choice, remembered in V5ivez.ini.
    const QString& portName() const { return portName_; }
    int checkedComPort() const { return checkedCom_; }
    const QString& checkedSystemPort() const { return checkedSystemPort_; }
    void COM_Click(int number);
    void chooseSystemPort(const QString& name);
    void COM_unchecked();
    // The settings that follow the port in V5ivez.ini, as read at start-up.
    const PortFileSettings& settings() const { return settings_; }

    // Opening the "COM-порт" and "Файл настроек" menus.
    void ComSelectClick() { ClearDesktop(); }
    void mnEEPROMClick() { ClearDesktop(); }
    // "Прочитать с  диска": asks about unsaved edits first (mayReplaceImage).
    void mnLoadClick();
    // A settings file the program was started with (opened in the file manager): read as the file
    // chosen in the dialog of "Прочитать с  диска" is, names, checks and messages alike.
    void openSettingsFile(const QString& path);
    void mnSaveClick();
    // "Восстановить из резервной копии…": a backup read as a settings file (the access code is compared
    // as for any file), so that it can be written back. The caller asks mayReplaceImage() before it
    // offers the backups.
    void restoreBackup(const QString& path);

    // A whole image read from the panel or the chip replaces the image; `step` names the undo step
    // ("чтение из прибора"), `done` is the status ("Прочитано из прибора").
    void acceptReadImage(std::span<const std::uint8_t, Image::kSize> bytes, const QString& step = {},
                         const QString& done = {});

    // Unsaved edits: whether the image, as the pane reset leaves it, differs from what was last read
    // from or written to a file or the device.
    bool hasUnsavedChanges() const;
    // The image now matches a file or the device (after a successful write to the device).
    void markSaved();
    // hasUnsavedChanges(), the edits the visible pane has not stored yet included.
    bool hasUnsavedEdits();
    // Before the configuration is replaced (a settings file, a backup, a read from the panel or the chip):
    // when edits would be lost, asks "Сохранить изменения?"; "Сохранить" stores the visible pane and runs
    // "Записать на диск". False when nothing may go on: cancelled, or the save did not happen.
    bool mayReplaceImage();
    // Leaving the program: commits the visible pane, then the same question.
    bool mayClose();

    void ClearDesktop();
    void ClearSheet();

    // Undo and redo. The window takes a step after every command the user gives (takeStep): whatever
    // the command changed in the image is one step. Undo and redo first store what the shown pane
    // holds, as leaving it would, as a step of its own, then put the bytes back and show the pane again
    // from the image. Nothing moves while a transfer runs.
    UndoHistory& history() { return history_; }
    // What changed since the last step becomes one; `label` names it (a load), else the change is
    // described in the comparison's words. The names of what the change erased go with it. False when
    // nothing changed or a transfer runs.
    bool takeStep(const QString& label = {});

    // Where the copies of the panel go before a write, and where a restore looks: beside the settings
    // file the configuration was read from or written to ("site.backups"), else "backups" in the work
    // folder.
    QString backupFolder() const;
    // The site's settings file, last read or written; empty before the first.
    const QString& settingsPath() const { return settingsPath_; }

    // The names of the site, read and written beside the settings file ("<name>.names.json").
    const SiteNames& names() const { return names_; }
    void setNames(const SiteNames& names) { names_ = names; }
    // A name field of a pane: what it shows, and the text as the user types it, kept exactly. The step
    // for undo is taken with the user's next command, as for any edit.
    QString name(const NamedObject& object) const { return nameOf(names_, object); }
    void setName(const NamedObject& object, const QString& text) { setNameOf(names_, object, text); }
    // "Объект…": the site's name, address, customer, phone and notes.
    void setSiteData(const SiteData& site) { names_.site = site; }
    bool undo();
    bool redo();
    // A transfer runs: no step, undo or redo until it ends.
    void setTransferRunning(bool running) { transferRunning_ = running; }
    // The last operation and its result in plain words ("Записано: /path/site.v5"), for the status bar.
    const QString& lastOperation() const { return lastOperation_; }
    void setLastOperation(const QString& text) { lastOperation_ = text; }

    // Slots.
    int currentSlot() const { return currentSlot_; }
    void btnSlotContextPopup(int slot);
    bool popupItemEnabled(const QString& moduleName) const;
    void miClick(const QString& item);  // a module name or kDeleteItem
    static QString deleteItem() { return QStringLiteral("Удалить"); }

    // Panes by module name, from slot buttons and module menu items.
    void mClick(const QString& caption) { Parameter(caption); }
    void Parameter(const QString& name);
    void mmKodDostupaClick();

private:
    void rebuildCaptions();
    void commitVisiblePane();
    // Reads a settings file into the image; false after telling the user why not.
    bool loadSettingsFile(const QString& path);
    // The rest of "Прочитать с  диска" once a file is chosen.
    void readChosenFile(const QString& path);
    // The image as the orphan sweep of the next pane reset leaves it.
    Image swept() const;
    void reportPortFileError(const std::optional<FileError>& error);
    // The port's line of V5ivez.ini, the rest of the file kept.
    void rememberPort(const QByteArray& portLine);
    bool moveInHistory(bool back);
    Pane* visiblePaneModel() const;
    // A whole new image (a file, a backup, the device) has been assigned: the captions, the pane reset,
    // the saved state and its step.
    void imageReplaced(const QString& step, const QString& done);

    UserPrompts& prompts_;
    QString workFolder_;
    Image image_;
    SlotCaptions captions_;
    Image saved_;  // swept(), as last read or written
    SiteNames savedNames_;  // the names as last read from or written beside a settings file
    std::vector<std::unique_ptr<Pane>> panes_;
    LoadingFlag loading_;
    DeviceLink* deviceLink_ = nullptr;
    QString title_;
    QString visiblePane_;
    QString windowCaption_;
    QString portName_;
    int checkedCom_ = 0;
    QString checkedSystemPort_;
    QByteArray portFileContent_;  // rewritten with each port choice, its settings lines kept
    bool startingUp_ = false;     // FormCreate takes the port the file names
    PortFileSettings settings_;
    int currentSlot_ = 0;
    int focusedSlot_ = 0;
    UndoHistory history_;
    SiteNames names_;
    QString settingsPath_;  // the settings file last read or written: the site
    // A names file that could not be read: it is not overwritten without asking.
    QString damagedNamesPath_;
    bool takeStep(const QString& label, bool followObjects);
    void readNamesBeside(const QString& settingsPath);
    // After the settings file is written: the names beside it. A note for the status bar when they
    // were not written.
    QString writeNamesBeside(const QString& settingsPath);
    bool transferRunning_ = false;
    QString lastOperation_;
};

}  // namespace v5
