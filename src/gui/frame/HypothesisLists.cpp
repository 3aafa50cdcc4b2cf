#include "gui/frame/HypothesisLists.h"

#include <QComboBox>

#include "gui/common/ControlLayout.h"

namespace kelvo {

std::pair<QString, QString> SplitHypothesis(const QString& item) {
  const qsizetype comma = item.lastIndexOf(QLatin1Char(','));
  if (comma < 0) return {item, QString()};
  return {item.left(comma), item.mid(comma + 1)};
}

QString AcceptH0Text() { return QStringLiteral("接受原假设 H0"); }
QString AcceptH1Text() { return QStringLiteral("接受备选假设 H1"); }

HypothesisLists::HypothesisLists(QWidget* parent, std::span<const HypothesisListSpec> lists,
                                 int left, int top, int width, int height)
    : InputSource(parent) {
  for (const HypothesisListSpec& row : lists) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(row.name));
    for (const char16_t* item : row.items) box->addItem(QString::fromUtf16(item));
    box->setPlaceholderText(QString::fromUtf16(row.placeholder));
    box->setCurrentIndex(-1);
    PlaceControl(box, left, top, width, height);
    SetRefusesHeight(box, true);
    box->hide();
    InputSource::claim(box);
    connect(box, &QComboBox::activated, this, [this, box](int position) {
      box->hide();
      if (box != m_current) return;
      const auto [h0, h1] = SplitHypothesis(box->itemText(position));
      m_refused = false;
      emit chosen(position, h0, h1);
      if (m_refused) {
        m_refused = false;
        box->setCurrentIndex(m_kept.value(box, -1));
        return;
      }
      m_kept[box] = position;
      emit changed(QStringLiteral("假设已修改"));
    });
    m_lists.append(box);
  }
}

void HypothesisLists::setCurrent(const QString& name) { m_current = list(name); }

void HypothesisLists::showCurrent() {
  if (!m_current) return;
  m_current->show();
  m_current->raise();
  m_current->setFocus(Qt::OtherFocusReason);
}

QComboBox* HypothesisLists::list(const QString& name) const {
  for (QComboBox* box : m_lists)
    if (box->objectName() == name) return box;
  return nullptr;
}

void HypothesisLists::select(int position) {
  if (!m_current) return;
  m_current->setCurrentIndex(position);
  m_kept[m_current] = m_current->currentIndex();
}

std::optional<int> HypothesisLists::choice() const {
  if (!m_current || m_current->currentIndex() < 0) return std::nullopt;
  return m_current->currentIndex();
}

}  // namespace kelvo
