#include "panes/install_panes.h"

#include "outputs/ext_pane.h"
#include "outputs/indicator_pane.h"
#include "keys/key_card_pane.h"
#include "keys/key_list_pane.h"
#include "outputs/line_pane.h"
#include "groups/linked_zones_pane.h"
#include "groups/loop_pane.h"
#include "outputs/panel_options.h"
#include "groups/razdel_pane.h"
#include "outputs/relay_pane.h"
#include "outputs/sounder_pane.h"
#include "groups/zona_pane.h"

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
