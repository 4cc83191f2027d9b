#pragma once

#include "desktop/desktop.h"

namespace v5 {

// Gives a desktop every pane model the program has (AllPanes in panes/pane_table.h).
void installPanes(Desktop& desktop);

}  // namespace v5
