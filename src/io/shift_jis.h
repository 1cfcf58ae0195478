// Shift-JIS (code page 932), the encoding of the data files.  Texts live in
// memory as UTF-8; these two functions are the only place where the program
// converts between the two.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvo {

// UTF-8 text to Shift-JIS bytes.  A character that code page 932 cannot hold
// (and any byte that is not valid UTF-8) becomes one "?".  The few that have
// a look-alike in it take the look-alike's code, as the system's conversion
// does: ¥ and ‾ become "\" and "~", 〜 − — ‖ ¢ £ ¬ become ～ － ― ∥ ￠ ￡ ￢,
// and read back as those.
std::string ToShiftJis(std::string_view utf8);

// Shift-JIS bytes to UTF-8 text; nothing when the bytes are not valid
// Shift-JIS (a lead byte without its trail byte, an unassigned code).
std::optional<std::string> FromShiftJis(std::string_view bytes);

}  // namespace kurvo
