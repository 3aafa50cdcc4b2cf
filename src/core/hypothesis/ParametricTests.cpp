#include "core/hypothesis/ParametricTests.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/hypothesis/AcceptanceRegion.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

constexpr int kMaxSize = 32767;

void RequireSize(int n) {
  if (n < 2) throw InputError("样本量太小");
}

void RequireKnownSigma(double sigma) {
  if (!(sigma > 0.0 && std::isfinite(sigma))) throw InputError("σ数据缺乏");
}

// σ0 divides the statistic; an unset σ0 reaches here as 0.
void RequireSigma0(double sigma0) {
  if (!(sigma0 != 0.0 && std::isfinite(sigma0))) throw InputError("σ0数据错误");
}

// A typed standard deviation below 0 would turn the sign of a statistic round.
void RequireStdDev(const SampleSummary& sample) {
  if (sample.stdDev < 0.0) throw InputError("样本标准差不能为负");
}

double Square(double x) { return x * x; }

// The checks every test makes; the first two values of every result, what the window shows
// of sample one.
TestResult StartResult(const SampleSummary& shown, StatisticDistribution distribution, double alpha) {
  RequireSignificanceLevel(alpha);
  RequireSize(shown.n);
  RequireStdDev(shown);
  TestResult result;
  result.distribution = distribution;
  result.intermediates.add("mean", shown.mean);
  result.intermediates.add("variance", Square(shown.stdDev));
  return result;
}

TestResult StartTwoSamples(const TwoSampleSummary& samples, StatisticDistribution distribution,
                           double alpha) {
  TestResult result = StartResult(samples.first, distribution, alpha);
  RequireSize(samples.second.n);
  RequireStdDev(samples.second);
  return result;
}

// Edges −z(p), z(p) of a standard normal statistic.
EdgesAt NormalEdges(TableStore& tables, TestResult& result) {
  return [&tables, &result](double p) {
    result.criticalValues.push_back(NormalQuantile(tables, 1.0 - p));
    const double z = result.criticalValues.back().value;
    return Edges{-z, z};
  };
}

// Edges −t(df, p), t(df, p).
EdgesAt TEdges(TableStore& tables, TestResult& result, int df) {
  return [&tables, &result, df](double p) {
    result.criticalValues.push_back(TQuantile(tables, df, p));
    const double t = result.criticalValues.back().value;
    return Edges{-t, t};
  };
}

// Edges χ²(df, 1 − p), χ²(df, p); the upper one is looked up first.
EdgesAt ChiSquareEdges(TableStore& tables, TestResult& result, int df) {
  return [&tables, &result, df](double p) {
    result.criticalValues.push_back(ChiSquareQuantile(tables, df, p));
    const double upper = result.criticalValues.back().value;
    result.criticalValues.push_back(ChiSquareQuantile(tables, df, 1.0 - p));
    return Edges{result.criticalValues.back().value, upper};
  };
}

// Edges F(1 − p), F(p) with df1 numerator and df2 denominator degrees of freedom.
EdgesAt FEdges(TableStore& tables, TestResult& result, int df1, int df2) {
  return [&tables, &result, df1, df2](double p) {
    result.criticalValues.push_back(FQuantile(tables, df1, df2, p));
    const double upper = result.criticalValues.back().value;
    result.criticalValues.push_back(FQuantile(tables, df1, df2, 1.0 - p));
    return Edges{result.criticalValues.back().value, upper};
  };
}

void Decide(TestResult& result, double statistic, Hypothesis hypothesis, double alpha,
            const EdgesAt& edgesAt) {
  RequireFiniteStatistic(statistic);
  result.statistic = statistic;
  result.decision =
      DecideByHypothesis(hypothesis, statistic, alpha, EdgeRule::Rejects, edgesAt).decision;
}

// A statistic whose denominator is 0 is not computed; such a sample rejects H0.
void RejectWithoutStatistic(TestResult& result) {
  result.zeroDenominator = true;
  result.decision = Decision::AcceptH1;
}

}  // namespace

TestResult TestMeanKnownSigma(TableStore& tables, const SampleSummary& sample, double sigma, double mu0,
                              Hypothesis hypothesis, double alpha) {
  TestResult result = StartResult(sample, StatisticDistribution::Normal, alpha);
  RequireKnownSigma(sigma);
  const double n = sample.n;
  result.intermediates.add("standardError", sigma / std::sqrt(n));
  Decide(result, (sample.mean - mu0) * std::sqrt(n) / sigma, hypothesis, alpha, NormalEdges(tables, result));
  return result;
}

TestResult TestMeanUnknownSigma(TableStore& tables, const SampleSummary& sample, double mu0,
                                Hypothesis hypothesis, double alpha) {
  TestResult result = StartResult(sample, StatisticDistribution::T, alpha);
  const int df = sample.n - 1;
  result.df = df;
  const double s = sample.stdDev;
  if (s == 0.0) {
    RejectWithoutStatistic(result);
    return result;
  }
  const double n = sample.n;
  result.intermediates.add("standardError", s / std::sqrt(n));
  Decide(result, (sample.mean - mu0) * std::sqrt(n) / s, hypothesis, alpha, TEdges(tables, result, df));
  return result;
}

TestResult TestSigmaKnownMean(TableStore& tables, const SampleSummary& sample, double mu, double sigma0,
                              Hypothesis hypothesis, double alpha) {
  TestResult result = StartResult(sample, StatisticDistribution::ChiSquare, alpha);
  RequireSigma0(sigma0);
  const int df = sample.n;
  result.df = df;
  const double n = sample.n;
  const double sumSquares =
      n * (sample.secondMoment - 2.0 * sample.mean * mu + mu * mu);
  result.intermediates.add("sumSquaresAboutMu", sumSquares);
  Decide(result, sumSquares / Square(sigma0), hypothesis, alpha, ChiSquareEdges(tables, result, df));
  return result;
}

TestResult TestSigmaUnknownMean(TableStore& tables, const SampleSummary& sample, double sigma0,
                                Hypothesis hypothesis, double alpha) {
  TestResult result = StartResult(sample, StatisticDistribution::ChiSquare, alpha);
  RequireSigma0(sigma0);
  const int df = sample.n - 1;
  result.df = df;
  const double statistic = static_cast<double>(df) * Square(sample.stdDev) / Square(sigma0);
  Decide(result, statistic, hypothesis, alpha, ChiSquareEdges(tables, result, df));
  return result;
}

TestResult TestMeanDiffKnownSigmas(TableStore& tables, const TwoSampleSummary& samples, double sigma1,
                                   double sigma2, double delta, Hypothesis hypothesis, double alpha) {
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  TestResult result = StartTwoSamples(samples, StatisticDistribution::Normal, alpha);
  RequireKnownSigma(sigma1);
  RequireKnownSigma(sigma2);
  const double n1 = a.n, n2 = b.n;
  const double standardError = std::sqrt(Square(sigma1) / n1 + Square(sigma2) / n2);
  result.intermediates.add("standardError", standardError);
  Decide(result, (a.mean - b.mean - delta) / standardError, hypothesis, alpha, NormalEdges(tables, result));
  return result;
}

TestResult TestMeanDiffEqualSigmas(TableStore& tables, const TwoSampleSummary& samples, double delta,
                                   Hypothesis hypothesis, double alpha) {
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  TestResult result = StartTwoSamples(samples, StatisticDistribution::T, alpha);
  const int df = a.n + b.n - 2;
  result.df = df;
  const double n1 = a.n, n2 = b.n;
  const double pooled = ((n1 - 1.0) * Square(a.stdDev) + (n2 - 1.0) * Square(b.stdDev)) / df;
  result.intermediates.add("pooledVariance", pooled);
  if (pooled == 0.0) throw InputError("样本方差为0,无法检验");
  const double standardError = std::sqrt((1.0 / n1 + 1.0 / n2) * pooled);
  result.intermediates.add("standardError", standardError);
  Decide(result, (a.mean - b.mean - delta) / standardError, hypothesis, alpha, TEdges(tables, result, df));
  return result;
}

TestResult TestMeanDiffUnequalSigmas(TableStore& tables, const TwoSampleSummary& samples, double delta,
                                     Hypothesis hypothesis, double alpha) {
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  TestResult result = StartTwoSamples(samples, StatisticDistribution::T, alpha);
  // Sizes as doubles: n1²·(n1 − 1) leaves the range of int long before the sizes do.
  const double n1 = a.n, n2 = b.n;
  const double ratio = b.stdDev == 0.0 ? 0.0 : Square(a.stdDev / b.stdDev);
  /* The usual (s1²/n1 + s2²/n2)² / (s1⁴/(n1²(n1 − 1)) + s2⁴/(n2²(n2 − 1))) divided through
     by s2⁴, so that s2 = 0 (ratio 0) gives n2 − 1. */
  const double nu = Square(ratio / n1 + 1.0 / n2) /
                    (Square(ratio) / (n1 * n1 * (n1 - 1.0)) + 1.0 / (n2 * n2 * (n2 - 1.0)));
  // The quotient of an exact whole number can land a hair below it (10 for n1 = n2 = 6 and
  // s1 = s2 comes out as 9.999...); WholePart counts that as the whole number.
  const double nuWhole = WholePart(nu);
  result.intermediates.add("varianceRatio", ratio);
  result.intermediates.add("nu", nu);
  result.intermediates.add("nuWhole", nuWhole);
  result.df = nuWhole;
  const double standardError = std::sqrt(Square(b.stdDev) / n2 + Square(a.stdDev) / n1);
  result.intermediates.add("standardError", standardError);
  if (standardError == 0.0) {
    RejectWithoutStatistic(result);
    return result;
  }
  Decide(result, (a.mean - b.mean - delta) / standardError, hypothesis, alpha,
         TEdges(tables, result, static_cast<int>(nuWhole)));
  return result;
}

TestResult TestSigmaRatio(TableStore& tables, const TwoSampleSummary& samples, Hypothesis hypothesis,
                          double alpha) {
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  TestResult result = StartTwoSamples(samples, StatisticDistribution::F, alpha);
  result.df = a.n - 1;
  result.df2 = b.n - 1;
  const EdgesAt edgesAt = FEdges(tables, result, a.n - 1, b.n - 1);
  if (b.stdDev == 0.0) {
    edgesAt(alpha);  // looked up before the spread is checked, as for any sample
    RejectWithoutStatistic(result);
    return result;
  }
  Decide(result, Square(a.stdDev) / Square(b.stdDev), hypothesis, alpha, edgesAt);
  return result;
}

TestResult TestPairedMeanDiff(TableStore& tables, const SampleSummary& differences, Hypothesis hypothesis,
                              double alpha) {
  TestResult result = StartResult(differences, StatisticDistribution::T, alpha);
  const int df = differences.n - 1;
  result.df = df;
  const EdgesAt edgesAt = TEdges(tables, result, df);
  if (differences.stdDev == 0.0) {
    edgesAt(alpha);  // looked up before the spread is checked, as for any sample
    RejectWithoutStatistic(result);
    return result;
  }
  const double n = differences.n;
  Decide(result, std::sqrt(n) * differences.mean / differences.stdDev, hypothesis, alpha, edgesAt);
  return result;
}

TestResult RunParametricTest(TableStore& tables, const ParametricTestInput& in) {
  const SampleSummary& first = in.samples.first;
  switch (in.test) {
    case ParametricTest::MeanKnownSigma:
      return TestMeanKnownSigma(tables, first, in.sigma, in.mu0, in.hypothesis, in.alpha);
    case ParametricTest::MeanUnknownSigma:
      return TestMeanUnknownSigma(tables, first, in.mu0, in.hypothesis, in.alpha);
    case ParametricTest::SigmaKnownMean:
      return TestSigmaKnownMean(tables, first, in.mu, in.sigma0, in.hypothesis, in.alpha);
    case ParametricTest::SigmaUnknownMean:
      return TestSigmaUnknownMean(tables, first, in.sigma0, in.hypothesis, in.alpha);
    case ParametricTest::MeanDiffKnownSigmas:
      return TestMeanDiffKnownSigmas(tables, in.samples, in.sigma1, in.sigma2, in.delta, in.hypothesis,
                                     in.alpha);
    case ParametricTest::MeanDiffEqualSigmas:
      return TestMeanDiffEqualSigmas(tables, in.samples, in.delta, in.hypothesis, in.alpha);
    case ParametricTest::MeanDiffUnequalSigmas:
      return TestMeanDiffUnequalSigmas(tables, in.samples, in.delta, in.hypothesis, in.alpha);
    case ParametricTest::SigmaRatio: return TestSigmaRatio(tables, in.samples, in.hypothesis, in.alpha);
    case ParametricTest::PairedMeanDiff: return TestPairedMeanDiff(tables, first, in.hypothesis, in.alpha);
  }
  throw std::logic_error("RunParametricTest: a test without a computation");
}

double HypothesisedValue(const ParametricTestInput& in) {
  switch (in.test) {
    case ParametricTest::MeanKnownSigma:
    case ParametricTest::MeanUnknownSigma: return in.mu0;
    case ParametricTest::SigmaKnownMean:
    case ParametricTest::SigmaUnknownMean: return in.sigma0;
    case ParametricTest::MeanDiffKnownSigmas:
    case ParametricTest::MeanDiffEqualSigmas:
    case ParametricTest::MeanDiffUnequalSigmas: return in.delta;
    case ParametricTest::SigmaRatio:
    case ParametricTest::PairedMeanDiff: break;
  }
  return 0.0;
}

SampleSummary ReadPairedDifferences(const CellStore& store, InputMode mode) {
  if (mode == InputMode::Two) {
    SampleSummary typed = ReadTwoSamples(store, InputMode::Two).first;
    typed.variance = Square(typed.stdDev);
    return typed;
  }
  auto value = [&store](int row, int col) {
    const std::string& text = store.text(row, col);
    if (!text.empty() && !IsNumericText(text)) throw InputError("数据错误");
    return LeadingValue(text);
  };
  // A pair is a column with both members; a column with one member only is refused rather
  // than read with 0 for the missing one.
  auto filled = [&store](int row, int col) {
    return row < store.rows() && !store.text(row, col).empty();
  };
  std::vector<double> d;
  for (int c = 1; c < store.cols(); ++c) {
    const bool first = filled(1, c), second = filled(2, c);
    if (!first && !second) continue;
    if (first != second) throw InputError("第 " + std::to_string(c) + " 列的成对数据不全");
    d.push_back(value(1, c) - value(2, c));
  }
  if (d.size() > static_cast<std::size_t>(kMaxSize)) throw InputError("样本量超出范围");
  SampleSummary s;
  s.n = static_cast<int>(d.size());
  s.hasMean = s.n >= 1;
  s.hasSpread = s.n >= 2;
  if (s.n < 1) return s;
  double sum = 0.0;
  for (double x : d) sum += x;
  s.mean = sum / s.n;
  double squares = 0.0, deviations = 0.0;
  for (double x : d) {
    squares += x * x;
    deviations += Square(x - s.mean);
  }
  s.secondMoment = squares / s.n;
  if (s.n >= 2) {
    s.variance = deviations / (s.n - 1);
    s.stdDev = std::sqrt(s.variance);
  }
  return s;
}

}  // namespace kelvo
