// The graph as an image: a PNG as the screen shows it, an SVG or PDF as the
// printer prints it, painted from the recorded drawing by the routines of the
// screen and the printer.  Used by kurvo-batch --graph, by the graph's "save
// as image" command and by its copy to the clipboard.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>

#include "graph/graph_image.h"

namespace kurvo::ui {

// Pixels per inch of the PNG files: the screen of the window's layout.
inline constexpr double kScreenDpi = 96.0;

// The screen drawing of `width` by `height` twips on its black background,
// `dpi` pixels per inch, with a little room at the right for the last X label.
QImage screenImage(const std::vector<DrawCall>& calls, int width, int height, double dpi);
// The picture as a PNG file's content.
QByteArray pngBytes(const QImage& picture);
// The screen drawing as an SVG document.
QByteArray screenSvg(const std::vector<DrawCall>& calls, int width, int height, double dpi);

// The content of the image file; empty when it cannot be made.
QByteArray graphImageBytes(const GraphImage& image);

// Puts the image file's bytes into `bytes`; returns an empty text, or why
// there are none.  Needs a QGuiApplication.
std::string RenderGraphImage(const GraphImage& image, std::string& bytes);

// Writes the image file whole or not at all (an earlier file stays as it was
// on failure); returns an empty text, or why there is no new file.  Needs a
// QGuiApplication.
std::string WriteGraphImage(const GraphImage& image, const std::string& path);

}  // namespace kurvo::ui
