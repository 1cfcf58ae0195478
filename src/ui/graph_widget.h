// The graph picture box: its drawing surface in twips is a recording that the
// widget paints on every repaint.
#pragma once

#include <QColor>
#include <QFrame>

#include "graph/recording_surface.h"

namespace kurvo::ui {

class GraphWidget : public QFrame {
    Q_OBJECT
public:
    explicit GraphWidget(QWidget* parent = nullptr);

    // The surface the graph is drawn on: twips, origin at the top left of the
    // drawing area, as large as that area.
    RecordingSurface& surface() { return recording_; }
    const RecordingSurface& surface() const { return recording_; }
    // What has been drawn since the last clear, and how many clears there were.
    const std::vector<DrawCall>& calls() const { return recording_.Calls(); }
    int clearCount() const { return recording_.ClearCount(); }
    // The colour a clear leaves.
    static QColor background() { return Qt::black; }
    // Pixels per inch of the screen the graph is shown on.
    double dpiX() const { return logicalDpiX(); }
    double dpiY() const { return logicalDpiY(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RecordingSurface recording_{0, 0};
};

}  // namespace kurvo::ui
