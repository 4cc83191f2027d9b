#include "groups/zona_pane.h"

#include "desktop/desktop.h"
#include "groups/group_texts.h"
#include "image/tables.h"

namespace v5 {

ZonaPane::ZonaPane(Desktop& desktop)
    : Pane(desktop), grid_(desktop.loading()), gridCaption_(groups_text::ZonaLoopsTitle()) {}

void ZonaPane::mGRZonaClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    fillList();
}

void ZonaPane::fillList() {
    list_.clear();
    for (int z = 1; z <= kZones; ++z)
        if (zonaExists(desktop().image(), z)) list_.append(QString::number(z));
    if (!list_.isEmpty()) {
        selectRow(0);
        return;
    }
    grid_.untickAll();
    gridCaption_ = groups_text::ZonaLoopsTitle();
}

void ZonaPane::selectRow(int row) {
    list_.select(row);
    lbZonaClick();
}

void ZonaPane::lbZonaClick() {
    if (!list_.hasSelection()) return;
    gridCaption_ = groups_text::ZonaLoopsTitle() + list_.selectedText();
    const int z = list_.selectedNumber();
    const Image& image = desktop().image();
    grid_.SBoxUpdate(desktop().captions());
    grid_.Shl2Box(z >= 1 && z <= kZones ? zonaMask(image, z) : LoopMask());
    // A loop belongs to at most one zone: the loops of every other zone cannot be given to this one.
    for (int y = 1; y <= kZones; ++y)
        if (y != z) grid_.Shl2BoxMask(zonaMask(image, y));
}

void ZonaPane::ZoneClick(int loop, bool ticked) {
    // Without a zone shown a click does nothing, so no tick can suggest a loop was given to a zone.
    if (!grid_.isEnabled(loop) || !list_.hasSelection()) return;
    grid_.setTicked(loop, ticked);
    const int z = list_.selectedNumber();
    if (z >= 1 && z <= kZones) setZonaMask(desktop().image(), z, grid_.mask());
}

void ZonaPane::Button2Click() {
    if (list_.appendSmallestFree(kZones)) lbZonaClick();
}

void ZonaPane::Button7Click() {
    if (!list_.hasSelection()) return;
    const int z = list_.selectedNumber();
    if (z >= 1 && z <= kZones) setZonaMask(desktop().image(), z, LoopMask());
    if (list_.removeSelected())
        lbZonaClick();
    else
        mGRZonaClick();
}

void ZonaPane::showAgain() {
    // No pane reset: the bytes undo put back stay as they are.
    const int zona = list_.hasSelection() ? list_.selectedNumber() : 0;
    fillList();
    if (const int row = list_.rowOf(zona); row >= 0) selectRow(row);
}

void ZonaPane::placementChanged() {
    grid_.SBoxUpdate(desktop().captions());
    if (desktop().isPaneVisible(objectName())) lbZonaClick();
}

}  // namespace v5
