// The logic behind the main window: the session record, the main window's
// own bookkeeping, and the procedures that its commands, pages and dialogs
// call.  It ties the layers below together (the fits, the graph, the data
// files) and reaches the window only through the interfaces in Views.
//
// Each action that can fail comes twice: as a result (Estimate, Draw, Save,
// Open: an error carrying its number and text, or nothing when it worked),
// and as the command the window runs (RunEstimation, RedrawShownGraph, SaveCommand,
// OpenFile), which shows that error in a message box.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fit/calculate_value.h"
#include "fit/degree_table.h"
#include "fit/fit_report.h"
#include "fit/fit_statistics.h"
#include "graph/graph_range.h"
#include "graph/surface.h"
#include "state/grid.h"
#include "state/session.h"
#include "io/data_file.h"
#include "io/table_file.h"
#include "state/views.h"

namespace kurvo {

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

// The degree table of one combination: its rows, or why its samples could not be read.
struct DegreeComparison {
    int combination = 0;  // 1..4
    std::vector<DegreeRow> rows;
    std::optional<RuntimeError> failure;
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
    // The name the Open dialog starts with: the file last chosen, dropped or
    // named on the command line.  The Save dialog starts with the document's
    // own data file instead, never with another file.
    std::string str_FileName;
};

inline constexpr std::int16_t kScrollMax = 32767;

// Printing before the document has been estimated.
inline constexpr const char* kNothingToPrintMessage = "まだ推算していないので、印刷するグラフがありません。";

// An action's outcome: nothing when it worked, else the error to show.
using Failure = std::optional<RuntimeError>;

class App {
public:
    explicit App(const Views& views);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    MainWindowState window;

    // ---- what the document has come to ----
    // Whether an estimation has run since the document was replaced.
    bool Estimated() const { return session_.int_Estimated != 0; }
    // The combination whose page, results and graph are shown (1..4).
    int ShownCombination() const { return session_.int_Comb + 1; }
    // The combinations in use (0..4), as the last estimation, example or opened file counted them.
    int CombinationCount() const { return session_.int_CombCount; }
    // Whether the last title or range dialog was confirmed, so that the graph
    // is to be drawn again (the range dialog counts as confirmed once opened).
    bool DialogConfirmed() const { return session_.int_DialogOK != 0; }

    // ---- document ----
    void StartUp();   // once, when the main window loads
    // An empty document; the title and the variable titles go as well.
    void New();
    void InitSheets();
    // Before the document is replaced or the program ends: while it has
    // unsaved changes, asks whether to save it (はい saves as 上書き保存 does),
    // and returns whether the action may go on.
    bool ConfirmReplace();
    // The menu's New and examples: ConfirmReplace, then New or LoadExample.
    void NewCommand();
    void ExampleCommand(int number);
    // The data file last opened or saved, empty for a new document and for
    // one read from a table.
    const std::string& DocumentFile() const { return documentFile_; }
    // The table the untitled document was read from; empty when none.
    const std::string& TableFile() const { return tableFile_; }
    DocumentOrigin Origin() const;
    // A recovered document's file, as if it had just been opened from there.
    void SetOrigin(const DocumentOrigin& origin);

    // ---- estimation ----
    // Fits every combination of the method grid and shows the first one,
    // with its graph unless `draw` is false.
    [[nodiscard]] Failure Estimate(bool draw = true);
    // The estimate button: Estimate, and its failure in a message box.
    void RunEstimation();
    // Refits with the combination's new degree when an estimation has run.
    void OnSpecCellChanged(int col, int row);
    // Shows the results of combination k + 1 (k 0-based) for the data as
    // they are now, with the coefficients of the last run, and loads its
    // working state (degree, coefficients, samples) for the graph and the
    // calculated value.
    [[nodiscard]] Failure FillResultSheets(int k);
    // The report of combination k + 1's last fit on the data as they are now.
    FitReport RefreshedFit(int k) const;
    // Whether the last run refused combination c (1..4): it has no results.
    bool Refused(int c) const { return c >= 1 && c <= kMaxCombinations && refused_[static_cast<std::size_t>(c - 1)]; }

    // ---- graph ----
    // Draws combination index + 1 on the screen or on the printer with the given transform flags.
    [[nodiscard]] Failure Draw(int index, bool toPrinter, std::int16_t xLog, std::int16_t yLog, std::int16_t xRecip,
                 std::int16_t yRecip);
    // Draws the shown combination, with its own transform flags, on the
    // screen or on the printer.
    [[nodiscard]] Failure DrawShown(bool toPrinter);
    // Redraws the shown combination on the screen.
    void RedrawShownGraph();
    // Prints the shown combination; the screen graph, blank while the page
    // is drawn, is drawn again.  Before the document has been estimated it
    // says there is nothing to print yet.
    void PrintShownGraph();
    // The selected page of the tab control changed.
    void OnTabChanged();
    // Shows combination `number` (1..int_CombCount) as a click on its page
    // does, even when the page is up already: its sheet is refilled and its
    // graph redrawn.  The tab control is left as it is.
    [[nodiscard]] Failure ShowCombination(int number);

    // ---- how sure the fits are ----
    // The level of the coefficients' intervals and of the bands (95 % at first).
    ConfidenceLevel Level() const { return level_; }
    void SetLevel(ConfidenceLevel level);
    // Which bands the graph draws round the curve; none at first.
    bool ConfidenceBand() const { return confidenceBand_; }
    bool PredictionBand() const { return predictionBand_; }
    // Shows or hides the bands and redraws the shown graph after an estimation.
    void SetBands(bool confidence, bool prediction);
    // Whether the graph shows the residuals of the shown combination instead
    // of its curve; not at first.  Setting it redraws the shown graph after an estimation.
    bool ResidualGraph() const { return residualGraph_; }
    void SetResidualGraph(bool residuals);
    // The figures of combination c's last fit (c = 1..4) at the chosen level;
    // nothing before a fit of it, and none available when it has no
    // degrees of freedom.
    std::optional<FitFigures> Figures(int c) const;
    // Both bands of combination c's last fit, whose figures are given, at a
    // measured x; nothing when they are not available there (no degrees of
    // freedom, an x the transform cannot take).
    std::optional<BandAt> BandsAt(int c, const FitFigures& figures, double x) const;
    // The confidence and the prediction interval of the shown combination at
    // a measured x, as the calculated-value dialog shows them, or with every
    // digit (FormatShortest) for a copy.
    std::array<std::string, 2> IntervalTextsAt(double x, bool everyDigit = false) const;
    // The equation combination c fits, with its variables' names and the
    // transforms written out: "ln(P) = C0 + C1·(1/T) + C2·(1/T)²".
    std::string FittedForm(int c) const;
    // What the summary's figures and the intervals of combination c are of, in
    // plain words: s and R² of the transformed Y, the intervals of the median
    // under ln Y and the reciprocal of those of 1/Y under a reciprocal.
    std::string FigureMeaning(int c) const;

    // ---- calculated value ----
    // "title = " of the shown combination's independent and dependent variable.
    std::string CalculateXLabel() const;
    std::string CalculateYLabel() const;
    // The shown combination's equation, at the degree shown, evaluated at a typed X.
    CalculatedValue CalculateShownValue(std::string_view xText) const;
    // Combination c's equation at the degree of its method row.
    CalculatedValue CalculateValueOf(int c, std::string_view xText) const;

    // ---- which degree ----
    // Combination c's samples as they are now, with the transforms of its
    // last run, fitted at every degree they allow; a failure before an
    // estimation, for a combination the run did not reach and for a sample
    // the transforms cannot take.
    DegreeComparison CompareDegreesOf(int c) const;
    // Sets combination c's degree in the method grid and, after an
    // estimation, estimates again and shows combination c.
    void ChooseDegree(int c, int degree);

    // ---- graph range ----
    enum class RangeBar { HScrollLow, HScrollHigh, VScrollLow, VScrollHigh };
    // The bar's position changed to `position`; `minimum` is its minimum position.
    void OnRangeBarChanged(RangeBar bar, int minimum, int position);
    // The range dialog opens: the ends it shows.  The graph is redrawn after
    // the dialog, whichever button closes it.
    RangeTexts BeginRangeChange();
    // The range dialog's 変更: stores the typed ends of the shown combination.
    // `axesTyped` (X, Y): the axes whose boxes count; the other keeps its range.
    RangeOutcome ChangeGraphRange(const RangeTexts& texts, std::array<bool, 2> axesTyped = {true, true});

    // ---- data files and examples ----
    [[nodiscard]] Failure Save(const std::string& name);  // writes the document with its results
    // Reads a data file, or a table (ReadOpenedFile) as an untitled document,
    // into the window; a table's size and the cells that are not numbers go
    // to the status bar.
    [[nodiscard]] Failure Open(const std::string& name);
    // File > Save as: dialog (offering the document's own data file only),
    // question, write, message; true when it saved.  A file that is not a
    // data file of this program is replaced only when the user says so to a
    // question whose default is いいえ.
    bool SaveCommand();
    // File > Save: a document with a data file is written there without a
    // question, the status bar says where; an untitled one goes through SaveCommand.
    bool SaveInPlaceCommand();
    // File > Open: ConfirmReplace, dialog, question, read, fill the grids.
    void OpenCommand();
    // Open without its dialog, for a file already chosen (on the command line,
    // dropped on the window): with unsaved changes ConfirmReplace alone, else
    // the question when `ask`; then the same read.  The Open dialog offers
    // the name next.
    void OpenFile(const std::string& name, bool ask);
    void LoadExample(int number);  // Examples 1..4

    // ---- titles ----
    // The title dialog opens: what it shows (titles beyond int_VarCount are empty).
    TitleTexts BeginTitleEdit();
    TitleTexts CurrentTitles() const;
    // The title dialog's OK: stores the titles, renames the data grid's columns and
    // the variable lists; each combination keeps its variable.  A name given
    // to two columns is refused with a message, and nothing changes: false.
    bool ApplyTitles(const TitleTexts& texts);
    // A paste whose first row reads as variable names: asks whether to take
    // them; Yes makes them the titles of the columns from `firstCol` on, as the
    // title dialog would, and returns true (false when they are refused).
    bool OfferVariableNames(const std::vector<std::string>& names, int firstCol);

    // ---- changes ----
    // Whether the document (titles, method rows and data rows, as a save
    // writes them) differs from what it was after start-up, New, the last
    // example, the last successful Open or the last successful Save.
    bool HasUnsavedChanges() const;
    // The document's content while it has unsaved changes: what the recovery
    // copy holds.  `typing` is the text of a data cell still being edited,
    // which the content takes as that cell's.
    std::optional<Document> UnsavedContent(const std::optional<CellText>& typing = std::nullopt) const;
    // Runs after each of those: the document has nothing left unsaved.
    void SetSettledHandler(std::function<void()> handler) { settledHandler_ = std::move(handler); }

    const Views& views() const { return views_; }
    void ReportError(const std::string& text);

private:
    // The session record: the window and the batch command see it through
    // the queries above; the tests' probe may read and set it whole.
    Session session_;
    friend struct SessionProbe;
    // Copying a document between the window and a data file's content reads and fills the record.
    friend Document CaptureContent(const App& app, const std::optional<CellText>& typing);
    friend Document CaptureDocument(const App& app);
    friend void ApplyDocument(App& app, const Document& document);

    // After a file is read: a name that two columns share is pointed out.
    void WarnOfRepeatedNames();
    // The document as it is now is the one the changes are measured from.
    void MarkSettled();

    // What selecting page `page` shows: nothing on the data page or a page
    // without results; else the combination's sheet and graph.
    [[nodiscard]] Failure ShowPage(int page);
    // The run without its drawing: the combinations refused, each named, or
    // nothing; raises what stops the whole run.
    [[nodiscard]] Failure EstimateSteps();
    // Fits combination c and shows its coefficients and sheet; false when it
    // has no sample (it keeps what earlier runs left).  Raises what refuses it.
    bool FitAndShow(int c);
    // A refused combination: no coefficients, statistics, sheet or fit.
    void LeaveEmpty(int c);
    // Calls take(row, x, y) for each data row whose X and Y cells of
    // combination c both hold numbers, in row order.
    void ScanValidRows(int c, const std::function<void(int, double, double)>& take) const;
    // The valid samples of combination c, transformed as the run fits them;
    // also stores the run's working state (sample count, power table,
    // measured values) as each sample is read.  A transform that cannot be
    // taken raises its error.
    FitSamples SamplesForFit(int c);
    // The error with a line that says where it arose: combination c, and the
    // data row and column when there is one (row 0: none).
    RuntimeError Located(const RuntimeError& error, int c, int row, int col) const;
    // The valid samples as the sheet shows them outside a run: rows whose X
    // the transform cannot take are passed over, and Y is not transformed.
    FitSamples CurrentSamples(int c) const;
    // RefreshedFit, with the samples it was evaluated on.
    FitReport RefreshedFit(int k, FitSamples& samples) const;
    // Writes a report's sheet lines, axis limits and statistics, and loads the working state.
    void PresentReport(int k, const FitSamples& samples, const FitReport& report);
    // The working state of combination k + 1: degree, coefficients, sample count, power table.
    void LoadWorkingState(int k, const FitSamples& samples);
    [[nodiscard]] Failure DrawSteps(ISurface& target, bool toPrinter, int index, const Transforms& flags);
    // Combination c's equation of the given degree evaluated at a typed X.
    CalculatedValue CalculateValueOf(int c, int degree, std::string_view xText) const;
    // The graph extents of combination c and which of its axes are logarithmic.
    GraphExtents ExtentsOf(int c) const;
    // Combination c's axis limits and divisions from its extents
    // (AutoScaleGraph); a failure raises and leaves what was written before it.
    void ScaleAxesOf(int c);

    Views views_;
    std::string documentFile_;
    std::string tableFile_;
    // The samples and report of each combination's last fit.
    struct KeptFit {
        FitSamples samples;
        FitReport report;
    };
    std::array<std::optional<KeptFit>, kMaxCombinations> fits_;
    // Which combinations the last run refused: their pages show nothing.
    std::array<bool, kMaxCombinations> refused_{};
    // The run selects the page it ends on: the tab switch leaves the page to it.
    bool changingPage_ = false;
    ConfidenceLevel level_ = ConfidenceLevel::Percent95;
    bool confidenceBand_ = false, predictionBand_ = false;
    bool residualGraph_ = false;
    std::shared_ptr<const Document> settled_;  // none: the empty document
    std::function<void()> settledHandler_;
};

// The transform flags of combination c as the session holds them.
Transforms TransformsOf(const Session& session, int c);

// The variable list of a fresh document: "A", "B", "C", "D", "E" separated by TAB.
std::string DefaultVariableList();
// The name of data column i when the first `count` columns carry titles: its
// title, or its letter where it has none (a document saved without titles
// keeps columns A..E and the variables its method rows name).
std::string ColumnName(const Session& session, int i, int count);
// The five column names separated by TAB.
std::string VariableList(const Session& session, int count);
// The first name that is not empty and appears more than once; empty when none does.
std::string RepeatedName(const std::vector<std::string>& names);

}  // namespace kurvo
