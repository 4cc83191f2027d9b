#pragma once

#include "groups/group_list.h"
#include "desktop/loop_grid.h"
#include "desktop/pane.h"

namespace v5 {

// The zone pane gbZona: the list of zones lbZona, "Создать зону", "Удалить зону" and the loop grid
// z1..z64 of the zone shown. Every tick is written to the image at once.
class ZonaPane : public Pane {
public:
    static constexpr int kZones = 64;

    explicit ZonaPane(Desktop& desktop);
    QString objectName() const override { return QStringLiteral("gbZona"); }
    ResetStage resetStage() const override { return ResetStage::HidePanes; }
    void onReset(bool) override {}
    void placementChanged() override;
    bool canShowAgain() const override { return true; }
    // The list again, the same zone selected while it exists.
    void showAgain() override;
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mGRZona"), [this] { mGRZonaClick(); }}};
    }

    // "Группы ШС" → "Зоны".
    void mGRZonaClick();
    // The zones of the image in the list, the first one selected.
    void fillList();
    // The user selected row `row` of lbZona.
    void selectRow(int row);
    void lbZonaClick();
    // The user (un)ticked the box of `loop`; the selected zone's mask is rebuilt from the grid.
    void ZoneClick(int loop, bool ticked);
    void Button2Click();
    void Button7Click();

    std::optional<NamedObject> shownObject() const override {
        if (!list_.hasSelection()) return std::nullopt;
        return NamedObject{NameField::Zone, list_.selectedNumber()};
    }

    const GroupList& list() const { return list_; }
    const LoopGrid& grid() const { return grid_; }
    const QString& gridCaption() const { return gridCaption_; }

private:
    GroupList list_;
    LoopGrid grid_;
    QString gridCaption_;
};

}  // namespace v5
