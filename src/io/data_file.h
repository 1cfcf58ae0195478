// The data file: a sectioned, comma-separated Shift-JIS text with CR LF line
// ends.  This module owns the format in both directions.  A Document is the
// plain content of one file; the commands copy it from and into the window.
//
//   [基本情報]
//   ,測定データ個数, 3            counts: blank in front (minus when negative), blank behind
//   ,測定変数個数, 2
//   ,推算組合数, 1
//   ,表題,試験
//   ,変数軸タイトル,T,P
//   [推算方法]
//   ,従属変数,YLog変換,Y逆数変換,独立変数,XLog変換,X逆数変換,X次数
//   ,P,0,0,T,0,0,1                one line per combination: the method grid's cells
//   [測定値]
//    , 1 ,1,3                     one line per data row: sample number, cell texts
//   [近似式係数]                   written after an estimation only, never read back
//    ,C0, 1
//   [推算値]
//    ,Ｙ1,x,y,y calc,difference,percent
//
// The reader takes the file as one stream of fields, closed by a comma or a
// line end, counts them by the three numbers at the top and stops after the
// last data row.  With no variable the title record and the data rows have no
// line end; the next record then starts on the same line and the stream still
// reads right.  A text holding a comma, a double quote or a line end, or
// beginning or ending with a blank, is written between double quotes with its
// inner quotes doubled; every other text is written as it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvo {

inline constexpr const char* kDataFileFilter = "データ ファイル (*.txt)|*.txt";
inline constexpr const char* kDataFileExtension = "*.txt";
inline constexpr const char* kNotOurDataMessage = "『Kurvo』のデータではありません";

// One row of the method grid.
struct MethodRow {
    // The texts of columns 1..7 (index 0..6): dependent variable, Y log,
    // Y reciprocal, independent variable, X log, X reciprocal, degree.
    std::array<std::string, 7> cells;
    // The numbers the reader takes from columns 2, 3, 5, 6 and 7.
    std::int16_t yLog = 0, yRecip = 0, xLog = 0, xRecip = 0, degree = 0;

    bool operator==(const MethodRow&) const = default;
};

// The results of one combination, written after an estimation.
struct CombinationResult {
    std::vector<double> coefficients;               // C0 .. C(degree)
    std::vector<std::array<std::string, 5>> lines;  // estimate grid rows of the valid samples

    bool operator==(const CombinationResult&) const = default;
};

struct Results {
    int highestPower = 0;  // the coefficient section has rows C0 .. C(highestPower)
    std::vector<CombinationResult> combinations;

    bool operator==(const Results&) const = default;
};

struct Document {
    std::string title;
    std::vector<std::string> variableTitles;     // one per variable in use: the variable count
    std::vector<MethodRow> methods;              // one per combination: the combination count
    std::vector<std::vector<std::string>> rows;  // data rows (the sample count), each one text per variable
    std::optional<Results> results;              // written only; the reader never fills it

    bool operator==(const Document&) const = default;
};

// Documents are Shift-JIS.  UTF-8 is read (an editor may have saved the file
// so) and written only where no character may be lost, for the recovery copy.
enum class FileEncoding { ShiftJis, Utf8 };

// The bytes of the file (CR LF).  In Shift-JIS the characters it cannot hold
// are written as "?" (DocumentLacks names them).
std::string WriteDocument(const Document& document, FileEncoding encoding = FileEncoding::ShiftJis);

// The characters of the document's texts that Shift-JIS cannot hold, each
// once, a space between neighbours; empty when it holds them all.
std::string DocumentLacks(const Document& document);

// Reads the bytes of a file up to the end of its data rows.  A first field
// other than "[基本情報]" (in Shift-JIS, or in UTF-8 with or without a byte
// order mark) raises RuntimeError (FileFormat) with the message
// "『Kurvo』のデータではありません"; any other fault raises it with the
// standard description of FileFormat, a line break and what was wrong: a
// record with a field too few or too many on its line, more data rows than
// the count, a field not in the file's encoding.
Document ReadDocument(std::string_view bytes);

// Whether the bytes begin with the first field of a data file, "[基本情報]"
// in Shift-JIS or in UTF-8 (after a byte order mark or not): a file the
// reader takes as this program's, refusals included.  kLongestDocumentStart
// bytes are enough to tell.
inline constexpr std::size_t kLongestDocumentStart = 32;
bool BeginsLikeDocument(std::string_view bytes);

// ReadDocument on the content of a file; a file that cannot be opened or read
// raises the second kind of error, and so does anything ReadWholeFile
// refuses (not a regular file, larger than its limit).
Document ReadDocumentFile(const std::string& path);

// WriteDocument into a file through ReplaceFileContents; a failure raises
// RuntimeError (FileWrite) with its standard description, a line break and
// the reason.
void WriteDocumentFile(const std::string& path, const Document& document);

// The text as a field of the file, before conversion to Shift-JIS: quoted
// when it would otherwise break the field stream.
std::string TextField(std::string_view text);

}  // namespace kurvo
