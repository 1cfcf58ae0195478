// The four built-in examples: fixed documents ready for the estimate button.
// Combination c of every example takes column A as X and column c + 1 as Y.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvo {

struct ExampleMethod {
    std::int16_t yLog, yRecip, xLog, xRecip, degree;
};

struct Example {
    const char* title;
    std::vector<const char*> variableTitles;   // m titles
    std::vector<std::vector<double>> columns;  // m columns of n values
    std::vector<ExampleMethod> methods;        // k combinations
};

// Example 1..4; nothing for another number.
std::optional<Example> BuiltInExample(int number);

}  // namespace kurvo
