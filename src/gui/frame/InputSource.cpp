#include "gui/frame/InputSource.h"

#include <QWidget>

namespace kelvo {
namespace {

constexpr char kClaimedProperty[] = "kelvoInputSource";

}  // namespace

void InputSource::claim(QWidget* control) { control->setProperty(kClaimedProperty, true); }

bool InputSource::claimed(const QWidget* control) {
  return control->property(kClaimedProperty).toBool();
}

}  // namespace kelvo
