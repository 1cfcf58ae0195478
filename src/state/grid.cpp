#include "state/grid.h"

#include "state/numbers.h"
#include "state/runtime_error.h"

namespace kurvo {

void IGrid::SetNumber(int col, int row, double value) {
    char buffer[kGeneralNumberMaxLength];
    SetFigure(col, row, FormatGeneral(value, buffer), value);
}

std::optional<double> IGrid::Number(int col, int row) const { return NumericValue(Text(col, row)); }

void IGrid::SetInteger(int col, int row, int value) { SetText(col, row, std::to_string(value)); }

std::vector<std::string> SplitItems(std::string_view tabSeparated) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const auto tab = tabSeparated.find('\t', start);
        items.emplace_back(tabSeparated.substr(start, tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return items;
}

TableGrid::TableGrid(int columns, int rows)
    : columns_(columns), rows_(rows),
      cells_(static_cast<std::size_t>(columns + 1) * static_cast<std::size_t>(rows + 1)) {
    for (int r = 1; r <= rows_; ++r) At(0, r).text = std::to_string(r);
}

TableGrid::Cell& TableGrid::At(int col, int row) {
    if (col < 0 || col > columns_ || row < 0 || row > rows_) Raise(ErrorNumber::SubscriptOutOfRange);
    return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_ + 1) +
                  static_cast<std::size_t>(col)];
}

const TableGrid::Cell& TableGrid::At(int col, int row) const {
    return const_cast<TableGrid*>(this)->At(col, row);
}

void TableGrid::Changed(int col, int row) const {
    if (observer_) observer_(col, row);
}

std::string TableGrid::Text(int col, int row) const {
    const Cell& cell = At(col, row);
    if (cell.kind == CellKind::Check) return cell.text == "1" ? "1" : "0";
    return cell.text;
}

void TableGrid::SetText(int col, int row, std::string_view text) {
    Cell& cell = At(col, row);
    if (cell.kind == CellKind::Check) {
        cell.text = NumberOf(text) != 0.0 ? "1" : "0";
    } else {
        cell.text.assign(text);
    }
    cell.number.reset();
    cell.figure.reset();
    cell.chosen = -1;
    Changed(col, row);
}

void TableGrid::SetFigure(int col, int row, std::string_view shown, double value) {
    Cell& cell = At(col, row);
    if (cell.kind == CellKind::Check) {
        SetText(col, row, shown);
        return;
    }
    cell.text.assign(shown);
    cell.number.reset();
    cell.figure = value;
    Changed(col, row);
}

std::string TableGrid::CopyText(int col, int row) const {
    const Cell& cell = At(col, row);
    return cell.figure ? FormatShortest(*cell.figure) : cell.text;
}

void TableGrid::SetItemList(int col, int row, std::string_view tabSeparated) {
    At(col, row).items = SplitItems(tabSeparated);
    Changed(col, row);
}

int TableGrid::SelectedIndex(int col, int row) const {
    const Cell& cell = At(col, row);
    if (cell.text.empty()) return -1;
    if (cell.chosen >= 0 && static_cast<std::size_t>(cell.chosen) < cell.items.size() &&
        cell.items[static_cast<std::size_t>(cell.chosen)] == cell.text)
        return cell.chosen;
    for (std::size_t i = 0; i < cell.items.size(); ++i)
        if (cell.items[i] == cell.text) return static_cast<int>(i);
    return -1;
}

void TableGrid::SetSelectedIndex(int col, int row, int index) {
    Cell& cell = At(col, row);
    cell.number.reset();
    const bool listed = index >= 0 && static_cast<std::size_t>(index) < cell.items.size();
    cell.text = listed ? cell.items[static_cast<std::size_t>(index)] : std::string();
    cell.chosen = listed ? index : -1;
    Changed(col, row);
}

std::optional<double> TableGrid::Number(int col, int row) const {
    const Cell& cell = At(col, row);
    if (!cell.number) cell.number = NumericValue(Text(col, row));
    return *cell.number;
}



void TableGrid::ClearSheet() {
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= columns_; ++c) {
            Cell& cell = At(c, r);
            cell.text.clear();
            cell.number.reset();
            cell.figure.reset();
            cell.chosen = -1;
        }
    Changed(-1, -1);
}

void TableGrid::SetColumnKind(int col, CellKind kind) {
    for (int r = 1; r <= rows_; ++r) At(col, r).kind = kind;
}

CellKind TableGrid::Kind(int col, int row) const { return At(col, row).kind; }

const std::vector<std::string>& TableGrid::Items(int col, int row) const { return At(col, row).items; }



bool TableGrid::operator==(const TableGrid& other) const {
    return columns_ == other.columns_ && rows_ == other.rows_ && cells_ == other.cells_;
}

// ---- layouts ----------------------------------------------------------------------

namespace {
void SetHeadings(TableGrid& grid, std::initializer_list<const char*> headings) {
    int col = 1;
    for (const char* heading : headings) grid.SetText(col++, 0, heading);
}
}  // namespace

TableGrid MakeDataGrid() {
    TableGrid grid(5, 100);
    SetHeadings(grid, {"A", "B", "C", "D", "E"});
    return grid;
}

TableGrid MakeMethodGrid() {
    TableGrid grid(7, 4);
    SetHeadings(grid, {"従属変数(Y)", "Log変換", "逆数変換", "独立変数(X)", "Log変換", "逆数変換", "次数"});
    for (int r = 1; r <= 4; ++r) grid.SetText(0, r, "Y" + std::to_string(r));
    for (int col : {kColYVar, kColXVar, kColDegree}) grid.SetColumnKind(col, CellKind::Combo);
    for (int col : {kColYLog, kColYRecip, kColXLog, kColXRecip}) grid.SetColumnKind(col, CellKind::Check);
    for (int r = 1; r <= 4; ++r) {
        grid.SetItemList(kColYVar, r, "A\tB\tC\tD\tE");
        grid.SetItemList(kColXVar, r, "A\tB\tC\tD\tE");
        grid.SetItemList(kColDegree, r, "1\t2\t3\t4\t5\t6");
    }
    return grid;
}

TableGrid MakeCoefficientGrid() {
    TableGrid grid(4, 11);
    SetHeadings(grid, {"Y1", "Y2", "Y3", "Y4"});
    const char* rows[] = {"残差平方和", "標準誤差", "重相関係数", "相対誤差", "係数C0", "係数C1",
                          "係数C2",     "係数C3",   "係数C4",     "係数C5",   "係数C6"};
    for (int r = 1; r <= 11; ++r) grid.SetText(0, r, rows[r - 1]);
    return grid;
}

TableGrid MakeEstimateGrid(int k) {
    TableGrid grid(5, 100);
    const std::string n = std::to_string(k + 1);
    grid.SetText(1, 0, "X");
    grid.SetText(2, 0, "Y" + n);
    grid.SetText(3, 0, "Y" + n + "Calc");
    grid.SetText(4, 0, "ΔY" + n);
    grid.SetText(5, 0, "誤差(%)");
    return grid;
}

}  // namespace kurvo
