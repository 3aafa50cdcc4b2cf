#pragma once
// The one line of numbers a student writes down after a test: the statistic, the critical
// value(s) from the tables that the decision used, and the exact p-value, e.g.
// "T = 1.2958，临界值 t₀.₀₂₅(6) = 2.4469，p = 0.2427". Statistic and critical values have 4
// decimals, the p-value 4 significant digits ("p < 0.0001" below 0.0001).
#include <string>

#include "core/hypothesis/FittingTypes.h"
#include "core/hypothesis/PValues.h"
#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/TestResult.h"

namespace kelvo {

// A test of the parametric, band or skewness-kurtosis family. A critical value the decision
// compares against −c is written so ("−t₀.₀₅(6) = −1.9432"); a two-sided χ² or F test lists its
// lower value first. A statistic with a zero denominator has no value and no p-value.
// Throws std::invalid_argument for a result that lacks what its family's line shows.
std::string StatusLine(const TestResult& result, TestFamily family, Hypothesis hypothesis);

// The goodness-of-fit test: χ², χ²α(df) and p; empty when the entry only checked its data.
std::string StatusLine(const FittingResult& result);

// The rank-sum test: W with the table's T1 and T2 (N ≤ 20), or the standardised R1 with z
// (normal approximation); the p-value of the same basis as the worked solution's.
std::string StatusLine(const RankSumResult& result, RankSumHypothesis hypothesis);

}  // namespace kelvo
