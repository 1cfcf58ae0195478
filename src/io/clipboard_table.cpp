#include "io/clipboard_table.h"

#include "state/numbers.h"

namespace kurvo {

namespace {

bool EndsLine(char c) { return c == '\r' || c == '\n'; }

// The field starting at `at`, which is left on the separator or line end
// after it, or at the end of the text.
std::string ReadField(std::string_view text, std::size_t& at, char separator) {
    std::size_t plain = at;  // where the unquoted part starts
    while (at < text.size() && text[at] == ' ') ++at;
    std::string field;
    if (at < text.size() && text[at] == '"') {
        for (++at; at < text.size(); ++at) {
            if (text[at] != '"') {
                field += text[at];
            } else if (at + 1 < text.size() && text[at + 1] == '"') {
                field += text[++at];
            } else {
                ++at;
                break;
            }
        }
        plain = at;
    }
    while (at < text.size() && text[at] != separator && !EndsLine(text[at])) ++at;
    field += Trim(text.substr(plain, at - plain));
    return field;
}

// The text as one field, in quotes when ParseTable would not read it back as it is.
std::string AsField(const std::string& text) {
    if (text.find_first_of("\t\r\n\",") == std::string::npos && (Trim(text).size() == text.size() || IsNumeric(text)))
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string AsEntered(std::string_view text) {
    const std::string_view number = Trim(text);
    std::size_t at = number.starts_with('-') || number.starts_with('+') ? 1 : 0;
    const std::size_t lead = at;
    while (at < number.size() && IsDigit(number[at])) ++at;
    if (at == lead || at - lead > 3 || at >= number.size() || number[at] != ',') return std::string(text);
    while (at < number.size() && number[at] == ',') {
        for (std::size_t d = 1; d <= 3; ++d)
            if (at + d >= number.size() || !IsDigit(number[at + d])) return std::string(text);
        at += 4;
    }
    if (at < number.size() && number[at] == '.') {
        for (++at; at < number.size() && IsDigit(number[at]);) ++at;
    }
    if (at != number.size()) return std::string(text);
    std::string plain;
    for (const char c : number)
        if (c != ',') plain += c;
    return plain;
}

TextTable ParseTable(std::string_view text) {
    const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
    TextTable table;
    for (std::size_t at = 0; at < text.size();) {
        std::vector<std::string> fields{ReadField(text, at, separator)};
        while (at < text.size() && text[at] == separator) fields.push_back(ReadField(text, ++at, separator));
        if (at < text.size() && text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        ++at;  // the line end
        table.push_back(std::move(fields));
    }
    return table;
}

std::string BlockAsText(const IGrid& grid, int firstCol, int firstRow, int lastCol, int lastRow) {
    std::string text;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstCol; c <= lastCol; ++c) {
            if (c > firstCol) text += '\t';
            text += AsField(grid.CopyText(c, r));
        }
        text += '\n';
    }
    return text;
}

CellBlock WithHeadings(const IGrid& grid, CellBlock selected) {
    CellBlock block = selected;
    if (selected.firstRow == 1 && selected.lastRow == grid.Rows()) {
        block.firstRow = 0;
        block.lastRow = 0;
        for (int r = 1; r <= grid.Rows(); ++r)
            for (int c = selected.firstCol; c <= selected.lastCol; ++c)
                if (!grid.Text(c, r).empty()) block.lastRow = r;
    }
    if (selected.firstCol == 1 && selected.lastCol == grid.Columns()) block.firstCol = 0;
    return block;
}

PasteOutcome PasteTable(IGrid& grid, int col, int row, const TextTable& table) {
    PasteOutcome outcome;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int r = row + static_cast<int>(i);
        for (std::size_t j = 0; j < table[i].size(); ++j) {
            const int c = col + static_cast<int>(j);
            if (r <= grid.Rows() && c <= grid.Columns()) {
                const std::string text = AsEntered(table[i][j]);
                grid.SetText(c, r, text);
                ++outcome.written;
                if (!text.empty() && !IsNumeric(text)) ++outcome.notNumbers;
            } else if (!table[i][j].empty()) {
                ++outcome.leftOut;
            }
        }
    }
    return outcome;
}

bool FirstRowIsHeading(const TextTable& table) {
    bool names = false, numbers = false;
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (const std::string& field : table[i]) {
            if (field.empty()) continue;
            if (IsNumeric(AsEntered(field)) == (i == 0)) return false;  // a number among the names or a text below them
            (i == 0 ? names : numbers) = true;
        }
    }
    return names && numbers;
}

}  // namespace kurvo
