#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "files/names_file.h"
#include "image/image.h"
#include "image/loop_mask.h"
#include "journal/event_kind.h"

// The event archive as a table: one row for each record arj.txt lists, in the same order, with the
// site's names for its key, loops and zones.
namespace v5 {

enum class JournalColumn { Number, Date, Time, Event, KeyOrLoops, Zones };
inline constexpr int kJournalColumns = 6;
// "№", "Дата", "Время", "Событие", "Ключ / шлейфы", "Зоны".
QString journalHeader(JournalColumn column);

struct JournalRow {
    int sequence = 0;  // 0 for the oldest record
    int record = 0;    // its place in the ring, as arj.txt numbers it
    std::uint8_t code = 0;
    EventKind kind = EventKind::Other;
    QString text;            // arj.txt's text of the event without its padding; "код XX" for a code it has none for
    int key = 0;             // arming or disarming by key: the key's number; 0 otherwise
    LoopMask loops;          // the loops the event concerns; none for a failed module test
    int slot = 0;            // a failed module test: the module's slot; 0 otherwise
    std::uint64_t zones = 0;  // bit z-1: zone z holds one of the loops
    bool powerOn = false;     // "включение": the panel starts a run after power-on
    int run = 0;              // how many power-on records come before and with this one
    std::array<QString, kJournalColumns> cells;
    QString searchText;  // the cells case-folded, one to a line, for the text filter

    const QString& cell(JournalColumn column) const { return cells[static_cast<std::size_t>(column)]; }
    bool holdsZone(int zone) const { return zone >= 1 && zone <= 64 && ((zones >> (zone - 1)) & 1U); }
};

// The rows of the image's archive, oldest first; `names` gives the keys' owners, the loops' and the
// zones' names.
std::vector<JournalRow> buildJournal(const Image& image, const SiteNames& names);

// The two images give the same journal (the same names given): the archive, its pointer and the
// zones' loops are the same.
bool sameJournalSource(const Image& a, const Image& b);

}  // namespace v5
