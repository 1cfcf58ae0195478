#include "app/batch.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "io/data_file.h"
#include "io/file_access.h"
#include "state/runtime_error.h"
#include "fit/calculate_value.h"
#include "state/numbers.h"
#include "window/document.h"
#include "window/headless.h"
#include "window/degrees.h"
#include "window/statistics.h"

namespace kurvo {
namespace {

constexpr const char* kProgram = "kurvo-batch";

struct BatchOptions {
    std::string inputFile;
    int example = 0;
    std::optional<std::string> output;
    bool help = false;
    std::optional<std::string> graph;
    std::optional<std::string> residuals;  // the residual graph's image
    std::optional<int> combination;
    bool stats = false;
    std::optional<std::string> statsOutput;
    std::vector<double> at;  // the X values of --at
    bool degrees = false;    // the degree table of combination --comb
    ConfidenceLevel level = ConfidenceLevel::Percent95;
    bool confidenceBand = false, predictionBand = false;
    std::optional<std::pair<std::string, std::string>> xRange, yRange;  // LOW and HIGH of --xrange, --yrange

    bool WithTables() const { return stats || !at.empty() || degrees; }
    // Without -o the document goes to standard output only when nothing else was asked for.
    bool DocumentToStandardOutput() const { return !output && !WithTables() && !graph && !residuals; }
    bool WritesDocument() const { return output || DocumentToStandardOutput(); }
};

// LOW:HIGH of --xrange or --yrange, two numbers; the axis checks them later,
// as the range dialog does.
std::optional<std::pair<std::string, std::string>> RangeOf(const std::string& option, const std::string& text,
                                                           std::string& problem) {
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        std::pair<std::string, std::string> ends(text.substr(0, colon), text.substr(colon + 1));
        if (NumericValue(ends.first) && NumericValue(ends.second)) return ends;
    }
    problem = option + " は 下限:上限 の二つの数で指定してください: " + text;
    return std::nullopt;
}

// The options, or the reason the command line is wrong.
std::optional<BatchOptions> ParseArguments(const std::vector<std::string>& arguments, std::string& problem) {
    BatchOptions options;
    bool haveInput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](const char* option) -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                problem = std::string(option) + " の後に値がありません。";
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--example") {
            const auto n = value("--example");
            if (!n) return std::nullopt;
            if (*n != "1" && *n != "2" && *n != "3" && *n != "4") {
                problem = "例題の番号は 1 から 4 です: " + *n;
                return std::nullopt;
            }
            if (haveInput) {
                problem = "読み込むものは一つだけ指定してください。";
                return std::nullopt;
            }
            options.example = (*n)[0] - '0';
            haveInput = true;
        } else if (a == "-o" || a == "--output") {
            const auto out = value(a.c_str());
            if (!out) return std::nullopt;
            if (out->empty()) {
                problem = "出力ファイル名が空です。";
                return std::nullopt;
            }
            options.output = *out;
        } else if (a == "--graph" || a == "--residuals") {
            const auto file = value(a.c_str());
            if (!file) return std::nullopt;
            if (!GraphImageFormatOf(*file)) {
                problem = kGraphFormatMessage + *file;
                return std::nullopt;
            }
            (a == "--graph" ? options.graph : options.residuals) = *file;
        } else if (a == "--comb") {
            const auto n = value("--comb");
            if (!n) return std::nullopt;
            if (*n != "1" && *n != "2" && *n != "3" && *n != "4") {
                problem = "組合せの番号は 1 から 4 です: " + *n;
                return std::nullopt;
            }
            options.combination = (*n)[0] - '0';
        } else if (a == "--stats") {
            options.stats = true;
        } else if (a == "--degrees") {
            options.degrees = true;
        } else if (a == "--stats-out") {
            const auto file = value("--stats-out");
            if (!file) return std::nullopt;
            if (file->empty()) {
                problem = "--stats-out のファイル名が空です。";
                return std::nullopt;
            }
            options.statsOutput = *file;
        } else if (a == "--at") {
            const auto x = value("--at");
            if (!x) return std::nullopt;
            const std::optional<double> number = NumericValue(*x);
            if (!number) {
                problem = "--at の値が数値ではありません: " + *x;
                return std::nullopt;
            }
            options.at.push_back(*number);
        } else if (a == "--level") {
            const auto level = value("--level");
            if (!level) return std::nullopt;
            if (*level != "90" && *level != "95" && *level != "99") {
                problem = "--level は 90, 95, 99 のどれかです: " + *level;
                return std::nullopt;
            }
            options.level = static_cast<ConfidenceLevel>(std::stoi(*level));
        } else if (a == "--band") {
            const auto band = value("--band");
            if (!band) return std::nullopt;
            if (*band != "confidence" && *band != "prediction" && *band != "both") {
                problem = "--band は confidence, prediction, both のどれかです: " + *band;
                return std::nullopt;
            }
            options.confidenceBand = *band != "prediction";
            options.predictionBand = *band != "confidence";
        } else if (a == "--xrange" || a == "--yrange") {
            const auto text = value(a.c_str());
            if (!text) return std::nullopt;
            auto range = RangeOf(a, *text, problem);
            if (!range) return std::nullopt;
            (a == "--xrange" ? options.xRange : options.yRange) = std::move(range);
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "知らないオプションです: " + a;
            return std::nullopt;
        } else {
            if (haveInput) {
                problem = "読み込むものは一つだけ指定してください。";
                return std::nullopt;
            }
            options.inputFile = a;
            haveInput = true;
        }
    }
    if (!options.help && !haveInput) {
        problem = "データファイルか --example N を指定してください。";
        return std::nullopt;
    }
    if (options.combination && !options.graph && !options.residuals && !options.degrees) {
        problem = "--comb は --graph、--residuals か --degrees と一緒に指定してください。";
        return std::nullopt;
    }
    if ((options.xRange || options.yRange) && !options.graph && !options.residuals) {
        problem = "--xrange と --yrange は --graph か --residuals と一緒に指定してください。";
        return std::nullopt;
    }
    if ((options.confidenceBand || options.predictionBand) && !options.graph) {
        problem = "--band は --graph と一緒に指定してください。";
        return std::nullopt;
    }
    if (options.statsOutput && !options.WithTables()) {
        problem = "--stats-out は --stats、--at か --degrees と一緒に指定してください。";
        return std::nullopt;
    }
    // No two outputs may be one file.
    const std::optional<std::string>* outputs[] = {&options.output, &options.graph, &options.residuals,
                                                   &options.statsOutput};
    for (std::size_t i = 0; i < std::size(outputs); ++i)
        for (std::size_t j = i + 1; j < std::size(outputs); ++j)
            if (*outputs[i] && *outputs[j] && SameFile(**outputs[i], **outputs[j])) {
                problem = "出力先に同じファイルが二度指定されています: " + **outputs[j];
                return std::nullopt;
            }
    // Nor may an output replace the file read.
    for (const std::optional<std::string>* output : outputs)
        if (*output && !options.inputFile.empty() && SameFile(**output, options.inputFile)) {
            problem = "出力先が読み込むファイルと同じです: " + **output;
            return std::nullopt;
        }
    return options;
}

void ReportTo(std::ostream& err, const std::string& message) { err << kProgram << ": " << message << '\n'; }

// The tables of --stats and --at, TAB-separated with a heading row each, in
// UTF-8: every coefficient of every estimated combination with its figures
// and the fit's n, degrees of freedom, s, R² and adjusted R², the equation
// fitted and the result grid's four statistics; the value and
// both intervals of every combination at every X of --at.
std::string FigureTables(const App& app, const BatchOptions& options) {
    const auto line = [](const std::vector<std::string>& fields) {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) text += (i > 0 ? "\t" : "") + fields[i];
        return text + "\n";
    };
    const NumberForm form = [](double v) { return FormatGeneral(v); };
    std::string text;
    if (options.stats) {
        std::vector<std::string> heading = {"組合せ", "項"};
        for (const std::string& column : CoefficientColumns(options.level)) heading.push_back(column);
        for (const char* column : {"n", "自由度", "s", "R²", "調整済み R²", "式", "残差平方和", "標準誤差", "重相関係数", "相対誤差"})
            heading.emplace_back(column);
        text += line(heading);
        for (int c = 1; c <= app.CombinationCount(); ++c) {
            const std::optional<FitFigures> figures = app.Figures(c);
            if (!figures) continue;
            const auto known = [&](const std::optional<double>& v) {
                return figures->available ? FigureText(v, form) : std::string(kNoFigure);
            };
            // The result grid's four statistics, in measured units, as the window computes them.
            const std::optional<FitStatistics> sheet = app.RefreshedFit(c - 1).statistics;
            const std::vector<std::string> grid =
                sheet ? std::vector<std::string>{form(sheet->squares), FigureText(sheet->standardError, form),
                                                 FigureText(sheet->correlation, form), form(sheet->relativeError)}
                      : std::vector<std::string>(4, kNoFigure);
            for (std::size_t j = 0; j < figures->coefficients.size(); ++j) {
                std::vector<std::string> row = {"Y" + std::to_string(c), "C" + std::to_string(j)};
                for (std::string& field : CoefficientRow(*figures, j, form)) row.push_back(std::move(field));
                row.push_back(std::to_string(figures->n));
                row.push_back(std::to_string(figures->degreesOfFreedom));
                row.push_back(known(figures->s));
                row.push_back(known(figures->rSquared));
                row.push_back(known(figures->adjustedRSquared));
                row.push_back(app.FittedForm(c));
                row.insert(row.end(), grid.begin(), grid.end());
                text += line(row);
            }
        }
    }
    if (!options.at.empty()) {
        if (!text.empty()) text += "\n";
        const std::string confidence = IntervalName(false, options.level), prediction = IntervalName(true, options.level);
        text += line({"組合せ", "X", "推算値", confidence + "の下限", confidence + "の上限", prediction + "の下限",
                      prediction + "の上限"});
        for (int c = 1; c <= app.CombinationCount(); ++c) {
            const std::optional<FitFigures> figures = app.Figures(c);
            if (!figures) continue;
            for (const double x : options.at) {
                std::vector<std::string> row = {"Y" + std::to_string(c), FormatGeneral(x)};
                const std::optional<BandAt> band = app.BandsAt(c, *figures, x);
                const BandEnds none;  // no band: every end reads "—"
                const BandEnds& confidenceEnds = band ? band->confidence : none;
                const BandEnds& predictionEnds = band ? band->prediction : none;
                const CalculatedValue value = app.CalculateValueOf(c, FormatGeneral(x));
                row.push_back(value.ok ? value.text : std::string(kNoFigure));
                for (const BandEnds* ends : {&confidenceEnds, &predictionEnds}) {
                    row.push_back(FigureText(ends->lower, form));
                    row.push_back(FigureText(ends->upper, form));
                }
                text += line(row);
            }
        }
    }
    if (options.degrees) {
        if (!text.empty()) text += "\n";
        text += line(DegreeColumns());
        const DegreeComparison comparison = app.CompareDegreesOf(options.combination.value_or(1));
        if (comparison.failure) throw *comparison.failure;
        const NumberForm full = [](double v) { return FormatShortest(v); };
        for (const DegreeRow& row : comparison.rows) text += line(DegreeRowTexts(row, full));
    }
    return text;
}

// Nobody is there to answer: every question is declined, no file is chosen,
// and a message goes to the error stream.
class UnattendedDialogs : public IUserDialogs {
public:
    explicit UnattendedDialogs(std::ostream& err) : err_(err) {}
    MsgAnswer Message(const MessageRequest& request) override {
        if (request.buttons == MsgButtons::Ok) {
            ReportTo(err_, request.text);
            return MsgAnswer::Ok;
        }
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

// Shows combination `number` as selecting its page does and draws its graph
// (its fitted or its residual graph, as the window is set) the way the image
// format asks for: the screen graph for PNG, the printed page for SVG and
// PDF.  Returns the drawing, or the reason there is none.
// The range of --xrange and --yrange is set as the range dialog sets it; a
// range it refuses is a wrong command line (`refused`).
std::optional<GraphImage> DrawGraphImage(HeadlessWindow& window, const BatchOptions& options, GraphImageFormat format,
                                         std::string& problem, bool& refused) {
    App& app = window.app;
    const int number = options.combination.value_or(1);
    if (number > app.CombinationCount()) {
        problem = "組合せ " + std::to_string(number) + " は推算されていません（推算した組合せは " +
                  std::to_string(app.CombinationCount()) + " 個）。";
        return std::nullopt;
    }
    // Shown even when it is shown already: its sheet is refilled, which loads
    // its working state again, and the screen graph is redrawn.
    Failure failure = app.ShowCombination(number);
    if (!failure && (options.xRange || options.yRange)) {
        RangeTexts texts = app.BeginRangeChange();
        if (options.xRange) texts[0] = options.xRange->first, texts[1] = options.xRange->second;
        if (options.yRange) texts[2] = options.yRange->first, texts[3] = options.yRange->second;
        const RangeOutcome outcome = app.ChangeGraphRange(texts, {options.xRange.has_value(), options.yRange.has_value()});
        if (!outcome.stored) {
            const std::string option = options.xRange && options.yRange ? "--xrange, --yrange" : options.xRange ? "--xrange" : "--yrange";
            problem = option + " の範囲は使えません: " + (outcome.message.empty() ? outcome.refusal : outcome.message);
            refused = true;
            return std::nullopt;
        }
        failure = app.DrawShown(false);
    }
    GraphImage image;
    image.format = format;
    if (format == GraphImageFormat::Png) {
        image.calls = &window.graph.Calls();
        image.width = window.graph.Width();
        image.height = window.graph.Height();
    } else if (!failure) {
        failure = app.DrawShown(true);
        image.calls = &window.printer.Calls();
        image.width = window.printer.Width();
        image.height = window.printer.Height();
    }
    if (failure) {
        problem = failure->Description();
        return std::nullopt;
    }
    return image;
}

}  // namespace

std::string BatchUsage() {
    return "使い方: kurvo-batch FILE [-o OUT]\n"
           "        kurvo-batch --example N [-o OUT]\n"
           "        kurvo-batch FILE | --example N [--graph IMAGE] [--residuals IMAGE] [--comb K] [--band B]\n"
           "                    [--xrange LOW:HIGH] [--yrange LOW:HIGH] [-o OUT]\n"
           "        kurvo-batch FILE | --example N [--stats] [--at X]... [--level L] [--stats-out F] [-o OUT]\n"
           "        kurvo-batch FILE | --example N --degrees [--comb K] [--stats-out F] [-o OUT]\n"
           "\n"
           "データファイル FILE か例題 N を読み込み、推算ボタンと同じ推算をして、\n"
           "結果を含む文書をデータファイルの形式 (Shift-JIS, CR LF) で書き出します。\n"
           "--graph を付けると、組合せ K のグラフを画像ファイル IMAGE に描きます。\n"
           "--stats と --at は、係数の標準誤差や信頼区間などの表を TAB 区切り (UTF-8) で書きます。\n"
           "\n"
           "  --example N    例題 N (1 から 4) を読み込む\n"
           "  -o OUT         文書を OUT に書く (指定がなければ標準出力。ただし --graph, --residuals,\n"
           "                 --stats, --at のときは、-o がなければ文書は書かない)\n"
           "  --graph IMAGE  推算のあと、組合せ K のグラフを IMAGE に描く。形式は拡張子で決まる:\n"
           "                 .png は画面と同じ見た目、.svg と .pdf は印刷と同じ見た目\n"
           "  --residuals IMAGE\n"
           "                 組合せ K の残差グラフ (変換後の値で、測定値 − 推定値) を IMAGE に描く。\n"
           "                 形式は --graph と同じく拡張子で決まる (--graph なしでもよい)\n"
           "  --comb K       描く組合せ、--degrees では比べる組合せ (1 から 4、指定がなければ 1)\n"
           "  --band B       グラフに帯を描く: confidence (信頼帯), prediction (予測帯), both (両方)\n"
           "  --xrange LOW:HIGH\n"
           "                 グラフの独立変数の範囲を LOW から HIGH にする (グラフ上下限変更と同じ規則。\n"
           "                 指定がなければ、測定点がすべて入る範囲を自動で決める)\n"
           "  --yrange LOW:HIGH\n"
           "                 グラフの従属変数の範囲を LOW から HIGH にする\n"
           "  --stats        各組合せの係数の標準誤差、t 値、p 値、信頼区間と、n、自由度、s、R²、\n"
           "                 調整済み R²、近似式、結果の表の 4 つの統計量の表を書く\n"
           "  --at X         X での推算値と信頼区間・予測区間を組合せごとに書く (何度でも指定できる)\n"
           "  --level L      信頼水準 (%): 90, 95, 99 のどれか (指定がなければ 95)\n"
           "  --degrees      組合せ K を次数 1～6 で当てはめた比較の表 (残差平方和、s、R²、AICc、BIC、\n"
           "                 PRESS、最高次の項の F 検定の p 値) を書く\n"
           "  --stats-out F  --stats、--at と --degrees の表を F に書く (指定がなければ標準出力)\n"
           "  -h, --help     この説明を表示する\n"
           "\n"
           "失敗したときは何も書きません。\n"
           "終了コード: 0 成功、1 読み込み・推算・グラフ・書き込みの失敗、2 コマンド行の誤り\n";
}

int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
             const GraphImageRenderer& renderGraph) {
    std::string problem;
    const std::optional<BatchOptions> options = ParseArguments(arguments, problem);
    if (!options) {
        ReportTo(err, problem);
        err << "詳しくは kurvo-batch --help\n";
        return 2;
    }
    if (options->help) {
        out << BatchUsage();
        return out ? 0 : 1;
    }
    if ((options->graph || options->residuals) && !renderGraph) {
        ReportTo(err, "この kurvo-batch はグラフの画像を描けません (画面の部品なしで作られています)。");
        return 2;
    }

    UnattendedDialogs dialogs(err);
    HeadlessWindow window(dialogs);
    App& app = window.app;
    app.SetLevel(options->level);
    app.SetBands(options->confidenceBand, options->predictionBand);
    std::string bytes;
    try {
        if (options->example != 0) {
            app.LoadExample(options->example);
        } else {
            ApplyDocument(app, ReadDocumentFile(options->inputFile));
        }
        // Only --graph and --residuals draw: the fits stand without a picture.
        if (const Failure failure = app.Estimate(false)) throw *failure;
        const Document document = CaptureDocument(app);
        bytes = WriteDocument(document);
        // The document is Shift-JIS: one that would lose characters as "?"
        // is not written, as the window's Save does not without a question.
        if (options->WritesDocument()) {
            if (const std::string lacking = DocumentLacks(document); !lacking.empty()) {
                ReportTo(err, "次の文字は Shift-JIS の文書に書けないため、何も書きませんでした: " + lacking);
                return 1;
            }
        }
    } catch (const RuntimeError& error) {
        ReportTo(err, error.Description());
        return 1;
    }

    // Each file is made ready beside its target and put in place only when
    // all could be, and a failure puts back the ones replaced before it: the
    // images and the document already there stay as they were.
    const auto documentFailed = [&](const RuntimeError& error) {
        ReportTo(err, RuntimeError::StandardDescription(ErrorNumber::FileWrite) + "\n" + error.Description());
        return 1;
    };
    FileGroup files;  // the images, the document, the tables, those asked for
    std::vector<std::function<int(const RuntimeError&)>> failedFile;  // what each added file's failure says
    // The fitted graph, then the residual graph: drawn, painted and made ready; the exit status of a failure.
    const auto addImage = [&](const std::optional<std::string>& file, bool residuals) {
        if (!file) return 0;
        const auto imageFailed = [&err, name = *file](const RuntimeError& error) {
            ReportTo(err, kCannotWriteGraphMessage + name + "\n" + error.Description());
            return 1;
        };
        std::string graphProblem;
        bool refused = false;
        app.SetResidualGraph(residuals);
        const std::optional<GraphImage> image =
            DrawGraphImage(window, *options, *GraphImageFormatOf(*file), graphProblem, refused);
        if (!image) {
            ReportTo(err, graphProblem);
            return refused ? 2 : 1;
        }
        std::string imageBytes;
        graphProblem = renderGraph(*image, imageBytes);
        if (!graphProblem.empty()) {
            ReportTo(err, graphProblem);
            return 1;
        }
        try {
            files.Add(*file, imageBytes);
            failedFile.push_back(imageFailed);
        } catch (const RuntimeError& error) {
            return imageFailed(error);
        }
        return 0;
    };
    if (const int status = addImage(options->graph, false)) return status;
    if (const int status = addImage(options->residuals, true)) return status;
    try {
        if (options->output) {
            files.Add(*options->output, bytes);
            failedFile.push_back(documentFailed);
        }
    } catch (const RuntimeError& error) {
        return documentFailed(error);
    }
    const bool withTables = options->WithTables();
    std::string tables;
    try {
        if (withTables) tables = FigureTables(app, *options);
    } catch (const RuntimeError& error) {
        ReportTo(err, error.Description());
        return 1;
    }
    const auto tablesFailed = [&](const RuntimeError& error) {
        ReportTo(err, "統計の表を書き込めませんでした: " + *options->statsOutput + "\n" + error.Description());
        return 1;
    };
    try {
        if (options->statsOutput) {
            files.Add(*options->statsOutput, tables);
            failedFile.push_back(tablesFailed);
        }
    } catch (const RuntimeError& error) {
        return tablesFailed(error);
    }
    try {
        files.Commit();
    } catch (const RuntimeError& error) {
        return failedFile.at(files.Failed())(error);
    }
    // Standard output takes the tables when they have no file, else the
    // document when it has none and no image was asked for.
    std::string_view shown;
    if (withTables && !options->statsOutput) {
        shown = tables;
    } else if (options->DocumentToStandardOutput()) {
        shown = bytes;
    } else {
        return 0;
    }
    out.write(shown.data(), static_cast<std::streamsize>(shown.size()));
    out.flush();
    if (!out) {
        ReportTo(err, "標準出力に書けませんでした。");
        return 1;
    }
    return 0;
}

}  // namespace kurvo
