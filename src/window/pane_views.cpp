#include "window/pane_views.h"

#include <type_traits>

#include "desktop/desktop.h"
#include "panes/pane_table.h"
#include "window/access_code_view.h"
#include "window/ext_pane_view.h"
#include "window/indicator_pane_view.h"
#include "window/key_card_view.h"
#include "window/key_list_view.h"
#include "window/line_pane_view.h"
#include "window/linked_zones_view.h"
#include "window/loop_pane_view.h"
#include "window/options_view.h"
#include "window/razdel_pane_view.h"
#include "window/relay_pane_view.h"
#include "window/sounder_pane_view.h"
#include "window/zona_pane_view.h"

namespace v5 {

namespace {

// The view of one entry of AllPanes, constructed from its model (and the desktop, if it asks for it).
template <class Entry>
PaneViewEntry view() {
    using Model = typename Entry::Model;
    using View = typename Entry::View;
    PaneViewEntry entry;
    if constexpr (Entry::kShown == ViewShown::Always) {
        entry.isShown = [](const Desktop&) { return true; };
    } else if constexpr (Entry::kShown == ViewShown::WhileOpen) {
        entry.isShown = [](const Desktop& desktop) {
            const Model* model = desktop.pane<Model>();
            return model && model->isOpen();
        };
        entry.destroyWhenHidden = true;
    } else {
        entry.isShown = [](const Desktop& desktop) {
            const Model* model = desktop.pane<Model>();
            return model && desktop.isPaneVisible(model->objectName());
        };
    }
    entry.create = [](Desktop& desktop, QWidget* parameterArea) -> PaneView* {
        Model* model = desktop.pane<Model>();
        if (!model) return nullptr;
        if constexpr (std::is_constructible_v<View, Model&, Desktop&, QWidget*>)
            return new View(*model, desktop, parameterArea);
        else
            return new View(*model, parameterArea);
    };
    return entry;
}

}  // namespace

const std::vector<PaneViewEntry>& paneViews() {
    static const std::vector<PaneViewEntry> views = [] {
        std::vector<PaneViewEntry> all;
        AllPanes::forEach([&all]<class Entry>() { all.push_back(view<Entry>()); });
        return all;
    }();
    return views;
}

}  // namespace v5
