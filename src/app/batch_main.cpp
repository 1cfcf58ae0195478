// kurvo-batch: the estimation of a data file or an example without a window.
#include <iostream>
#include <string>
#include <vector>

#include "io/batch.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return kurvo::RunBatch(arguments, std::cout, std::cerr);
}
