#include "window/document.h"

#include <algorithm>

#include "io/table_file.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

constexpr const char* kSavedMessage = "保存しました。";
constexpr const char* kUnsavedQuestion = "現在のデータは保存されていません。保存しますか？";

// A combo cell takes a text that need not be among its items.
void PutComboText(IGrid& grid, int col, int row, const std::string& text) {
    grid.SetText(col, row, text);
}

// The results of the last run for the `written` combinations of the file: one
// entry each, so that every coefficient line has one field per combination.
// The method grid may have gained or lost rows since the run; a combination
// the run did not reach has no coefficients (blank fields) and no estimate
// block.  Every combination of the run is evaluated on the data as they are
// now, written or not, as its sheet would be refilled.
Results CaptureResults(const App& app, const Session& s, int written) {
    const int combinations = std::clamp<int>(s.int_CombCount, 0, kMaxCombinations);
    const int withResults = std::min(combinations, written);

    Results results;
    results.highestPower = -1;
    for (int c = 1; c <= withResults; ++c)
        results.highestPower = std::max(results.highestPower, std::min<int>(s.int_Degree(c), kMaxDegree));

    results.combinations.resize(static_cast<std::size_t>(written));
    for (int c = 1; c <= withResults; ++c) {
        if (app.Refused(c)) continue;  // refused by the last run: no results
        for (int p = 0; p <= std::min<int>(s.int_Degree(c), kMaxDegree); ++p)
            results.combinations[static_cast<std::size_t>(c - 1)].coefficients.push_back(s.dbl_Coeff(c, p));
    }
    for (int c = 1; c <= combinations; ++c) {
        if (app.Refused(c)) continue;
        const FitReport report = app.RefreshedFit(c - 1);
        if (report.failure) throw *report.failure;
        if (c > withResults) continue;
        for (const SampleEstimate& e : report.estimates)
            results.combinations[static_cast<std::size_t>(c - 1)].lines.push_back(
                {FormatGeneral(e.x), FormatGeneral(e.measured), FormatGeneral(e.fitted), FormatGeneral(e.error),
                 FormatPercent(e.percent)});
    }
    return results;
}

std::string DataText(const Views& views, const std::optional<CellText>& typing, int col, int row) {
    return typing && typing->col == col && typing->row == row ? typing->text : views.spdData.Text(col, row);
}

MsgAnswer Ask(IUserDialogs& dialogs, const std::string& question) {
    return dialogs.Message({question, MsgButtons::YesNoCancel, MsgIcon::Question, {}, false});
}

}  // namespace

GridCounts CountGrids(const Views& views, const std::optional<CellText>& typing) {
    const IGrid& data = views.spdData;
    const IGrid& methodGrid = views.spdSpec;
    const int lastRow = std::min(data.Rows(), kMaxSamples);
    const int lastColumn = std::min(data.Columns(), kMaxVariables);
    GridCounts counts;
    for (int r = 1; r <= lastRow; ++r)
        for (int col = 1; col <= lastColumn; ++col)
            if (!DataText(views, typing, col, r).empty()) {
                counts.rows = r;
                counts.variables = std::max(counts.variables, col);
            }
    while (counts.combinations < std::min(methodGrid.Rows(), kMaxCombinations) &&
           !methodGrid.Text(kColYVar, counts.combinations + 1).empty())
        ++counts.combinations;
    return counts;
}

Document CaptureContent(const App& app, const std::optional<CellText>& typing) {
    const Session& s = app.session_;
    const Views& views = app.views();
    const GridCounts counts = CountGrids(views, typing);

    Document d;
    d.title = s.str_Title;
    for (int i = 1; i <= counts.variables; ++i) d.variableTitles.push_back(s.str_VarTitle(i));
    for (int r = 1; r <= counts.combinations; ++r) {
        MethodRow row;
        for (int col = 1; col <= 7; ++col) row.cells[static_cast<std::size_t>(col - 1)] = views.spdSpec.Text(col, r);
        d.methods.push_back(std::move(row));
    }
    for (int r = 1; r <= counts.rows; ++r) {
        std::vector<std::string> cells;
        for (int col = 1; col <= counts.variables; ++col) cells.push_back(DataText(views, typing, col, r));
        d.rows.push_back(std::move(cells));
    }
    return d;
}

Document CaptureDocument(const App& app) {
    Document d = CaptureContent(app);
    if (app.session_.int_Estimated) d.results = CaptureResults(app, app.session_, static_cast<int>(d.methods.size()));
    return d;
}

void App::MarkSettled() {
    settled_ = std::make_shared<const Document>(CaptureContent(*this));
    if (settledHandler_) settledHandler_();
}

std::optional<Document> App::UnsavedContent(const std::optional<CellText>& typing) const {
    Document now = CaptureContent(*this, typing);
    if (settled_ ? now == *settled_ : now == Document{}) return std::nullopt;
    return now;
}

bool App::HasUnsavedChanges() const { return UnsavedContent().has_value(); }

std::optional<Document> RestoreDocument(App& app, const Document& document, const DocumentOrigin& origin) {
    ApplyDocument(app, document);
    app.SetOrigin(origin);
    return app.UnsavedContent();
}

bool AcceptLostCharacters(const App& app, IUserDialogs& dialogs) {
    // The file is Shift-JIS: only a deliberate はい writes what it cannot hold as "?".
    const std::string lacking = DocumentLacks(CaptureContent(app));
    if (lacking.empty()) return true;
    const std::string question =
        "次の文字は Shift-JIS のファイルに保存できないため「?」になります: " + lacking + "\nこのまま保存しますか？";
    return dialogs.Message({question, MsgButtons::YesNo, MsgIcon::Question, {}, true}) == MsgAnswer::Yes;
}

int VariableOfTitle(const Session& session, int count, const std::string& text) {
    for (int v = 1; v <= count; ++v)
        if (session.str_VarTitle(v) == text) return v;
    return 0;
}

void ApplyDocument(App& app, const Document& d) {
    Session& s = app.session_;
    const Views& views = app.views();
    IGrid& methodGrid = views.spdSpec;
    IGrid& data = views.spdData;
    const int n = static_cast<int>(d.rows.size());
    const int m = static_cast<int>(d.variableTitles.size());
    const int k = static_cast<int>(d.methods.size());

    app.InitSheets();

    s.int_DataCount = static_cast<std::int16_t>(n);
    s.int_VarCount = static_cast<std::int16_t>(m);
    s.int_CombCount = static_cast<std::int16_t>(k);
    s.str_Title = d.title;
    for (int i = 1; i <= m; ++i) s.str_VarTitle(i) = d.variableTitles[static_cast<std::size_t>(i - 1)];

    for (int i = 1; i <= m; ++i) data.SetText(i, 0, ColumnName(s, i, m));
    const std::string list = VariableList(s, m);
    for (int r = 1; r <= kMaxCombinations; ++r) {
        methodGrid.SetItemList(kColYVar, r, list);
        methodGrid.SetItemList(kColXVar, r, list);
    }

    for (int i = 1; i <= k; ++i) {
        const MethodRow& row = d.methods[static_cast<std::size_t>(i - 1)];
        PutComboText(methodGrid, kColYVar, i, row.cells[0]);
        methodGrid.SetInteger(kColYLog, i, row.yLog);
        methodGrid.SetInteger(kColYRecip, i, row.yRecip);
        s.int_YLog(i) = row.yLog;
        s.int_YRecip(i) = row.yRecip;
        s.int_YVar(i) = static_cast<std::int16_t>(VariableOfTitle(s, m, row.cells[0]));

        PutComboText(methodGrid, kColXVar, i, row.cells[3]);
        methodGrid.SetInteger(kColXLog, i, row.xLog);
        methodGrid.SetInteger(kColXRecip, i, row.xRecip);
        methodGrid.SetInteger(kColDegree, i, row.degree);
        s.int_XLog(i) = row.xLog;
        s.int_XRecip(i) = row.xRecip;
        s.int_Degree(i) = row.degree;
        s.int_XVar(i) = static_cast<std::int16_t>(VariableOfTitle(s, m, row.cells[3]));
    }

    for (int i = 1; i <= n; ++i) {
        const std::vector<std::string>& cells = d.rows[static_cast<std::size_t>(i - 1)];
        for (int col = 1; col <= m && col <= static_cast<int>(cells.size()); ++col)
            data.SetText(col, i, cells[static_cast<std::size_t>(col - 1)]);
    }
}

Failure App::Save(const std::string& name) {
    try {
        const Document document = CaptureDocument(*this);
        // Every sheet and statistic follows the data as the file has them,
        // the shown combination's last, so that its working state is loaded.
        if (session_.int_Estimated && session_.int_Comb >= 0 && session_.int_Comb < session_.int_CombCount) {
            for (int c = 1; c <= session_.int_CombCount; ++c) {
                const int k = c == session_.int_CombCount ? session_.int_Comb : (c - 1 < session_.int_Comb ? c - 1 : c);
                if (Refused(k + 1)) continue;
                if (Failure failure = FillResultSheets(k)) return failure;
            }
        }
        WriteDocumentFile(name, document);
    } catch (const RuntimeError& error) {
        return error;
    }
    documentFile_ = name;
    tableFile_.clear();
    MarkSettled();
    return std::nullopt;
}

Failure App::Open(const std::string& name) {
    OpenedFile opened;
    try {
        opened = ReadOpenedFile(name);
    } catch (const RuntimeError& error) {
        return error;
    }
    ApplyDocument(*this, opened.document);
    (opened.table ? tableFile_ : documentFile_) = name;
    MarkSettled();
    if (opened.table) {
        const std::size_t rows = opened.document.rows.size(), columns = opened.document.variableTitles.size();
        std::string status = "表の " + std::to_string(rows) + " 行 × " + std::to_string(columns) + " 列を読み込みました。";
        if (opened.notNumbers > 0)
            status += "読み込んだセルのうち " + std::to_string(opened.notNumbers) + " 個は数値ではありません。";
        views_.dialogs.ShowStatus(status);
    }
    return std::nullopt;
}

void App::SetOrigin(const DocumentOrigin& origin) {
    (origin.table ? tableFile_ : documentFile_) = origin.file;
    if (settledHandler_) settledHandler_();
}

DocumentOrigin App::Origin() const {
    return tableFile_.empty() ? DocumentOrigin{documentFile_, false} : DocumentOrigin{tableFile_, true};
}

bool App::ConfirmReplace() {
    if (!HasUnsavedChanges()) return true;
    switch (Ask(views_.dialogs, kUnsavedQuestion)) {
    case MsgAnswer::Yes: return SaveInPlaceCommand();
    case MsgAnswer::No: return true;
    default: return false;
    }
}

bool App::SaveCommand() {
    // Only a file this program wrote or read as its own is offered: never a
    // table or another file the user chose elsewhere.
    const std::optional<std::string> chosen =
        views_.dialogs.ChooseFile({kDataFileFilter, kDataFileExtension, documentFile_});
    if (!chosen) {
        ReportError(RuntimeError::StandardDescription(ErrorNumber::DialogCancelled));
        return false;
    }
    const std::string name = *chosen;
    if (HoldsOtherData(name)) {
        const MessageRequest question{"[ " + name + " ] は『Kurvo』のデータではありません。上書きしますか？",
                                      MsgButtons::YesNo, MsgIcon::Question, {}, true};
        if (views_.dialogs.Message(question) != MsgAnswer::Yes) return false;
    } else if (Ask(views_.dialogs, "[ " + name + " ] に保存します？") != MsgAnswer::Yes) {
        return false;
    }
    if (!AcceptLostCharacters(*this, views_.dialogs)) return false;
    if (const Failure failure = Save(name)) {
        ReportError(failure->Description());
        return false;
    }
    views_.dialogs.ShowMessage(kSavedMessage);
    return true;
}

bool App::SaveInPlaceCommand() {
    if (documentFile_.empty()) return SaveCommand();
    const std::string name = documentFile_;
    if (!AcceptLostCharacters(*this, views_.dialogs)) return false;
    if (const Failure failure = Save(name)) {
        ReportError(failure->Description());
        return false;
    }
    views_.dialogs.ShowStatus("[ " + name + " ] に保存しました。");
    return true;
}

void App::OpenCommand() {
    if (!ConfirmReplace()) return;
    const std::optional<std::string> chosen =
        views_.dialogs.ChooseFile({kOpenFilter, kDataFileExtension, window.str_FileName});
    if (!chosen || chosen->empty()) return;
    window.str_FileName = *chosen;
    if (Ask(views_.dialogs, "[ " + *chosen + " ] を読み込みます？") != MsgAnswer::Yes) return;
    if (const Failure failure = Open(*chosen)) return ReportError(failure->Description());
    WarnOfRepeatedNames();
}

void App::WarnOfRepeatedNames() {
    // A file written elsewhere may name two columns alike; the run refuses them until one is renamed.
    std::vector<std::string> names;
    for (int i = 1; i <= kMaxVariables; ++i) names.push_back(ColumnName(session_, i, session_.int_VarCount));
    if (const std::string repeated = RepeatedName(names); !repeated.empty())
        views_.dialogs.ShowMessage("変数名「" + repeated + "」が二つ以上の列に付いています。推算の前に、変数名の設定で列ごとに別の名前にしてください。");
}

void App::OpenFile(const std::string& name, bool ask) {
    window.str_FileName = name;
    // With unsaved changes, the answer about them stands for the question whether to read the file.
    if (HasUnsavedChanges()) {
        if (!ConfirmReplace()) return;
    } else if (ask && Ask(views_.dialogs, "[ " + name + " ] を読み込みます？") != MsgAnswer::Yes) {
        return;
    }
    if (const Failure failure = Open(name)) return ReportError(failure->Description());
    WarnOfRepeatedNames();
}

}  // namespace kurvo
