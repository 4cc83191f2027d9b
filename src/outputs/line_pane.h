#pragma once

#include <array>
#include <optional>

#include "pane.h"

namespace v5 {

// The communication-module pane gbLine: the address of one communication module ("МС1".."МС8", named
// in the title of the parameter area) in MaskEdit1 and the loop modules it serves in tz1..tz8. A loop
// module serves one communication module only, unless address 254 is involved. Stored when the pane
// is left.
class LinePane : public Pane {
public:
    static constexpr int kBoxes = 8;

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
    // The edit now holds `text` (three characters, a blank position as a space); the address rule
    // keeps it within the accepted values.
    void MaskEdit1Change(const QString& text);
    // Stores the address and the loop modules into the entry of the module named in the title.
    void LineEEPROMUpdate();
    void tzClick(int box, bool ticked);

    const QString& addressText() const { return address_; }
    bool isTicked(int box) const { return ticks_.at(index(box)); }
    bool isEnabled(int box) const { return enabled_.at(index(box)); }

    // The address rule: 000..199 and 200, 201 stay; a "4" in the middle gives 241; a "5" there keeps
    // 254 and 255 and turns the rest into 254; anything else becomes 000.
    static QString correctedAddress(const QString& text);
    // Module n of "МС1".."МС8" that `text` names (the last one it contains), or nothing.
    static std::optional<int> moduleIn(const QString& text);

private:
    static std::size_t index(int box);

    QString address_ = QStringLiteral("000");
    std::array<bool, kBoxes> ticks_{};
    std::array<bool, kBoxes> enabled_{};
};

}  // namespace v5
