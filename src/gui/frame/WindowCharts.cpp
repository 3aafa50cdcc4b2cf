// The chart of a window's last computation, its numbers written as the window writes them.
#include <QImage>

#include "core/text/ResultFormat.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/ChartView.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/ValueLabel.h"

namespace kelvo {
namespace {

// The pattern of a number as a label shows it: "0." and one "0" per decimal.
std::string ShownPattern(const QString& number) {
  const qsizetype point = number.indexOf(QLatin1Char('.'));
  if (point < 0) return "0";
  return "0." + std::string(static_cast<size_t>(number.size() - point - 1), '0');
}

}  // namespace

void AnalysisWindow::showChart(ChartDescription chart) {
  m_details->setNumberFormat([this](double value) { return chartNumber(value); });
  m_details->setChart(std::move(chart));
}

QImage AnalysisWindow::chartImage(const QSize& size) const {
  if (!m_details || !m_details->chart()) return QImage();
  return RenderChart(*m_details->chart(), size, [this](double value) { return chartNumber(value); });
}

std::string AnalysisWindow::chartNumber(double value) const {
  // A value one of the result labels holds (or its negative, the lower edge of a symmetric
  // region) is written with the decimals that label shows now.
  const QString stored = QString::fromStdString(StoredValueText(value));
  const QString negated = QString::fromStdString(StoredValueText(-value));
  for (const ValueLabel* label : findChildren<ValueLabel*>()) {
    const QString tag = label->storedValue();
    const QString shown = label->shownNumber();
    if (!tag.isEmpty() && !shown.isEmpty() && (tag == stored || tag == negated))
      return FormatResult(value, ShownPattern(shown));
  }
  return FormatResult(value, ResultFormat());
}

}  // namespace kelvo
