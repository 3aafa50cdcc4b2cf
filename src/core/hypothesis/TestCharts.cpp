#include "core/hypothesis/TestCharts.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <optional>
#include <string>

namespace kelvo {
namespace {

bool Finite(double x) { return std::isfinite(x); }

// The density of a statistic under H0, located and scaled (the band tests draw the sample
// mean's law N(centre, e²)).
class NullDensity {
 public:
  static std::optional<NullDensity> For(StatisticDistribution kind, double df, double df2,
                                        double location = 0.0, double scale = 1.0) {
    if (!Finite(location) || !(scale > 0.0) || !Finite(scale)) return std::nullopt;
    switch (kind) {
      case StatisticDistribution::Normal:
        break;
      case StatisticDistribution::T:
      case StatisticDistribution::ChiSquare:
        if (!(df > 0.0) || !Finite(df)) return std::nullopt;
        break;
      case StatisticDistribution::F:
        if (!(df > 0.0) || !Finite(df) || !(df2 > 0.0) || !Finite(df2)) return std::nullopt;
        break;
      default:
        return std::nullopt;
    }
    NullDensity d;
    d.m_kind = kind;
    d.m_df = df;
    d.m_df2 = df2;
    d.m_location = location;
    d.m_scale = scale;
    return d;
  }

  bool positiveSupport() const {
    return m_kind == StatisticDistribution::ChiSquare || m_kind == StatisticDistribution::F;
  }

  // NaN where the density is unbounded (χ² and F near 0 for small degrees of freedom).
  double pdf(double x) const {
    const double z = (x - m_location) / m_scale;
    try {
      switch (m_kind) {
        case StatisticDistribution::Normal:
          return boost::math::pdf(boost::math::normal(), z) / m_scale;
        case StatisticDistribution::T:
          return boost::math::pdf(boost::math::students_t(m_df), z) / m_scale;
        case StatisticDistribution::ChiSquare:
          if (z < 0.0) return 0.0;
          return boost::math::pdf(boost::math::chi_squared(m_df), z) / m_scale;
        case StatisticDistribution::F:
          if (z < 0.0) return 0.0;
          return boost::math::pdf(boost::math::fisher_f(m_df, m_df2), z) / m_scale;
        default:
          break;
      }
    } catch (const std::exception&) {
    }
    return std::nan("");
  }

  // NaN where Boost.Math cannot give the quantile (an overflow at tiny degrees of freedom).
  double quantile(double p) const {
    try {
      return m_location + m_scale * standardQuantile(p);
    } catch (const std::exception&) {
      return std::nan("");
    }
  }

  std::string name() const {
    switch (m_kind) {
      case StatisticDistribution::Normal:
        if (m_location == 0.0 && m_scale == 1.0) return "N(0,1)";
        return "N(" + ChartNumber(m_location) + "," + ChartNumber(m_scale) + "²)";
      case StatisticDistribution::T:
        return "t(" + ChartNumber(m_df) + ")";
      case StatisticDistribution::ChiSquare:
        return "χ²(" + ChartNumber(m_df) + ")";
      case StatisticDistribution::F:
        return "F(" + ChartNumber(m_df) + "," + ChartNumber(m_df2) + ")";
      default:
        return std::string();
    }
  }

 private:
  double standardQuantile(double p) const {
    double z = std::nan("");
    switch (m_kind) {
      case StatisticDistribution::Normal:
        z = boost::math::quantile(boost::math::normal(), p);
        break;
      case StatisticDistribution::T:
        z = boost::math::quantile(boost::math::students_t(m_df), p);
        break;
      case StatisticDistribution::ChiSquare:
        z = boost::math::quantile(boost::math::chi_squared(m_df), p);
        break;
      case StatisticDistribution::F:
        z = boost::math::quantile(boost::math::fisher_f(m_df, m_df2), p);
        break;
      default:
        break;
    }
    return z;
  }

  StatisticDistribution m_kind = StatisticDistribution::Normal;
  double m_df = 0.0;
  double m_df2 = 0.0;
  double m_location = 0.0;
  double m_scale = 1.0;
};

// Where H0 is rejected: x ≤ lower and x ≥ upper; an absent edge bounds nothing.
struct Region {
  std::optional<double> lower;
  std::optional<double> upper;
};

struct Mark {
  double x = 0.0;
  ChartText label;
};

void AddNote(ChartDescription& chart, const ChartText& line) {
  if (!chart.note.empty()) chart.note.append("；");
  chart.note.append(line);
}

// The curve's points between a and b (inclusive), with the density at both bounds.
std::vector<ChartPoint> PointsBetween(const std::vector<ChartPoint>& curve, const NullDensity& d,
                                      double a, double b, double cap) {
  std::vector<ChartPoint> points;
  auto add = [&](double x) {
    const double y = d.pdf(x);
    if (Finite(y)) points.push_back({x, std::min(y, cap)});
  };
  add(a);
  for (const ChartPoint& p : curve)
    if (p.x > a && p.x < b) points.push_back(p);
  if (b > a) add(b);
  return points;
}

// The density chart shared by every test: the body of the density, the edges, the statistics
// (clipped to the chart when they lie far out), the shaded rejection region.
ChartDescription DensityChart(const std::optional<NullDensity>& density, Region region,
                       const std::vector<Mark>& edgeMarks, std::vector<Mark> statistics) {
  ChartDescription chart;
  statistics.erase(std::remove_if(statistics.begin(), statistics.end(),
                                  [](const Mark& m) { return !Finite(m.x); }),
                   statistics.end());
  ValueSpan span;
  if (density) {
    span.include(density->positiveSupport() ? 0.0 : density->quantile(0.005));
    span.include(density->quantile(0.995));
  }
  for (const Mark& m : edgeMarks) span.include(m.x);
  if (span.empty())
    for (const Mark& m : statistics) span.include(m.x);
  span.widen(0.5, 1.0);
  // A statistic within one body width of the body widens the chart; one further out is drawn
  // at the edge, its value kept in the label and the note.
  const double width = span.hi - span.lo;
  const double reachLo = span.lo - width;
  const double reachHi = span.hi + width;
  for (Mark& m : statistics) {
    if (m.x >= reachLo && m.x <= reachHi) {
      span.include(m.x);
    } else {
      AddNote(chart, ChartText(m.label).append(" 在图示范围之外"));
      m.label.append("（图外）");
      m.x = m.x < reachLo ? -HUGE_VAL : HUGE_VAL;  // placed on the edge below
    }
  }
  const double margin = (span.hi - span.lo) * 0.05;
  chart.xMin = span.lo - margin;
  chart.xMax = span.hi + margin;
  if (density && density->positiveSupport() && span.lo >= 0.0) chart.xMin = 0.0;
  for (Mark& m : statistics)
    if (!Finite(m.x)) m.x = m.x < 0 ? chart.xMin : chart.xMax;

  double cap = HUGE_VAL;
  if (density) {
    ChartSeries curve = SampleCurve(density->name(), [&](double x) { return density->pdf(x); },
                                    chart.xMin, chart.xMax, kChartPoints);
    // Densities unbounded at 0 are cut off at a height that keeps the body readable.
    double body = 0.0;
    const double bodyFrom = density->positiveSupport() ? density->quantile(0.05) : chart.xMin;
    for (const ChartPoint& p : curve.points)
      if (p.x >= bodyFrom) body = std::max(body, p.y);
    if (body > 0.0) cap = body * 1.5;
    for (ChartPoint& p : curve.points) p.y = std::min(p.y, cap);
    const std::vector<ChartPoint> points = curve.points;
    chart.series.push_back(std::move(curve));
    auto shade = [&](double a, double b) {
      ChartSeries area;
      area.kind = SeriesKind::Shaded;
      area.name = chart.ofKind(SeriesKind::Shaded).empty() ? "拒绝域" : "";
      area.lower = a;
      area.upper = b;
      area.points = PointsBetween(points, *density, a, b, cap);
      chart.series.push_back(std::move(area));
    };
    if (region.lower) shade(chart.xMin, std::max(*region.lower, chart.xMin));
    if (region.upper) shade(std::min(*region.upper, chart.xMax), chart.xMax);
  }
  for (const Mark& m : edgeMarks) {
    ChartSeries marker;
    marker.kind = SeriesKind::Marker;
    marker.at = m.x;
    marker.label = m.label;
    chart.series.push_back(std::move(marker));
  }
  for (const Mark& m : statistics) {
    if (!Finite(m.x)) continue;
    ChartSeries marker;
    marker.kind = SeriesKind::Marker;
    marker.name = "statistic";
    marker.at = m.x;
    marker.label = m.label;
    chart.series.push_back(std::move(marker));
  }
  const double top = HighestValue(chart);
  chart.yMin = 0.0;
  chart.yMax = top > 0.0 ? top * 1.15 : 1.0;
  chart.yTitle = density ? "密度" : "";
  return chart;
}

// The edges of the region where a parametric test rejects H0, in the order the tests record
// their look-ups (see ParametricTests.h).
Region ParametricRegion(const TestResult& result, Hypothesis hypothesis) {
  const std::vector<CriticalValue>& cv = result.criticalValues;
  auto at = [&](size_t i) -> std::optional<double> {
    if (i < cv.size() && Finite(cv[i].value)) return cv[i].value;
    return std::nullopt;
  };
  Region region;
  const bool symmetric = result.distribution == StatisticDistribution::Normal ||
                         result.distribution == StatisticDistribution::T;
  switch (hypothesis) {
    case Hypothesis::Greater:
      region.upper = at(0);
      break;
    case Hypothesis::Less:
      if (symmetric) {
        if (auto c = at(0)) region.lower = -*c;
      } else {
        region.lower = at(1);
      }
      break;
    case Hypothesis::TwoSided:
      if (symmetric) {
        if (auto c = at(1)) region = {-*c, *c};
      } else if (at(2) && at(3)) {
        region = {at(3), at(2)};
      }
      break;
  }
  return region;
}

std::vector<Mark> EdgeMarks(const Region& region, const std::string& word) {
  std::vector<Mark> marks;
  if (region.lower) marks.push_back({*region.lower, ChartText(word + " ").number(*region.lower)});
  if (region.upper) marks.push_back({*region.upper, ChartText(word + " ").number(*region.upper)});
  return marks;
}

std::string StatisticSymbol(StatisticDistribution kind) {
  switch (kind) {
    case StatisticDistribution::Normal: return "U";
    case StatisticDistribution::T: return "T";
    case StatisticDistribution::ChiSquare: return "χ²";
    case StatisticDistribution::F: return "F";
    default: return "统计量";
  }
}

}  // namespace

ChartDescription TestChart(const TestResult& result, Hypothesis hypothesis) {
  const Region region = ParametricRegion(result, hypothesis);
  std::optional<NullDensity> density;
  if (!result.zeroDenominator)
    density = NullDensity::For(result.distribution, result.df, result.df2);
  std::vector<Mark> statistics;
  const std::string symbol = StatisticSymbol(result.distribution);
  if (!result.zeroDenominator)
    statistics.push_back({result.statistic, ChartText(symbol + " = ").number(result.statistic)});
  ChartDescription chart = DensityChart(density, region, EdgeMarks(region, "临界值"), statistics);
  chart.title = density ? "H0 成立时 " + symbol + " 的分布 " + density->name() : "检验统计量";
  chart.xTitle = symbol;
  if (result.zeroDenominator)
    AddNote(chart, "分母为0，未计算统计量，直接拒绝H0");
  return chart;
}

ChartDescription BandTestChart(const TestResult& result) {
  const double centre = result.intermediates.find("centre").value_or(std::nan(""));
  const double error = result.intermediates.find("standardError").value_or(std::nan(""));
  Region region;
  if (auto lower = result.intermediates.find("lowerEdge"); lower && Finite(*lower))
    region.lower = *lower;
  if (auto upper = result.intermediates.find("upperEdge"); upper && Finite(*upper))
    region.upper = *upper;
  const std::optional<NullDensity> density =
      NullDensity::For(StatisticDistribution::Normal, 0.0, 0.0, centre, error);
  std::vector<Mark> statistics{{result.statistic, ChartText("x̄ = ").number(result.statistic)}};
  ChartDescription chart = DensityChart(density, region, EdgeMarks(region, "界限"), statistics);
  chart.title = density ? "H0 成立时样本均值的近似分布 " + density->name() : "样本均值";
  chart.xTitle = "x̄";
  return chart;
}

ChartDescription SkewnessKurtosisChart(const TestResult& result) {
  Region region;
  if (!result.criticalValues.empty() && Finite(result.criticalValues[0].value)) {
    const double z = result.criticalValues[0].value;
    region = {-z, z};
  }
  std::vector<Mark> statistics;
  for (const char* name : {"u1", "u2"})
    if (auto u = result.intermediates.find(name))
      statistics.push_back({*u, ChartText(std::string(name) + " = ").number(*u)});
  const std::optional<NullDensity> density =
      NullDensity::For(StatisticDistribution::Normal, 0.0, 0.0);
  ChartDescription chart = DensityChart(density, region, EdgeMarks(region, "临界值"), statistics);
  chart.title = "偏度、峰度检验：u1、u2 与 N(0,1) 的临界值";
  chart.xTitle = "u";
  return chart;
}

ChartDescription RankSumChart(const RankSumResult& result) {
  ChartDescription chart;
  chart.title = "两样本的混合秩";
  chart.xTitle = "秩";
  ChartSeries first;
  first.kind = SeriesKind::Points;
  first.name = "样本一";
  ChartSeries second = first;
  second.name = "样本二";
  double highest = 0.0;
  for (const RankedValue& v : result.ranking.table) {
    if (!Finite(v.rank)) continue;
    (v.sample == 1 ? first : second).points.push_back({v.rank, v.sample == 1 ? 1.0 : 2.0});
    highest = std::max(highest, v.rank);
  }
  chart.series.push_back(std::move(first));
  chart.series.push_back(std::move(second));
  chart.xMin = 0.0;
  chart.xMax = highest + 1.0;
  chart.yMin = 0.0;
  chart.yMax = 3.0;
  // Rank sums are whole or half numbers the window does not show: written as they are.
  chart.note = "R1 = " + ChartNumber(result.ranking.r1) + "，R2 = " + ChartNumber(result.ranking.r2) +
               "，W = " + ChartNumber(result.w);
  if (result.bounds)
    AddNote(chart, "查表 T1 = " + std::to_string(result.bounds->t1) +
                       "，T2 = " + std::to_string(result.bounds->t2));
  else if (result.normal)
    AddNote(chart, "样本量不在秩和检验表中，用正态近似" +
                       (result.normal->standardized ? " Z = " + ChartNumber(*result.normal->standardized)
                                                    : std::string()));
  return chart;
}

namespace {

bool ContinuousEntry(FittingEntry entry) {
  return static_cast<int>(entry) >= static_cast<int>(FittingEntry::UniformKnown);
}

// The classes lie side by side: each one finite and wider than nothing, starting where the
// one before ends.
bool ClassesTile(const std::vector<FittingClass>& classes) {
  if (classes.empty()) return false;
  for (size_t i = 0; i < classes.size(); ++i) {
    const FittingClass& k = classes[i];
    if (!Finite(k.lower) || !Finite(k.upper) || !(k.upper > k.lower)) return false;
    if (!Finite(k.observed) || !Finite(k.expected)) return false;
    if (i > 0) {
      const double gap = std::abs(k.lower - classes[i - 1].upper);
      if (gap > 1e-9 * std::max(1.0, std::abs(k.lower))) return false;
    }
  }
  return true;
}

// A class of whole numbers by its values ("3", "≤1", "≥6"), another by its bounds; an open
// end reaches the end of the law.
std::string ClassName(const FittingClass& k) {
  if (k.openBelow && k.openAbove) return "全部";
  const bool whole = std::floor(k.lower) == k.lower && std::floor(k.upper) == k.upper;
  if (k.openBelow) return whole ? "≤" + ChartNumber(k.upper - 1.0) : "<" + ChartNumber(k.upper);
  if (k.openAbove) return "≥" + ChartNumber(k.lower);
  if (whole && k.upper - k.lower == 1.0) return ChartNumber(k.lower);
  return ClassLabel(k.lower, k.upper);
}

// The fitted density of a continuous entry over [from, to]; an empty curve when its
// parameters leave it undefined.
ChartSeries FittedDensity(const FittingResult& result, double from, double to) {
  const FittingParameters& q = result.parameters;
  switch (result.entry) {
    case FittingEntry::UniformKnown:
    case FittingEntry::UniformUnknown:
      return UniformDensityCurve("拟合密度", q.uniformA, q.uniformB, from, to);
    case FittingEntry::NormalKnown:
    case FittingEntry::NormalUnknown: {
      const double mu = q.normalMu;
      const double sigma = q.normalSigma;
      if (!Finite(mu) || !(sigma > 0.0) || !Finite(sigma)) return ChartSeries{};
      return SampleCurve("拟合密度",
                         [&](double x) { return boost::math::pdf(boost::math::normal(mu, sigma), x); },
                         from, to, kChartPoints);
    }
    case FittingEntry::ExponentialKnown:
    case FittingEntry::ExponentialUnknown: {
      const double theta = q.exponentialTheta;
      if (!(theta > 0.0) || !Finite(theta)) return ChartSeries{};
      return SampleCurve("拟合密度",
                         [&](double x) { return x < 0.0 ? 0.0 : std::exp(-x / theta) / theta; },
                         from, to, kChartPoints);
    }
    default:
      return ChartSeries{};
  }
}

}  // namespace

ChartDescription FittingChart(const FittingResult& result) {
  ChartDescription chart;
  const TestResult& test = result.test;
  if (!test.criticalValues.empty())
    chart.note = ChartText("χ² = ")
                     .number(test.statistic)
                     .append("，临界值 ")
                     .number(test.criticalValues.front().value)
                     .append("（自由度 " + ChartNumber(test.df) + "）");
  const double n = result.n;
  if (ContinuousEntry(result.entry) && n > 0 && ClassesTile(result.classes)) {
    chart.title = "分组直方图与拟合密度";
    chart.xTitle = "x";
    chart.yTitle = "频率/组距";
    ChartSeries bars;
    bars.kind = SeriesKind::Bars;
    BarSet observed{"观测", {}};
    BarSet expected{"期望", {}};
    for (const FittingClass& k : result.classes) {
      const double width = k.upper - k.lower;
      bars.edges.push_back(k.lower);
      bars.categories.push_back(ClassName(k));
      observed.values.push_back(k.observed / (n * width));
      expected.values.push_back(k.expected / (n * width));
    }
    bars.edges.push_back(result.classes.back().upper);
    bars.sets = {std::move(observed), std::move(expected)};
    const double span = bars.edges.back() - bars.edges.front();
    chart.xMin = bars.edges.front() - span * 0.03;
    chart.xMax = bars.edges.back() + span * 0.03;
    chart.series.push_back(std::move(bars));
    ChartSeries curve = FittedDensity(result, chart.xMin, chart.xMax);
    if (!curve.points.empty()) chart.series.push_back(std::move(curve));
    if (result.classes.front().openBelow || result.classes.back().openAbove)
      AddNote(chart, "首末两组的期望频数含分布两端的尾部");
  } else {
    chart.title = "各组的观测频数与期望频数";
    chart.xTitle = "组";
    chart.yTitle = "频数";
    const std::vector<FittingClass>& classes =
        result.merged.empty() ? result.classes : result.merged;
    if (!classes.empty()) {
      ChartSeries bars;
      bars.kind = SeriesKind::Bars;
      BarSet observed{"观测频数", {}};
      BarSet expected{"期望频数", {}};
      for (const FittingClass& k : classes) {
        bars.categories.push_back(ClassName(k));
        observed.values.push_back(Finite(k.observed) ? k.observed : 0.0);
        expected.values.push_back(Finite(k.expected) ? k.expected : 0.0);
      }
      bars.sets = {std::move(observed), std::move(expected)};
      chart.series.push_back(std::move(bars));
    } else {
      AddNote(chart, "此项只做数据检查，没有分组");
    }
    chart.xMin = 0.0;
    chart.xMax = std::max<double>(1.0, classes.size());
  }
  const double top = HighestValue(chart);
  chart.yMin = 0.0;
  chart.yMax = top > 0.0 ? top * 1.15 : 1.0;
  return chart;
}

}  // namespace kelvo
