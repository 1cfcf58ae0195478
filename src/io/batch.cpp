#include "io/batch.h"

#include <optional>
#include <ostream>

#include "io/data_file.h"
#include "io/document_commands.h"
#include "io/file_access.h"
#include "state/headless.h"
#include "state/runtime_error.h"

namespace kurvo {
namespace {

constexpr const char* kProgram = "kurvo-batch";

struct BatchOptions {
    std::string inputFile;
    int example = 0;
    std::optional<std::string> output;
    bool help = false;
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
    return options;
}

void ReportTo(std::ostream& err, const std::string& message) { err << kProgram << ": " << message << '\n'; }

}  // namespace

std::string BatchUsage() {
    return "使い方: kurvo-batch FILE [-o OUT]\n"
           "        kurvo-batch --example N [-o OUT]\n"
           "\n"
           "データファイル FILE か例題 N を読み込み、推算ボタンと同じ推算をして、\n"
           "結果を含む文書をデータファイルの形式 (Shift-JIS, CR LF) で書き出します。\n"
           "\n"
           "  --example N   例題 N (1 から 4) を読み込む\n"
           "  -o OUT        OUT に書く (指定がなければ標準出力)。失敗したときは何も書かない\n"
           "  -h, --help    この説明を表示する\n"
           "\n"
           "終了コード: 0 成功、1 読み込み・推算・書き込みの失敗、2 コマンド行の誤り\n";
}

int RunBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
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

    HeadlessWindow window;
    App& app = window.app;
    std::string bytes;
    try {
        if (options->example != 0) {
            app.LoadExample(options->example);
        } else {
            ApplyDocument(app, ReadDocumentFile(options->inputFile));
        }
        app.RunEstimation();
        if (window.dialogs.messages.empty()) bytes = WriteDocument(CaptureDocument(app));
    } catch (const RuntimeError& error) {
        ReportTo(err, error.Description());
        return 1;
    }
    if (!window.dialogs.messages.empty()) {
        for (const MessageRequest& message : window.dialogs.messages) ReportTo(err, message.text);
        return 1;
    }

    if (options->output) {
        try {
            ReplaceFileContents(*options->output, bytes);
        } catch (const RuntimeError& error) {
            ReportTo(err, std::string(kCannotWriteMessage) + "\n" + error.Description());
            return 1;
        }
    } else {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            ReportTo(err, "標準出力に書けませんでした。");
            return 1;
        }
    }
    return 0;
}

}  // namespace kurvo
