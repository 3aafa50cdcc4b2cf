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

// The whole computation of the compute button: the cell and data checks, classes,
// estimates, probabilities, merging, χ² = Σ O²/E - n and its comparison with χ²_α(K - r - 1)
// (χ² below the critical value accepts H0). Entry 2 only runs its data check: passed
// accepts H0, failed accepts H1 with the check's message in dataMessage.
// Throws InputError for faulty cells, a failed check, α outside (0, 1), an empty sample,
// parameters that leave a probability undefined, merged classes that cannot be tested, and
// fewer than one degree of freedom; TableStoreError when the table database fails.
FittingResult ComputeFittingTest(const FittingRequest& request, const CellStore& sample,
                                 const CellStore& law);

// r, the number of parameters the entry estimates from the sample.
int EstimatedParameterCount(FittingEntry entry);

// The classes with their observed counts: whole-valued classes for entries 0 to 6,
// nine equal classes for entries 7 to 12, the typed intervals for grouped data.
// Throws InputError("样本量超出范围") when a count or the number of classes leaves 16 bits.
std::vector<FittingClass> ReadClasses(const CellStore& sample, FittingInputMode mode,
                                      FittingEntry entry);

// One class [v, v + 1) for every whole part v of a sample value, ascending; each value
// counts 1 (repeat counts: its count) in the class of its whole part. Values 2 and 2.3
// share the class [2, 3); whole numbers missing from the sample get no class.
std::vector<FittingClass> BuildDiscreteClasses(const CellStore& sample, FittingInputMode mode);

// Nine classes of width (max - min + 2) / 9 covering [min - 1, max + 1).
std::vector<FittingClass> BuildContinuousClasses(const CellStore& sample, FittingInputMode mode);

// Grouped data: one class [row 1, row 2) with the count of row 3 per column whose lower
// bound is filled.
std::vector<FittingClass> ReadGroupedClasses(const CellStore& sample);

// n and, outside grouped data, the summary the estimates use (ReadOneSample). Grouped data:
// n is the sum of the counts of row 3, the other fields stay 0.
SampleSummary ReadFittingSample(const CellStore& sample, FittingInputMode mode);

// Neighbouring classes merged from the left until each group's expected count reaches 5;
// a last group still below 5 is folded into the one before it.
std::vector<FittingClass> MergeSmallClasses(const std::vector<FittingClass>& classes);

// Σ O²/E - n over the merged classes. Throws InputError when a class expects 0
// ("合并后有一组的期望频数为0,无法检验") or a single class expects fewer than 5.
double ChiSquareStatistic(const std::vector<FittingClass>& merged, int n);

}  // namespace kelvo
