#include "gui/frame/StatusLineLabel.h"

namespace kelvo {

StatusLineLabel::StatusLineLabel(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("StatusLine"));
  // The numbers can be selected and copied into the student's own notes.
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setContentsMargins(4, 0, 4, 0);
}

void StatusLineLabel::setLine(const QString& line) {
  m_line = line;
  refresh();
}

void StatusLineLabel::setStale(bool stale) {
  m_stale = stale;
  refresh();
}

void StatusLineLabel::refresh() {
  const bool stale = m_stale && !m_line.isEmpty();
  setText(stale ? QStringLiteral("（已过时）") + m_line : m_line);
  // Should a large font cut the line at the window's edge, it can still be read whole.
  setToolTip(text());
  QPalette p = palette();
  p.setColor(QPalette::WindowText, stale ? QColor(150, 150, 150) : QColor(0, 0, 0));
  setPalette(p);
}

}  // namespace kelvo
