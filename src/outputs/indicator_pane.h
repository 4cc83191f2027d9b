#pragma once

#include <optional>

#include "desktop/loop_grid.h"
#include "desktop/pane.h"

namespace v5 {

// The indicator pane gbUD: the eight indicators of an access module ("МД1".."МД8") or of an external
// one ("МДВ1".."МДВ4") on the tabs "1".."8" of tnUD, with the indicator grid cUD1..cUD64. The module is
// the one named in the title of the parameter area. An indicator is stored when the tab changes, by
// "Выделить" and "Очистить", and when the pane is left.
class IndicatorPane : public Pane {
public:
    static constexpr int kTabs = 8;

    explicit IndicatorPane(Desktop& desktop);

    QString objectName() const override { return QStringLiteral("gbUD"); }
    ResetStage resetStage() const override { return ResetStage::Indicators; }
    void onReset(bool leaving) override;
    QStringList modulePrefixes() const override { return {QStringLiteral("МД")}; }
    // Only the names of access modules and external access modules open the pane.
    void openModule(const QString& name) override;
    void placementChanged() override;
    void commitShown() override { MUEEPROMUpdate(); }
    bool canShowAgain() const override { return true; }
    void showAgain() override { MUDUpdate(currentTab_); }

    void ViewMUD();
    void MUDUpdate(int tab);
    void MUEEPROMUpdate();
    // Stores the grid into indicator `index` (0..63 indicator table, 64..95 external table).
    void MUEEPROMUpdateS(int index);
    void tnUDChange(int newTab);
    void Button9Click();   // "Выделить"
    void Button12Click();  // "Очистить"
    void cUDClick(int loop, bool ticked) { grid_.setTicked(loop, ticked); }

    int currentTab() const { return currentTab_; }
    static QString tabCaption(int tab) { return QString::number(tab + 1); }
    // "Индикатор N": follows the tab shown.
    const QString& caption() const { return caption_; }
    const LoopGrid& grid() const { return grid_; }

    // The first indicator index of the module named in `title`: the last of "МД1".."МД8",
    // "МДВ1".."МДВ4" it contains, or nothing.
    static std::optional<int> baseOf(const QString& title);

private:
    bool isShown() const;
    void showCaption(int tab);

    int currentTab_ = 0;
    QString caption_;
    LoopGrid grid_;
};

}  // namespace v5
