// The graph picture box: a drawing surface in twips whose drawing is kept and
// replayed on every repaint.
#pragma once

#include <QColor>
#include <QFrame>

#include "graph/recording_surface.h"
#include "graph/surface.h"

namespace kurvo::ui {

class GraphWidget : public QFrame, public ISurface {
    Q_OBJECT
public:
    explicit GraphWidget(QWidget* parent = nullptr);

    // What has been drawn since the last clear, and how many clears there were.
    const std::vector<DrawCall>& calls() const { return recording_.Calls(); }
    int clearCount() const { return recording_.ClearCount(); }
    // The colour a clear leaves.
    static QColor background() { return Qt::black; }

    // ---- ISurface: twips, origin at the top left of the drawing area ----
    void Clear() override;
    int Width() const override;
    int Height() const override;
    void SetLineWidth(int pixels) override;
    void SetForeColor(Rgb color) override;
    void Line(double x1, double y1, double x2, double y2, Rgb color) override;
    void Box(double x1, double y1, double x2, double y2, Rgb color) override;
    void LineTo(double x, double y, Rgb color) override;
    void Point(double x, double y, Rgb color) override;
    void SetFillStyle(FillStyle style) override;
    void SetFillColor(Rgb color) override;
    void Circle(double x, double y, double radius) override;
    void SetFontName(const std::string& name) override;
    double FontSize() const override { return recording_.FontSize(); }
    void SetFontSize(double points) override;
    void SetCurrentPosition(double x, double y) override;
    void PrintText(const std::string& text) override;
    void FilledBox(double x1, double y1, double x2, double y2) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    void changed() { update(); }

    RecordingSurface recording_{0, 0};
};

}  // namespace kurvo::ui
