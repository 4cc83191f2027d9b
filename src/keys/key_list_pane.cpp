#include "keys/key_list_pane.h"

#include "desktop/desktop.h"
#include "keys/key_card_pane.h"
#include "image/tables.h"

namespace v5 {

void KeyListPane::N22Click() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    build(KeyOrder::Number);
}

void KeyListPane::build(KeyOrder order) {
    order_ = order;
    const Image& image = desktop().image();
    const std::vector<std::size_t> records = keyListRecords(image, order);
    lines_.clear();
    lines_.reserve(records.size());
    for (const std::size_t record : records)
        lines_.push_back({record, AddLine(image, record)});
}

void KeyListPane::clbKeyClick(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size())) return;
    // The line's own record: two records may hold the same code.
    const std::size_t record = lines_.at(static_cast<std::size_t>(row)).record;
    if (KeyEmpty(desktop().image(), record)) return;
    if (KeyCardPane* card = desktop().pane<KeyCardPane>()) card->showRecord(record);
}

void KeyListPane::keysChanged() {
    if (desktop().isPaneVisible(objectName())) build(order_);
}

}  // namespace v5
