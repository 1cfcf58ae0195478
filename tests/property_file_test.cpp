// Every file of the fuzz corpora (the seeds and the inputs the fuzzers once
// stumbled on): a data file of tests/fuzz/corpus is refused with the reader's
// message or reads back the same after writing; a clipboard text of
// tests/fuzz/clipboard_corpus pastes and copies back as the fuzzer checks.
//
// Random documents written to a file and read back come back as they were;
// put into the window as Open does and taken out as Save does, they give the
// same file again.  Seeded; a failure names its case.
#include <random>

#include "fuzz/round_trip.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

constexpr int kCases = 2000;
constexpr unsigned kSeed = 20070328;

// Pieces of text: the field and line separators, quotes, half-width kana, a
// trail byte like a backslash and characters of the NEC and IBM rows.
const char* const kPieces[] = {"a", "Z", "7", ".", "-", "\\", "~", ",", "\"", " ", "\r\n", "｡", "ｱ", "ﾟ",
                               "表", "測", "あ", "①", "ⅰ", "㈱", "～", "＼", "Ω", "Ж"};

int Pick(std::mt19937& rng, int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); }

std::string RandomText(std::mt19937& rng, int maxPieces) {
    std::string text;
    for (int i = Pick(rng, maxPieces + 1); i > 0; --i) text += kPieces[Pick(rng, static_cast<int>(std::size(kPieces)))];
    return text;
}

// Counts as the window's grids give them: the last data row and column hold
// text, and every method row names its dependent variable.
Document RandomDocument(std::mt19937& rng) {
    Document d;
    d.title = RandomText(rng, 12);
    const int m = Pick(rng, 6);
    const int n = m == 0 ? 0 : Pick(rng, 4) == 0 ? 100 : 1 + Pick(rng, 12);
    for (int v = 0; v < m; ++v) d.variableTitles.push_back(RandomText(rng, 6));
    d.rows.assign(n, std::vector<std::string>(m));
    for (auto& row : d.rows)
        for (auto& cell : row) cell = RandomText(rng, 8);
    if (n > 0) d.rows.back().back() += "x";
    for (int i = Pick(rng, 5); i > 0; --i) {
        MethodRow row;
        row.cells = {RandomText(rng, 6) + "y", "", "", RandomText(rng, 6)};
        std::int16_t* numbers[] = {&row.yLog, &row.yRecip, &row.xLog, &row.xRecip, &row.degree};
        const int columns[] = {1, 2, 4, 5, 6};
        for (int f = 0; f < 5; ++f) {
            *numbers[f] = static_cast<std::int16_t>(Pick(rng, f == 4 ? 7 : 2));
            row.cells[columns[f]] = std::to_string(*numbers[f]);
        }
        d.methods.push_back(row);
    }
    return d;
}

TEST(FuzzCorpus, EveryFileIsRefusedOrSurvivesTheRoundTrip) {
    const auto root = std::filesystem::path(KURVO_TEST_DATA).parent_path() / "fuzz";
    using Check = std::optional<std::string> (*)(std::string_view);
    for (const auto& [folder, check] : {std::pair<const char*, Check>{"corpus", fuzz::RoundTripFault},
                                        std::pair<const char*, Check>{"clipboard_corpus", fuzz::PasteFault}}) {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(root / folder)) {
            std::optional<std::string> fault;
            EXPECT_NO_THROW(fault = check(FileBytes(entry.path()))) << entry.path();
            EXPECT_FALSE(fault) << entry.path() << ": " << fault.value_or("");
            ++files;
        }
        EXPECT_GE(files, 8) << folder;
    }
}

TEST(SaveOpenProperty, RandomDocumentsComeBackAsWritten) {
    std::mt19937 rng(kSeed);
    for (int n = 0; n < kCases; ++n) {
        const Document written = RandomDocument(rng);
        const std::string bytes = WriteDocument(written);
        ASSERT_EQ(ReadDocument(bytes), written) << "case " << n;
        Workbench wb;
        ApplyDocument(wb.app, written);
        ASSERT_EQ(WriteDocument(CaptureDocument(wb.app)), bytes) << "case " << n;
    }
}

}  // namespace
}  // namespace kurvo::test
