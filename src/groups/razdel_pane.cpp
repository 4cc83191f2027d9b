#include "groups/razdel_pane.h"

#include "desktop/desktop.h"
#include "image/tables.h"

namespace v5 {

namespace {
bool isRazdel(int p) {
    return p >= 1 && p <= RazdelPane::kRazdels;
}
}  // namespace

void RazdelPane::mGRRazdelClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    fillList();
}

void RazdelPane::fillList() {
    list_.clear();
    const Image& image = desktop().image();
    for (int p = 1; p <= kRazdels; ++p)
        if (razdelExists(image, p)) list_.append(QString::number(p));
    for (int z = 1; z <= ZoneBoxes::kZones; ++z) {
        boxes_.setTicked(z, false);
        boxes_.setEnabled(z, zonaExists(image, z));
    }
}

void RazdelPane::showAgain() {
    // No pane reset: the bytes undo put back stay as they are.
    const int razdel = list_.hasSelection() ? list_.selectedNumber() : 0;
    fillList();
    if (const int row = list_.rowOf(razdel); row >= 0) selectRow(row);
}

void RazdelPane::selectRow(int row) {
    list_.select(row);
    lbRazdelClick();
}

void RazdelPane::lbRazdelClick() {
    if (!list_.hasSelection()) return;
    const int p = list_.selectedNumber();
    if (!isRazdel(p)) return;
    const Image& image = desktop().image();
    const LoopMask mask = razdelMask(image, p);
    for (int z = 1; z <= ZoneBoxes::kZones; ++z)
        boxes_.setTicked(z, zonaMask(image, z).intersects(mask));
    // Showing brings the mask up to date with its zones. A partition none of whose zones exist any more
    // is left alone: looking at it must not delete it (and unassign its keys at the next reset).
    if (boxes_.anyTicked()) storeTicks();
}

void RazdelPane::qClick(int zona, bool ticked) {
    if (!boxes_.isEnabled(zona)) return;
    boxes_.setTicked(zona, ticked);
    if (list_.hasSelection()) storeTicks();
}

void RazdelPane::storeTicks() {
    const int p = list_.selectedNumber();
    if (!isRazdel(p)) return;
    Image& image = desktop().image();
    LoopMask mask;
    for (int z = 1; z <= ZoneBoxes::kZones; ++z)
        if (boxes_.isEnabled(z) && boxes_.isTicked(z)) mask = mask | zonaMask(image, z);
    setRazdelMask(image, p, mask);
}

void RazdelPane::Button10Click() {
    if (list_.appendSmallestFree(kRazdels)) lbRazdelClick();
}

void RazdelPane::Button11Click() {
    if (!list_.hasSelection()) return;
    const int p = list_.selectedNumber();
    if (isRazdel(p)) setRazdelMask(desktop().image(), p, LoopMask());
    if (list_.removeSelected())
        lbRazdelClick();
    else
        mGRRazdelClick();
}

}  // namespace v5
