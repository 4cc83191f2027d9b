#pragma once

#include <QGroupBox>
#include <QTabWidget>

#include "window/pane_view.h"

namespace v5 {

class IndicatorPane;
class LoopGridView;

// gbUD "Индикатор N": the eight indicators of a module on the tabs "1".."8" of tnUD; the indicator grid
// gbSUD lies on the page of the tab shown.
class IndicatorPaneView : public PaneView {
    Q_OBJECT
public:
    IndicatorPaneView(IndicatorPane& model, QWidget* parameterArea);
    void render() override;

private:
    IndicatorPane& model_;
    QTabWidget* tabs_ = nullptr;
    QGroupBox* loops_ = nullptr;
    LoopGridView* grid_ = nullptr;
};

}  // namespace v5
