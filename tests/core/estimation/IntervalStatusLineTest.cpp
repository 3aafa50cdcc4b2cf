// The status line of the interval windows: the interval(s) and the table quantiles they were
// built with, 4 decimals each. Bounds worked by hand from the printed tables' values.
#include "core/estimation/IntervalStatusLine.h"

#include <gtest/gtest.h>

#include "core/estimation/NormalIntervals.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

class IntervalStatusLineTest : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

TwoSampleSummary OneSample(int n, double mean, double stdDev) {
  TwoSampleSummary s;
  s.first.n = n;
  s.first.mean = mean;
  s.first.stdDev = stdDev;
  s.first.variance = stdDev * stdDev;
  s.first.secondMoment = stdDev * stdDev * (n - 1) / n + mean * mean;
  return s;
}

TEST_F(IntervalStatusLineTest, LargeSampleIntervalWithItsQuantile) {
  IntervalResult r;
  r.lower = 0.23451;
  r.upper = 0.56789;
  r.criticalValues = {NormalQuantile(tables, 0.975)};
  EXPECT_EQ(StatusLine(r), "置信区间 (0.2345, 0.5679)，z₀.₀₂₅ = 1.9600");
}

// Mean, σ = 2 known, n = 16, x̄ = 10, c = 0.95: 10 ∓ 1.96·0.5 = (9.02, 10.98); the one-sided
// limits use the normal table's z₀.₀₅ = 1.64.
// Standard deviation, μ unknown, n = 10, s = 2: R = 36, √(36/19.023) = 1.37566,
// √(36/2.700) = 3.65148; the one-sided upper limit uses χ²₀.₉₅(9), the lower χ²₀.₀₅(9).
TEST_F(IntervalStatusLineTest, NormalIntervalsWithTheirQuantiles) {
  const NormalIntervalInput mean{.kind = NormalInterval::MeanKnownSigma, .samples = OneSample(16, 10, 1), .sigma = 2};
  EXPECT_EQ(StatusLine(ComputeNormalInterval(tables, mean), mean.kind),
            "双侧 (9.0200, 10.9800)，z₀.₀₂₅ = 1.9600；单侧 z₀.₀₅ = 1.6400");
  const NormalIntervalInput sigma{NormalInterval::SigmaUnknownMean, OneSample(10, 5, 2)};
  EXPECT_EQ(StatusLine(ComputeNormalInterval(tables, sigma), sigma.kind),
            "双侧 (1.3757, 3.6515)，χ²₀.₀₂₅(9) = 19.0230、χ²₀.₉₇₅(9) = 2.7000；"
            "单侧 χ²₀.₉₅(9) = 3.3250、χ²₀.₀₅(9) = 16.9190");
}

}  // namespace
}  // namespace kelvo
