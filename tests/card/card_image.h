#pragma once

#include "files/names_file.h"
#include "image/image.h"

namespace v5::test {

// A small configuration with something in every section of the site card, and beside it records of
// modules the panel does not hold: МШС1 and МШС3, МР1, МД1, МС1 in the rack; МДВ2 and БИ1 outside.
Image cardImage();
// Names for cardImage(): the site, loop 1, zone 1, partition 1, key 1 and relay 2.
SiteNames cardNames();

}  // namespace v5::test
