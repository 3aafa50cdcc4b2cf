#include "gui/frame/OptionHighlight.h"

#include <QEvent>
#include <QMouseEvent>
#include <QRadioButton>

namespace kelvo {
namespace {

void Highlight(QRadioButton* option, const QPoint& position) {
  const double w = option->width(), h = option->height(), x = position.x(), y = position.y();
  const bool inside = option->isEnabled() && 5 * x > w && 1.25 * x < w && 5 * y > h && 1.25 * y < h;
  QPalette palette = option->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
      palette.setColor(group, role, inside ? QColor(255, 0, 0) : QColor(0, 0, 0));
  option->setPalette(palette);
}

}  // namespace

void OptionHighlight::watch(QRadioButton* option) {
  option->setMouseTracking(true);
  option->installEventFilter(this);
}

bool OptionHighlight::eventFilter(QObject* watched, QEvent* event) {
  if (auto* option = qobject_cast<QRadioButton*>(watched)) {
    if (event->type() == QEvent::EnabledChange) Highlight(option, QPoint(-1, -1));
    if (event->type() == QEvent::MouseMove)
      Highlight(option, static_cast<QMouseEvent*>(event)->position().toPoint());
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kelvo
