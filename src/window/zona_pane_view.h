#pragma once

#include <QGroupBox>

#include "window/pane_view.h"

namespace v5 {

class NameFieldView;

class GroupListView;
class LoopGridView;
class ZonaPane;

// gbZona: lbZona with "Создать зону" and "Удалить зону", and the loop grid z1..z64 in GroupBox43.
class ZonaPaneView : public PaneView {
    Q_OBJECT
public:
    ZonaPaneView(ZonaPane& model, QWidget* parameterArea);
    void render() override;

private:
    ZonaPane& model_;
    GroupListView* list_ = nullptr;
    NameFieldView* name_ = nullptr;
    QGroupBox* frame_ = nullptr;
    LoopGridView* grid_ = nullptr;
};

}  // namespace v5
