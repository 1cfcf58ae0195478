// The printer as a drawing surface: the graph is drawn in twips of the
// printable page and goes out as one page when the drawing ends the document.
// Without an installed printer the page goes into a PDF file.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "graph/recording_surface.h"

class QPrinter;
class QWidget;

namespace kurvo {
class IUserDialogs;
}

namespace kurvo::ui {

class GraphPrinter {
public:
    // Messages (a page that cannot be written) go to `dialogs`; the dialogs
    // open over `window`.
    GraphPrinter(IUserDialogs& dialogs, QWidget* window);
    ~GraphPrinter();

    // The page the graph is drawn on, in twips of the printable page.  Ending
    // its document sends what has been drawn since the last page as one page;
    // what a failed drawing left stays until then.
    RecordingSurface& surface() { return page_; }

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

    // Runs `draw`, which draws one page on the surface, and returns that page
    // instead of sending it (the printed look for an image file); nothing when
    // the drawing did not end its document.
    std::optional<std::vector<DrawCall>> keepPage(const std::function<void()>& draw);

    // The drawing of the page last sent, and how many have been sent.
    int pagesSent() const { return pagesSent_; }

private:
    void sendPage();
    QString chooseFile(const QString& suggested);

    IUserDialogs& dialogs_;
    QWidget* window_;
    mutable std::unique_ptr<QPrinter> printer_;
    RecordingSurface page_{0, 0};
    int pagesSent_ = 0;
    bool fileFromSetUp_ = false;  // the set-up dialog named the PDF file
    QString lastFile_;
    FileChooser chooser_;
    std::optional<std::vector<DrawCall>>* keeping_ = nullptr;  // set while keepPage draws
};

}  // namespace kurvo::ui
