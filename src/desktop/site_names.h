#pragma once

#include "files/names_file.h"
#include "image/image.h"

namespace v5 {

// Names follow their objects: a zone, partition or key that `before` held and `after` no longer holds
// loses its name, and so do the loops and relays of a module that left the rack (the sweep blanks
// them). A name whose object was not there before either is kept: it may be the installer's plan.
void dropNamesOfErased(const Image& before, const Image& after, SiteNames& names);

}  // namespace v5
