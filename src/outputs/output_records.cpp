#include "outputs/output_records.h"

namespace v5 {

int durationItem(std::uint8_t value) {
    int item = 0;
    while (kDurationValues.at(static_cast<std::size_t>(item)) < value)
        ++item;
    return item;
}

}  // namespace v5
