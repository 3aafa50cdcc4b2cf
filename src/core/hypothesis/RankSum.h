#pragma once
// The two-sample rank-sum test of the "秩和检验" window: the input checks over its grid (row 1
// sample one, row 2 sample two, one observation per filled cell), the pooled ranking with
// mid-ranks, the built-in table when both sizes are at most 10 and the tie-corrected normal
// approximation otherwise. Every value takes part. Every refusal throws InputError with the text of the "数据检查" box;
// no function here decides from a value it could not compute.
#include <optional>
#include <string_view>
#include <vector>

#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"
#include "core/text/Errors.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

class TableStore;

// The entries of the window's hypothesis list, in its order (H0 is always μ1 = μ2). Note the
// order differs from the parametric windows: the first entry here is "μ1<μ2".
enum class RankSumHypothesis { FirstLess = 0, FirstGreater = 1, TwoSided = 2 };

// A refused significance level. The window empties the box in both cases and gives it the
// focus back when refocus() is true (a number outside (0, 1)).
class SignificanceError : public InputError {
 public:
  SignificanceError(const char* message, bool refocus) : InputError(message), m_refocus(refocus) {}
  bool refocus() const { return m_refocus; }

 private:
  bool m_refocus;
};

// The sizes of the two samples: the numbers of filled cells of rows 1 and 2.
struct RankSumSizes {
  int n1 = 0;
  int n2 = 0;
};

struct RankSumSamples {
  std::vector<double> first;   // sample one, in column order
  std::vector<double> second;  // sample two, in column order
};

// One observation of the pooled ranking.
struct RankedValue {
  double value = 0.0;
  int sample = 1;     // 1 or 2
  double rank = 0.0;  // mid-rank: equal values share the mean of their positions
};

struct RankSumRanking {
  std::vector<RankedValue> table;  // the pooled values in ascending order
  int n1 = 0;
  int n2 = 0;
  double r1 = 0.0;       // rank sum of sample one
  double r2 = 0.0;       // rank sum of sample two
  double tieSum = 0.0;   // Σ (t³ − t) over the groups of t equal values
  double mean = 0.0;     // n1 (N + 1) / 2, the mean of R1 under H0
  double sigma = 0.0;    // standard deviation of R1 under H0, corrected for ties
};

// A row of the built-in table: bounds for the rank sum of the smaller sample.
struct RankSumBounds {
  int t1 = 0;                    // lower critical value
  int t2 = 0;                    // upper critical value
  bool sampleOneSmaller = true;  // sample one is the smaller (or both are equal)
  int smallerSize = 0;           // the pair of sizes the table was read at
  int largerSize = 0;
  int row = 0;                   // row of the table that was read
  double probability = 0.0;      // P(W ≤ T1) listed in that row
};

// The normal approximation of R1 for sizes beyond the table: H0 is kept while R1 stays
// within mean ∓ z·sigma, z being read from the normal table at 1 − α′.
struct RankSumNormal {
  CriticalValue quantile;  // z
  double lower = 0.0;      // mean − z·sigma
  double upper = 0.0;      // mean + z·sigma
  // (R1 − mean) / sigma; absent when sigma is 0 (every pooled value equal).
  std::optional<double> standardized;
};

struct RankSumResult {
  RankSumRanking ranking;
  double alphaPrime = 0.0;  // α for one-sided entries, α / 2 for the two-sided one
  // Table branch: W = R1 when sample one is the smaller, else R2. Normal branch: R1.
  double w = 0.0;
  std::optional<RankSumBounds> bounds;  // table branch (both sizes at most 10)
  std::optional<RankSumNormal> normal;  // normal branch (a size above 10)
  // statistic = w, distribution RankSum, the normal look-up in criticalValues, the decision,
  // and every number above under its name in intermediates.
  TestResult test;

  bool acceptsH0() const { return test.acceptsH0(); }
};

// The checks before a computation, in this order: no hypothesis chosen ("尚未设定假设命题");
// fewer than two filled cells in row 1 or row 2 ("样本量太小"); the leading number of the
// significance text not above 0 ("置信水平数据缺乏").
void CheckRankSumInput(const CellStore& grid, std::optional<RankSumHypothesis> hypothesis,
                       std::string_view alphaText);

// Counts the filled cells of rows 1 and 2 and refuses a sample in which one value fills more
// than half of it ("样本一重复数据太多错误", then "样本二重复数据太多错误"). Returns the sizes.
RankSumSizes CheckRepeatedValues(const CellStore& grid);

// The first n1 filled cells of row 1 and the first n2 of row 2, read with LeadingValue.
RankSumSamples ReadRankSumSamples(const CellStore& grid, RankSumSizes sizes);

// The pooled ranking with mid-ranks, the rank sums and the moments of R1 under H0.
RankSumRanking RankSamples(const RankSumSamples& samples);

// Whether the sizes (in either order) lie in the range of the built-in table: both at most
// 10. Of those, (2, 2) and (2, 3) have no row, and LookUpRankSumBounds refuses them.
bool InRankSumTable(int n1, int n2);

// The table row for the sizes (in either order) at the level α′: the first row of the pair,
// or its second when α′ reaches the second row's probability. Throws
// InputError("样本量太小,秩和检验表无此组合") for pairs the table lacks ((2, 2), (2, 3), sizes
// below 2) and InputError("样本量超出秩和检验表的范围") for sizes above 10, which the test
// itself decides by the normal approximation.
RankSumBounds LookUpRankSumBounds(int n1, int n2, double alphaPrime);

// Ranks the samples and decides: from the table when InRankSumTable, otherwise from the
// normal approximation with every value (which reads the normal table of the database).
// α′ must lie in (0, 1) (InputError "置信水平应大于0小于1").
RankSumResult RankSumDecision(TableStore& tables, RankSumHypothesis hypothesis, const RankSumSamples& samples,
                              double alphaPrime);

// α′ for an entry: α itself for the one-sided entries, α / 2 for the two-sided one.
// α must lie in (0, 1) (InputError "置信水平应大于0小于1").
double RankSumLevel(RankSumHypothesis hypothesis, double alpha);

// The significance text when the focus leaves its box: a number strictly between 0 and 1.
// Throws SignificanceError "请在置信水平输入数据" for a text that is not a number and
// "置信水平应大于0小于1" (refocus) for a number outside that range.
double ValidateSignificance(std::string_view text);

// The whole computation behind the compute button: the input checks, the repeated-value
// check, the reading and the decision at the level typed in alphaText.
RankSumResult ComputeRankSumTest(TableStore& tables, const CellStore& grid,
                                 std::optional<RankSumHypothesis> hypothesis, std::string_view alphaText);

}  // namespace kelvo
