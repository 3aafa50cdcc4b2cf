#pragma once
// Result labels. A ValueLabel shows a computed value in the result format, between an optional
// prefix and suffix ("(" L ",", U ")", "(-∞," U1 ")"), and keeps the value unformatted beside
// it (in its Tag) so a click can show it with more or fewer decimals, decorations kept.
// A ConclusionLabel shows a test's conclusion as text.
#include <QLabel>
#include <optional>

#include "core/hypothesis/TestResult.h"

namespace kelvo {

class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ValueLabel(QWidget* parent = nullptr);

  void setDecorations(const QString& prefix, const QString& suffix);
  // Caption = prefix + the value in the result format + suffix; Tag = the value unformatted.
  void showValue(double value);
  // The same, or an empty label when there is no value to show.
  void showValue(std::optional<double> value);
  // Empties caption and Tag: nothing computed.
  void clearValue();
  QString storedValue() const;
  // The caption without its decorations.
  QString shownNumber() const;
  // Re-formats the caption from the stored value with one decimal more (step > 0) or fewer
  // (step < 0); a step of 0 changes nothing.
  void reformat(int precisionStep);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  // A caption too long for the label is drawn cut at its end with "…", never silently cut;
  // the whole caption is then the tooltip.
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 public:
  bool isElided() const;

 private:
  void showNumber(const QString& number);
  void updateToolTip();

  QString m_prefix;
  QString m_suffix;
};

class ConclusionLabel : public QLabel {
  Q_OBJECT
 public:
  // The texts shown for each decision.
  ConclusionLabel(const QString& acceptH0, const QString& acceptH1, QWidget* parent = nullptr);

  void showDecision(Decision decision);

 private:
  QString m_acceptH0;
  QString m_acceptH1;
};

}  // namespace kelvo
