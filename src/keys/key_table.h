#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>

#include "image/records.h"
#include "desktop/device_link.h"
#include "image/image.h"

namespace v5 {

// The six code bytes of a key record: ROM bytes 1..6 of the key, least significant first.
inline constexpr std::size_t kKeyCodeBytes = 6;
using KeyCode = config::KeyCode;
static_assert(std::tuple_size_v<KeyCode> == kKeyCodeBytes);
using KeyRom = std::array<std::uint8_t, kKeyRomSize>;
static_assert(kConsoleKeyBlockSize == config::kConsoleBlockSize);

// Byte 6 of the installer's ("Монтер") and the rapid-response team's ("ГЗ") keys.
inline constexpr std::uint8_t kInstallerKey = config::kMonterAssignment;
inline constexpr std::uint8_t kRapidResponseKey = config::kGZAssignment;

// Record i's byte 6 and byte 7 (the monitoring number minus one), for images built byte by byte.
inline constexpr std::size_t kAssignmentByte = config::Key::kAssignmentByte;
inline constexpr std::size_t kTarniaByte = config::Key::kSpiByte;

// The 1-Wire CRC-8 and the check byte of a code (the eighth ROM byte of a key of family 0x01; 0 for the
// all-zero code of a free record), as the record layer defines them.
using config::isZeroCode;
using config::keyCheckByte;
using config::oneWireCrc8;
void SetCRC(Image& image, std::size_t record);

KeyCode keyCode(const Image& image, std::size_t record);
// The code bytes of a ROM image (bytes 1..6; the family code and the ROM's own check byte are not used).
KeyCode codeOfRom(const KeyRom& rom);
// The first record that holds this code; free records hold no code.
std::optional<std::size_t> findKey(const Image& image, const KeyCode& code);
std::optional<std::size_t> firstFreeKey(const Image& image);

// '1'..'9' -> 1..9, 'A'..'F' and 'a'..'f' -> 10..15, anything else -> 0.
int hex2dec(QChar c);
// Twelve hexadecimal digits as the list prints a code, code byte 5 first; a short text counts as
// padded with zeros, a character that is not a digit as 0.
KeyCode codeFromDigits(const QString& digits);

// The key-code dialog: the code is typed as the list prints it, twelve hexadecimal digits. The Cyrillic
// letters А В С Е (either case), which a Russian keyboard layout types on the keys of A B C E, stand
// for those; `latinKeyDigits` reads them so.
QString latinKeyDigits(const QString& text);
// What the dialog's field may hold while the user types: hexadecimal digits, at most twelve.
bool couldBeKeyCode(const QString& text);
struct TypedKeyCode {
    std::optional<KeyCode> code;
    QString problem;  // why the text is no key code, when it is not one
};
// The typed text as a key code; a text of fewer or more than twelve digits, a character that is no
// hexadecimal digit or the code of a free record (all zero) is none.
TypedKeyCode readTypedKeyCode(const QString& text);

// The list line of a record, in the list's fixed-pitch columns.
QString AddLine(const Image& image, std::size_t record);

enum class KeyOrder { Number, Zona, Unused };
// The records the list shows in each order: every stored key by number; the keys of zones and
// partitions grouped by assignment value; the stored keys that are not assigned.
std::vector<std::size_t> keyListRecords(const Image& image, KeyOrder order);

// One key copied from the console into its place: the code, its check byte, the monitoring number and
// the assignment.
void AddPultKey(Image& image, const config::ConsolePlace& place, const KeyCode& code);
// The console's 24 codes into their fixed records (config::consolePlaces).
void copyConsoleKeys(Image& image, std::span<const std::uint8_t, kConsoleKeyBlockSize> block);
// The stored keys the console copy would overwrite that it did not write itself: keys in its fixed
// records whose assignment, monitoring number or check byte differ from what the copy writes there.
std::vector<std::size_t> keysTheConsoleCopyWouldReplace(const Image& image);

}  // namespace v5
