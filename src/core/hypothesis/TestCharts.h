#pragma once
// Charts of the test windows' results: the statistic's null density with the rejection region
// shaded and the critical values and the statistic marked; the rank-sum ranks; the observed
// and expected counts of a goodness-of-fit test.
#include "core/hypothesis/FittingTypes.h"
#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/TestResult.h"
#include "core/documents/ChartDescription.h"

namespace kelvo {

// A parametric test (normal, t, χ², F): the null density, the region where H0 is rejected for
// the hypothesis, read from the result's critical values in the order the tests look them up
// (normal and t: the edge at α, then at α/2; χ² and F: upper and lower edge at α, then at α/2).
// A statistic far outside the density's body is drawn at the chart's edge and named in the note.
// A statistic that was not computed (zeroDenominator) or a distribution without a density gives
// a chart without a curve, with whatever critical values the result holds.
ChartDescription TestChart(const TestResult& result, Hypothesis hypothesis);

// A band test of the asymptotic window: the density N(centre, standardError²) of the sample
// mean under H0, the region outside the band (intermediates "lowerEdge", "upperEdge", an
// infinite edge bounding nothing) and the sample mean.
ChartDescription BandTestChart(const TestResult& result);

// The skewness and kurtosis test: N(0, 1) with both tails beyond ±z shaded and u1, u2 marked.
ChartDescription SkewnessKurtosisChart(const TestResult& result);

// The pooled ranks of the two samples on one axis: sample one at height 1, sample two at 2.
ChartDescription RankSumChart(const RankSumResult& result);

// Observed and expected counts per merged class as bars; for the continuous entries (uniform,
// normal, exponential) whose classes tile an interval, the histogram of the classes scaled to
// a density with the fitted density over it.
ChartDescription FittingChart(const FittingResult& result);

}  // namespace kelvo
