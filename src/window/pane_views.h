#pragma once

#include <functional>
#include <vector>

#include <QString>

class QWidget;

namespace v5 {

class Desktop;
class PaneView;

// One registered pane view: which pane model it shows and how to build it. The window builds a view the
// first time its pane is shown, then shows, hides and renders it with the desktop's state.
struct PaneViewEntry {
    // When the view is shown; by default while its model's pane is the visible one.
    std::function<bool(const Desktop&)> isShown;
    std::function<PaneView*(Desktop&, QWidget* parameterArea)> create;
    // The view lives only while it is shown (the access-code box): hiding it destroys it.
    bool destroyWhenHidden = false;
};

// Every pane view of the window, one for each entry of AllPanes (panes/pane_table.h), in the order
// they are stacked (later ones lie on top).
const std::vector<PaneViewEntry>& paneViews();

}  // namespace v5
