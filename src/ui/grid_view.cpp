#include "ui/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "io/clipboard_table.h"
#include "ui/application.h"

namespace kurvo::ui {

namespace {

constexpr int kCheckSize = 13;
constexpr int kDropMarkWidth = 11;
// A text cell's text stands this far from the cell's left edge and from its
// right edge, which the view's grid line takes one more pixel off.
constexpr int kTextLeft = 2;
constexpr int kTextRight = 1;
constexpr int kGridLine = 1;

bool isCheckCell(const QModelIndex& index) { return index.data(Qt::CheckStateRole).isValid(); }
bool isComboCell(const QModelIndex& index) { return index.data(GridModel::ItemsRole).isValid(); }

QRect checkRect(const QRect& cell) {
    return {cell.x() + (cell.width() - kCheckSize) / 2, cell.y() + (cell.height() - kCheckSize) / 2, kCheckSize,
            kCheckSize};
}

}  // namespace

// ---- cells --------------------------------------------------------------------------

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();

    if (isCheckCell(index)) {
        opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        QStyleOptionButton box;
        box.rect = checkRect(option.rect);
        box.state = QStyle::State_Enabled |
                    (index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? QStyle::State_On
                                                                                           : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, opt.widget);
        return;
    }
    if (isComboCell(index)) {
        // The cell's background, its text, then a small drop-down mark at the right edge.
        const QString text = opt.text;
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        // A pixel taller at the top, so that the line holds an underscore.
        const QRect textRect = opt.rect.adjusted(2, -kGridLine, -kDropMarkWidth, 0);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(opt.rect.adjusted(0, 0, -kDropMarkWidth, 0));
        style->drawItemText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter, opt.palette, true, text,
                            selected ? QPalette::HighlightedText : QPalette::Text);
        painter->restore();
        QStyleOption arrow;
        arrow.rect = QRect(opt.rect.right() - kDropMarkWidth + 1, opt.rect.top(), kDropMarkWidth - 2, opt.rect.height());
        arrow.palette = opt.palette;
        arrow.state = QStyle::State_Enabled;
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, opt.widget);
        return;
    }
    // Text cells: a narrow margin so that numbers of the result grids fit their columns.
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QRect textRect = opt.rect.adjusted(kTextLeft, -kGridLine, -kTextRight, 0);
    const QString shown = opt.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width());
    const bool selected = opt.state & QStyle::State_Selected;
    style->drawItemText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter, opt.palette, true, shown,
                        selected ? QPalette::HighlightedText : QPalette::Text);
}

bool CellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index) {
    if (!isCheckCell(index) || !(index.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        toggle = mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::MouseButtonPress) {
        return true;  // the release toggles; a double click is two toggles
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (!toggle) return false;
    const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (!isComboCell(index)) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->addItems(index.data(GridModel::ItemsRole).toStringList());
    combo->setFont(option.font);
    // A choice from the list is taken at once, as a combo cell does.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        emit const_cast<CellDelegate*>(this)->commitData(combo);
        emit const_cast<CellDelegate*>(this)->closeEditor(combo);
    });
    // Opened by a click: show the list straight away.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) QTimer::singleShot(0, combo, &QComboBox::showPopup);
    return combo;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(index.data(GridModel::ChosenRole).toInt());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentIndex(), GridModel::ChosenRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (enterMoves_ && editor != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const int rows = key->modifiers() & Qt::ShiftModifier ? -1 : 1;
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit enterCommitted(rows);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    if (qobject_cast<QComboBox*>(editor) == nullptr) {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        return;
    }
    // A combo box needs more height than a grid row; centre it on the cell.
    QRect r = option.rect;
    const int h = std::max(r.height(), editor->sizeHint().height());
    r.setTop(r.center().y() - h / 2);
    r.setHeight(h);
    editor->setGeometry(r);
}

// ---- the view ------------------------------------------------------------------------

GridView::GridView(GridModel* model, const GridLayout& layout, QWidget* parent)
    : QTableView(parent), model_(model), layout_(layout) {
    setModel(model);
    auto* delegate = new CellDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &CellDelegate::enterCommitted, this, &GridView::moveRows);
    setFont(numberFont());
    const QFont headingFont(QString::fromUtf8(kProportionalGothic), 9);
    horizontalHeader()->setFont(headingFont);
    verticalHeader()->setFont(headingFont);

    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(true);
    setHorizontalScrollBarPolicy(layout.fitsText ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    // A grid of few rows scrolls when a horizontal scroll bar covers its last one.
    setVerticalScrollBarPolicy(layout.scrolls    ? Qt::ScrollBarAlwaysOn
                               : layout.fitsText ? Qt::ScrollBarAsNeeded
                                                 : Qt::ScrollBarAlwaysOff);
    setEditTriggers(model->isEditable()
                        ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                              QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                        : QAbstractItemView::NoEditTriggers);

    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowUnitsToPixels(layout.rowHeight));
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultAlignment(Qt::AlignCenter);
    rows->setHighlightSections(false);

    QHeaderView* columns = horizontalHeader();
    columns->setMinimumSectionSize(1);
    columns->setSectionResizeMode(layout.fitsText ? QHeaderView::Interactive : QHeaderView::Fixed);
    // In a grid that fits its text a heading is one line, shown whole, an
    // underscore included: the column widens for it.  Fixed grids break their
    // headings into lines.
    columns->setDefaultAlignment(layout.fitsText ? Qt::Alignment(Qt::AlignCenter)
                                                 : Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    columns->setHighlightSections(false);
    columns->setFixedHeight(layout.fitsText ? std::max(rowUnitsToPixels(layout.headingHeight),
                                                       QFontMetrics(headingFont).height() + 4)
                                            : rowUnitsToPixels(layout.headingHeight));

    // An emptied sheet keeps no selection; the data grid starts again at A1.
    connect(model, &GridModel::sheetCleared, this, [this] {
        selectionModel()->clear();
        if (blockEditing_) setCurrentIndex(model_->index(0, 0));
        scrollToTop();
    });

    const auto count = static_cast<std::size_t>(model->columnCount());
    layoutWidths_.assign(count, 0);
    userWidths_.assign(count, 0);
    textWidths_.assign(count, 0);
    if (layout.fitsText) {
        connect(model, &QAbstractItemModel::dataChanged, this, &GridView::measureText);
        connect(model, &QAbstractItemModel::headerDataChanged, this, &GridView::showWidths);
        connect(columns, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
            if (settingWidths_) return;
            userWidths_.at(static_cast<std::size_t>(column)) = size;
            showWidths();
        });
    }
    applyColumnWidths();
}

int GridView::rowUnitsToPixels(double units) const {
    // One row-height unit is 1/64 inch: a data row of 9.55 units is 14 pixels at 96 dpi.
    return qRound(units * logicalDpiY() / 64.0);
}

void GridView::applyColumnWidths() {
    const std::vector<double>& widths = layout_.columnWidths;
    if (widths.empty()) return;
    int available = width() - 2 * frameWidth();
    if (layout_.scrolls) available -= verticalScrollBar()->sizeHint().width();
    const double units = std::accumulate(widths.begin(), widths.end(), 0.0);

    double unitPixels = 0;
    int headingWidth = 0;
    if (layout_.rowHeadingWidth > 0) {
        unitPixels = available / (units + layout_.rowHeadingWidth);
        headingWidth = qRound(layout_.rowHeadingWidth * unitPixels);
    } else {
        const QFontMetrics metrics(verticalHeader()->font());
        headingWidth = metrics.horizontalAdvance(QString::number(model_->rowCount())) + 10;
        unitPixels = (available - headingWidth) / units;
    }
    verticalHeader()->setFixedWidth(headingWidth);
    // Rounded at the running total, so the columns end exactly at the edge.
    double edge = 0;
    int placed = 0;
    for (std::size_t i = 0; i < widths.size() && i < layoutWidths_.size(); ++i) {
        edge += widths[i] * unitPixels;
        const int right = static_cast<int>(edge + 0.5);
        layoutWidths_[i] = right - placed;
        placed = right;
    }
    showWidths();
}

void GridView::measureText(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    const bool allRows = topLeft.row() == 0 && bottomRight.row() == model_->rowCount() - 1;
    const QFontMetricsF metrics(font());
    for (int c = topLeft.column(); c <= bottomRight.column(); ++c) {
        int& needed = textWidths_.at(static_cast<std::size_t>(c));
        if (allRows) needed = 0;
        for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
            const QString text = model_->index(r, c).data(Qt::DisplayRole).toString();
            if (text.isEmpty()) continue;
            needed = std::max(needed, static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + kTextLeft +
                                          kTextRight + kGridLine);
        }
    }
    showWidths();
}

void GridView::showWidths() {
    settingWidths_ = true;
    for (std::size_t i = 0; i < layoutWidths_.size(); ++i) {
        const int chosen = userWidths_[i] > 0 ? userWidths_[i] : layoutWidths_[i];
        int width = std::max(chosen, textWidths_[i]);
        if (layout_.fitsText) width = std::max(width, horizontalHeader()->sectionSizeHint(static_cast<int>(i)));
        if (width > 0 && columnWidth(static_cast<int>(i)) != width) setColumnWidth(static_cast<int>(i), width);
    }
    settingWidths_ = false;
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (layout_.rulesAfterColumns.empty() && layout_.rulesAfterRows.empty()) return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const int bottom = rowViewportPosition(model_->rowCount() - 1) + rowHeight(model_->rowCount() - 1) - 1;
    const int right = columnViewportPosition(model_->columnCount() - 1) + columnWidth(model_->columnCount() - 1) - 1;
    for (int col : layout_.rulesAfterColumns) {
        const int x = columnViewportPosition(col - 1) + columnWidth(col - 1) - 1;
        painter.drawLine(x, 0, x, bottom);
    }
    for (int row : layout_.rulesAfterRows) {
        const int y = rowViewportPosition(row - 1) + rowHeight(row - 1) - 1;
        painter.drawLine(0, y, right, y);
    }
}

bool GridView::selectedBlock(int& firstCol, int& firstRow, int& lastCol, int& lastRow) const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return false;
    firstCol = firstRow = std::numeric_limits<int>::max();
    lastCol = lastRow = 0;
    for (const QModelIndex& index : selected) {
        firstCol = std::min(firstCol, GridModel::gridColumn(index));
        lastCol = std::max(lastCol, GridModel::gridColumn(index));
        firstRow = std::min(firstRow, GridModel::gridRow(index));
        lastRow = std::max(lastRow, GridModel::gridRow(index));
    }
    return true;
}

void GridView::setBlockEditing(bool on) {
    blockEditing_ = on;
    model_->setKeepsHistory(on);
    static_cast<CellDelegate*>(itemDelegate())->setEnterMoves(on);
}

bool GridView::selectionHoldsText() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return std::any_of(selected.begin(), selected.end(),
                       [](const QModelIndex& index) { return !index.data(Qt::EditRole).toString().isEmpty(); });
}

void GridView::moveRows(int rows) {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    const int row = std::clamp(current.row() + rows, 0, model_->rowCount() - 1);
    setCurrentIndex(model_->index(row, current.column()));
}

void GridView::selectCells(const QModelIndexList& cells) {
    if (cells.isEmpty()) return;
    setCurrentIndex(cells.front());
    QItemSelection selection;
    for (const QModelIndex& cell : cells) selection.select(cell, cell);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    scrollTo(cells.front());
}

void GridView::undo() { selectCells(model_->undo()); }

void GridView::redo() { selectCells(model_->redo()); }

void GridView::cutSelection() {
    copySelection();
    clearSelectedCells();
}

QMenu* GridView::createEditMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const bool editable = blockEditing_ && model_->isEditable();
    const auto add = [this, menu](const QString& caption, const QKeySequence& keys, bool enabled, void (GridView::*slot)()) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, slot);
        action->setShortcut(keys);
        action->setEnabled(enabled);
    };
    add(QStringLiteral("元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), editable && model_->canUndo(), &GridView::undo);
    add(QStringLiteral("やり直し(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y), editable && model_->canRedo(), &GridView::redo);
    menu->addSeparator();
    const bool anySelected = selectionModel()->hasSelection(), text = selectionHoldsText();
    add(QStringLiteral("切り取り(&T)"), QKeySequence::Cut, editable && text, &GridView::cutSelection);
    add(QStringLiteral("コピー(&C)"), QKeySequence::Copy, anySelected, &GridView::copySelection);
    add(QStringLiteral("貼り付け(&P)"), QKeySequence::Paste,
        editable && !ParseTable(QGuiApplication::clipboard()->text().toStdString()).empty(), &GridView::pasteClipboard);
    add(QStringLiteral("削除(&D)"), QKeySequence::Delete, editable && text, &GridView::clearSelectedCells);
    return menu;
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    if (!blockEditing_) {
        QTableView::contextMenuEvent(event);
        return;
    }
    QMenu* menu = createEditMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void GridView::mousePressEvent(QMouseEvent* event) {
    // A right click inside the selection keeps it for the context menu.
    if (event->button() == Qt::RightButton && selectionModel()->isSelected(indexAt(event->position().toPoint()))) return;
    QTableView::mousePressEvent(event);
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // A click on the current cell of the data grid only selects it, as in a
    // spreadsheet: an edit it started would wait out the double-click time and
    // take no keys until then.
    if (trigger == SelectedClicked && blockEditing_) return false;
    if (!QTableView::edit(index, trigger, event)) return false;
    auto* editor = qobject_cast<QLineEdit*>(indexWidget(index));
    if (editor == nullptr) return true;
    connect(editor, &QLineEdit::textEdited, this, &GridView::pendingEditChanged, Qt::UniqueConnection);
    // F2 and a double click edit the text where it is; typing replaces it.
    if (trigger == EditKeyPressed || trigger == DoubleClicked) {
        editor->deselect();
        editor->end(false);
    }
    return true;
}

std::optional<CellText> GridView::pendingEdit() const {
    const QModelIndex index = currentIndex();
    const auto* editor = state() == EditingState ? qobject_cast<QLineEdit*>(indexWidget(index)) : nullptr;
    if (editor == nullptr) return std::nullopt;
    return CellText{GridModel::gridColumn(index), GridModel::gridRow(index), editor->text().toStdString()};
}

void GridView::copySelection() {
    int firstCol = 0, firstRow = 0, lastCol = 0, lastRow = 0;
    if (!selectedBlock(firstCol, firstRow, lastCol, lastRow)) return;
    CellBlock block{firstCol, firstRow, lastCol, lastRow};
    // The result grids copy for a report: with the headings of what is selected whole.
    if (!model_->isEditable()) block = WithHeadings(model_->grid(), block);
    const std::string text = BlockAsText(model_->grid(), block.firstCol, block.firstRow, block.lastCol, block.lastRow);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void GridView::pasteClipboard() {
    if (!blockEditing_ || !model_->isEditable()) return;
    TextTable table = ParseTable(QGuiApplication::clipboard()->text().toStdString());
    if (table.empty()) return;
    const QModelIndex current = currentIndex();
    const int col = current.isValid() ? GridModel::gridColumn(current) : 1;
    const int row = current.isValid() ? GridModel::gridRow(current) : 1;
    // Names taken as titles are not part of the paste's undo step: only the cells are.
    if (headingRowHandler_ && FirstRowIsHeading(table) && headingRowHandler_(table.front(), col))
        table.erase(table.begin());
    model_->beginStep();
    const PasteOutcome outcome = PasteTable(model_->grid(), col, row, table);
    model_->endStep();

    int width = 0;
    for (const auto& line : table) width = std::max(width, static_cast<int>(line.size()));
    const TableGrid& grid = model_->grid();
    const int lastRow = std::min(grid.Rows(), row + static_cast<int>(table.size()) - 1);
    const int lastCol = std::min(grid.Columns(), col + width - 1);
    selectionModel()->select(QItemSelection(model_->index(row - 1, col - 1), model_->index(lastRow - 1, lastCol - 1)),
                             QItemSelectionModel::ClearAndSelect);

    QString message;
    if (outcome.leftOut == 0) {
        message = QStringLiteral("%1 行 × %2 列の値を貼り付けました。").arg(table.size()).arg(width);
    } else {
        const QChar lastLetter(QLatin1Char(static_cast<char>('A' + grid.Columns() - 1)));
        message = QStringLiteral("%1 個の値は表の外（%2 行目以降または %3 列より右）にあたるため、貼り付けませんでした。")
                      .arg(outcome.leftOut)
                      .arg(grid.Rows() + 1)
                      .arg(lastLetter);
    }
    if (outcome.notNumbers > 0)
        message += QStringLiteral("貼り付けたセルのうち %1 個は数値ではありません。").arg(outcome.notNumbers);
    emit statusMessage(message);
}

void GridView::clearSelectedCells() {
    if (!model_->isEditable()) return;
    TableGrid& grid = model_->grid();
    model_->beginStep();
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        const int col = GridModel::gridColumn(index), row = GridModel::gridRow(index);
        if (grid.Kind(col, row) == CellKind::Text && !grid.Text(col, row).empty()) grid.SetText(col, row, "");
    }
    model_->endStep();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        // Ctrl+Home and Ctrl+End select the cell they go to, and only that one.
        if (event->matches(QKeySequence::MoveToStartOfDocument) || event->matches(QKeySequence::MoveToEndOfDocument)) {
            QTableView::keyPressEvent(event);
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
            return;
        }
        if (event->matches(QKeySequence::Copy)) {
            copySelection();
            return;
        }
        if (event->matches(QKeySequence::Paste) && blockEditing_) {
            pasteClipboard();
            return;
        }
        if ((event->key() == Qt::Key_Delete) && blockEditing_) {
            clearSelectedCells();
            return;
        }
        if (blockEditing_) {
            const QKeyCombination keys = event->keyCombination();
            const Qt::KeyboardModifiers shift = keys.keyboardModifiers() & Qt::ShiftModifier;
            const Qt::KeyboardModifiers command = keys.keyboardModifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
            if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_X)) {
                cutSelection();
            } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)) {
                undo();
            } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                       keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
                redo();
            } else if ((keys.key() == Qt::Key_Return || keys.key() == Qt::Key_Enter) && command == Qt::NoModifier) {
                moveRows(shift ? -1 : 1);
            } else {
                QTableView::keyPressEvent(event);
            }
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace kurvo::ui
