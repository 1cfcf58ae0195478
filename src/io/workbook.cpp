#include "io/workbook.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "state/numbers.h"
#include "state/runtime_error.h"

namespace kurvo {
namespace {

namespace ss = orcus::spreadsheet;

// The texts a workbook shares between its cells.
class SharedStrings : public ss::iface::import_shared_strings {
public:
    const std::string& At(std::size_t index) const {
        static const std::string none;
        return index < texts_.size() ? texts_[index] : none;
    }
    std::size_t append(std::string_view s) override {
        texts_.emplace_back(s);
        return texts_.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += s; }
    std::size_t commit_segments() override {
        texts_.push_back(std::move(segments_));
        segments_.clear();
        return texts_.size() - 1;
    }

private:
    std::vector<std::string> texts_;
    std::string segments_;
};

// One sheet: the texts of the cells inside the kept corner, and how far filled cells reach.
class Sheet : public ss::iface::import_sheet, private ss::iface::import_formula {
public:
    Sheet(const SharedStrings& strings, int rows, int columns) : strings_(strings), rows_(rows), columns_(columns) {}

    SheetCells Cells() const {
        SheetCells out;
        out.extentRows = extentRows_;
        out.extentColumns = extentColumns_;
        for (const auto& [at, text] : cells_) {
            if (out.cells.size() <= static_cast<std::size_t>(at.first)) out.cells.resize(static_cast<std::size_t>(at.first) + 1);
            auto& row = out.cells[static_cast<std::size_t>(at.first)];
            if (row.size() <= static_cast<std::size_t>(at.second)) row.resize(static_cast<std::size_t>(at.second) + 1);
            row[static_cast<std::size_t>(at.second)] = text;
        }
        return out;
    }

    ss::iface::import_formula* get_formula() override { return this; }
    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override { Put(row, col, std::string(s)); }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t index) override { Put(row, col, strings_.At(index)); }
    void set_value(ss::row_t row, ss::col_t col, double value) override { Put(row, col, FormatGeneral(value)); }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override { Put(row, col, value ? "TRUE" : "FALSE"); }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute,
                       double second) override {
        char text[64];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                      static_cast<int>(second));
        Put(row, col, text);
    }
    void set_format(ss::row_t, ss::col_t, std::size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
        const auto found = cells_.find({row, col});
        if (found == cells_.end() || count <= 0) return;
        const std::string text = found->second;
        for (ss::row_t r = row + 1; r <= row + count && r < rows_; ++r) Put(r, col, text);
        Put(row + count, col, text);  // the extent, when beyond the kept corner
    }
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

private:
    // A formula's cell takes the result the workbook keeps for it.
    void set_position(ss::row_t row, ss::col_t col) override { formulaAt_ = {row, col}; }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override { Put(formulaAt_.first, formulaAt_.second, std::string(value)); }
    void set_result_value(double value) override { set_value(formulaAt_.first, formulaAt_.second, value); }
    void set_result_bool(bool value) override { set_bool(formulaAt_.first, formulaAt_.second, value); }
    void set_result_empty() override {}
    void commit() override {}

    void Put(ss::row_t row, ss::col_t col, std::string text) {
        if (row < 0 || col < 0 || text.empty()) return;
        extentRows_ = std::max(extentRows_, row + 1);
        extentColumns_ = std::max(extentColumns_, col + 1);
        if (row < rows_ && col < columns_) cells_[{row, col}] = std::move(text);
    }

    const SharedStrings& strings_;
    int rows_, columns_;
    std::map<std::pair<int, int>, std::string> cells_;
    std::pair<int, int> formulaAt_{-1, -1};
    int extentRows_ = 0, extentColumns_ = 0;
};

// Cell references as "B3" and ranges as "A1:C9", which the .xlsx reader asks to have read.
class References : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view text) override {
        ss::src_address_t at{0, -1, -1};
        std::size_t i = 0;
        for (; i < text.size() && text[i] >= 'A' && text[i] <= 'Z'; ++i) at.column = (at.column + 1) * 26 + (text[i] - 'A');
        int row = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && row < 10000000; ++i) row = row * 10 + (text[i] - '0');
        at.row = row - 1;
        return at;
    }
    ss::src_range_t resolve_range(std::string_view text) override {
        const std::size_t colon = text.find(':');
        const ss::src_address_t first = resolve_address(text.substr(0, colon));
        return {first, colon == std::string_view::npos ? first : resolve_address(text.substr(colon + 1))};
    }
};

// Hands the reader the first sheet and a place for the others' cells, which are not kept.
class FirstSheetFactory : public ss::iface::import_factory {
public:
    FirstSheetFactory(int rows, int columns) : first_(strings_, rows, columns), others_(strings_, 0, 0) {}
    const Sheet& First() const { return first_; }

    ss::iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    ss::iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override {
        return &references_;
    }
    ss::iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
        if (index == 0) firstName_ = name;
        return index == 0 ? &first_ : &others_;
    }
    ss::iface::import_sheet* get_sheet(std::string_view name) override { return name == firstName_ ? &first_ : &others_; }
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override { return index == 0 ? &first_ : &others_; }
    void finalize() override {}

private:
    SharedStrings strings_;
    References references_;
    Sheet first_, others_;
    std::string firstName_;
};

[[noreturn]] void Refuse(const std::string& reason) {
    throw RuntimeError(ErrorNumber::FileFormat,
                       RuntimeError::StandardDescription(ErrorNumber::FileFormat) + "\n" + reason);
}

}  // namespace

bool LooksLikeWorkbook(std::string_view bytes) { return bytes.starts_with(std::string_view("PK\x03\x04", 4)); }

SheetCells ReadWorkbook(std::string_view bytes, int rows, int columns) {
    FirstSheetFactory factory(rows, columns);
    orcus::format_t kind = orcus::format_t::unknown;
    try {
        kind = orcus::detect(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        if (kind == orcus::format_t::xlsx) {
            orcus::orcus_xlsx(&factory).read_stream(bytes);
        } else if (kind == orcus::format_t::ods) {
            orcus::orcus_ods(&factory).read_stream(bytes);
        }
    } catch (const std::exception&) {
        Refuse("ブックを読み取れません（壊れているか、この形式には対応していません）。");
    }
    if (kind != orcus::format_t::xlsx && kind != orcus::format_t::ods)
        Refuse("Excel (.xlsx) または OpenDocument (.ods) のブックではありません。");
    return factory.First().Cells();
}

}  // namespace kurvo
