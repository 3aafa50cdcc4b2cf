// Intervals for one and two normal populations, on the built tables.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "../UserErrorChecks.h"
#include "core/estimation/NormalIntervals.h"
#include "core/sample/CellStore.h"
#include "core/sample/Readers.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

class NormalIntervals : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

SampleSummary Sample(int n, double mean, double stdDev, double secondMoment = 0.0) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  s.stdDev = stdDev;
  s.secondMoment = secondMoment;
  return s;
}

TwoSampleSummary Samples(const SampleSummary& first, const SampleSummary& second) { return {first, second}; }

void ExpectBounds(const NormalIntervalResult& r, double lower, double upper, double lowerOnly, double upperOnly,
                  double tolerance) {
  EXPECT_NEAR(r.lower, lower, tolerance);
  EXPECT_NEAR(r.upper, upper, tolerance);
  EXPECT_NEAR(r.lowerOnly, lowerOnly, tolerance);
  EXPECT_NEAR(r.upperOnly, upperOnly, tolerance);
}

constexpr NormalInterval kAllIntervals[] = {
    NormalInterval::MeanKnownSigma,       NormalInterval::MeanUnknownSigma,      NormalInterval::SigmaKnownMean,
    NormalInterval::SigmaUnknownMean,     NormalInterval::MeanDiffKnownSigmas,   NormalInterval::MeanDiffEqualSigmas,
    NormalInterval::MeanDiffUnequalSigmas, NormalInterval::SigmaRatioKnownMeans, NormalInterval::SigmaRatioUnknownMeans};

// Every known value 1.
NormalIntervalInput Input(NormalInterval kind, const TwoSampleSummary& samples, double level) {
  return {kind, samples, level, 1, 1, 1, 1, 1, 1};
}

// ---- worked examples ----

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // bound not given

struct WorkedRow {
  const char* name;
  NormalIntervalInput input;  // at c = 0.95
  double lower, upper, lowerOnly, upperOnly;
  double tolerance;
};

// c = 0.95 throughout, standard tables (z = 1.96, z1 = 1.64 read at 0.95).
const WorkedRow kWorked[] = {
    // (9.02, 10.98); one-sided 10 ∓ 1.64·2/4, hand-worked.
    {"MeanKnownSigma", {.kind = NormalInterval::MeanKnownSigma, .samples = Samples(Sample(16, 10, 0), {}), .sigma = 2},
     9.02, 10.98, 9.18, 10.82, 1e-12},
    // t = 2.1314 gives (8.9343, 11.0657); t1 = 1.7531 gives 9.12345 and 10.87655.
    {"MeanUnknownSigma", {NormalInterval::MeanUnknownSigma, Samples(Sample(16, 10, 2), {})}, 8.9343, 11.0657,
     9.12345, 10.87655, 5e-6},
    // Chi-square 19.023 and 2.700 give (1.37566, 3.65148); 16.919 and 3.325 give 1.45869, 3.29045.
    {"SigmaUnknownMean", {NormalInterval::SigmaUnknownMean, Samples(Sample(10, 0, 2), {})}, 1.37566, 3.65148,
     1.45869, 3.29045, 5e-6},
    // Hand-worked: w = √(9/25 + 16/25) = 1, D = 2.
    {"MeanDiffKnownSigmas", {.kind = NormalInterval::MeanDiffKnownSigmas,
      .samples = Samples(Sample(25, 7, 0), Sample(25, 5, 0)), .sigma1 = 3, .sigma2 = 4}, 0.04, 3.96, 0.36, 3.64, 1e-12},
    // Sw = 2, t = 2.1009: (−0.87910, 2.87910).
    {"MeanDiffEqualSigmas", {NormalInterval::MeanDiffEqualSigmas, Samples(Sample(10, 4, 2), Sample(10, 3, 2))},
     -0.87910, 2.87910, kNone, kNone, 5e-6},
    // Hand-worked from F(10, 10) at 0.025 = 3.72: ρ = 2.25/2.25 = 1 gives (1/√3.72, √3.72).
    {"SigmaRatioKnownMeans", {.kind = NormalInterval::SigmaRatioKnownMeans,
      .samples = Samples(Sample(10, 1.5, 0, 4.25), Sample(10, 2.5, 0, 8.25)), .mu1 = 1, .mu2 = 2}, 0.51848, 1.92873,
     kNone, kNone, 5e-6},
    // F value 4.03: (0.49814, 2.00749).
    {"SigmaRatioUnknownMeans",
     {NormalInterval::SigmaRatioUnknownMeans, Samples(Sample(10, 0, 1.5), Sample(10, 0, 1.5))}, 0.49814, 2.00749,
     kNone, kNone, 5e-6},
    // B = 0 gives all four bounds 0; s2 = 0 likewise.
    {"KnownMeansWithoutSpreadInTwo", {.kind = NormalInterval::SigmaRatioKnownMeans,
      .samples = Samples(Sample(10, 1, 0, 3), Sample(10, 2, 0, 4)), .mu2 = 2}, 0, 0, 0, 0, 0},
    {"UnknownMeansWithoutSpreadInTwo",
     {NormalInterval::SigmaRatioUnknownMeans, Samples(Sample(10, 1, 2), Sample(10, 2, 0))}, 0, 0, 0, 0, 0},
};

TEST_F(NormalIntervals, WorkedExamples) {
  for (const WorkedRow& row : kWorked) {
    SCOPED_TRACE(row.name);
    const NormalIntervalResult r = ComputeNormalInterval(tables, row.input);
    EXPECT_NEAR(r.lower, row.lower, row.tolerance);
    EXPECT_NEAR(r.upper, row.upper, row.tolerance);
    if (!std::isnan(row.lowerOnly)) {
      EXPECT_NEAR(r.lowerOnly, row.lowerOnly, row.tolerance);
    }
    if (!std::isnan(row.upperOnly)) {
      EXPECT_NEAR(r.upperOnly, row.upperOnly, row.tolerance);
    }
  }
}

// Look-ups in the order lower, upper, one-sided lower, one-sided upper, as the worked example
// of the σ interval (n = 10, s = 2) reads them; intermediates as a worked solution shows them.
TEST_F(NormalIntervals, LookUpsAndIntermediates) {
  const NormalIntervalResult r = ComputeSigmaIntervalUnknownMean(tables, Sample(10, 0, 2), 0.95);
  EXPECT_EQ(r.intermediates.find("R"), 36.0);
  ASSERT_EQ(r.criticalValues.size(), 4u);
  const double expected[] = {19.023, 2.700, 16.919, 3.325};
  const char* tableNames[] = {"xfb1", "xfb", "xfb1", "xfb"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(r.criticalValues[i].value, expected[i], 5e-4) << i;
    EXPECT_EQ(r.criticalValues[i].table, tableNames[i]) << i;
    EXPECT_EQ(r.criticalValues[i].df, 9) << i;
  }
  const NormalIntervalResult t = ComputeMeanIntervalUnknownSigma(tables, Sample(16, 10, 2), 0.95);
  EXPECT_EQ(t.criticalValues[0].df, 15);
  EXPECT_NEAR(*t.intermediates.find("t"), 2.1314, 5e-5);
  EXPECT_NEAR(*t.intermediates.find("t1"), 1.7531, 5e-5);
  const NormalIntervalResult pooled =
      ComputeMeanDiffIntervalEqualSigmas(tables, Samples(Sample(10, 4, 2), Sample(10, 3, 2)), 0.95);
  EXPECT_NEAR(*pooled.intermediates.find("Sw"), 2.0, 1e-12);
  EXPECT_NEAR(*pooled.intermediates.find("k"), std::sqrt(0.2), 1e-12);
  EXPECT_EQ(pooled.criticalValues[0].df, 18);
}

// Worked example: with μ equal to the mean, the known-mean interval is the unknown-mean one
// computed with n degrees of freedom and Q = Σ(x − x̄)². Here Q = 10·(28.6 − 25) = 36, the R
// of a sample of 11 with s² = 3.6. Tolerance 1e-12.
TEST_F(NormalIntervals, SigmaKnownMeanMatchesUnknownMeanWithOneMoreDegree) {
  const NormalIntervalResult known = ComputeSigmaIntervalKnownMean(tables, Sample(10, 5, 0, 28.6), 0.95, 5);
  const NormalIntervalResult unknown = ComputeSigmaIntervalUnknownMean(tables, Sample(11, 5, std::sqrt(3.6)), 0.95);
  EXPECT_NEAR(*known.intermediates.find("Q"), 36.0, 1e-12);
  ExpectBounds(known, unknown.lower, unknown.upper, unknown.lowerOnly, unknown.upperOnly, 1e-12);
}

// Equal values read from the grid: the sum of squared deviations from their own value is 0 in
// real arithmetic but comes out just below (Q, 2.7) or above (B, 0.7) 0 by rounding. Both are
// that 0: bounds (0, 0), neither a refusal nor a huge ratio.
TEST_F(NormalIntervals, RoundingNoiseInSquaresIsZero) {
  CellStore grid(3, 6);
  for (int c = 1; c <= 3; ++c) {
    grid.setText(1, c, "2.7");
    grid.setText(2, c, "0.7");
  }
  const TwoSampleSummary read = ReadTwoSamples(grid, InputMode::One);
  const SampleSummary& a = read.first;
  const SampleSummary& b = read.second;
  ASSERT_LT(a.secondMoment - 2 * 2.7 * a.mean + 2.7 * 2.7, 0.0) << "data no longer exercise the guard";
  ASSERT_GT(b.secondMoment - 2 * 0.7 * b.mean + 0.7 * 0.7, 0.0) << "data no longer exercise the guard";
  ExpectBounds(ComputeSigmaIntervalKnownMean(tables, a, 0.95, 2.7), 0, 0, 0, 0, 0);
  ExpectBounds(ComputeSigmaRatioIntervalKnownMeans(tables, read, 0.95, 2, 0.7), 0, 0, 0, 0, 0);
}

// ---- approximate degrees of freedom ----

// Worked example: n1 = 10, n2 = 15, s1 = 2, s2 = 3: the formula gives 22.99, so ν = 22 (rounded
// down); w = 1 and the interval is D ∓ TQuantile(22, 0.025) = D ∓ 2.0739 (t table, 4 decimals).
TEST_F(NormalIntervals, MeanDiffUnequalSigmasWorkedExample) {
  const NormalIntervalResult r =
      ComputeMeanDiffIntervalUnequalSigmas(tables, Samples(Sample(10, 6, 2), Sample(15, 5, 3)), 0.95);
  EXPECT_NEAR(*r.intermediates.find("nu"), 22.99, 5e-3);
  EXPECT_EQ(r.intermediates.find("nuWhole"), 22.0);
  EXPECT_NEAR(*r.intermediates.find("w"), 1.0, 1e-12);
  EXPECT_EQ(r.criticalValues[0].df, 22);
  EXPECT_NEAR(r.criticalValues[0].value, 2.0739, 5e-5);
  EXPECT_NEAR(r.lower, 1 - r.criticalValues[0].value, 1e-12);
  EXPECT_NEAR(r.upper, 1 + r.criticalValues[0].value, 1e-12);
}

// Degrees of freedom of the unequal-σ interval with equal spreads: 2(n − 1) in real arithmetic.
TEST_F(NormalIntervals, MeanDiffUnequalSigmasDegreesOfFreedom) {
  struct Case { const char* name; int n; double nuWhole; bool normal; };
  const Case cases[] = {
      // Worked example: n1 = n2 = 10, s1 = s2 gives ν = 18, as the equal-σ interval.
      {"ten each", 10, 18, false},
      // (1/6 + 1/6)² / (2/180) = 10, computed as 9.999999999999998: the whole part is 10, not 9.
      {"six each, rounding just below", 6, 10, false},
      // ν = 78 > 45: the t look-up takes the normal approximation.
      {"forty each", 40, 78, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TwoSampleSummary samples = Samples(Sample(c.n, 4, 2), Sample(c.n, 3, 2));
    const NormalIntervalResult r = ComputeMeanDiffIntervalUnequalSigmas(tables, samples, 0.95);
    EXPECT_EQ(r.intermediates.find("nuWhole"), c.nuWhole);
    EXPECT_EQ(r.criticalValues[0].normalApproximation, c.normal);
    const NormalIntervalResult pooled = ComputeMeanDiffIntervalEqualSigmas(tables, samples, 0.95);
    ExpectBounds(r, pooled.lower, pooled.upper, pooled.lowerOnly, pooled.upperOnly, 1e-12);
  }
}

// n1²·(n1 − 1) = 32767²·32766 is far beyond 16 (and 32) bits: ν still lies between
// min(n1, n2) − 1 and n1 + n2 − 2.
TEST_F(NormalIntervals, MeanDiffUnequalSigmasLargeSamples) {
  const NormalIntervalResult r =
      ComputeMeanDiffIntervalUnequalSigmas(tables, Samples(Sample(32767, 1, 2), Sample(20000, 0, 3)), 0.95);
  const double nu = *r.intermediates.find("nu");
  EXPECT_GE(nu, 19999);
  EXPECT_LE(nu, 32767 + 20000 - 2);
  EXPECT_LT(r.lower, 1);
  EXPECT_GT(r.upper, 1);
}

// ---- faults ----

TEST_F(NormalIntervals, ConfidenceLevelStrictlyBetweenZeroAndOne) {
  const TwoSampleSummary samples = Samples(Sample(10, 1, 2, 5), Sample(10, 0, 3, 9));
  for (double level : {0.0, 1.0, -0.2, 1.01, std::numeric_limits<double>::quiet_NaN()}) {
    for (NormalInterval kind : kAllIntervals) {
      SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind) << ", level " << level);
      ExpectUserError([&] { ComputeNormalInterval(tables, Input(kind, samples, level)); }, "置信水平数据缺乏");
    }
  }
}

TEST_F(NormalIntervals, SamplesOfFewerThanThree) {
  for (NormalInterval kind : kAllIntervals) {
    SCOPED_TRACE(static_cast<int>(kind));
    const SampleSummary few = Sample(2, 1, 1, 2), enough = Sample(10, 1, 1, 2);
    ExpectUserError([&] { ComputeNormalInterval(tables, Input(kind, Samples(few, enough), 0.95)); }, "样本量错误");
    if (UsesSecondSample(kind))
      ExpectUserError([&] { ComputeNormalInterval(tables, Input(kind, Samples(enough, few), 0.95)); }, "样本量错误");
  }
}

TEST_F(NormalIntervals, Refusals) {
  const TwoSampleSummary good = Samples(Sample(10, 1, 2, 5), Sample(10, 0, 3, 9));
  struct Case {
    const char* name;
    std::function<void()> compute;
    const char* message;
  };
  const Case cases[] = {
      // A negative σ swapped the bounds.
      {"negative known σ", [&] { ComputeMeanIntervalKnownSigma(tables, good.first, 0.95, -2); }, "已知标准差不能为负"},
      {"negative known σ2", [&] { ComputeMeanDiffIntervalKnownSigmas(tables, good, 0.95, 1, -1); }, "已知标准差不能为负"},
      // A typed negative standard deviation.
      {"negative s, mean", [&] { ComputeMeanIntervalUnknownSigma(tables, Sample(10, 1, -2), 0.95); }, "样本标准差不能为负"},
      {"negative s, σ", [&] { ComputeSigmaIntervalUnknownMean(tables, Sample(10, 1, -2), 0.95); }, "样本标准差不能为负"},
      {"negative s1, pooled", [&] { ComputeMeanDiffIntervalEqualSigmas(tables, Samples(Sample(10, 1, -1), Sample(10, 1, 1)), 0.95); },
       "样本标准差不能为负"},
      {"negative s2, ratio", [&] { ComputeSigmaRatioIntervalUnknownMeans(tables, Samples(Sample(10, 1, 1), Sample(10, 1, -1)), 0.95); },
       "样本标准差不能为负"},
      // m2 = 1 with mean 5 and μ = 5: Q = 10·(1 − 50 + 25) < 0 under the root.
      {"negative Q", [&] { ComputeSigmaIntervalKnownMean(tables, Sample(10, 5, 0, 1), 0.95, 5); }, "偏差平方和为负,无法计算该区间"},
      // A < 0 (and so ρ < 0) under the root.
      {"negative A", [&] { ComputeSigmaRatioIntervalKnownMeans(tables, Samples(Sample(10, 5, 0, 1), Sample(10, 0, 0, 4)), 0.95, 5, 0); },
       "偏差平方和为负,无法计算该区间"},
      {"negative B", [&] { ComputeSigmaRatioIntervalKnownMeans(tables, Samples(Sample(10, 0, 0, 4), Sample(10, 5, 0, 1)), 0.95, 0, 5); },
       "偏差平方和为负,无法计算该区间"},
      // s2 = 0 divided by zero in the degrees of freedom.
      {"unequal σ with s2 = 0", [&] { ComputeMeanDiffIntervalUnequalSigmas(tables, Samples(Sample(10, 1, 2), Sample(10, 0, 0)), 0.95); },
       "样本二的标准差为0,无法计算该区间"},
      {"overflowing bound", [&] { ComputeMeanIntervalKnownSigma(tables, Sample(16, 1.7e308, 0), 0.95, 1e308); }, "无法计算该区间"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectUserError(c.compute, c.message);
  }
}

// A copy of the built tables with one cell changed, to make a look-up give 0.
class DamagedTables : public ::testing::Test {
 protected:
  static std::string Path() {
    return (std::filesystem::path(::testing::TempDir()) / ("kelvo_intervals_" + std::to_string(::getpid()) + ".db"))
        .string();
  }
  void Damage(const std::string& sql) {
    std::filesystem::copy_file(KELVO_TABLES_DB, Path(), std::filesystem::copy_options::overwrite_existing);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    tables.open(Path());
  }
  void TearDown() override { std::filesystem::remove(Path()); }
  TableStore tables;
};

TEST_F(DamagedTables, ChiSquareLookUpOfZero) {
  // x4 of xfb1 is the 0.025 column: the lower bound of a sample of 10 divides by it.
  Damage("UPDATE xfb1 SET x4 = 0 WHERE x0 = 9");
  ASSERT_EQ(ChiSquareQuantile(tables, 9, 0.025).value, 0.0);
  ExpectUserError([&] { ComputeSigmaIntervalUnknownMean(tables, Sample(10, 0, 2), 0.95); }, "查表值为0,无法计算该区间");
}

TEST_F(DamagedTables, FLookUpOfZero) {
  // An infinite F(9, 9) at 0.025 makes the lower quantile at 0.975 its reciprocal, 0.
  Damage("UPDATE ffb0025 SET f9 = 9e999 WHERE f0 = 9");
  ASSERT_EQ(FQuantile(tables, 9, 9, 0.975).value, 0.0);
  ExpectUserError([&] { ComputeSigmaRatioIntervalUnknownMeans(tables, Samples(Sample(10, 0, 1), Sample(10, 0, 1)), 0.95); },
                "查表值为0,无法计算该区间");
}

}  // namespace
}  // namespace kelvo
