#include "ui/grid_model.h"

#include <optional>

#include "io/clipboard_table.h"

namespace kurvo::ui {

GridModel::GridModel(TableGrid grid, bool editable, QObject* parent)
    : QAbstractTableModel(parent), grid_(std::move(grid)), editable_(editable) {
    grid_.SetChangeObserver([this](int col, int row) { gridChanged(col, row); });
}

GridModel::~GridModel() { grid_.SetChangeObserver(nullptr); }

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.Rows(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.Columns(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = gridColumn(index), row = gridRow(index);
    const CellKind kind = grid_.Kind(col, row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (kind == CellKind::Check) return {};
        return QString::fromStdString(grid_.Text(col, row));
    case Qt::ToolTipRole: {
        // The whole text of a cell too narrow to show it.
        if (kind == CellKind::Check) return {};
        const std::string text = grid_.Text(col, row);
        if (text.empty()) return {};
        return QString::fromStdString(text);
    }
    case Qt::CheckStateRole:
        if (kind != CellKind::Check) return {};
        return grid_.Text(col, row) == "1" ? Qt::Checked : Qt::Unchecked;
    case ItemsRole: {
        if (kind != CellKind::Combo) return {};
        QStringList items;
        for (const std::string& item : grid_.Items(col, row)) items << QString::fromStdString(item);
        return items;
    }
    case ChosenRole:
        if (kind != CellKind::Combo) return {};
        return grid_.SelectedIndex(col, row);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !editable_) return false;
    const int col = gridColumn(index), row = gridRow(index);
    const CellKind kind = grid_.Kind(col, row);
    std::optional<int> chosen;  // a combo item picked by its position
    std::string text;
    if (role == ChosenRole) {
        if (kind != CellKind::Combo) return false;
        chosen = value.toInt();
        if (grid_.SelectedIndex(col, row) == *chosen) return true;
    } else if (kind == CellKind::Check) {
        if (role != Qt::CheckStateRole) return false;
        text = value.value<Qt::CheckState>() == Qt::Checked ? "1" : "0";
    } else {
        if (role != Qt::EditRole) return false;
        // A typed number with its digits grouped is kept as the number.
        text = kind == CellKind::Text ? AsEntered(value.toString().toStdString()) : value.toString().toStdString();
    }
    if (!chosen && grid_.Text(col, row) == text) return true;
    const bool ownStep = keepsHistory_ && !replaying_ && !history_.InStep();
    if (ownStep) history_.BeginStep(grid_);
    if (chosen) {
        grid_.SetSelectedIndex(col, row, *chosen);
    } else {
        grid_.SetText(col, row, text);
    }
    if (ownStep) history_.EndStep(grid_);
    emit cellEdited(col, row);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= grid_.Columns()) return {};
        return QString::fromStdString(grid_.Text(section + 1, 0));
    }
    if (section < 0 || section >= grid_.Rows()) return {};
    return QString::fromStdString(grid_.Text(0, section + 1));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!editable_) return f;
    if (grid_.Kind(gridColumn(index), gridRow(index)) == CellKind::Check) return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

void GridModel::beginStep() {
    if (keepsHistory_) history_.BeginStep(grid_);
}

void GridModel::endStep() {
    if (keepsHistory_ && history_.InStep()) history_.EndStep(grid_);
}

QModelIndexList GridModel::undo() { return replay(history_.Undo()); }

QModelIndexList GridModel::redo() { return replay(history_.Redo()); }

QModelIndexList GridModel::replay(const std::vector<CellText>& texts) {
    QModelIndexList cells;
    replaying_ = true;
    for (const CellText& cell : texts) {
        cells << index(cell.row - 1, cell.col - 1);
        setData(cells.back(), QString::fromStdString(cell.text), Qt::EditRole);
    }
    replaying_ = false;
    return cells;
}

void GridModel::gridChanged(int col, int row) {
    if (col < 0 || row < 0) {
        history_.Clear();
        if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit sheetCleared();
        return;
    }
    if (row == 0 && col == 0) return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    } else if (col == 0) {
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else {
        const QModelIndex cell = index(row - 1, col - 1);
        emit dataChanged(cell, cell);
    }
}

}  // namespace kurvo::ui
