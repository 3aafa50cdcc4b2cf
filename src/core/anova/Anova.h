#pragma once
// Analysis of variance: one factor, two factors without replication and two factors with an
// equal number of repeated observations per cell. Each design reads its grid into an input,
// and the computation returns the ANOVA table (sums of squares, degrees of freedom, mean
// squares, F ratios with the table and exact critical values, p-values and decisions).
//
// Sums of squares are computed from deviations about the means (not from Σx² − T²/n, which
// loses the digits of large observations); the worked solution still writes them with the
// totals T as a textbook does.
//
// Refusals throw InputError with the message the window shows; nothing is computed from a
// refused input.
#include <optional>
#include <string>
#include <vector>

#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

class TableStore;

enum class AnovaDesign { OneWay, TwoWay, Replicated };

// The most levels a factor may have (rows A1 … A26, columns B1 … B26).
inline constexpr int kMaxAnovaLevels = 26;

// One factor: levels[j] holds the observations of level A(j+1); sizes may differ.
struct OneWayAnovaInput {
  std::vector<std::vector<double>> levels;
  double alpha = 0.05;
};

// Two factors, one observation per cell: cells[i][j] at level i of A and level j of B.
struct TwoWayAnovaInput {
  std::vector<std::vector<double>> cells;
  double alpha = 0.05;
};

// Two factors, t ≥ 2 observations in every cell: cells[i][j] holds those of (Ai, Bj).
struct ReplicatedAnovaInput {
  std::vector<std::vector<std::vector<double>>> cells;
  double alpha = 0.05;
};

// The observations of one cell of the replicated design as typed: numbers separated by blanks
// or commas. Nothing when a part is not a number.
std::optional<std::vector<double>> ReadNumberList(std::string_view text);
// True while characters added at the end can still make the text such a list (every complete
// list, "", "12 1e", "3,").
bool IsNumberListPrefix(std::string_view text);

// The grid of each design: row 0 and column 0 are headings. One factor: each row a level, its
// observations across the row (empty cells skipped), rows after the last filled one unused.
// Two factors: the block of rows and columns up to the last filled ones, every cell filled.
OneWayAnovaInput ReadOneWayGrid(const CellStore& store);
TwoWayAnovaInput ReadTwoWayGrid(const CellStore& store);
ReplicatedAnovaInput ReadReplicatedGrid(const CellStore& store);

// One row of the ANOVA table. The rows of error and total carry no F ratio.
struct AnovaSource {
  std::string name;  // 因素A, 因素B, 交互作用, 误差, 总和
  double sumSquares = 0.0;
  int df = 0;
  double meanSquare = 0.0;       // 0 for the total
  std::optional<double> f;       // MS / MS of the error
  std::optional<CriticalValue> critical;  // F_α(df, df of the error) from the table store
  double exactCritical = 0.0;
  double p = 1.0;                // P(F ≥ f) under H0
  Decision decision = Decision::AcceptH0;
};

// For a pair of levels of the one-factor design: the interval of μj − μk at level 1 − α.
struct LevelPairInterval {
  int first = 0;   // j, from 0
  int second = 0;  // k
  double difference = 0.0;
  double halfWidth = 0.0;
  double lower() const { return difference - halfWidth; }
  double upper() const { return difference + halfWidth; }
};

struct AnovaResult {
  AnovaDesign design = AnovaDesign::OneWay;
  double alpha = 0.05;
  int levelsA = 0;      // s (one factor) or r
  int levelsB = 0;      // s of the two-factor designs; 0 for one factor
  int replicates = 0;   // t of the replicated design; 1 without replication; 0 for one factor
  int n = 0;            // observations in all
  double grandTotal = 0.0;  // T..
  double sumOfSquaresRaw = 0.0;  // ΣΣx²
  std::vector<double> totalsA;   // T of each level of A (row totals)
  std::vector<double> totalsB;   // T of each level of B (column totals)
  std::vector<int> sizesA;       // observations per level of A
  std::vector<double> meansA;    // μ̂ of each level of A
  std::vector<double> meansB;
  // The factors (A; A, B; A, B, A×B), then the error and the total.
  std::vector<AnovaSource> sources;
  // One factor: σ̂² (the error mean square), t_{α/2}(n − s) and the intervals of every pair.
  double sigma2 = 0.0;
  std::optional<CriticalValue> tCritical;
  std::vector<LevelPairInterval> pairs;
  // Every observation by level of A, for the chart.
  std::vector<std::vector<double>> observations;

  const AnovaSource& error() const { return sources[sources.size() - 2]; }
  const AnovaSource& total() const { return sources.back(); }
  // The sources that have an F ratio.
  std::vector<const AnovaSource*> factors() const;
};

AnovaResult ComputeOneWayAnova(TableStore& tables, const OneWayAnovaInput& input);
AnovaResult ComputeTwoWayAnova(TableStore& tables, const TwoWayAnovaInput& input);
AnovaResult ComputeReplicatedAnova(TableStore& tables, const ReplicatedAnovaInput& input);

// Reads the grid of the design and computes.
AnovaResult RunAnova(TableStore& tables, AnovaDesign design, const CellStore& store, double alpha);

}  // namespace kelvo
