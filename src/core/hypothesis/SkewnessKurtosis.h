#pragma once
// The skewness and kurtosis test of normality (mode 5 of the asymptotic window).
#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"

namespace kelvo {

class TableStore;

// Tests H0 "the sample follows a normal distribution" on the values in row 1 of the grid,
// columns 1 to 100 (one value per cell; empty cells are skipped, later columns are not read).
// The sample skewness g1 and kurtosis g2, standardised by their large-sample standard errors
// σ1 and σ2, give u1 = |g1/σ1| and u2 = |(g2 − 3 + 6/(n + 1))/σ2|; both are compared with
// z = NormalQuantile(1 − α/4), so that each of the two two-sided tests has level α/2.
// H0 is accepted when u1 < z and u2 < z (a statistic equal to z rejects).
// Result: statistic = the larger of u1 and u2, the one critical value z, and the intermediates
// "n", "g1", "g2", "sigma1", "sigma2", "u1", "u2".
// Throws InputError: α outside (0, 1) ("置信水平数据缺乏", "置信水平应大于0小于1"), a filled cell
// that is not a number ("数据错误"), fewer than 10 values ("样本量太少数据错误"), values without
// spread ("样本方差为0,无法检验"), moments that are not finite ("计算结果超出范围").
TestResult TestSkewnessKurtosis(TableStore& tables, const CellStore& store, double alpha);

}  // namespace kelvo
