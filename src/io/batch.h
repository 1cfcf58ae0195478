// kurvo-batch: loads a data file or a built-in example, runs the estimation
// as the estimate button does and writes the document with its results in the
// data-file format, to a file or to standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kurvo {

// Runs the command with its arguments (without the program name) and returns
// the exit status: 0 on success, 1 when the document cannot be loaded,
// estimated or written, 2 for a wrong command line.  Messages go to `err`;
// the file goes to `out` unless "-o" names one.  Nothing is written to the
// output on failure.
int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The text of "--help".
std::string BatchUsage();

}  // namespace kurvo
