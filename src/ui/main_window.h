// frmMain: the document window with the grids, the graph, the range scroll
// bars, the two buttons and the menus; the logic behind it is kurvo::App.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "window/app.h"
#include "ui/twips.h"
#include "ui/view_adapters.h"

class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

namespace kurvo {
class RecoveryCopy;
}

namespace kurvo::ui {

class GraphPrinter;
class GraphWidget;
class GridView;

// Client area of the window in twips.
inline constexpr int kClientWidthTwips = 12645;
inline constexpr int kClientHeightTwips = 8235;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    App& app() { return *app_; }
    QtDialogs& dialogs() { return dialogs_; }
    const TwipsScale& scale() const { return scale_; }

    TabControl* tabs() const { return tabs_; }
    GraphWidget* graph() const { return graph_; }
    GridView* dataGrid() const { return spdData_; }
    GridView* methodGrid() const { return spdSpec_; }
    GridView* coefficientGrid() const { return spdCoeff_; }
    GridView* estimateGrid(int k) const { return spdEstimate_.at(static_cast<std::size_t>(k)); }
    QLabel* equationLabel(int k) const { return lblEquation_.at(static_cast<std::size_t>(k)); }
    QPushButton* estimateButton() const { return cmdEstimate_; }
    QScrollBar* rangeBar(App::RangeBar bar) const;
    QPushButton* endButton() const { return cmdEnd_; }
    GraphPrinter& printer() { return *printer_; }

    // Closes the window for good: the program's own way out (the close box
    // and the window system's close requests are refused).
    void closeFromProgram();

    // Keeps a recovery copy of the document in `folder` from now on, and
    // first, when `offerLeftCopies`, offers the copies left there by windows
    // no longer running.
    void startRecovery(const std::string& folder, bool offerLeftCopies);

    // ---- commands of the menus and buttons ----
    // "終了しますか？", or while the document has unsaved changes the question
    // whether to save it; Yes (or a save, or declining it) ends the program.
    void confirmExit();
    // The shown combination's graph on one printed page.
    void printGraph();
    void setUpPrinter();
    // The dialogs: each opens modal, fresh, and the graph is redrawn after it
    // where the dialog may have changed it.
    void openTitleDialog();
    void openCalcValueDialog();
    void openRangeDialog();
    void openAboutDialog();
    // How sure the fits are: the statistics dialog; the bands and their level
    // are menu items (in 表示 and in the graph's menu), kept as user settings.
    void openStatisticsDialog();
    // Which degree: the shown combination at every degree, one of which can be chosen.
    void openDegreeDialog();

    // ---- the graph's context menu ----
    // The shown graph on the clipboard, as a picture at screen resolution and as SVG.
    void copyGraph();
    // The graph into a PNG (as the screen shows it), SVG or PDF (as printed) file.
    void saveGraphImage();

    // The data file named on the command line (its name as the system spells
    // it, any encoding), opened without the question.
    void openFromCommandLine(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped on the window is opened as the Open command opens a chosen one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void createGrids();
    void createRangeBars();
    void createMenus();
    void createGraphContextMenu();
    void createFigureActions();
    void addFigureActions(QMenu* menu);
    // The bands' and the residual graph's settings of the user: read at start, written at each change.
    void loadFigureSettings();
    void saveFigureSettings();
    // The residual graph or the fitted one; the Y range bars move only the fitted graph's axis.
    void showResidualGraph(bool residuals);
    // Shown once in the status line: the settings file could not be read or written, and why.
    void showSettingsProblem(const QString& what, const std::string& why);
    void createResultCopyMenus();
    void startUp();
    // The caption names the data file, if any, and marks unsaved changes.
    void updateCaption();
    // Every window closes, and with the last one the program ends.
    void endProgram();
    // Writes or removes the recovery copy now, with the text of a data cell
    // still being edited; a failure shows in the status bar until a write works.
    void updateRecoveryCopy();

    QWidget* placed(QWidget* control, double left, double top, double width, double height);
    // The window may grow beyond its first size: each control placed on it
    // moves or grows by its share of the added width and height.
    enum class Share { None, Left, Rest, All };
    struct Anchor {
        QWidget* control;
        QRect base;  // at the first size
        std::array<Share, 4> shares{};  // of x, y, width, height
    };
    void anchorControls();
    void fitControlsToClient();
    QLabel* createLabel(const char* name, const QString& text, double left, double top, double width, double height);

    TwipsScale scale_;
    std::vector<Anchor> anchors_;
    QSize drawnGraphSize_;
    GraphWidget* graph_ = nullptr;
    QPushButton* cmdEnd_ = nullptr;
    QPushButton* cmdEstimate_ = nullptr;
    TabControl* tabs_ = nullptr;
    GridView* spdData_ = nullptr;
    GridView* spdSpec_ = nullptr;
    GridView* spdCoeff_ = nullptr;
    std::array<GridView*, 4> spdEstimate_{};
    std::array<QLabel*, 4> lblEquation_{};
    std::array<QScrollBar*, 4> rangeBars_{};  // indexed by App::RangeBar
    QMenu* graphMenu_ = nullptr;
    QAction* statisticsAction_ = nullptr;
    QAction* degreeAction_ = nullptr;
    QAction* confidenceAction_ = nullptr;
    QAction* predictionAction_ = nullptr;
    QAction* residualAction_ = nullptr;
    QMenu* levelMenu_ = nullptr;
    QActionGroup* levelGroup_ = nullptr;
    std::string graphImageFile_;  // the image file last chosen, offered next time

    std::unique_ptr<EquationLabels> equations_;
    QtDialogs dialogs_;
    std::unique_ptr<GraphPrinter> printer_;
    std::unique_ptr<App> app_;
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    QTimer* captionTimer_ = nullptr;
    bool settingsWritable_ = true;  // until the settings file failed
    QString recoveryFailure_;  // the failure shown in the status bar, until a write works
};

}  // namespace kurvo::ui
