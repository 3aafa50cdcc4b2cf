#include "core/anova/Anova.h"

#include <cmath>
#include <numeric>

#include "core/tables/ExactDistributions.h"
#include "core/tables/Quantiles.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }

std::vector<std::string_view> SplitList(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    if (i > start) parts.push_back(text.substr(start, i - start));
  }
  return parts;
}

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (!IsSeparator(c)) return false;
  return true;
}

std::string CellName(int row, int col) {
  return "第 " + std::to_string(row) + " 行第 " + std::to_string(col) + " 列";
}

double CellNumber(const CellStore& store, int row, int col) {
  const std::string& text = store.text(row, col);
  if (!IsNumericText(text)) throw InputError(CellName(row, col) + "的数据不是数值");
  const double value = LeadingValue(text);
  if (!std::isfinite(value)) throw InputError(CellName(row, col) + "的数据超出范围");
  return value;
}

// The rows and columns up to the last filled cell.
std::pair<int, int> FilledExtent(const CellStore& store) {
  int rows = 0, cols = 0;
  for (int r = 1; r < store.rows(); ++r)
    for (int c = 1; c < store.cols(); ++c)
      if (!IsBlank(store.text(r, c))) {
        rows = std::max(rows, r);
        cols = std::max(cols, c);
      }
  return {rows, cols};
}

void RequireTwoFactorExtent(int rows, int cols) {
  if (rows < 2 || cols < 2) throw InputError("因素A和因素B都至少需要两个水平");
  if (rows > kMaxAnovaLevels || cols > kMaxAnovaLevels)
    throw InputError("每个因素的水平数不能超过 26");
}

void RequireAlpha(double alpha) {
  if (!(alpha > 0.0)) throw InputError("置信水平数据缺乏");
  if (!(alpha < 1.0)) throw InputError("置信水平应大于0小于1");
}

double Mean(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// A factor's row of the table, tested against the error's mean square.
AnovaSource FactorSource(TableStore& tables, std::string name, double ss, int df, int errorDf,
                         double errorMeanSquare, double alpha) {
  AnovaSource s;
  s.name = std::move(name);
  s.sumSquares = ss;
  s.df = df;
  s.meanSquare = ss / df;
  s.f = s.meanSquare / errorMeanSquare;
  s.critical = FQuantile(tables, df, errorDf, alpha);
  s.exactCritical = ExactFQuantile(df, errorDf, alpha);
  s.p = FUpperTail(df, errorDf, *s.f);
  s.decision = *s.f >= s.critical->value ? Decision::AcceptH1 : Decision::AcceptH0;
  return s;
}

// Refuses data whose F ratios would mean nothing, then appends the error and total rows.
void FinishTable(AnovaResult& result, double errorSs, int errorDf, double totalSs) {
  if (errorDf < 1) throw InputError("误差的自由度为 0，无法检验：至少一个水平需要两个以上观测值");
  if (!(totalSs > 0.0)) throw InputError("所有观测值都相等，F 比没有意义");
  // Sums of deviations of data that fit the model exactly leave rounding noise, not spread.
  if (!(errorSs > totalSs * 1e-12)) throw InputError("误差平方和为 0，F 比没有意义");
  if (!std::isfinite(totalSs)) throw InputError("计算结果超出范围");
  AnovaSource error;
  error.name = "误差";
  error.sumSquares = errorSs;
  error.df = errorDf;
  error.meanSquare = errorSs / errorDf;
  AnovaSource total;
  total.name = "总和";
  total.sumSquares = totalSs;
  total.df = result.n - 1;
  result.sources.push_back(error);
  result.sources.push_back(total);
}

void AddTotals(AnovaResult& result, const std::vector<double>& all) {
  result.n = static_cast<int>(all.size());
  for (double x : all) {
    result.grandTotal += x;
    result.sumOfSquaresRaw += x * x;
  }
}

// The factor rows computed once the error row is known.
void AddFactors(TableStore& tables, AnovaResult& result,
                const std::vector<std::pair<std::string, std::pair<double, int>>>& factors) {
  const AnovaSource errorRow = result.sources[0];
  const AnovaSource totalRow = result.sources[1];
  result.sources.clear();
  for (const auto& [name, ssDf] : factors)
    result.sources.push_back(FactorSource(tables, name, ssDf.first, ssDf.second, errorRow.df,
                                          errorRow.meanSquare, result.alpha));
  result.sources.push_back(errorRow);
  result.sources.push_back(totalRow);
}

}  // namespace

std::optional<std::vector<double>> ReadNumberList(std::string_view text) {
  std::vector<double> values;
  for (std::string_view part : SplitList(text)) {
    if (!IsNumericText(part)) return std::nullopt;
    values.push_back(LeadingValue(part));
  }
  return values;
}

bool IsNumberListPrefix(std::string_view text) {
  const std::vector<std::string_view> parts = SplitList(text);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size() && !IsSeparator(text.back());
    if (!IsNumericText(parts[i]) && !(last && IsNumericPrefix(parts[i]))) return false;
  }
  return true;
}

std::vector<const AnovaSource*> AnovaResult::factors() const {
  std::vector<const AnovaSource*> found;
  for (const AnovaSource& s : sources)
    if (s.f) found.push_back(&s);
  return found;
}

OneWayAnovaInput ReadOneWayGrid(const CellStore& store) {
  const int rows = FilledExtent(store).first;
  if (rows > kMaxAnovaLevels) throw InputError("水平数不能超过 26");
  OneWayAnovaInput input;
  for (int r = 1; r <= rows; ++r) {
    std::vector<double> level;
    for (int c = 1; c < store.cols(); ++c)
      if (!IsBlank(store.text(r, c))) level.push_back(CellNumber(store, r, c));
    input.levels.push_back(std::move(level));
  }
  return input;
}

TwoWayAnovaInput ReadTwoWayGrid(const CellStore& store) {
  const auto [rows, cols] = FilledExtent(store);
  RequireTwoFactorExtent(rows, cols);
  TwoWayAnovaInput input;
  for (int r = 1; r <= rows; ++r) {
    std::vector<double> row;
    for (int c = 1; c <= cols; ++c) {
      if (IsBlank(store.text(r, c))) throw InputError(CellName(r, c) + "缺少观测值");
      row.push_back(CellNumber(store, r, c));
    }
    input.cells.push_back(std::move(row));
  }
  return input;
}

ReplicatedAnovaInput ReadReplicatedGrid(const CellStore& store) {
  const auto [rows, cols] = FilledExtent(store);
  RequireTwoFactorExtent(rows, cols);
  ReplicatedAnovaInput input;
  for (int r = 1; r <= rows; ++r) {
    std::vector<std::vector<double>> row;
    for (int c = 1; c <= cols; ++c) {
      std::optional<std::vector<double>> values = ReadNumberList(store.text(r, c));
      if (!values) throw InputError(CellName(r, c) + "的数据不是数值");
      if (values->empty()) throw InputError(CellName(r, c) + "缺少观测值");
      row.push_back(std::move(*values));
    }
    input.cells.push_back(std::move(row));
  }
  return input;
}

AnovaResult ComputeOneWayAnova(TableStore& tables, const OneWayAnovaInput& input) {
  RequireAlpha(input.alpha);
  const int s = static_cast<int>(input.levels.size());
  if (s < 2) throw InputError("至少需要两个水平的观测值");
  if (s > kMaxAnovaLevels) throw InputError("水平数不能超过 26");
  for (int j = 0; j < s; ++j)
    if (input.levels[j].empty())
      throw InputError("水平 A" + std::to_string(j + 1) + " 没有观测值");

  AnovaResult result;
  result.design = AnovaDesign::OneWay;
  result.alpha = input.alpha;
  result.levelsA = s;
  result.observations = input.levels;
  std::vector<double> all;
  for (const auto& level : input.levels) all.insert(all.end(), level.begin(), level.end());
  AddTotals(result, all);
  const double grandMean = Mean(all);
  double ssA = 0.0, ssE = 0.0;
  for (const auto& level : input.levels) {
    const double mean = Mean(level);
    result.totalsA.push_back(std::accumulate(level.begin(), level.end(), 0.0));
    result.sizesA.push_back(static_cast<int>(level.size()));
    result.meansA.push_back(mean);
    ssA += static_cast<double>(level.size()) * (mean - grandMean) * (mean - grandMean);
    for (double x : level) ssE += (x - mean) * (x - mean);
  }
  FinishTable(result, ssE, result.n - s, ssA + ssE);
  AddFactors(tables, result, {{"因素A", {ssA, s - 1}}});

  const AnovaSource& error = result.error();
  result.sigma2 = error.meanSquare;
  result.tCritical = TQuantile(tables, error.df, input.alpha / 2.0);
  for (int j = 0; j < s; ++j)
    for (int k = j + 1; k < s; ++k) {
      LevelPairInterval pair;
      pair.first = j;
      pair.second = k;
      pair.difference = result.meansA[j] - result.meansA[k];
      pair.halfWidth = result.tCritical->value *
                       std::sqrt(result.sigma2 * (1.0 / result.sizesA[j] + 1.0 / result.sizesA[k]));
      result.pairs.push_back(pair);
    }
  return result;
}

namespace {

// The two-factor table from the cell means (t observations each) and the error within cells.
AnovaResult TwoFactorAnova(TableStore& tables, const std::vector<std::vector<std::vector<double>>>& cells,
                           double alpha, AnovaDesign design) {
  RequireAlpha(alpha);
  const int r = static_cast<int>(cells.size());
  const int s = r > 0 ? static_cast<int>(cells[0].size()) : 0;
  RequireTwoFactorExtent(r, s);
  const int t = static_cast<int>(cells[0][0].size());
  if (t < 1) throw InputError("第 1 行第 1 列缺少观测值");
  for (const auto& row : cells) {
    if (static_cast<int>(row.size()) != s) throw InputError("各行的水平数必须相同");
    for (const auto& cell : row)
      if (static_cast<int>(cell.size()) != t) throw InputError("各单元的重复观测次数必须相同");
  }
  if (design == AnovaDesign::Replicated && t < 2)
    throw InputError("每个单元至少需要 2 个重复观测值");

  AnovaResult result;
  result.design = design;
  result.alpha = alpha;
  result.levelsA = r;
  result.levelsB = s;
  result.replicates = t;
  std::vector<double> all;
  std::vector<std::vector<double>> cellMeans(r, std::vector<double>(s));
  result.observations.resize(r);
  result.totalsA.assign(r, 0.0);
  result.totalsB.assign(s, 0.0);
  double ssWithin = 0.0;
  for (int i = 0; i < r; ++i)
    for (int j = 0; j < s; ++j) {
      const auto& cell = cells[i][j];
      all.insert(all.end(), cell.begin(), cell.end());
      result.observations[i].insert(result.observations[i].end(), cell.begin(), cell.end());
      cellMeans[i][j] = Mean(cell);
      const double sum = std::accumulate(cell.begin(), cell.end(), 0.0);
      result.totalsA[i] += sum;
      result.totalsB[j] += sum;
      for (double x : cell) ssWithin += (x - cellMeans[i][j]) * (x - cellMeans[i][j]);
    }
  AddTotals(result, all);
  const double grandMean = Mean(all);
  for (int i = 0; i < r; ++i) {
    result.sizesA.push_back(s * t);
    result.meansA.push_back(Mean(result.observations[i]));
  }
  for (int j = 0; j < s; ++j) {
    double sum = 0.0;
    for (int i = 0; i < r; ++i) sum += cellMeans[i][j];
    result.meansB.push_back(sum / r);
  }
  double ssA = 0.0, ssB = 0.0, ssAB = 0.0;
  for (int i = 0; i < r; ++i) ssA += (result.meansA[i] - grandMean) * (result.meansA[i] - grandMean);
  for (int j = 0; j < s; ++j) ssB += (result.meansB[j] - grandMean) * (result.meansB[j] - grandMean);
  ssA *= static_cast<double>(s) * t;
  ssB *= static_cast<double>(r) * t;
  for (int i = 0; i < r; ++i)
    for (int j = 0; j < s; ++j) {
      const double d = cellMeans[i][j] - result.meansA[i] - result.meansB[j] + grandMean;
      ssAB += t * d * d;
    }
  const int dfA = r - 1, dfB = s - 1, dfAB = (r - 1) * (s - 1);
  if (design == AnovaDesign::TwoWay) {
    // One observation per cell: what the interaction would take is the error.
    FinishTable(result, ssAB, dfAB, ssA + ssB + ssAB);
    AddFactors(tables, result, {{"因素A", {ssA, dfA}}, {"因素B", {ssB, dfB}}});
  } else {
    FinishTable(result, ssWithin, r * s * (t - 1), ssA + ssB + ssAB + ssWithin);
    AddFactors(tables, result,
               {{"因素A", {ssA, dfA}}, {"因素B", {ssB, dfB}}, {"交互作用", {ssAB, dfAB}}});
  }
  return result;
}

}  // namespace

AnovaResult ComputeTwoWayAnova(TableStore& tables, const TwoWayAnovaInput& input) {
  std::vector<std::vector<std::vector<double>>> cells;
  for (const auto& row : input.cells) {
    cells.emplace_back();
    for (double x : row) cells.back().push_back({x});
  }
  return TwoFactorAnova(tables, cells, input.alpha, AnovaDesign::TwoWay);
}

AnovaResult ComputeReplicatedAnova(TableStore& tables, const ReplicatedAnovaInput& input) {
  return TwoFactorAnova(tables, input.cells, input.alpha, AnovaDesign::Replicated);
}

AnovaResult RunAnova(TableStore& tables, AnovaDesign design, const CellStore& store, double alpha) {
  switch (design) {
    case AnovaDesign::OneWay: {
      OneWayAnovaInput input = ReadOneWayGrid(store);
      input.alpha = alpha;
      return ComputeOneWayAnova(tables, input);
    }
    case AnovaDesign::TwoWay: {
      TwoWayAnovaInput input = ReadTwoWayGrid(store);
      input.alpha = alpha;
      return ComputeTwoWayAnova(tables, input);
    }
    case AnovaDesign::Replicated: {
      ReplicatedAnovaInput input = ReadReplicatedGrid(store);
      input.alpha = alpha;
      return ComputeReplicatedAnova(tables, input);
    }
  }
  throw InputError("未知的方差分析类型");
}

}  // namespace kelvo
