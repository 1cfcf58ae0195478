#include "ui/degree_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "io/clipboard_table.h"
#include "state/numbers.h"
#include "ui/application.h"
#include "window/app.h"
#include "window/degrees.h"

namespace kurvo::ui {

DegreeDialog::DegreeDialog(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName(QStringLiteral("frmDegrees"));
    setWindowTitle(QStringLiteral("次数の比較"));
    auto* layout = new QVBoxLayout(this);
    const DegreeComparison comparison = app_.CompareDegreesOf(app_.ShownCombination());
    combination_ = comparison.combination;

    auto* heading = new QLabel;
    heading->setObjectName(QStringLiteral("lblDegrees"));
    heading->setWordWrap(true);
    if (comparison.failure) {
        heading->setText(QString::fromStdString(comparison.failure->Description()));
    } else if (comparison.rows.empty()) {
        heading->setText(QStringLiteral("比べられる次数がありません（データが 3 行以上必要です）。"));
    } else {
        heading->setText(QStringLiteral("組合せ Y%1 を次数 1～%2 で当てはめた結果です。残差、s、R²、AICc、BIC、PRESS は"
                                        "変換後の値（y′）で計算しています。各欄の最小値を太字で示します。")
                             .arg(combination_)
                             .arg(comparison.rows.back().degree));
    }
    layout->addWidget(heading);

    const std::vector<std::string> columns = DegreeColumns();
    table_ = new QTableWidget(static_cast<int>(comparison.rows.size()), static_cast<int>(columns.size()));
    table_->setObjectName(QStringLiteral("tblDegrees"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->setFont(numberFont());
    QStringList headings;
    for (const std::string& column : columns) headings << QString::fromStdString(column);
    table_->setHorizontalHeaderLabels(headings);

    // The screen shows the figures as the statistics do; the copy every digit.
    TableGrid copied(static_cast<int>(columns.size()), static_cast<int>(comparison.rows.size()) + 1);
    for (std::size_t col = 0; col < columns.size(); ++col) copied.SetText(static_cast<int>(col) + 1, 1, columns[col]);
    for (std::size_t r = 0; r < comparison.rows.size(); ++r) {
        const DegreeRow& row = comparison.rows[r];
        std::vector<std::string> shown = DegreeRowTexts(row, [](double v) { return FormatCoefficient(v); });
        // R² in full, so that 0.99999994 does not read as 1.
        const std::vector<std::string> general = DegreeRowTexts(row, [](double v) { return FormatGeneral(v); });
        for (const std::size_t col : {kDegreeColumnRSquared, kDegreeColumnRSquared + 1}) shown[col] = general[col];
        const std::vector<std::string> full = DegreeRowTexts(row, [](double v) { return FormatShortest(v); });
        for (std::size_t col = 0; col < shown.size(); ++col) {
            auto* item = new QTableWidgetItem(QString::fromStdString(shown[col]));
            const bool best = (col == kDegreeColumnAicc && row.bestAicc) || (col == kDegreeColumnBic && row.bestBic) ||
                              (col == kDegreeColumnPress && row.bestPress);
            if (best) {
                QFont font = table_->font();
                font.setBold(true);
                item->setFont(font);
            }
            item->setTextAlignment(col + 2 < shown.size() ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
            table_->setItem(static_cast<int>(r), static_cast<int>(col), item);
            copied.SetText(static_cast<int>(col) + 1, static_cast<int>(r) + 2, full[col]);
        }
    }
    tableText_ = QString::fromStdString(BlockAsText(copied, 1, 1, copied.Columns(), copied.Rows()));
    table_->resizeColumnsToContents();
    layout->addWidget(table_);

    auto* buttons = new QDialogButtonBox;
    choose_ = buttons->addButton(QStringLiteral("この次数にする(&S)"), QDialogButtonBox::ActionRole);
    choose_->setObjectName(QStringLiteral("cmdChooseDegree"));
    choose_->setEnabled(false);
    QPushButton* copy = buttons->addButton(QStringLiteral("コピー(&C)"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdCopyDegrees"));
    copy->setEnabled(!comparison.rows.empty());
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる(&X)"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose_, &QPushButton::clicked, this, &DegreeDialog::chooseDegree);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(tableText_); });
    auto* copyKey = new QAction(this);
    copyKey->setShortcut(QKeySequence::Copy);
    connect(copyKey, &QAction::triggered, copy, &QPushButton::click);
    addAction(copyKey);
    // A refused degree cannot be chosen.
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> selected = table_->selectedItems();
        const int last = table_->columnCount() - 1;
        choose_->setEnabled(!selected.isEmpty() && table_->item(selected.front()->row(), last)->text().isEmpty());
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] {
        if (choose_->isEnabled()) choose_->click();
    });
    layout->addWidget(buttons);
    // Wide enough for every column, as far as the screen allows.
    const QMargins margins = layout->contentsMargins();
    const int whole = table_->verticalHeader()->sizeHint().width() + table_->horizontalHeader()->length() +
                      2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() + margins.left() +
                      margins.right();
    const int room = screen() != nullptr ? screen()->availableGeometry().width() : whole;
    resize(sizeHint().expandedTo(QSize(std::min(whole, room), 320)));
}

QString DegreeDialog::tableText() const { return tableText_; }

void DegreeDialog::chooseDegree() {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) return;
    const int degree = table_->item(selected.front()->row(), 0)->text().toInt();
    accept();
    app_.ChooseDegree(combination_, degree);
}

}  // namespace kurvo::ui
