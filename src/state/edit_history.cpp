#include "state/edit_history.h"

namespace kurvo {

void EditHistory::BeginStep(const IGrid& grid) {
    open_ = true;
    columns_ = grid.Columns();
    before_.clear();
    before_.reserve(static_cast<std::size_t>(grid.Columns() * grid.Rows()));
    for (int r = 1; r <= grid.Rows(); ++r)
        for (int c = 1; c <= grid.Columns(); ++c) before_.push_back(grid.Text(c, r));
}

void EditHistory::EndStep(const IGrid& grid) {
    Step step;
    for (std::size_t i = 0; i < before_.size(); ++i) {
        const int col = static_cast<int>(i) % columns_ + 1, row = static_cast<int>(i) / columns_ + 1;
        std::string after = grid.Text(col, row);
        if (after != before_[i]) step.push_back({col, row, std::move(before_[i]), std::move(after)});
    }
    before_.clear();
    open_ = false;
    if (step.empty()) return;
    undo_.push_back(std::move(step));
    if (undo_.size() > kStepsKept) undo_.pop_front();
    redo_.clear();
}

std::vector<CellText> EditHistory::Undo() { return MoveLast(undo_, redo_, &Change::before); }

std::vector<CellText> EditHistory::Redo() { return MoveLast(redo_, undo_, &Change::after); }

std::vector<CellText> EditHistory::MoveLast(Steps& from, Steps& to, std::string Change::*text) {
    std::vector<CellText> texts;
    if (from.empty()) return texts;
    for (const Change& change : from.back()) texts.push_back({change.col, change.row, change.*text});
    to.push_back(std::move(from.back()));
    from.pop_back();
    return texts;
}

void EditHistory::Clear() {
    open_ = false;
    before_.clear();
    undo_.clear();
    redo_.clear();
}

}  // namespace kurvo
