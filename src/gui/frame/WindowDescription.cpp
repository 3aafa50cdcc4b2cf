#include "gui/frame/WindowDescription.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/SampleGrid.h"

namespace kelvo {

SampleRows SampleRowsOf(const std::string& window, DataInputMode mode) {
  if (window == "FormAnova")
    return mode == DataInputMode::One   ? SampleRows::LevelRows
           : mode == DataInputMode::Two ? SampleRows::FactorTable
                                        : SampleRows::ReplicatedTable;
  if (window == "FormRegression")
    return mode == DataInputMode::One ? SampleRows::Pairs : SampleRows::PairsAndCounts;
  switch (mode) {
    case DataInputMode::One:
      return SampleRows::Values;
    case DataInputMode::Two:
      // The windows that take a sample's summary (size, mean, ...) instead of repeat counts.
      return window == "Form3a" || window == "Form4" ? SampleRows::Summaries
                                                     : SampleRows::ValuesAndCounts;
    case DataInputMode::Grouped:
      return SampleRows::Grouped;
  }
  return SampleRows::Values;
}

std::string SampleRowsName(SampleRows rows) {
  switch (rows) {
    case SampleRows::Values:
      return "逐个输入的样本值";
    case SampleRows::ValuesAndCounts:
      return "数据值及其重复数";
    case SampleRows::Summaries:
      return "样本的中间值（样本数、均值等）";
    case SampleRows::Grouped:
      return "分组区间数据";
    case SampleRows::LevelRows:
      return "单因素各水平的观测值";
    case SampleRows::FactorTable:
      return "双因素数据表（每格一个观测值）";
    case SampleRows::ReplicatedTable:
      return "双因素数据表（每格一组重复观测值）";
    case SampleRows::Pairs:
      return "成对数据 (x, y)";
    case SampleRows::PairsAndCounts:
      return "成对数据及其重复数";
  }
  return {};
}

QString WindowDescription::shownText(const char* name) const {
  if (!name || !*name) return QString();
  const QWidget* control = m_window->findChild<QWidget*>(QString::fromLatin1(name));
  if (!control) return QString();
  if (auto* list = qobject_cast<const QComboBox*>(control)) {
    // A hypothesis list hides itself once an item is picked; the choice still counts.
    const QWidget* panel = list->parentWidget();
    const bool panelShown = !panel || panel == m_window || panel->isVisibleTo(m_window);
    return panelShown && list->currentIndex() >= 0 ? list->currentText().trimmed() : QString();
  }
  if (!control->isVisibleTo(m_window)) return QString();
  if (auto* box = qobject_cast<const QGroupBox*>(control)) return box->title().trimmed();
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text().trimmed();
  if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->text().trimmed();
  if (auto* button = qobject_cast<const QAbstractButton*>(control))
    return button->text().remove(QLatin1Char('&')).trimmed();
  return QString();
}

void WindowDescription::add(QList<DescribedGroup>& groups, const char* group,
                            const QString& caption, const QStringList& values, bool note) {
  const QString title = shownText(group);
  QStringList shown;
  for (const QString& value : values)
    if (!value.isEmpty()) shown << value;
  if (note ? caption.isEmpty() || caption == title : shown.isEmpty()) return;
  if (groups.isEmpty() || groups.back().title != title) groups.append({title, {}});
  groups.back().rows.append({caption, shown.join(QLatin1Char(' '))});
}

void WindowDescription::addInput(const char* group, const char* caption,
                                 std::initializer_list<const char*> values) {
  QStringList texts;
  for (const char* value : values) texts << shownText(value);
  add(inputs, group, shownText(caption), texts, values.size() == 0);
}

void WindowDescription::addResult(const char* group, const char* caption,
                                  std::initializer_list<const char*> values) {
  QStringList texts;
  for (const char* value : values) texts << shownText(value);
  add(results, group, shownText(caption), texts, values.size() == 0);
}

void WindowDescription::addInputText(const char* group, const QString& caption,
                                     const QString& value) {
  add(inputs, group, caption, {value}, false);
}

void WindowDescription::addResultText(const char* group, const QString& caption,
                                      const QString& value) {
  add(results, group, caption, {value}, false);
}

void WindowDescription::setGridTitle(const char* grid, const char* title) {
  for (DescribedGrid& g : grids)
    if (g.grid->view()->objectName() == QLatin1String(grid)) g.title = shownText(title);
}


// The frame's part: the grids shown, the input modes, and the chosen one as the first input.
WindowDescription AnalysisWindow::describe() const {
  WindowDescription d(*this);
  for (const SampleGrid* grid : m_grids)
    if (grid->view()->isVisibleTo(this)) d.grids.append({grid, m_dataPanel->title().trimmed()});
  d.inputMode = static_cast<DataInputMode>(inputModeNumber());
  for (DataInputMode mode : {DataInputMode::One, DataInputMode::Two, DataInputMode::Grouped})
    if (const QRadioButton* option = modeOption(static_cast<int>(mode)))
      d.inputModes.append({mode, option->text().remove(QLatin1Char('&')).trimmed(),
                           option->isEnabled() && !option->isHidden(),
                           SampleRowsOf(objectName().toStdString(), mode)});
  const QRadioButton* chosen = modeOption(inputModeNumber());
  QString caption = m_modePanel->title().trimmed();
  if (caption.isEmpty()) caption = QStringLiteral("输入方式");
  if (chosen && chosen->isVisibleTo(this))
    d.addInputText("", caption, chosen->text().remove(QLatin1Char('&')).trimmed());
  return d;
}

}  // namespace kelvo
