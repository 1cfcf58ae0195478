// The document title and variable titles: what the title dialog shows and
// what its OK stores, and names offered by a paste.
#include <algorithm>

#include "window/app.h"

namespace kurvo {

TitleTexts App::BeginTitleEdit() {
    session_.int_DialogOK = kFalse;
    return CurrentTitles();
}

TitleTexts App::CurrentTitles() const {
    TitleTexts texts;
    texts.title = session_.str_Title;
    for (int k = 1; k <= kMaxVariables; ++k)
        texts.variables[static_cast<std::size_t>(k - 1)] = k <= session_.int_VarCount ? session_.str_VarTitle(k) : "";
    return texts;
}

std::string RepeatedName(const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty() && std::find(names.begin() + static_cast<std::ptrdiff_t>(i) + 1, names.end(), names[i]) != names.end())
            return names[i];
    return {};
}

bool App::ApplyTitles(const TitleTexts& texts) {
    // Two columns of one name could not be told apart in the method grid.
    if (const std::string name = RepeatedName({texts.variables.begin(), texts.variables.end()}); !name.empty()) {
        views_.dialogs.ShowMessage("変数名「" + name + "」が二つの列に付いています。列ごとに別の名前にしてください。");
        return false;
    }
    session_.str_Title = texts.title;
    // A column without a title keeps its letter, in the heading and in the lists.
    for (int k = 1; k <= kMaxVariables; ++k) session_.str_VarTitle(k) = texts.variables[static_cast<std::size_t>(k - 1)];
    const std::string list = VariableList(session_, kMaxVariables);
    for (int k = 1; k <= kMaxVariables; ++k) views_.spdData.SetText(k, 0, ColumnName(session_, k, kMaxVariables));
    IGrid& methodGrid = views_.spdSpec;
    for (int r = 1; r <= kMaxCombinations; ++r) {
        for (int col : {kColYVar, kColXVar}) {
            if (r <= session_.int_CombCount) {
                // The combination keeps its variable: the same position shows the new title.
                const int index = methodGrid.SelectedIndex(col, r);
                methodGrid.SetItemList(col, r, list);
                methodGrid.SetSelectedIndex(col, r, index);
            } else {
                methodGrid.SetItemList(col, r, list);
            }
        }
    }
    session_.int_DialogOK = kTrue;
    return true;
}

bool App::OfferVariableNames(const std::vector<std::string>& names, int firstCol) {
    if (views_.dialogs.Message({"1 行目は変数名のようです。変数名として使いますか？", MsgButtons::YesNo, MsgIcon::Question,
                                {}, false}) != MsgAnswer::Yes)
        return false;
    // The other columns keep the names their headings show.
    TitleTexts texts = CurrentTitles();
    for (int k = 1; k <= kMaxVariables; ++k) {
        const std::string heading = views_.spdData.Text(k, 0);
        texts.variables[static_cast<std::size_t>(k - 1)] = heading == std::string(1, static_cast<char>('A' + k - 1)) ? "" : heading;
    }
    for (std::size_t j = 0; j < names.size() && firstCol - 1 + j < texts.variables.size(); ++j)
        texts.variables[firstCol - 1 + j] = names[j];
    return ApplyTitles(texts);
}

}  // namespace kurvo
