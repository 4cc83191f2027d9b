#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "image/image.h"
#include "image/records.h"
#include "image/slots.h"

// The whole configuration area of the image in the panel's own terms, decoded at once through the
// record layer (records.h). The report, the comparison of two configurations and the configuration
// check read the image through this model.
namespace v5::config {

// --- The whole configuration -------------------------------------------------------------------------

struct Configuration {
    static Configuration decode(const Image& image);

    std::array<SlotEntry, kSlotCount> slotTable{};
    std::array<Key, kKeyCount> keys{};
    std::array<LoopRecord, kLoopCount> loops{};
    std::array<Relay, kRelayCount> relays{};
    std::array<LoopMask, kIndicatorCount> indicators{};
    std::array<LineModule, kLineModuleCount> lineModules{};
    std::array<LoopMask, kZonaCount> zones{};
    std::array<LoopMask, kRazdelCount> razdels{};
    std::array<PassThroughPlace, kPassThroughPlaces> passThrough{};
    PanelOptionByte options;
    std::array<Sounder, kSounderCount> sounders{};
    ExternalModules externalModules;
    std::array<LoopMask, kExternalIndicatorCount> externalIndicators{};
    std::uint16_t accessCode = 0;      // four decimal digits as nibbles
    std::uint16_t archivePointer = 0;  // where the panel writes its next event

    // By number, as the panes and the report count them (1-based).
    const Key& key(int number) const { return keys.at(static_cast<std::size_t>(number - 1)); }
    const LoopRecord& loop(int number) const { return loops.at(static_cast<std::size_t>(number - 1)); }
    const Relay& relay(int number) const { return relays.at(static_cast<std::size_t>(number - 1)); }
    LoopMask zona(int number) const { return zones.at(static_cast<std::size_t>(number - 1)); }
    LoopMask razdel(int number) const { return razdels.at(static_cast<std::size_t>(number - 1)); }
    const PassThroughPlace& place(int number) const {
        return passThrough.at(static_cast<std::size_t>(number - 1));
    }
    const LineModule& lineModule(int number) const {
        return lineModules.at(static_cast<std::size_t>(number - 1));
    }
    const Sounder& sounder(SounderOutput output) const {
        return sounders.at(static_cast<std::size_t>(output));
    }

    // A module counts as placed when some slot entry names it; the slot captions built from the table
    // say the same.
    bool isPlaced(ModuleId module) const;
    bool loopModulePlaced(int m) const { return isPlaced(ModuleId{ModuleKind::MShS, m}); }

    bool zonaExists(int z) const { return !zona(z).isEmpty(); }
    bool razdelExists(int p) const { return p >= 1 && p <= kRazdelCount && !razdel(p).isEmpty(); }
    // The zone a pass-through place stands for: the zone whose mask equals its record (with several,
    // the last one, as the report names it); 0 when none does or the place is free.
    int passThroughZona(int place) const;
    // The group entry a key's assignment names is a zone or partition with loops.
    bool assignmentExists(KeyAssignment assignment) const;
    // Keys in use, zones with loops, and so on: what the report's section headings count.
    int keysInUse() const;
    int zonesInUse() const;
    int razdelsInUse() const;
    int passThroughInUse() const;
    int relaysInUse() const;      // relays driven by at least one loop
    int indicatorsInUse() const;  // indicators of the slot modules lit by at least one loop
};

}  // namespace v5::config
