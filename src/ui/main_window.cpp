#include "ui/main_window.h"

#include <functional>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>

#include "graph/draw_graph.h"
#include "io/recovery.h"
#include "io/user_settings.h"
#include "window/document.h"
#include "ui/about_dialog.h"
#include "ui/application.h"
#include "ui/calc_value_dialog.h"
#include "ui/graph_export.h"
#include "ui/graph_printer.h"
#include "ui/graph_widget.h"
#include "ui/grid_view.h"
#include "ui/paint_calls.h"
#include "ui/range_dialog.h"
#include "ui/degree_dialog.h"
#include "ui/statistics_dialog.h"
#include "ui/var_title_dialog.h"

namespace kurvo::ui {

namespace {

const QColor kFaceGrey(192, 192, 192);
const QColor kLabelYellow(255, 255, 128);
const QColor kCreditGrey(128, 128, 128);

QFont windowFont(double points, bool bold = false) {
    QFont font(QString::fromUtf8(kGothic));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The client area: a blue-to-black gradient, with the two rules under the menu bar.
class WindowBackground : public QWidget {
public:
    WindowBackground(const TwipsScale& scale, QWidget* parent, std::function<void()> resized)
        : QWidget(parent), scale_(scale), resized_(std::move(resized)) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(scale_.size(kClientWidthTwips, kClientHeightTwips));
    }
    // The window opens at the size its layout was drawn for.
    QSize sizeHint() const override { return minimumSize(); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        resized_();
    }

    void paintEvent(QPaintEvent*) override {
        if (cache_.size() != size()) {
            cache_ = QPixmap(size());
            QPainter painter(&cache_);
            RecordingSurface pixels(width(), height());
            PaintWindowBackground(pixels);
            PaintCalls(painter, pixels.Calls(), {1.0, 1.0, 1.0}, rect(), kFaceGrey);
            // Line1(0): highlight, 2 wide, x -105..12600; Line1(1): shadow, x 0..10320; both at y = 0.
            painter.fillRect(QRect(QPoint(0, 0), QPoint(scale_.x(12600), 1)), palette().color(QPalette::Light));
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawLine(0, 0, scale_.x(10320), 0);
        }
        QPainter(this).drawPixmap(0, 0, cache_);
    }

private:
    TwipsScale scale_;
    std::function<void()> resized_;
    QPixmap cache_;
};

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), scale_(TwipsScale::ofScreen()), dialogs_(this) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());
    setFont(windowFont(9));
    QPalette face = palette();
    face.setColor(QPalette::Window, kFaceGrey);
    face.setColor(QPalette::Button, kFaceGrey);
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);

    auto* client = new WindowBackground(scale_, this, [this] { fitControlsToClient(); });
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    createControls();
    createMenus();
    createGraphContextMenu();
    createResultCopyMenus();
    setAcceptDrops(true);
    statusBar()->setSizeGripEnabled(false);
    connect(spdData_, &GridView::statusMessage, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
    });
    dialogs_.setStatusLine([this](const std::string& text) { statusBar()->showMessage(QString::fromStdString(text)); });
    anchorControls();
    resize(sizeHint());

    startUp();
}

MainWindow::~MainWindow() {
    // Closing the window commits a cell editor still open: the window, half
    // destroyed by then, must not hear of it.
    for (GridView* grid : {spdData_, spdSpec_}) {
        grid->model()->disconnect(this);
        grid->disconnect(this);
    }
    tabs_->SetChangeHandler(nullptr);
    app_.reset();
}

QWidget* MainWindow::placed(QWidget* control, double left, double top, double width, double height) {
    control->setParent(centralWidget());
    control->setGeometry(scale_.rect(left, top, width, height));
    anchors_.push_back({control, control->geometry()});
    return control;
}

void MainWindow::anchorControls() {
    // A quarter of the added width widens the pages of data and estimates,
    // the rest the graph; the added height lengthens both, and what stands
    // below or right of them moves along.
    using enum Share;
    const auto named = [this](const char* name) { return centralWidget()->findChild<QWidget*>(QString::fromLatin1(name)); };
    const auto bar = [this](App::RangeBar b) -> QWidget* { return rangeBar(b); };
    const std::pair<QWidget*, std::array<Share, 4>> shares[] = {
        {tabs_, {None, None, Left, All}},
        {graph_, {Left, None, Rest, All}},
        {cmdEnd_, {All, None, None, None}},
        {cmdEstimate_, {All, None, None, None}},
        {bar(App::RangeBar::VScrollHigh), {All, None, None, None}},
        {bar(App::RangeBar::VScrollLow), {All, All, None, None}},
        {bar(App::RangeBar::HScrollHigh), {All, All, None, None}},
        {bar(App::RangeBar::HScrollLow), {Left, All, None, None}},
        {named("lblOwner"), {All, All, None, None}},
        {named("lblVersion"), {All, All, None, None}},
        {spdCoeff_, {Left, All, None, None}},
        {named("lblCoeff"), {Left, All, None, None}},
        {spdSpec_, {None, All, None, None}},
        {named("lblEstimationOption"), {None, All, None, None}},
    };
    for (const auto& [control, share] : shares)
        for (Anchor& a : anchors_)
            if (a.control == control) a.shares = share;
}

void MainWindow::fitControlsToClient() {
    const QSize growth = (centralWidget()->size() - centralWidget()->minimumSize()).expandedTo(QSize(0, 0));
    const int left = growth.width() / 4;
    const auto amount = [&](Share share, int whole) {
        switch (share) {
        case Share::Left: return left;
        case Share::Rest: return whole - left;
        case Share::All: return whole;
        default: return 0;
        }
    };
    for (const Anchor& a : anchors_) {
        const auto& [x, y, width, height] = a.shares;
        const int dx = amount(x, growth.width()), dy = y == Share::All ? growth.height() : 0;
        a.control->setGeometry(a.base.x() + dx, a.base.y() + dy, a.base.width() + amount(width, growth.width()),
                               a.base.height() + (height == Share::All ? growth.height() : 0));
    }
    if (tabs_) tabs_->setGrowth(QSize(left, growth.height()));
    // The graph is drawn for its size: a new size draws it again.
    if (app_ && graph_->size() != drawnGraphSize_ && app_->Estimated()) app_->RedrawShownGraph();
    drawnGraphSize_ = graph_->size();
}

QLabel* MainWindow::createLabel(const char* name, const QString& text, double left, double top, double width,
                                double height) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    placed(label, left, top, width, height);
    return label;
}

void MainWindow::createControls() {
    // In the window's tab order.
    graph_ = new GraphWidget;
    graph_->setObjectName(QStringLiteral("picGraph"));
    placed(graph_, 6120, 240, 5055, 4815);

    cmdEnd_ = new QPushButton(QStringLiteral("終了(&X)"));
    cmdEnd_->setObjectName(QStringLiteral("cmdEnd"));
    cmdEnd_->setFont(windowFont(9, true));
    placed(cmdEnd_, 11280, 1005, 1215, 735);

    cmdEstimate_ = new QPushButton(QStringLiteral("推算(&E)"));
    // The caption keeps its underlined E, but Alt+E belongs to the menu bar's
    // 例題(&E), as menu-bar access keys come first on the desktop this window
    // follows; two owners of one key would leave it doing nothing.  The button
    // is pressed with Space or Enter when it has the focus.
    cmdEstimate_->setShortcut(QKeySequence());
    cmdEstimate_->setObjectName(QStringLiteral("cmdEstimate"));
    cmdEstimate_->setFont(windowFont(9, true));
    placed(cmdEstimate_, 11280, 2160, 1215, 735);
    // A focused button answers Enter as well as Space, as on the desktop the
    // window follows (outside a dialog Qt's buttons take Space only).
    for (QPushButton* button : {cmdEnd_, cmdEstimate_}) button->setAutoDefault(true);

    createGrids();

    QPalette yellow = palette();
    yellow.setColor(QPalette::WindowText, kLabelYellow);
    QLabel* lblCoeff = createLabel("lblCoeff", QStringLiteral("【推算結果】"), 6600, 5160, 1335, 255);
    lblCoeff->setFont(windowFont(9, true));
    lblCoeff->setPalette(yellow);

    QPalette credit = palette();
    credit.setColor(QPalette::WindowText, kCreditGrey);
    credit.setColor(QPalette::Window, kFaceGrey);
    QLabel* lblOwner = createLabel("lblOwner", QStringLiteral("設計・制作\nTavric"), 11400, 7440, 1095, 375);
    QLabel* lblVersion = createLabel("lblVersion", QStringLiteral("Version x.xxx"), 11400, 7800, 1215, 255);
    for (QLabel* label : {lblOwner, lblVersion}) {
        label->setFont(windowFont(8.25));
        label->setPalette(credit);
        label->setAutoFillBackground(true);
    }

    tabs_ = new TabControl;
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->setUsesScrollButtons(false);
    const QStringList captions = {QStringLiteral("入力データ"), QStringLiteral("推算値(Y1)"), QStringLiteral("推算値(Y2)"),
                                  QStringLiteral("推算値(Y3)"), QStringLiteral("推算値(Y4)")};
    for (const QString& caption : captions) tabs_->addTab(new QWidget, caption);
    placed(tabs_, 120, 240, 5775, 4815);

    tabs_->place(0, spdData_, scale_.rect(120, 960, 5535, 3600), Qt::Horizontal | Qt::Vertical);
    auto* lblData = new QLabel(QStringLiteral("データ (max.100)"));
    lblData->setObjectName(QStringLiteral("lblData"));
    tabs_->place(0, lblData, scale_.rect(120, 480, 1575, 255));
    for (int k = 0; k < 4; ++k) {
        auto* grid = spdEstimate_[static_cast<std::size_t>(k)];
        tabs_->place(k + 1, grid, scale_.rect(120, 960, 5535, 3600), Qt::Horizontal | Qt::Vertical);
    }

    createRangeBars();

    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(QStringLiteral("y%1=c0+c1*x+c2*x^2").arg(k + 1));
        label->setObjectName(QStringLiteral("lblEquation(%1)").arg(k));
        label->setFont(numberFont());
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // An equation of more lines than the place holds scrolls rather than runs under the grid.
        auto* place = new QScrollArea;
        place->setFrameShape(QFrame::NoFrame);
        place->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        place->setWidgetResizable(true);
        place->setWidget(label);
        tabs_->place(k + 1, place, scale_.rect(120, 360, 5055, 615), Qt::Horizontal);
        lblEquation_[static_cast<std::size_t>(k)] = label;
    }

    placed(spdSpec_, 120, 5400, 5715, 1335);
    QLabel* lblEstimationOption = createLabel("lblEstimationOption", QStringLiteral("【推算方法】"), 240, 5160, 1215, 255);
    lblEstimationOption->setFont(windowFont(9, true));
    lblEstimationOption->setPalette(yellow);

    // Stacking: the result grid and the method grid under their captions, the
    // small scroll bars over the graph's edges.
    spdCoeff_->stackUnder(lblCoeff);
    spdSpec_->stackUnder(lblEstimationOption);
    for (QScrollBar* bar : rangeBars_) bar->raise();

    connect(cmdEstimate_, &QPushButton::clicked, this, [this] { app_->RunEstimation(); });
    connect(cmdEnd_, &QPushButton::clicked, this, &MainWindow::confirmExit);
}

void MainWindow::createGrids() {
    const double w = 7.87;
    GridLayout fiveColumns;
    fiveColumns.columnWidths = {w, w, w, w, w};
    fiveColumns.scrolls = true;
    fiveColumns.fitsText = true;
    auto* dataModel = new GridModel(MakeDataGrid(), true, this);
    spdData_ = new GridView(dataModel, fiveColumns);
    spdData_->setObjectName(QStringLiteral("spdData"));
    spdData_->setBlockEditing(true);
    spdData_->setHeadingRowHandler(
        [this](const std::vector<std::string>& names, int col) { return app_->OfferVariableNames(names, col); });

    GridLayout coeff;
    coeff.rowHeadingWidth = 8.37;
    coeff.columnWidths = {8.88, 8.88, 8.88, 8.88};
    coeff.rulesAfterRows = {4};
    coeff.fitsText = true;
    spdCoeff_ = new GridView(new GridModel(MakeCoefficientGrid(), false, this), coeff);
    spdCoeff_->setObjectName(QStringLiteral("spdCoeff"));
    placed(spdCoeff_, 6000, 5400, 5370, 2730);

    for (int k = 0; k < 4; ++k) {
        auto* grid = new GridView(new GridModel(MakeEstimateGrid(k), false, this), fiveColumns);
        grid->setObjectName(QStringLiteral("spdEstimate(%1)").arg(k));
        spdEstimate_[static_cast<std::size_t>(k)] = grid;
    }

    GridLayout methodLayout;
    methodLayout.rowHeadingWidth = 2.87;
    methodLayout.columnWidths = {12.38, 3.75, 3.75, 12.37, 3.75, 3.75, 3.75};
    methodLayout.headingHeight = 17.73;
    methodLayout.rulesAfterColumns = {3, 6};
    methodLayout.rulesAfterRows = {1, 2, 3};
    auto* specModel = new GridModel(MakeMethodGrid(), true, this);
    spdSpec_ = new GridView(specModel, methodLayout);
    spdSpec_->setObjectName(QStringLiteral("spdSpec"));
    connect(specModel, &GridModel::cellEdited, this, [this](int col, int row) { app_->OnSpecCellChanged(col, row); });
}

void MainWindow::createRangeBars() {
    struct Bar {
        const char* name;
        App::RangeBar bar;
        Qt::Orientation orientation;
        int start;
        double left, top, width, height;
    };
    const Bar bars[] = {
        {"HScroll_Low", App::RangeBar::HScrollLow, Qt::Horizontal, kScrollMax, 6120, 5040, 375, 200},
        {"HScroll_High", App::RangeBar::HScrollHigh, Qt::Horizontal, 0, 10800, 5040, 375, 200},
        {"VScroll_High", App::RangeBar::VScrollHigh, Qt::Vertical, 0, 11160, 240, 200, 315},
        {"VScroll_Low", App::RangeBar::VScrollLow, Qt::Vertical, kScrollMax, 11160, 4680, 200, 340},
    };
    for (const Bar& b : bars) {
        auto* bar = new QScrollBar(b.orientation);
        bar->setObjectName(QString::fromLatin1(b.name));
        bar->setRange(0, kScrollMax);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(b.start);
        placed(bar, b.left, b.top, b.width, b.height);
        const App::RangeBar which = b.bar;
        connect(bar, &QScrollBar::valueChanged, this,
                [this, which, bar](int position) { app_->OnRangeBarChanged(which, bar->minimum(), position); });
        rangeBars_[static_cast<std::size_t>(b.bar)] = bar;
    }
}

QScrollBar* MainWindow::rangeBar(App::RangeBar bar) const { return rangeBars_[static_cast<std::size_t>(bar)]; }

void MainWindow::createMenus() {
    const auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    const auto addMenu = [this](const QString& name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };

    QMenu* file = addMenu(QStringLiteral("ファイルメニュー"), QStringLiteral("ﾌｧｲﾙ(&F)"));
    QAction* newItem = addItem(file, "mnuNew", QStringLiteral("新規作成(&N)"));
    newItem->setShortcut(QKeySequence::New);
    connect(newItem, &QAction::triggered, this, [this] { app_->NewCommand(); });
    QAction* openItem = addItem(file, "mnuOpen", QStringLiteral("開く(&O)"));
    openItem->setShortcut(QKeySequence::Open);
    connect(openItem, &QAction::triggered, this, [this] { app_->OpenCommand(); });
    QAction* saveItem = addItem(file, "mnuSaveInPlace", QStringLiteral("上書き保存(&S)"));
    saveItem->setShortcut(QKeySequence::Save);
    connect(saveItem, &QAction::triggered, this, [this] { app_->SaveInPlaceCommand(); });
    connect(addItem(file, "mnuSave", QStringLiteral("名前を付けて保存(&A)")), &QAction::triggered, this,
            [this] { app_->SaveCommand(); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeparator01"));
    connect(addItem(file, "mnuSetPrinter", QStringLiteral("プリンターの設定(&U)")), &QAction::triggered, this,
            &MainWindow::setUpPrinter);
    connect(addItem(file, "mnuPrint", QStringLiteral("グラフの印刷(&P)")), &QAction::triggered, this,
            &MainWindow::printGraph);
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeparator02"));
    connect(addItem(file, "cmdExit", QStringLiteral("終了(&X)")), &QAction::triggered, this,
            &MainWindow::confirmExit);

    QMenu* view = addMenu(QStringLiteral("View"), QStringLiteral("表示(&V)"));
    connect(addItem(view, "mnuVarTitle", QStringLiteral("変数名の設定(&T)")), &QAction::triggered, this,
            &MainWindow::openTitleDialog);
    connect(addItem(view, "mnuCalc_Value", QStringLiteral("推算値の計算(&C)")), &QAction::triggered, this,
            &MainWindow::openCalcValueDialog);
    connect(addItem(view, "mnuChange_Graph_Range", QStringLiteral("グラフ上下限変更")), &QAction::triggered, this,
            &MainWindow::openRangeDialog);
    view->addSeparator();
    createFigureActions();
    addFigureActions(view);

    QMenu* examples = addMenu(QStringLiteral("Example"), QStringLiteral("例題(&E)"));
    const QString exampleCaptions[] = {QStringLiteral("例題１(&1)"), QStringLiteral("例題２(&2)"),
                                       QStringLiteral("例題３(&3)    Y      Log"),
                                       QStringLiteral("例題４(&4)    Ｘ，Ｙ  Log")};
    for (int n = 1; n <= 4; ++n) {
        const QByteArray name = "mnuExample" + QByteArray::number(n);
        connect(addItem(examples, name.constData(), exampleCaptions[n - 1]), &QAction::triggered, this,
                [this, n] { app_->ExampleCommand(n); });
    }

    QMenu* help = addMenu(QStringLiteral("Help"), QStringLiteral("ヘルプ(&H)"));
    connect(addItem(help, "mnuAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ'情報(&A)")), &QAction::triggered, this,
            &MainWindow::openAboutDialog);
}

void MainWindow::startUp() {
    equations_ = std::make_unique<EquationLabels>(lblEquation_);
    std::array<IGrid*, 4> estimates{};
    for (std::size_t k = 0; k < 4; ++k) estimates[k] = &spdEstimate_[k]->gridModel()->grid();
    printer_ = std::make_unique<GraphPrinter>(dialogs_, this);
    app_ = std::make_unique<App>(Views{spdData_->gridModel()->grid(), spdSpec_->gridModel()->grid(),
                                       spdCoeff_->gridModel()->grid(), estimates, *tabs_, *equations_, graph_->surface(),
                                       dialogs_, &printer_->surface()});
    setWindowTitle(QString::fromUtf8(kProgramCaption));
    // The caption follows the document once the changes of a command or a
    // paste are all in, however many cells they touch.
    captionTimer_ = new QTimer(this);
    captionTimer_->setSingleShot(true);
    captionTimer_->setInterval(0);
    connect(captionTimer_, &QTimer::timeout, this, &MainWindow::updateCaption);
    for (GridView* grid : {spdData_, spdSpec_}) {
        connect(grid->model(), &QAbstractItemModel::dataChanged, captionTimer_, qOverload<>(&QTimer::start));
        connect(grid->model(), &QAbstractItemModel::headerDataChanged, captionTimer_, qOverload<>(&QTimer::start));
    }
    // Saved, opened or started afresh: the recovery copy goes at once.
    app_->SetSettledHandler([this] {
        captionTimer_->start();
        updateRecoveryCopy();
    });
    app_->StartUp();
    loadFigureSettings();
}

void MainWindow::updateCaption() {
    // The data file, or the table an untitled document was read from; a new
    // document shows the program's name alone.  Unsaved changes are marked in each.
    const DocumentOrigin origin = app_->Origin();
    const QString name = QFileInfo(QString::fromStdString(origin.file)).fileName();
    const QString program = QString::fromUtf8(kProgramCaption);
    if (origin.file.empty()) {
        setWindowTitle(program + QStringLiteral("[*]"));
    } else {
        setWindowTitle(name + (origin.table ? QStringLiteral(" の表[*] - ") : QStringLiteral("[*] - ")) + program);
    }
    setWindowModified(app_->HasUnsavedChanges());
}

void MainWindow::startRecovery(const std::string& folder, bool offerLeftCopies) {
    recovery_ = std::make_unique<RecoveryCopy>(folder);
    // At most a second after a change the copy holds it, however fast the typing goes on.
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(1000);
    connect(recoveryTimer_, &QTimer::timeout, this, &MainWindow::updateRecoveryCopy);
    const auto changed = [this] {
        if (!recoveryTimer_->isActive()) recoveryTimer_->start();
    };
    for (GridView* grid : {spdData_, spdSpec_}) {
        connect(grid->model(), &QAbstractItemModel::dataChanged, this, changed);
        connect(grid->model(), &QAbstractItemModel::headerDataChanged, this, changed);
    }
    // So is the text of a data cell still being edited.
    connect(spdData_, &GridView::pendingEditChanged, this, changed);
    if (offerLeftCopies) {
        recovery_->OfferLeftCopies(dialogs_, [this](const Document& document, const DocumentOrigin& origin) {
            return RestoreDocument(*app_, document, origin);
        });
    }
}

void MainWindow::updateRecoveryCopy() {
    if (!recovery_) return;
    const std::optional<std::string> failure =
        recovery_->Update(app_->UnsavedContent(spdData_->pendingEdit()), app_->Origin());
    // A failure is shown once, and gives way when a later write works.
    if (failure && recoveryFailure_.isEmpty()) {
        recoveryFailure_ = QStringLiteral("復元用のコピーを書き込めませんでした。") + QString::fromStdString(*failure);
        statusBar()->showMessage(recoveryFailure_);
    } else if (!failure && !recoveryFailure_.isEmpty()) {
        if (statusBar()->currentMessage() == recoveryFailure_) statusBar()->clearMessage();
        recoveryFailure_.clear();
    }
}

void MainWindow::closeFromProgram() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box, the system menu and Alt+F4 reach the window as
    // spontaneous close events and do not close it; the program's own
    // requests do, and so does the end of the desktop session.
    if (event->spontaneous() && !systemSessionEnding()) {
        event->ignore();
        return;
    }
    updateRecoveryCopy();  // the end of the desktop session leaves the latest typing on disk
    QMainWindow::closeEvent(event);
}

void MainWindow::confirmExit() {
    if (app_->HasUnsavedChanges()) {
        // The question about saving stands for "終了しますか？".
        if (!app_->ConfirmReplace()) return;
        endProgram();
        return;
    }
    MessageRequest question;
    question.text = "終了しますか？";
    question.buttons = MsgButtons::YesNo;
    question.icon = MsgIcon::Question;
    question.caption = kProgramCaption;
    question.defaultNo = true;
    if (dialogs_.Message(question) != MsgAnswer::Yes) return;
    endProgram();
}

void MainWindow::endProgram() {
    saveFigureSettings();  // the window's place with the rest
    if (recovery_) recovery_->Discard();
    recovery_.reset();
    // Nothing more is asked: every window closes, and with the last one the
    // program ends.
    closeFromProgram();
    QApplication::closeAllWindows();
}

void MainWindow::printGraph() { app_->PrintShownGraph(); }

void MainWindow::setUpPrinter() { printer_->setUp(); }

void MainWindow::openTitleDialog() {
    {
        VarTitleDialog dialog(*app_, this);
        dialog.exec();
    }
    captionTimer_->start();  // a new title alone changes no cell
    if (app_->Estimated() && app_->DialogConfirmed()) app_->RedrawShownGraph();
}

void MainWindow::openCalcValueDialog() {
    // A combination the last run refused has no equation to evaluate.
    if (!app_->Estimated() || app_->Refused(app_->ShownCombination())) return;
    CalcValueDialog dialog(*app_, this);
    dialog.exec();
}

void MainWindow::openRangeDialog() {
    if (!app_->Estimated()) return;
    {
        ChangeGraphRangeDialog dialog(*app_, this);
        dialog.exec();
    }
    // Opening the dialog sets the flag: the graph is redrawn after either button.
    if (app_->DialogConfirmed()) app_->RedrawShownGraph();
}

void MainWindow::openAboutDialog() {
    AboutDialog dialog(this);
    dialog.exec();
}

// ---- the graph and the results out of the window, data files in ----

namespace {

constexpr const char* kGraphImageFilter = "PNG 画像 (*.png)|*.png|SVG 画像 (*.svg)|*.svg|PDF 文書 (*.pdf)|*.pdf";

// The data file of a drag: one local file.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
    return data->urls().front().toLocalFile();
}

}  // namespace

void MainWindow::createFigureActions() {
    statisticsAction_ = new QAction(QStringLiteral("係数の統計(&K)"), this);
    statisticsAction_->setObjectName(QStringLiteral("mnuStatistics"));
    connect(statisticsAction_, &QAction::triggered, this, &MainWindow::openStatisticsDialog);
    degreeAction_ = new QAction(QStringLiteral("次数の比較(&D)"), this);
    degreeAction_->setObjectName(QStringLiteral("mnuDegrees"));
    connect(degreeAction_, &QAction::triggered, this, &MainWindow::openDegreeDialog);
    confidenceAction_ = new QAction(QStringLiteral("信頼帯(&B)"), this);
    confidenceAction_->setObjectName(QStringLiteral("mnuConfidenceBand"));
    predictionAction_ = new QAction(QStringLiteral("予測帯(&P)"), this);
    predictionAction_->setObjectName(QStringLiteral("mnuPredictionBand"));
    for (QAction* band : {confidenceAction_, predictionAction_}) {
        band->setCheckable(true);
        connect(band, &QAction::toggled, this, [this] {
            app_->SetBands(confidenceAction_->isChecked(), predictionAction_->isChecked());
            saveFigureSettings();
        });
    }
    residualAction_ = new QAction(QStringLiteral("残差グラフ(&R)"), this);
    residualAction_->setObjectName(QStringLiteral("mnuResidualGraph"));
    residualAction_->setCheckable(true);
    connect(residualAction_, &QAction::toggled, this, [this](bool residuals) {
        showResidualGraph(residuals);
        saveFigureSettings();
    });
    levelMenu_ = new QMenu(QStringLiteral("信頼水準(&L)"), this);
    levelMenu_->setObjectName(QStringLiteral("mnuLevel"));
    levelGroup_ = new QActionGroup(this);
    const std::pair<ConfidenceLevel, const char*> levels[] = {
        {ConfidenceLevel::Percent90, "90%(&0)"}, {ConfidenceLevel::Percent95, "95%(&5)"}, {ConfidenceLevel::Percent99, "99%(&9)"}};
    for (const auto& entry : levels) {
        const ConfidenceLevel level = entry.first;
        QAction* action = levelMenu_->addAction(QString::fromUtf8(entry.second));
        action->setObjectName(QStringLiteral("mnuLevel%1").arg(static_cast<int>(level)));
        action->setCheckable(true);
        action->setData(static_cast<int>(level));
        levelGroup_->addAction(action);
        connect(action, &QAction::triggered, this, [this, level] {
            app_->SetLevel(level);
            saveFigureSettings();
        });
    }
}

void MainWindow::addFigureActions(QMenu* menu) {
    menu->addAction(statisticsAction_);
    menu->addAction(degreeAction_);
    menu->addAction(confidenceAction_);
    menu->addAction(predictionAction_);
    menu->addMenu(levelMenu_);
    menu->addAction(residualAction_);
}

void MainWindow::loadFigureSettings() {
    const SettingsRead read = ReadUserSettings(userSettingsPath());
    // A settings file that cannot be read is left alone for the whole run.
    settingsWritable_ = !read.problem;
    if (read.problem) showSettingsProblem(QStringLiteral("設定ファイルを読めないため、既定の設定で始めます。"), *read.problem);
    const UserSettings& settings = read.settings;
    for (QAction* action : levelGroup_->actions())
        if (action->data().toInt() == settings.level) {
            action->setChecked(true);
            app_->SetLevel(static_cast<ConfidenceLevel>(settings.level));
        }
    const QSignalBlocker confidence(confidenceAction_), prediction(predictionAction_), residuals(residualAction_);
    confidenceAction_->setChecked(settings.confidenceBand);
    predictionAction_->setChecked(settings.predictionBand);
    app_->SetBands(confidenceAction_->isChecked(), predictionAction_->isChecked());
    residualAction_->setChecked(settings.residualGraph);
    // The window where it stood last time, never smaller than its first size.
    if (const auto& [left, top, across, down] = settings.windowPlace; across > 0) {
        setGeometry(QRect(left, top, across, down) | QRect(QPoint(left, top), sizeHint()));
        if (settings.windowMaximised) setWindowState(windowState() | Qt::WindowMaximized);
    }
    showResidualGraph(residualAction_->isChecked());
}

void MainWindow::showResidualGraph(bool residuals) {
    app_->SetResidualGraph(residuals);
    // The residuals' Y axis is scaled to them alone.
    for (const App::RangeBar bar : {App::RangeBar::VScrollHigh, App::RangeBar::VScrollLow})
        rangeBar(bar)->setEnabled(!residuals);
}

void MainWindow::saveFigureSettings() {
    if (!settingsWritable_) return;
    UserSettings settings{confidenceAction_->isChecked(), predictionAction_->isChecked(), static_cast<int>(app_->Level()),
                          residualAction_->isChecked()};
    // Where the window stands, as it comes back when no longer maximised.
    const QRect place = isMaximized() ? normalGeometry() : geometry();
    if (isVisible() && place.width() > 0) settings.windowPlace = {place.x(), place.y(), place.width(), place.height()};
    settings.windowMaximised = isMaximized();
    if (const std::optional<std::string> problem = WriteUserSettings(userSettingsPath(), settings)) {
        settingsWritable_ = false;
        showSettingsProblem(QStringLiteral("設定を保存できませんでした。"), *problem);
    }
}

void MainWindow::showSettingsProblem(const QString& what, const std::string& why) {
    statusBar()->showMessage(what + QString::fromStdString(why) + QStringLiteral("（") +
                             QString::fromStdString(userSettingsPath()) + QStringLiteral("）"));
}

void MainWindow::openStatisticsDialog() {
    if (!app_->Estimated()) return;
    {
        StatisticsDialog dialog(*app_, this);
        dialog.exec();
    }
    // The level may have been changed there.
    for (QAction* action : levelGroup_->actions())
        if (action->data().toInt() == static_cast<int>(app_->Level())) action->setChecked(true);
    saveFigureSettings();
}

void MainWindow::openDegreeDialog() {
    if (!app_->Estimated()) return;
    DegreeDialog dialog(*app_, this);
    dialog.exec();
}

void MainWindow::createGraphContextMenu() {
    graphMenu_ = new QMenu(this);
    graphMenu_->setObjectName(QStringLiteral("graphMenu"));
    QAction* copy = graphMenu_->addAction(QStringLiteral("グラフをコピー(&C)"), this, &MainWindow::copyGraph);
    copy->setObjectName(QStringLiteral("copyGraph"));
    QAction* save = graphMenu_->addAction(QStringLiteral("グラフを画像で保存(&S)"), this, &MainWindow::saveGraphImage);
    save->setObjectName(QStringLiteral("saveGraphImage"));
    graphMenu_->addSeparator();
    addFigureActions(graphMenu_);
    // Until an estimation there is no graph to take out and no fit to tell of.
    connect(graphMenu_, &QMenu::aboutToShow, this, [this, copy, save] {
        for (QAction* action : {copy, save, statisticsAction_, degreeAction_})
            action->setEnabled(app_->Estimated());
    });
    connect(graphMenu_, &QMenu::aboutToHide, this, [this] {
        statisticsAction_->setEnabled(true);
        degreeAction_->setEnabled(true);
    });
    // The right button, or the menu key once the graph has been clicked.
    graph_->setFocusPolicy(Qt::ClickFocus);
    graph_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(graph_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { graphMenu_->popup(graph_->mapToGlobal(at)); });
}

void MainWindow::createResultCopyMenus() {
    std::vector<GridView*> results(spdEstimate_.begin(), spdEstimate_.end());
    results.push_back(spdCoeff_);
    for (GridView* grid : results) {
        auto* copy = new QAction(QStringLiteral("コピー(&C)"), grid);
        copy->setObjectName(QStringLiteral("copyCells"));
        connect(copy, &QAction::triggered, grid, &GridView::copySelection);
        grid->addAction(copy);
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void MainWindow::copyGraph() {
    if (!app_->Estimated()) return;
    const RecordingSurface& shown = graph_->surface();
    const QImage picture = screenImage(shown.Calls(), shown.Width(), shown.Height(), graph_->dpiX());
    auto* copied = new QMimeData;
    copied->setImageData(picture);
    copied->setData(QStringLiteral("image/png"), pngBytes(picture));
    copied->setData(QStringLiteral("image/svg+xml"),
                  screenSvg(shown.Calls(), shown.Width(), shown.Height(), graph_->dpiX()));
    QGuiApplication::clipboard()->setMimeData(copied);
}

void MainWindow::saveGraphImage() {
    if (!app_->Estimated()) return;
    FileRequest request{kGraphImageFilter, "*.png", graphImageFile_};
    request.forSaving = true;
    const std::optional<std::string> chosen = dialogs_.ChooseFile(request);
    if (!chosen || chosen->empty()) return;
    graphImageFile_ = *chosen;
    const std::optional<GraphImageFormat> format = GraphImageFormatOf(*chosen);
    if (!format) {
        dialogs_.ShowMessage(kGraphFormatMessage + *chosen);
        return;
    }

    GraphImage image;
    image.format = *format;
    std::optional<std::vector<DrawCall>> page;
    if (*format == GraphImageFormat::Png) {
        image.calls = &graph_->calls();
        image.width = graph_->surface().Width();
        image.height = graph_->surface().Height();
    } else {
        // The printed look: the page drawn as printing draws it, kept instead
        // of sent.
        page = printer_->keepPage([&] { app_->PrintShownGraph(); });
        if (!page) return;  // the drawing has reported why
        image.calls = &*page;
        image.width = printer_->surface().Width();
        image.height = printer_->surface().Height();
    }
    const std::string problem = WriteGraphImage(image, *chosen);
    if (!problem.empty()) dialogs_.ShowMessage(problem);
}

void MainWindow::openFromCommandLine(const std::string& path) {
    app_->OpenFile(std::filesystem::absolute(path).lexically_normal().string(), false);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    // The file system's own bytes for the name, as the command line gives them.
    app_->OpenFile(QFile::encodeName(file).toStdString(), true);
}

}  // namespace kurvo::ui
