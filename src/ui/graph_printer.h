// The printer as a drawing surface: the graph is drawn in twips of the
// printable page and goes out as one page when the drawing ends the document.
// Without an installed printer the page goes into a PDF file.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "graph/recording_surface.h"
#include "graph/surface.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kurvo {
class IUserDialogs;
}

namespace kurvo::ui {

// Paints a drawing made in twips on paper (a printer page, a PDF or an SVG
// document) whose device has `dpiX` by `dpiY` pixels per inch; the origin is
// the top left of the printable area, the paper white.
void PaintPaperPage(QPainter& painter, const std::vector<DrawCall>& calls, double dpiX, double dpiY);

// Resolution of a page printed into a PDF file: line widths of the drawing
// are device pixels, and 5 of them should look like a laser printer's.
inline constexpr int kPdfResolution = 600;

class GraphPrinter : public ISurface {
public:
    // Messages (a page that cannot be written) go to `dialogs`; the dialogs
    // open over `window`.
    GraphPrinter(IUserDialogs& dialogs, QWidget* window);
    ~GraphPrinter() override;

    // The printer set-up dialog.  What the user picks there (printer, paper,
    // orientation, a PDF file) is what later pages use; cancelling changes nothing.
    void setUp();

    // The printer the pages go to, made on first use.
    QPrinter& printer() const;

    // Asks for the PDF file of a page that has no printer to go to; returns
    // the path, or an empty text when the user cancelled.  The default shows
    // a file dialog; tests and scripted runs put their own in its place.
    using FileChooser = std::function<QString(const QString& suggested)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // The drawing of the page last sent, and how many have been sent.
    const std::vector<DrawCall>& lastPage() const { return lastPage_; }
    int pagesSent() const { return pagesSent_; }

    // ---- ISurface: twips of the printable page ----
    void Clear() override;
    int Width() const override;
    int Height() const override;
    void SetLineWidth(int pixels) override { pending_->SetLineWidth(pixels); }
    void SetForeColor(Rgb color) override { pending_->SetForeColor(color); }
    void Line(double x1, double y1, double x2, double y2, Rgb color) override { pending_->Line(x1, y1, x2, y2, color); }
    void Box(double x1, double y1, double x2, double y2, Rgb color) override { pending_->Box(x1, y1, x2, y2, color); }
    void LineTo(double x, double y, Rgb color) override { pending_->LineTo(x, y, color); }
    void Point(double x, double y, Rgb color) override { pending_->Point(x, y, color); }
    void SetFillStyle(FillStyle style) override { pending_->SetFillStyle(style); }
    void SetFillColor(Rgb color) override { pending_->SetFillColor(color); }
    void Circle(double x, double y, double radius) override { pending_->Circle(x, y, radius); }
    void SetFontName(const std::string& name) override { pending_->SetFontName(name); }
    double FontSize() const override { return pending_->FontSize(); }
    void SetFontSize(double points) override { pending_->SetFontSize(points); }
    void SetCurrentPosition(double x, double y) override { pending_->SetCurrentPosition(x, y); }
    void PrintText(const std::string& text) override { pending_->PrintText(text); }
    void FilledBox(double x1, double y1, double x2, double y2) override { pending_->FilledBox(x1, y1, x2, y2); }
    // Sends what has been drawn since the last page as one page.
    void EndDocument() override;

private:
    void startPage();
    QString chooseFile(const QString& suggested);

    IUserDialogs& dialogs_;
    QWidget* window_;
    mutable std::unique_ptr<QPrinter> printer_;
    // The drawing of the page not yet sent: what a failed drawing left stays
    // until the next page is sent.
    std::unique_ptr<RecordingSurface> pending_;
    std::vector<DrawCall> lastPage_;
    int pagesSent_ = 0;
    bool fileFromSetUp_ = false;  // the set-up dialog named the PDF file
    QString lastFile_;
    FileChooser chooser_;
};

}  // namespace kurvo::ui
