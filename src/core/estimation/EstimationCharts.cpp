#include "core/estimation/EstimationCharts.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <cmath>
#include <functional>

#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

bool Finite(double x) { return std::isfinite(x); }

void AddNote(ChartDescription& chart, const std::string& line) {
  if (!chart.note.empty()) chart.note.append("；");
  chart.note.append(line);
}

struct IntervalLine {
  double lower = 0.0;
  double upper = 0.0;
  std::string label;
};

// Intervals one above the other (the first on top) with the point estimate marked.
ChartDescription IntervalLines(const std::vector<IntervalLine>& lines, std::optional<double> estimate,
                        const std::string& parameter) {
  ChartDescription chart;
  chart.title = parameter;
  chart.title += " 的置信区间";
  chart.xTitle = parameter;
  ValueSpan span;
  for (const IntervalLine& line : lines) span.include(line.lower), span.include(line.upper);
  if (estimate && !Finite(*estimate)) estimate.reset();
  if (estimate) span.include(*estimate);
  span.widen(0.1, 0.5);
  // Room on both sides so that an end open to ±∞ runs visibly past the finite ends.
  const double margin = (span.hi - span.lo) * 0.2;
  chart.xMin = span.lo - margin;
  chart.xMax = span.hi + margin;
  const int count = static_cast<int>(lines.size());
  for (int i = 0; i < count; ++i) {
    const IntervalLine& line = lines[i];
    // A bound that came out NaN has no place on the axis; an infinite one is an open end.
    if (std::isnan(line.lower) || std::isnan(line.upper)) {
      AddNote(chart, line.label + " 无法画出");
      continue;
    }
    ChartSeries segment;
    segment.kind = SeriesKind::Segment;
    segment.name = line.label;
    segment.lower = line.lower;
    segment.upper = line.upper;
    segment.at = count - i;
    segment.label.append("(").number(line.lower).append(", ").number(line.upper).append(")");
    chart.series.push_back(std::move(segment));
  }
  if (estimate) {
    ChartSeries marker;
    marker.kind = SeriesKind::Marker;
    marker.name = "estimate";
    marker.at = *estimate;
    marker.label = ChartText("点估计 ").number(*estimate);
    chart.series.push_back(std::move(marker));
  }
  chart.yMin = 0.0;
  chart.yMax = count + 1.0;
  return chart;
}

// A law fitted by an estimate: its density (continuous) or probabilities (discrete), or
// nothing when the estimate leaves it undefined.
using Law = std::function<double(double)>;

// A law whose evaluation fails at a point (Boost.Math reports an overflow, say) gives NaN
// there, which no chart draws.
Law Safe(Law law) {
  return [law = std::move(law)](double x) {
    try {
      return law(x);
    } catch (const std::exception&) {
      return std::nan("");
    }
  };
}

std::optional<Law> UncheckedLaw(PointModel model, double first, std::optional<double> second,
                                int trialCount) {
  switch (model) {
    case PointModel::Bernoulli:
    case PointModel::Binomial: {
      const int trials = model == PointModel::Bernoulli ? 1 : trialCount;
      if (!(first >= 0.0 && first <= 1.0) || trials < 1) return std::nullopt;
      const boost::math::binomial law(trials, first);
      return Law([law, trials](double k) {
        return k >= 0 && k <= trials ? boost::math::pdf(law, k) : 0.0;
      });
    }
    case PointModel::Poisson: {
      if (!(first >= 0.0) || !Finite(first)) return std::nullopt;
      if (first == 0.0) return Law([](double k) { return k == 0.0 ? 1.0 : 0.0; });
      const boost::math::poisson law(first);
      return Law([law](double k) { return k >= 0 ? boost::math::pdf(law, k) : 0.0; });
    }
    case PointModel::Normal: {
      if (!second || !(*second > 0.0) || !Finite(*second)) return std::nullopt;
      const boost::math::normal law(first, *second);
      return Law([law](double x) { return boost::math::pdf(law, x); });
    }
    case PointModel::Exponential: {
      if (!(first > 0.0) || !Finite(first)) return std::nullopt;
      return Law([first](double x) { return x < 0.0 ? 0.0 : std::exp(-x / first) / first; });
    }
    case PointModel::Uniform:
      if (!second || !(*second > first)) return std::nullopt;
      return Law([a = first, b = *second](double x) { return x >= a && x <= b ? 1.0 / (b - a) : 0.0; });
  }
  return std::nullopt;
}

std::optional<Law> FittedLaw(PointModel model, double first, std::optional<double> second,
                             int trialCount) {
  try {
    if (std::optional<Law> law = UncheckedLaw(model, first, second, trialCount)) return Safe(*law);
  } catch (const std::exception&) {
    // Parameters Boost.Math refuses leave the law undefined.
  }
  return std::nullopt;
}

bool Discrete(PointModel model) {
  return model == PointModel::Bernoulli || model == PointModel::Binomial ||
         model == PointModel::Poisson;
}

// Above this many whole values a discrete sample is drawn as a histogram.
constexpr int kMostCategories = 40;

}  // namespace

std::vector<WeightedValue> ReadWeightedSample(const CellStore& store, InputMode mode) {
  std::vector<WeightedValue> values;
  for (int c = 1; c < store.cols(); ++c) {
    const std::string& text = store.text(1, c);
    if (text.empty() || !IsNumericText(text)) continue;
    double weight = 1.0;
    if (mode == InputMode::Two) {
      const std::string& count = store.text(2, c);
      if (count.empty() || !IsNumericText(count)) continue;
      weight = LeadingValue(count);
    }
    const double value = LeadingValue(text);
    if (!(weight > 0.0) || !Finite(weight) || !Finite(value)) continue;
    values.push_back({value, weight});
  }
  return values;
}

ChartDescription LargeSampleIntervalChart(const IntervalResult& interval, const LargeSampleIntervalInput& input) {
  const char* parameter = "P";
  double estimate = input.sample.mean;
  switch (input.kind) {
    case LargeSampleInterval::BernoulliP:
      break;
    case LargeSampleInterval::BinomialP:
      estimate = input.trialCount >= 1 ? input.sample.mean / input.trialCount : std::nan("");
      break;
    case LargeSampleInterval::PoissonLambda:
      parameter = "λ";
      break;
    case LargeSampleInterval::ExponentialTheta:
      parameter = "θ";
      break;
  }
  return IntervalLines({{interval.lower, interval.upper, "双侧置信区间"}}, estimate, parameter);
}

ChartDescription NormalIntervalChart(const NormalIntervalResult& interval, const NormalIntervalInput& input) {
  const TwoSampleSummary& samples = input.samples;
  std::string parameter;
  std::optional<double> estimate;
  switch (input.kind) {
    case NormalInterval::MeanKnownSigma:
    case NormalInterval::MeanUnknownSigma:
      parameter = "μ";
      estimate = samples.first.mean;
      break;
    case NormalInterval::SigmaKnownMean:
      parameter = "σ";
      break;
    case NormalInterval::SigmaUnknownMean:
      parameter = "σ";
      estimate = samples.first.stdDev;
      break;
    case NormalInterval::MeanDiffKnownSigmas:
    case NormalInterval::MeanDiffEqualSigmas:
    case NormalInterval::MeanDiffUnequalSigmas:
      parameter = "μ1−μ2";
      estimate = samples.first.mean - samples.second.mean;
      break;
    case NormalInterval::SigmaRatioKnownMeans:
      parameter = "σ1/σ2";
      break;
    case NormalInterval::SigmaRatioUnknownMeans:
      parameter = "σ1/σ2";
      if (samples.second.stdDev > 0.0) estimate = samples.first.stdDev / samples.second.stdDev;
      break;
  }
  return IntervalLines({{interval.lower, interval.upper, "双侧置信区间"},
                        {interval.lowestValue, interval.upperOnly, "单侧置信上限"},
                        {interval.lowerOnly, HUGE_VAL, "单侧置信下限"}},
                       estimate, parameter);
}

ChartDescription PointEstimationChart(PointModel model, const std::vector<WeightedValue>& sample,
                                      const PointEstimates& estimates, int trialCount) {
  ChartDescription chart;
  const std::optional<Law> moment =
      FittedLaw(model, estimates.momentFirst, estimates.momentSecond, trialCount);
  const std::optional<Law> likelihood =
      FittedLaw(model, estimates.likelihoodFirst, estimates.likelihoodSecond, trialCount);
  const bool same = estimates.momentFirst == estimates.likelihoodFirst &&
                    estimates.momentSecond == estimates.likelihoodSecond;
  // Equal estimates draw one law, named after both.
  struct Fitted {
    std::string name;
    const std::optional<Law>* law;
  };
  std::vector<Fitted> laws;
  if (same) {
    laws.push_back({"矩估计 = 似然估计", &moment});
  } else {
    laws.push_back({"矩估计", &moment});
    laws.push_back({"似然估计", &likelihood});
  }
  for (const Fitted& f : laws)
    if (!*f.law) AddNote(chart, f.name + "使分布无定义，不画曲线");

  double total = 0.0;
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  for (const WeightedValue& v : sample) {
    if (!(v.weight > 0.0) || !Finite(v.value) || !Finite(v.weight)) continue;
    total += v.weight;
    low = std::min(low, v.value);
    high = std::max(high, v.value);
  }
  if (!(total > 0.0)) {
    AddNote(chart, "没有样本值");
    chart.title = "样本分布与拟合分布";
    return chart;
  }

  // Whole values in doubles until they are known to be few and small: a sample value may lie
  // far beyond the range of int.
  double firstValue = std::max(0.0, std::floor(low));
  double lastValue = std::max(firstValue, std::floor(high));
  if (model == PointModel::Bernoulli) firstValue = 0.0, lastValue = std::max(lastValue, 1.0);
  if (model == PointModel::Binomial && trialCount <= kMostCategories)
    firstValue = 0.0, lastValue = trialCount;
  if (Discrete(model) && lastValue - firstValue + 1 <= kMostCategories && lastValue < 1e6) {
    const int first = static_cast<int>(firstValue);
    const int last = static_cast<int>(lastValue);
    chart.title = "样本频率与估计的分布律";
    chart.xTitle = "x";
    chart.yTitle = "概率";
    ChartSeries bars;
    bars.kind = SeriesKind::Bars;
    BarSet frequencies{"样本频率", std::vector<double>(last - first + 1, 0.0)};
    for (const WeightedValue& v : sample) {
      if (!(v.weight > 0.0) || !Finite(v.value) || !Finite(v.weight)) continue;
      const double k = std::floor(v.value);
      if (k >= first && k <= last) frequencies.values[static_cast<int>(k) - first] += v.weight / total;
    }
    bars.sets.push_back(std::move(frequencies));
    for (int k = first; k <= last; ++k) bars.categories.push_back(std::to_string(k));
    for (const Fitted& f : laws) {
      if (!*f.law) continue;
      BarSet set{f.name, {}};
      for (int k = first; k <= last; ++k) {
        const double p = (**f.law)(k);
        set.values.push_back(Finite(p) ? p : 0.0);
      }
      bars.sets.push_back(std::move(set));
    }
    chart.series.push_back(std::move(bars));
    chart.xMin = first - 0.5;
    chart.xMax = last + 0.5;
    const double top = HighestValue(chart);
    chart.yMax = top > 0.0 ? top * 1.15 : 1.0;
    return chart;
  }

  chart.title = Discrete(model) ? "样本直方图与估计的分布律" : "样本直方图与拟合密度";
  chart.xTitle = "x";
  chart.yTitle = "频率/组距";
  ChartSeries histogram = DensityHistogram("样本", sample, HistogramClassCount(total));
  if (histogram.edges.empty()) return chart;
  double from = histogram.edges.front();
  double to = histogram.edges.back();
  if (model == PointModel::Uniform) {
    for (std::optional<double> x : {std::optional<double>(estimates.momentFirst), estimates.momentSecond})
      if (x && Finite(*x)) from = std::min(from, *x), to = std::max(to, *x);
  }
  const double margin = (to - from) * 0.08;
  chart.xMin = from - margin;
  chart.xMax = to + margin;
  chart.series.push_back(std::move(histogram));
  for (const Fitted& f : laws) {
    if (!*f.law) continue;
    ChartSeries curve;
    if (model == PointModel::Uniform) {
      const bool isMoment = f.law == &moment;
      const double a = isMoment ? estimates.momentFirst : estimates.likelihoodFirst;
      const double b = (isMoment ? estimates.momentSecond : estimates.likelihoodSecond).value_or(a);
      curve = UniformDensityCurve(f.name, a, b, chart.xMin, chart.xMax);
    } else if (Discrete(model)) {
      // The probabilities at the whole values, joined: at most one point per class width.
      curve.kind = SeriesKind::Curve;
      curve.name = f.name;
      const double first = std::ceil(chart.xMin);
      const double last = std::floor(chart.xMax);
      const double stride = std::max(1.0, std::floor((last - first) / kChartPoints));
      for (double k = first; k <= last; k += stride) {
        const double p = (**f.law)(k);
        if (Finite(p)) curve.points.push_back({k, p});
      }
    } else {
      curve = SampleCurve(f.name, **f.law, chart.xMin, chart.xMax, kChartPoints);
    }
    if (!curve.points.empty()) chart.series.push_back(std::move(curve));
  }
  const double top = HighestValue(chart);
  chart.yMax = top > 0.0 ? top * 1.15 : 1.0;
  return chart;
}

}  // namespace kelvo
