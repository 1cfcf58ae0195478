#include "ui/graph_printer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "state/views.h"
#include "ui/paint_calls.h"
#include "ui/twips.h"

namespace kurvo::ui {

namespace {

constexpr double kTwipsPerPoint = 20.0;

}  // namespace

void PaintPaperPage(QPainter& painter, const std::vector<DrawCall>& calls, double dpiX, double dpiY) {
    const PaintScale scale{kTwipsPerInch / dpiX, kTwipsPerInch / dpiY, 1.0};
    const QRectF page(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
    PaintCalls(painter, calls, scale, page, Qt::white);
}

GraphPrinter::GraphPrinter(IUserDialogs& dialogs, QWidget* window) : dialogs_(dialogs), window_(window) {
    startPage();
}

GraphPrinter::~GraphPrinter() = default;

QPrinter& GraphPrinter::printer() const {
    // Made late: looking for the installed printers takes a moment.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void GraphPrinter::startPage() { pending_ = std::make_unique<RecordingSurface>(0, 0); }

void GraphPrinter::setUp() {
    QPrintDialog dialog(&printer(), window_);
    dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
    // Confirming the set-up prints nothing: its button says OK, not Print.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    }
    if (dialog.exec() != QDialog::Accepted) return;
    fileFromSetUp_ = printer().outputFormat() == QPrinter::PdfFormat && !printer().outputFileName().isEmpty();
}

void GraphPrinter::Clear() {
    // A page is blank until drawn on: clearing the paper forgets what is pending.
    startPage();
}

int GraphPrinter::Width() const {
    return static_cast<int>(printer().pageLayout().paintRect(QPageLayout::Point).width() * kTwipsPerPoint);
}

int GraphPrinter::Height() const {
    return static_cast<int>(printer().pageLayout().paintRect(QPageLayout::Point).height() * kTwipsPerPoint);
}

QString GraphPrinter::chooseFile(const QString& suggested) {
    if (chooser_) return chooser_(suggested);
    QFileDialog dialog(window_, QStringLiteral("グラフを PDF ファイルに印刷"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF ファイル (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void GraphPrinter::EndDocument() {
    QPrinter& p = printer();
    // No printer to send the page to: it goes into a PDF file, asked for each
    // time unless the set-up dialog named one.
    if (p.outputFormat() == QPrinter::PdfFormat && (p.outputFileName().isEmpty() || !fileFromSetUp_)) {
        const QString suggested = !lastFile_.isEmpty()                 ? lastFile_
                                  : !p.outputFileName().isEmpty() ? p.outputFileName()
                                                                  : QDir::home().filePath(QStringLiteral("graph.pdf"));
        const QString file = chooseFile(suggested);
        if (file.isEmpty()) {
            startPage();
            return;
        }
        lastFile_ = file;
        p.setOutputFileName(file);
    }
    if (p.outputFormat() == QPrinter::PdfFormat) p.setResolution(kPdfResolution);

    QPainter painter;
    if (!painter.begin(&p)) {
        const QString where = p.outputFormat() == QPrinter::PdfFormat ? p.outputFileName() : p.printerName();
        dialogs_.ShowMessage("印刷できませんでした。\n" + where.toStdString());
        startPage();
        return;
    }
    PaintPaperPage(painter, pending_->Calls(), p.logicalDpiX(), p.logicalDpiY());
    painter.end();
    lastPage_ = pending_->Calls();
    ++pagesSent_;
    startPage();
}

}  // namespace kurvo::ui
