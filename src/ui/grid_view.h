// The table view of one grid: the layout's fonts, column widths in
// proportion (growing to the cells' text where the layout asks), row heights,
// rules between groups of cells, combo and check-box cells, and block copy,
// paste and delete.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "ui/grid_model.h"

class QMenu;

namespace kurvo::ui {

struct GridLayout {
    // Width of the row-heading column in character units; 0 fits the row numbers.
    double rowHeadingWidth = 0;
    // Widths of columns 1..n in character units.
    std::vector<double> columnWidths;
    // Heights in row-height units.
    double headingHeight = 9.55;
    double rowHeight = 9.55;
    // Thin rules right of these columns and under these rows (grid numbers).
    std::vector<int> rulesAfterColumns;
    std::vector<int> rulesAfterRows;
    // A vertical scroll bar for grids with more rows than fit.
    bool scrolls = false;
    // Columns grow to show the whole text of every cell, with a horizontal
    // scroll bar once they no longer fit; the user may resize them, but not
    // below their text.
    bool fitsText = false;
};

// Paints check-box cells as centred check marks and combo cells with a
// drop-down mark, and edits combo cells with a list of their items.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Enter and Shift+Enter in a text editor commit it and report the row to go to.
    void setEnterMoves(bool on) { enterMoves_ = on; }

signals:
    // +1 for Enter, -1 for Shift+Enter, after the edit has been committed.
    void enterCommitted(int rows);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool enterMoves_ = false;
};

class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(GridModel* model, const GridLayout& layout, QWidget* parent = nullptr);

    using QTableView::edit;

    GridModel* gridModel() const { return model_; }
    // The data grid's editing: Ctrl+V writes the clipboard into the grid,
    // Delete empties the selected cells, Ctrl+X does both; Enter and
    // Shift+Enter go down and up; Ctrl+Z undoes and Ctrl+Y or Ctrl+Shift+Z
    // redoes; the context menu offers the same.
    void setBlockEditing(bool on);
    // The context menu of the data grid, each item enabled when it can act.
    QMenu* createEditMenu(QWidget* parent);

    // Asked when the first row of a paste reads as variable names
    // (FirstRowIsHeading), with its fields and the column the paste starts at;
    // true when it took them as names, and the row is then not pasted.
    void setHeadingRowHandler(std::function<bool(const std::vector<std::string>&, int)> handler) {
        headingRowHandler_ = std::move(handler);
    }

    // Height in pixels of `units` row-height units.
    int rowUnitsToPixels(double units) const;

    // The text of a cell still being edited (in grid cells), typed but not yet
    // in the grid; nothing while no text editor is open.
    std::optional<CellText> pendingEdit() const;

public slots:
    // The selected block as TAB-separated text on the clipboard.
    void copySelection();
    // Clipboard text into the grid from the current cell on.
    void pasteClipboard();
    // Empties the selected text cells.
    void clearSelectedCells();
    // Copies the selected block, then empties it.
    void cutSelection();
    void undo();
    void redo();

signals:
    void statusMessage(const QString& text);
    // The text of an open cell editor changed by typing.
    void pendingEditChanged();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyColumnWidths();
    // Columns [first, last] of the model changed in rows [top, bottom]: their
    // text widths grow to what they now hold, or are measured afresh when all
    // rows changed.
    void measureText(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    // Each column as wide as the user or the layout made it, and at least as wide as its text.
    void showWidths();
    // The bounding block of the selection, in grid cells; false when nothing is selected.
    bool selectedBlock(int& firstCol, int& firstRow, int& lastCol, int& lastRow) const;
    bool selectionHoldsText() const;
    // The cursor `rows` rows down (up when negative), staying inside the grid.
    void moveRows(int rows);
    void selectCells(const QModelIndexList& cells);

    GridModel* model_;
    GridLayout layout_;
    bool blockEditing_ = false;
    std::vector<int> layoutWidths_;  // pixels, from the layout's proportions
    std::vector<int> userWidths_;    // pixels the user dragged a column to; 0 where not
    std::vector<int> textWidths_;    // pixels the widest text of each column needs
    bool settingWidths_ = false;
    std::function<bool(const std::vector<std::string>&, int)> headingRowHandler_;
};

}  // namespace kurvo::ui
