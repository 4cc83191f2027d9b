#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "desktop/site_names.h"

namespace v5 {

class Desktop;

// When a pane takes part in the pane reset. The reset calls every pane in this order; the steps
// before HidePanes still see which pane is being left, HidePanes itself is done by the desktop.
enum class ResetStage : int {
    Options = 10,     // the option boxes show the option byte again
    LineModule = 20,  // the communication-module pane
    Sounders = 30,
    KeyCard = 40,
    AccessCode = 50,  // the access-code box stores its value and closes
    LoopParams = 60,
    Relays = 61,
    Indicators = 62,
    HidePanes = 70,
    LinkedZones = 80,  // still committed after the hide, like the panel's own tool does
    Sweep = 100,
};

// A main-menu item that a pane answers: the item's objectName and what choosing it does.
struct MenuCommand {
    QString item;
    std::function<void()> run;
};

// A headless pane of the parameter area. The desktop owns it; the view shows it.
class Pane {
public:
    explicit Pane(Desktop& desktop) : desktop_(desktop) {}
    virtual ~Pane() = default;
    Pane(const Pane&) = delete;
    Pane& operator=(const Pane&) = delete;

    // objectName of the pane's group box, e.g. "gbExt".
    virtual QString objectName() const = 0;
    virtual ResetStage resetStage() const = 0;
    // Called by every pane reset, in stage order; `leaving` is true when this pane was the one shown.
    virtual void onReset(bool leaving) = 0;
    // Module-name prefixes ("МШС", "МР", "МД", "МС") whose names open this pane.
    virtual QStringList modulePrefixes() const { return {}; }
    virtual void openModule(const QString& /*name*/) {}
    // Something was placed in or removed from a slot.
    virtual void placementChanged() {}
    // While shown: stores what the controls hold that is not stored yet, as leaving the pane would,
    // and stays shown. Called before a placement, after which a pane may read its record again.
    virtual void commitShown() {}
    // Undo and redo put other bytes under the shown pane. A pane that can read what it shows again,
    // keeping its tab or selected item, says so here and does it in showAgain(); commitShown() stores its
    // controls before. Any other pane is left first, as a pane reset leaves it, and afterwards a module's
    // pane is opened anew.
    virtual bool canShowAgain() const { return false; }
    virtual void showAgain() {}
    // Undo or redo put other bytes in the image: a pane that shows part of it whatever pane is open
    // (the option boxes) reads it again.
    virtual void imageRestored() {}
    // The loop, zone, partition, relay or key the pane shows, whose name its "Название" field edits.
    virtual std::optional<NamedObject> shownObject() const { return std::nullopt; }
    // The name of the object shown, and the user's text for it, kept as typed. `note`: the note of the
    // key on the card rather than its owner.
    QString shownName(bool note = false) const;
    void setShownName(const QString& text, bool note = false);
    // The name of any object of the site, for tooltips of tabs and lists.
    QString siteName(const NamedObject& object) const;
    // A tab's or list item's tooltip: "шлейф 17 «Окна кухни»", or nothing for an object without a name.
    QString namedTip(NameField field, const QString& number) const;
    // The settings file is about to be written.
    virtual void commitBeforeSave() {}
    // The main-menu items this pane answers ("mGRZona", "mZO", ...); the window wires them by objectName.
    virtual std::vector<MenuCommand> menuCommands() { return {}; }
    // The user chose a command (a menu item, a slot) or is closing the window; called before the
    // command runs. A pane waiting in a loop of its own (the key reader) ends the wait here.
    virtual void beforeCommand() {}

protected:
    Desktop& desktop() { return desktop_; }
    const Desktop& desktop() const { return desktop_; }

private:
    Desktop& desktop_;
};

}  // namespace v5
