#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "window/pane_view.h"
#include "window/radio_group_box.h"

namespace v5 {

class NameFieldView;

class KeyCardPane;

// gbSKey: the key card, with the zone picker gbKeyZone and the monitoring-number picker rgTarniaNmb
// standing beside it over the pane area.
class KeyCardView : public PaneView {
    Q_OBJECT
public:
    KeyCardView(KeyCardPane& model, QWidget* parameterArea);
    void render() override;

private:
    void buildPickers();

    KeyCardPane& model_;
    QLabel* stWait_;
    QLabel* LabelKey_;
    QToolButton* LabelZone_;
    QToolButton* LabelTarnia_;
    QLabel* LabelNmb_;
    RadioGroupBox* rgFunction_;
    QPushButton* ButtonAgain_;
    QPushButton* bDelete_;
    QPushButton* Button3_;
    NameFieldView* owner_;
    NameFieldView* note_;
    QGroupBox* gbKeyZone_ = nullptr;
    QListWidget* ListBox1_ = nullptr;
    RadioGroupBox* rgTarniaNmb_ = nullptr;
};

}  // namespace v5
