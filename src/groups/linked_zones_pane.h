#pragma once

#include "groups/group_list.h"
#include "image/loop_mask.h"
#include "desktop/pane.h"
#include "groups/zone_boxes.h"

namespace v5 {

// The linked-zone pane gbSS: the zones lbPZona, marked " проходная" or " связанная", and the boxes
// w1..w64 of the zones linked to the zone shown. Up to eight zones are pass-through zones; place i
// keeps a copy of its zone's mask (record i) and the union of its linked zones (linked mask i).
class LinkedZonesPane : public Pane {
public:
    static constexpr int kPlaces = 8;
    static constexpr int kNoZona = 999;  // the current linked-zone index when no zone is shown

    using Pane::Pane;
    QString objectName() const override { return QStringLiteral("gbSS"); }
    // Committed after the other panes are hidden, still knowing it was the one shown.
    ResetStage resetStage() const override { return ResetStage::LinkedZones; }
    void onReset(bool leaving) override;
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mGRSZona"), [this] { mGRSZonaClick(); }}};
    }

    // "Группы ШС" → "Связанные зоны".
    void mGRSZonaClick();
    // The user selected row `row` of lbPZona.
    void selectRow(int row);
    void lbPZonaClick();
    // The user (un)ticked the box of zone `zona`; stored when another zone is shown or the pane is left.
    void wClick(int zona, bool ticked);
    // Commits the ticks as the links of zone z+1 (z = 0..63) when the user changed them.
    void UpdateEEPROMPZona(int z);
    // Drops places of which only one half is in use. Showing a zone no longer calls it: the pane frees
    // a place where the user's own edit empties one half of it.
    void ClearSZona();

    // Zone z+1 is a pass-through zone; its place (1..8), or 0.
    bool IzSZona(int z) const { return placeOf(z + 1) != 0; }
    int placeOf(int zona) const;
    // The zone index (0-based) of a list item's text.
    static int StrToZona(const QString& text);

    const GroupList& list() const { return list_; }
    const ZoneBoxes& boxes() const { return boxes_; }
    int currentZona() const { return current_; }

private:
    void commitLinks(int z);
    bool isLinked(int zona) const;
    LoopMask tickedUnion(int except) const;

    GroupList list_;
    ZoneBoxes boxes_;
    // The ticks as the zone was shown, or as last stored: leaving commits only a change to them.
    std::array<bool, ZoneBoxes::kZones> shownTicks_{};
    int current_ = kNoZona;
};

}  // namespace v5
