#include "desktop/desktop.h"

#include <algorithm>

#include <QFileInfo>

#include "desktop/history_texts.h"
#include "desktop/site_names.h"
#include "files/backup_file.h"
#include "image/records.h"
#include "files/messages.h"
#include "image/orphan_sweep.h"
#include "files/settings_file.h"

namespace v5 {

Desktop::Desktop(UserPrompts& prompts, QString workFolder)
    : prompts_(prompts),
      workFolder_(std::move(workFolder)),
      title_(msg::ParameterTitle()),
      windowCaption_(msg::NoFileChosen()) {
    addPane(std::make_unique<AccessCodeBox>(*this));
    markSaved();
}

Desktop::~Desktop() = default;

std::vector<Pane*> Desktop::allPanes() const {
    std::vector<Pane*> all;
    for (const auto& pane : panes_)
        all.push_back(pane.get());
    return all;
}

void Desktop::addPane(std::unique_ptr<Pane> pane) {
    const auto stage = pane->resetStage();
    const auto at = std::upper_bound(panes_.begin(), panes_.end(), stage,
                                     [](ResetStage s, const auto& p) { return s < p->resetStage(); });
    panes_.insert(at, std::move(pane));
}

void Desktop::FormCreate() {
    const PortFileRead file = readPortFile(workFolder_);
    if (!file.exists) {
        COM_Click(1);
        return;
    }
    COM_unchecked();
    if (file.error) {
        reportPortFileError(file.error);
        return;
    }
    portFileContent_ = file.content;
    settings_ = parsePortFileSettings(file.content);
    const PortFileChoice choice = parsePortFile(file.content);
    startingUp_ = true;
    if (choice.comNumber != 0)
        COM_Click(choice.comNumber);
    else if (!choice.deviceName.isEmpty())
        chooseSystemPort(choice.deviceName);
    startingUp_ = false;
}

void Desktop::COM_unchecked() {
    checkedCom_ = 0;
    checkedSystemPort_.clear();
}

void Desktop::COM_Click(int number) {
    if (number < 1 || number > 9) return;
    COM_unchecked();
    portName_ = QStringLiteral("COM") + QString::number(number);
    checkedCom_ = number;
    rememberPort(QByteArray(1, static_cast<char>('0' + number)));
}

void Desktop::chooseSystemPort(const QString& name) {
    if (!isSystemPortName(name)) return;
    COM_unchecked();
    portName_ = name;
    checkedSystemPort_ = name;
    rememberPort(name.toUtf8());
}

void Desktop::rememberPort(const QByteArray& portLine) {
    const QByteArray content = withPortLine(portFileContent_, portLine);
    // At start a file that already says exactly this stays as it is: the same bytes written again and
    // synced to the disk changed nothing and were a noticeable part of a cold start.
    if (startingUp_ && content == portFileContent_) return;
    portFileContent_ = content;
    reportPortFileError(writePortFile(workFolder_, portFileContent_));
}

void Desktop::reportPortFileError(const std::optional<FileError>& error) {
    if (error) prompts_.message(error->message);
}

void Desktop::rebuildCaptions() {
    captions_ = SlotCaptions();
    captions_.bntSlotsUpdate(image_);
}

bool Desktop::loadSettingsFile(const QString& path) {
    if (const auto error = readSettingsInto(image_, path, AccessCodeCheck::SameAsImage)) {
        prompts_.message(error->message);
        return false;
    }
    windowCaption_ = QFileInfo(path).absoluteFilePath();
    return true;
}

void Desktop::mnLoadClick() {
    if (!mayReplaceImage()) return;
    takeStep();
    const std::optional<QString> path = prompts_.openFileName(msg::SettingsFilter());
    if (!path) {
        rebuildCaptions();
        ClearDesktop();
        return;
    }
    readChosenFile(*path);
}

void Desktop::openSettingsFile(const QString& path) {
    if (!mayReplaceImage()) return;
    takeStep();
    readChosenFile(path);
}

void Desktop::readChosenFile(const QString& path) {
    if (!loadSettingsFile(path)) return;
    settingsPath_ = QFileInfo(path).absoluteFilePath();
    readNamesBeside(path);
    imageReplaced(history_text::FileReadStep(QFileInfo(path).fileName()), history_text::FileRead(windowCaption_));
}

void Desktop::restoreBackup(const QString& path) {
    takeStep();
    if (!loadSettingsFile(path)) return;
    // The image is the backup file's.
    imageReplaced(history_text::BackupStep(QFileInfo(path).fileName()),
                  history_text::BackupRestored(QFileInfo(path).absoluteFilePath()));
}

void Desktop::imageReplaced(const QString& step, const QString& done) {
    rebuildCaptions();
    ClearDesktop();
    markSaved();
    // A read brings its own names, or keeps the site's: none is dropped for the objects it replaces.
    takeStep(step, false);
    if (!done.isEmpty()) lastOperation_ = done;
}

void Desktop::mnSaveClick() {
    for (const auto& pane : panes_)
        pane->commitBeforeSave();
    const std::optional<QString> path =
        prompts_.saveFileName(windowCaption_, msg::SettingsFilter(), msg::SettingsSuffix());
    if (!path) return;
    if (const auto error = writeSettingsFile(*path, image_)) {
        lastOperation_ = history_text::NotWritten(error->message);
        prompts_.message(error->message);
        return;
    }
    windowCaption_ = QFileInfo(*path).absoluteFilePath();
    settingsPath_ = windowCaption_;
    markSaved();
    const QString namesNote = writeNamesBeside(*path);
    lastOperation_ = history_text::FileWritten(windowCaption_) + namesNote;
}

QString Desktop::backupFolder() const {
    return settingsPath_.isEmpty() ? v5::backupFolder(workFolder_) : siteBackupFolder(settingsPath_);
}

void Desktop::readNamesBeside(const QString& settingsPath) {
    const QString path = namesPathFor(settingsPath);
    NamesRead read = readNamesFile(path);
    names_ = std::move(read.names);
    savedNames_ = names_;
    damagedNamesPath_.clear();
    if (read.problem.isEmpty()) return;
    damagedNamesPath_ = QFileInfo(path).absoluteFilePath();
    prompts_.message(history_text::NamesDamaged(path, read.problem));
}

QString Desktop::writeNamesBeside(const QString& settingsPath) {
    const QString path = namesPathFor(settingsPath);
    // No names and no file: nothing to keep beside the image.
    if (names_.isEmpty() && !QFileInfo::exists(path)) {
        savedNames_ = names_;
        return {};
    }
    if (QFileInfo(path).absoluteFilePath() == damagedNamesPath_) {
        if (!prompts_.confirmReplace(history_text::ReplaceDamagedNames(path), history_text::ReplaceNames(),
                                     history_text::KeepNames()))
            return history_text::NamesKept();
        damagedNamesPath_.clear();
    }
    if (const auto error = writeNamesFile(path, names_)) {
        prompts_.message(error->message);
        return history_text::NamesNotWritten(error->message);
    }
    savedNames_ = names_;
    return {};
}

void Desktop::acceptReadImage(std::span<const std::uint8_t, Image::kSize> bytes, const QString& step,
                              const QString& done) {
    takeStep();
    image_.assign(bytes);
    imageReplaced(step, done);
}

Image Desktop::swept() const {
    Image copy = image_;
    v5::ClearSheet(copy, captions_);
    return copy;
}

namespace {
std::optional<NamedObject> namedBy(const Pane& pane, bool note) {
    std::optional<NamedObject> shown = pane.shownObject();
    if (shown && note && shown->field == NameField::KeyOwner) shown->field = NameField::KeyNote;
    return shown;
}
}  // namespace

QString Pane::shownName(bool note) const {
    const std::optional<NamedObject> shown = namedBy(*this, note);
    return shown ? desktop().name(*shown) : QString();
}

void Pane::setShownName(const QString& text, bool note) {
    if (const std::optional<NamedObject> shown = namedBy(*this, note)) desktop().setName(*shown, text);
}

QString Pane::siteName(const NamedObject& object) const {
    return desktop().name(object);
}

QString Pane::namedTip(NameField field, const QString& number) const {
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok) return {};
    const QString name = siteName({field, n});
    return name.isEmpty() ? QString() : withName(subjectOf({field, n}), name);
}

bool Desktop::hasUnsavedChanges() const {
    return swept() != saved_ || names_ != savedNames_;
}

void Desktop::markSaved() {
    saved_ = swept();
}

void Desktop::commitVisiblePane() {
    for (const auto& pane : panes_)
        if (pane->objectName() == visiblePane_) pane->commitShown();
}

bool Desktop::hasUnsavedEdits() {
    // The edits the visible pane still holds count: stored for a moment, then taken back.
    const Image committed = image_;
    commitVisiblePane();
    const bool unsaved = hasUnsavedChanges();
    image_ = committed;
    return unsaved;
}

QString Desktop::windowTitle() {
    return hasUnsavedEdits() ? windowCaption_ + QStringLiteral(" *") : windowCaption_;
}

bool Desktop::mayClose() {
    ClearDesktop();
    return mayReplaceImage();
}

// Nothing is committed or swept unless the user saves: a read that is then refused leaves the image
// exactly as it was.
bool Desktop::mayReplaceImage() {
    if (!hasUnsavedEdits()) return true;
    switch (prompts_.askToSave(msg::SaveChanges())) {
        case SaveAnswer::Save:
            commitVisiblePane();
            mnSaveClick();
            return !hasUnsavedChanges();
        case SaveAnswer::DontSave:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void Desktop::ClearDesktop() {
    const QString leaving = visiblePane_;
    bool hidden = false;
    for (const auto& pane : panes_) {
        if (!hidden && pane->resetStage() > ResetStage::HidePanes) {
            visiblePane_.clear();
            title_ = msg::ParameterTitle();
            hidden = true;
        }
        pane->onReset(pane->objectName() == leaving);
    }
    visiblePane_.clear();
    title_ = msg::ParameterTitle();
    ClearSheet();
}

void Desktop::ClearSheet() {
    v5::ClearSheet(image_, captions_);
}

void Desktop::btnSlotContextPopup(int slot) {
    if (slot < 1 || slot > kSlotCount) return;
    currentSlot_ = slot;
}

bool Desktop::popupItemEnabled(const QString& moduleName) const {
    return moduleName == deleteItem() || !captions_.isPlaced(moduleName);
}

void Desktop::miClick(const QString& item) {
    const int s = currentSlot_;
    if (s < 1 || s > kSlotCount) return;
    if (item != deleteItem() && (!parseModuleName(item) || !popupItemEnabled(item))) return;
    // A pane that reads its record again after the placement first keeps what its controls hold, as
    // leaving it would.
    commitVisiblePane();
    if (item == deleteItem()) {
        captions_.set(s, QString());
    } else {
        if (captions_.at(s) == title_) ClearDesktop();
        captions_.set(s, item);
    }
    writeSlotEntry(image_, s, captions_.at(s));
    if (captions_.at(s).isEmpty()) {
        ClearDesktop();
        captions_.set(s, QString::number(s));
    }
    for (const auto& pane : panes_)
        pane->placementChanged();
}

namespace {
// The dispatch tests each prefix on its own and in this order; the panel's names each match one of them.
const QStringList& dispatchPrefixes() {
    static const QStringList prefixes{QStringLiteral("МШС"), QStringLiteral("МР"), QStringLiteral("МД"),
                                      QStringLiteral("МС")};
    return prefixes;
}
}  // namespace

void Desktop::Parameter(const QString& name) {
    ClearDesktop();
    if (name.size() > 2) title_ = name;
    focusedSlot_ = captions_.slotOf(name);
    for (const QString& prefix : dispatchPrefixes()) {
        if (!name.contains(prefix)) continue;
        for (const auto& pane : panes_)
            if (pane->modulePrefixes().contains(prefix)) pane->openModule(name);
    }
}

bool Desktop::opensModule(const QString& name) const {
    for (const QString& prefix : dispatchPrefixes()) {
        if (!name.contains(prefix)) continue;
        for (const auto& pane : panes_)
            if (pane->modulePrefixes().contains(prefix)) return true;
    }
    return false;
}

bool Desktop::moduleMenuItemEnabled(const QString& name) const {
    if (!opensModule(name)) return false;
    static const QString kExternal = QStringLiteral("МДВ");
    if (name.startsWith(kExternal)) {
        bool ok = false;
        const int n = QStringView(name).mid(kExternal.size()).toInt(&ok);
        if (!ok || n < 1 || n > 4) return false;
        return config::ExternalModules::decode(image_).mdv(n);
    }
    return captions_.isPlaced(name);
}

bool Desktop::hasCommand(const QString& item) const {
    for (const auto& pane : panes_)
        for (const MenuCommand& command : pane->menuCommands())
            if (command.item == item) return true;
    return false;
}

void Desktop::runCommand(const QString& item) {
    for (const auto& pane : panes_)
        for (const MenuCommand& command : pane->menuCommands())
            if (command.item == item) {
                command.run();
                return;
            }
}

void Desktop::beforeCommand() {
    for (const auto& pane : panes_)
        pane->beforeCommand();
}

void Desktop::mmKodDostupaClick() {
    ClearDesktop();
    accessCodeBox().open(config::AccessCode::decode(image_).word);
}

bool Desktop::takeStep(const QString& label) {
    return takeStep(label, true);
}

bool Desktop::takeStep(const QString& label, bool followObjects) {
    if (transferRunning_) return false;
    if (followObjects) dropNamesOfErased(history_.current(), image_, names_);
    return history_.record(image_, names_, label);
}

bool Desktop::undo() {
    return moveInHistory(true);
}

bool Desktop::redo() {
    return moveInHistory(false);
}

Pane* Desktop::visiblePaneModel() const {
    for (const auto& pane : panes_)
        if (pane->objectName() == visiblePane_) return pane.get();
    return nullptr;
}

bool Desktop::moveInHistory(bool back) {
    if (transferRunning_) return false;
    // What the shown pane holds is stored as leaving it would store it, as a step of its own, so that
    // the first undo takes back just that. A pane that can show the image again stays open.
    Pane* shown = visiblePaneModel();
    const bool staysOpen = shown && shown->canShowAgain();
    const QString module = opensModule(title_) ? title_ : QString();
    if (staysOpen)
        commitVisiblePane();
    else
        ClearDesktop();
    takeStep();
    const std::optional<QString> step = back ? history_.undo(image_, names_) : history_.redo(image_, names_);
    if (!step) {
        lastOperation_ = back ? history_text::NothingToUndo() : history_text::NothingToRedo();
        return false;
    }
    rebuildCaptions();
    for (const auto& pane : panes_) {
        pane->placementChanged();
        pane->imageRestored();
    }
    const bool moduleThere = !module.isEmpty() && moduleMenuItemEnabled(module);
    if (staysOpen && (module.isEmpty() || moduleThere)) {
        shown->showAgain();
    } else {
        // Closed without storing its controls: they show the bytes from before.
        visiblePane_.clear();
        ClearDesktop();
        if (moduleThere) Parameter(module);
    }
    lastOperation_ = back ? history_text::Undone(*step) : history_text::Redone(*step);
    return true;
}

}  // namespace v5
