// Helpers of the data-file tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>

#include "io/data_file.h"
#include "io/document_commands.h"
#include "io/shift_jis.h"
#include "workbench.h"

namespace kurvo::test {

// A new folder under the temporary folder, removed with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kurvo-io-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// UTF-8 lines joined with CR LF (each line ended), as Shift-JIS bytes.
inline std::string SjisLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return ToShiftJis(text);
}

// Everything Open may change: all grids, the shown page and the session.
struct DocumentState {
    TableGrid data, methods, coeff, est0, est1, est2, est3;
    int page;
    Session s;

    explicit DocumentState(const Workbench& wb)
        : data(wb.spdData), methods(wb.spdSpec), coeff(wb.spdCoeff), est0(wb.spdEstimate0), est1(wb.spdEstimate1),
          est2(wb.spdEstimate2), est3(wb.spdEstimate3), page(wb.tabs.SelectedPage()), s(wb.app.session) {}

    static auto Tie(const DocumentState& d) {
        const Session& s = d.s;
        return std::tie(d.data, d.methods, d.coeff, d.est0, d.est1, d.est2, d.est3, d.page, s.int_DataCount,
                        s.int_VarCount, s.int_CombCount, s.int_WorkDegree, s.int_Comb, s.int_Estimated, s.str_Title,
                        s.str_VarTitle, s.int_Degree, s.int_YVar, s.int_XVar, s.int_YLog, s.int_YRecip, s.int_XLog,
                        s.int_XRecip, s.dbl_Coeff, s.dbl_WorkCoeff, s.dbl_XMin, s.dbl_XMax, s.dbl_YMin, s.dbl_YMax,
                        s.dbl_XLow, s.dbl_XHigh, s.dbl_YLow, s.dbl_YHigh);
    }
    bool operator==(const DocumentState& o) const { return Tie(*this) == Tie(o); }
};

// Runs Save or Open with the file dialog answering `path` and the question Yes.
inline void Answer(Workbench& wb, const std::string& path) {
    wb.dialogs.files.push_back(path);
    wb.dialogs.answers.push_back(MsgAnswer::Yes);
}
inline void Save(Workbench& wb, const std::string& path) {
    Answer(wb, path);
    wb.app.SaveCommand();
}
inline void Open(Workbench& wb, const std::string& path) {
    Answer(wb, path);
    wb.app.OpenCommand();
}

}  // namespace kurvo::test
