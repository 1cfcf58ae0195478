#include "window/app.h"

namespace kurvo {

App::App(const Views& views) : views_(views) {
    views_.SSTab1.SetChangeHandler([this] { OnTabChanged(); });
}

std::string DefaultVariableList() { return "A\tB\tC\tD\tE"; }

std::string ColumnName(const Session& session, int i, int count) {
    if (i <= count && !session.str_VarTitle(i).empty()) return session.str_VarTitle(i);
    return std::string(1, static_cast<char>('A' + i - 1));
}

std::string VariableList(const Session& session, int count) {
    std::string list;
    for (int i = 1; i <= kMaxVariables; ++i) {
        if (i > 1) list += '\t';
        list += ColumnName(session, i, count);
    }
    return list;
}

void App::StartUp() {
    session_.int_Estimated = kFalse;
    views_.SSTab1.SelectPage(0);
    for (int c = 1; c <= kMaxCombinations; ++c) {
        session_.int_Degree(c) = 2;
        session_.int_XLog(c) = 0;
        session_.int_XRecip(c) = 0;
        session_.int_YLog(c) = 0;
        session_.int_YRecip(c) = 0;
    }
    InitSheets();
    MarkSettled();
}

void App::New() {
    InitSheets();
    session_.str_Title.clear();
    for (int i = 1; i <= kMaxVariables; ++i) session_.str_VarTitle(i).clear();
    MarkSettled();
}

void App::NewCommand() {
    if (ConfirmReplace()) New();
}

void App::ExampleCommand(int number) {
    if (ConfirmReplace()) LoadExample(number);
}

void App::InitSheets() {
    documentFile_.clear();
    tableFile_.clear();
    fits_ = {};
    refused_ = {};
    views_.spdData.ClearSheet();
    for (IGrid* grid : views_.spdEstimate) grid->ClearSheet();
    views_.spdCoeff.ClearSheet();
    session_.int_Estimated = kFalse;
    views_.SSTab1.SelectPage(0);
    views_.picGraph.Clear();

    const std::string list = DefaultVariableList();
    views_.spdSpec.ClearSheet();
    for (int c = 1; c <= kMaxCombinations; ++c) {
        views_.spdSpec.SetItemList(kColYVar, c, list);
        views_.spdSpec.SetItemList(kColXVar, c, list);
        views_.spdSpec.SetText(kColDegree, c, "2");
        session_.int_XVar(c) = 1;
        session_.int_YVar(c) = static_cast<std::int16_t>(c + 1);
    }
    for (int k = 1; k <= kMaxVariables; ++k) views_.spdData.SetText(k, 0, std::string(1, static_cast<char>(64 + k)));
}

void App::OnTabChanged() {
    if (changingPage_) return;
    if (const Failure failure = ShowPage(views_.SSTab1.SelectedPage())) ReportError(failure->Description());
}

Failure App::ShowPage(int page) {
    if (page == 0) return std::nullopt;
    views_.lblEquation.SetEquation(page - 1, "");
    if (page > session_.int_CombCount || !session_.int_Estimated) return std::nullopt;
    session_.int_Comb = static_cast<std::int16_t>(page - 1);
    if (Refused(page)) {
        // Refused in the last run: nothing to show, nothing to draw.
        views_.picGraph.Clear();
        return std::nullopt;
    }
    if (Failure failure = FillResultSheets(session_.int_Comb)) return failure;
    return DrawShown(false);
}

Failure App::ShowCombination(int number) { return ShowPage(number); }

Transforms TransformsOf(const Session& s, int c) { return {s.int_YLog(c), s.int_YRecip(c), s.int_XLog(c), s.int_XRecip(c)}; }

Failure App::DrawShown(bool toPrinter) {
    const Transforms t = TransformsOf(session_, session_.int_Comb + 1);
    return Draw(session_.int_Comb, toPrinter, t.xLog, t.yLog, t.xRecip, t.yRecip);
}

void App::RedrawShownGraph() {
    if (const Failure failure = DrawShown(false)) ReportError(failure->Description());
}

void App::PrintShownGraph() {
    // The graph belongs to the document's last estimation: after New, Open or
    // an example there is none until the estimate button makes one.
    if (!session_.int_Estimated) {
        ReportError(kNothingToPrintMessage);
        return;
    }
    const Failure printed = DrawShown(true);
    if (printed) ReportError(printed->Description());
    // The same fault on the screen has just been told.
    const Failure shown = DrawShown(false);
    if (shown && !printed) ReportError(shown->Description());
}

void App::ReportError(const std::string& text) { views_.dialogs.ShowMessage(text); }

}  // namespace kurvo
