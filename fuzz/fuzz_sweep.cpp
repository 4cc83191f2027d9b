// The light path, no panes: the image as read, the orphan sweep, the report, the archive, the check and
// the diff. Fast enough for a million images an hour.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_common.h"
#include "fuzz/invariants/pane_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    v5::fuzz::failOn(v5::fuzz::runSweepSession(std::span(data, size)).violations);
    return 0;
}
