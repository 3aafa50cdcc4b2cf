#include "gui/estimation/BinomialQuestion.h"

#include <optional>

#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"

namespace kelvo {

std::optional<int> AskBinomialN(QWidget* parent) {
  const std::optional<double> n =
      AskNumberOrCancel(parent, QStringLiteral("输入二项分布中N的值"), QStringLiteral("输入N值"),
                        [](double v) { return v >= 1 && v <= kMaxBinomialN; }, true);
  if (n) App().program.binomialN = static_cast<int>(*n);
  return App().program.binomialN;
}

}  // namespace kelvo
