#pragma once
// The data checks of the distribution fitting window. Each throws InputError with the text
// the window shows in its "数据检查" box; returning means the check passed.
// Row 1 of the sample grid holds the values (grouped data: lower bounds), row 2 the repeat
// counts (grouped data: upper bounds), row 3 the counts of grouped data; row 1 of the law
// grid holds X, row 2 P. Columns 1 to cols - 1 are read; a cell is filled when its text is
// not empty.
#include "core/hypothesis/FittingTypes.h"
#include "core/sample/CellStore.h"

namespace kelvo {

// Every cell the computation reads must be a finite number ("数据错误"); repeat counts and
// grouped counts whole numbers >= 0 ("重复数必须是非负整数", "样本个数必须是非负整数");
// a grouped class must end above its start ("区间上限必须大于区间下限").
// An empty count cell counts 0, an empty upper bound 0.
void CheckFittingCells(const CellStore& sample, FittingInputMode mode);

// Entry 0: the law's points must have 0 < P < 1 ("分布律定义错误,概率值非法"), sum to 1
// within 0.05 ("分布律定义错误,概率和不为1") and be at least two ("分布律定义错误"); every
// sample value must equal one of the law's X exactly ("数据超范围"). Non-numeric law cells
// of a filled point: "数据错误".
void CheckUserLaw(const CellStore& sample, const CellStore& law);

// Entries 1, 2: every value is exactly 0 or 1 ("数据超限错误"). Grouped data passes.
void CheckZeroOneData(const CellStore& sample, FittingInputMode mode);

// Entries 3, 4: 0 <= x <= trials; grouped data 0 <= lower <= trials and
// 0 <= upper <= trials + 1 ("数据超限错误").
void CheckBinomialData(const CellStore& sample, FittingInputMode mode, double trials);

// Entries 5, 6, 11, 12: no value (grouped data: no bound) below 0 ("数据超限错误").
void CheckNonNegativeData(const CellStore& sample, FittingInputMode mode);

// The check the entry runs before its computation (entries 7 to 10 have none).
void CheckFittingData(FittingEntry entry, FittingInputMode mode, const FittingParameters& parameters,
                      const CellStore& sample, const CellStore& law);

// α strictly between 0 and 1, else "显著水平数据错误".
void CheckFittingAlpha(double alpha);

}  // namespace kelvo
