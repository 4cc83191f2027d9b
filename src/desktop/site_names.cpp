#include "desktop/site_names.h"

#include <functional>

#include "image/records.h"
#include "image/slots.h"
#include "image/tables.h"

namespace v5 {

namespace {

constexpr int kZones = 64;
constexpr int kRazdels = 32;
constexpr int kLoopsPerModule = 8;
constexpr int kRelaysPerModule = 4;

template <class Value>
void dropWhere(std::map<int, Value>& names, const std::function<bool(const Image&, int)>& holds,
               const Image& before, const Image& after) {
    std::erase_if(names, [&](const auto& entry) {
        return holds(before, entry.first) && !holds(after, entry.first);
    });
}

std::function<bool(const Image&, int)> placedModuleOf(ModuleKind kind, int perModule, int count) {
    return [=](const Image& image, int number) {
        if (number < 1 || number > count) return false;
        SlotCaptions captions;
        captions.bntSlotsUpdate(image);
        return captions.isPlaced(moduleName(ModuleId{kind, (number - 1) / perModule + 1}));
    };
}

}  // namespace

void dropNamesOfErased(const Image& before, const Image& after, SiteNames& names) {
    dropWhere(names.zones, [](const Image& i, int z) { return z >= 1 && z <= kZones && zonaExists(i, z); }, before,
              after);
    dropWhere(names.partitions,
              [](const Image& i, int p) { return p >= 1 && p <= kRazdels && razdelExists(i, p); }, before, after);
    dropWhere(names.keys,
              [](const Image& i, int k) {
                  constexpr int keyCount = static_cast<int>(map::KeyRecords.count);
                  return k >= 1 && k <= keyCount && !config::Key::decode(i, static_cast<std::size_t>(k - 1)).isFree();
              },
              before, after);
    dropWhere(names.loops, placedModuleOf(ModuleKind::MShS, kLoopsPerModule, 8 * kLoopsPerModule), before, after);
    dropWhere(names.relays, placedModuleOf(ModuleKind::MR, kRelaysPerModule, 16 * kRelaysPerModule), before,
              after);
}

}  // namespace v5
