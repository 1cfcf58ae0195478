// The graph as an image file for kurvo-batch: a PNG as the screen shows it,
// an SVG or PDF as the printer prints it, painted by the same routines.
#pragma once

#include <string>

#include "io/batch.h"

namespace kurvo::ui {

// Puts the image file's bytes into `bytes`; returns an empty text, or why
// there are none.  Needs a QGuiApplication.
std::string RenderGraphImage(const GraphImage& image, std::string& bytes);

}  // namespace kurvo::ui
