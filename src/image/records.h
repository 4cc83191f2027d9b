#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include <QString>

#include "image/image.h"
#include "image/slots.h"

// The record layer: one typed record for each kind of record in the panel's memory, with the one
// decode/encode pair that reads it from and writes it to its place in the image. Field positions, bit
// masks and sentinel values live here and nowhere else; everything above reads and writes records
// through these types.
//
// `T::decode(image, index)` reads record `index` (0-based) of its table; `record.encode(image, index)`
// writes every byte the record owns and no other. `T::kRegions` names those bytes.
namespace v5::config {

inline constexpr int kZonaCount = 64;
inline constexpr int kRazdelCount = 32;
inline constexpr int kPassThroughPlaces = 8;
inline constexpr int kRelayCount = 64;
inline constexpr int kIndicatorCount = 64;          // МД1..МД8, eight each
inline constexpr int kExternalIndicatorCount = 32;  // МДВ1..МДВ4, eight each
inline constexpr int kLineModuleCount = 8;
inline constexpr int kKeyCount = 990;
inline constexpr std::size_t kSounderCount = 4;

// --- Slots -------------------------------------------------------------------------------------------

// One slot-table entry as stored: the kind byte and the number byte (module number minus one).
struct SlotEntry {
    static constexpr std::array kRegions{map::SlotTable};
    static SlotEntry decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    std::uint8_t kind = 0;
    std::uint8_t numberByte = 0;

    bool isEmpty() const { return kind == 0; }
    // The module it names, when the kind is one of the four and the number fits it.
    std::optional<ModuleId> module() const;
    friend bool operator==(const SlotEntry&, const SlotEntry&) = default;
};

// --- Keys --------------------------------------------------------------------------------------------

using KeyCode = std::array<std::uint8_t, 6>;  // code bytes 0..5, byte 0 first off the 1-Wire bus

// A code of all zero bytes: what a free record holds, never a key's.
bool isZeroCode(const KeyCode& code);
// The Dallas/Maxim 1-Wire CRC-8 (x^8 + x^5 + x^4 + 1, least significant bit first, start value 0).
std::uint8_t oneWireCrc8(std::span<const std::uint8_t> bytes);
// The check byte the panel expects for a code: the 1-Wire CRC-8 of the family byte 0x01 followed by
// code bytes 0..5 (the eighth ROM byte of the physical key), and 0 for an all-zero code.
std::uint8_t keyCheckByte(const KeyCode& code);
// The code as the key list shows it: twelve hex digits, byte 5 first.
QString keyCodeText(const KeyCode& code, bool upperCase = true);

// Byte 6 of a key record.
enum class KeyRole : std::uint8_t {
    Zona,        // 0x00..0x3F: zone 1..64
    Razdel,      // 0x40..0x7F: partition (byte - 0x3F); the panel has 32, higher numbers name none
    Monter,      // 0xFA: the installer's key
    GZ,          // 0xFB: the rapid-response team's key
    Unassigned,  // 0xFF
    Unknown,     // anything else
};

inline constexpr std::uint8_t kMonterAssignment = 0xFA;
inline constexpr std::uint8_t kGZAssignment = 0xFB;
inline constexpr std::uint8_t kNoAssignment = 0xFF;
// Assignment bytes below this index the group table (zones and partitions, and past them whatever
// the panel finds there); the others name no group.
inline constexpr std::uint8_t kFirstNonGroupAssignment = 200;

struct KeyAssignment {
    std::uint8_t byte = kNoAssignment;

    // The byte of zone z (1..64) and of partition p (1..64; the panel has 32).
    static constexpr KeyAssignment ofZona(int zona) { return {static_cast<std::uint8_t>(zona - 1)}; }
    static constexpr KeyAssignment ofRazdel(int razdel) {
        return {static_cast<std::uint8_t>(kFirstRazdelByte - 1 + razdel)};
    }

    KeyRole role() const;
    // Zone number (1..64) or partition number (1..64) for Zona and Razdel; 0 otherwise.
    int number() const;
    friend bool operator==(KeyAssignment, KeyAssignment) = default;

private:
    static constexpr std::uint8_t kFirstRazdelByte = 0x40;
};

struct Key {
    // The eight bytes of the record and, apart from them, the check byte at 0x0000 + index.
    static constexpr std::array kRegions{map::KeyRecords, map::KeyCheck};
    // Where the assignment and the monitoring number lie in the record, after the six code bytes; for
    // images built byte by byte (tests, fuzz seeds).
    static constexpr std::size_t kAssignmentByte = 6;
    static constexpr std::size_t kSpiByte = 7;
    static Key decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    // The default record is a free one: no code, unassigned, number byte 0, check byte 0.
    KeyCode code{};
    KeyAssignment assignment;
    std::uint8_t spiByte = 0;    // number for the monitoring system minus one
    std::uint8_t checkByte = 0;  // as stored at 0x0000 + index

    // A new code, with the check byte the panel expects for it.
    void setCode(const KeyCode& newCode) {
        code = newCode;
        checkByte = keyCheckByte(code);
    }
    // A record whose six code bytes are zero is free, whatever its other bytes hold.
    bool isFree() const { return isZeroCode(code); }
    int spiNumber() const { return spiByte + 1; }
    bool checkByteMatches() const { return checkByte == keyCheckByte(code); }
    QString codeText(bool upperCase = true) const { return keyCodeText(code, upperCase); }
    friend bool operator==(const Key&, const Key&) = default;
};

// The copy from the keypad console. The console sends a block of 24 codes of six bytes; each code goes
// to a fixed record: installer codes 1..12 to keys 961..972, rapid-response codes 1..12 to keys
// 976..987, a place staying free when the console's was empty.
inline constexpr std::size_t kConsoleBlockSize = 144;
inline constexpr std::size_t kConsolePlaceCount = 24;
struct ConsolePlace {
    std::size_t record = 0;       // 0-based key record
    std::size_t blockOffset = 0;  // where its code starts in the console's block
    std::uint8_t assignment = 0;  // kMonterAssignment or kGZAssignment
    std::uint8_t spiByte = 0;     // the code's number in its group minus one

    // The code the console sent for this place.
    KeyCode codeIn(std::span<const std::uint8_t, kConsoleBlockSize> block) const;
    // The record the copy writes here.
    Key copyOf(const KeyCode& code) const;
    // `key` holds what the copy writes here, whatever its code: the assignment, the number and the
    // check byte of its code (a free place keeps check byte 0).
    bool holdsCopy(const Key& key) const;
};
// Every place, in the order of the console's block.
const std::array<ConsolePlace, kConsolePlaceCount>& consolePlaces();
// The place of key number `keyNumber` (1-based), if the copy writes it.
std::optional<ConsolePlace> consolePlace(int keyNumber);

// --- Loops -------------------------------------------------------------------------------------------

// The type code of byte 1 bits 5-4, in code order.
enum class LoopTypeCode : std::uint8_t { Okhrannyi = 0, Pozharnyi = 1, Trevozhnyi = 2, Kontrolnyi = 3 };
enum class TriggerSelection : std::uint8_t { None, OneDetector, TwoDetectors };

// The three bytes of a loop record.
struct LoopRecord {
    static constexpr std::array kRegions{map::LoopParams};
    static LoopRecord decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    std::array<std::uint8_t, 3> bytes{};

    LoopTypeCode type() const { return static_cast<LoopTypeCode>((bytes[1] >> 4) & 3); }
    // Byte 2 bit 5: the loop is off, whatever its type code says.
    bool disabled() const { return bytes[2] & 0x20; }
    int reactionCode() const { return bytes[0] >> 6; }            // 60 мс, 250 мс, 500 мс, 1 с
    int delayCode() const { return (bytes[0] >> 4) & 3; }         // нет, 30, 60, 90 s
    int confirmationCode() const { return (bytes[0] >> 2) & 3; }  // нет, 1, 2, 3 min
    bool triggerLimit() const { return bytes[0] & 0x02; }
    bool soundConfirmation() const { return bytes[0] & 0x01; }
    bool roundTheClock() const { return bytes[1] & 0x08; }
    bool verification() const { return bytes[1] & 0x02; }
    bool tamperControl() const { return bytes[1] & 0x01; }
    bool paired() const { return bytes[2] & 0x40; }
    // Two detectors (byte 2 bit 7) wins over one detector (byte 1 bit 2).
    TriggerSelection triggerSelection() const;
    // Bits no field uses; the pane always writes them as 0.
    std::array<std::uint8_t, 3> unusedBits() const {
        return {0, static_cast<std::uint8_t>(bytes[1] & 0xC0), static_cast<std::uint8_t>(bytes[2] & 0x1F)};
    }

    // The fields one at a time, as the loop pane builds a record from zero; codes keep two bits.
    void setReactionCode(int code) { setBits(0, 6, 0x3, code); }
    void setDelayCode(int code) { setBits(0, 4, 0x3, code); }
    void setConfirmationCode(int code) { setBits(0, 2, 0x3, code); }
    void setTriggerLimit(bool on) { setBits(0, 1, 0x1, on); }
    void setSoundConfirmation(bool on) { setBits(0, 0, 0x1, on); }
    void setType(LoopTypeCode type) { setBits(1, 4, 0x3, static_cast<int>(type)); }
    void setRoundTheClock(bool on) { setBits(1, 3, 0x1, on); }
    void setOneDetector(bool on) { setBits(1, 2, 0x1, on); }
    void setVerification(bool on) { setBits(1, 1, 0x1, on); }
    void setTamperControl(bool on) { setBits(1, 0, 0x1, on); }
    void setTwoDetectors(bool on) { setBits(2, 7, 0x1, on); }
    void setPaired(bool on) { setBits(2, 6, 0x1, on); }
    void setDisabled(bool on) { setBits(2, 5, 0x1, on); }
    friend bool operator==(const LoopRecord&, const LoopRecord&) = default;

private:
    void setBits(std::size_t byte, int shift, unsigned mask, int value) {
        const auto field = static_cast<std::uint8_t>(mask << shift);
        bytes[byte] = static_cast<std::uint8_t>((bytes[byte] & ~field) | ((static_cast<unsigned>(value) & mask) << shift));
    }
};

inline constexpr LoopRecord kBlankLoop{{0x00, 0x00, 0x20}};

// --- Outputs -----------------------------------------------------------------------------------------

inline constexpr std::uint8_t kNoTimeLimit = 255;
// Tamper control in a relay's mode byte, as the relay pane names the boxes.
inline constexpr std::uint8_t kRelayTamperGB5 = 0x40;  // "Контроль тампера ГБ-5"
inline constexpr std::uint8_t kRelayTamperVT5 = 0x80;  // "Контроль тампера ВТ-5"

struct Relay {
    static constexpr std::array kRegions{map::Relays};
    static Relay decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    std::uint8_t mode = 0;  // bits 0-3 mode code, bit 6 and bit 7 tamper control
    LoopMask loops;
    std::uint8_t runTime = 0;  // seconds; 255 without limit

    static constexpr std::uint8_t kModeCodeBits = 0x0F;
    int modeCode() const { return mode & kModeCodeBits; }
    // The mode byte of a mode code and the two tamper boxes.
    static std::uint8_t modeByte(int code, bool tamperGB5, bool tamperVT5) {
        return static_cast<std::uint8_t>((code & kModeCodeBits) | (tamperGB5 ? kRelayTamperGB5 : 0) |
                                         (tamperVT5 ? kRelayTamperVT5 : 0));
    }
    // Bit 6: the pane's "Контроль тампера ГБ-5"; bit 7: its "Контроль тампера ВТ-5".
    bool tamperBit6() const { return mode & kRelayTamperGB5; }
    bool tamperBit7() const { return mode & kRelayTamperVT5; }
    std::uint8_t unusedModeBits() const { return mode & 0x30; }
    // The modes whose run time the report shows.
    bool modeHasRunTime() const;
    friend bool operator==(const Relay&, const Relay&) = default;
};

// A communication module's entry: the loop modules it serves and its address.
struct LineModule {
    static constexpr std::array kRegions{map::LineModules};
    static LineModule decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    std::uint8_t loopModules = 0;  // bit m-1: МШС m
    std::uint8_t address = 0;

    bool serves(int loopModule) const { return (loopModules >> (loopModule - 1)) & 1U; }
    void setServes(int loopModule, bool on) {
        const auto bit = static_cast<std::uint8_t>(1U << (loopModule - 1));
        loopModules = static_cast<std::uint8_t>(on ? (loopModules | bit) : (loopModules & ~bit));
    }
    // 0..201, 241, 254 and 255 are what the address entry accepts.
    bool addressAccepted() const;
    friend bool operator==(const LineModule&, const LineModule&) = default;
};
inline constexpr std::uint8_t kSharedLineAddress = 254;  // may share loop modules with the others
inline constexpr std::uint8_t kNoLineAddress = 255;       // what a module not placed holds

// Place i of the pass-through table: a copy of the pass-through zone's mask and the union of its
// linked zones.
struct PassThroughPlace {
    LoopMask record;
    LoopMask linked;
    bool isFree() const { return record.isEmpty(); }
    friend bool operator==(const PassThroughPlace&, const PassThroughPlace&) = default;
};

// Sounder records in the order of the image; the pane's tabs list the СЗО relay first.
enum class SounderOutput : std::uint8_t {
    VzoGB5 = 0,
    ZoVT5Loops1to32 = 1,
    ZoVT5Loops33to64 = 2,
    SzoRelay = 3
};

struct Sounder {
    static constexpr std::array kRegions{map::Sounders};
    static Sounder decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    LoopMask loops;
    std::uint8_t faultDuration = 0;  // byte 8, duration codes in seconds, 255 without limit
    std::uint8_t alarmDuration = 0;  // byte 9
    std::uint8_t fireDuration = 0;   // byte 10
    std::uint8_t options = 0;        // byte 11: bits 0-2 repeat СЗО/СЗУ, bit 3 and 4 tamper as fault

    bool option(int bit) const { return (options >> bit) & 1U; }
    void setOption(int bit, bool on) {
        const auto mask = static_cast<std::uint8_t>(1U << bit);
        options = static_cast<std::uint8_t>(on ? (options | mask) : (options & ~mask));
    }
    friend bool operator==(const Sounder&, const Sounder&) = default;
};

// The ten duration codes the panes offer, in item order; any other byte shows as the next greater.
inline constexpr std::array<std::uint8_t, 10> kDurationCodes{0, 1, 5, 10, 30, 60, 120, 180, 240, 255};
bool isDurationCode(std::uint8_t code);

struct PanelOptionByte {
    static constexpr std::array kRegions{map::OptionByte};
    static PanelOptionByte decode(const Image& image, std::size_t index = 0);
    void encode(Image& image, std::size_t index = 0) const;
    std::uint8_t byte = 0;
    bool autoArming() const { return byte & 0x01; }
    bool programmingLocked() const { return byte & 0x02; }
    bool externalSupplyOnly() const { return byte & 0x04; }
    // Bits 0..2 in the order above, as the options pane lists them.
    bool bit(int b) const { return (byte >> b) & 1U; }
    void setBit(int b, bool on) {
        const auto mask = static_cast<std::uint8_t>(1U << b);
        byte = static_cast<std::uint8_t>(on ? (byte | mask) : (byte & ~mask));
    }
    std::uint8_t unusedBits() const { return byte & 0xF8; }
    friend bool operator==(PanelOptionByte, PanelOptionByte) = default;
};

// Presence bits of the modules outside the rack.
struct ExternalModules {
    static constexpr std::array kRegions{map::ExtModules};
    static ExternalModules decode(const Image& image, std::size_t index = 0);
    void encode(Image& image, std::size_t index = 0) const;
    std::uint16_t word = 0;
    bool mdv(int n) const { return (word >> (n - 1)) & 1U; }  // МДВ1..4: bits 0-3
    bool bi(int n) const { return (word >> (n + 3)) & 1U; }   // БИ1..4: bits 4-7
    bool mk(int n) const { return (word >> (n + 7)) & 1U; }   // МК1..4: bits 8-11
    std::uint16_t unusedBits() const { return word & 0xF000; }
    // Bit b (0..11) in the order the pane lists the boxes: МДВ1..4, БИ1..4, МК1..4.
    bool bit(int b) const { return (word >> b) & 1U; }
    void setBit(int b, bool on) {
        const auto mask = static_cast<std::uint16_t>(1U << b);
        word = static_cast<std::uint16_t>(on ? (word | mask) : (word & ~mask));
    }
    friend bool operator==(ExternalModules, ExternalModules) = default;
};

// --- Tables of loop masks ---------------------------------------------------------------------------

// Entry e (0..111) of the group table: zones 0..63, partitions 64..95, pass-through records 96..103,
// linked masks 104..111. A key's assignment byte below 200 indexes it.
struct GroupEntry {
    static constexpr std::array kRegions{map::GroupTable};
    LoopMask loops;

    static GroupEntry decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    friend bool operator==(const GroupEntry&, const GroupEntry&) = default;
};

// Indicator x: 0..63 in the indicator table (МД1..МД8), 64..95 in the external one (МДВ1..МДВ4).
struct IndicatorEntry {
    static constexpr std::array kRegions{map::Indicators, map::ExtIndicators};
    static constexpr int kCount = kIndicatorCount + kExternalIndicatorCount;
    LoopMask loops;

    static IndicatorEntry decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    friend bool operator==(const IndicatorEntry&, const IndicatorEntry&) = default;
};

// --- Single values -----------------------------------------------------------------------------------

// The access code: four decimal digits as the nibbles of a little-endian word.
struct AccessCode {
    static constexpr std::array kRegions{map::AccessCode};
    std::uint16_t word = 0;

    static AccessCode decode(const Image& image, std::size_t index = 0);
    void encode(Image& image, std::size_t index = 0) const;
    friend bool operator==(AccessCode, AccessCode) = default;
};

// --- The event archive -------------------------------------------------------------------------------

// The panel's own bytes between the access code and the archive pointer: carried unchanged.
struct ReservedBytes {
    static constexpr std::array kRegions{map::Reserved};
    // The EEPROM address of bytes[0], for telling where they differ.
    static constexpr std::size_t kFirstAddress = map::Reserved.offset;
    std::array<std::uint8_t, map::Reserved.stride> bytes{};

    static ReservedBytes decode(const Image& image, std::size_t index = 0);
    void encode(Image& image, std::size_t index = 0) const;
    friend bool operator==(const ReservedBytes&, const ReservedBytes&) = default;
};

// One event record: 16 bytes from 0x3000. Its fields are the archive's business (event_archive.cpp).
struct ArchiveRecord {
    static constexpr std::array kRegions{map::Archive};
    static constexpr int kCount = static_cast<int>(map::Archive.count);
    std::array<std::uint8_t, 16> bytes{};

    // The fields as the panel writes them. Bytes 14 and 15 carry nothing; a record whose bytes 0..13
    // are all zero is empty.
    static constexpr std::size_t kCodeByte = 5;
    static constexpr std::size_t kLoopMaskByte = 6;
    static constexpr std::size_t kUsedBytes = 14;
    std::uint8_t code() const { return bytes[kCodeByte]; }
    // A key event's key number (1..): the record number in bytes 0 and 1, big-endian, plus one.
    unsigned keyNumber() const { return 256u * bytes[0] + bytes[1] + 1; }
    // Any other event's date, its two bytes in the order they are printed: byte 1, then byte 0.
    std::array<std::uint8_t, 2> date() const { return {bytes[1], bytes[0]}; }
    std::uint8_t hour() const { return bytes[2]; }
    std::uint8_t minute() const { return bytes[3]; }
    std::uint8_t second() const { return bytes[4]; }
    // The loops the event concerns; for a failed module test, the first of these bytes is the slot.
    LoopMask loops() const { return LoopMask::fromBytes(bytes.data() + kLoopMaskByte); }
    std::uint8_t failedTestSlot() const { return bytes[kLoopMaskByte]; }

    static ArchiveRecord decode(const Image& image, std::size_t index);
    void encode(Image& image, std::size_t index) const;
    friend bool operator==(const ArchiveRecord&, const ArchiveRecord&) = default;
};

// The big-endian EEPROM address of the newest event.
struct ArchivePointer {
    static constexpr std::array kRegions{map::ArchivePointer};
    std::uint16_t address = 0;

    // The record the address falls in. An address at or below the archive's start counts as unset; one
    // past its end gives a number past the last record, which the reader wraps.
    std::optional<int> newestRecord() const {
        if (address <= map::Archive.offset) return std::nullopt;
        return static_cast<int>((address - map::Archive.offset) / map::Archive.stride);
    }

    static ArchivePointer decode(const Image& image, std::size_t index = 0);
    void encode(Image& image, std::size_t index = 0) const;
    friend bool operator==(ArchivePointer, ArchivePointer) = default;
};

}  // namespace v5::config
