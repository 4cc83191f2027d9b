// One image through every pane: the image (32768 bytes) followed by bytes that choose the edits.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_common.h"
#include "fuzz/invariants/pane_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace v5::fuzz;
    static const PaneSessionOptions options = [] {
        PaneSessionOptions o;
        o.folder = scratchFolder();
        o.skipKnownLinkedZoneErasure = skipKnownLinkedZoneErasureFromEnvironment();
        return o;
    }();
    failOn(runPaneSession(std::span(data, size), options).violations);
    return 0;
}
