#include "gui/frame/ValueLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "core/text/ResultFormat.h"

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

void ValueLabel::setDecorations(const QString& prefix, const QString& suffix) {
  m_prefix = prefix;
  m_suffix = suffix;
}

void ValueLabel::showValue(double value) {
  setProperty("Tag", QString::fromStdString(StoredValueText(value)));
  showNumber(QString::fromStdString(FormatResult(value, ResultFormat())));
}

void ValueLabel::showValue(std::optional<double> value) {
  if (value) showValue(*value);
  else clearValue();
}

void ValueLabel::clearValue() {
  setProperty("Tag", QString());
  setText(QString());
  updateToolTip();
}

QString ValueLabel::storedValue() const { return property("Tag").toString(); }

QString ValueLabel::shownNumber() const {
  QString number = text();
  if (!m_prefix.isEmpty() && number.startsWith(m_prefix)) number.remove(0, m_prefix.size());
  if (!m_suffix.isEmpty() && number.endsWith(m_suffix)) number.chop(m_suffix.size());
  return number;
}

void ValueLabel::reformat(int precisionStep) {
  if (precisionStep == 0) return;
  const std::string caption = ReformatCaption(storedValue().toStdString(),
                                              shownNumber().toStdString(), precisionStep);
  if (caption.empty()) {
    setText(QString());
    updateToolTip();
    return;
  }
  showNumber(QString::fromStdString(caption));
}

void ValueLabel::showNumber(const QString& number) {
  setText(number.isEmpty() ? QString() : m_prefix + number + m_suffix);
  updateToolTip();
}

bool ValueLabel::isElided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 2 * margin();
}

void ValueLabel::updateToolTip() { setToolTip(isElided() ? text() : QString()); }

void ValueLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  updateToolTip();
}

void ValueLabel::paintEvent(QPaintEvent* event) {
  if (!isElided()) {
    QLabel::paintEvent(event);
    return;
  }
  QFrame::paintEvent(event);  // the sunken panel
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(margin(), 0, -margin(), 0);
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                        shown, foregroundRole());
}

void ValueLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

ConclusionLabel::ConclusionLabel(const QString& acceptH0, const QString& acceptH1, QWidget* parent)
    : QLabel(parent), m_acceptH0(acceptH0), m_acceptH1(acceptH1) {}

void ConclusionLabel::showDecision(Decision decision) {
  setText(decision == Decision::AcceptH0 ? m_acceptH0 : m_acceptH1);
}

}  // namespace kelvo
