#include "core/layout/ScaleLayout.h"

#include <algorithm>
#include <cmath>

#include "core/text/TextNumber.h"

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

SurfaceSize SurfaceSizeFor(int viewWidth, int viewHeight, int designWidth, int designHeight, int bar) {
  SurfaceSize s;
  if (designWidth <= 0 || designHeight <= 0) return s;
  // The controls of a surface w wide reach down to designHeight · w / designWidth.
  auto contentHeight = [&](int width) {
    return static_cast<int>(std::ceil(static_cast<double>(designHeight) * width / designWidth));
  };
  s.width = std::max(designWidth, viewWidth);
  s.height = contentHeight(s.width);
  if (s.height > viewHeight) {
    // A vertical scroll bar narrows the view; a surface that follows the view narrows with it.
    s.verticalBar = true;
    s.width = std::max(designWidth, viewWidth - bar);
    s.height = contentHeight(s.width);
  }
  s.horizontalBar = s.width > viewWidth - (s.verticalBar ? bar : 0);
  const int shownHeight = viewHeight - (s.horizontalBar ? bar : 0);
  if (s.height > shownHeight) s.verticalBar = true;
  s.height = std::max(s.height, shownHeight);
  return s;
}

}  // namespace kelvo
