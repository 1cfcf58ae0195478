// A fixed walk through the main window that saves what the screen shows at
// each step, for checking the layout by eye (scripts/screenshots).
#pragma once

#include <QString>

namespace kurvo::ui {

class MainWindow;

// Saves, into `directory`: the empty start, example 1 loaded, example 1
// estimated, example 4 estimated, the examples menu opened, each dialog, the
// main window after new titles, the exit question, the printer set-up dialog
// and a printed page (as a PDF file); then closes the window.  Message boxes
// are answered with their default, the exit question with No.
void startScreenshotTour(MainWindow& window, const QString& directory);

}  // namespace kurvo::ui
