// The drawing surface: the few retained drawing operations the graph uses,
// offered alike by the screen graph, the printer and image exports.
// Coordinates are the target's logical units (twips for the graph), origin at
// the top left, y downwards.
#pragma once

#include <cstdint>
#include <string>

namespace kurvo {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb MakeRgb(int r, int g, int b) {
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}

// Entries of the standard 16-colour palette that the graph uses.
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);
inline constexpr Rgb kGrey = MakeRgb(128, 128, 128);
inline constexpr Rgb kLightGreen = MakeRgb(0, 255, 0);
inline constexpr Rgb kLightRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kLightCyan = MakeRgb(0, 255, 255);
inline constexpr Rgb kYellow = MakeRgb(255, 255, 0);
inline constexpr Rgb kLightBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kLightMagenta = MakeRgb(255, 0, 255);

enum class FillStyle { Solid = 0, Transparent = 1 };
enum class LineStyle { Solid = 0, Dash = 1 };

class ISurface {
public:
    virtual ~ISurface() = default;

    virtual void Clear() = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetLineWidth(int pixels) = 0;
    // Lines drawn from now on: solid (the default) or dashed.
    virtual void SetLineStyle(LineStyle style) = 0;
    virtual void SetForeColor(Rgb color) = 0;
    virtual void Line(double x1, double y1, double x2, double y2, Rgb color) = 0;
    virtual void Box(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // Line from the current position; (x, y) becomes the current position.
    virtual void LineTo(double x, double y, Rgb color) = 0;
    // One point; (x, y) becomes the current position.
    virtual void Point(double x, double y, Rgb color) = 0;
    virtual void SetFillStyle(FillStyle style) = 0;
    virtual void SetFillColor(Rgb color) = 0;
    // Outlined in the foreground colour, filled per fill style and fill colour.
    virtual void Circle(double x, double y, double radius) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    virtual double FontSize() const = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetCurrentPosition(double x, double y) = 0;
    // Text with its top-left corner at the current position.
    virtual void PrintText(const std::string& text) = 0;
    // A box filled with the fill colour and no outline (window background).
    virtual void FilledBox(double x1, double y1, double x2, double y2) = 0;
    // From now on nothing shows outside the box, until EndClip or Clear.
    virtual void SetClip(double x1, double y1, double x2, double y2) = 0;
    virtual void EndClip() = 0;
    // Printer only: finishes the page and sends the job.
    virtual void EndDocument() {}
};

}  // namespace kurvo
