// The logic behind the main window: the session record, the main window's
// own bookkeeping, and the shared procedures that its commands, pages and
// dialogs call.  It reaches the window only through the interfaces in Views.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graph/surface.h"
#include "state/grid.h"
#include "state/session.h"
#include "state/views.h"

namespace kurvo {

struct Document;

inline constexpr const char* kProgramCaption = "Tavric　『Kurvo』";

// What the main window offers the logic.
struct Views {
    IGrid& spdData;
    IGrid& spdSpec;
    IGrid& spdCoeff;
    std::array<IGrid*, 4> spdEstimate;
    ITabControl& SSTab1;
    IEquationLabels& lblEquation;
    ISurface& picGraph;
    IUserDialogs& dialogs;
    ISurface* printer = nullptr;  // the page to print on, when printing is possible
};

// What the title dialog edits: the document title and the titles of columns A..E.
struct TitleTexts {
    std::string title;
    std::array<std::string, 5> variables;
};

// The main window's own variables beside the session record.
struct MainWindowState {
    // Last seen position of each graph-range scroll bar.
    std::int16_t int_HScroll_Low = 0;
    std::int16_t int_HScroll_High = 0;
    std::int16_t int_VScroll_Low = 0;
    std::int16_t int_VScroll_High = 0;
    // Origin and plot frame of the last graph drawn, in the target's twips.
    std::int32_t ix0 = 0, iy0 = 0, ix1 = 0, iy1 = 0, ix2 = 0, iy2 = 0;
    // The file dialog's name from its last use; Open and Save share the dialog.
    std::string str_FileName;
};

inline constexpr std::int16_t kScrollMax = 32767;

// Whether a result-sheet fill runs inside an estimation (errors abandon the
// run) or refreshes a sheet for display (rows whose X the transform cannot
// take are passed over).
enum class FillMode { Estimation, Refresh };

class App {
public:
    explicit App(const Views& views);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Session session;
    MainWindowState window;

    // ---- document ----
    void StartUp();   // once, when the main window loads
    void New();       // File > New
    void InitSheets();

    // ---- estimation ----
    // Fits every combination of the method grid; reports its own errors.
    void RunEstimation();
    // Shows the results of combination k + 1 (k 0-based) and loads its working
    // state; returns the data rows of its valid samples, whose lines it wrote.
    std::vector<int> FillResultSheets(int k, FillMode mode);
    // A cell of the method grid changed.
    void OnSpecCellChanged(int col, int row);

    // ---- graph ----
    // Draws combination index + 1 on the screen or on the printer; reports its own errors.
    void DrawGraph(int index, bool toPrinter, std::int16_t xLog, std::int16_t yLog, std::int16_t xRecip,
                   std::int16_t yRecip);
    // Redraws the shown combination on the screen.
    void RedrawShownGraph();
    // The selected page of the tab control changed.
    void OnTabChanged();

    // ---- data files and examples (src/io) ----
    void SaveCommand();            // File > Save as: dialog, question, write, message
    void OpenCommand();            // File > Open: dialog, question, read, fill the grids
    // Open without its dialog, for a file already chosen (on the command line,
    // dropped on the window): the question when `ask`, then the same read.
    // The Open and Save dialogs offer the name next.
    void OpenFile(const std::string& name, bool ask);
    void LoadExample(int number);  // Examples 1..4

    // ---- titles ----
    // What the title dialog shows when it opens: titles beyond int_VarCount are empty.
    TitleTexts CurrentTitles() const;
    // The title dialog's OK: stores the titles, renames the data grid's columns and
    // the variable lists; each combination keeps its variable.
    void ApplyTitles(const TitleTexts& texts);

    // ---- graph range scroll bars (src/graph) ----
    enum class RangeBar { HScrollLow, HScrollHigh, VScrollLow, VScrollHigh };
    // The bar's position changed to `position`; `minimum` is its minimum position.
    void OnRangeBarChanged(RangeBar bar, int minimum, int position);

    // ---- changes ----
    // Whether the document (titles, method rows and data rows, as a save
    // writes them) differs from what it was after start-up, New, the last
    // example, the last successful Open or the last successful Save.
    bool HasUnsavedChanges() const;
    // Runs after each of those: the document has nothing left unsaved.
    void SetSettledHandler(std::function<void()> handler) { settledHandler_ = std::move(handler); }

    const Views& views() const { return views_; }

private:
    // The document as it is now is the one the changes are measured from.
    void MarkSettled();

    void RunEstimationSteps();
    void ReportError(const std::string& text);
    void DrawGraphSteps(ISurface& target, bool toPrinter, int index, std::int16_t xLog, std::int16_t yLog,
                        std::int16_t xRecip, std::int16_t yRecip);

    Views views_;
    std::shared_ptr<const Document> settled_;  // none: the empty document
    std::function<void()> settledHandler_;
};

// The variable list of a fresh document: "A", "B", "C", "D", "E" separated by TAB.
std::string DefaultVariableList();
// The name of data column i when the first `count` columns carry titles: its
// title, or its letter where it has none (a document saved without titles
// keeps columns A..E and the variables its method rows name).
std::string ColumnName(const Session& session, int i, int count);
// The five column names separated by TAB.
std::string VariableList(const Session& session, int count);

// Paints the main window's background: a blue-to-black gradient of three-pixel
// bands over a surface measured in device pixels.
void PaintWindowBackground(ISurface& window);

}  // namespace kurvo
