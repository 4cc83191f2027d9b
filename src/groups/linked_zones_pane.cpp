#include "groups/linked_zones_pane.h"

#include "desktop/desktop.h"
#include "groups/group_texts.h"
#include "image/tables.h"

namespace v5 {

namespace {
constexpr int kZones = ZoneBoxes::kZones;
constexpr qsizetype kSuffixLength = 10;

bool hasSuffix(const QString& text) {
    return text.contains(QStringLiteral("проходная")) || text.contains(QStringLiteral("связанная"));
}
QString withoutSuffix(const QString& text) {
    return hasSuffix(text) ? text.left(text.size() - kSuffixLength) : text;
}
}  // namespace

int LinkedZonesPane::StrToZona(const QString& text) {
    return withoutSuffix(text).toInt() - 1;
}

int LinkedZonesPane::placeOf(int zona) const {
    if (zona < 1 || zona > kZones) return 0;
    const Image& image = desktop().image();
    const LoopMask mask = zonaMask(image, zona);
    if (mask.isEmpty()) return 0;
    for (int i = 1; i <= kPlaces; ++i)
        if (passThroughRecord(image, i) == mask) return i;
    return 0;
}

bool LinkedZonesPane::isLinked(int zona) const {
    const Image& image = desktop().image();
    const LoopMask mask = zonaMask(image, zona);
    for (int i = 1; i <= kPlaces; ++i)
        if (mask.intersects(linkedMask(image, i))) return true;
    return false;
}

void LinkedZonesPane::mGRSZonaClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    list_.clear();
    Image& image = desktop().image();
    LoopMask inZones;
    for (int z = 1; z <= kZones; ++z) {
        const bool exists = zonaExists(image, z);
        if (exists) {
            inZones = inZones | zonaMask(image, z);
            list_.append(QString::number(z));
        }
        boxes_.setShown(z, exists);
        boxes_.setEnabled(z, exists);
        boxes_.setTicked(z, false);
    }
    // Loops that belong to no zone leave the records and linked masks: a record whose zone was deleted
    // becomes free. A place that loses one half this way (its zone or all its linked zones were
    // deleted) is freed whole; a place that was already half-empty in the image is left as it is.
    for (int i = 1; i <= kPlaces; ++i) {
        const LoopMask record = passThroughRecord(image, i);
        const LoopMask linked = linkedMask(image, i);
        const bool lostHalf = !record.isEmpty() && !linked.isEmpty() &&
                              ((record & inZones).isEmpty() || (linked & inZones).isEmpty());
        setPassThroughRecord(image, i, lostHalf ? LoopMask() : record & inZones);
        setLinkedMask(image, i, lostHalf ? LoopMask() : linked & inZones);
    }
    shownTicks_ = boxes_.ticks();
    current_ = kNoZona;
    if (!list_.isEmpty()) selectRow(0);
}

void LinkedZonesPane::selectRow(int row) {
    list_.select(row);
    lbPZonaClick();
}

void LinkedZonesPane::lbPZonaClick() {
    if (!list_.hasSelection()) return;
    if (current_ < kZones) UpdateEEPROMPZona(current_);
    const Image& image = desktop().image();
    for (const QString& item : list_.items()) {
        const int d = StrToZona(item) + 1;
        if (d < 1 || d > kZones) continue;
        boxes_.setTicked(d, false);
        boxes_.setEnabled(d, placeOf(d) == 0);
    }
    const int s = StrToZona(list_.selectedText()) + 1;
    if (s < 1 || s > kZones) return;
    boxes_.setEnabled(s, false);
    if (const int i = placeOf(s)) {
        const LoopMask linked = linkedMask(image, i);
        for (int y = 1; y <= kZones; ++y)
            if (y != s && zonaMask(image, y).intersects(linked)) boxes_.setTicked(y, true);
    }
    // A linked zone cannot be given linked zones of its own.
    if (isLinked(s))
        for (const QString& item : list_.items())
            if (const int d = StrToZona(item) + 1; d >= 1 && d <= kZones) boxes_.setEnabled(d, false);
    // Half-empty places are dropped where the user's own edit makes them so (commitLinks, opening the
    // pane after a zone was deleted); one that came in with the image stays, and the check reports it.
    shownTicks_ = boxes_.ticks();
    for (int row = 0; row < list_.count(); ++row) {
        QString text = withoutSuffix(list_.at(row));
        if (IzSZona(StrToZona(text))) text += groups_text::PassThroughSuffix();
        list_.setText(row, text);
    }
    for (int row = 0; row < list_.count(); ++row) {
        const QString& text = list_.at(row);
        if (!text.contains(QStringLiteral("проходная")) && isLinked(StrToZona(text) + 1))
            list_.setText(row, text + groups_text::LinkedSuffix());
    }
    current_ = s - 1;
}

void LinkedZonesPane::wClick(int zona, bool ticked) {
    if (boxes_.isEnabled(zona) && boxes_.isShown(zona)) boxes_.setTicked(zona, ticked);
}

void LinkedZonesPane::UpdateEEPROMPZona(int z) {
    if (!desktop().isPaneVisible(objectName())) return;
    commitLinks(z);
}

void LinkedZonesPane::onReset(bool leaving) {
    // The pane is hidden by now; the reset commits the zone selected when it was left.
    if (leaving && list_.hasSelection()) commitLinks(StrToZona(list_.selectedText()));
}

LoopMask LinkedZonesPane::tickedUnion(int except) const {
    const Image& image = desktop().image();
    LoopMask mask;
    for (int y = 1; y <= kZones; ++y)
        if (y != except && boxes_.isTicked(y)) mask = mask | zonaMask(image, y);
    return mask;
}

void LinkedZonesPane::commitLinks(int z) {
    if (!list_.hasSelection() || z < 0 || z >= kZones) return;
    // Only what the user changed is stored: the zone as it was shown (a self-link, a place that another
    // place repeats) stays byte for byte.
    if (boxes_.ticks() == shownTicks_) return;
    const int zona = z + 1;
    Image& image = desktop().image();
    if (const int i = placeOf(zona)) {
        const LoopMask linked = tickedUnion(zona);
        setLinkedMask(image, i, linked);
        // Without linked zones the place is free.
        if (linked.isEmpty()) setPassThroughRecord(image, i, LoopMask());
        shownTicks_ = boxes_.ticks();
        return;
    }
    const LoopMask mask = zonaMask(image, zona);
    if (mask.isEmpty() || !boxes_.anyTicked()) return;
    for (int i = 1; i <= kPlaces; ++i) {
        if (!passThroughRecord(image, i).isEmpty()) continue;
        setPassThroughRecord(image, i, mask);
        setLinkedMask(image, i, tickedUnion(0));
        shownTicks_ = boxes_.ticks();
        return;
    }
    desktop().prompts().message(groups_text::PassThroughLimit());
}

void LinkedZonesPane::ClearSZona() {
    Image& image = desktop().image();
    for (int i = 1; i <= kPlaces; ++i)
        if (linkedMask(image, i).isEmpty()) setPassThroughRecord(image, i, LoopMask());
    for (int i = 1; i <= kPlaces; ++i)
        if (passThroughRecord(image, i).isEmpty()) setLinkedMask(image, i, LoopMask());
}

}  // namespace v5
