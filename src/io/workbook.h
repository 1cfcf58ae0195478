// The first sheet of a workbook (.xlsx or .ods) as a table of cell texts.
// Only this reader knows the library that takes the workbooks apart.
#pragma once

#include <string_view>

#include "io/clipboard_table.h"

namespace kurvo {

// Whether the bytes are a zip archive, as both kinds of workbook are.
bool LooksLikeWorkbook(std::string_view bytes);

// The first sheet's cells as texts: a number in the general number form, a
// text as it is, a formula as the result the workbook keeps for it, a truth
// value as TRUE or FALSE, a date and time as "2024-05-01 12:00:00".  Only the
// first `rows` rows and `columns` columns are kept; `extent` tells how far
// the sheet's filled cells reach, so that a larger sheet can be named by its
// size.  Anything that is not an .xlsx or .ods workbook raises RuntimeError
// (FileFormat) with a line that says so.
struct SheetCells {
    TextTable cells;
    int extentRows = 0, extentColumns = 0;
};
SheetCells ReadWorkbook(std::string_view bytes, int rows, int columns);

}  // namespace kurvo
