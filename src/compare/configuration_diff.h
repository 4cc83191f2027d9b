#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "image/image.h"

namespace v5 {

// The parts of the configuration the lists are grouped by, in their order.
enum class Subsystem { Slots, LoopsAndGroups, Keys, Outputs, Other };
QString subsystemName(Subsystem subsystem);  // the heading the user reads
QString subsystemId(Subsystem subsystem);    // the name scripts read

// One difference between two configurations, in the terms of the panes: a field that changed
// ("шлейф 17: тип охранный → пожарный"), an item added to or removed from a set ("зона 3: + шлейф 5"),
// or a note on something counted rather than listed ("архив событий: изменено записей: 12").
struct FieldChange {
    enum class Kind { Changed, Added, Removed, Note };

    Subsystem subsystem;
    Kind kind;
    QString subject;  // "шлейф 17", "реле 9", "ключ 012"
    QString field;    // "тип"; empty for an added or removed item
    QString before;   // Changed: the old value; Removed: the item
    QString after;    // Changed: the new value; Added: the item

    QString text() const;
    friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

// What to compare: everything, or only the configuration area the panel takes (0x0000 .. 0x2FFF),
// which is what a written panel can be checked against.
enum class CompareScope { WholeImage, ConfigurationArea };

// The changes that turn `before` into `after`, subsystem by subsystem, in the order of the image.
// Empty exactly when the compared bytes are equal: a byte no field explains is still reported. The
// event archive is counted, not listed.
std::vector<FieldChange> compareConfigurations(const Image& before, const Image& after,
                                               CompareScope scope = CompareScope::WholeImage);

// The changes as text, one a line, under the heading of their subsystem; nothing when there are none.
QStringList differenceLines(const std::vector<FieldChange>& changes);
// The changes as a JSON array of objects (subsystem, kind, subject, field, before, after, text).
QByteArray differenceJson(const std::vector<FieldChange>& changes);

}  // namespace v5
