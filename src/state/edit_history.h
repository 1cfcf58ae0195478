// The undo and redo history of the user's edits of one grid.  A step is
// whatever one action of the user changed: one typed cell, a whole paste, a
// Delete of a selection.  The history does not write the grid itself; it
// hands back the texts to write, so that the window writes them the way
// typing does.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "state/grid.h"

namespace kurvo {

class EditHistory {
public:
    // Steps kept; older ones are forgotten.
    static constexpr std::size_t kStepsKept = 200;

    // Remembers the data cells before an action.
    void BeginStep(const IGrid& grid);
    // Makes one step of every cell whose text the action changed; an action
    // that changed nothing makes none.  A new step ends the redo list.
    void EndStep(const IGrid& grid);
    bool InStep() const { return open_; }

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The cells and the texts they held before the last step (after the last
    // undone step), in the order to write them; the step moves to the other list.
    std::vector<CellText> Undo();
    std::vector<CellText> Redo();

    // A new document: nothing to undo or redo.
    void Clear();

private:
    struct Change {
        int col, row;
        std::string before, after;
    };
    using Step = std::vector<Change>;
    using Steps = std::deque<Step>;

    // Takes the last step of `from` onto `to`: its cells with their `text`.
    static std::vector<CellText> MoveLast(Steps& from, Steps& to, std::string Change::*text);

    bool open_ = false;
    std::vector<std::string> before_;  // texts of the data cells, row by row, while a step is open
    int columns_ = 0;
    Steps undo_;
    Steps redo_;
};

}  // namespace kurvo
