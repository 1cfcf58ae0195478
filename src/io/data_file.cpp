#include "io/data_file.h"

#include <cmath>
#include <tuple>
#include <utility>

#include "io/file_access.h"
#include "io/shift_jis.h"
#include "state/numbers.h"
#include "state/runtime_error.h"
#include "state/session.h"

namespace kurvo {
namespace {

constexpr const char* kEol = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr const char* kBasicSection = "[基本情報]";
constexpr const char* kMethodSection = "[推算方法]";
constexpr const char* kDataSection = "[測定値]";
constexpr const char* kCoefficientSection = "[近似式係数]";
constexpr const char* kEstimateSection = "[推算値]";
constexpr const char* kMethodKeys = ",従属変数,YLog変換,Y逆数変換,独立変数,XLog変換,X逆数変換,X次数";

// ---- writing ----------------------------------------------------------------------

// An integer: a blank in front (a minus sign instead when negative) and one behind.
std::string IntegerField(long value) {
    return value < 0 ? std::to_string(value) + " " : " " + std::to_string(value) + " ";
}

// A coefficient in the general number form, framed like an integer.
std::string CoefficientField(double value) {
    const std::string general = FormatGeneral(value);
    return (general.front() == '-' ? general : " " + general) + " ";
}

template <typename Texts>
void AppendTexts(std::string& out, const Texts& texts) {
    bool first = true;
    for (const auto& text : texts) {
        if (!first) out += ',';
        out += TextField(text);
        first = false;
    }
}

// ---- reading ----------------------------------------------------------------------

[[noreturn]] void Fail(const std::string& reason) {
    throw RuntimeError(ErrorNumber::FileFormat, RuntimeError::StandardDescription(ErrorNumber::FileFormat) + "\n" + reason);
}

bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// The file as one stream of fields.  A comma or a line end (CR LF, LF or CR)
// closes a field; a field that begins with a double quote runs to the closing
// quote, commas and line ends included, and a doubled quote inside stands for
// one.  Empty lines hold no field.  After a comma there is always one more
// field, empty when the file ends there.
class FieldStream {
public:
    explicit FieldStream(std::string_view bytes) : bytes_(bytes) {}

    // The bytes of the next field, nothing at the end of the file.
    std::optional<std::string> Next() {
        if (!afterComma_)
            while (pos_ < bytes_.size() && IsLineEndByte(bytes_[pos_])) SkipLineEnd();
        fieldLine_ = line_;
        if (pos_ >= bytes_.size()) {
            if (!afterComma_) return std::nullopt;
            afterComma_ = false;
            return std::string();
        }
        std::string field;
        if (bytes_[pos_] == '"') ReadQuoted(field);
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !IsLineEndByte(bytes_[pos_])) field += bytes_[pos_++];
        if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else {
            if (pos_ < bytes_.size()) SkipLineEnd();
            afterComma_ = false;
        }
        return field;
    }

    // The line on which the field returned last began.
    int FieldLine() const { return fieldLine_; }

    // Whether the field returned last ended its line (or the file), not at a comma.
    bool EndsLine() const { return !afterComma_; }

    // The first byte of the next field, nothing at the end of the file, and
    // the line it is on.
    std::optional<char> Peek(int& line) {
        if (!afterComma_)
            while (pos_ < bytes_.size() && IsLineEndByte(bytes_[pos_])) SkipLineEnd();
        line = line_;
        if (pos_ >= bytes_.size()) return std::nullopt;
        return bytes_[pos_];
    }

private:
    void SkipLineEnd() {
        if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    void ReadQuoted(std::string& field) {
        ++pos_;
        while (true) {
            if (pos_ >= bytes_.size()) Fail("引用符で始まる項目が閉じないままファイルが終わっています（" +
                                            std::to_string(fieldLine_) + " 行目）。");
            const char c = bytes_[pos_++];
            if (c == '"') {
                if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
                    field += '"';
                    ++pos_;
                    continue;
                }
                return;
            }
            if (c == '\n') ++line_;
            field += c;
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
    int line_ = 1;
    int fieldLine_ = 1;
};

// Takes the fields of the records in order and turns faults into messages.
// Each record is one line: a field missing before its line ends, or one more
// after its last, is refused with the line's number.
class RecordReader {
public:
    RecordReader(std::string_view bytes, FileEncoding encoding) : fields_(bytes), encoding_(encoding) {}

    std::optional<std::string> First() {
        std::optional<std::string> first = fields_.Next();
        inRecord_ = true;
        lineEnded_ = fields_.EndsLine();
        return first;
    }

    // A field whose content is not used; still has to be in the file's encoding.
    void Skip(const std::string& what) { Text(what); }

    // A text field.
    std::string Text(const std::string& what) {
        const int previousLine = fields_.FieldLine();
        std::optional<std::string> raw = fields_.Next();
        if (!raw) Fail("ファイルが途中で終わっています（" + what + " がありません）。");
        if (inRecord_ && lineEnded_)
            Fail(std::to_string(previousLine) + " 行目の項目が足りません（" + what + " がありません）。");
        inRecord_ = true;
        lineEnded_ = fields_.EndsLine();
        if (encoding_ == FileEncoding::Utf8) {
            if (!IsUtf8(*raw))
                Fail(std::to_string(fields_.FieldLine()) + " 行目の " + what + " に UTF-8 として読めないバイトがあります。");
            return std::move(*raw);
        }
        std::optional<std::string> text = FromShiftJis(*raw);
        if (!text)
            Fail(std::to_string(fields_.FieldLine()) + " 行目の " + what + " に Shift-JIS として読めないバイトがあります。");
        return *text;
    }

    // The end of a record whose last field was `what`: its line ends here.
    // Without variables the title record and the data rows run on into the
    // next record, which is then not looked at.
    void EndRecord(const std::string& what, bool endsLine = true) {
        if (endsLine && !lineEnded_)
            Fail(std::to_string(fields_.FieldLine()) + " 行目の項目が多すぎます（" + what + " のあとに続きがあります）。");
        inRecord_ = false;
    }

    // After the last data row: nothing more, or a section of the results.
    void EndData(int count) {
        int line = 0;
        const std::optional<char> next = fields_.Peek(line);
        if (next && *next != '[')
            Fail("測定値の行が測定データ個数の " + std::to_string(count) + " より多くあります（" + std::to_string(line) + " 行目）。");
    }

    // A count: a whole number from 0 to `limit`, blanks around it allowed.
    int Count(const std::string& what, int limit) {
        const std::string text(Trim(Text(what)));
        if (!IsNumeric(text)) Fail(what + "「" + text + "」が整数ではありません。");
        const double value = NumberOf(text);
        if (value != std::floor(value)) Fail(what + "「" + text + "」が整数ではありません。");
        if (value < 0) Fail(what + " が負の数です（" + text + "）。");
        if (value > limit) Fail(what + " が上限の " + std::to_string(limit) + " を超えています（" + text + "）。");
        return static_cast<int>(value);
    }

    // A number field: blanks around it ignored, the number read from its
    // start, 0 for an empty or non-numeric field, rounded halves to even.
    std::pair<std::string, std::int16_t> Number(const std::string& what) {
        std::string text = Text(what);
        try {
            return {text, RoundToInt16(NumberOf(text))};
        } catch (const RuntimeError&) {
            Fail(what + "「" + std::string(Trim(text)) + "」が大きすぎます。");
        }
    }

private:
    FieldStream fields_;
    FileEncoding encoding_;
    bool inRecord_ = false;   // a field of the present record has been read
    bool lineEnded_ = false;  // and the last one read ended its line
};

}  // namespace

std::string TextField(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string WriteDocument(const Document& d, FileEncoding encoding) {
    const auto n = static_cast<long>(d.rows.size());
    const auto m = d.variableTitles.size();
    std::string t;
    t.reserve(4096);

    t += kBasicSection;
    t += kEol;
    t += ",測定データ個数," + IntegerField(n) + kEol;
    t += ",測定変数個数," + IntegerField(static_cast<long>(m)) + kEol;
    t += ",推算組合数," + IntegerField(static_cast<long>(d.methods.size())) + kEol;
    t += ",表題," + TextField(d.title) + kEol;
    // Each field but the last of a record is followed by a comma, the last by
    // the line end: without titles the next record continues this line.
    t += ",変数軸タイトル,";
    AppendTexts(t, d.variableTitles);
    if (m > 0) t += kEol;

    t += kMethodSection;
    t += kEol;
    t += kMethodKeys;
    t += kEol;
    for (const MethodRow& row : d.methods) {
        t += ',';
        AppendTexts(t, row.cells);
        t += kEol;
    }

    t += kDataSection;
    t += kEol;
    for (long i = 0; i < n; ++i) {
        const std::vector<std::string>& cells = d.rows[static_cast<std::size_t>(i)];
        t += " ," + IntegerField(i + 1) + ",";
        for (std::size_t j = 0; j < m; ++j) {
            if (j > 0) t += ',';
            if (j < cells.size()) t += TextField(cells[j]);
        }
        if (m > 0) t += kEol;
    }

    if (d.results) {
        const Results& r = *d.results;
        t += kCoefficientSection;
        t += kEol;
        for (int p = 0; p <= r.highestPower; ++p) {
            t += " ,C" + std::to_string(p);
            for (const CombinationResult& c : r.combinations) {
                t += ',';
                t += static_cast<std::size_t>(p) < c.coefficients.size()
                         ? CoefficientField(c.coefficients[static_cast<std::size_t>(p)])
                         : std::string(" ");
            }
            t += kEol;
        }
        t += kEstimateSection;
        t += kEol;
        for (std::size_t c = 0; c < r.combinations.size(); ++c) {
            bool first = true;
            for (const auto& line : r.combinations[c].lines) {
                t += first ? " ,Ｙ" + std::to_string(c + 1) + "," : std::string(" , ,");
                AppendTexts(t, line);
                t += kEol;
                first = false;
            }
        }
    }
    return encoding == FileEncoding::Utf8 ? t : ToShiftJis(t);
}

std::string DocumentLacks(const Document& document) {
    std::string list;
    for (const std::string& character : ShiftJisLacks(WriteDocument(document, FileEncoding::Utf8)))
        list += (list.empty() ? "" : " ") + character;
    return list;
}

Document ReadDocument(std::string_view bytes) {
    // A document an editor saved again as UTF-8, with or without a byte order mark.
    FileEncoding encoding = FileEncoding::ShiftJis;
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        encoding = FileEncoding::Utf8;
    }
    RecordReader in(bytes, encoding);
    const std::optional<std::string> first = in.First();
    if (!first) Fail("ファイルが空です。");
    if (*first == kBasicSection) {
        encoding = FileEncoding::Utf8;
        in = RecordReader(bytes, encoding);
        in.First();
    } else if (encoding == FileEncoding::Utf8 || *first != ToShiftJis(kBasicSection)) {
        throw RuntimeError(ErrorNumber::FileFormat, kNotOurDataMessage);
    }
    in.EndRecord(kBasicSection);

    Document d;
    const auto count = [&](const std::string& what, int limit) {
        in.Skip(what + "の見出し");
        in.Skip(what + "の名前");
        const int value = in.Count(what, limit);
        in.EndRecord(what);
        return value;
    };
    const int n = count("測定データ個数", kMaxSamples);
    const int m = count("測定変数個数", kMaxVariables);
    const int k = count("推算組合数", kMaxCombinations);
    in.Skip("表題の見出し");
    in.Skip("表題の名前");
    d.title = in.Text("表題");
    in.EndRecord("表題");
    in.Skip("変数軸タイトルの見出し");
    in.Skip("変数軸タイトルの名前");
    for (int i = 1; i <= m; ++i) d.variableTitles.push_back(in.Text("変数軸タイトル " + std::to_string(i)));
    in.EndRecord("変数軸タイトル " + std::to_string(m), m > 0);

    in.Skip(kMethodSection);
    in.EndRecord(kMethodSection);
    for (int i = 1; i <= 8; ++i) in.Skip("推算方法の項目名");
    in.EndRecord("推算方法の項目名");
    for (int i = 1; i <= k; ++i) {
        const std::string what = "推算方法 " + std::to_string(i) + " 行目の";
        MethodRow row;
        in.Skip(what + "見出し");
        row.cells[0] = in.Text(what + "従属変数");
        std::tie(row.cells[1], row.yLog) = in.Number(what + "YLog変換");
        std::tie(row.cells[2], row.yRecip) = in.Number(what + "Y逆数変換");
        row.cells[3] = in.Text(what + "独立変数");
        std::tie(row.cells[4], row.xLog) = in.Number(what + "XLog変換");
        std::tie(row.cells[5], row.xRecip) = in.Number(what + "X逆数変換");
        std::tie(row.cells[6], row.degree) = in.Number(what + "X次数");
        in.EndRecord(what + "X次数");
        d.methods.push_back(std::move(row));
    }

    in.Skip(kDataSection);
    in.EndRecord(kDataSection);
    for (int i = 1; i <= n; ++i) {
        const std::string what = "測定値 " + std::to_string(i) + " 行目の";
        in.Skip(what + "見出し");
        in.Skip(what + "番号");
        std::vector<std::string> cells;
        for (int j = 1; j <= m; ++j) cells.push_back(in.Text(what + std::string(1, static_cast<char>(64 + j)) + " 列"));
        in.EndRecord(what + (m > 0 ? std::string(1, static_cast<char>(64 + m)) + " 列" : "番号"), m > 0);
        d.rows.push_back(std::move(cells));
    }
    in.EndData(n);
    return d;
}

bool BeginsLikeDocument(std::string_view bytes) {
    // As ReadDocument takes it: in Shift-JIS, or saved again as UTF-8 with or without a byte order mark.
    if (bytes.starts_with(kUtf8Mark)) return bytes.substr(kUtf8Mark.size()).starts_with(kBasicSection);
    return bytes.starts_with(ToShiftJis(kBasicSection)) || bytes.starts_with(kBasicSection);
}

Document ReadDocumentFile(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const RuntimeError& error) {
        Fail(error.Description());
    }
    return ReadDocument(bytes);
}

void WriteDocumentFile(const std::string& path, const Document& document) {
    const std::string bytes = WriteDocument(document);
    try {
        ReplaceFileContents(path, bytes);
    } catch (const RuntimeError& error) {
        throw RuntimeError(ErrorNumber::FileWrite,
                           RuntimeError::StandardDescription(ErrorNumber::FileWrite) + "\n" + error.Description());
    }
}

}  // namespace kurvo
