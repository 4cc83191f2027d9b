#pragma once

#include <array>

#include "desktop/pane.h"

namespace v5 {

// The external-modules pane gbExt: twelve presence bits of the external module word, written at once.
class ExtPane : public Pane {
public:
    enum Group { MDV = 0, BI = 4, MK = 8 };  // first bit of each group of four
    static constexpr int kBoxCount = 12;

    using Pane::Pane;
    QString objectName() const override { return QStringLiteral("gbExt"); }
    ResetStage resetStage() const override { return ResetStage::HidePanes; }
    void onReset(bool) override {}
    bool canShowAgain() const override { return true; }
    void showAgain() override { readTicks(); }
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mExt"), [this] { mExtClick(); }}};
    }

    // Menu "Внешнние модули".
    void mExtClick();
    // The boxes from the external-module word.
    void readTicks();
    // Box `bit` (0..11): МДВ1..4, БИ1..4, МК1..4.
    bool isTicked(int bit) const { return ticks_.at(static_cast<std::size_t>(bit)); }
    void setTicked(int bit, bool ticked);
    void cbMDVClick(int n, bool ticked) { setTicked(MDV + n - 1, ticked); }
    void cbBIClick(int n, bool ticked) { setTicked(BI + n - 1, ticked); }
    void cbMKClick(int n, bool ticked) { setTicked(MK + n - 1, ticked); }

    // Captions of the twelve boxes in bit order.
    static QString boxCaption(int bit);
    // objectName of box `bit`: cbMDV1 .. cbMK4.
    static QString boxName(int bit);

private:
    std::array<bool, kBoxCount> ticks_{};
};

}  // namespace v5
