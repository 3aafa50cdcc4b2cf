#pragma once
// The hypothesis panel of the test windows: the button "假设命题选择" (Command2) that shows the
// current hypothesis list, the lists (HypothesisLists), and the H0 and H1 captions (Label6 and
// Label8) with the chosen texts beside them (Label7 and Label9). The controls are created in
// the parent the window gives (its Picture2 panel or its surface), at the window's places.
#include <QObject>
#include <QString>
#include <optional>
#include <span>

#include "core/hypothesis/TestSolutions.h"
#include "gui/frame/PanelLayout.h"
#include "gui/frame/HypothesisLists.h"

class QLabel;
class QPushButton;
class QWidget;

namespace kelvo {

class SettingList;

struct HypothesisPanelLayout {
  TwipsRect button;     // Command2
  TwipsRect lists;      // every list at the same place
  TwipsRect h0Caption;  // Label6
  TwipsRect h0;         // Label7
  TwipsRect h1Caption;  // Label8
  TwipsRect h1;         // Label9
  // The lists before the button in the focus chain, so that a list hidden after a choice hands
  // the focus back to the button rather than on to the control after it.
  bool listsFirst = false;
};

class HypothesisPanel : public QObject {
  Q_OBJECT
 public:
  HypothesisPanel(QWidget* parent, std::span<const HypothesisListSpec> lists,
                  const HypothesisPanelLayout& layout);

  HypothesisLists* lists() const { return m_lists; }
  QPushButton* button() const { return m_button; }

  // The texts shown beside the H0 and H1 captions.
  void showHypotheses(const QString& h0, const QString& h1);
  void clearHypotheses();
  HypothesisTexts texts() const;

  // The position of the current list's choice; InputError("尚未设定假设命题") without one.
  int requiredChoice() const;

  // Writes the current list's choice, if any, into a data file's settings ("hypothesis");
  // whether there was one.
  bool saveChoice(SettingList& settings) const;
  // The chosen pair in a data file, checked against the current list before
  // anything changes: nothing when the file names none, InputError("数据文件中的假设命题无效")
  // for a position the list lacks.
  std::optional<int> choiceInFile(const SettingList& settings) const;
  // Selects a choice read by choiceInFile (none: no choice) and returns the item's H0 and H1
  // texts (empty without a choice) for the window to caption.
  std::pair<QString, QString> restoreChoice(std::optional<int> position);

 private:
  HypothesisLists* m_lists = nullptr;
  QPushButton* m_button = nullptr;
  QLabel* m_h0 = nullptr;
  QLabel* m_h1 = nullptr;
};

}  // namespace kelvo
