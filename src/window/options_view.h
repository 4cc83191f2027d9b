#pragma once

#include <array>

#include <QCheckBox>

#include "window/pane_view.h"

namespace v5 {

class PanelOptions;

// The three panel options at the bottom of the parameter area, shown whichever pane is open.
class OptionsView : public PaneView {
    Q_OBJECT
public:
    OptionsView(PanelOptions& model, QWidget* parameterArea);
    void render() override;

protected:
    // A strip without a frame: the boxes belong to the parameter area itself.
    void paintEvent(QPaintEvent*) override {}

private:
    PanelOptions& model_;
    std::array<QCheckBox*, 3> boxes_{};
};

}  // namespace v5
