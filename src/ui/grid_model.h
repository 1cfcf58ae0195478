// A table model over one of the window's grids.  The logic writes the grid
// through its own interface and the views follow; what the user types goes
// into the same grid through the model.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "state/edit_history.h"
#include "state/grid.h"

namespace kurvo::ui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The items of a combo cell, as a QStringList.
    static constexpr int ItemsRole = Qt::UserRole + 1;
    // The position of a combo cell's chosen item (of two items alike, the one picked).
    static constexpr int ChosenRole = Qt::UserRole + 2;

    GridModel(TableGrid grid, bool editable, QObject* parent = nullptr);
    ~GridModel() override;

    // The user's edits become steps of an undo history (the data grid).  A
    // clear of the whole sheet starts a new document and a fresh history.
    void setKeepsHistory(bool on) { keepsHistory_ = on; }
    // Everything written between the two is one step; a typed cell is a step
    // of its own.
    void beginStep();
    void endStep();
    bool canUndo() const { return history_.CanUndo(); }
    bool canRedo() const { return history_.CanRedo(); }
    // Write the cells back as typing does; return the cells written.
    QModelIndexList undo();
    QModelIndexList redo();

    TableGrid& grid() { return grid_; }
    const TableGrid& grid() const { return grid_; }
    bool isEditable() const { return editable_; }

    // Grid cell of a model index: data cells are 1-based, headings are row/column 0.
    static int gridColumn(const QModelIndex& index) { return index.column() + 1; }
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The user changed a cell's content (not raised for the logic's own writes).
    void cellEdited(int col, int row);
    // The whole sheet was emptied: a new document, or results about to be written afresh.
    void sheetCleared();

private:
    void gridChanged(int col, int row);
    QModelIndexList replay(const std::vector<CellText>& texts);

    TableGrid grid_;
    bool editable_;
    bool keepsHistory_ = false;
    bool replaying_ = false;
    EditHistory history_;
};

}  // namespace kurvo::ui
