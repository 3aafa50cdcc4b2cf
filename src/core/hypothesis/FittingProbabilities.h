#pragma once
// The probability of each class under the hypothesised law of the fitting window, and the
// estimates of the parameters the law leaves unknown.
#include <vector>

#include "core/hypothesis/FittingTypes.h"
#include "core/sample/CellStore.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

// The parameters the entry works with: the known ones checked, the unknown ones estimated
// from the sample and written into their fields (entries 4, 6, 8, 10, 12).
// Throws InputError when a parameter leaves the law undefined (P of 0 or 1, σ, θ or B - A
// not above 0, ...).
FittingParameters PrepareParameters(FittingEntry entry, FittingInputMode mode,
                                    const SampleSummary& sample, FittingParameters parameters);

// The classes with probability and expected count n * p filled in for the entry's law, with
// the parameters as PrepareParameters returns them. Entry 2 has none (std::invalid_argument).
// Throws InputError("计算结果超出范围") when an expected count is not finite.
std::vector<FittingClass> ClassProbabilities(FittingEntry entry, const FittingParameters& parameters,
                                             const CellStore& law, std::vector<FittingClass> classes,
                                             int n);

// λ^x / x! as a running product of λ / j (1 for x <= 0).
double PoissonTerm(int x, double lambda);

// C(n, x) as a running product over the smaller of x and n - x; 0 outside 0 <= x <= n.
double BinomialCoefficient(int n, int x);

// P(a <= X < b) for X normal(μ, σ): left Riemann sums of the density with 100, 200, ...
// subintervals until two successive sums differ by at most 0.001 (the first is compared
// with 1); at most 25600 subintervals. The density uses 6.28318 for 2π.
double NormalClassProbability(double a, double b, double mu, double sigma);

// P of the first point of the law grid whose X equals x exactly; 0 when there is none.
double LawProbability(const CellStore& law, double x);

}  // namespace kelvo
