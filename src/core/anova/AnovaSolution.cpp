#include "core/anova/AnovaSolution.h"

#include "core/hypothesis/TestCharts.h"

namespace kelvo {
namespace {

std::string Num(double value) { return SolutionNumber(value, 6); }
std::string Fixed(double value) { return FixedNumber(value, 4); }

// "0.001234", and "< 0.0001" below that.
std::string PCell(double p) { return p < 1e-4 ? "< 0.0001" : SolutionNumber(p, 4); }

// A critical value as the F table prints it (two decimals), or the exact one to four.
std::string CriticalText(const CriticalValue& cv) {
  return cv.exact ? FixedNumber(cv.value, 4) : FixedNumber(cv.value, 2);
}

// The subscript of a source's F ratio: F_A, F_B, F_A×B.
std::string FSymbol(const AnovaSource& s) {
  if (s.name == "因素A") return "F_A";
  if (s.name == "因素B") return "F_B";
  return "F_A×B";
}

std::string SourceSubscript(const AnovaSource& s) {
  if (s.name == "因素A") return "A";
  if (s.name == "因素B") return "B";
  if (s.name == "交互作用") return "A×B";
  if (s.name == "误差") return "E";
  return "T";
}

std::string DecisionText(Decision d) {
  return d == Decision::AcceptH1 ? "接受备选假设 H1（影响显著）" : "接受原假设 H0（影响不显著）";
}

std::string LevelName(char factor, int index) { return std::string(1, factor) + std::to_string(index + 1); }

void TotalsTable(WorkedSolution& w, const AnovaResult& r) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < r.levelsA; ++i)
    rows.push_back({LevelName('A', i), std::to_string(r.sizesA[i]), Num(r.totalsA[i]),
                    Num(r.meansA[i])});
  w.table({"水平", "观测数", "T（和）", "均值"}, rows);
  if (r.design != AnovaDesign::OneWay) {
    std::vector<std::vector<std::string>> columns;
    for (int j = 0; j < r.levelsB; ++j)
      columns.push_back({LevelName('B', j), std::to_string(r.levelsA * r.replicates),
                         Num(r.totalsB[j]), Num(r.meansB[j])});
    w.table({"水平", "观测数", "T（和）", "均值"}, columns);
  }
}

void SumsOfSquares(WorkedSolution& w, const AnovaResult& r) {
  const std::string n = std::to_string(r.n);
  const std::string correction = "T..²/n = " + Num(r.grandTotal) + "²/" + n + " = " +
                                 SolutionNumber(r.grandTotal * r.grandTotal / r.n, 10);
  w.formula("T.. = " + Num(r.grandTotal) + "，n = " + n + "，ΣΣx² = " + SolutionNumber(r.sumOfSquaresRaw, 10));
  w.formula(correction);
  w.formula("S_T = ΣΣx² − T..²/n = " + Num(r.total().sumSquares));
  const std::string s = std::to_string(r.levelsB), rr = std::to_string(r.levelsA),
                    t = std::to_string(r.replicates);
  switch (r.design) {
    case AnovaDesign::OneWay:
      w.formula("S_A = Σ T.ⱼ²/nⱼ − T..²/n = " + Num(r.sources[0].sumSquares));
      w.formula("S_E = S_T − S_A = " + Num(r.error().sumSquares));
      break;
    case AnovaDesign::TwoWay:
      w.formula("S_A = (1/" + s + ") Σ Tᵢ.² − T..²/n = " + Num(r.sources[0].sumSquares));
      w.formula("S_B = (1/" + rr + ") Σ T.ⱼ² − T..²/n = " + Num(r.sources[1].sumSquares));
      w.formula("S_E = S_T − S_A − S_B = " + Num(r.error().sumSquares));
      break;
    case AnovaDesign::Replicated:
      w.formula("S_A = (1/(" + s + "·" + t + ")) Σ Tᵢ..² − T..²/n = " + Num(r.sources[0].sumSquares));
      w.formula("S_B = (1/(" + rr + "·" + t + ")) Σ T.ⱼ.² − T..²/n = " + Num(r.sources[1].sumSquares));
      w.formula("S_E = ΣΣΣ x² − (1/" + t + ") ΣΣ Tᵢⱼ.² = " + Num(r.error().sumSquares));
      w.formula("S_A×B = S_T − S_A − S_B − S_E = " + Num(r.sources[2].sumSquares));
      break;
  }
}

}  // namespace

std::vector<std::string> AnovaTableHeader() {
  return {"方差来源", "平方和", "自由度", "均方", "F 比", "F_α", "p 值"};
}

std::vector<std::vector<std::string>> AnovaTableRows(const AnovaResult& result) {
  std::vector<std::vector<std::string>> rows;
  for (const AnovaSource& s : result.sources) {
    const bool total = &s == &result.total();
    std::vector<std::string> row{s.name, Num(s.sumSquares), std::to_string(s.df),
                                 total ? "" : Num(s.meanSquare), "", "", ""};
    if (s.f) {
      row[4] = Fixed(*s.f);
      row[5] = CriticalText(*s.critical);
      row[6] = PCell(s.p);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string AnovaConclusion(const AnovaResult& result) {
  std::string text;
  for (const AnovaSource* s : result.factors()) {
    if (!text.empty()) text += "\n";
    text += s->name + "：" + DecisionText(s->decision);
  }
  return text;
}

WorkedSolution AnovaSolution(const AnovaResult& r) {
  WorkedSolution w;
  const char* titles[] = {"单因素方差分析", "双因素方差分析（无重复）", "双因素方差分析（等重复）"};
  w.heading(titles[static_cast<int>(r.design)]);
  switch (r.design) {
    case AnovaDesign::OneWay:
      w.text("H0：μ₁ = μ₂ = … = μ" + Subscript(std::to_string(r.levelsA)) + "；H1：μ₁, …, μ" +
             Subscript(std::to_string(r.levelsA)) + " 不全相等。");
      break;
    case AnovaDesign::TwoWay:
      w.text("H01：因素A各水平的效应全为 0；H02：因素B各水平的效应全为 0。");
      break;
    case AnovaDesign::Replicated:
      w.text("H01：因素A的效应全为 0；H02：因素B的效应全为 0；H03：交互作用全为 0。每单元 t = " +
             std::to_string(r.replicates) + " 次重复。");
      break;
  }
  w.heading("各水平的和与均值");
  TotalsTable(w, r);
  w.heading("平方和");
  SumsOfSquares(w, r);
  w.heading("方差分析表");
  std::vector<bool> marked;
  for (const AnovaSource& s : r.sources) marked.push_back(s.f && s.decision == Decision::AcceptH1);
  // The textbook's five columns; the critical values and p-values follow source by source.
  std::vector<std::string> header = AnovaTableHeader();
  header.resize(5);
  std::vector<std::vector<std::string>> rows = AnovaTableRows(r);
  for (auto& row : rows) row.resize(5);
  w.table(header, rows, marked);
  w.heading("检验");
  const AnovaSource& e = r.error();
  for (const AnovaSource* s : r.factors()) {
    const std::string sub = SourceSubscript(*s);
    w.formula(FSymbol(*s) + " = (S_" + sub + "/" + std::to_string(s->df) + ") / (S_E/" +
              std::to_string(e.df) + ") = " + Num(s->meanSquare) + " / " + Num(e.meanSquare) +
              " = " + Fixed(*s->f));
    w.formula("查表 " + QuantileSymbol(*s->critical) + " = " + CriticalText(*s->critical) +
              "（精确值 " + Fixed(s->exactCritical) + "），" + PValueText(s->p));
    if (s->critical->exact) w.note(NoTableColumnText(r.alpha));
    w.text("拒绝域 " + FSymbol(*s) + " ≥ " + QuantileSymbol(*s->critical) + "；" + FSymbol(*s) +
           (s->decision == Decision::AcceptH1 ? " 落在拒绝域内，" : " 不在拒绝域内，") + s->name +
           "：" + DecisionText(s->decision) + "。");
    const bool exactRejects = *s->f >= s->exactCritical;
    if (exactRejects != (s->decision == Decision::AcceptH1))
      w.note("按精确临界值 " + Fixed(s->exactCritical) + " 判断，结论与查表相反。");
  }
  if (r.design == AnovaDesign::OneWay) {
    w.heading("参数估计");
    for (int j = 0; j < r.levelsA; ++j)
      w.formula("μ̂" + std::to_string(j + 1) + " = x̄." + std::to_string(j + 1) + " = " +
                Num(r.meansA[j]));
    w.formula("σ̂² = S_E/(n − s) = " + Num(e.sumSquares) + "/" + std::to_string(e.df) + " = " +
              Num(r.sigma2));
    w.text("μⱼ − μₖ 的置信水平为 " + SolutionNumber(1.0 - r.alpha) +
           " 的置信区间：x̄.ⱼ − x̄.ₖ ± " + QuantileSymbol(*r.tCritical) +
           "·√(S_E/(n − s)·(1/nⱼ + 1/nₖ))，" + QuantileSymbol(*r.tCritical) + " = " +
           Fixed(r.tCritical->value));
    std::vector<std::vector<std::string>> rows;
    for (const LevelPairInterval& p : r.pairs)
      rows.push_back({"μ" + std::to_string(p.first + 1) + " − μ" + std::to_string(p.second + 1),
                      Num(p.difference), Num(p.halfWidth),
                      IntervalText(Num(p.lower()), Num(p.upper()))});
    w.table({"差", "x̄.ⱼ − x̄.ₖ", "半宽", "置信区间"}, rows);
  }
  return w;
}

ChartDescription AnovaChart(const AnovaResult& result) {
  const AnovaSource& first = *result.factors().front();
  TestResult test;
  test.statistic = *first.f;
  test.distribution = StatisticDistribution::F;
  test.df = first.df;
  test.df2 = result.error().df;
  test.criticalValues = {*first.critical};
  test.decision = first.decision;
  ChartDescription chart = TestChart(test, Hypothesis::Greater);
  chart.title = "H0 成立时 " + FSymbol(first) + " 的分布 F(" + std::to_string(first.df) + ", " +
                std::to_string(result.error().df) + ")";
  return chart;
}

ChartDescription AnovaLevelChart(const AnovaResult& result) {
  ChartDescription chart;
  chart.title = "因素A各水平的观测值与均值";
  chart.xTitle = "水平 A1 … A" + std::to_string(result.levelsA);
  chart.yTitle = "观测值";
  ChartSeries dots;
  dots.kind = SeriesKind::Points;
  dots.name = "观测值";
  ChartSeries means;
  means.kind = SeriesKind::Points;
  means.name = "水平均值";
  ValueSpan span;
  for (int j = 0; j < result.levelsA; ++j) {
    for (double x : result.observations[j]) {
      dots.points.push_back({j + 1.0, x});
      span.include(x);
    }
    means.points.push_back({j + 1.0, result.meansA[j]});
  }
  span.widen(0.1, 1.0);
  const double margin = (span.hi - span.lo) * 0.08;
  chart.xMin = 0.5;
  chart.xMax = result.levelsA + 0.5;
  chart.yMin = span.lo - margin;
  chart.yMax = span.hi + margin;
  chart.series.push_back(std::move(dots));
  chart.series.push_back(std::move(means));
  return chart;
}

std::string AnovaStatusLine(const AnovaResult& result) {
  std::string line;
  for (const AnovaSource* s : result.factors()) {
    if (!line.empty()) line += "；";
    line += FSymbol(*s) + " = " + Fixed(*s->f) + "，临界值 " + QuantileSymbol(*s->critical) + " = " +
            CriticalText(*s->critical) + "，" + PValueText(s->p);
  }
  return line;
}

}  // namespace kelvo
