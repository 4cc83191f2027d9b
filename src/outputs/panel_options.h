#pragma once

#include <array>

#include "desktop/pane.h"

namespace v5 {

// The three panel options at the bottom of the parameter area, bits 0..2 of the option byte.
class PanelOptions : public Pane {
public:
    enum Option { Avtovziatie = 0, DisableProg = 1, DisableAC = 2 };

    using Pane::Pane;
    QString objectName() const override { return QStringLiteral("gbParameter"); }
    ResetStage resetStage() const override { return ResetStage::Options; }
    // Every pane reset shows the option byte again.
    void onReset(bool) override { refresh(); }
    void imageRestored() override { refresh(); }

    bool isTicked(Option option) const { return ticks_.at(option); }
    void refresh();

    void cbAvtovziatieClick(bool ticked) { setOption(Avtovziatie, ticked); }
    void cbDisableProgClick(bool ticked) { setOption(DisableProg, ticked); }
    void cbDisableACClick(bool ticked) { setOption(DisableAC, ticked); }
    void setOption(Option option, bool ticked);

private:
    std::array<bool, 3> ticks_{};
};

}  // namespace v5
