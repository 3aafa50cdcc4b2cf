#pragma once
// Options that turn red while the pointer lies strictly inside their central 20 % to 80 %; a
// disabled option is never highlighted. Only the enabled colour groups change, so a disabled
// option keeps looking disabled.
#include <QObject>

class QRadioButton;

namespace kelvo {

class OptionHighlight : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  void watch(QRadioButton* option);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kelvo
