#include "app/batch.h"

#include <optional>
#include <ostream>

#include "io/data_file.h"
#include "io/file_access.h"
#include "state/runtime_error.h"
#include "window/document.h"
#include "window/headless.h"

namespace kurvo {
namespace {

constexpr const char* kProgram = "kurvo-batch";

struct BatchOptions {
    std::string inputFile;
    int example = 0;
    std::optional<std::string> output;
    bool help = false;
    std::optional<std::string> graph;
    GraphImageFormat graphFormat = GraphImageFormat::Png;
    std::optional<int> combination;
};


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
        } else if (a == "--graph") {
            const auto file = value("--graph");
            if (!file) return std::nullopt;
            const auto format = GraphImageFormatOf(*file);
            if (!format) {
                problem = kGraphFormatMessage + *file;
                return std::nullopt;
            }
            options.graph = *file;
            options.graphFormat = *format;
        } else if (a == "--comb") {
            const auto n = value("--comb");
            if (!n) return std::nullopt;
            if (*n != "1" && *n != "2" && *n != "3" && *n != "4") {
                problem = "組合せの番号は 1 から 4 です: " + *n;
                return std::nullopt;
            }
            options.combination = (*n)[0] - '0';
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
    if (options.combination && !options.graph) {
        problem = "--comb は --graph と一緒に指定してください。";
        return std::nullopt;
    }
    if (options.graph && options.output && SameFile(*options.graph, *options.output)) {
        problem = "-o と --graph に同じファイルは指定できません: " + *options.output;
        return std::nullopt;
    }
    return options;
}

void ReportTo(std::ostream& err, const std::string& message) { err << kProgram << ": " << message << '\n'; }

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
// the way the image format asks for: the screen graph for PNG, the printed
// page for SVG and PDF.  Returns the drawing, or the reason there is none.
std::optional<GraphImage> DrawGraphImage(HeadlessWindow& window, int number, GraphImageFormat format,
                                         std::string& problem) {
    App& app = window.app;
    if (number > app.session.int_CombCount) {
        problem = "組合せ " + std::to_string(number) + " は推算されていません（推算した組合せは " +
                  std::to_string(app.session.int_CombCount) + " 個）。";
        return std::nullopt;
    }
    // Shown even when it is shown already: its sheet is refilled, which loads
    // its working state again, and the screen graph is redrawn.
    Failure failure = app.ShowCombination(number);
    GraphImage image;
    image.format = format;
    if (format == GraphImageFormat::Png) {
        image.calls = &window.graph.Calls();
        image.width = window.graph.Width();
        image.height = window.graph.Height();
    } else if (!failure) {
        const Session& s = app.session;
        failure = app.Draw(number - 1, true, s.int_XLog(number), s.int_YLog(number), s.int_XRecip(number),
                           s.int_YRecip(number));
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
           "        kurvo-batch FILE | --example N --graph IMAGE [--comb K] [-o OUT]\n"
           "\n"
           "データファイル FILE か例題 N を読み込み、推算ボタンと同じ推算をして、\n"
           "結果を含む文書をデータファイルの形式 (Shift-JIS, CR LF) で書き出します。\n"
           "--graph を付けると、組合せ K のグラフを画像ファイル IMAGE に描きます。\n"
           "\n"
           "  --example N    例題 N (1 から 4) を読み込む\n"
           "  -o OUT         文書を OUT に書く (指定がなければ標準出力。ただし --graph の\n"
           "                 ときは、-o がなければ文書は書かない)\n"
           "  --graph IMAGE  推算のあと、組合せ K のグラフを IMAGE に描く。形式は拡張子で決まる:\n"
           "                 .png は画面と同じ見た目、.svg と .pdf は印刷と同じ見た目\n"
           "  --comb K       描く組合せ (1 から 4、指定がなければ 1)\n"
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
    if (options->graph && !renderGraph) {
        ReportTo(err, "この kurvo-batch はグラフの画像を描けません (画面の部品なしで作られています)。");
        return 2;
    }

    UnattendedDialogs dialogs(err);
    HeadlessWindow window(dialogs);
    App& app = window.app;
    std::string bytes;
    try {
        if (options->example != 0) {
            app.LoadExample(options->example);
        } else {
            ApplyDocument(app, ReadDocumentFile(options->inputFile));
        }
        if (const Failure failure = app.Estimate()) throw *failure;
        bytes = WriteDocument(CaptureDocument(app));
    } catch (const RuntimeError& error) {
        ReportTo(err, error.Description());
        return 1;
    }

    // Each file is made ready beside its target and put in place only when
    // both could be, and a failure puts back the one replaced first: the
    // image and the document already there stay as they were.
    const auto imageFailed = [&](const RuntimeError& error) {
        ReportTo(err, kCannotWriteGraphMessage + *options->graph + "\n" + error.Description());
        return 1;
    };
    const auto documentFailed = [&](const RuntimeError& error) {
        ReportTo(err, RuntimeError::StandardDescription(ErrorNumber::FileWrite) + "\n" + error.Description());
        return 1;
    };
    FileGroup files;  // the image first, then the document
    const bool withImage = options->graph.has_value();
    if (withImage) {
        std::string graphProblem;
        const std::optional<GraphImage> image =
            DrawGraphImage(window, options->combination.value_or(1), options->graphFormat, graphProblem);
        if (!image) {
            ReportTo(err, graphProblem);
            return 1;
        }
        std::string imageBytes;
        graphProblem = renderGraph(*image, imageBytes);
        if (!graphProblem.empty()) {
            ReportTo(err, graphProblem);
            return 1;
        }
        try {
            files.Add(*options->graph, imageBytes);
        } catch (const RuntimeError& error) {
            return imageFailed(error);
        }
    }
    try {
        if (options->output) files.Add(*options->output, bytes);
    } catch (const RuntimeError& error) {
        return documentFailed(error);
    }
    try {
        files.Commit();
    } catch (const RuntimeError& error) {
        return withImage && files.Failed() == 0 ? imageFailed(error) : documentFailed(error);
    }
    if (options->output || options->graph) return 0;

    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        ReportTo(err, "標準出力に書けませんでした。");
        return 1;
    }
    return 0;
}

}  // namespace kurvo
