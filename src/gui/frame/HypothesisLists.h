#pragma once
// The hypothesis lists of the test windows. Each list is a drop-down named after its control
// (Combo1, Combo2, ...), hidden until the window's hypothesis button shows the list of the
// current mode, with a text of its own before a choice ("选择1", "假设选择"). Each item is an H0
// text and an H1 text joined by one comma; picking an item hides the list and reports the
// item's position with the texts split at the item's last comma. A pick the window keeps is a
// change of the window's hypothesis ("假设已修改"); one it refuses puts the list back.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <utility>

#include "core/hypothesis/TestResult.h"
#include "gui/frame/InputSource.h"

class QComboBox;
class QWidget;

namespace kelvo {

struct HypothesisListSpec {
  const char* name;               // control name, e.g. "Combo1"
  const char16_t* placeholder;    // text before a choice
  std::span<const char16_t* const> items;
};

// H0 and H1 of an item: the texts before and after its last comma.
std::pair<QString, QString> SplitHypothesis(const QString& item);

// The conclusion texts of the test windows.
QString AcceptH0Text();
QString AcceptH1Text();

class HypothesisLists : public InputSource {
  Q_OBJECT
 public:
  // The lists are created in `parent`, all at the same place (twips), hidden.
  HypothesisLists(QWidget* parent, std::span<const HypothesisListSpec> lists, int left, int top,
                  int width, int height);

  // The list that `showCurrent` makes visible and whose selection counts.
  void setCurrent(const QString& name);
  void showCurrent();
  QComboBox* list(const QString& name) const;
  QComboBox* current() const { return m_current; }
  // The position of the current list's selection, if an item was chosen.
  std::optional<int> choice() const;
  // Sets the current list's choice (-1: none) as the window's own, without reporting a pick:
  // a hypothesis put back from a data file.
  void select(int position);
  // Called from a handler of `chosen`: the window refuses the pick (a value asked with it was
  // not acceptable), so the list goes back to the item chosen before and nothing changed.
  void refuseChoice() { m_refused = true; }

 signals:
  // An item was picked in the current list (the list is already hidden again).
  void chosen(int position, const QString& h0, const QString& h1);

 private:
  QList<QComboBox*> m_lists;
  QComboBox* m_current = nullptr;
  QHash<QComboBox*, int> m_kept;  // each list's last pick the window kept
  bool m_refused = false;
};

// The position of a list item as the parametric and asymptotic tests read it.
inline Hypothesis HypothesisAt(int position) { return static_cast<Hypothesis>(position); }

}  // namespace kelvo
