// libFuzzer entry: arbitrary bytes as clipboard text pasted into a grid, its
// first byte choosing the cell the paste starts at.  A crash, a sanitizer
// report, an uncaught exception (a cell written beyond the grid raises) or a
// fault of the paste or of its copy stops the run with the input saved.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto fault = kurvo::fuzz::PasteFault(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::fprintf(stderr, "paste failed: %s\n", fault->c_str());
        std::abort();
    }
    return 0;
}
