#include "fit/calculate_value.h"

#include "fit/transforms.h"
#include "state/numbers.h"

namespace kurvo {

std::string CalculateXLabel(const Session& s) { return VariableTitle(s, s.int_XVar(s.int_Comb + 1)) + " = "; }

std::string CalculateYLabel(const Session& s) { return VariableTitle(s, s.int_YVar(s.int_Comb + 1)) + " = "; }

CalculatedValue CalculateValue(const Session& s, std::string_view xText) {
    return CalculateValue(s, s.int_Comb + 1, s.int_WorkDegree, xText);
}

CalculatedValue CalculateValue(const Session& s, int c, int degree, std::string_view xText) {
    const auto x = NumericValue(xText);
    if (!x) return {false, "数値を入力してください。"};
    if (s.int_XLog(c) == 1 && *x <= 0) return {false, "Log変換するので、0 より大きい数値を入力してください。"};
    try {
        double t = *x;
        if (s.int_XLog(c) == 1) t = Ln(t);
        if (s.int_XRecip(c) == 1 && t == 0)
            return {false, "逆数変換する値が 0 になるので計算できません。"};
        if (s.int_XRecip(c) == 1) t = Div(1.0, t);
        const double fitted = PolynomialValue(t, degree, [&](int i) { return s.dbl_Coeff(c, i); });
        const double y = BackTransform(fitted, s.int_YLog(c), s.int_YRecip(c));
        return {true, FormatGeneral(y), y};
    } catch (const RuntimeError& error) {
        return {false, "この値では計算できません。\n" + error.Description()};
    }
}

}  // namespace kurvo
