#pragma once

#include <QStringList>

#include "image/image.h"

namespace v5 {

// The lines of "report.txt": keys, zones, partitions, pass-through zones, installed modules, loop
// parameters, indicators, relays, communication modules and sounders, in this order. It reads the
// image as it stands; the window runs the pane reset and the orphan sweep first (resetAndReport).
QStringList configurationReport(const Image& image);

}  // namespace v5
