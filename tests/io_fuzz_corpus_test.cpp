// Every file of the fuzz corpus (tests/fuzz/corpus: the seeds and the inputs
// the fuzzer once stumbled on) read in the ordinary build: the reader refuses
// it with its message or gives a document that reads back the same after
// writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/round_trip.h"

namespace kurvo::test {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(KURVO_TEST_DATA).parent_path() / "fuzz" / "corpus";

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpus, EveryFileIsRefusedOrSurvivesTheRoundTrip) {
    const auto files = CorpusFiles();
    ASSERT_GE(files.size(), 8u) << kCorpus;
    for (const auto& file : files) {
        const std::string bytes = Bytes(file);
        std::optional<std::string> fault;
        EXPECT_NO_THROW(fault = fuzz::RoundTripFault(bytes)) << file.filename();
        EXPECT_FALSE(fault) << file.filename() << ": " << fault.value_or("");
    }
}

// The files the program itself writes for the examples are read, not refused.
TEST(FuzzCorpus, TheExamplesAsSavedAreRead) {
    int examples = 0;
    for (const auto& file : CorpusFiles()) {
        if (file.filename().string().rfind("example", 0) != 0) continue;
        ++examples;
        const Document d = ReadDocument(Bytes(file));
        EXPECT_FALSE(d.rows.empty()) << file.filename();
        EXPECT_FALSE(d.methods.empty()) << file.filename();
    }
    EXPECT_EQ(examples, 8);
}

}  // namespace
}  // namespace kurvo::test
