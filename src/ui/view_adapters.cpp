#include "ui/view_adapters.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QProxyStyle>
#include <QTabBar>

#include "window/app.h"

namespace kurvo::ui {

// ---- tab control -------------------------------------------------------------------

namespace {

// All tabs in one row, sharing the control's width.
class OneRowTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        const QWidget* control = parentWidget();
        if (control == nullptr || count() == 0) return size;
        const int share = control->width() / count();
        // The last tab takes what the division leaves over.
        size.setWidth(index == count() - 1 ? control->width() - share * (count() - 1) : share);
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

// Narrow side padding inside the tabs, so "推算値(Y1)" fits a fifth of the control.
class NarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {
    auto* bar = new OneRowTabBar(this);
    auto* narrow = new NarrowTabStyle;
    narrow->setParent(bar);
    bar->setStyle(narrow);
    setTabBar(bar);
    tabBar()->setElideMode(Qt::ElideNone);
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (handler_) handler_();
    });
}

TabControl::~TabControl() {
    // Removing the pages must not reach the logic any more.
    handler_ = nullptr;
    blockSignals(true);
}

void TabControl::place(int page, QWidget* control, const QRect& rect, Qt::Orientations grows) {
    control->setParent(widget(page));
    placements_.push_back({control, rect, grows});
    placeControls();
}

void TabControl::setGrowth(const QSize& growth) {
    growth_ = growth;
    placeControls();
}

QPoint TabControl::pageOrigin() {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
}

void TabControl::placeControls() {
    const QPoint origin = pageOrigin();
    for (const Placement& p : placements_) {
        QRect rect = p.rect.translated(-origin);
        if (p.grows & Qt::Horizontal) rect.setWidth(rect.width() + growth_.width());
        if (p.grows & Qt::Vertical) rect.setHeight(rect.height() + growth_.height());
        p.control->setGeometry(rect);
    }
}

void TabControl::resizeEvent(QResizeEvent* event) {
    tabBar()->updateGeometry();
    QTabWidget::resizeEvent(event);
    placeControls();
}

void TabControl::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    placeControls();
}

// ---- equation labels ---------------------------------------------------------------

void EquationLabels::SetEquation(int index, const std::string& caption) {
    labels_.at(static_cast<std::size_t>(index))->setText(QString::fromStdString(caption));
}

std::string EquationLabels::Equation(int index) const {
    return labels_.at(static_cast<std::size_t>(index))->text().toStdString();
}

// ---- message boxes and file dialog -----------------------------------------------------

MsgAnswer QtDialogs::Message(const MessageRequest& request) {
    if (answerer_) return answerer_(request);

    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromUtf8(request.caption.empty() ? kProgramCaption : request.caption.c_str()));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(request.text));
    switch (request.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(request.defaultNo ? QMessageBox::No : QMessageBox::Yes);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        QString name = parts[i];
        if (!name.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            name += QStringLiteral(" (") + patterns + QLatin1Char(')');
        filters << name;
    }
    return filters;
}

std::optional<std::string> QtDialogs::ChooseFile(const FileRequest& request) {
    if (chooser_) return chooser_(request);

    QFileDialog dialog(parent_);
    // The same dialog serves Open and Save: it accepts names of files that do
    // not exist yet and does not ask about replacing one.  Other files to
    // write (graph images) ask.
    dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(request.filter));
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith(QStringLiteral("*."))) suffix = suffix.mid(2);
    dialog.setDefaultSuffix(suffix);
    // A name typed without extension takes the one of the chosen kind.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const qsizetype at = filter.indexOf(QStringLiteral("*."));
        if (at >= 0) dialog.setDefaultSuffix(filter.mid(at + 2).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0));
    });
    const QString initial = QString::fromStdString(request.initialName);
    if (!request.initialName.empty()) dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    // The name offered, taken as it is: a name that is not UTF-8 (a file
    // opened from the command line) shows with replacement characters and
    // would otherwise come back as another name.
    const QString chosen = dialog.selectedFiles().front();
    if (!request.initialName.empty() && chosen == QFileInfo(initial).absoluteFilePath()) return request.initialName;
    return chosen.toStdString();
}

}  // namespace kurvo::ui
