#pragma once
// A result label: shows a computed value in the result format and keeps the value
// unformatted beside it (in its Tag), so a click can show it with more or fewer decimals.
#include <QLabel>

namespace kelvo {

class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ValueLabel(QWidget* parent = nullptr);

  // Caption = the value in the result format; Tag = the value unformatted.
  void showValue(double value);
  QString storedValue() const;
  // Re-formats the caption from the stored value with one decimal more (step > 0) or fewer
  // (step < 0); a step of 0 changes nothing.
  void reformat(int precisionStep);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace kelvo
