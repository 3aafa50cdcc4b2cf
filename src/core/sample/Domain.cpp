#include "core/sample/Domain.h"

#include <cmath>
#include <string>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr int kValueRow = 1;

bool IsWhole(double x) { return std::isfinite(x) && std::floor(x) == x; }

bool Admits(Family family, double x, int binomialN) {
  switch (family) {
    case Family::Bernoulli:
      return x == 0.0 || x == 1.0;
    case Family::Binomial:
      return IsWhole(x) && x >= 0.0 && x <= binomialN;
    case Family::Poisson:
      return IsWhole(x) && x >= 0.0;
    case Family::Exponential:
      return std::isfinite(x) && x >= 0.0;
  }
  return false;
}

}  // namespace

void CheckDomain(const CellStore& store, Family family, int binomialN) {
  for (int c = 1; c < store.cols(); ++c) {
    const std::string& text = store.text(kValueRow, c);
    if (text.empty()) continue;
    if (!IsNumericText(text)) throw InputError("数据错误");
    if (!Admits(family, LeadingValue(text), binomialN)) throw InputError("数据超范围");
  }
}

}  // namespace kelvo
