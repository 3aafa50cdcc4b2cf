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
// the parameters as PrepareParameters returns them. A class open below (above) takes the law's
// probability down to its lower (up to its upper) end: 0 for the binomial, Poisson and
// exponential laws, A and B for the uniform, -∞ and +∞ for the normal, every point of a
// user-defined or 0-1 law. Classes within the law's range that cover it from end to end get
// probabilities adding up to 1. Entry 2 has none (std::invalid_argument).
// Throws InputError("计算结果超出范围") when an expected count is not finite.
std::vector<FittingClass> ClassProbabilities(FittingEntry entry, const FittingParameters& parameters,
                                             const CellStore& law, std::vector<FittingClass> classes,
                                             int n);

// λ^x / x! as a running product of λ / j (1 for x <= 0).
double PoissonTerm(int x, double lambda);

// C(n, x) as a running product over the smaller of x and n - x; 0 outside 0 <= x <= n.
double BinomialCoefficient(int n, int x);

// P(a <= X < b) for X normal(μ, σ), from the distribution function; a and b may be infinite.
double NormalClassProbability(double a, double b, double mu, double sigma);

// P(a <= X < b) under the law typed in the law grid, each point's P divided by the sum of
// all of them (which the law check holds within 0.05 of 1); a and b may be infinite.
double LawProbability(const CellStore& law, double a, double b);

}  // namespace kelvo
