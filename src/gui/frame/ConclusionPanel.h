#pragma once
// The conclusion panel of the test windows (Picture3): the caption "结论:" (Label11) before the
// conclusion (Label12), and where the window has them the caption "条件说明" (Label13) before
// the condition text (Label14). The panel's heading "结果及说明" is its title, or a label of
// its own (Label10) where the window draws the panel without a title.
#include <QGroupBox>
#include <QString>
#include <optional>

#include "gui/frame/PanelLayout.h"

class QLabel;

namespace kelvo {

class ConclusionLabel;

struct ConclusionPanelLayout {
  TwipsRect panel;
  std::optional<TwipsRect> heading;  // Label10; none: the heading is the panel's title
  TwipsRect conclusionCaption;       // Label11
  TwipsRect conclusion;              // Label12
  std::optional<TwipsRect> conditionCaption;  // Label13; none: no condition line
  TwipsRect condition;                        // Label14
  QString conditionText;                      // Label14 at the start
  QString acceptH1;                           // empty: "接受备选假设 H1"
};

class ConclusionPanel : public QObject {
  Q_OBJECT
 public:
  ConclusionPanel(QWidget* surface, const ConclusionPanelLayout& layout);

  QGroupBox* panel() const { return m_panel; }
  ConclusionLabel* conclusion() const { return m_conclusion; }
  // Label14; nullptr where the panel has no condition line.
  QLabel* condition() const { return m_condition; }

 private:
  QGroupBox* m_panel = nullptr;
  ConclusionLabel* m_conclusion = nullptr;
  QLabel* m_condition = nullptr;
};

}  // namespace kelvo
