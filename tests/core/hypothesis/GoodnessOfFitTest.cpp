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
#include "core/text/Errors.h"
#include "core/tables/ExactDistributions.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "TestSupport.h"

namespace kelvo {
namespace {

using testing::InputErrorMessage;

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

// The first class is open below, the last open above, no other one.
void ExpectOpenEnds(const std::vector<FittingClass>& classes, const std::string& name) {
  ASSERT_FALSE(classes.empty()) << name;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    EXPECT_EQ(classes[i].openBelow, i == 0) << name << " class " << i;
    EXPECT_EQ(classes[i].openAbove, i + 1 == classes.size()) << name << " class " << i;
  }
}

TEST(FittingClasses, DiscreteClassesForEveryWholeNumberOfTheRange) {
  struct Case {
    const char* name;
    FittingInputMode mode;
    Row values, counts;
    std::vector<FittingClass> expected;  // lower, upper, observed
  };
  const Case cases[] = {
      {"0 1 1 3: the unobserved 2 gets a class", FittingInputMode::Individual, {"0", "1", "1", "3"}, {},
       {Class(0, 1, 1, 0), Class(1, 2, 2, 0), Class(2, 3, 0, 0), Class(3, 4, 1, 0)}},
      {"2 and 2.3 share [2, 3)", FittingInputMode::Individual, {"2", "2.3"}, {}, {Class(2, 3, 2, 0)}},
      {"unsorted, gaps filled", FittingInputMode::Individual, {"5", "", "-1", "3"}, {},
       {Class(-1, 0, 1, 0), Class(0, 1, 0, 0), Class(1, 2, 0, 0), Class(2, 3, 0, 0), Class(3, 4, 1, 0),
        Class(4, 5, 0, 0), Class(5, 6, 1, 0)}},
      {"1.6 and 2.3 by their whole parts", FittingInputMode::Individual, {"2.3", "1.6"}, {},
       {Class(1, 2, 1, 0), Class(2, 3, 1, 0)}},
      {"repeat counts add up", FittingInputMode::RepeatCounts, {"3", "1", "3"}, {"4", "2", "5"},
       {Class(1, 2, 2, 0), Class(2, 3, 0, 0), Class(3, 4, 9, 0)}},
      {"a value with an empty count keeps a class", FittingInputMode::RepeatCounts, {"3", "1"},
       {"4", ""}, {Class(1, 2, 0, 0), Class(2, 3, 0, 0), Class(3, 4, 4, 0)}},
  };
  for (const Case& c : cases) {
    const auto classes = ReadClasses(Sample(c.values, c.counts), c.mode, FittingEntry::PoissonKnown);
    ASSERT_EQ(classes.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < classes.size(); ++i) {
      EXPECT_EQ(classes[i].lower, c.expected[i].lower) << c.name << " class " << i;
      EXPECT_EQ(classes[i].upper, c.expected[i].upper) << c.name << " class " << i;
      EXPECT_EQ(classes[i].observed, c.expected[i].observed) << c.name << " class " << i;
    }
    ExpectOpenEnds(classes, c.name);
  }
  // 0 to 32766 is the widest range of classes: 32767 of them; one more is refused.
  EXPECT_EQ(ReadClasses(Sample({"0", "32766"}), FittingInputMode::Individual, FittingEntry::PoissonKnown).size(),
            32767u);
  EXPECT_EQ(InputErrorMessage([] { ReadClasses(Sample({"0", "32767"}), FittingInputMode::Individual,
                                       FittingEntry::PoissonKnown); }),
            "数据范围太大,分组数超出范围");
}

TEST(FittingClasses, NineEqualClassesSpanTheSample) {
  // Minimum 1 and maximum 8: h = 7/9; 4 lies 3.86 widths up, 4.5 lies 4.5, 8 ends the last.
  const auto classes = ReadClasses(Sample({"1", "8", "4.5", "4", "1"}), FittingInputMode::Individual,
                                   FittingEntry::NormalKnown);
  ASSERT_EQ(classes.size(), 9u);
  const double observed[] = {2, 0, 0, 1, 1, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) {
    EXPECT_NEAR(classes[i].lower, 1 + i * 7.0 / 9, 1e-12) << i;
    EXPECT_NEAR(classes[i].upper, 1 + (i + 1) * 7.0 / 9, 1e-12) << i;
    EXPECT_EQ(classes[i].observed, observed[i]) << i;
  }
  EXPECT_EQ(classes[8].upper, 8.0);
  ExpectOpenEnds(classes, "1 to 8");
  // Repeat counts weigh each value by its count.
  const auto weighted = ReadClasses(Sample({"1", "8"}, {"3", "2"}), FittingInputMode::RepeatCounts,
                                    FittingEntry::UniformKnown);
  EXPECT_EQ(weighted[0].observed, 3);
  EXPECT_EQ(weighted[8].observed, 2);
  // A value on a bound starts its class, whatever the unit: h = 0.02 m or 2 cm, and 1.14 m
  // (114 cm) starts the eighth class although (1.14 − 1) / 0.02 is 6.999999999999997.
  for (const Row& values : {Row{"1", "1.14", "1.18"}, Row{"100", "114", "118"}}) {
    const auto bounded = ReadClasses(Sample(values), FittingInputMode::Individual, FittingEntry::NormalKnown);
    EXPECT_EQ(bounded[7].observed, 1) << values[0];
    EXPECT_EQ(bounded[8].observed, 1) << values[0];
  }
  // Equal values: one class holding the whole law.
  const auto single = ReadClasses(Sample({"3", "3"}), FittingInputMode::Individual, FittingEntry::NormalKnown);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].observed, 2);
  ExpectOpenEnds(single, "equal values");
}

TEST(FittingClasses, GroupedDataTakesTheTypedIntervals) {
  // Typed out of order, an empty column between: sorted into [0, 10) and [10, 25).
  const CellStore sample = Sample({"10", "", "0"}, {"25", "", "10"}, {"3", "99", "7"});
  const auto classes = ReadClasses(sample, FittingInputMode::Grouped, FittingEntry::NormalUnknown);
  ASSERT_EQ(classes.size(), 2u);
  EXPECT_EQ(classes[0].lower, 0);
  EXPECT_EQ(classes[0].upper, 10);
  EXPECT_EQ(classes[0].observed, 7);
  EXPECT_EQ(classes[1].lower, 10);
  EXPECT_EQ(classes[1].upper, 25);
  EXPECT_EQ(classes[1].observed, 3);
  ExpectOpenEnds(classes, "grouped");
  EXPECT_EQ(ReadFittingSample(sample, FittingInputMode::Grouped).n, 10);
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

TEST(FittingProbabilities, NormalClassesFromTheDistributionFunction) {
  // scipy.stats.norm: cdf(1) − cdf(−1), cdf(1) − cdf(0), sf(8), sf(8) − sf(9).
  struct Case { const char* name; double a, b, mu, sigma, expected, tolerance; };
  const Case cases[] = {
      {"symmetric [-1, 1)", -1, 1, 0, 1, 0.6826894921370859, 1e-14},
      {"[0, 1)", 0, 1, 0, 1, 0.3413447460685429, 1e-14},
      {"shifted and scaled", 10, 12, 10, 2, 0.3413447460685429, 1e-14},
      {"lower half", -HUGE_VAL, 0, 0, 1, 0.5, 1e-15},
      {"far upper tail", 8, HUGE_VAL, 0, 1, 6.22096057427174e-16, 1e-28},
      {"far upper class", 8, 9, 0, 1, 6.219831985865787e-16, 1e-28},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(NormalClassProbability(c.a, c.b, c.mu, c.sigma), c.expected, c.tolerance) << c.name;
}

TEST(FittingProbabilities, LawProbabilityOfAnInterval) {
  // The empty X of column 2 is no point; the two points at 2 add up.
  const CellStore law = Law({"1", "", "2", "2"}, {"0.3", "0.9", "0.5", "0.2"});
  EXPECT_NEAR(LawProbability(law, 2.0, 3.0), 0.7, 1e-15);
  EXPECT_NEAR(LawProbability(law, 1.0, 2.0), 0.3, 1e-15);
  EXPECT_EQ(LawProbability(law, -HUGE_VAL, 1.0), 0.0);
  EXPECT_NEAR(LawProbability(law, 1.5, HUGE_VAL), 0.7, 1e-15);
  // A law summing to 0.96 is read as thirds.
  const CellStore thirds = Law({"0", "1", "2"}, {"0.32", "0.32", "0.32"});
  EXPECT_NEAR(LawProbability(thirds, 0.0, 1.0), 1.0 / 3.0, 1e-15);
}

// Each law's end classes reach the ends of its range, so that the classes of a sample whose
// smallest value lies above the law's lower end still add up to 1 (scipy.stats for the
// binomial, Poisson, normal and exponential values; the law's own points for the others).
TEST(FittingProbabilities, EndClassesTakeTheTailsOfTheLaw) {
  struct Case {
    const char* name;
    FittingEntry entry;
    FittingParameters q;
    std::vector<FittingClass> classes;  // the first is open below, the last above
    std::vector<double> expected;
  };
  const std::vector<FittingClass> oneToThree = {Class(1, 2, 0, 0), Class(2, 3, 0, 0), Class(3, 4, 0, 0)};
  const std::vector<FittingClass> twoToFour = {Class(2, 3, 0, 0), Class(3, 4, 0, 0), Class(4, 5, 0, 0)};
  const Case cases[] = {
      // poisson(2): cdf(2), pmf(3), sf(3).
      {"Poisson from 2", FittingEntry::PoissonKnown, {.poissonLambda = 2}, twoToFour,
       {0.6766764161830634, 0.18044704431548358, 0.14287653950145296}},
      // binom(5, 0.5): cdf(1) = 6/32, pmf(2) = 10/32, sf(2) = 16/32.
      {"binomial from 1", FittingEntry::BinomialKnown, {.binomialTrials = 5, .binomialP = 0.5}, oneToThree,
       {0.1875, 0.3125, 0.5}},
      {"0-1 law", FittingEntry::ZeroOneKnown, {.zeroOneP = 0.3}, {Class(0, 1, 0, 0), Class(1, 2, 0, 0)},
       {0.7, 0.3}},
      {"0-1 law, only 1s", FittingEntry::ZeroOneKnown, {.zeroOneP = 0.3}, {Class(1, 2, 0, 0)}, {1.0}},
      // Uniform on [0, 10), classes [2, 4), [4, 6), [6, 8): 4/10, 2/10, 4/10.
      {"uniform", FittingEntry::UniformKnown, {.uniformB = 10},
       {Class(2, 4, 0, 0), Class(4, 6, 0, 0), Class(6, 8, 0, 0)}, {0.4, 0.2, 0.4}},
      // Split at the mean.
      {"normal", FittingEntry::NormalKnown, {.normalSigma = 1}, {Class(-1, 0, 0, 0), Class(0, 1, 0, 0)},
       {0.5, 0.5}},
      // θ = 1: 1 − e^−2 from 0, e^−2 beyond.
      {"exponential", FittingEntry::ExponentialKnown, {.exponentialTheta = 1},
       {Class(1, 2, 0, 0), Class(2, 3, 0, 0)}, {0.8646647167633873, 0.1353352832366127}},
  };
  for (const Case& c : cases) {
    std::vector<FittingClass> classes = c.classes;
    classes.front().openBelow = true;
    classes.back().openAbove = true;
    const auto k = ClassProbabilities(c.entry, c.q, kNoLaw, classes, 100);
    ASSERT_EQ(k.size(), c.expected.size()) << c.name;
    double sum = 0;
    for (std::size_t i = 0; i < k.size(); ++i) {
      EXPECT_NEAR(k[i].probability, c.expected[i], 1e-14) << c.name << " class " << i;
      EXPECT_NEAR(k[i].expected, 100 * c.expected[i], 1e-12) << c.name << " class " << i;
      sum += k[i].probability;
    }
    EXPECT_NEAR(sum, 1.0, 1e-14) << c.name;
  }
  // The user-defined law 0, 1, 2, 3 with P 0.1 to 0.4 and a sample from 1 to 2: P(X ≤ 1) = 0.3,
  // P(X ≥ 2) = 0.7.
  std::vector<FittingClass> classes = {Class(1, 2, 0, 0), Class(2, 3, 0, 0)};
  classes.front().openBelow = classes.back().openAbove = true;
  const auto user = ClassProbabilities(FittingEntry::UserLaw, {}, Law({"0", "1", "2", "3"}, {"0.1", "0.2", "0.3", "0.4"}),
                                       classes, 10);
  EXPECT_NEAR(user[0].probability, 0.3, 1e-15);
  EXPECT_NEAR(user[1].probability, 0.7, 1e-15);
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
    classes.front().openBelow = classes.back().openAbove = true;
    const auto merged = MergeSmallClasses(classes);
    ASSERT_EQ(merged.size(), c.merged.size()) << c.name;
    ExpectOpenEnds(merged, c.name);
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
  TableStore tables{KELVO_TABLES_DB};
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
  // Reference statistics from an independent recomputation of the rules with scipy.stats
  // (pmf/cdf/sf of each law; classes, tails and merging written out anew), unless worked here.
  const Worked cases[] = {
      // 10 zeros and 20 ones, P = 0.5: E = 15, 15; χ² = (25 + 25)/15 = 3.333.
      {"entry 1 at 0.05", Request(E::ZeroOneKnown, M::RepeatCounts, 0.05, {.zeroOneP = 0.5}),
       Sample({"0", "1"}, {"10", "20"}), kNoLaw, 10.0 / 3, 1e-12, 1, 3.841, Decision::AcceptH0},
      {"entry 1 at 0.10", Request(E::ZeroOneKnown, M::RepeatCounts, 0.10, {.zeroOneP = 0.5}),
       Sample({"0", "1"}, {"10", "20"}), kNoLaw, 10.0 / 3, 1e-12, 1, 2.706, Decision::AcceptH1},
      // Law 0, 1, 2 with P 0.25, 0.5, 0.25; counts 8, 22, 10 of 40: E = 10, 20, 10;
      // χ² = 0.4 + 0.2 + 0 = 0.6.
      {"entry 0", Request(E::UserLaw, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2"}, {"8", "22", "10"}), Law({"0", "1", "2"}, {"0.25", "0.5", "0.25"}),
       0.6, 1e-12, 2, 5.991, Decision::AcceptH0},
      // Same counts, N = 2, P estimated 42/80 = 0.525: E = 9.025, 19.95, 11.025; χ² = 0.42236.
      {"entry 4", Request(E::BinomialUnknown, M::RepeatCounts, 0.05, {.binomialTrials = 2}),
       Sample({"0", "1", "2"}, {"8", "22", "10"}), kNoLaw, 0.42236, 1e-5, 1, 3.841,
       Decision::AcceptH0},
      // λ = 1, counts 40, 35, 18, 7 at 0..3: E = 36.788, 36.788, 18.394 and 8.030 for X ≥ 3.
      {"entry 5", Request(E::PoissonKnown, M::RepeatCounts, 0.05, {.poissonLambda = 1}),
       Sample({"0", "1", "2", "3"}, {"40", "35", "18", "7"}), kNoLaw, 0.507939, 1e-6, 3, 7.815,
       Decision::AcceptH0},
      // λ estimated (35 + 36 + 21)/100 = 0.92.
      {"entry 6", Request(E::PoissonUnknown, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2", "3"}, {"40", "35", "18", "7"}), kNoLaw, 0.174317, 1e-6, 2, 5.991,
       Decision::AcceptH0},
      // A = 0, B = 10; values 2..8 ten times each: nine classes of 2/3 from 2 to 8, the first
      // reaching down to 0 and the last up to 10: E = 18.67, 4.67 × 7, 18.67, merged into
      // 18.67, 9.33 × 3, 23.33 against O = 10, 10, 20, 20, 10.
      {"entry 7", Request(E::UniformKnown, M::RepeatCounts, 0.05, {.uniformB = 10}),
       Sample({"2", "3", "4", "5", "6", "7", "8"}, {"10", "10", "10", "10", "10", "10", "10"}),
       kNoLaw, 16.785714, 1e-6, 4, 9.488, Decision::AcceptH1},
      // MIN = 0, MAX = 10; five classes of width 2 with 9, 11, 10, 12, 8: E = 10;
      // χ² = (1 + 1 + 0 + 4 + 4)/10 = 1.
      {"entry 8 grouped", Request(E::UniformUnknown, M::Grouped, 0.05, {.groupedMax = 10}),
       Sample({"0", "2", "4", "6", "8"}, {"2", "4", "6", "8", "10"}, {"9", "11", "10", "12", "8"}),
       kNoLaw, 1.0, 1e-12, 2, 5.991, Decision::AcceptH0},
      // N(0, 1) with classes split at -1, 0, 1, the outer ones reaching to ∓∞.
      {"entry 9 grouped", Request(E::NormalKnown, M::Grouped, 0.05, {.normalSigma = 1}),
       Sample(normalLower, normalUpper, normalCounts), kNoLaw, 0.440136, 1e-6, 3, 7.815,
       Decision::AcceptH0},
      // ∑X = 0 and ∑X·X = 100 over 100 give μ = 0 and σ = 1: the same classes, r = 2.
      {"entry 10 grouped", Request(E::NormalUnknown, M::Grouped, 0.05, {.normalSumXX = 100}),
       Sample(normalLower, normalUpper, normalCounts), kNoLaw, 0.440136, 1e-6, 1, 3.841,
       Decision::AcceptH0},
      // θ = 1, classes [0, 1), [1, 2), [2, 3), [3, +∞) with 120, 50, 20, 10 of 200:
      // E = 126.424, 46.509, 17.110, 9.957.
      {"entry 11 grouped", Request(E::ExponentialKnown, M::Grouped, 0.05, {.exponentialTheta = 1}),
       Sample({"0", "1", "2", "3"}, {"1", "2", "3", "10"}, {"120", "50", "20", "10"}), kNoLaw,
       1.076952, 1e-6, 3, 7.815, Decision::AcceptH0},
      // ∑X = 200 over 200: θ = 1, the same classes with r = 1.
      {"entry 12 grouped", Request(E::ExponentialUnknown, M::Grouped, 0.05, {.exponentialSumX = 200}),
       Sample({"0", "1", "2", "3"}, {"1", "2", "3", "10"}, {"120", "50", "20", "10"}), kNoLaw,
       1.076952, 1e-6, 2, 5.991, Decision::AcceptH0},
  };
  for (const Worked& c : cases) {
    const FittingResult r = ComputeFittingTest(tables, c.request, c.sample, c.law);
    EXPECT_NEAR(r.test.statistic, c.chiSquare, c.tolerance) << c.name;
    EXPECT_EQ(r.test.df, c.df) << c.name;
    ASSERT_EQ(r.test.criticalValues.size(), 1u) << c.name;
    EXPECT_NEAR(r.test.criticalValues[0].value, c.critical, 1e-3) << c.name;
    EXPECT_EQ(r.test.decision, c.decision) << c.name;
    EXPECT_EQ(r.test.distribution, StatisticDistribution::ChiSquare) << c.name;
  }
}

// Cases where classes covering only the observed values gave a statistic that was not
// Pearson's: the expected counts fell short of n. Reference values from an independent
// recomputation with scipy.stats (poisson.cdf/pmf/sf, norm.cdf/sf), chi2.sf for p.
TEST_F(FittingWorkedExamples, ClassesCoverTheWholeLaw) {
  using E = FittingEntry;
  using M = FittingInputMode;
  // 60 lengths in metres; the same in centimetres must classify and decide alike.
  const Row metres = {
      "1.742", "1.765", "1.743", "1.741", "1.722", "1.744", "1.783", "1.763", "1.781", "1.757",
      "1.762", "1.756", "1.700", "1.776", "1.765", "1.765", "1.699", "1.698", "1.723", "1.736",
      "1.759", "1.749", "1.766", "1.731", "1.759", "1.762", "1.730", "1.802", "1.767", "1.786",
      "1.731", "1.728", "1.740", "1.747", "1.769", "1.757", "1.737", "1.721", "1.734", "1.787",
      "1.726", "1.757", "1.763", "1.705", "1.751", "1.789", "1.690", "1.740", "1.747", "1.725",
      "1.765", "1.748", "1.706", "1.775", "1.770", "1.778", "1.793", "1.761", "1.754", "1.711"};
  Row centimetres;
  for (const std::string& m : metres) centimetres.push_back(std::to_string(std::stod(m) * 100));
  struct Found {
    const char* name;
    FittingRequest request;
    CellStore sample;
    double chiSquare;
    int df;
    double p;  // chi2.sf(χ², df)
    Decision decision;
  };
  const Found cases[] = {
      // 0–6 with 14, 27, 26, 20, 7, 3, 3: λ̂ = 2, classes 5 and X ≥ 6 merge (E 3.609 + 1.656);
      // the old classes gave Σ O²/E − n = 0.7739 with ΣE = 99.55.
      {"Poisson, 100 counts", Request(E::PoissonUnknown, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2", "3", "4", "5", "6"}, {"14", "27", "26", "20", "7", "3", "3"}), 0.826009, 4,
       0.934928, Decision::AcceptH0},
      // 0–8 with 1, 6, 22, 29, 34, 12, 11, 6, 3: λ̂ = 465/124 = 3.75, K = 7 (0 with 1, 7 with
      // X ≥ 8); the old classes gave 11.936 ≥ χ²₀.₀₅(5) = 11.070 and rejected.
      {"Poisson, 124 counts", Request(E::PoissonUnknown, M::RepeatCounts, 0.05),
       Sample({"0", "1", "2", "3", "4", "5", "6", "7", "8"}, {"1", "6", "22", "29", "34", "12", "11", "6", "3"}),
       10.367107, 5, 0.065477, Decision::AcceptH0},
      // μ̂ = 1.74895 m, σ̂ = 0.025575 m; seven classes after merging. The old classes spanned
      // [min − 1, max + 1): too few degrees of freedom in metres, H0 in centimetres.
      {"normal, metres", Request(E::NormalUnknown, M::Individual, 0.05), Sample(metres, {}, {}, 61), 2.110143, 4,
       0.715509, Decision::AcceptH0},
      {"normal, centimetres", Request(E::NormalUnknown, M::Individual, 0.05), Sample(centimetres, {}, {}, 61), 2.110143, 4,
       0.715509, Decision::AcceptH0},
  };
  for (const Found& c : cases) {
    const FittingResult r = ComputeFittingTest(tables, c.request, c.sample, kNoLaw);
    EXPECT_NEAR(r.test.statistic, c.chiSquare, 1e-6) << c.name;
    EXPECT_EQ(r.test.df, c.df) << c.name;
    EXPECT_NEAR(ChiSquareUpperTail(c.df, r.test.statistic), c.p, 1e-6) << c.name;
    EXPECT_EQ(r.test.decision, c.decision) << c.name;
    // The expected counts add up to n, and the statistic is the sum of the shares.
    double expected = 0, shares = 0;
    for (const FittingClass& k : r.classes) expected += k.expected;
    for (const FittingClass& k : r.merged) shares += ChiSquareShare(k);
    EXPECT_NEAR(expected, r.n, 1e-9) << c.name;
    EXPECT_NEAR(shares, r.test.statistic, 1e-12) << c.name;
  }
  const FittingResult m = ComputeFittingTest(tables, cases[2].request, cases[2].sample, kNoLaw);
  const FittingResult cm = ComputeFittingTest(tables, cases[3].request, cases[3].sample, kNoLaw);
  EXPECT_NEAR(m.test.statistic, cm.test.statistic, 1e-9);
  ASSERT_EQ(m.classes.size(), cm.classes.size());
  for (std::size_t i = 0; i < m.classes.size(); ++i) EXPECT_EQ(m.classes[i].observed, cm.classes[i].observed) << i;
}

TEST_F(FittingWorkedExamples, EstimatesAreHandedBack) {
  const FittingResult r = ComputeFittingTest(tables,
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
  const FittingResult normal = ComputeFittingTest(tables,
      Request(FittingEntry::NormalUnknown, FittingInputMode::Grouped, 0.05, sums),
      Sample({"0", "4", "5", "6"}, {"4", "5", "6", "10"}, {"8", "17", "17", "8"}), kNoLaw);
  EXPECT_NEAR(normal.parameters.normalMu, 5, 1e-12);
  EXPECT_NEAR(normal.parameters.normalSigma, 1, 1e-12);
}

TEST(FittingZeroOneUnknown, TheDataCheckIsTheTest) {
  TableStore tables;  // no file: the data check looks nothing up
  const FittingRequest request =
      Request(FittingEntry::ZeroOneUnknown, FittingInputMode::Individual, 0.0);
  const FittingResult ok = ComputeFittingTest(tables, request, Sample({"0", "1", "1"}), kNoLaw);
  EXPECT_EQ(ok.test.decision, Decision::AcceptH0);
  EXPECT_FALSE(ok.dataMessage.has_value());

  const FittingResult bad = ComputeFittingTest(tables, request, Sample({"0", "2"}), kNoLaw);
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
      {"law summing to 0.96 passes", [&] { CheckUserLaw(Sample({"2.0", "3"}), law); }, ""},
      {"law summing to 0.94",
       [] { CheckUserLaw(Sample({"1"}), Law({"1", "2"}, {"0.5", "0.44"})); }, "分布律定义错误,概率和不为1"},
      {"single point", [] { CheckUserLaw(Sample({"1"}), Law({"1"}, {"0.98"})); }, "分布律定义错误"},
      {"P = 1 fails before the count",
       [] { CheckUserLaw(Sample({"1"}), Law({"1"}, {"1"})); }, "分布律定义错误,概率值非法"},
      {"empty P of a point", [] { CheckUserLaw(Sample({"1"}), Law({"1", "2"}, {"", "1"})); },
       "分布律定义错误,概率值非法"},
      {"2.5 between law values", [&] { CheckUserLaw(Sample({"2", "2.5"}), law); }, "数据超范围"},
      {"letters as X", [] { CheckUserLaw(Sample({"1"}), Law({"1", "x"}, {"0.5", "0.5"})); }, "数据错误"},
      {"0-1 passes", [] { CheckZeroOneData(Sample({"0", "1", "1"}), M::Individual); }, ""},
      {"0-1 with a 2", [] { CheckZeroOneData(Sample({"0", "2"}), M::RepeatCounts); }, "数据超限错误"},
      {"0-1 grouped passes", [] { CheckZeroOneData(Sample({"5"}, {"6"}), M::Grouped); }, ""},
      {"binomial x = N", [] { CheckBinomialData(Sample({"0", "5"}), M::Individual, 5); }, ""},
      {"binomial x above N", [] { CheckBinomialData(Sample({"5.5"}), M::Individual, 5); }, "数据超限错误"},
      {"binomial negative", [] { CheckBinomialData(Sample({"-1"}), M::Individual, 5); }, "数据超限错误"},
      {"binomial grouped upper N + 1",
       [] { CheckBinomialData(Sample({"0", "3"}, {"3", "6"}), M::Grouped, 5); }, ""},
      {"binomial grouped upper beyond N + 1",
       [] { CheckBinomialData(Sample({"0", "3"}, {"3", "6.5"}), M::Grouped, 5); }, "数据超限错误"},
      {"non-negative", [] { CheckNonNegativeData(Sample({"0", "3"}), M::Individual); }, ""},
      {"negative value", [] { CheckNonNegativeData(Sample({"3", "-0.1"}), M::Individual); }, "数据超限错误"},
      {"negative upper bound", [] { CheckNonNegativeData(Sample({"0"}, {"-1"}), M::Grouped); }, "数据超限错误"},
      {"letters in a value", [] { CheckFittingCells(Sample({"1", "abc"}), M::Individual); }, "数据错误"},
      {"infinite value", [] { CheckFittingCells(Sample({"1e999"}), M::Individual); }, "数据错误"},
      {"fractional repeat count",
       [] { CheckFittingCells(Sample({"3"}, {"4.8"}), M::RepeatCounts); }, "重复数必须是非负整数"},
      {"negative repeat count",
       [] { CheckFittingCells(Sample({"3"}, {"-1"}), M::RepeatCounts); }, "重复数必须是非负整数"},
      {"letters as a repeat count", [] { CheckFittingCells(Sample({"3"}, {"x"}), M::RepeatCounts); }, "数据错误"},
      {"empty repeat count", [] { CheckFittingCells(Sample({"3"}, {""}), M::RepeatCounts); }, ""},
      {"fractional grouped count",
       [] { CheckFittingCells(Sample({"0"}, {"1"}, {"2.5"}), M::Grouped); }, "样本个数必须是非负整数"},
      {"upper bound at the lower",
       [] { CheckFittingCells(Sample({"0", "2"}, {"2", "2"}, {"1", "1"}), M::Grouped); }, "区间上限必须大于区间下限"},
      {"α = 0.05", [] { CheckFittingAlpha(0.05); }, ""},
      {"α = 0", [] { CheckFittingAlpha(0); }, "显著水平数据错误"},
      {"α = 1", [] { CheckFittingAlpha(1); }, "显著水平数据错误"},
      {"α negative", [] { CheckFittingAlpha(-0.05); }, "显著水平数据错误"},
      {"α NaN", [] { CheckFittingAlpha(std::nan("")); }, "显著水平数据错误"},
  };
  for (const Case& c : cases) EXPECT_EQ(InputErrorMessage(c.run), c.message) << c.name;
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
      // n = 3 under λ = 1 gives E = 1.10, 1.10, 0.79: one class below 5 whatever merges.
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
      {"whole numbers 0 to 10^9", Request(E::PoissonUnknown, M::Individual, 0.05), Sample({"0", "1e9"}),
       kNoLaw, "数据范围太大,分组数超出范围"},
      {"grouped intervals with a gap", Request(E::NormalUnknown, M::Grouped, 0.05, flatSums),
       Sample({"0", "3"}, {"2", "4"}, {"5", "5"}), kNoLaw, "区间数据必须首尾相接"},
      {"overlapping grouped intervals", Request(E::NormalUnknown, M::Grouped, 0.05, flatSums),
       Sample({"0", "1"}, {"2", "4"}, {"5", "5"}), kNoLaw, "区间数据必须首尾相接"},
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
    EXPECT_EQ(InputErrorMessage([&] { ComputeFittingTest(tables, c.request, c.sample, c.law); }), c.message) << c.name;
}

}  // namespace
}  // namespace kelvo
