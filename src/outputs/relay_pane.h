#pragma once

#include <array>
#include <optional>

#include "desktop/loop_grid.h"
#include "desktop/pane.h"

namespace v5 {

// The relay pane gbMR: the four relays of one relay module on the tabs of tnRele, one panel PanelRele
// (mode, run time, tamper control) moved onto the tab shown, and the relay grid cR1..cR64. Nothing is
// written while the user clicks; the relay shown is stored when the tab changes and when the pane is left.
class RelayPane : public Pane {
public:
    static constexpr int kTabs = 4;

    explicit RelayPane(Desktop& desktop);

    QString objectName() const override { return QStringLiteral("gbMR"); }
    ResetStage resetStage() const override { return ResetStage::Relays; }
    void onReset(bool leaving) override;
    QStringList modulePrefixes() const override { return {QStringLiteral("МР")}; }
    void openModule(const QString& name) override { ViewMRele(name); }
    void placementChanged() override;
    void commitShown() override { MREEPROMUpdate(); }
    bool canShowAgain() const override { return true; }
    void showAgain() override { MReleUpdate(currentTab_); }
    std::optional<NamedObject> shownObject() const override {
        const std::optional<int> relay = relayOfTab(currentTab_);
        if (!relay) return std::nullopt;
        return NamedObject{NameField::Relay, *relay};
    }

    // Opens the pane for "МР1".."МР16"; any other name opens nothing.
    void ViewMRele(const QString& name);
    // Unticks and disables the grid, then enables the boxes of placed loop modules.
    void MRBoxUpdate();
    // Fills the pane from the relay whose number is the caption of `tab`.
    void MReleUpdate(int tab);
    // Stores the pane into the relay of the current tab.
    void MREEPROMUpdate();
    void MREEPROMUpdateS(int index);
    // The user chose another tab: the relay left is stored, the new one shown.
    void tnReleChange(int newTab);
    void Button4Click();  // "Выделить"
    void Button5Click();  // "Очистить"

    // The user's own edits; they stay in the pane until the relay is stored.
    void rgReleModeClick(int item);
    void rgReleTimeClick(int item);
    void cbInternalClick(bool ticked) { internal_ = ticked; }
    void cbExternalClick(bool ticked) { external_ = ticked; }
    void cRClick(int loop, bool ticked) { grid_.setTicked(loop, ticked); }

    const QString& tabCaption(int tab) const { return tabCaptions_.at(static_cast<std::size_t>(tab)); }
    int currentTab() const { return currentTab_; }
    // The tab whose page holds PanelRele: the one loaded last.
    int panelTab() const { return panelTab_; }
    int mode() const { return mode_; }
    int timeItem() const { return timeItem_; }
    bool internalTamper() const { return internal_; }
    bool externalTamper() const { return external_; }
    const LoopGrid& grid() const { return grid_; }

    static const QStringList& modeItems();
    static const QStringList& timeItems();

private:
    bool isShown() const;
    std::optional<int> relayOfTab(int tab) const;

    std::array<QString, kTabs> tabCaptions_;
    int currentTab_ = 0;
    int panelTab_ = 0;
    int mode_ = 0;
    int timeItem_ = 0;
    bool internal_ = false;
    bool external_ = false;
    LoopGrid grid_;
};

}  // namespace v5
