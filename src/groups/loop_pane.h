#pragma once

#include <array>

#include "desktop/loop_grid.h"
#include "groups/loop_record.h"
#include "desktop/pane.h"

namespace v5 {

// The loop pane gbMShl: the eight loops of one loop module on eight tabs, one panel p1 of controls
// for the loop shown, and the duplicate grid s1..s64 with "OK".
class LoopPane : public Pane {
public:
    static constexpr int kTabs = 8;

    explicit LoopPane(Desktop& desktop);
    QString objectName() const override { return QStringLiteral("gbMShl"); }
    ResetStage resetStage() const override { return ResetStage::LoopParams; }
    // The reset stores the shown loop while the pane is still visible.
    void onReset(bool) override { MSEEPROMUpdate(); }
    QStringList modulePrefixes() const override { return {QStringLiteral("МШС")}; }
    void openModule(const QString& name) override { ViewMShl(name); }
    void placementChanged() override;
    void commitShown() override { MSEEPROMUpdate(); }
    bool canShowAgain() const override { return true; }
    void showAgain() override { MShlsUpdate(currentTab_); }
    void commitBeforeSave() override { MSEEPROMUpdate(); }
    std::optional<NamedObject> shownObject() const override;

    // Opens the pane for a loop module ("МШС3": tabs "17" .. "24") on its first loop; stores nothing.
    void ViewMShl(const QString& name);
    void MSBoxUpdate();
    // The user moves to tab `newTab`: the loop left is stored, the new one shown.
    void tnShlChange(int newTab);
    // Stores the loop of the current tab, only while the pane is visible.
    void MSEEPROMUpdate();
    // Stores the panel's values into the record of loop n+1 (n = 0..63).
    void MSEEPROMUpdateS(int n);
    // Shows the loop whose number is the caption of tab `tab`.
    void MShlsUpdate(int tab);
    // The user chose item `item` of rgTS1; every control is reset for the new type.
    void rgTSClick(int item);
    // The user chose an item of another radio group or (un)ticked a box of gbO1.
    void setValue(LoopControl control, int value);
    // The user (un)ticked a box of the duplicate grid.
    void sClick(int loop, bool ticked) { duplicate_.setTicked(loop, ticked); }
    // "OK": stores the panel's values into every loop ticked in the duplicate grid and tells in the
    // status line which loops they were.
    void Button1Click();
    // The status line after "OK": "Записано в шлейфы: 2, 5, 7", or that no loop was ticked.
    static QString duplicateReport(const QList<int>& loops);

    const QString& tabCaption(int tab) const { return tabs_.at(static_cast<std::size_t>(tab)); }
    int currentTab() const { return currentTab_; }
    const LoopValues& values() const { return values_; }
    LoopTypeItem type() const { return values_.type; }
    int value(LoopControl control) const { return values_[control]; }
    bool isEnabled(LoopControl control) const { return enabled_.at(static_cast<std::size_t>(control)); }
    QString delayCaption() const { return v5::delayCaption(values_.type); }
    const LoopGrid& duplicateGrid() const { return duplicate_; }

private:
    void applyTypeRule(TypeRuleMode mode);
    bool isVisible() const;

    std::array<QString, kTabs> tabs_;
    int currentTab_ = 0;
    LoopValues values_;
    std::array<bool, kLoopControlCount> enabled_{};
    LoopGrid duplicate_;
};

}  // namespace v5
