#pragma once
// The chi-square goodness-of-fit test of the distribution fitting window: classes from the
// sample grid, their probabilities under the hypothesised law, merging until every expected
// count reaches 5, Pearson's statistic and the decision at K - r - 1 degrees of freedom.
#include <vector>

#include "core/hypothesis/FittingChecks.h"
#include "core/hypothesis/FittingProbabilities.h"
#include "core/hypothesis/FittingTypes.h"
#include "core/sample/CellStore.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

class TableStore;

// The whole computation of the compute button: the cell and data checks, classes,
// estimates, probabilities, merging, χ² = Σ (O - E)²/E and its comparison with χ²_α(K - r - 1)
// (χ² below the critical value accepts H0). Entry 2 only runs its data check: passed
// accepts H0, failed accepts H1 with the check's message in dataMessage.
// Throws InputError for faulty cells, a failed check, α outside (0, 1), an empty sample,
// parameters that leave a probability undefined, merged classes that cannot be tested, and
// fewer than one degree of freedom; TableStoreError when the table database fails.
FittingResult ComputeFittingTest(TableStore& tables, const FittingRequest& request, const CellStore& sample,
                                 const CellStore& law);

// r, the number of parameters the entry estimates from the sample.
int EstimatedParameterCount(FittingEntry entry);

// The classes with their observed counts: whole-valued classes for entries 0 to 6,
// nine equal classes for entries 7 to 12, the typed intervals for grouped data. The first
// class is open below and the last open above (FittingClass).
// Throws InputError("样本量超出范围") when a count or the number of classes passes 32767,
// "数据范围太大,分组数超出范围" for a range of more than 32767 whole numbers.
std::vector<FittingClass> ReadClasses(const CellStore& sample, FittingInputMode mode,
                                      FittingEntry entry);

// One class [v, v + 1) for every whole number v from the smallest to the largest whole part
// of a sample value, those missing from the sample included; each value counts 1 (repeat
// counts: its count) in the class of its whole part, so 2 and 2.3 share [2, 3). Throws
// InputError("数据范围太大,分组数超出范围") for more than 32767 whole numbers.
std::vector<FittingClass> BuildDiscreteClasses(const CellStore& sample, FittingInputMode mode);

// Nine classes of width (max - min) / 9 spanning [min, max], the largest value in the last;
// a sample of equal values gets one class.
std::vector<FittingClass> BuildContinuousClasses(const CellStore& sample, FittingInputMode mode);

// Grouped data: one class [row 1, row 2) with the count of row 3 per column whose lower
// bound is filled, in ascending order. Throws InputError("区间数据必须首尾相接") unless each
// interval starts where the one below it ends.
std::vector<FittingClass> ReadGroupedClasses(const CellStore& sample);

// n and, outside grouped data, the summary the estimates use (ReadOneSample). Grouped data:
// n is the sum of the counts of row 3, the other fields stay 0.
SampleSummary ReadFittingSample(const CellStore& sample, FittingInputMode mode);

// Neighbouring classes merged from the left until each group's expected count reaches 5;
// a last group still below 5 is folded into the one before it. A merged class is open
// below or above when its first or last class is.
std::vector<FittingClass> MergeSmallClasses(const std::vector<FittingClass>& classes);

// Pearson's χ² = Σ (O - E)²/E over the merged classes (equal to Σ O²/E - n, as the expected
// counts add up to n). Throws InputError when a class expects 0
// ("合并后有一组的期望频数为0,无法检验") or a single class expects fewer than 5.
double ChiSquareStatistic(const std::vector<FittingClass>& merged);

// One class's term (O - E)²/E of the statistic.
double ChiSquareShare(const FittingClass& k);

}  // namespace kelvo
