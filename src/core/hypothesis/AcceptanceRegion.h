#pragma once
// The region of a statistic in which a test keeps its null hypothesis, and the decision that
// follows from it for each hypothesis choice. Shared by the parametric and the band tests.
#include <functional>

#include "core/hypothesis/TestResult.h"

namespace kelvo {

// What a statistic exactly on an edge decides: the parametric tests reject H0 there, the
// band tests of the asymptotic window keep it.
enum class EdgeRule { Rejects, Accepts };

// Edges of the acceptance region; an infinite edge bounds nothing.
struct Edges {
  double lower = 0.0;
  double upper = 0.0;
};

// True when x lies inside the edges, an edge itself counting as the rule says.
bool Accepts(double x, Edges edges, EdgeRule rule);

// The acceptance edges at a tail probability p (α for the one-sided choices, α/2 for the
// two-sided one), looking up and recording whatever critical values they need.
using EdgesAt = std::function<Edges(double p)>;

struct RegionDecision {
  Decision decision = Decision::AcceptH0;
  Edges edges;  // the edges the decision was taken against
};

// Looks up the edges at α for every choice, and for the two-sided choice those at α/2 after
// them. Greater keeps H0 below the upper edge at α, Less above the lower edge at α, TwoSided
// between the edges at α/2.
RegionDecision DecideByHypothesis(Hypothesis hypothesis, double x, double alpha, EdgeRule rule,
                                  const EdgesAt& edgesAt);

// Throws InputError unless 0 < α < 1 ("置信水平数据缺乏" for α ≤ 0 or NaN,
// "置信水平应大于0小于1" for α ≥ 1): no look-up is made with a level the window would refuse.
void RequireSignificanceLevel(double alpha);

// Throws InputError("计算结果超出范围") when a statistic came out infinite or NaN, so that no
// decision is taken from it.
void RequireFiniteStatistic(double value);

}  // namespace kelvo
