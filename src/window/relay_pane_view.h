#pragma once

#include <QCheckBox>
#include <QTabWidget>

#include "window/pane_view.h"

namespace v5 {

class NameFieldView;

class LoopGridView;
class RadioGroupBox;
class RelayPane;

// gbMR: the four relays of a relay module on the tabs of tnRele; the one panel PanelRele lies on the
// page of the relay shown; the relay grid cR1..cR64 beside it.
class RelayPaneView : public PaneView {
    Q_OBJECT
public:
    RelayPaneView(RelayPane& model, QWidget* parameterArea);
    void render() override;

private:
    RelayPane& model_;
    QTabWidget* tabs_ = nullptr;
    NameFieldView* name_ = nullptr;
    QWidget* panel_ = nullptr;
    RadioGroupBox* mode_ = nullptr;
    RadioGroupBox* time_ = nullptr;
    QCheckBox* internal_ = nullptr;
    QCheckBox* external_ = nullptr;
    LoopGridView* grid_ = nullptr;
};

}  // namespace v5
