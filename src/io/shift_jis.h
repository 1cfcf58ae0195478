// Shift-JIS (code page 932), the encoding of the data files.  Texts live in
// memory as UTF-8; these two functions are the only place where the program
// converts between the two.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

// UTF-8 text to Shift-JIS bytes.  A character that code page 932 cannot hold
// (and any byte that is not valid UTF-8) becomes one "?".  The few that have
// a look-alike in it take the look-alike's code, as the system's conversion
// does: ¥ and ‾ become "\" and "~", 〜 − — ‖ ¢ £ ¬ become ～ － ― ∥ ￠ ￡ ￢,
// and read back as those; µ and Å (U+00C5) take the codes of μ and the
// Angstrom sign Å, the same characters for the reader.
std::string ToShiftJis(std::string_view utf8);

// The characters of the text that ToShiftJis writes as "?", each once, in
// the order they first appear.
std::vector<std::string> ShiftJisLacks(std::string_view utf8);

// Whether the bytes are well-formed UTF-8 (no overlong form, no surrogate,
// nothing beyond U+10FFFF).
bool IsUtf8(std::string_view bytes);

// Shift-JIS bytes to UTF-8 text; nothing when the bytes are not valid
// Shift-JIS (a lead byte without its trail byte, an unassigned code).
std::optional<std::string> FromShiftJis(std::string_view bytes);

}  // namespace kurvo
