#pragma once

#include <vector>

#include "compare/configuration_diff.h"
#include "files/names_file.h"

namespace v5 {

// The comparison in the site's words: the subject of a change to a named loop, zone, partition, relay or
// key carries its name ("шлейф 3 «Окна кухни»", "ключ 017 «Иванов И. И.»"). Other changes stay as they are.
std::vector<FieldChange> withNames(std::vector<FieldChange> changes, const SiteNames& names);

}  // namespace v5
