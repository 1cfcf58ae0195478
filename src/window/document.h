// Copying a document between the main window and a data file's content, and
// the Open and Save commands built on it.
#pragma once

#include "io/data_file.h"
#include "window/app.h"

namespace kurvo {

// The counts a save writes, taken from the grids as they are at that moment.
struct GridCounts {
    int rows = 0;          // the last row of the data grid holding any text
    int variables = 0;     // the highest data column holding any text
    int combinations = 0;  // method rows from row 1 up to the first without a dependent variable
};
// `typing`, the text of a data cell still being edited, counts as that cell's.
GridCounts CountGrids(const Views& views, const std::optional<CellText>& typing = std::nullopt);

// The part of the document that Open reads back: the title and variable
// titles from the session, the method and data cells from the grids, with
// `typing` as the text of the data cell it names.
Document CaptureContent(const App& app, const std::optional<CellText>& typing = std::nullopt);

// What Save writes: the content, and after an estimation the coefficients of
// the last run and every estimated combination's estimate lines for the data
// as they are now (the result sheets show the same once refilled).  An error
// in those lines raises its RuntimeError.
Document CaptureDocument(const App& app);

// Replaces the document on screen by `document`, a complete read: InitSheets,
// then counts, titles, headings, variable lists, method rows and data rows.
// The session slots of combinations beyond the document's keep their values.
void ApplyDocument(App& app, const Document& document);

// A recovered document put on screen as Open puts one, with the file it came
// from; returns what the window's own recovery copy is to hold then.
std::optional<Document> RestoreDocument(App& app, const Document& document, const DocumentOrigin& origin);

// Before a save: when the document holds characters Shift-JIS cannot hold,
// names them and asks whether to write them as "?" (いいえ by default).
// True when the save may go on.
bool AcceptLostCharacters(const App& app, IUserDialogs& dialogs);

// The variable whose title equals the text, 1..count; 0 when none does.
int VariableOfTitle(const Session& session, int count, const std::string& text);

}  // namespace kurvo
