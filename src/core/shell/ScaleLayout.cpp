#include "core/shell/ScaleLayout.h"

#include <cmath>

#include "core/shell/TextNumber.h"

namespace kelvo {

double LayoutStep(double ratio) { return std::exp(std::log(ratio) / 3.0); }

void ScaleControl(ScalableControl& control, double step) {
  for (auto property : {GeometryProperty::Top, GeometryProperty::Left, GeometryProperty::Height,
                        GeometryProperty::Width}) {
    auto value = control.geometry(property);
    if (!value) return;
    double scaled = RoundHalfEven(static_cast<double>(*value) * step);
    if (!control.setGeometry(property, static_cast<long long>(scaled))) return;
  }
}

long long ScaleLayout(std::span<ScalableControl* const> controls, double windowWidth,
                      long long referenceWidth, const std::function<void()>& clearGraphics) {
  long long newReference = static_cast<long long>(RoundHalfEven(windowWidth));
  if (!(windowWidth > 0.0) || referenceWidth <= 0) return newReference;
  double ratio = windowWidth / static_cast<double>(referenceWidth);
  double step = LayoutStep(ratio);
  for (int pass = 0; pass < 3; ++pass) {
    if (clearGraphics) clearGraphics();
    for (ScalableControl* control : controls)
      if (control) ScaleControl(*control, step);
  }
  return newReference;
}

}  // namespace kelvo
