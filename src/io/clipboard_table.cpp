#include "io/clipboard_table.h"

#include "state/numbers.h"

namespace kurvo {

namespace {

// A field of a line without the blanks around it and one pair of enclosing
// double quotes.
std::string_view FieldText(std::string_view field) {
    field = Trim(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
    return field;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

TextTable ParseTable(std::string_view text) {
    const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
    TextTable table;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = line.find(separator, start);
            fields.emplace_back(FieldText(line.substr(start, end - start)));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        table.push_back(std::move(fields));
    }
    return table;
}

std::string BlockAsText(const IGrid& grid, int firstCol, int firstRow, int lastCol, int lastRow) {
    std::string text;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstCol; c <= lastCol; ++c) {
            if (c > firstCol) text += '\t';
            text += grid.Text(c, r);
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
                grid.SetText(c, r, table[i][j]);
                ++outcome.written;
            } else if (!table[i][j].empty()) {
                ++outcome.leftOut;
            }
        }
    }
    return outcome;
}

}  // namespace kurvo
