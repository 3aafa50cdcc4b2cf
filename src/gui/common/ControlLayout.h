#pragma once
// Absolute placement of a window's controls in twips, and the re-layout of them on resize.
// Each control keeps its geometry in twips beside its pixel geometry, so that the whole-twip
// rounding of the re-layout does not drift by pixel rounding.
#include <QRect>
#include <QScrollArea>
#include <QWidget>

namespace kelvo {

struct TwipsRect {
  long long left = 0, top = 0, width = 0, height = 0;
};

// Places a control at a position and size given in twips, relative to its parent, and marks
// it as one of the window's controls.
void PlaceControl(QWidget* control, long long left, long long top, long long width,
                  long long height);
// Whether `control` is one of the window's placed controls.
bool IsPlacedControl(const QWidget* control);
// The twips geometry of a placed control (its pixel geometry times 15 if never placed).
TwipsRect ControlTwips(const QWidget* control);
void SetControlTwips(QWidget* control, const TwipsRect& rect);
// Whether the re-layout may set this control's height (a combo box keeps its own).
void SetRefusesHeight(QWidget* control, bool refuses);

// Runs the proportional re-layout over every placed control below `surface`, for a window
// now `windowWidthPixels` wide; returns the new reference width in twips.
long long ScaleWindowControls(QWidget* surface, int windowWidthPixels, long long referenceWidth);

// The view of a window's surface: the surface follows the view's width, never narrower than its
// design size, and the view scrolls where the surface is larger than what it shows (see
// SurfaceSizeFor). A resize of the surface is what re-lays its controls out.
class SurfaceView : public QScrollArea {
  Q_OBJECT
 public:
  SurfaceView(QWidget* surface, QSize designSize, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitSurface();
  QSize m_design;
};

}  // namespace kelvo
