#include "gui/frame/ValidatedBox.h"

#include <QFocusEvent>
#include <QTimer>

#include "core/text/TextNumber.h"
#include "gui/common/Dialogs.h"

namespace kelvo {

ValidatedBox::ValidatedBox(QWidget* parent) : QLineEdit(parent) {
  setBackground(this, idleColour());
  connect(this, &QLineEdit::textChanged, this, [this] { setBackground(this, idleColour()); });
}

ValidatedBox& ValidatedBox::addCheck(Check check) {
  m_checks.push_back(std::move(check));
  return *this;
}

ValidatedBox& ValidatedBox::setNext(QWidget* next) {
  m_next = next;
  return *this;
}

ValidatedBox& ValidatedBox::onAccepted(std::function<void(const QString&)> accepted) {
  m_accepted = std::move(accepted);
  return *this;
}

bool ValidatedBox::isNumeric() const { return IsNumericText(text().toStdString()); }

double ValidatedBox::value() const { return LeadingValue(text().toStdString()); }

const QColor& ValidatedBox::idleColour() {
  static const QColor colour(192, 192, 192);
  return colour;
}

const QColor& ValidatedBox::errorColour() {
  static const QColor colour(255, 0, 0);
  return colour;
}

void ValidatedBox::setBackground(QLineEdit* box, const QColor& colour) {
  QPalette p = box->palette();
  p.setColor(QPalette::Base, colour);
  box->setPalette(p);
}

bool ValidatedBox::validate() {
  if (m_validating || m_suspended) return false;
  m_validating = true;
  for (const Check& check : m_checks) {
    if (check.passes()) continue;
    ShowDataCheck(window(), check.message);
    if (check.actions & Clear) clear();
    // Red after the clear, which would turn the box grey again.
    if (check.actions & MarkRed) setBackground(check.redBox ? check.redBox : this, errorColour());
    if (check.actions & KeepFocus) {
      // After the focus change under way has finished.
      QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
    }
    m_validating = false;
    return false;
  }
  if (m_accepted) m_accepted(text());
  if (m_next && m_next->isVisible()) m_next->setFocus(Qt::TabFocusReason);
  m_validating = false;
  return true;
}

void ValidatedBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Losing the focus to a dialog or another window is not leaving the box.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
    return;
  validate();
}

}  // namespace kelvo
