// kurvo-batch: loads a data file or a built-in example, runs the estimation
// as the estimate button does and writes the document with its results in the
// data-file format, to a file or to standard output; on request it also draws
// the graph of one combination into an image file.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "graph/graph_image.h"

namespace kurvo {

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
