#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "image/image.h"
#include "image/records.h"

// The event archive as both of its readers take it, arj.txt and the event journal: which records count,
// in which order, and the text each event code shows.
namespace v5 {

// A written record and where it lies in the ring.
struct ArchiveEvent {
    int record = 0;  // 0..1279
    config::ArchiveRecord bytes;
};

// Not empty (bytes 0..13 not all zero) and not marked as never written.
bool isWrittenArchiveRecord(const config::ArchiveRecord& record);

// The written records in the panel's order: from the one after the pointer's newest record to that
// record, oldest first; without a pointer, from record 0 on.
std::vector<ArchiveEvent> archiveEvents(const Image& image);

// Arming and disarming by key: bytes 0 and 1 hold the key's number instead of a date.
bool isKeyEvent(std::uint8_t code);
// The panel marks the start of every run after power-on with this event.
bool isPowerOnEvent(std::uint8_t code);

// The text arj.txt shows after the head of a record with this code, 30 characters wide: the event's
// text, its group's text with the number in the code, or the code in hex.
struct ArchiveCodeText {
    QString text;
    bool known = true;        // the code has a text or a group; false: the text is the code in hex
    bool failedTest = false;  // the record names a slot (byte 6) instead of listing loops
};
const ArchiveCodeText& archiveCodeText(std::uint8_t code);

}  // namespace v5
