// Large-sample intervals (0-1, binomial, Poisson, exponential) on the built tables.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "../UserErrorChecks.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

class LargeSampleIntervals : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

SampleSummary Sample(int n, double mean) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  return s;
}


// Worked examples at c = 0.95 with z = 1.96 from the standard normal table; the bounds are
// printed to five decimals there, so the tolerance is 5e-6.
TEST_F(LargeSampleIntervals, WorkedExamples) {
  struct Case {
    const char* name;
    LargeSampleInterval kind;
    int n;
    double mean;
    int trialCount;
    double lower, upper;
  };
  const Case cases[] = {
      {"0-1, n = 100, mean 0.5", LargeSampleInterval::BernoulliP, 100, 0.5, 0, 0.40383, 0.59617},
      {"binomial N = 10, n = 20, mean 3", LargeSampleInterval::BinomialP, 20, 3, 10, 0.24075, 0.36679},
      {"Poisson, n = 50, mean 2", LargeSampleInterval::PoissonLambda, 50, 2, 0, 1.64454, 2.43229},
      {"exponential, n = 100, mean 10", LargeSampleInterval::ExponentialTheta, 100, 10, 0, 8.36120, 12.43781},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const IntervalResult r = ComputeLargeSampleInterval(tables, {c.kind, Sample(c.n, c.mean), 0.95, c.trialCount});
    EXPECT_NEAR(r.lower, c.lower, 5e-6);
    EXPECT_NEAR(r.upper, c.upper, 5e-6);
    ASSERT_EQ(r.criticalValues.size(), 1u);
    EXPECT_EQ(r.criticalValues[0].value, 1.96);
    EXPECT_EQ(r.criticalValues[0].probability, 0.975);
    EXPECT_EQ(r.intermediates.find("z"), 1.96);
  }
}

TEST_F(LargeSampleIntervals, ConfidenceLevelStrictlyBetweenZeroAndOne) {
  for (double level : {0.0, 1.0, -0.5, 1.5, std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(level);
    for (LargeSampleInterval kind : {LargeSampleInterval::BernoulliP, LargeSampleInterval::BinomialP,
                                     LargeSampleInterval::PoissonLambda, LargeSampleInterval::ExponentialTheta})
      ExpectUserError([&] { ComputeLargeSampleInterval(tables, {kind, Sample(100, 0.5), level, 10}); }, "置信水平数据缺乏");
  }
}

TEST_F(LargeSampleIntervals, Refusals) {
  struct Case {
    const char* name;
    std::function<void()> compute;
    const char* message;
  };
  const Case cases[] = {
      {"empty 0-1 sample", [&] { ComputeProportionInterval(tables, Sample(0, 0), 0.95); }, "样本量太小"},
      {"empty binomial sample", [&] { ComputeBinomialInterval(tables, Sample(0, 0), 0.95, 10); }, "样本量太小"},
      // n = 0 made A = 0 in the Poisson quadratic.
      {"empty Poisson sample", [&] { ComputePoissonInterval(tables, Sample(0, 0), 0.95); }, "样本量太小"},
      {"empty exponential sample", [&] { ComputeExponentialInterval(tables, Sample(0, 0), 0.95); }, "样本量太小"},
      // N = 0 made A = 0 in the binomial quadratic.
      {"binomial N = 0", [&] { ComputeBinomialInterval(tables, Sample(20, 3), 0.95, 0); }, "二项分布的N必须是正整数"},
      {"binomial N < 0", [&] { ComputeBinomialInterval(tables, Sample(20, 3), 0.95, -4); }, "二项分布的N必须是正整数"},
      // 0-1 mean 2: B² − 4AC = z²(4n·2·(1 − 2) + z²) < 0.
      {"0-1 mean outside [0, 1]", [&] { ComputeProportionInterval(tables, Sample(100, 2), 0.95); }, "无法计算该区间"},
      // Poisson mean −1: B² − 4AC = 4n·(−1)·z² + z⁴ < 0.
      {"negative Poisson mean", [&] { ComputePoissonInterval(tables, Sample(50, -1), 0.95); }, "无法计算该区间"},
      {"overflowing Poisson mean", [&] { ComputePoissonInterval(tables, Sample(50, 1e300), 0.95); }, "无法计算该区间"},
      // √3 = 1.732 < z = 1.96: the upper bound would divide by a negative number.
      {"exponential √n below z", [&] { ComputeExponentialInterval(tables, Sample(3, 10), 0.95); },
       "样本量太小,无法计算该区间"},
      // c = 0.6826 looks up Φ(z) = 0.8413: z = 1.00 = √1.
      {"exponential √n equal to z", [&] { ComputeExponentialInterval(tables, Sample(1, 10), 0.6826); },
       "样本量太小,无法计算该区间"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectUserError(c.compute, c.message);
  }
}

// z = NormalQuantile(0.75) = 0.67 and √1 = 1 > z: one observation is enough at this level.
TEST_F(LargeSampleIntervals, ExponentialNeedsRootNAboveZ) {
  ASSERT_EQ(NormalQuantile(tables, 0.75).value, 0.67) << "table no longer gives the reference z";
  ASSERT_EQ(NormalQuantile(tables, 0.6826 / 2 + 0.5).value, 1.0) << "the refusal at √n = z needs z = 1";
  const IntervalResult r = ComputeExponentialInterval(tables, Sample(1, 10), 0.5);
  EXPECT_NEAR(r.lower, 10 / 1.67, 1e-12);
  EXPECT_NEAR(r.upper, 10 / 0.33, 1e-9);
  // n = 4: √4 = 2 > 1.96.
  const IntervalResult four = ComputeExponentialInterval(tables, Sample(4, 10), 0.95);
  EXPECT_NEAR(four.upper, 20 / 0.04, 1e-9);
}

// At a level so low that z = 0, B² and 4AC agree in real arithmetic: the interval shrinks to
// the mean instead of being refused for a rounding-negative discriminant.
TEST_F(LargeSampleIntervals, ZeroQuantileGivesThePointEstimate) {
  ASSERT_EQ(NormalQuantile(tables, 0.5005).value, 0.0);
  for (double mean : {0.3, 0.7, 0.1, 0.9}) {
    SCOPED_TRACE(mean);
    const IntervalResult r = ComputeProportionInterval(tables, Sample(7, mean), 0.001);
    EXPECT_NEAR(r.lower, mean, 1e-7);
    EXPECT_NEAR(r.upper, mean, 1e-7);
  }
}

// n·N² = 2.7e13 is far beyond 16 and 32 bits; the interval still brackets mean/N.
TEST_F(LargeSampleIntervals, BinomialBeyondSixteenBits) {
  const IntervalResult r = ComputeBinomialInterval(tables, Sample(30000, 12000), 0.95, 30000);
  EXPECT_LT(r.lower, 0.4);
  EXPECT_GT(r.upper, 0.4);
  // Half-width ≈ z·√(p(1 − p)/(n·N)) = 1.96·√(0.24/9e8) ≈ 3.2e-5 (normal approximation).
  EXPECT_NEAR(r.upper - r.lower, 2 * 1.96 * std::sqrt(0.24 / 9e8), 1e-7);
}

}  // namespace
}  // namespace kelvo
