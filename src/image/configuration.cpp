#include "image/configuration.h"

#include <algorithm>

#include "image/tables.h"

namespace v5::config {

std::optional<ModuleId> SlotEntry::module() const {
    const auto kind_ = static_cast<ModuleKind>(kind);
    const int number = numberByte + 1;
    if (kind_ == ModuleKind::Empty || number > moduleCount(kind_)) return std::nullopt;
    return ModuleId{kind_, number};
}

std::uint8_t oneWireCrc8(std::span<const std::uint8_t> bytes) {
    std::uint8_t crc = 0;
    for (const std::uint8_t byte : bytes)
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = ((byte >> bit) ^ crc) & 1U;
            crc = static_cast<std::uint8_t>(crc >> 1);
            if (mix) crc ^= 0x8C;
        }
    return crc;
}

std::uint8_t keyCheckByte(const KeyCode& code) {
    if (std::all_of(code.begin(), code.end(), [](std::uint8_t b) { return b == 0; })) return 0;
    constexpr std::uint8_t kKeyFamily = 0x01;
    std::array<std::uint8_t, 1 + std::tuple_size_v<KeyCode>> rom{kKeyFamily};
    std::copy(code.begin(), code.end(), rom.begin() + 1);
    return oneWireCrc8(rom);
}

KeyRole KeyAssignment::role() const {
    if (byte <= 0x3F) return KeyRole::Zona;
    if (byte <= 0x7F) return KeyRole::Razdel;
    switch (byte) {
        case kMonterAssignment:
            return KeyRole::Monter;
        case kGZAssignment:
            return KeyRole::GZ;
        case kNoAssignment:
            return KeyRole::Unassigned;
        default:
            return KeyRole::Unknown;
    }
}

int KeyAssignment::number() const {
    switch (role()) {
        case KeyRole::Zona:
            return byte + 1;
        case KeyRole::Razdel:
            return byte - 0x3F;
        default:
            return 0;
    }
}

bool Key::isFree() const {
    return std::all_of(code.begin(), code.end(), [](std::uint8_t b) { return b == 0; });
}

QString Key::codeText(bool upperCase) const {
    static constexpr char kUpper[] = "0123456789ABCDEF";
    static constexpr char kLower[] = "0123456789abcdef";
    const char* digits = upperCase ? kUpper : kLower;
    QString text(12, QLatin1Char('0'));
    for (std::size_t i = 0; i < code.size(); ++i) {
        const std::uint8_t b = code[code.size() - 1 - i];
        text[static_cast<qsizetype>(2 * i)] = QLatin1Char(digits[b >> 4]);
        text[static_cast<qsizetype>(2 * i + 1)] = QLatin1Char(digits[b & 0x0F]);
    }
    return text;
}

std::optional<ConsolePlace> consolePlace(int keyNumber) {
    constexpr int kFirstInstaller = 961;
    constexpr int kFirstRapidResponse = 976;
    constexpr int kPlacesEach = 12;
    for (const auto& [first, assignment] :
         {std::pair{kFirstInstaller, kMonterAssignment}, std::pair{kFirstRapidResponse, kGZAssignment}})
        if (keyNumber >= first && keyNumber < first + kPlacesEach)
            return ConsolePlace{assignment, static_cast<std::uint8_t>(keyNumber - first)};
    return std::nullopt;
}

TriggerSelection LoopRecord::triggerSelection() const {
    if (bytes[2] & 0x80) return TriggerSelection::TwoDetectors;
    if (bytes[1] & 0x04) return TriggerSelection::OneDetector;
    return TriggerSelection::None;
}

bool Relay::modeHasRunTime() const {
    const int code = modeCode();
    return (code >= 3 && code <= 6) || (code >= 8 && code <= 11);
}

bool LineModule::addressAccepted() const {
    return address <= 201 || address == 241 || address == kSharedLineAddress || address == 255;
}

bool isDurationCode(std::uint8_t code) {
    return std::find(kDurationCodes.begin(), kDurationCodes.end(), code) != kDurationCodes.end();
}

Configuration Configuration::decode(const Image& image) {
    Configuration c;
    for (std::size_t s = 0; s < c.slotTable.size(); ++s) {
        const auto entry = image.record(map::SlotTable, s);
        c.slotTable[s] = SlotEntry{entry[0], entry[1]};
    }
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
        const auto record = image.record(map::KeyRecords, i);
        Key& key = c.keys[i];
        std::copy_n(record.begin(), key.code.size(), key.code.begin());
        key.assignment.byte = record[6];
        key.spiByte = record[7];
        key.checkByte = image.byte(map::KeyCheck.at(i));
    }
    for (std::size_t l = 0; l < c.loops.size(); ++l) {
        const auto record = image.record(map::LoopParams, l);
        std::copy(record.begin(), record.end(), c.loops[l].bytes.begin());
    }
    for (std::size_t r = 0; r < c.relays.size(); ++r) {
        const auto record = image.record(map::Relays, r);
        c.relays[r] = Relay{record[0], image.loopMask(map::Relays.at(r) + 1), record[9]};
    }
    for (std::size_t x = 0; x < c.indicators.size(); ++x)
        c.indicators[x] = image.loopMask(map::Indicators.at(x));
    for (std::size_t n = 0; n < c.lineModules.size(); ++n) {
        const auto entry = image.record(map::LineModules, n);
        c.lineModules[n] = LineModule{entry[0], entry[1]};
    }
    for (int z = 1; z <= kZonaCount; ++z)
        c.zones[static_cast<std::size_t>(z - 1)] = zonaMask(image, z);
    for (int p = 1; p <= kRazdelCount; ++p)
        c.razdels[static_cast<std::size_t>(p - 1)] = razdelMask(image, p);
    for (int i = 1; i <= kPassThroughPlaces; ++i)
        c.passThrough[static_cast<std::size_t>(i - 1)] =
            PassThroughPlace{passThroughRecord(image, i), linkedMask(image, i)};
    c.options.byte = image.byte(map::OptionByte.offset);
    for (std::size_t s = 0; s < c.sounders.size(); ++s) {
        const auto record = image.record(map::Sounders, s);
        c.sounders[s] =
            Sounder{image.loopMask(map::Sounders.at(s)), record[8], record[9], record[10], record[11]};
    }
    c.externalModules.word = image.wordLE(map::ExtModules.offset);
    for (std::size_t x = 0; x < c.externalIndicators.size(); ++x)
        c.externalIndicators[x] = image.loopMask(map::ExtIndicators.at(x));
    c.accessCode = image.wordLE(map::AccessCode.offset);
    c.archivePointer = image.wordBE(map::ArchivePointer.offset);
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
