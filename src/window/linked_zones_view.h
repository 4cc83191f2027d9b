#pragma once

#include "window/pane_view.h"

namespace v5 {

class GroupListView;
class LinkedZonesPane;
class ZoneBoxesView;

// gbSS: the zones lbPZona with their " проходная" / " связанная" marks and the boxes w1..w64 of the
// zones linked to the zone shown.
class LinkedZonesView : public PaneView {
    Q_OBJECT
public:
    LinkedZonesView(LinkedZonesPane& model, QWidget* parameterArea);
    void render() override;

private:
    LinkedZonesPane& model_;
    GroupListView* list_ = nullptr;
    ZoneBoxesView* boxes_ = nullptr;
};

}  // namespace v5
