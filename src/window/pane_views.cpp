#include "window/pane_views.h"

#include <type_traits>

#include "desktop/desktop.h"
#include "outputs/ext_pane.h"
#include "window/ext_pane_view.h"
#include "outputs/indicator_pane.h"
#include "window/indicator_pane_view.h"
#include "keys/key_card_pane.h"
#include "window/key_card_view.h"
#include "keys/key_list_pane.h"
#include "window/key_list_view.h"
#include "outputs/line_pane.h"
#include "window/line_pane_view.h"
#include "groups/linked_zones_pane.h"
#include "window/linked_zones_view.h"
#include "groups/loop_pane.h"
#include "window/loop_pane_view.h"
#include "window/options_view.h"
#include "outputs/panel_options.h"
#include "groups/razdel_pane.h"
#include "window/razdel_pane_view.h"
#include "outputs/relay_pane.h"
#include "window/relay_pane_view.h"
#include "outputs/sounder_pane.h"
#include "window/sounder_pane_view.h"
#include "groups/zona_pane.h"
#include "window/zona_pane_view.h"

namespace v5 {

namespace {

enum class Shown { WhileVisible, Always };

// A view class `View` constructed from its model `Model` (and the desktop, if it asks for it).
template <class View, class Model>
PaneViewEntry view(Shown shown = Shown::WhileVisible) {
    PaneViewEntry entry;
    if (shown == Shown::Always) {
        entry.isShown = [](const Desktop&) { return true; };
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
    // Adding a pane to the window is one line here.
    static const std::vector<PaneViewEntry> views{
        view<OptionsView, PanelOptions>(Shown::Always),
        view<ExtPaneView, ExtPane>(),
        view<LoopPaneView, LoopPane>(),
        view<ZonaPaneView, ZonaPane>(),
        view<RazdelPaneView, RazdelPane>(),
        view<LinkedZonesView, LinkedZonesPane>(),
        view<RelayPaneView, RelayPane>(),
        view<IndicatorPaneView, IndicatorPane>(),
        view<LinePaneView, LinePane>(),
        view<SounderPaneView, SounderPane>(),
        view<KeyListView, KeyListPane>(),
        view<KeyCardView, KeyCardPane>(),
    };
    return views;
}

}  // namespace v5
