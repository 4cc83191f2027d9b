#pragma once

#include "window/pane_view.h"

namespace v5 {

class NameFieldView;

class GroupListView;
class RazdelPane;
class ZoneBoxesView;

// gbRazdel: lbRazdel with "Создать раздел" and "Удалить раздел", and the zone boxes q1..q64.
class RazdelPaneView : public PaneView {
    Q_OBJECT
public:
    RazdelPaneView(RazdelPane& model, QWidget* parameterArea);
    void render() override;

private:
    RazdelPane& model_;
    GroupListView* list_ = nullptr;
    NameFieldView* name_ = nullptr;
    ZoneBoxesView* boxes_ = nullptr;
};

}  // namespace v5
