#pragma once
// Summary entry in a sample grid: instead of observations each sample row holds its size, mean,
// second raw moment and standard deviation in columns 1 to 4, as ReadTwoSamples reads them in
// input mode two. The cells a mode does not read are marked "×"; columns 3 and 4, whose
// headings are the longest, are widened.
#include "core/sample/CellStore.h"

namespace kelvo {

class SampleGrid;

// Which of the mean, second moment and standard deviation cells a mode reads (the size is
// always read).
struct SummaryCells {
  bool mean;
  bool secondMoment;
  bool stdDev;
};

// The combinations the modes read.
constexpr SummaryCells kMeanOnly{true, false, false};
constexpr SummaryCells kMeanAndStdDev{true, false, true};
constexpr SummaryCells kMeanAndMoment{true, true, false};
constexpr SummaryCells kStdDevOnly{false, false, true};

// "样本数", "样本均值 ", "样本二阶矩", "样本标准差" in row 0, columns 1 to 4 (the other heading
// cells stay as they are); "样本一 " in row 1 and, with a second sample, "样本二" in row 2.
void WriteSummaryHeadings(CellStore& store, bool secondSample);

// "×" in the cells of sample rows 1 to lastRow that the mode does not read.
void MarkUnusedSummaryCells(CellStore& store, const SummaryCells& used, int lastRow);

// Columns 3 and 4 as wide as column 1 plus 100 twips, and never narrower than their headings in
// the grid's font.
void FitSummaryColumns(SampleGrid& grid);

// Columns 3 and 4 as wide as column 1 again, for observations.
void UnfitSummaryColumns(SampleGrid& grid);

// Columns 3 and 4 widened by 100 twips at every switch to summaries and kept so on the way
// back. The widths are counted in twips here: read back from the grid, which keeps whole
// pixels, the steps would not add up.
class GrowingSummaryColumns {
 public:
  // Starts from the widths the columns have now.
  explicit GrowingSummaryColumns(SampleGrid& grid);
  void widen();

 private:
  SampleGrid& m_grid;
  int m_twips[2] = {};
};

}  // namespace kelvo
