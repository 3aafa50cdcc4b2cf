#pragma once
// An input box that checks its text when the focus leaves it for another control of the
// window. Its checks are declared as data: each names what must hold, the message shown when
// it does not, and what then happens (the text emptied, the focus kept, a box turned red).
// When every check passes the box reports its text as accepted and hands the focus on to the
// next box of its chain, if that box is visible. Any edit turns the box light grey again.
#include <QLineEdit>
#include <functional>
#include <vector>

namespace kelvo {

class ValidatedBox : public QLineEdit {
  Q_OBJECT
 public:
  enum Action : unsigned {
    Nothing = 0,
    Clear = 1,      // the text is emptied
    KeepFocus = 2,  // the focus comes back to this box
    MarkRed = 4,    // the check's box (this one unless named) turns red
  };
  struct Check {
    std::function<bool()> passes;
    QString message;
    unsigned actions = Nothing;
    QLineEdit* redBox = nullptr;  // for MarkRed; nullptr = this box
  };

  explicit ValidatedBox(QWidget* parent = nullptr);

  // Checks run in the order added; the first that fails ends the validation.
  ValidatedBox& addCheck(Check check);
  // Where the focus goes after a passed validation, when visible.
  ValidatedBox& setNext(QWidget* next);
  // Run with the text after a passed validation.
  ValidatedBox& onAccepted(std::function<void(const QString&)> accepted);

  bool isNumeric() const;
  double value() const;  // LeadingValue of the text
  // Runs the checks as leaving the box does; true when all passed.
  bool validate();
  // From now on leaving the box checks nothing: its window is being destroyed, and the checks
  // may read parts of the window that are already gone.
  void suspendChecks() { m_suspended = true; }

  static const QColor& idleColour();   // light grey, 12632256
  static const QColor& errorColour();  // red, 255
  static void setBackground(QLineEdit* box, const QColor& colour);

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::vector<Check> m_checks;
  QWidget* m_next = nullptr;
  std::function<void(const QString&)> m_accepted;
  bool m_validating = false;
  bool m_suspended = false;
};

}  // namespace kelvo
