#include "gui/frame/HypothesisPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "core/settings/SettingList.h"
#include "core/text/Errors.h"

namespace kelvo {

HypothesisPanel::HypothesisPanel(QWidget* parent, std::span<const HypothesisListSpec> lists,
                                 const HypothesisPanelLayout& layout)
    : QObject(parent) {
  auto addLists = [&] {
    const TwipsRect& r = layout.lists;
    m_lists = new HypothesisLists(parent, lists, static_cast<int>(r.left), static_cast<int>(r.top),
                                  static_cast<int>(r.width), static_cast<int>(r.height));
  };
  if (layout.listsFirst) addLists();
  m_button = new QPushButton(QStringLiteral("假设命题选择"), parent);
  m_button->setObjectName(QStringLiteral("Command2"));
  PlaceControl(m_button, layout.button);
  if (!layout.listsFirst) addLists();
  AddPanelLabel(parent, "Label6", QStringLiteral("厡 假 设H0"), layout.h0Caption);
  m_h0 = AddPanelLabel(parent, "Label7", QString(), layout.h0);
  AddPanelLabel(parent, "Label8", QStringLiteral("备选假设H1"), layout.h1Caption);
  m_h1 = AddPanelLabel(parent, "Label9", QString(), layout.h1);
  connect(m_button, &QPushButton::clicked, m_lists, &HypothesisLists::showCurrent);
}

void HypothesisPanel::showHypotheses(const QString& h0, const QString& h1) {
  m_h1->setText(h1);
  m_h0->setText(h0);
}

void HypothesisPanel::clearHypotheses() {
  m_h0->clear();
  m_h1->clear();
}

HypothesisTexts HypothesisPanel::texts() const {
  return {m_h0->text().toStdString(), m_h1->text().toStdString()};
}

int HypothesisPanel::requiredChoice() const {
  const std::optional<int> choice = m_lists->choice();
  if (!choice) throw InputError("尚未设定假设命题");
  return *choice;
}

bool HypothesisPanel::saveChoice(SettingList& settings) const {
  const std::optional<int> choice = m_lists->choice();
  if (choice) settings.set("hypothesis", std::to_string(*choice));
  return choice.has_value();
}

std::optional<int> HypothesisPanel::choiceInFile(const SettingList& settings) const {
  const QComboBox* list = m_lists->current();
  const std::optional<int> position = settings.findWhole("hypothesis");
  if (settings.find("hypothesis") &&
      !(list && position && *position >= 0 && *position < list->count()))
    throw InputError("数据文件中的假设命题无效");
  return position;
}

std::pair<QString, QString> HypothesisPanel::restoreChoice(std::optional<int> position) {
  m_lists->select(position ? *position : -1);
  if (!position || !m_lists->current()) return {};
  return SplitHypothesis(m_lists->current()->itemText(*position));
}

}  // namespace kelvo
