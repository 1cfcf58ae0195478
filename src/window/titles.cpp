// The document title and variable titles: what the title dialog shows and
// what its OK stores, and names offered by a paste.
#include "window/app.h"

namespace kurvo {

TitleTexts App::BeginTitleEdit() {
    session.int_DialogOK = kFalse;
    return CurrentTitles();
}

TitleTexts App::CurrentTitles() const {
    TitleTexts texts;
    texts.title = session.str_Title;
    for (int k = 1; k <= kMaxVariables; ++k)
        texts.variables[static_cast<std::size_t>(k - 1)] = k <= session.int_VarCount ? session.str_VarTitle(k) : "";
    return texts;
}

void App::ApplyTitles(const TitleTexts& texts) {
    session.str_Title = texts.title;
    std::string list;
    for (int k = 1; k <= kMaxVariables; ++k) {
        session.str_VarTitle(k) = texts.variables[static_cast<std::size_t>(k - 1)];
        views_.spdData.SetText(k, 0, session.str_VarTitle(k));
        list += session.str_VarTitle(k);
        if (k < kMaxVariables) list += '\t';
    }
    IGrid& methodGrid = views_.spdSpec;
    for (int r = 1; r <= kMaxCombinations; ++r) {
        for (int col : {kColYVar, kColXVar}) {
            if (r <= session.int_CombCount) {
                // The combination keeps its variable: the same position shows the new title.
                const int index = methodGrid.SelectedIndex(col, r);
                methodGrid.SetItemList(col, r, list);
                methodGrid.SetSelectedIndex(col, r, index);
            } else {
                methodGrid.SetItemList(col, r, list);
            }
        }
    }
    session.int_DialogOK = kTrue;
}

bool App::OfferVariableNames(const std::vector<std::string>& names, int firstCol) {
    if (views_.dialogs.Message({"1 行目は変数名のようです。変数名として使いますか？", MsgButtons::YesNo, MsgIcon::Question,
                                {}, false}) != MsgAnswer::Yes)
        return false;
    TitleTexts texts = CurrentTitles();
    for (std::size_t j = 0; j < names.size() && firstCol - 1 + j < texts.variables.size(); ++j)
        texts.variables[firstCol - 1 + j] = names[j];
    ApplyTitles(texts);
    return true;
}

}  // namespace kurvo
