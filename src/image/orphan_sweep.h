#pragma once

#include "image/image.h"
#include "image/slots.h"

namespace v5 {

// Blank values of the parts of the image that belong to modules the panel does not hold, and
// unassignment of keys whose zone or partition no longer has any loop.
void ClearSheet(Image& image, const SlotCaptions& captions);

}  // namespace v5
