// The graph as an image file for kurvo-batch: a PNG as the screen shows it,
// an SVG or PDF as the printer prints it, painted by the same routines.
#pragma once

#include <string>

#include "io/batch.h"

namespace kurvo::ui {

// Writes the image; returns an empty text, or why there is no file (and then
// nothing has been written).  Needs a QGuiApplication.
std::string WriteGraphImage(const GraphImage& image);

}  // namespace kurvo::ui
