#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "keys/key_table.h"
#include "desktop/pane.h"

namespace v5 {

class KeyCodePrompt;
class KeyListPane;

// The key card gbSKey with its pickers gbKeyZone and rgTarniaNmb, and the ways a key reaches it: the
// module's key reader, the list, the console copy and the typed code. Between keys the card carries the
// assignment line and the user type over to the next key added.
class KeyCardPane : public Pane {
public:
    enum class Card { Waiting, Shown, NoRoom };
    enum UserType { Khozyain = 0, Monter = 1, GZ = 2 };
    // The assignment the card's zone line names; a newly added key takes it.
    struct AssignmentLine {
        enum Kind { None, Zona, Razdel } kind = None;
        int number = 0;
        friend bool operator==(const AssignmentLine&, const AssignmentLine&) = default;
    };
    struct PickerItem {
        AssignmentLine group;
        QString text;
    };
    // Polls of the key reader, and the pause after each that found nothing.
    static constexpr int kKeyPolls = 101;
    static constexpr int kKeyPollMs = 100;

    explicit KeyCardPane(Desktop& desktop);
    QString objectName() const override { return QStringLiteral("gbSKey"); }
    ResetStage resetStage() const override { return ResetStage::KeyCard; }
    void onReset(bool leaving) override;
    void beforeCommand() override;
    std::vector<MenuCommand> menuCommands() override;

    void setCodePrompt(KeyCodePrompt* prompt) { codePrompt_ = prompt; }

    // Menu "Добавить" and the card's button: reads one key from the module's reader.
    void keyAddClick();
    // Shows the key if it is stored, else adds it to the first free record.
    void ViewKeyParameter(const KeyRom& rom);
    // Shows a stored record, as a click on its list line does.
    void showRecord(std::size_t record);
    // The record on the card, or 1000 when none is.
    int GetKeyNumber() const { return current_ ? static_cast<int>(*current_) : kNoKey; }
    // The key on the card, by its number (the record's plus one): its owner and note are named.
    std::optional<NamedObject> shownObject() const override {
        if (!current_) return std::nullopt;
        return NamedObject{NameField::KeyOwner, static_cast<int>(*current_) + 1};
    }
    void bDeleteClick();
    void Button3Click();
    void rgFunctionClick(int item);
    void LabelZoneClick();
    void ListBox1Click(int row);
    void LabelTarniaClick();
    void rgTarniaNmbClick(int item);
    // Menu "Переписать из пульта ввода".
    void N16Click();
    // Menu "Ввести код".
    void N1Click();

    // What the card shows.
    Card card() const { return card_; }
    bool waiting() const { return waiting_; }
    const QString& caption() const { return caption_; }
    const QString& labelKey() const { return labelKey_; }
    const QString& labelZone() const { return labelZone_; }
    const QString& labelTarnia() const { return labelTarnia_; }
    const QString& labelNmb() const { return labelNmb_; }
    int userType() const { return userType_; }
    const AssignmentLine& assignmentLine() const { return line_; }
    bool zonePickerShown() const { return zonePicker_; }
    const std::vector<PickerItem>& zonePickerItems() const { return zoneItems_; }
    bool tarniaPickerShown() const { return tarniaPicker_; }
    // The item of rgTarniaNmb that is selected, or -1.
    int tarniaSelected() const { return tarniaSelected_; }

private:
    static constexpr int kNoKey = 1000;

    // The record on the card, while it holds a key.
    std::optional<std::size_t> storedKey() const;
    void openCard(Card card);
    void showKey(std::size_t record);
    void add(const KeyCode& code);
    void commitUserType(std::size_t record);
    // Ends a wait for a key: the link is closed. True when a wait was running.
    bool endWait();
    KeyListPane* list();

    KeyCodePrompt* codePrompt_ = nullptr;
    Card card_ = Card::Shown;
    bool waiting_ = false;
    unsigned waitNumber_ = 0;
    QString caption_;
    QString labelKey_;
    QString labelZone_;
    QString labelTarnia_;
    QString labelNmb_;
    int userType_ = Khozyain;
    // The user type on the card is the key's own (read from its record, or picked by the user), not
    // one carried over from an earlier key; only then is it committed.
    bool typeIsTheKeys_ = false;
    AssignmentLine line_;
    std::optional<std::size_t> current_;
    bool zonePicker_ = false;
    std::vector<PickerItem> zoneItems_;
    bool tarniaPicker_ = false;
    int tarniaSelected_ = -1;
};

}  // namespace v5
