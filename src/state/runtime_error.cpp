#include "state/runtime_error.h"

namespace kurvo {

std::string RuntimeError::StandardDescription(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::InvalidArgument: return "プロシージャの呼び出し、または引数が不正です。";
    case ErrorNumber::Overflow: return "オーバーフローしました。";
    case ErrorNumber::SubscriptOutOfRange: return "インデックスが有効範囲にありません。";
    case ErrorNumber::DivisionByZero: return "0 で除算しました。";
    case ErrorNumber::DialogCancelled: return "[キャンセル] が選択されました。";
    case ErrorNumber::PivotTooSmall: return "最小自乗法でPivotが1E-10になった。推算を中止する。";
    case ErrorNumber::FileFormat: return "データファイルを読み込めませんでした。";
    case ErrorNumber::FileWrite: return "データファイルを書き込めませんでした。";
    case ErrorNumber::NoCombination: return "推算方法の従属変数と独立変数を指定してください。";
    case ErrorNumber::NoPrinter: return "プリンターが使えません。";
    case ErrorNumber::CoefficientsBeyondPrecision:
        return "この次数の式は、Xのべき乗の係数を倍精度の数で表すと桁が足りず、最小自乗法の結果を再現できません。\n"
               "Xから一定の値を引く（西暦なら1990年からの年数にするなど）か、次数を下げてください。";
    }
    return "アプリケーション定義またはオブジェクト定義のエラーです。";
}

}  // namespace kurvo
