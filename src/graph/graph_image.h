// The graph as an image file: the kinds the extension names, and the drawing
// that goes into one.  The window's image save and the batch command share it;
// the pictures themselves are painted by the Qt layer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/recording_surface.h"

namespace kurvo {

// Image files by their extension: PNG shows the graph as the screen does,
// SVG and PDF as the printed page.
enum class GraphImageFormat { Png, Svg, Pdf };

// The format named by the file's extension, in any case; nothing for others.
std::optional<GraphImageFormat> GraphImageFormatOf(const std::string& path);

// What the batch command and the window say of an image file, followed by its name.
inline constexpr const char* kGraphFormatMessage = "グラフの画像ファイルは .png, .svg, .pdf のどれかにしてください: ";
inline constexpr const char* kCannotWriteGraphMessage = "グラフの画像を書き込めませんでした: ";

struct GraphImage {
    GraphImageFormat format = GraphImageFormat::Png;
    // The drawing in twips on a surface of this size: the screen graph for
    // PNG, the printable page for SVG and PDF.
    const std::vector<DrawCall>* calls = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace kurvo
