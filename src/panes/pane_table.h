#pragma once

#include "desktop/access_code_box.h"
#include "groups/linked_zones_pane.h"
#include "groups/loop_pane.h"
#include "groups/razdel_pane.h"
#include "groups/zona_pane.h"
#include "keys/key_card_pane.h"
#include "keys/key_list_pane.h"
#include "outputs/ext_pane.h"
#include "outputs/indicator_pane.h"
#include "outputs/line_pane.h"
#include "outputs/panel_options.h"
#include "outputs/relay_pane.h"
#include "outputs/sounder_pane.h"

namespace v5 {

// When the window shows a pane's view.
enum class ViewShown {
    WhileVisible,  // while its model is the desktop's visible pane
    Always,        // the option boxes, under every pane
    WhileOpen,     // built when the model opens, destroyed when the pane reset closes it
};

// One pane: its model, the window's view of it and when that view is shown.
template <class PaneModel, class PaneView, ViewShown kShownWhen = ViewShown::WhileVisible>
struct PaneEntry {
    using Model = PaneModel;
    using View = PaneView;
    static constexpr ViewShown kShown = kShownWhen;
};

template <class... Entries>
struct PaneList {
    // Calls `f.template operator()<Entry>()` for each entry, in order.
    template <class F>
    static void forEach(F&& f) {
        (f.template operator()<Entries>(), ...);
    }
};

// Every pane of the program, one line each: installPanes() puts the models into a desktop in this
// order, and the window stacks the views in it (later ones on top). The views live in src/window;
// `class X` only names them here, so that the models' side stays free of widgets.
// clang-format off
using AllPanes = PaneList<PaneEntry<PanelOptions, class OptionsView, ViewShown::Always>,
                          PaneEntry<ExtPane, class ExtPaneView>,
                          PaneEntry<LoopPane, class LoopPaneView>,
                          PaneEntry<ZonaPane, class ZonaPaneView>,
                          PaneEntry<RazdelPane, class RazdelPaneView>,
                          PaneEntry<LinkedZonesPane, class LinkedZonesView>,
                          PaneEntry<RelayPane, class RelayPaneView>,
                          PaneEntry<IndicatorPane, class IndicatorPaneView>,
                          PaneEntry<LinePane, class LinePaneView>,
                          PaneEntry<SounderPane, class SounderPaneView>,
                          PaneEntry<KeyCardPane, class KeyCardView>,
                          PaneEntry<KeyListPane, class KeyListView>,
                          PaneEntry<AccessCodeBox, class Ttemp_gbKD, ViewShown::WhileOpen>>;
// clang-format on

}  // namespace v5
