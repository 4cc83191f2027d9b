#include "install_panes.h"

#include "ext_pane.h"
#include "key_card_pane.h"
#include "key_list_pane.h"
#include "panel_options.h"

namespace v5 {

void installPanes(Desktop& desktop) {
    desktop.addPane(std::make_unique<PanelOptions>(desktop));
    desktop.addPane(std::make_unique<ExtPane>(desktop));
    desktop.addPane(std::make_unique<KeyCardPane>(desktop));
    desktop.addPane(std::make_unique<KeyListPane>(desktop));
}

}  // namespace v5
