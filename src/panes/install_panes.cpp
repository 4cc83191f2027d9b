#include "install_panes.h"

#include "ext_pane.h"
#include "indicator_pane.h"
#include "key_card_pane.h"
#include "key_list_pane.h"
#include "line_pane.h"
#include "linked_zones_pane.h"
#include "loop_pane.h"
#include "panel_options.h"
#include "razdel_pane.h"
#include "relay_pane.h"
#include "sounder_pane.h"
#include "zona_pane.h"

namespace v5 {

void installPanes(Desktop& desktop) {
    desktop.addPane(std::make_unique<PanelOptions>(desktop));
    desktop.addPane(std::make_unique<ExtPane>(desktop));
    desktop.addPane(std::make_unique<LoopPane>(desktop));
    desktop.addPane(std::make_unique<ZonaPane>(desktop));
    desktop.addPane(std::make_unique<RazdelPane>(desktop));
    desktop.addPane(std::make_unique<LinkedZonesPane>(desktop));
    desktop.addPane(std::make_unique<RelayPane>(desktop));
    desktop.addPane(std::make_unique<IndicatorPane>(desktop));
    desktop.addPane(std::make_unique<LinePane>(desktop));
    desktop.addPane(std::make_unique<SounderPane>(desktop));
    desktop.addPane(std::make_unique<KeyCardPane>(desktop));
    desktop.addPane(std::make_unique<KeyListPane>(desktop));
}

}  // namespace v5
