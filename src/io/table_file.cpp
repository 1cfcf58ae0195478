#include "io/table_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "io/file_access.h"
#include "io/shift_jis.h"
#include "io/workbook.h"
#include "state/numbers.h"
#include "state/runtime_error.h"
#include "state/session.h"

namespace kurvo {
namespace {

[[noreturn]] void Refuse(const std::string& reason) {
    throw RuntimeError(ErrorNumber::FileFormat,
                       RuntimeError::StandardDescription(ErrorNumber::FileFormat) + "\n" + reason);
}

// Rows and columns up to the last cell that holds something.
std::pair<int, int> Extent(const TextTable& table) {
    int rows = 0, columns = 0;
    for (std::size_t i = 0; i < table.size(); ++i)
        for (std::size_t j = 0; j < table[i].size(); ++j)
            if (!table[i][j].empty()) {
                rows = static_cast<int>(i) + 1;
                columns = std::max(columns, static_cast<int>(j) + 1);
            }
    return {rows, columns};
}

// Whether the first row names the columns: it holds a text and no number,
// and a number stands below it.  Texts among the numbers are counted, not
// taken as a sign that there are no names: the user chose the file.
bool NamesOverNumbers(const TextTable& table) {
    bool names = false, numbers = false;
    for (std::size_t i = 0; i < table.size(); ++i)
        for (const std::string& field : table[i]) {
            if (field.empty()) continue;
            const bool number = IsNumeric(AsEntered(field));
            if (i == 0 && number) return false;
            if (i == 0) names = true;
            if (number) numbers = true;
        }
    return names && numbers;
}

[[noreturn]] void RefuseSize(int rows, int columns) {
    Refuse("表は " + std::to_string(rows) + " 行 × " + std::to_string(columns) + " 列です。読み込めるのは変数名の行のほかに " +
           std::to_string(kMaxSamples) + " 行、" + std::to_string(kMaxVariables) + " 列までです。");
}

}  // namespace

OpenedFile TableDocument(const TextTable& table) {
    const auto [rows, columns] = Extent(table);
    if (rows == 0) Refuse("表に値がありません。");
    const bool named = NamesOverNumbers(table);
    const int first = named ? 1 : 0;
    if (rows - first > kMaxSamples || columns > kMaxVariables) RefuseSize(rows, columns);

    OpenedFile opened;
    opened.table = true;
    Document& d = opened.document;
    const auto cell = [&](int i, int j) {
        const auto& row = table[static_cast<std::size_t>(i)];
        return static_cast<std::size_t>(j) < row.size() ? row[static_cast<std::size_t>(j)] : std::string();
    };
    for (int j = 0; j < columns; ++j) d.variableTitles.push_back(named ? cell(0, j) : std::string());
    for (int i = first; i < rows; ++i) {
        std::vector<std::string> cells;
        for (int j = 0; j < columns; ++j) {
            cells.push_back(AsEntered(cell(i, j)));
            if (!cells.back().empty() && !IsNumeric(cells.back())) ++opened.notNumbers;
        }
        d.rows.push_back(std::move(cells));
    }
    return opened;
}

OpenedFile ReadOpenedBytes(std::string_view bytes) {
    if (bytes.empty() || BeginsLikeDocument(bytes)) return {ReadDocument(bytes), false, 0};
    if (LooksLikeWorkbook(bytes)) {
        // One row more than fits, for the names.
        const SheetCells sheet = ReadWorkbook(bytes, kMaxSamples + 1, kMaxVariables);
        if (sheet.extentRows > kMaxSamples + 1 || sheet.extentColumns > kMaxVariables)
            RefuseSize(sheet.extentRows, sheet.extentColumns);
        return TableDocument(sheet.cells);
    }
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (IsUtf8(text)) return TableDocument(ParseTable(text));
    const std::optional<std::string> converted = FromShiftJis(text);
    if (!converted) throw RuntimeError(ErrorNumber::FileFormat, kNotOurDataMessage);
    return TableDocument(ParseTable(*converted));
}

bool HoldsOtherData(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::ifstream in(path, std::ios::binary);
    std::string start(kLongestDocumentStart, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return !BeginsLikeDocument(start);
}

OpenedFile ReadOpenedFile(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const RuntimeError& error) {
        Refuse(error.Description());
    }
    return ReadOpenedBytes(bytes);
}

}  // namespace kurvo
