// kurvo-batch: loads a data file or a built-in example, runs the estimation
// as the estimate button does and writes the document with its results in the
// data-file format, to a file or to standard output; on request it also draws
// the graph of one combination into an image file.
#pragma once

#include <functional>
#include <iosfwd>
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

// Puts the bytes of the image file into `bytes` and returns an empty text, or
// the reason it could not.
using GraphImageRenderer = std::function<std::string(const GraphImage&, std::string& bytes)>;

// Runs the command with its arguments (without the program name) and returns
// the exit status: 0 on success, 1 when the document cannot be loaded,
// estimated or written or its graph cannot be drawn, 2 for a wrong command
// line.  Messages go to `err`; the file goes to `out` unless "-o" names one
// or "--graph" asks for an image instead.  On failure no file is written and
// files already there are left as they were.  "--graph" needs `renderGraph`;
// without it the option is refused.
int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
             const GraphImageRenderer& renderGraph = {});

// The text of "--help".
std::string BatchUsage();

}  // namespace kurvo
