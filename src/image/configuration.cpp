#include "image/configuration.h"

#include <algorithm>

#include "image/tables.h"

namespace v5::config {

Configuration Configuration::decode(const Image& image) {
    Configuration c;
    for (std::size_t s = 0; s < c.slotTable.size(); ++s)
        c.slotTable[s] = SlotEntry::decode(image, s);
    for (std::size_t i = 0; i < c.keys.size(); ++i)
        c.keys[i] = Key::decode(image, i);
    for (std::size_t l = 0; l < c.loops.size(); ++l)
        c.loops[l] = LoopRecord::decode(image, l);
    for (std::size_t r = 0; r < c.relays.size(); ++r)
        c.relays[r] = Relay::decode(image, r);
    for (std::size_t x = 0; x < c.indicators.size(); ++x)
        c.indicators[x] = IndicatorEntry::decode(image, x).loops;
    for (std::size_t n = 0; n < c.lineModules.size(); ++n)
        c.lineModules[n] = LineModule::decode(image, n);
    for (int z = 1; z <= kZonaCount; ++z)
        c.zones[static_cast<std::size_t>(z - 1)] = zonaMask(image, z);
    for (int p = 1; p <= kRazdelCount; ++p)
        c.razdels[static_cast<std::size_t>(p - 1)] = razdelMask(image, p);
    for (int i = 1; i <= kPassThroughPlaces; ++i)
        c.passThrough[static_cast<std::size_t>(i - 1)] =
            PassThroughPlace{passThroughRecord(image, i), linkedMask(image, i)};
    c.options = PanelOptionByte::decode(image);
    for (std::size_t s = 0; s < c.sounders.size(); ++s)
        c.sounders[s] = Sounder::decode(image, s);
    c.externalModules = ExternalModules::decode(image);
    for (std::size_t x = 0; x < c.externalIndicators.size(); ++x)
        c.externalIndicators[x] = IndicatorEntry::decode(image, kIndicatorCount + x).loops;
    c.accessCode = AccessCode::decode(image).word;
    c.archivePointer = ArchivePointer::decode(image).address;
    return c;
}

bool Configuration::isPlaced(ModuleId module) const {
    return std::any_of(slotTable.begin(), slotTable.end(),
                       [&](const SlotEntry& e) { return e.module() == module; });
}

int Configuration::passThroughZona(int place) const {
    const LoopMask record = this->place(place).record;
    if (record.isEmpty()) return 0;
    int found = 0;
    for (int z = 1; z <= kZonaCount; ++z)
        if (zona(z) == record) found = z;
    return found;
}

bool Configuration::assignmentExists(KeyAssignment assignment) const {
    switch (assignment.role()) {
        case KeyRole::Zona:
            return zonaExists(assignment.number());
        case KeyRole::Razdel:
            return razdelExists(assignment.number());
        default:
            return false;
    }
}

namespace {
template <class Range, class Predicate>
int countIf(const Range& range, Predicate predicate) {
    return static_cast<int>(std::count_if(range.begin(), range.end(), predicate));
}
bool notEmpty(LoopMask mask) {
    return !mask.isEmpty();
}
}  // namespace

int Configuration::keysInUse() const {
    return countIf(keys, [](const Key& k) { return !k.isFree(); });
}
int Configuration::zonesInUse() const {
    return countIf(zones, notEmpty);
}
int Configuration::razdelsInUse() const {
    return countIf(razdels, notEmpty);
}
int Configuration::passThroughInUse() const {
    return countIf(passThrough, [](const PassThroughPlace& p) { return !p.isFree(); });
}
int Configuration::relaysInUse() const {
    return countIf(relays, [](const Relay& r) { return !r.loops.isEmpty(); });
}
int Configuration::indicatorsInUse() const {
    return countIf(indicators, notEmpty);
}

}  // namespace v5::config
