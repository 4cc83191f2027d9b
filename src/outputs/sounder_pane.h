#pragma once

#include <array>
#include <cstdint>

#include "desktop/loop_grid.h"
#include "image/records.h"
#include "desktop/pane.h"

namespace v5 {

// The sounder pane gbZO: the four sound outputs on the tabs of TabbedNotebook4, each with three
// durations and its option boxes, and one grid cbZO1..cbZO64 that shows the loops of the tab shown.
// Durations, grid clicks and the tamper boxes of the first tab are written at once; the option boxes
// of the other tabs when the pane is left.
class SounderPane : public Pane {
public:
    static constexpr int kTabs = 4;
    static constexpr int kOptionBits = 5;
    enum Event { Alarm = 0, Fire = 1, Fault = 2 };

    explicit SounderPane(Desktop& desktop);

    QString objectName() const override { return QStringLiteral("gbZO"); }
    ResetStage resetStage() const override { return ResetStage::Sounders; }
    // Acts only while the pane is shown.
    void onReset(bool) override { UpdateBeeperEEPROM(); }
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mZO"), [this] { mZOClick(); }}};
    }
    void placementChanged() override;
    void commitShown() override { UpdateBeeperEEPROM(); }
    bool canShowAgain() const override { return true; }
    void showAgain() override {
        UpdateBeeperBox();
        UpdateBeeperShlsBox(page_);
    }

    // Menu "ЗО".
    void mZOClick();
    void UpdateBeeperBox();
    void UpdateBeeperShlsBox(int page);
    void UpdateBeeperShlsEEPROM();
    void cbZO1Click(int loop, bool ticked);
    void TabbedNotebook4Change(int newPage);
    // The user chose `item` in the duration group of `event` on tab `tab`.
    void durationClick(int tab, Event event, int item);
    // The user ticked the option box of `bit` on tab `tab`; only the first tab's are stored at once.
    void optionClick(int tab, int bit, bool ticked);
    void UpdateBeeperEEPROM();
    void Button6Click();  // "Выделить"
    void Button8Click();  // "Очистить"

    // The item that shows a stored duration code.
    static int SetBeeperParameter(std::uint8_t code);
    // Tab 1 edits record 3, tabs 2..4 records 0..2; any other page has no record.
    static int recordOfPage(int page);
    // The first tab has boxes for bits 3 and 4 only.
    static bool hasOption(int tab, int bit);

    int currentPage() const { return page_; }
    int durationItemOf(int tab, Event event) const { return durations_.at(at(tab)).at(event); }
    bool optionTicked(int tab, int bit) const {
        return options_.at(at(tab)).at(static_cast<std::size_t>(bit));
    }
    const LoopGrid& grid() const { return grid_; }

    static const QStringList& tabCaptions();
    static const QStringList& eventCaptions();  // in Event order
    static const QStringList& durationItems();
    static QString optionCaption(int bit);

private:
    bool isShown() const;
    static std::size_t at(int tab);
    static std::uint8_t config::Sounder::*durationField(Event event);

    int page_ = 0;
    bool filling_ = false;  // the pane-fill flag: raised while the pane opens
    std::array<std::array<int, 3>, kTabs> durations_{};
    std::array<std::array<bool, kOptionBits>, kTabs> options_{};
    LoopGrid grid_;
};

}  // namespace v5
