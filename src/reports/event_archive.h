#pragma once

#include <QStringList>

#include "image/image.h"

namespace v5 {

// The lines of "arj.txt": the newest-record line when the pointer is set, then every written record
// of the ring from the oldest on. Reads the image only.
QStringList eventArchive(const Image& image);

// How many records the export writes (not empty, and not marked as never written).
int writtenArchiveRecords(const Image& image);

}  // namespace v5
