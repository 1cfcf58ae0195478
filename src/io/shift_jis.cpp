#include "io/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>

#include "state/runtime_error.h"

namespace kurvo {
namespace {

constexpr const char* kCodePage = "CP932";

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// One conversion descriptor for the length of one conversion.
class Converter {
public:
    Converter(const char* to, const char* from, ErrorNumber onMissing) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw RuntimeError(onMissing, "文字コード CP932 (Shift-JIS) の変換を使えません。");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of `in` as it can into `out`; returns the errno of the
    // stop (0 when everything was converted).
    int Convert(std::string_view& in, std::string& out) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        int stop = 0;
        while (inLeft > 0) {
            char buffer[1024];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                stop = errno;
                break;
            }
        }
        in.remove_prefix(in.size() - inLeft);
        return stop;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence at the start of `text`: the lead byte and the
// continuation bytes that follow it, at least one byte.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t expected = 1;
    if (lead >= 0xC0 && lead < 0xE0) expected = 2;
    else if (lead >= 0xE0 && lead < 0xF0) expected = 3;
    else if (lead >= 0xF0 && lead < 0xF8) expected = 4;
    std::size_t length = 1;
    while (length < expected && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// Characters code page 932 holds under the code of another character that
// stands for the same: the micro sign as the Greek mu, the Latin A with ring
// as the Angstrom sign.
constexpr std::pair<std::string_view, std::string_view> kSameCharacter[] = {
    {"\u00b5", "\u03bc"},
    {"\u00c5", "\u212b"},
};

// ToShiftJis; with `lacking`, the characters that became "?" go there, each once.
std::string Encode(std::string_view utf8, std::vector<std::string>* lacking) {
    if (IsAscii(utf8)) return std::string(utf8);
    Converter converter(kCodePage, "UTF-8", ErrorNumber::FileWrite);
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        if (converter.Convert(utf8, out) == 0) break;
        // A character code page 932 has no code for, or a broken sequence.
        const std::string_view character = utf8.substr(0, Utf8SequenceLength(utf8));
        utf8.remove_prefix(character.size());
        const auto same = std::find_if(std::begin(kSameCharacter), std::end(kSameCharacter),
                                       [&](const auto& pair) { return pair.first == character; });
        if (same != std::end(kSameCharacter)) {
            std::string_view other = same->second;
            converter.Convert(other, out);
            continue;
        }
        out += '?';
        if (lacking && std::find(lacking->begin(), lacking->end(), character) == lacking->end())
            lacking->emplace_back(character);
    }
    return out;
}

}  // namespace

std::string ToShiftJis(std::string_view utf8) { return Encode(utf8, nullptr); }

std::vector<std::string> ShiftJisLacks(std::string_view utf8) {
    std::vector<std::string> lacking;
    Encode(utf8, &lacking);
    return lacking;
}

bool IsUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto lead = static_cast<unsigned char>(bytes[0]);
        const std::size_t length = Utf8SequenceLength(bytes);
        if (lead >= 0x80) {
            // Lead bytes C2..F4 only, the full number of continuation bytes,
            // no overlong form, no surrogate, nothing beyond U+10FFFF.
            const auto second = length > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
            const std::size_t expected = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (lead < 0xC2 || lead > 0xF4 || length != expected) return false;
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
                (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
                return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

std::optional<std::string> FromShiftJis(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    Converter converter("UTF-8", kCodePage, ErrorNumber::FileFormat);
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    if (converter.Convert(bytes, out) != 0) return std::nullopt;
    return out;
}

}  // namespace kurvo
