// The chi-square goodness-of-fit computation: classes, class probabilities, merging, the
// statistic and decision for each family of entries, the data checks and the refusals.
// Reference statistics are worked by hand from the class tables given beside them; critical
// values are those of the printed chi-square table (3 decimals).
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/hypothesis/GoodnessOfFit.h"
#include "core/shell/Errors.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

using Row = std::vector<std::string>;

// A sample grid with rows 1 to 3 filled from column 1 on ("" leaves a cell empty).
CellStore Sample(const Row& row1, const Row& row2 = {}, const Row& row3 = {}, int cols = 31) {
  CellStore store(4, cols);
  const Row* rows[] = {&row1, &row2, &row3};
  for (int r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < rows[r]->size(); ++c)
      store.setText(r + 1, static_cast<int>(c) + 1, (*rows[r])[c]);
  return store;
}

// A law grid: X in row 1, P in row 2.
CellStore Law(const Row& x, const Row& p) { return Sample(x, p); }

const CellStore kNoLaw(3, 31);

std::string MessageOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const InputError& e) {
    return e.what();
  }
  return "(no error)";
}

FittingClass Class(double lower, double upper, double observed, double expected,
                   double probability = 0.0) {
  FittingClass k;
  k.lower = lower;
  k.upper = upper;
  k.observed = observed;
  k.expected = expected;
  k.probability = probability;
  return k;
}

// ---------------------------------------------------------------------------------------
// Classes

TEST(FittingClasses, DiscreteClassesOnlyForValuesThatOccur) {
  struct Case {
    const char* name;
    FittingInputMode mode;
    Row values, counts;
    std::vector<FittingClass> expected;  // lower, upper, observed
  };
  const Case cases[] = {
      {"0 1 1 3: the value 2 gets no class", FittingInputMode::Individual, {"0", "1", "1", "3"}, {},
       {Class(0, 1, 1, 0), Class(1, 2, 2, 0), Class(3, 4, 1, 0)}},
      {"2 and 2.3 share [2, 3)", FittingInputMode::Individual, {"2", "2.3"}, {}, {Class(2, 3, 2, 0)}},
      {"unsorted, gaps skipped", FittingInputMode::Individual, {"5", "", "-1", "5"}, {},
       {Class(-1, 0, 1, 0), Class(5, 6, 2, 0)}},
      // Read as "skip within 0.5 of a class start", 1.6 would find no class and 2.9 a second [2, 3).
      {"1.6 after 2.3 keeps its own class", FittingInputMode::Individual, {"2.3", "1.6"}, {},
       {Class(1, 2, 1, 0), Class(2, 3, 1, 0)}},
      {"2.9 after 2.3 joins [2, 3)", FittingInputMode::Individual, {"2.3", "2.9"}, {},
       {Class(2, 3, 2, 0)}},
      {"repeat counts add up", FittingInputMode::RepeatCounts, {"3", "1", "3"}, {"4", "2", "5"},
       {Class(1, 2, 2, 0), Class(3, 4, 9, 0)}},
      {"a value with an empty count keeps a class", FittingInputMode::RepeatCounts, {"3", "1"},
       {"4", ""}, {Class(1, 2, 0, 0), Class(3, 4, 4, 0)}},
  };
  for (const Case& c : cases) {
    const auto classes = ReadClasses(Sample(c.values, c.counts), c.mode, FittingEntry::PoissonKnown);
    ASSERT_EQ(classes.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < classes.size(); ++i) {
      EXPECT_EQ(classes[i].lower, c.expected[i].lower) << c.name << " class " << i;
      EXPECT_EQ(classes[i].upper, c.expected[i].upper) << c.name << " class " << i;
      EXPECT_EQ(classes[i].observed, c.expected[i].observed) << c.name << " class " << i;
    }
  }
}

TEST(FittingClasses, NineEqualClassesCoverTheRangeWidenedByOne) {
  // Minimum 1 and maximum 8: h = (8 - 1 + 2) / 9 = 1, classes [0, 1), [1, 2), ..., [8, 9).
  const auto classes = ReadClasses(Sample({"1", "8", "4.5", "4", "1"}), FittingInputMode::Individual,
                                   FittingEntry::NormalKnown);
  ASSERT_EQ(classes.size(), 9u);
  const double observed[] = {0, 2, 0, 0, 2, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) {
    EXPECT_NEAR(classes[i].lower, i, 1e-12) << i;
    EXPECT_NEAR(classes[i].upper, i + 1, 1e-12) << i;
    EXPECT_EQ(classes[i].observed, observed[i]) << i;
  }
  // Repeat counts weigh each value by its count.
  const auto weighted = ReadClasses(Sample({"1", "8"}, {"3", "2"}), FittingInputMode::RepeatCounts,
                                    FittingEntry::UniformKnown);
  EXPECT_EQ(weighted[1].observed, 3);
  EXPECT_EQ(weighted[8].observed, 2);
}

TEST(FittingClasses, GroupedDataTakesTheTypedIntervals) {
  const auto classes = ReadClasses(Sample({"0", "", "10"}, {"10", "", "25"}, {"7", "99", "3"}),
                                   FittingInputMode::Grouped, FittingEntry::NormalUnknown);
  ASSERT_EQ(classes.size(), 2u);
  EXPECT_EQ(classes[0].lower, 0);
  EXPECT_EQ(classes[0].upper, 10);
  EXPECT_EQ(classes[0].observed, 7);
  EXPECT_EQ(classes[1].lower, 10);
  EXPECT_EQ(classes[1].upper, 25);
  EXPECT_EQ(classes[1].observed, 3);
  EXPECT_EQ(ReadFittingSample(Sample({"0", "", "10"}, {"10", "", "25"}, {"7", "99", "3"}),
                              FittingInputMode::Grouped).n, 10);
}

// ---------------------------------------------------------------------------------------
// Probabilities

TEST(FittingProbabilities, RunningProducts) {
  // λ^x / x! and C(n, x) from their definitions.
  struct Term { const char* name; int x; double lambda, expected; };
  const Term terms[] = {{"x = 0", 0, 5.0, 1.0}, {"2^3 / 3!", 3, 2.0, 8.0 / 6.0},
                        {"0.5^4 / 4!", 4, 0.5, 0.0625 / 24.0}};
  for (const Term& t : terms) EXPECT_NEAR(PoissonTerm(t.x, t.lambda), t.expected, 1e-15) << t.name;

  struct Coefficient { int n, x; double expected; };
  const Coefficient coefficients[] = {{5, 2, 10},   {10, 7, 120},    {6, 0, 1},  {6, 6, 1},
                                      {52, 5, 2598960}, {7, 3, 35}, {5, 7, 0}, {5, -1, 0}};
  for (const Coefficient& c : coefficients)
    EXPECT_NEAR(BinomialCoefficient(c.n, c.x), c.expected, 1e-9 * c.expected)
        << "C(" << c.n << ", " << c.x << ")";
}

TEST(FittingProbabilities, NormalClassesByDoublingLeftSums) {
  struct Case { const char* name; double a, b, mu, sigma, expected, tolerance; };
  const Case cases[] = {
      // Φ(1) - Φ(-1) = 0.6827 (normal table); the left-sum bias cancels on a symmetric class.
      {"symmetric [-1, 1)", -1, 1, 0, 1, 0.6827, 1e-4},
      // Φ(1) - Φ(0) = 0.34134 plus the left-sum bias h (f(0) - f(1)) / 2 at h = 0.005, where
      // 100 and 200 subintervals first agree within 0.001: 0.34134 + 0.00039 = 0.34174.
      {"stops at 200 subintervals", 0, 1, 0, 1, 0.34174, 2e-5},
      {"shifted and scaled", 10, 12, 10, 2, 0.34174, 2e-5},
      // σ = 0.01 on [0, 10): sums still differ by 0.016 at 25600 subintervals; the last one
      // is kept: 0.5 + h f(0) / 2 with h = 10 / 25600 and f(0) = 39.894.
      {"capped at 25600 subintervals", 0, 10, 0, 0.01, 0.50779, 1e-5},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(NormalClassProbability(c.a, c.b, c.mu, c.sigma), c.expected, c.tolerance) << c.name;
}

TEST(FittingProbabilities, LawProbabilityTakesTheFirstExactMatch) {
  const CellStore law = Law({"1", "", "2", "2"}, {"0.3", "0.9", "0.5", "0.2"});
  EXPECT_EQ(LawProbability(law, 2.0), 0.5);
  EXPECT_EQ(LawProbability(law, 1.0), 0.3);
  EXPECT_EQ(LawProbability(law, 0.0), 0.0);  // the empty X of column 2 is no point
  EXPECT_EQ(LawProbability(law, 1.5), 0.0);
}

TEST(FittingProbabilities, ZeroOneClassesTakeTheProbabilityOfTheirValue) {
  const FittingParameters q{.zeroOneP = 0.3};
  const auto onlyOnes =
      ClassProbabilities(FittingEntry::ZeroOneKnown, q, kNoLaw, {Class(1, 2, 6, 0)}, 6);
  EXPECT_NEAR(onlyOnes[0].probability, 0.3, 1e-15);
  EXPECT_NEAR(onlyOnes[0].expected, 1.8, 1e-12);
  const auto both = ClassProbabilities(FittingEntry::ZeroOneKnown, q, kNoLaw,
                                       {Class(0, 1, 1, 0), Class(1, 2, 1, 0)}, 2);
  EXPECT_NEAR(both[0].probability, 0.7, 1e-15);
  EXPECT_NEAR(both[1].probability, 0.3, 1e-15);
}

TEST(FittingProbabilities, ContinuousLawsAreNotClippedToTheirSupport) {
  // Uniform A = 0, B = 10, a sample from 2 to 8: nine classes spanning [1, 9), 0.8 in all.
  const FittingParameters uniform{.uniformB = 10};
  const auto u = ClassProbabilities(FittingEntry::UniformKnown, uniform, kNoLaw,
                                    BuildContinuousClasses(Sample({"2", "8", "5"}),
                                                           FittingInputMode::Individual), 3);
  double sum = 0;
  for (const FittingClass& k : u) sum += k.probability;
  EXPECT_NEAR(sum, 0.8, 1e-12);

  // Exponential, minimum 0.5 and maximum 5: the first class is [-0.5, 0.2222) and keeps
  // e^(0.5/θ) - e^(-0.2222/θ) = 0.27703 (θ = 2.75), far above 1 - e^(-0.2222/θ) = 0.07763.
  const FittingParameters exponential{.exponentialTheta = 2.75};
  const auto e = ClassProbabilities(FittingEntry::ExponentialKnown, exponential, kNoLaw,
                                    BuildContinuousClasses(Sample({"0.5", "5"}),
                                                           FittingInputMode::Individual), 2);
  EXPECT_NEAR(e[0].lower, -0.5, 1e-12);
  EXPECT_NEAR(e[0].probability, 0.27703, 1e-5);
}

TEST(FittingProbabilities, LargeParametersStayFinite) {
  struct Case { const char* name; FittingEntry entry; FittingParameters q; double a, b, expected, tolerance; };
  const FittingParameters poisson{.poissonLambda = 1000};
  const FittingParameters binomial{.binomialTrials = 2000, .binomialP = 0.5};
  const FittingParameters smallPoisson{.poissonLambda = 3};
  const Case cases[] = {
      // e^-1000 underflows and 1000^1000 / 1000! overflows; the mode's probability is
      // 1 / √(2π·1000) · (1 - 1/12000) = 0.0126146 (Stirling).
      {"Poisson mode at λ = 1000", FittingEntry::PoissonKnown, poisson, 1000, 1001, 0.0126146, 1e-6},
      // C(2000, 1000) overflows; C(2000, 1000) / 2^2000 = 1 / √(π·1000) · (1 - 1/8000) = 0.0178390.
      {"binomial centre at N = 2000", FittingEntry::BinomialKnown, binomial, 1000, 1001, 0.0178390, 1e-6},
      // A class of 10^12 whole numbers: all of the Poisson(3) law, summed without stalling.
      {"Poisson class [0, 10^12)", FittingEntry::PoissonKnown, smallPoisson, 0, 1e12, 1.0, 1e-12},
  };
  for (const Case& c : cases) {
    const auto k = ClassProbabilities(c.entry, c.q, kNoLaw, {Class(c.a, c.b, 1, 0)}, 100);
    EXPECT_NEAR(k[0].probability, c.expected, c.tolerance) << c.name;
  }
}

// ---------------------------------------------------------------------------------------
// Merging

TEST(FittingMerge, GroupsCloseAtFiveAndALastSmallGroupFoldsBack) {
  struct Case {
    const char* name;
    std::vector<double> expected;
    std::vector<double> merged;
    std::vector<std::pair<double, double>> bounds;
  };
  const Case cases[] = {
      {"2 2 2 6 1 -> 6 and 7", {2, 2, 2, 6, 1}, {6, 7}, {{0, 3}, {3, 5}}},
      {"exactly 5 stands alone", {5, 3, 4}, {5, 7}, {{0, 1}, {1, 3}}},
      {"nothing to merge", {6, 6, 9}, {6, 6, 9}, {{0, 1}, {1, 2}, {2, 3}}},
      {"small first and last classes", {1, 1, 10, 8, 2}, {12, 10}, {{0, 3}, {3, 5}}},
      {"everything below 5 together", {1, 1, 1}, {3}, {{0, 3}}},
  };
  for (const Case& c : cases) {
    std::vector<FittingClass> classes;
    for (std::size_t i = 0; i < c.expected.size(); ++i)
      classes.push_back(Class(i, i + 1.0, 10.0 * i + 1, c.expected[i], c.expected[i] / 100));
    const auto merged = MergeSmallClasses(classes);
    ASSERT_EQ(merged.size(), c.merged.size()) << c.name;
    double observed = 0, mergedObserved = 0;
    for (const FittingClass& k : classes) observed += k.observed;
    for (std::size_t i = 0; i < merged.size(); ++i) {
      EXPECT_EQ(merged[i].expected, c.merged[i]) << c.name << " class " << i;
      EXPECT_NEAR(merged[i].probability, c.merged[i] / 100, 1e-12) << c.name << " class " << i;
      EXPECT_EQ(merged[i].lower, c.bounds[i].first) << c.name << " class " << i;
      EXPECT_EQ(merged[i].upper, c.bounds[i].second) << c.name << " class " << i;
      mergedObserved += merged[i].observed;
    }
    EXPECT_EQ(mergedObserved, observed) << c.name;
  }
  // Observed counts follow their classes: 1 + 11 + 21 = 33 and 31 + 41 = 72.
  std::vector<FittingClass> classes;
  const double e[] = {2, 2, 2, 6, 1};
  for (int i = 0; i < 5; ++i) classes.push_back(Class(i, i + 1, 10.0 * i + 1, e[i]));
  const auto merged = MergeSmallClasses(classes);
  EXPECT_EQ(merged[0].observed, 33);
  EXPECT_EQ(merged[1].observed, 72);
}

// ---------------------------------------------------------------------------------------
// Statistic and decision, one worked example per family

class FittingWorkedExamples : public ::testing::Test {
 protected:
  void SetUp() override { SetTableDatabasePath(KELVO_TABLES_DB); }
};

struct Worked {
  const char* name;
  FittingRequest request;
  CellStore sample;
  CellStore law;
  double chiSquare, tolerance;
  int df;
  double critical;  // printed chi-square table at α
  Decision decision;
};

FittingRequest Request(FittingEntry entry, FittingInputMode mode, double alpha,
                       FittingParameters q = {}) {
  FittingRequest r;
  r.entry = entry;
  r.mode = mode;
  r.alpha = alpha;
  r.parameters = q;
  return r;
}

TEST_F(FittingWorkedExamples, StatisticDegreesOfFreedomAndDecision) {
  using E = FittingEntry;
  using M = FittingInputMode;
  const Row normalLower{"-10", "-1", "0", "1"}, normalUpper{"-1", "0", "1", "10"},
      normalCounts{"14", "36", "33", "17"};
  const Worked cases[] = {
      // 10 zeros and 20 ones, P = 0.5: E = 15, 15; χ² = (100 + 400)/15 - 30 = 3.333.
      {"entry 1 at 0.05", Request(E::ZeroOneKnown, M::RepeatCounts, 0.05, {.zeroOneP = 0.5}),
       Sample({"0", "1"}, {"10", "20"}), kNoLaw, 10.0 / 3, 1e-12, 1, 3.841, Decision::AcceptH0},
      {"entry 1 at 0.10", Request(E::ZeroOneKnown, M::RepeatCounts, 0.10, {.zeroOneP = 0.5}),
       Sample({"0", "1"}, {"10", "20"}), kNoLaw, 10.0 / 3, 1e-12, 1, 2.706, Decision::AcceptH1},
      // Law 0, 1, 2 with P 0.25, 0.5, 0.25; counts 8, 22, 10 of 40: E = 10, 20, 10;
      // χ² = 6.4 + 24.2 + 10 - 40 = 0.6.
      {"entry 0", Request(E::UserLaw, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2"}, {"8", "22", "10"}), Law({"0", "1", "2"}, {"0.25", "0.5", "0.25"}),
       0.6, 1e-12, 2, 5.991, Decision::AcceptH0},
      // Same counts, N = 2, P estimated 42/80 = 0.525: E = 9.025, 19.95, 11.025;
      // χ² = 64/9.025 + 484/19.95 + 100/11.025 - 40 = 0.42236.
      {"entry 4", Request(E::BinomialUnknown, M::RepeatCounts, 0.05, {.binomialTrials = 2}),
       Sample({"0", "1", "2"}, {"8", "22", "10"}), kNoLaw, 0.42236, 1e-5, 1, 3.841,
       Decision::AcceptH0},
      // λ = 1, counts 40, 35, 18, 7 at 0..3: E = 36.788, 36.788, 18.394, 6.131 (no class for
      // the tail beyond 3); χ² = 2.39768.
      {"entry 5", Request(E::PoissonKnown, M::RepeatCounts, 0.05, {.poissonLambda = 1}),
       Sample({"0", "1", "2", "3"}, {"40", "35", "18", "7"}), kNoLaw, 2.39768, 1e-5, 3, 7.815,
       Decision::AcceptH0},
      // λ estimated (35 + 36 + 21)/100 = 0.92: E = 39.852, 36.664, 16.865, 5.172; χ² = 2.24544.
      {"entry 6", Request(E::PoissonUnknown, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2", "3"}, {"40", "35", "18", "7"}), kNoLaw, 2.24544, 1e-5, 2, 5.991,
       Decision::AcceptH0},
      // A = 0, B = 10; values 2..8 ten times each: h = 8/9, E = 70 · 0.08889 = 6.222 in all nine
      // classes, O = 0, 10 × 7, 0; χ² = 700/6.2222 - 70 = 42.5.
      {"entry 7", Request(E::UniformKnown, M::RepeatCounts, 0.05, {.uniformB = 10}),
       Sample({"2", "3", "4", "5", "6", "7", "8"}, {"10", "10", "10", "10", "10", "10", "10"}),
       kNoLaw, 42.5, 1e-9, 8, 15.507, Decision::AcceptH1},
      // MIN = 0, MAX = 10; five classes of width 2 with 9, 11, 10, 12, 8: E = 10;
      // χ² = 510/10 - 50 = 1.
      {"entry 8 grouped", Request(E::UniformUnknown, M::Grouped, 0.05, {.groupedMax = 10}),
       Sample({"0", "2", "4", "6", "8"}, {"2", "4", "6", "8", "10"}, {"9", "11", "10", "12", "8"}),
       kNoLaw, 1.0, 1e-12, 2, 5.991, Decision::AcceptH0},
      // N(0, 1) with classes split at -1, 0, 1; normal table p = 0.1587, 0.3413, 0.3413, 0.1587
      // give χ² = 0.440; the left sums stay within 0.001 of each p, χ² within 0.03.
      {"entry 9 grouped", Request(E::NormalKnown, M::Grouped, 0.05, {.normalSigma = 1}),
       Sample(normalLower, normalUpper, normalCounts), kNoLaw, 0.440, 0.03, 3, 7.815,
       Decision::AcceptH0},
      // ∑X = 0 and ∑X·X = 100 over 100 give μ = 0 and σ = 1: the same classes, r = 2.
      {"entry 10 grouped", Request(E::NormalUnknown, M::Grouped, 0.05, {.normalSumXX = 100}),
       Sample(normalLower, normalUpper, normalCounts), kNoLaw, 0.440, 0.03, 1, 3.841,
       Decision::AcceptH0},
      // θ = 1, classes [0, 1), [1, 2), [2, 3), [3, 10) with 120, 50, 20, 10 of 200:
      // E = 126.424, 46.509, 17.110, 9.948; χ² = 1.08612.
      {"entry 11 grouped", Request(E::ExponentialKnown, M::Grouped, 0.05, {.exponentialTheta = 1}),
       Sample({"0", "1", "2", "3"}, {"1", "2", "3", "10"}, {"120", "50", "20", "10"}), kNoLaw,
       1.08612, 1e-5, 3, 7.815, Decision::AcceptH0},
      // ∑X = 200 over 200: θ = 1, the same classes with r = 1.
      {"entry 12 grouped", Request(E::ExponentialUnknown, M::Grouped, 0.05, {.exponentialSumX = 200}),
       Sample({"0", "1", "2", "3"}, {"1", "2", "3", "10"}, {"120", "50", "20", "10"}), kNoLaw,
       1.08612, 1e-5, 2, 5.991, Decision::AcceptH0},
  };
  for (const Worked& c : cases) {
    const FittingResult r = ComputeFittingTest(c.request, c.sample, c.law);
    EXPECT_NEAR(r.test.statistic, c.chiSquare, c.tolerance) << c.name;
    EXPECT_EQ(r.test.df, c.df) << c.name;
    ASSERT_EQ(r.test.criticalValues.size(), 1u) << c.name;
    EXPECT_NEAR(r.test.criticalValues[0].value, c.critical, 1e-3) << c.name;
    EXPECT_EQ(r.test.decision, c.decision) << c.name;
    EXPECT_EQ(r.test.distribution, StatisticDistribution::ChiSquare) << c.name;
  }
}

TEST_F(FittingWorkedExamples, EstimatesAreHandedBack) {
  const FittingResult r = ComputeFittingTest(
      Request(FittingEntry::PoissonUnknown, FittingInputMode::RepeatCounts, 0.05),
      Sample({"0", "1", "2", "3"}, {"40", "35", "18", "7"}), kNoLaw);
  EXPECT_EQ(r.n, 100);
  EXPECT_EQ(r.estimatedCount, 1);
  EXPECT_NEAR(r.parameters.poissonLambda, 0.92, 1e-12);
  EXPECT_NEAR(*r.test.intermediates.find("λ"), 0.92, 1e-12);
  EXPECT_EQ(r.classes.size(), 4u);
  EXPECT_EQ(r.merged.size(), 4u);

  // Grouped normal sums: μ = 250/50 = 5, σ = √(1300/50 - 25) = 1.
  const FittingParameters sums{.normalSumX = 250, .normalSumXX = 1300};
  const FittingResult normal = ComputeFittingTest(
      Request(FittingEntry::NormalUnknown, FittingInputMode::Grouped, 0.05, sums),
      Sample({"0", "4", "5", "6"}, {"4", "5", "6", "10"}, {"8", "17", "17", "8"}), kNoLaw);
  EXPECT_NEAR(normal.parameters.normalMu, 5, 1e-12);
  EXPECT_NEAR(normal.parameters.normalSigma, 1, 1e-12);
}

TEST(FittingZeroOneUnknown, TheDataCheckIsTheTest) {
  const FittingRequest request =
      Request(FittingEntry::ZeroOneUnknown, FittingInputMode::Individual, 0.0);
  const FittingResult ok = ComputeFittingTest(request, Sample({"0", "1", "1"}), kNoLaw);
  EXPECT_EQ(ok.test.decision, Decision::AcceptH0);
  EXPECT_FALSE(ok.dataMessage.has_value());

  const FittingResult bad = ComputeFittingTest(request, Sample({"0", "2"}), kNoLaw);
  EXPECT_EQ(bad.test.decision, Decision::AcceptH1);
  ASSERT_TRUE(bad.dataMessage.has_value());
  EXPECT_EQ(*bad.dataMessage, "数据超限错误");
}

// ---------------------------------------------------------------------------------------
// Data checks of the window

TEST(FittingChecks, MessagesOfTheFourChecksAndTheCells) {
  using M = FittingInputMode;
  const CellStore law = Law({"1", "2", "3"}, {"0.3", "0.3", "0.36"});
  struct Case { const char* name; std::function<void()> run; const char* message; };
  const Case cases[] = {
      {"law summing to 0.96 passes", [&] { CheckUserLaw(Sample({"2.0", "3"}), law); }, "(no error)"},
      {"law summing to 0.94",
       [] { CheckUserLaw(Sample({"1"}), Law({"1", "2"}, {"0.5", "0.44"})); }, "分布律定义错误,概率和不为1"},
      {"single point", [] { CheckUserLaw(Sample({"1"}), Law({"1"}, {"0.98"})); }, "分布律定义错误"},
      {"P = 1 fails before the count",
       [] { CheckUserLaw(Sample({"1"}), Law({"1"}, {"1"})); }, "分布律定义错误,概率值非法"},
      {"empty P of a point", [] { CheckUserLaw(Sample({"1"}), Law({"1", "2"}, {"", "1"})); },
       "分布律定义错误,概率值非法"},
      {"2.5 between law values", [&] { CheckUserLaw(Sample({"2", "2.5"}), law); }, "数据超范围"},
      {"letters as X", [] { CheckUserLaw(Sample({"1"}), Law({"1", "x"}, {"0.5", "0.5"})); }, "数据错误"},
      {"0-1 passes", [] { CheckZeroOneData(Sample({"0", "1", "1"}), M::Individual); }, "(no error)"},
      {"0-1 with a 2", [] { CheckZeroOneData(Sample({"0", "2"}), M::RepeatCounts); }, "数据超限错误"},
      {"0-1 grouped passes", [] { CheckZeroOneData(Sample({"5"}, {"6"}), M::Grouped); }, "(no error)"},
      {"binomial x = N", [] { CheckBinomialData(Sample({"0", "5"}), M::Individual, 5); }, "(no error)"},
      {"binomial x above N", [] { CheckBinomialData(Sample({"5.5"}), M::Individual, 5); }, "数据超限错误"},
      {"binomial negative", [] { CheckBinomialData(Sample({"-1"}), M::Individual, 5); }, "数据超限错误"},
      {"binomial grouped upper N + 1",
       [] { CheckBinomialData(Sample({"0", "3"}, {"3", "6"}), M::Grouped, 5); }, "(no error)"},
      {"binomial grouped upper beyond N + 1",
       [] { CheckBinomialData(Sample({"0", "3"}, {"3", "6.5"}), M::Grouped, 5); }, "数据超限错误"},
      {"non-negative", [] { CheckNonNegativeData(Sample({"0", "3"}), M::Individual); }, "(no error)"},
      {"negative value", [] { CheckNonNegativeData(Sample({"3", "-0.1"}), M::Individual); }, "数据超限错误"},
      {"negative upper bound", [] { CheckNonNegativeData(Sample({"0"}, {"-1"}), M::Grouped); }, "数据超限错误"},
      {"letters in a value", [] { CheckFittingCells(Sample({"1", "abc"}), M::Individual); }, "数据错误"},
      {"infinite value", [] { CheckFittingCells(Sample({"1e999"}), M::Individual); }, "数据错误"},
      {"fractional repeat count",
       [] { CheckFittingCells(Sample({"3"}, {"4.8"}), M::RepeatCounts); }, "重复数必须是非负整数"},
      {"negative repeat count",
       [] { CheckFittingCells(Sample({"3"}, {"-1"}), M::RepeatCounts); }, "重复数必须是非负整数"},
      {"letters as a repeat count", [] { CheckFittingCells(Sample({"3"}, {"x"}), M::RepeatCounts); }, "数据错误"},
      {"empty repeat count", [] { CheckFittingCells(Sample({"3"}, {""}), M::RepeatCounts); }, "(no error)"},
      {"fractional grouped count",
       [] { CheckFittingCells(Sample({"0"}, {"1"}, {"2.5"}), M::Grouped); }, "样本个数必须是非负整数"},
      {"upper bound at the lower",
       [] { CheckFittingCells(Sample({"0", "2"}, {"2", "2"}, {"1", "1"}), M::Grouped); }, "区间上限必须大于区间下限"},
      {"α = 0.05", [] { CheckFittingAlpha(0.05); }, "(no error)"},
      {"α = 0", [] { CheckFittingAlpha(0); }, "显著水平数据错误"},
      {"α = 1", [] { CheckFittingAlpha(1); }, "显著水平数据错误"},
      {"α negative", [] { CheckFittingAlpha(-0.05); }, "显著水平数据错误"},
      {"α NaN", [] { CheckFittingAlpha(std::nan("")); }, "显著水平数据错误"},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageOf(c.run), c.message) << c.name;
}

// ---------------------------------------------------------------------------------------
// Inputs the computation refuses

TEST_F(FittingWorkedExamples, RefusedComputations) {
  using E = FittingEntry;
  using M = FittingInputMode;
  const FittingParameters flatSums{.normalSumX = 20, .normalSumXX = 40};  // ∑X·X / n = μ²
  const Row ten(10, "3");
  struct Case { const char* name; FittingRequest request; CellStore sample; CellStore law; const char* message; };
  const Case cases[] = {
      {"α = 0", Request(E::PoissonKnown, M::Individual, 0, {.poissonLambda = 1}), Sample({"1", "2"}), kNoLaw,
       "显著水平数据错误"},
      {"α = 1.5", Request(E::PoissonKnown, M::Individual, 1.5, {.poissonLambda = 1}), Sample({"1", "2"}), kNoLaw,
       "显著水平数据错误"},
      {"no filled cell", Request(E::NormalUnknown, M::Individual, 0.05), Sample({}), kNoLaw,
       "没有样本数据,无法检验"},
      {"every repeat count 0", Request(E::PoissonKnown, M::RepeatCounts, 0.05, {.poissonLambda = 1}),
       Sample({"1", "2"}, {"0", "0"}), kNoLaw, "没有样本数据,无法检验"},
      {"entry 2 without data", Request(E::ZeroOneUnknown, M::Individual, 0.05), Sample({}), kNoLaw,
       "没有样本数据,无法检验"},
      // n = 3 under λ = 1 gives E = 1.10, 1.10, 0.55: one class below 5 whatever merges.
      {"one merged class below 5", Request(E::PoissonKnown, M::Individual, 0.05, {.poissonLambda = 1}),
       Sample({"0", "1", "2"}), kNoLaw, "样本量太小,各组合并后期望频数仍不足5,无法检验"},
      // Only 1s: a single class with E = 15, so K - r - 1 = 0.
      {"no degree of freedom", Request(E::ZeroOneKnown, M::RepeatCounts, 0.05, {.zeroOneP = 0.5}),
       Sample({"1"}, {"30"}), kNoLaw, "自由度太小,无法检验"},
      {"estimated P of 0", Request(E::BinomialUnknown, M::Individual, 0.05, {.binomialTrials = 5}),
       Sample({"0", "0", "0"}), kNoLaw, "估计的P不在0与1之间,无法检验"},
      {"estimated P of 1", Request(E::BinomialUnknown, M::Individual, 0.05, {.binomialTrials = 5}),
       Sample({"5", "5"}), kNoLaw, "估计的P不在0与1之间,无法检验"},
      {"θ = 0", Request(E::ExponentialUnknown, M::Individual, 0.05), Sample({"0", "0"}), kNoLaw,
       "估计的θ不大于0,无法检验"},
      {"σ = 0", Request(E::NormalUnknown, M::Individual, 0.05), Sample(ten), kNoLaw,
       "估计的σ为0,无法检验"},
      {"σ = 0 from grouped sums", Request(E::NormalUnknown, M::Grouped, 0.05, flatSums),
       Sample({"0", "2"}, {"2", "4"}, {"5", "5"}), kNoLaw, "估计的σ为0,无法检验"},
      {"A = B", Request(E::UniformUnknown, M::Individual, 0.05), Sample(ten), kNoLaw,
       "估计的A与B相等,无法检验"},
      // Law points 0.5 and 1.5 fall in the classes [0, 1) and [1, 2), which no point starts.
      {"merged class expecting 0", Request(E::UserLaw, M::Individual, 0.05), Sample({"0.5", "1.5"}),
       Law({"0.5", "1.5"}, {"0.5", "0.5"}), "合并后有一组的期望频数为0,无法检验"},
      {"repeat count beyond 16 bits", Request(E::PoissonKnown, M::RepeatCounts, 0.05, {.poissonLambda = 1}),
       Sample({"1", "2"}, {"40000", "1"}), kNoLaw, "样本量超出范围"},
      {"grouped counts beyond 16 bits", Request(E::NormalUnknown, M::Grouped, 0.05, flatSums),
       Sample({"0", "2"}, {"2", "4"}, {"20000", "20000"}), kNoLaw, "样本量超出范围"},
      {"fractional repeat count", Request(E::PoissonKnown, M::RepeatCounts, 0.05, {.poissonLambda = 1}),
       Sample({"3"}, {"4.8"}), kNoLaw, "重复数必须是非负整数"},
      {"letters in the sample", Request(E::NormalUnknown, M::Individual, 0.05),
       Sample({"1", "2x"}), kNoLaw, "数据错误"},
      {"grouped data for entry 1", Request(E::ZeroOneKnown, M::Grouped, 0.05, {.zeroOneP = 0.5}),
       Sample({"0"}, {"1"}, {"5"}), kNoLaw, "该分布不能使用间隔数据,请选择离散数据或重复数据"},
      {"failed data check", Request(E::PoissonKnown, M::Individual, 0.05, {.poissonLambda = 1}),
       Sample({"1", "-2"}), kNoLaw, "数据超限错误"},
      {"known σ of 0", Request(E::NormalKnown, M::Individual, 0.05), Sample({"1", "2"}), kNoLaw,
       "σ值必须大于0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MessageOf([&] { ComputeFittingTest(c.request, c.sample, c.law); }), c.message) << c.name;
}

}  // namespace
}  // namespace kelvo
