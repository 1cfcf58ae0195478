#include "graph/graph_image.h"

namespace kurvo {

std::optional<GraphImageFormat> GraphImageFormatOf(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& ch : extension)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    if (extension == "png") return GraphImageFormat::Png;
    if (extension == "svg") return GraphImageFormat::Svg;
    if (extension == "pdf") return GraphImageFormat::Pdf;
    return std::nullopt;
}

}  // namespace kurvo
