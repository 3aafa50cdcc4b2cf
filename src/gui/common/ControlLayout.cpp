#include "gui/common/ControlLayout.h"

#include <QScrollBar>
#include <QVariant>
#include <cmath>
#include <memory>
#include <vector>

#include "core/layout/ScaleLayout.h"

namespace kelvo {
namespace {

constexpr const char* kTwips[] = {"twipsTop", "twipsLeft", "twipsHeight", "twipsWidth"};
constexpr const char* kPlaced = "kelvoControl";
constexpr const char* kRefusesHeight = "kelvoRefusesHeight";

int ToPixels(long long twips) {
  return static_cast<int>(std::llround(static_cast<double>(twips) / kTwipsPerPixel));
}

void ApplyPixels(QWidget* control, const TwipsRect& r) {
  control->setGeometry(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
}

// A placed widget as the re-layout sees it.
class WidgetControl : public ScalableControl {
 public:
  explicit WidgetControl(QWidget* w) : m_widget(w), m_rect(ControlTwips(w)) {}
  ~WidgetControl() override { SetControlTwips(m_widget, m_rect); }

  std::optional<long long> geometry(GeometryProperty p) const override { return field(p); }
  bool setGeometry(GeometryProperty p, long long twips) override {
    if (p == GeometryProperty::Height && m_widget->property(kRefusesHeight).toBool()) return false;
    if (twips < 0) return false;
    field(p) = twips;
    return true;
  }

 private:
  long long& field(GeometryProperty p) const {
    switch (p) {
      case GeometryProperty::Top: return m_rect.top;
      case GeometryProperty::Left: return m_rect.left;
      case GeometryProperty::Height: return m_rect.height;
      case GeometryProperty::Width: break;
    }
    return m_rect.width;
  }
  QWidget* m_widget;
  mutable TwipsRect m_rect;
};

}  // namespace

void PlaceControl(QWidget* control, long long left, long long top, long long width,
                  long long height) {
  control->setProperty(kPlaced, true);
  SetControlTwips(control, {left, top, width, height});
}

bool IsPlacedControl(const QWidget* control) { return control->property(kPlaced).toBool(); }

TwipsRect ControlTwips(const QWidget* control) {
  if (!control->property(kTwips[0]).isValid()) {
    QRect g = control->geometry();
    return {g.x() * kTwipsPerPixel, g.y() * kTwipsPerPixel, g.width() * kTwipsPerPixel,
            g.height() * kTwipsPerPixel};
  }
  return {control->property(kTwips[1]).toLongLong(), control->property(kTwips[0]).toLongLong(),
          control->property(kTwips[3]).toLongLong(), control->property(kTwips[2]).toLongLong()};
}

void SetControlTwips(QWidget* control, const TwipsRect& r) {
  control->setProperty(kTwips[0], r.top);
  control->setProperty(kTwips[1], r.left);
  control->setProperty(kTwips[2], r.height);
  control->setProperty(kTwips[3], r.width);
  ApplyPixels(control, r);
}

void SetRefusesHeight(QWidget* control, bool refuses) {
  control->setProperty(kRefusesHeight, refuses);
}

long long ScaleWindowControls(QWidget* surface, int windowWidthPixels, long long referenceWidth) {
  std::vector<std::unique_ptr<WidgetControl>> owned;
  std::vector<ScalableControl*> controls;
  for (QWidget* w : surface->findChildren<QWidget*>()) {
    if (!w->property(kPlaced).toBool()) continue;
    owned.push_back(std::make_unique<WidgetControl>(w));
    controls.push_back(owned.back().get());
  }
  long long reference = ScaleLayout(controls, static_cast<double>(windowWidthPixels) * kTwipsPerPixel,
                                    referenceWidth, [surface] { surface->update(); });
  owned.clear();  // writes every control's new geometry back
  return reference;
}

SurfaceView::SurfaceView(QWidget* surface, QSize designSize, QWidget* parent)
    : QScrollArea(parent), m_design(designSize) {
  setObjectName(QStringLiteral("SurfaceView"));
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);
  setWidgetResizable(false);
  // The controls are laid out for the design size before the window is first shown.
  surface->resize(designSize);
  setWidget(surface);
}

QSize SurfaceView::sizeHint() const { return m_design; }

QSize SurfaceView::minimumSizeHint() const { return QSize(0, 0); }

void SurfaceView::resizeEvent(QResizeEvent* event) {
  fitSurface();
  QScrollArea::resizeEvent(event);
}

void SurfaceView::fitSurface() {
  QWidget* surface = widget();
  if (!surface) return;
  const QSize view = maximumViewportSize();
  const int bar = verticalScrollBar()->sizeHint().width();
  const SurfaceSize size =
      SurfaceSizeFor(view.width(), view.height(), m_design.width(), m_design.height(), bar);
  surface->resize(size.width, size.height);
}

}  // namespace kelvo
