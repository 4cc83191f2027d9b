#include "panes/install_panes.h"

#include <memory>

#include "panes/pane_table.h"

namespace v5 {

void installPanes(Desktop& desktop) {
    AllPanes::forEach([&desktop]<class Entry>() {
        using Model = typename Entry::Model;
        // The desktop comes with its access-code box, which its own menu command opens.
        if (!desktop.pane<Model>()) desktop.addPane(std::make_unique<Model>(desktop));
    });
}

}  // namespace v5
