#pragma once

#include "groups/group_list.h"
#include "desktop/pane.h"
#include "groups/zone_boxes.h"

namespace v5 {

// The partition pane gbRazdel: the list of partitions lbRazdel, "Создать раздел", "Удалить раздел" and
// the zone boxes q1..q64. A partition is stored as the union of the masks of its zones.
class RazdelPane : public Pane {
public:
    bool canShowAgain() const override { return true; }
    // The list again, the same partition selected while it exists.
    void showAgain() override;
    static constexpr int kRazdels = 32;

    using Pane::Pane;
    QString objectName() const override { return QStringLiteral("gbRazdel"); }
    ResetStage resetStage() const override { return ResetStage::HidePanes; }
    void onReset(bool) override {}
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mGRRazdel"), [this] { mGRRazdelClick(); }}};
    }

    // "Группы ШС" → "Разделы".
    void mGRRazdelClick();
    // The partitions of the image in the list, the zone boxes enabled for the zones there are.
    void fillList();
    // The user selected row `row` of lbRazdel.
    void selectRow(int row);
    void lbRazdelClick();
    // The user (un)ticked the box of zone `zona`; the selected partition is rebuilt from all ticks.
    void qClick(int zona, bool ticked);
    void Button10Click();
    void Button11Click();

    std::optional<NamedObject> shownObject() const override {
        if (!list_.hasSelection()) return std::nullopt;
        return NamedObject{NameField::Partition, list_.selectedNumber()};
    }

    const GroupList& list() const { return list_; }
    const ZoneBoxes& boxes() const { return boxes_; }

private:
    void storeTicks();

    GroupList list_;
    ZoneBoxes boxes_;
};

}  // namespace v5
