#include "fit/calculate_value.h"

#include "state/numbers.h"

namespace kurvo {

CalculatedValue CalculateValue(std::span<const double> coefficients, const Transforms& transforms, int degree,
                               std::string_view xText) {
    const auto x = NumericValue(xText);
    if (!x) return {false, "数値を入力してください。"};
    if (transforms.xLog == 1 && *x <= 0) return {false, "Log変換するので、0 より大きい数値を入力してください。"};
    try {
        double t = *x;
        if (transforms.xLog == 1) t = Ln(t);
        if (transforms.xRecip == 1 && t == 0)
            return {false, "逆数変換する値が 0 になるので計算できません。"};
        if (transforms.xRecip == 1) t = Div(1.0, t);
        const double fitted = PolynomialValue(t, degree, [&](int i) {
            if (i < 0 || static_cast<std::size_t>(i) >= coefficients.size()) Raise(ErrorNumber::SubscriptOutOfRange);
            return coefficients[static_cast<std::size_t>(i)];
        });
        const double y = BackTransform(fitted, transforms.yLog, transforms.yRecip);
        return {true, FormatGeneral(y), y};
    } catch (const RuntimeError& error) {
        return {false, "この値では計算できません。\n" + error.Description()};
    }
}

}  // namespace kurvo
