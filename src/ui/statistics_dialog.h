// How sure the fits are: for each estimated combination the equation it fits,
// a table of its coefficients with their standard errors, t and p values and
// confidence limits, under a line with n, the degrees of freedom, s, R² and
// the adjusted R² and what they are of; the level can be changed here.
// Ctrl+C copies a table's selected cells as TAB-separated text with every
// digit, as on the result pages; すべてコピー copies the shown page whole.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QTabWidget;

namespace kurvo {
class App;
}

namespace kurvo::ui {

class GridView;

class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    StatisticsDialog(App& app, QWidget* parent);

    QTabWidget* pages() const { return pages_; }
    GridView* table(int c) const { return tables_.at(static_cast<std::size_t>(c - 1)); }
    QLabel* summary(int c) const { return summaries_.at(static_cast<std::size_t>(c - 1)); }
    QLabel* form(int c) const { return forms_.at(static_cast<std::size_t>(c - 1)); }
    // Puts the shown page on the clipboard: the equation, the summary line and
    // the table with its headings, TAB-separated, every number with all its digits.
    void copyPage();
    QComboBox* levelBox() const { return level_; }

private:
    // Fills every page from the fits at the chosen level.
    void fill();

    App& app_;
    QComboBox* level_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::array<GridView*, 4> tables_{};
    std::array<QLabel*, 4> summaries_{};
    std::array<QLabel*, 4> forms_{};
    std::array<QLabel*, 4> meanings_{};
};

}  // namespace kurvo::ui
