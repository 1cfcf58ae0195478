// The session record: the one shared state of the open document and its
// results.  The grids hold what the user sees; the procedures copy between
// grids and this record at fixed moments (estimation, result display, file
// open and save, examples, dialogs).
#pragma once

#include <cstdint>
#include <string>

#include "state/vb_array.h"

namespace kurvo {

// Limits of the model.
inline constexpr int kMaxSamples = 100;
inline constexpr int kMaxVariables = 5;
inline constexpr int kMaxCombinations = 4;
inline constexpr int kMaxDegree = 6;

// Flags set by the program hold 0 (false) or -1 (true).
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct Session {
    // Counts and flags
    std::int16_t int_DataCount = 0;   // valid samples of the combination last processed (0..100)
    std::int16_t int_VarCount = 0;    // highest data column holding a number (0..5)
    std::int16_t int_CombCount = 0;   // combinations in use (0..4)
    std::int16_t int_WorkDegree = 0;  // degree of the combination being processed or shown
    std::int16_t int_Comb = 0;        // 0-based index of the shown combination
    std::int16_t int_Estimated = 0;   // an estimation run has completed
    std::int16_t int_DialogOK = 0;    // the last dialog was confirmed

    std::string str_Title;
    RangeArray<std::string, 1, 5> str_VarTitle;

    // Method settings per combination
    RangeArray<std::int16_t, 1, 100> int_Degree;
    RangeArray<std::int16_t, 1, 4> int_YVar;
    RangeArray<std::int16_t, 1, 4> int_XVar;
    RangeArray<std::int16_t, 1, 5> int_YLog;
    RangeArray<std::int16_t, 1, 5> int_YRecip;
    RangeArray<std::int16_t, 1, 5> int_XLog;
    RangeArray<std::int16_t, 1, 5> int_XRecip;

    // Fitted coefficients (combination, power) and the working copy of the shown one
    RangeArray2<double, 1, 5, 0, 6> dbl_Coeff;
    RangeArray<double, 0, 6> dbl_WorkCoeff;

    // Power table of the combination being processed or shown: (sample, power + 1)
    RangeArray2<double, 1, 100, 1, 7> dbl_XPower;
    // Measured dependent values (sample, combination)
    RangeArray2<double, 1, 100, 1, 5> dbl_YData;

    // Graph extents (what is to be shown) and limits (what is drawn) per combination
    RangeArray<double, 1, 5> dbl_XMin, dbl_XMax, dbl_YMin, dbl_YMax;
    RangeArray<double, 1, 5> dbl_XLow, dbl_XHigh, dbl_YLow, dbl_YHigh;
    RangeArray<std::int16_t, 1, 5> int_XDiv, int_YDiv;
};

// A variable number that names a data column (1..5).  A method row whose
// variable text matches no item of its list reads as variable 0.
inline bool IsVariable(int v) { return v >= 1 && v <= kMaxVariables; }

// Variable v's name: its title, or its column letter when it has none; empty
// for a number that names no column.
inline std::string VariableTitle(const Session& s, int v) {
    if (!IsVariable(v)) return {};
    return s.str_VarTitle(v).empty() ? std::string(1, static_cast<char>('A' + v - 1)) : s.str_VarTitle(v);
}

}  // namespace kurvo
