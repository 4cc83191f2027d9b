#pragma once

#include <vector>

#include "keys/key_table.h"
#include "desktop/pane.h"

namespace v5 {

// The key list gbKey: one line per stored key in one of three orders; a click on a line opens its
// record on the key card.
class KeyListPane : public Pane {
public:
    struct Line {
        std::size_t record;
        QString text;
    };

    using Pane::Pane;
    QString objectName() const override { return QStringLiteral("gbKey"); }
    ResetStage resetStage() const override { return ResetStage::HidePanes; }
    void onReset(bool) override {}
    // Holds no edits: after undo or redo it lists the keys again in the same order.
    bool canShowAgain() const override { return true; }
    void showAgain() override { build(order_); }
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("N22"), [this] { N22Click(); }}};
    }

    // Menu "Редактировать" (and the card's "Следующий"): the list by number.
    void N22Click();
    void btnNmbClick() { build(KeyOrder::Number); }
    void btnZonaClick() { build(KeyOrder::Zona); }
    void btnEmptyClick() { build(KeyOrder::Unused); }
    void clbKeyClick(int row);
    // The keys changed behind the list (a console copy): a shown list lists them again.
    void keysChanged();

    const std::vector<Line>& lines() const { return lines_; }
    KeyOrder order() const { return order_; }
    // Each order's button is disabled while the list shows that order.
    bool orderEnabled(KeyOrder order) const { return order != order_; }

private:
    void build(KeyOrder order);

    std::vector<Line> lines_;
    KeyOrder order_ = KeyOrder::Number;
};

}  // namespace v5
