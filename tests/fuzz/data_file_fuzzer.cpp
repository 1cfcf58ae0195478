// libFuzzer entry: arbitrary bytes as a data file.  The reader either refuses
// them with its message or gives a document that survives writing and reading
// back unchanged.  A crash, a sanitizer report, an uncaught exception or a
// failed round trip stops the run with the input saved.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto fault = kurvo::fuzz::RoundTripFault(bytes)) {
        std::fprintf(stderr, "round trip failed: %s\n", fault->c_str());
        std::abort();
    }
    return 0;
}
