#include "core/hypothesis/AcceptanceRegion.h"

#include <cmath>
#include <stdexcept>

#include "core/text/Errors.h"

namespace kelvo {

bool Accepts(double x, Edges edges, EdgeRule rule) {
  if (rule == EdgeRule::Accepts) return edges.lower <= x && x <= edges.upper;
  return edges.lower < x && x < edges.upper;
}

RegionDecision DecideByHypothesis(Hypothesis hypothesis, double x, double alpha, EdgeRule rule,
                                  const EdgesAt& edgesAt) {
  constexpr double kNone = HUGE_VAL;
  RegionDecision result;
  const Edges oneSided = edgesAt(alpha);
  switch (hypothesis) {
    case Hypothesis::Greater:
      result.edges = {-kNone, oneSided.upper};
      break;
    case Hypothesis::Less:
      result.edges = {oneSided.lower, kNone};
      break;
    case Hypothesis::TwoSided:
      result.edges = edgesAt(alpha / 2.0);
      break;
    default:
      throw std::invalid_argument("unknown hypothesis choice");
  }
  result.decision = Accepts(x, result.edges, rule) ? Decision::AcceptH0 : Decision::AcceptH1;
  return result;
}

void RequireSignificanceLevel(double alpha) {
  if (!(alpha > 0.0)) throw InputError("置信水平数据缺乏");
  if (!(alpha < 1.0)) throw InputError("置信水平应大于0小于1");
}

void RequireFiniteStatistic(double value) {
  if (!std::isfinite(value)) throw InputError("计算结果超出范围");
}

}  // namespace kelvo
