// Layout positions are given in twips (1/1440 inch); the screen works in
// pixels at its logical resolution.
#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace kurvo::ui {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerPoint = kTwipsPerInch / 72.0;

class TwipsScale {
public:
    TwipsScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    // The logical resolution of the primary screen.
    static TwipsScale ofScreen();

    int x(double twips) const { return qRound(twips * dpiX_ / kTwipsPerInch); }
    int y(double twips) const { return qRound(twips * dpiY_ / kTwipsPerInch); }
    QSize size(double width, double height) const { return {x(width), y(height)}; }
    // Left, top, width, height in twips.
    QRect rect(double left, double top, double width, double height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    double dpiX_;
    double dpiY_;
};

}  // namespace kurvo::ui
