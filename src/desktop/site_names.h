#pragma once

#include <optional>

#include <QString>

#include "files/names_file.h"
#include "image/image.h"

namespace v5 {

// Names follow their objects: a zone, partition or key that `before` held and `after` no longer holds
// loses its name, and so do the loops and relays of a module that left the rack (the sweep blanks
// them). A name whose object was not there before either is kept: it may be the installer's plan.
void dropNamesOfErased(const Image& before, const Image& after, SiteNames& names);

// What a name field of a pane names: a loop, zone, partition or relay by its number, or a key's owner
// or note by the key's number.
enum class NameField { Loop, Zone, Partition, Relay, KeyOwner, KeyNote };
struct NamedObject {
    NameField field;
    int number;
    friend bool operator==(const NamedObject&, const NamedObject&) = default;
};

// The name held for `object`; empty when it has none.
QString nameOf(const SiteNames& names, const NamedObject& object);
// Keeps `text` exactly as typed; an empty text removes the name.
void setNameOf(SiteNames& names, const NamedObject& object, const QString& text);

// "шлейф 3", "зона 1", "раздел 2", "реле 5", "владелец ключа 017", "примечание ключа 017".
QString subjectOf(const NamedObject& object);
// "шлейф 3" → "шлейф 3 «Окна кухни»"; the subject alone when the name is empty.
QString withName(const QString& subject, const QString& name);

// An undo step that changed only names, in words: "название: шлейф 3 «Окна кухни»" for one name,
// "названия: 3" for several, "данные объекта" for the site data.
QString describeNamesChange(const SiteNames& before, const SiteNames& after);

}  // namespace v5
