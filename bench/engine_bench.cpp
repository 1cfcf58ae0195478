// Speed of the fitting engine and the graph drawing, printed by Google Benchmark.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "fit/degree_table.h"
#include "fit/fit_statistics.h"
#include "fit/least_squares.h"
#include "fit/solver.h"
#include "window/headless.h"

namespace {

// The runs below report failures as results; a message box would be a fault.
struct NoDialogs : kurvo::IUserDialogs {
    kurvo::MsgAnswer Message(const kurvo::MessageRequest&) override { std::abort(); }
    std::optional<std::string> ChooseFile(const kurvo::FileRequest&) override { std::abort(); }
};

struct Workbench : kurvo::HeadlessWindow {
    Workbench() : HeadlessWindow(dialogs) {}
    NoDialogs dialogs;
};

// 100 samples of a smooth curve with some scatter, x from 0.1 to 10.
double SampleX(int s) { return 0.1 * s; }
double SampleY(int s, int column) { return 3.0 + column * SampleX(s) - 0.2 * SampleX(s) * SampleX(s) + std::sin(s); }

void BM_FitPolynomial_100Samples_Degree6(benchmark::State& state) {
    kurvo::PowerTable powers;
    kurvo::ValueList values;
    for (int s = 1; s <= 100; ++s) {
        double p = 1.0;
        for (int j = 1; j <= 7; ++j, p *= SampleX(s)) powers(s, j) = p;
        values(s) = SampleY(s, 1);
    }
    kurvo::CoefficientList coefficients;
    for (auto _ : state) {
        kurvo::FitPolynomial(7, 100, powers, values, coefficients);
        benchmark::DoNotOptimize(coefficients);
    }
}
BENCHMARK(BM_FitPolynomial_100Samples_Degree6);

// The same samples through the normal equations and the QR reference that checks them.
void BM_FitLeastSquares_100Samples_Degree6(benchmark::State& state) {
    std::vector<double> x, y;
    for (int s = 1; s <= 100; ++s) {
        x.push_back(SampleX(s));
        y.push_back(SampleY(s, 1));
    }
    for (auto _ : state) benchmark::DoNotOptimize(kurvo::FitLeastSquares(x, y, 6));
}
BENCHMARK(BM_FitLeastSquares_100Samples_Degree6);

// The degree table of those samples: degrees 1 to 6, each fitted, weighed and left out one sample at a time.
void BM_CompareDegrees_100Samples(benchmark::State& state) {
    kurvo::FitSamples samples;
    for (int s = 1; s <= 100; ++s) {
        samples.rows.push_back(s);
        samples.x.push_back(SampleX(s));
        samples.y.push_back(SampleY(s, 1));
        samples.measured.push_back(SampleY(s, 1));
    }
    for (auto _ : state) benchmark::DoNotOptimize(kurvo::CompareDegrees(samples));
}
BENCHMARK(BM_CompareDegrees_100Samples);

void FillFourCombinations(Workbench& wb) {
    for (int s = 1; s <= 100; ++s) {
        wb.spdData.SetNumber(1, s, SampleX(s));
        for (int col = 2; col <= 5; ++col) wb.spdData.SetNumber(col, s, SampleY(s, col));
    }
    for (int c = 1; c <= 4; ++c) {
        wb.spdSpec.SetText(1, c, std::string(1, static_cast<char>('A' + c)));
        wb.spdSpec.SetText(4, c, "A");
        wb.spdSpec.SetText(7, c, "6");
    }
}

void BM_RunEstimation_4Combinations_100Samples_Degree6(benchmark::State& state) {
    Workbench wb;
    FillFourCombinations(wb);
    for (auto _ : state)
        if (const kurvo::Failure failure = wb.app.Estimate()) state.SkipWithError(failure->Description().c_str());
}
BENCHMARK(BM_RunEstimation_4Combinations_100Samples_Degree6);

// What the figures and the bands add to the run above: the four fits it makes
// (FillFourCombinations' columns), the figures of each and both bands at the
// graph's 201 steps across the samples.
struct FourFits {
    std::vector<kurvo::FitSamples> samples{4};
    std::vector<kurvo::FitReport> reports;
    FourFits() {
        for (int c = 0; c < 4; ++c) {
            for (int s = 1; s <= 100; ++s) {
                samples[c].x.push_back(SampleX(s));
                samples[c].y.push_back(SampleY(s, c + 2));
            }
            samples[c].measured = samples[c].y;
            reports.push_back(kurvo::FitCombination(samples[c], 6));
        }
    }
};

[[gnu::noinline]] double FiguresAndBands(const FourFits& fits) {
    double sum = 0;
    for (int c = 0; c < 4; ++c) {
        const kurvo::FitFigures figures = kurvo::ComputeFigures(fits.samples[c], fits.reports[c]);
        for (int step = 0; step <= 200; ++step) {
            const double x = SampleX(1) + step * (SampleX(100) - SampleX(1)) / 200;
            if (const auto band = kurvo::BandAtX(fits.reports[c], figures, x, fits.samples[c].transforms))
                sum += band->predictionHalfWidth;
        }
    }
    return sum;
}

void BM_FiguresAndBands_4Combinations_201Steps(benchmark::State& state) {
    const FourFits fits;
    for (auto _ : state) benchmark::DoNotOptimize(FiguresAndBands(fits));
}
BENCHMARK(BM_FiguresAndBands_4Combinations_201Steps);

void BM_DrawGraph_Degree6(benchmark::State& state) {
    Workbench wb;
    FillFourCombinations(wb);
    if (const kurvo::Failure failure = wb.app.Estimate()) state.SkipWithError(failure->Description().c_str());
    for (auto _ : state)
        if (const kurvo::Failure failure = wb.app.Draw(0, false, 0, 0, 0, 0))
            state.SkipWithError(failure->Description().c_str());
}
BENCHMARK(BM_DrawGraph_Degree6);

}  // namespace
