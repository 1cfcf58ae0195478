// Files the user opens: a data file of this program, or a table kept in
// another program's file (CSV or TSV text, an .xlsx or .ods workbook), which
// becomes a new document.
#pragma once

#include <string>
#include <string_view>

#include "io/clipboard_table.h"
#include "io/data_file.h"

namespace kurvo {

// What the Open dialog offers: data files, tables, everything.
inline constexpr const char* kOpenFilter =
    "データ ファイル (*.txt)|*.txt|表 (*.csv *.tsv *.txt *.xlsx *.ods)|*.csv;*.tsv;*.txt;*.xlsx;*.ods|"
    "すべてのファイル (*)|*";

// Where the document on screen came from: the data file last read or
// written, or a table it was read from (the document is then untitled, and
// Save asks for a name); no file for a new document.
struct DocumentOrigin {
    std::string file;
    bool table = false;
    bool operator==(const DocumentOrigin&) const = default;
};

// Whether the name is that of an existing regular file (through symbolic
// links) that does not begin like a data file: one that saving would replace
// though this program did not write it.
bool HoldsOtherData(const std::string& path);

struct OpenedFile {
    Document document;
    bool table = false;  // read from a table, not from a data file
    int notNumbers = 0;  // table cells below the names that hold a text that is not a number
};

// The table as a document: when its first row holds texts and no number,
// over rows with a number, its texts become the variable titles; the rows below fill
// the data from A1, the texts as AsEntered makes them.  A table of more than
// kMaxSamples rows (names not counted) or kMaxVariables columns, or of no
// cell at all, raises RuntimeError (FileFormat) that names its size and the
// limits; the document then is not touched.
OpenedFile TableDocument(const TextTable& table);

// The bytes of a file to open: an empty file or one that begins like a data
// file is read as ReadDocument reads it; a workbook by its first sheet;
// anything else as text in UTF-8 (a byte-order mark left out) or, when it is
// not UTF-8, Shift-JIS, split into cells as pasted text is (ParseTable).
// Bytes that are neither raise the message that the file is not this
// program's data.
OpenedFile ReadOpenedBytes(std::string_view bytes);

// ReadOpenedBytes on the content of a file; ReadDocumentFile's errors for a
// file that cannot be read.
OpenedFile ReadOpenedFile(const std::string& path);

}  // namespace kurvo
