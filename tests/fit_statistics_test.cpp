// ComputeFigures and BandAtX against NIST's certified standard deviations and
// figures solved exactly (tests/data/fit_statistics.tsv).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "checks.h"
#include "fit/degree_table.h"
#include "fit/fit_statistics.h"

namespace kurvo {
namespace {

// Each word of `expected` ("-" for none) against the figure in its place.
void ExpectFigures(const std::string& expected, const std::vector<std::optional<double>>& figures, double tolerance) {
    const std::vector<std::string> words = test::Words(expected);
    ASSERT_EQ(words.size(), figures.size()) << expected;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "-") {
            EXPECT_FALSE(figures[i]) << "figure " << i;
            continue;
        }
        ASSERT_TRUE(figures[i]) << "figure " << i;
        const double value = test::NumberField(words[i]);
        EXPECT_NEAR(*figures[i], value, tolerance * (value == 0 ? 1 : std::fabs(value))) << "figure " << i;
    }
}

// The samples of a row: its transform flags (y log, y reciprocal, x log, x
// reciprocal) and its measured x and y.
FitSamples SamplesOf(const std::string& transforms, const std::string& x, const std::string& y) {
    const std::vector<double> flags = test::Numbers(transforms);
    const auto flag = [&](std::size_t i) { return static_cast<std::int16_t>(flags[i]); };
    FitSamples samples;
    samples.transforms = {flag(0), flag(1), flag(2), flag(3)};
    for (const double v : test::Numbers(x)) samples.x.push_back(ForwardTransform(v, flag(2), flag(3)));
    samples.measured = test::Numbers(y);
    for (const double v : samples.measured) samples.y.push_back(ForwardTransform(v, flag(0), flag(1)));
    return samples;
}

TEST(FitStatistics, CertifiedAndExactFigures) {
    std::map<std::string, std::vector<std::string>> nist;
    for (auto& row : test::ReadCases("least_squares_reference.tsv", 10)) nist[row[0]] = row;
    for (auto row : test::ReadCases("fit_statistics.tsv", 13)) {
        SCOPED_TRACE(row[0]);
        if (row[3].empty()) std::copy_n(nist.at(row[0]).begin() + 1, 4, row.begin() + 1);
        const FitSamples samples = SamplesOf(row[2], row[3], row[4]);
        const Transforms& t = samples.transforms;
        const FitReport report = FitCombination(samples, std::stoi(row[1]));
        const FitFigures figures = ComputeFigures(samples, report, static_cast<ConfidenceLevel>(std::stoi(row[5])));
        const double x0 = row[9].empty() ? 0 : ForwardTransform(test::NumberField(row[9]), t.xLog, t.xRecip);
        if (row[6] == "-") {
            EXPECT_FALSE(figures.available);
            EXPECT_FALSE(BandAtX(report, figures, x0, samples.transforms));
            continue;
        }
        const double tolerance = test::NumberField(row[12]);
        std::vector<std::optional<double>> errors, p;
        for (const CoefficientFigures& c : figures.coefficients) errors.push_back(c.standardError), p.push_back(c.p);
        ExpectFigures(row[6], errors, tolerance);
        if (!row[7].empty()) ExpectFigures(row[7], p, tolerance);
        ExpectFigures(row[8], {figures.s, figures.rSquared, figures.adjustedRSquared}, tolerance);
        if (row[9].empty()) continue;
        const std::optional<BandAt> band = BandAtX(report, figures, x0, samples.transforms);
        ASSERT_TRUE(band);
        ExpectFigures(row[10], {band->confidence.lower, band->confidence.upper}, tolerance);
        ExpectFigures(row[11], {band->prediction.lower, band->prediction.upper}, tolerance);
    }
}

// Every degree of a held-out table against its exact figures (tests/data/degree_table.tsv).
TEST(FitStatistics, DegreeTable) {
    for (const auto& row : test::ReadCases("degree_table.tsv", 10)) {
        SCOPED_TRACE(row[0]);
        const std::vector<DegreeRow> rows = CompareDegrees(SamplesOf(row[1], row[2], row[3]));
        std::vector<std::optional<double>> squares, aicc, bic, press, p;
        for (const DegreeRow& degree : rows) {
            EXPECT_FALSE(degree.refusal) << "degree " << degree.degree;
            squares.push_back(degree.squares), aicc.push_back(degree.aicc), bic.push_back(degree.bic);
            press.push_back(degree.press), p.push_back(degree.fTestP);
        }
        const double tolerance = test::NumberField(row[9]);
        ExpectFigures(row[4], squares, tolerance);
        ExpectFigures(row[5], aicc, tolerance);
        ExpectFigures(row[6], bic, tolerance);
        ExpectFigures(row[7], press, tolerance);
        ExpectFigures(row[8], p, tolerance);
    }
}

}  // namespace
}  // namespace kurvo
