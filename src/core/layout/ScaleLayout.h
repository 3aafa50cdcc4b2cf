#pragma once
// Proportional re-layout of a window's controls when the window's width changes.
// Geometry is in twips (15 twips per logical pixel).
#include <functional>
#include <optional>
#include <span>

namespace kelvo {

constexpr int kTwipsPerPixel = 15;

enum class GeometryProperty { Top, Left, Height, Width };

// One control as the re-layout sees it. A control may lack a property or refuse a value.
class ScalableControl {
 public:
  virtual ~ScalableControl() = default;
  virtual std::optional<long long> geometry(GeometryProperty property) const = 0;
  virtual bool setGeometry(GeometryProperty property, long long twips) = 0;
};

// The factor of one of the three passes: the cube root of the ratio, as exp(ln(ratio) / 3).
double LayoutStep(double ratio);

// Top, Left, Height, Width in that order: each multiplied by step and rounded halves to
// even. The first property the control lacks or refuses ends its scaling.
void ScaleControl(ScalableControl& control, double step);

// Scales every control by windowWidth / referenceWidth in three passes of the cube root,
// clearing the window's drawn graphics before each pass. Returns the new reference width
// (the window width rounded to whole twips). A non-positive width on either side only
// takes the new reference, since no ratio exists.
long long ScaleLayout(std::span<ScalableControl* const> controls, double windowWidth,
                      long long referenceWidth, const std::function<void()>& clearGraphics = {});

// The size of the surface that holds a window's controls, in a view that shows `viewWidth` ×
// `viewHeight` pixels without scroll bars. The surface follows the view's width but is never
// narrower than its design width, so that the re-layout never draws a control smaller than it
// was designed: a narrower view scrolls instead. Its height is the design height scaled by the
// same ratio as the controls, and at least what the view shows. A scroll bar takes `bar`
// pixels off the view across it.
struct SurfaceSize {
  int width = 0;
  int height = 0;
  bool horizontalBar = false;
  bool verticalBar = false;
};
SurfaceSize SurfaceSizeFor(int viewWidth, int viewHeight, int designWidth, int designHeight, int bar);

}  // namespace kelvo
