#include "install_panes.h"

#include "ext_pane.h"
#include "indicator_pane.h"
#include "key_card_pane.h"
#include "key_list_pane.h"
#include "line_pane.h"
#include "panel_options.h"
#include "relay_pane.h"
#include "sounder_pane.h"

namespace v5 {

void installPanes(Desktop& desktop) {
    desktop.addPane(std::make_unique<PanelOptions>(desktop));
    desktop.addPane(std::make_unique<ExtPane>(desktop));
    desktop.addPane(std::make_unique<RelayPane>(desktop));
    desktop.addPane(std::make_unique<IndicatorPane>(desktop));
    desktop.addPane(std::make_unique<LinePane>(desktop));
    desktop.addPane(std::make_unique<SounderPane>(desktop));
    desktop.addPane(std::make_unique<KeyCardPane>(desktop));
    desktop.addPane(std::make_unique<KeyListPane>(desktop));
}

}  // namespace v5
