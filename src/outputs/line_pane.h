#pragma once

#include <array>
#include <optional>

#include "desktop/pane.h"

namespace v5 {

// The communication-module pane gbLine: the address of one communication module ("МС1".."МС8", named
// in the title of the parameter area) in MaskEdit1 and the loop modules it serves in tz1..tz8. A loop
// module serves one communication module only, unless address 254 is involved. Stored when the pane
// is left; the address only when the field holds one the module accepts, exactly as typed.
class LinePane : public Pane {
public:
    static constexpr int kBoxes = 8;
    // The positions of the address field.
    static constexpr int kAddressDigits = 3;
    // What the address field may hold while the user types: an address the module accepts; a text
    // that can still become one (nothing yet, or a prefix typed over the old digits); or one that
    // cannot, which the field refuses.
    enum class AddressEntry { Accepted, Incomplete, Refused };

    using Pane::Pane;

    QString objectName() const override { return QStringLiteral("gbLine"); }
    ResetStage resetStage() const override { return ResetStage::LineModule; }
    void onReset(bool leaving) override;
    QStringList modulePrefixes() const override { return {QStringLiteral("МС")}; }
    // Only "МС1".."МС8" open the pane.
    void openModule(const QString& name) override;
    void placementChanged() override { TBoxUpdate(); }
    void commitShown() override { LineEEPROMUpdate(); }

    // tz1..tz8 enabled exactly for the placed loop modules.
    void TBoxUpdate();
    void ViewMLine(const QString& name);
    // The user typed: the field now holds `text`, which is kept exactly as it is.
    void MaskEdit1Change(const QString& text);
    // The field refused what the user tried to make of it (`text`); the pane says why, and until the
    // user types again the stored address stays.
    void addressRefused(const QString& text);
    // Stores the address and the loop modules into the entry of the module named in the title.
    void LineEEPROMUpdate();
    void tzClick(int box, bool ticked);

    const QString& addressText() const { return address_; }
    // Why the field's text is not (or would not become) the stored address; empty when it will be.
    const QString& addressNote() const { return note_; }
    bool isTicked(int box) const { return ticks_.at(index(box)); }
    bool isEnabled(int box) const { return enabled_.at(index(box)); }

    // The addresses the module accepts: 0..201, 241, 254 and 255.
    static bool isAcceptedAddress(int value);
    // How `text` stands, the user having typed up to position `cursor`: typing over the old digits
    // of a full field, what lies before the cursor must still lead to an accepted address.
    static AddressEntry addressEntry(const QString& text, int cursor);
    // The accepted values, as the hint beside the field names them.
    static QString acceptedAddresses();
    // Module n of "МС1".."МС8" that `text` names (the last one it contains), or nothing.
    static std::optional<int> moduleIn(const QString& text);

private:
    static std::size_t index(int box);

    // The stored address, for the notes, and the end of a note that says it stays.
    int storedAddress() const;
    QString keptNote() const;

    QString address_ = QStringLiteral("000");
    QString note_;
    bool refused_ = false;
    std::array<bool, kBoxes> ticks_{};
    std::array<bool, kBoxes> enabled_{};
};

}  // namespace v5
