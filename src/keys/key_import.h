#pragma once

#include <QByteArray>
#include <QString>

#include "keys/key_csv.h"

namespace v5 {

class Desktop;

// A key table loaded into the desktop: the pane on screen is stored first, the table is checked
// against the image and the names as they are then, and a plan without errors is written as one undo
// step named for the file, keys and names together. The key list shows the result. Returns the plan;
// with errors nothing changed.
KeyImportPlan loadKeyTable(Desktop& desktop, const QByteArray& csv, const QString& fileName);

}  // namespace v5
