// The one error type of the program's logic.
//
// Every arithmetic fault the fitting, scaling and drawing code can meet is
// turned into a RuntimeError carrying a number and a Japanese description, so
// that no NaN or infinity ever reaches a cell, a label, a file or a drawing.
// Callers catch it and report it as each command requires.
#pragma once

#include <stdexcept>
#include <string>

namespace kurvo {

enum class ErrorNumber : int {
    InvalidArgument = 5,    // logarithm of zero or a negative number, root of a negative number
    Overflow = 6,           // result beyond the double range, integer conversion out of range
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    DialogCancelled = 32755,
    PivotTooSmall = 1001,   // the least-squares system is singular
    FileFormat = 1002,      // a data file that cannot be read
    FileWrite = 1003,       // a data file that cannot be written
    NoCombination = 1004,   // an estimation run that found no combination to fit
    NoPrinter = 1005,       // a graph to print and no printer to print it on
    CoefficientsBeyondPrecision = 1006,  // a fit that no coefficients of raw powers in double reproduce
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}
    explicit RuntimeError(ErrorNumber number) : RuntimeError(number, StandardDescription(number)) {}

    ErrorNumber Number() const { return number_; }
    int Code() const { return static_cast<int>(number_); }
    const std::string& Description() const { return description_; }

    // The fixed Japanese wording of the standard error numbers.
    static std::string StandardDescription(ErrorNumber number);

private:
    ErrorNumber number_;
    std::string description_;
};

[[noreturn]] inline void Raise(ErrorNumber number) { throw RuntimeError(number); }

}  // namespace kurvo
