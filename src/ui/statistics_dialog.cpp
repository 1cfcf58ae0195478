#include "ui/statistics_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "io/clipboard_table.h"
#include "state/numbers.h"
#include "ui/application.h"
#include "ui/grid_view.h"
#include "window/app.h"
#include "window/statistics.h"

namespace kurvo::ui {

namespace {

constexpr ConfidenceLevel kLevels[] = {ConfidenceLevel::Percent90, ConfidenceLevel::Percent95,
                                       ConfidenceLevel::Percent99};

}  // namespace

StatisticsDialog::StatisticsDialog(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(QStringLiteral("係数の統計"));
    auto* layout = new QVBoxLayout(this);

    auto* levelRow = new QHBoxLayout;
    auto* levelLabel = new QLabel(QStringLiteral("信頼水準(&L):"));
    level_ = new QComboBox;
    level_->setObjectName(QStringLiteral("cboLevel"));
    for (const ConfidenceLevel level : kLevels) {
        level_->addItem(QStringLiteral("%1%").arg(static_cast<int>(level)), static_cast<int>(level));
        if (level == app_.Level()) level_->setCurrentIndex(level_->count() - 1);
    }
    levelLabel->setBuddy(level_);
    levelRow->addWidget(levelLabel);
    levelRow->addWidget(level_);
    levelRow->addStretch();
    layout->addLayout(levelRow);

    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("tabStatistics"));
    for (int c = 1; c <= 4; ++c) {
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        auto* form = new QLabel;
        form->setObjectName(QStringLiteral("lblForm(%1)").arg(c - 1));
        form->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* summary = new QLabel;
        summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
        summary->setFont(numberFont());
        auto* meaning = new QLabel;
        meaning->setWordWrap(true);
        GridLayout columns;
        columns.rowHeadingWidth = 4;
        columns.columnWidths = {13, 13, 13, 13, 13, 13};
        auto* table = new GridView(new GridModel(TableGrid(6, 7), false, this), columns);
        table->setObjectName(QStringLiteral("spdStatistics(%1)").arg(c - 1));
        auto* copy = new QAction(QStringLiteral("コピー(&C)"), table);
        connect(copy, &QAction::triggered, table, &GridView::copySelection);
        table->addAction(copy);
        table->setContextMenuPolicy(Qt::ActionsContextMenu);
        pageLayout->addWidget(form);
        pageLayout->addWidget(summary);
        pageLayout->addWidget(meaning);
        pageLayout->addWidget(table);
        pages_->addTab(page, QStringLiteral("Y%1").arg(c));
        tables_[static_cast<std::size_t>(c - 1)] = table;
        summaries_[static_cast<std::size_t>(c - 1)] = summary;
        forms_[static_cast<std::size_t>(c - 1)] = form;
        meanings_[static_cast<std::size_t>(c - 1)] = meaning;
    }
    layout->addWidget(pages_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる(&X)"));
    QPushButton* copyAll = buttons->addButton(QStringLiteral("すべてコピー(&A)"), QDialogButtonBox::ActionRole);
    copyAll->setObjectName(QStringLiteral("cmdCopyPage"));
    copyAll->setAutoDefault(false);
    connect(copyAll, &QPushButton::clicked, this, &StatisticsDialog::copyPage);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(level_, &QComboBox::currentIndexChanged, this, [this] {
        app_.SetLevel(static_cast<ConfidenceLevel>(level_->currentData().toInt()));
        fill();
    });
    fill();
    pages_->setCurrentIndex(app_.ShownCombination() - 1);
    resize(sizeHint().expandedTo(QSize(760, 360)));
}

void StatisticsDialog::fill() {
    const NumberForm shown = [](double v) { return FormatCoefficient(v); };
    for (int c = 1; c <= 4; ++c) {
        const std::optional<FitFigures> figures = c <= app_.CombinationCount() ? app_.Figures(c) : std::nullopt;
        pages_->setTabEnabled(c - 1, figures.has_value());
        TableGrid& grid = table(c)->gridModel()->grid();
        grid.ClearSheet();
        const std::vector<std::string> columns = CoefficientColumns(app_.Level());
        for (std::size_t col = 0; col < columns.size(); ++col) grid.SetText(static_cast<int>(col) + 1, 0, columns[col]);
        for (int r = 1; r <= grid.Rows(); ++r) grid.SetText(0, r, "C" + std::to_string(r - 1));
        if (!figures) {
            form(c)->clear();
            meanings_[static_cast<std::size_t>(c - 1)]->clear();
            summary(c)->setText(QStringLiteral("推算されていません。"));
            continue;
        }
        form(c)->setText(QString::fromStdString(app_.FittedForm(c)));
        meanings_[static_cast<std::size_t>(c - 1)]->setText(QString::fromStdString(app_.FigureMeaning(c)));
        summary(c)->setText(QString::fromStdString(FigureSummary(*figures, shown, [](double v) { return FormatGeneral(v); })));
        for (std::size_t j = 0; j < figures->coefficients.size(); ++j) {
            const std::vector<std::string> row = CoefficientRow(*figures, j, shown);
            const std::vector<std::optional<double>> values = CoefficientValues(*figures, j);
            for (std::size_t col = 0; col < row.size(); ++col) {
                const int gridCol = static_cast<int>(col) + 1, gridRow = static_cast<int>(j) + 1;
                if (values[col]) {
                    grid.SetFigure(gridCol, gridRow, row[col], *values[col]);
                } else {
                    grid.SetText(gridCol, gridRow, row[col]);
                }
            }
        }
        // Rows beyond the degree stay out of sight.
        for (int r = 1; r <= grid.Rows(); ++r)
            table(c)->setRowHidden(r - 1, static_cast<std::size_t>(r) > figures->coefficients.size());
    }
}

void StatisticsDialog::copyPage() {
    const int c = pages_->currentIndex() + 1;
    const std::optional<FitFigures> figures = c <= app_.CombinationCount() ? app_.Figures(c) : std::nullopt;
    if (!figures) return;
    const NumberForm every = [](double v) { return FormatShortest(v); };
    const TableGrid& grid = table(c)->gridModel()->grid();
    const int rows = static_cast<int>(figures->coefficients.size());
    const std::string text = app_.FittedForm(c) + "\n" + FigureSummary(*figures, every, every) + "\n" +
                             BlockAsText(grid, 0, 0, grid.Columns(), rows);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace kurvo::ui
