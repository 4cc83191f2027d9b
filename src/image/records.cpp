#include "image/records.h"

#include <algorithm>

namespace v5::config {

namespace {
// Bytes of the records, in record order.
namespace relay_byte {
constexpr std::size_t kMode = 0;
constexpr std::size_t kMask = 1;
constexpr std::size_t kRunTime = 9;
}  // namespace relay_byte
namespace sounder_byte {
constexpr std::size_t kMask = 0;
constexpr std::size_t kFault = 8;
constexpr std::size_t kAlarm = 9;
constexpr std::size_t kFire = 10;
constexpr std::size_t kOptions = 11;
}  // namespace sounder_byte
}  // namespace

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

bool isZeroCode(const KeyCode& code) {
    return std::all_of(code.begin(), code.end(), [](std::uint8_t b) { return b == 0; });
}

std::uint8_t keyCheckByte(const KeyCode& code) {
    if (isZeroCode(code)) return 0;
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

QString keyCodeText(const KeyCode& code, bool upperCase) {
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

namespace {
// The console's block in four runs of codes, each to consecutive records: installer codes 1..10, the
// rapid-response team's 1..12, then installer codes 11 and 12 at the block's end.
struct ConsoleRun {
    std::size_t firstByte;
    std::size_t codes;
    std::size_t firstRecord;
    std::uint8_t firstSpiByte;
    std::uint8_t assignment;
};
constexpr ConsoleRun kConsoleRuns[] = {
    {0, 10, 960, 0, kMonterAssignment},
    {60, 12, 975, 0, kGZAssignment},
    {132, 1, 970, 10, kMonterAssignment},
    {138, 1, 971, 11, kMonterAssignment},
};
}  // namespace

const std::array<ConsolePlace, kConsolePlaceCount>& consolePlaces() {
    static const std::array<ConsolePlace, kConsolePlaceCount> places = [] {
        std::array<ConsolePlace, kConsolePlaceCount> all{};
        std::size_t at = 0;
        for (const ConsoleRun& run : kConsoleRuns)
            for (std::size_t k = 0; k < run.codes; ++k)
                all.at(at++) =
                    ConsolePlace{run.firstRecord + k, run.firstByte + std::tuple_size_v<KeyCode> * k,
                                 run.assignment, static_cast<std::uint8_t>(run.firstSpiByte + k)};
        return all;
    }();
    return places;
}

std::optional<ConsolePlace> consolePlace(int keyNumber) {
    for (const ConsolePlace& place : consolePlaces())
        if (static_cast<int>(place.record) + 1 == keyNumber) return place;
    return std::nullopt;
}

KeyCode ConsolePlace::codeIn(std::span<const std::uint8_t, kConsoleBlockSize> block) const {
    KeyCode code{};
    const auto bytes = block.subspan(blockOffset, code.size());
    std::copy(bytes.begin(), bytes.end(), code.begin());
    return code;
}

Key ConsolePlace::copyOf(const KeyCode& code) const {
    Key key;
    key.setCode(code);
    key.assignment.byte = assignment;
    key.spiByte = spiByte;
    return key;
}

bool ConsolePlace::holdsCopy(const Key& key) const {
    return key.assignment.byte == assignment && key.spiByte == spiByte && key.checkByteMatches();
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

// --- decode and encode ---------------------------------------------------------------------------------

SlotEntry SlotEntry::decode(const Image& image, std::size_t index) {
    const auto entry = image.record(map::SlotTable, index);
    return SlotEntry{entry[0], entry[1]};
}

void SlotEntry::encode(Image& image, std::size_t index) const {
    const auto entry = image.record(map::SlotTable, index);
    entry[0] = kind;
    entry[1] = numberByte;
}

Key Key::decode(const Image& image, std::size_t index) {
    const auto record = image.record(map::KeyRecords, index);
    Key key;
    std::copy_n(record.begin(), key.code.size(), key.code.begin());
    key.assignment.byte = record[Key::kAssignmentByte];
    key.spiByte = record[Key::kSpiByte];
    key.checkByte = image.record(map::KeyCheck, index)[0];
    return key;
}

void Key::encode(Image& image, std::size_t index) const {
    const auto record = image.record(map::KeyRecords, index);
    std::copy(code.begin(), code.end(), record.begin());
    record[Key::kAssignmentByte] = assignment.byte;
    record[Key::kSpiByte] = spiByte;
    image.record(map::KeyCheck, index)[0] = checkByte;
}

LoopRecord LoopRecord::decode(const Image& image, std::size_t index) {
    LoopRecord loop;
    const auto record = image.record(map::LoopParams, index);
    std::copy(record.begin(), record.end(), loop.bytes.begin());
    return loop;
}

void LoopRecord::encode(Image& image, std::size_t index) const {
    std::copy(bytes.begin(), bytes.end(), image.record(map::LoopParams, index).begin());
}

Relay Relay::decode(const Image& image, std::size_t index) {
    const auto record = image.record(map::Relays, index);
    return Relay{record[relay_byte::kMode], LoopMask::fromBytes(record.data() + relay_byte::kMask),
                 record[relay_byte::kRunTime]};
}

void Relay::encode(Image& image, std::size_t index) const {
    const auto record = image.record(map::Relays, index);
    record[relay_byte::kMode] = mode;
    loops.toBytes(record.data() + relay_byte::kMask);
    record[relay_byte::kRunTime] = runTime;
}

LineModule LineModule::decode(const Image& image, std::size_t index) {
    const auto entry = image.record(map::LineModules, index);
    return LineModule{entry[0], entry[1]};
}

void LineModule::encode(Image& image, std::size_t index) const {
    const auto entry = image.record(map::LineModules, index);
    entry[0] = loopModules;
    entry[1] = address;
}

Sounder Sounder::decode(const Image& image, std::size_t index) {
    const auto record = image.record(map::Sounders, index);
    return Sounder{LoopMask::fromBytes(record.data() + sounder_byte::kMask), record[sounder_byte::kFault],
                   record[sounder_byte::kAlarm], record[sounder_byte::kFire], record[sounder_byte::kOptions]};
}

void Sounder::encode(Image& image, std::size_t index) const {
    const auto record = image.record(map::Sounders, index);
    loops.toBytes(record.data() + sounder_byte::kMask);
    record[sounder_byte::kFault] = faultDuration;
    record[sounder_byte::kAlarm] = alarmDuration;
    record[sounder_byte::kFire] = fireDuration;
    record[sounder_byte::kOptions] = options;
}

PanelOptionByte PanelOptionByte::decode(const Image& image, std::size_t index) {
    return PanelOptionByte{image.record(map::OptionByte, index)[0]};
}

void PanelOptionByte::encode(Image& image, std::size_t index) const {
    image.record(map::OptionByte, index)[0] = byte;
}

ExternalModules ExternalModules::decode(const Image& image, std::size_t index) {
    return ExternalModules{image.wordLE(map::ExtModules.at(index))};
}

void ExternalModules::encode(Image& image, std::size_t index) const {
    image.setWordLE(map::ExtModules.at(index), word);
}

GroupEntry GroupEntry::decode(const Image& image, std::size_t index) {
    return GroupEntry{LoopMask::fromBytes(image.record(map::GroupTable, index).data())};
}

void GroupEntry::encode(Image& image, std::size_t index) const {
    loops.toBytes(image.record(map::GroupTable, index).data());
}

IndicatorEntry IndicatorEntry::decode(const Image& image, std::size_t index) {
    const auto inTable = static_cast<std::size_t>(kIndicatorCount);
    const auto bytes = index < inTable ? image.record(map::Indicators, index)
                                       : image.record(map::ExtIndicators, index - inTable);
    return IndicatorEntry{LoopMask::fromBytes(bytes.data())};
}

void IndicatorEntry::encode(Image& image, std::size_t index) const {
    const auto inTable = static_cast<std::size_t>(kIndicatorCount);
    const auto bytes = index < inTable ? image.record(map::Indicators, index)
                                       : image.record(map::ExtIndicators, index - inTable);
    loops.toBytes(bytes.data());
}

AccessCode AccessCode::decode(const Image& image, std::size_t index) {
    return AccessCode{image.wordLE(map::AccessCode.at(index))};
}

void AccessCode::encode(Image& image, std::size_t index) const {
    image.setWordLE(map::AccessCode.at(index), word);
}

ReservedBytes ReservedBytes::decode(const Image& image, std::size_t index) {
    ReservedBytes reserved;
    const auto bytes = image.record(map::Reserved, index);
    std::copy(bytes.begin(), bytes.end(), reserved.bytes.begin());
    return reserved;
}

void ReservedBytes::encode(Image& image, std::size_t index) const {
    std::copy(bytes.begin(), bytes.end(), image.record(map::Reserved, index).begin());
}

ArchiveRecord ArchiveRecord::decode(const Image& image, std::size_t index) {
    ArchiveRecord record;
    const auto bytes = image.record(map::Archive, index);
    std::copy(bytes.begin(), bytes.end(), record.bytes.begin());
    return record;
}

void ArchiveRecord::encode(Image& image, std::size_t index) const {
    std::copy(bytes.begin(), bytes.end(), image.record(map::Archive, index).begin());
}

ArchivePointer ArchivePointer::decode(const Image& image, std::size_t index) {
    return ArchivePointer{image.wordBE(map::ArchivePointer.at(index))};
}

void ArchivePointer::encode(Image& image, std::size_t index) const {
    const auto bytes = image.record(map::ArchivePointer, index);
    bytes[0] = static_cast<std::uint8_t>(address >> 8);
    bytes[1] = static_cast<std::uint8_t>(address & 0xFF);
}

}  // namespace v5::config
