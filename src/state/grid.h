// The grid operations the logic uses, and the plain table model that
// implements them for every grid of the main window.
//
// Cells are addressed by column and row, 1-based for data; row 0 holds the
// column headings and column 0 the row headings.  Writing a cell of row 0 or
// column 0 changes a heading.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

enum class CellKind { Text, Check, Combo };

// A cell and a text for it.
struct CellText {
    int col = 0;
    int row = 0;
    std::string text;
};

class IGrid {
public:
    virtual ~IGrid() = default;

    virtual int Columns() const = 0;
    virtual int Rows() const = 0;

    // The cell's text.  Check cell: "1" checked, "0" not.  Combo cell: its text
    // (the selected item), empty when none.
    virtual std::string Text(int col, int row) const = 0;
    // Check cell: a nonzero number checks, zero unchecks.  Combo cell: the text
    // is shown and selects the item equal to it.
    virtual void SetText(int col, int row, std::string_view text) = 0;
    // A double shows in the general number form; an integer as its digits.
    void SetNumber(int col, int row, double value);
    // A computed figure: the cell shows `shown` and a copy of it gives every
    // digit of `value` (FormatShortest).  A later SetText makes it a text again.
    virtual void SetFigure(int col, int row, std::string_view shown, double value) {
        static_cast<void>(value);
        SetText(col, row, shown);
    }
    // What a copy of the cell holds: a figure's every digit, else its text.
    virtual std::string CopyText(int col, int row) const { return Text(col, row); }
    void SetInteger(int col, int row, int value);
    // The number a data cell holds when its text is numeric (see IsNumeric).
    virtual std::optional<double> Number(int col, int row) const;

    // Combo cell: replaces the items (one TAB between neighbours); the text stays.
    virtual void SetItemList(int col, int row, std::string_view tabSeparated) = 0;
    // Combo cell: its items.
    virtual const std::vector<std::string>& Items(int col, int row) const = 0;
    // Combo cell: 0-based position of the chosen item, -1 when none.  An item
    // chosen by position stays chosen while it shows the text, so of two
    // items alike the one picked is kept; a text set as text chooses the
    // first item equal to it.
    virtual int SelectedIndex(int col, int row) const = 0;
    // Combo cell: shows and chooses the item at that position (none for -1).
    virtual void SetSelectedIndex(int col, int row, int index) = 0;

    // Empties every data cell: texts vanish, check boxes are unchecked, combo
    // cells show no selection.  Headings, cell kinds and item lists stay.
    virtual void ClearSheet() = 0;
};

// Splits a TAB-separated item list.
std::vector<std::string> SplitItems(std::string_view tabSeparated);

class TableGrid : public IGrid {
public:
    TableGrid(int columns, int rows);

    int Columns() const override { return columns_; }
    int Rows() const override { return rows_; }
    std::string Text(int col, int row) const override;
    void SetText(int col, int row, std::string_view text) override;
    void SetFigure(int col, int row, std::string_view shown, double value) override;
    std::string CopyText(int col, int row) const override;
    void SetItemList(int col, int row, std::string_view tabSeparated) override;
    int SelectedIndex(int col, int row) const override;
    void SetSelectedIndex(int col, int row, int index) override;
    void ClearSheet() override;
    // Read once per text: the estimation reads every data cell several times.
    std::optional<double> Number(int col, int row) const override;

    // Layout: the kind of every data cell of a column.
    void SetColumnKind(int col, CellKind kind);
    CellKind Kind(int col, int row) const;
    const std::vector<std::string>& Items(int col, int row) const override;

    // Called after every change of a cell (col, row), or with (-1, -1) after a
    // clear of the whole sheet; a view uses it to repaint.
    void SetChangeObserver(std::function<void(int col, int row)> observer) { observer_ = std::move(observer); }

    bool operator==(const TableGrid& other) const;

private:
    struct Cell {
        CellKind kind = CellKind::Text;
        std::string text;
        std::vector<std::string> items;
        std::optional<double> figure;  // the value a computed figure's text shows
        int chosen = -1;               // combo cell: the item picked by position, -1 when by text
        // The number of the text, once read: empty until then.
        mutable std::optional<std::optional<double>> number;
        bool operator==(const Cell& other) const {
            return kind == other.kind && text == other.text && items == other.items && chosen == other.chosen;
        }
    };
    Cell& At(int col, int row);
    const Cell& At(int col, int row) const;
    void Changed(int col, int row) const;

    int columns_;
    int rows_;
    std::vector<Cell> cells_;
    std::function<void(int, int)> observer_;
};

// ---- the grids of the main window ------------------------------------------------

// The columns of the method grid, one row per combination.
enum MethodColumn : int {
    kColYVar = 1,  // dependent variable (combo)
    kColYLog,      // Y log transform (check box)
    kColYRecip,    // Y reciprocal transform (check box)
    kColXVar,      // independent variable (combo)
    kColXLog,      // X log transform (check box)
    kColXRecip,    // X reciprocal transform (check box)
    kColDegree,    // degree (combo "1".."6")
};

// The rows of the coefficient grid: four statistics, then C0..C6.
enum CoefficientRow : int {
    kRowSquares = 1,     // 残差平方和
    kRowStandardError,   // 標準誤差
    kRowCorrelation,     // 重相関係数
    kRowRelativeError,   // 相対誤差
    kRowC0,              // 係数C0; C(j) is row kRowC0 + j
};

// Data grid: 5 columns (A..E) by 100 rows of plain text cells.
TableGrid MakeDataGrid();
// Method grid: 7 columns (MethodColumn) by 4 rows.
TableGrid MakeMethodGrid();
// Coefficient grid: 4 columns by 11 rows (four statistics, then C0..C6).
TableGrid MakeCoefficientGrid();
// Estimate grid of combination k + 1: 5 columns by 100 rows.
TableGrid MakeEstimateGrid(int k);

}  // namespace kurvo
