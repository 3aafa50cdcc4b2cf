#include "gui/sample/ValueLabel.h"

#include <QMouseEvent>

#include "core/sample/ResultFormat.h"

namespace kelvo {

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setProperty("Tag", QString());
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void ValueLabel::showValue(double value) {
  setText(QString::fromStdString(FormatResult(value, ResultFormat())));
  setProperty("Tag", QString::fromStdString(StoredValueText(value)));
}

QString ValueLabel::storedValue() const { return property("Tag").toString(); }

void ValueLabel::reformat(int precisionStep) {
  setText(QString::fromStdString(
      ReformatCaption(storedValue().toStdString(), text().toStdString(), precisionStep)));
}

void ValueLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

}  // namespace kelvo
