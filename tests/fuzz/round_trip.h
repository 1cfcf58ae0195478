// The round trip every readable data file must survive: read it, write what
// was read, read that again.  Shared by the fuzzer and the corpus test.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "io/data_file.h"
#include "state/runtime_error.h"

namespace kurvo::fuzz {

// What went wrong with a file the reader accepts, or nothing when the second
// read gives the same document and writing that again gives the same bytes.
// A file the reader refuses (RuntimeError) passes; any other exception goes to
// the caller.
inline std::optional<std::string> RoundTripFault(std::string_view bytes) {
    Document first;
    try {
        first = ReadDocument(bytes);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    const std::string written = WriteDocument(first);
    Document second;
    try {
        second = ReadDocument(written);
    } catch (const RuntimeError& error) {
        return "the written file is refused: " + error.Description();
    }
    if (!(second == first)) return std::string("the written file reads as another document");
    if (WriteDocument(second) != written) return std::string("writing the document again gives other bytes");
    return std::nullopt;
}

}  // namespace kurvo::fuzz
