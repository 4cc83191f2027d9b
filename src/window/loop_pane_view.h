#pragma once

#include <array>

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

#include "groups/loop_record.h"
#include "window/pane_view.h"

namespace v5 {

class NameFieldView;

class LoopGridView;
class LoopPane;
class RadioGroupBox;

// gbMShl: the tabs tnShl with the loop numbers, the panel p1 on the page of the current tab, and the
// duplicate grid with "OK".
class LoopPaneView : public PaneView {
    Q_OBJECT
public:
    LoopPaneView(LoopPane& model, QWidget* parameterArea);
    void render() override;

private:
    static constexpr int kRadioGroups = 4;  // rgDS1, rgVR1, rgPS1, rgVS1
    QWidget* buildPanel(QWidget* page);

    LoopPane& model_;
    QTabWidget* tnShl_ = nullptr;
    NameFieldView* name_ = nullptr;
    QWidget* p1_ = nullptr;
    RadioGroupBox* rgTS1_ = nullptr;
    std::array<RadioGroupBox*, kRadioGroups> radioGroups_{};
    std::array<QCheckBox*, kLoopControlCount - kRadioGroups> checkBoxes_{};
    LoopGridView* duplicate_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace v5
