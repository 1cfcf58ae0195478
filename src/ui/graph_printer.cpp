#include "ui/graph_printer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <string>

#include "io/file_access.h"
#include "state/runtime_error.h"
#include "state/views.h"
#include "ui/paint_calls.h"
#include "ui/twips.h"

namespace kurvo::ui {

GraphPrinter::GraphPrinter(IUserDialogs& dialogs, QWidget* window) : dialogs_(dialogs), window_(window) {
    // Measured when the drawing asks: the printer is made late.
    page_.SetSizeSource([this] {
        const QRectF area = printer().pageLayout().paintRect(QPageLayout::Point);
        return SurfaceSize{static_cast<int>(area.width() * kTwipsPerPoint),
                           static_cast<int>(area.height() * kTwipsPerPoint)};
    });
    page_.SetEndDocumentHandler([this] { sendPage(); });
}

GraphPrinter::~GraphPrinter() = default;

QPrinter& GraphPrinter::printer() const {
    // Made late: looking for the installed printers takes a moment.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

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

std::optional<std::vector<DrawCall>> GraphPrinter::keepPage(const std::function<void()>& draw) {
    std::optional<std::vector<DrawCall>> kept;
    keeping_ = &kept;
    draw();
    keeping_ = nullptr;
    page_.Clear();  // a failed drawing leaves nothing for the next printed page
    return kept;
}

void GraphPrinter::sendPage() {
    if (keeping_ != nullptr) {
        *keeping_ = page_.Calls();
        return;
    }
    QPrinter& p = printer();
    // No printer to send the page to: it goes into a PDF file, asked for each
    // time unless the set-up dialog named one.
    if (p.outputFormat() == QPrinter::PdfFormat && (p.outputFileName().isEmpty() || !fileFromSetUp_)) {
        const QString suggested = !lastFile_.isEmpty()                 ? lastFile_
                                  : !p.outputFileName().isEmpty() ? p.outputFileName()
                                                                  : QDir::home().filePath(QStringLiteral("graph.pdf"));
        const QString file = chooseFile(suggested);
        if (file.isEmpty()) {
            page_.Clear();
            return;
        }
        lastFile_ = file;
        p.setOutputFileName(file);
    }
    // A PDF file is saved as a document is: the page is made in a folder of
    // the program's own, then put in place by the file writer, which refuses
    // what is not a regular file and keeps the old file whole until the new
    // one is complete.
    const bool toFile = p.outputFormat() == QPrinter::PdfFormat;
    const QString target = toFile ? p.outputFileName() : p.printerName();
    QTemporaryDir scratch;
    if (toFile) {
        p.setResolution(kPdfResolution);
        p.setOutputFileName(scratch.filePath(QStringLiteral("page.pdf")));
    }
    QPainter painter;
    bool painted = (!toFile || scratch.isValid()) && painter.begin(&p);
    if (painted) {
        PaintPaperPage(painter, page_.Calls(), p.logicalDpiX(), p.logicalDpiY());
        painted = painter.end();
    }
    std::string failure = painted ? "" : target.toStdString();
    if (toFile) {
        p.setOutputFileName(target);
        try {
            if (painted)
                ReplaceFileContents(QFile::encodeName(target).toStdString(),
                                    ReadWholeFile(QFile::encodeName(scratch.filePath(QStringLiteral("page.pdf"))).toStdString()));
        } catch (const RuntimeError& error) {
            failure = target.toStdString() + "\n" + error.Description();
        }
    }
    if (!painted || !failure.empty()) {
        dialogs_.ShowMessage("印刷できませんでした。\n" + failure);
        page_.Clear();
        return;
    }
    ++pagesSent_;
    page_.Clear();
}

}  // namespace kurvo::ui
