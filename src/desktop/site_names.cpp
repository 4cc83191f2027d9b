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

namespace {

// The map of a loop's, zone's, partition's or relay's name; none for a key's owner or note.
template <class Names>
auto textNames(Names& names, NameField field) -> decltype(&names.loops) {
    switch (field) {
        case NameField::Loop: return &names.loops;
        case NameField::Zone: return &names.zones;
        case NameField::Partition: return &names.partitions;
        case NameField::Relay: return &names.relays;
        case NameField::KeyOwner:
        case NameField::KeyNote: break;
    }
    return nullptr;
}

template <class Value>
void collectChanged(const std::map<int, Value>& before, const std::map<int, Value>& after,
                    const std::function<void(int)>& changed) {
    for (const auto& [number, value] : before) {
        const auto it = after.find(number);
        if (it == after.end() || !(it->second == value)) changed(number);
    }
    for (const auto& [number, value] : after)
        if (!before.contains(number)) changed(number);
}

}  // namespace

QString subjectOf(const NamedObject& object) {
    switch (object.field) {
        case NameField::Loop: return QStringLiteral("шлейф %1").arg(object.number);
        case NameField::Zone: return QStringLiteral("зона %1").arg(object.number);
        case NameField::Partition: return QStringLiteral("раздел %1").arg(object.number);
        case NameField::Relay: return QStringLiteral("реле %1").arg(object.number);
        case NameField::KeyOwner: return QStringLiteral("владелец ключа %1").arg(object.number, 3, 10, QLatin1Char('0'));
        case NameField::KeyNote: return QStringLiteral("примечание ключа %1").arg(object.number, 3, 10, QLatin1Char('0'));
    }
    return {};
}

QString nameOf(const SiteNames& names, const NamedObject& object) {
    if (object.field == NameField::KeyOwner || object.field == NameField::KeyNote) {
        const auto it = names.keys.find(object.number);
        if (it == names.keys.end()) return {};
        return object.field == NameField::KeyOwner ? it->second.owner : it->second.note;
    }
    const auto& map = *textNames(names, object.field);
    const auto it = map.find(object.number);
    return it == map.end() ? QString() : it->second;
}

void setNameOf(SiteNames& names, const NamedObject& object, const QString& text) {
    if (object.field == NameField::KeyOwner || object.field == NameField::KeyNote) {
        KeyName key = names.keys.contains(object.number) ? names.keys.at(object.number) : KeyName();
        (object.field == NameField::KeyOwner ? key.owner : key.note) = text;
        if (key == KeyName())
            names.keys.erase(object.number);
        else
            names.keys[object.number] = key;
        return;
    }
    auto& map = *textNames(names, object.field);
    if (text.isEmpty())
        map.erase(object.number);
    else
        map[object.number] = text;
}

QString withName(const QString& subject, const QString& name) {
    return name.isEmpty() ? subject : subject + QStringLiteral(" «") + name + QStringLiteral("»");
}

QString describeNamesChange(const SiteNames& before, const SiteNames& after) {
    std::vector<NamedObject> changed;
    const auto collect = [&](NameField field, const auto& b, const auto& a) {
        collectChanged(b, a, [&](int n) { changed.push_back({field, n}); });
    };
    collect(NameField::Loop, before.loops, after.loops);
    collect(NameField::Zone, before.zones, after.zones);
    collect(NameField::Partition, before.partitions, after.partitions);
    collect(NameField::Relay, before.relays, after.relays);
    collectChanged(before.keys, after.keys, [&](int n) {
        const KeyName b = before.keys.contains(n) ? before.keys.at(n) : KeyName();
        const KeyName a = after.keys.contains(n) ? after.keys.at(n) : KeyName();
        if (b.owner != a.owner) changed.push_back({NameField::KeyOwner, n});
        if (b.note != a.note) changed.push_back({NameField::KeyNote, n});
    });
    if (changed.empty()) return before.site == after.site ? QString() : QStringLiteral("данные объекта");
    if (changed.size() > 1 || before.site != after.site)
        return QStringLiteral("названия: %1").arg(changed.size() + (before.site != after.site ? 1 : 0));
    const NamedObject& object = changed.front();
    const QString name = nameOf(after, object);
    return name.isEmpty() ? QStringLiteral("название убрано: ") + subjectOf(object)
                          : QStringLiteral("название: ") + withName(subjectOf(object), name);
}

}  // namespace v5
