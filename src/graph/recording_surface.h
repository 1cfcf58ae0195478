// A drawing surface that records every call.  The screen graph, the printed
// page, image files and the clipboard all keep their drawing in one of these
// and paint it from the record; tests and the benchmark read it as data.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graph/surface.h"

namespace kurvo {

struct DrawCall {
    enum class Op { Clear, LineWidth, ForeColor, Line, Box, LineTo, Point, FillStyle, FillColor,
                    Circle, FontName, FontSize, Position, Text, FilledBox, EndDocument, Clip, EndClip, LineStyle };
    Op op = Op::Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // coordinates; radius in x2 for circles
    Rgb color = 0;
    int value = 0;                          // line width, fill style, line style
    double size = 0;                        // font size
    std::string text;                       // printed text, font name; for Text, position in x1/y1
};

struct SurfaceSize {
    int width = 0;
    int height = 0;
};

class RecordingSurface : public ISurface {
public:
    RecordingSurface(int width, int height) : size_{width, height} {}

    // A target whose size follows something else (a widget, a printer's
    // page) gives a function asked at each call.
    void SetSizeSource(std::function<SurfaceSize()> source) { sizeSource_ = std::move(source); }
    // Runs after every call that changes what the drawing shows.
    void SetChangeObserver(std::function<void()> observer) { observer_ = std::move(observer); }
    // Runs when the drawing ends its document (a printed page is complete).
    void SetEndDocumentHandler(std::function<void()> handler) { endDocument_ = std::move(handler); }

    void Clear() override;
    int Width() const override { return Size().width; }
    int Height() const override { return Size().height; }
    void SetLineWidth(int pixels) override;
    void SetLineStyle(LineStyle style) override;
    void SetForeColor(Rgb color) override;
    void Line(double x1, double y1, double x2, double y2, Rgb color) override;
    void Box(double x1, double y1, double x2, double y2, Rgb color) override;
    void LineTo(double x, double y, Rgb color) override;
    void Point(double x, double y, Rgb color) override;
    void SetFillStyle(FillStyle style) override;
    void SetFillColor(Rgb color) override;
    void Circle(double x, double y, double radius) override;
    void SetFontName(const std::string& name) override;
    double FontSize() const override { return fontSize_; }
    void SetFontSize(double points) override;
    void SetCurrentPosition(double x, double y) override;
    void PrintText(const std::string& text) override;
    void FilledBox(double x1, double y1, double x2, double y2) override;
    void SetClip(double x1, double y1, double x2, double y2) override;
    void EndClip() override;
    void EndDocument() override;

    // Every call since the last Clear (a Clear is recorded and starts a new list).
    const std::vector<DrawCall>& Calls() const { return calls_; }
    int ClearCount() const { return clears_; }
    // The calls of one kind since the last Clear.
    std::vector<DrawCall> CallsOf(DrawCall::Op op) const;

private:
    SurfaceSize Size() const { return sizeSource_ ? sizeSource_() : size_; }
    // Drawing state alone: nothing to show yet.
    void Record(DrawCall call) { calls_.push_back(std::move(call)); }
    // A call that changes the picture.
    void Draw(DrawCall call);

    SurfaceSize size_;
    std::function<SurfaceSize()> sizeSource_;
    std::function<void()> observer_;
    std::function<void()> endDocument_;
    double fontSize_ = 9.0;
    double x_ = 0, y_ = 0;
    int clears_ = 0;
    std::vector<DrawCall> calls_;
};

// The calls with what a clip box hides cut away: lines shortened to the part
// inside the box, points and circles whose centre lies outside left out.  For
// targets that do not clip themselves (an SVG document).
std::vector<DrawCall> ClippedCalls(const std::vector<DrawCall>& calls);

}  // namespace kurvo
