// The undo and redo history of a grid, driven the way the window drives it:
// an action between BeginStep and EndStep, the texts of Undo and Redo written back.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "state/edit_history.h"

namespace kurvo {
namespace {

struct Editor {
    TableGrid grid{2, 2};
    EditHistory history;

    void Write(int col, int row, const std::string& text) { grid.SetText(col, row, text); }
    // "A1=x,B2=" writes those cells; "A1=1..201" is one action for each number.
    void Act(const std::string& cells) {
        if (const auto dots = cells.find(".."); dots != std::string::npos) {
            const auto from = cells.find('=') + 1;
            for (int n = std::stoi(cells.substr(from)); n <= std::stoi(cells.substr(dots + 2)); ++n)
                Act(cells.substr(0, from) + std::to_string(n));
            return;
        }
        history.BeginStep(grid);
        std::istringstream in(cells);
        for (std::string cell; std::getline(in, cell, ',');)
            Write(cell[0] - 'A' + 1, cell[1] - '0', cell.substr(cell.find('=') + 1));
        history.EndStep(grid);
    }
    // Actions, "u" and "r" to undo and redo ("u200" two hundred times) and "clear".
    void Run(const std::string& script) {
        std::istringstream in(script);
        for (std::string word; in >> word;) {
            if (word == "clear") {
                history.Clear();
            } else if (word[0] == 'u' || word[0] == 'r') {
                for (int n = word.size() > 1 ? std::stoi(word.substr(1)) : 1; n > 0; --n)
                    for (const CellText& cell : word[0] == 'u' ? history.Undo() : history.Redo())
                        Write(cell.col, cell.row, cell.text);
            } else {
                Act(word);
            }
        }
    }
};

const struct {
    const char* name;
    const char* script;
    const char* cells;  // texts afterwards
    bool canUndo, canRedo;
} kCases[] = {
    {"TypedCellUndone", "A1=1 A2=2 u", "A1=1 A2=", true, true},
    {"TypedCellRedone", "A1=1 A2=2 u u r", "A1=1 A2=", true, true},
    {"SeveralCellsAreOneStep", "A1=1,B2=2 u", "A1= B2=", false, true},
    {"ActionChangingNothingMakesNoStep", "A1=1 A1=1 B1= u", "A1= B1=", false, true},
    {"NewStepEndsTheRedoList", "A1=1 u B1=2", "A1= B1=2", true, false},
    {"ClearForgetsBothLists", "A1=1 A2=2 u clear", "A1=1 A2=", false, false},
    {"TwoHundredStepsKept", "A1=1..200 u200", "A1=", false, true},
    {"StepTwoHundredAndOneForgetsTheFirst", "A1=1..201 u200", "A1=1", false, true},
};

TEST(EditHistory, UndoAndRedo) {
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        Editor editor;
        editor.Run(row.script);
        std::istringstream expected(row.cells);
        for (std::string cell; expected >> cell;)
            EXPECT_EQ(editor.grid.Text(cell[0] - 'A' + 1, cell[1] - '0'), cell.substr(3)) << cell;
        EXPECT_EQ(editor.history.CanUndo(), row.canUndo);
        EXPECT_EQ(editor.history.CanRedo(), row.canRedo);
    }
}

}  // namespace
}  // namespace kurvo
