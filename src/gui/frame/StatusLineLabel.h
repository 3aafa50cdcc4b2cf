#pragma once
// The status bar's line of the last successful computation: the numbers a student writes down
// (statistic, critical values, p-value; or interval and quantiles). Results gone stale mark it
// "（已过时）" and grey it like the result labels.
#include <QLabel>

namespace kelvo {

class StatusLineLabel : public QLabel {
  Q_OBJECT
 public:
  explicit StatusLineLabel(QWidget* parent);

  // The computation's line; empty: none.
  void setLine(const QString& line);
  void setStale(bool stale);

 private:
  void refresh();

  QString m_line;  // without the stale mark
  bool m_stale = false;
};

}  // namespace kelvo
