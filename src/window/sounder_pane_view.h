#pragma once

#include <array>

#include <QCheckBox>
#include <QTabWidget>

#include "window/pane_view.h"
#include "outputs/sounder_pane.h"

namespace v5 {

class LoopGridView;
class RadioGroupBox;

// gbZO: the four sound outputs on the tabs of TabbedNotebook4 (panels Panel28..Panel31 with three
// duration groups and the option boxes each), and below them the one sounder grid cbZO1..cbZO64.
class SounderPaneView : public PaneView {
    Q_OBJECT
public:
    SounderPaneView(SounderPane& model, QWidget* parameterArea);
    void render() override;

private:
    QWidget* buildPanel(int tab, QWidget* parent);

    SounderPane& model_;
    QTabWidget* tabs_ = nullptr;
    std::array<std::array<RadioGroupBox*, 3>, SounderPane::kTabs> durations_{};
    std::array<std::array<QCheckBox*, SounderPane::kOptionBits>, SounderPane::kTabs> options_{};
    LoopGridView* grid_ = nullptr;
};

}  // namespace v5
