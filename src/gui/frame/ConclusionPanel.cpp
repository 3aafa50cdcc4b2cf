#include "gui/frame/ConclusionPanel.h"

#include <QLabel>

#include "gui/frame/HypothesisLists.h"
#include "gui/frame/ValueLabel.h"

namespace kelvo {
ConclusionPanel::ConclusionPanel(QWidget* surface, const ConclusionPanelLayout& layout)
    : QObject(surface) {
  m_panel = new QGroupBox(surface);
  m_panel->setObjectName(QStringLiteral("Picture3"));
  PlaceControl(m_panel, layout.panel);
  const QString heading = QStringLiteral("结果及说明");
  if (layout.heading)
    AddPanelLabel(m_panel, "Label10", heading, *layout.heading);
  else
    m_panel->setTitle(heading);
  AddPanelLabel(m_panel, "Label11", QStringLiteral("结论:"), layout.conclusionCaption);
  m_conclusion = new ConclusionLabel(
      AcceptH0Text(), layout.acceptH1.isEmpty() ? AcceptH1Text() : layout.acceptH1, m_panel);
  m_conclusion->setObjectName(QStringLiteral("Label12"));
  PlaceControl(m_conclusion, layout.conclusion);
  if (layout.conditionCaption) {
    AddPanelLabel(m_panel, "Label13", QStringLiteral("条件说明"), *layout.conditionCaption);
    m_condition = AddPanelLabel(m_panel, "Label14", layout.conditionText, layout.condition);
  }
}

}  // namespace kelvo
