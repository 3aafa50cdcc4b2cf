// The chart of a window's last computation.
#include <QImage>

#include "gui/sample/AnalysisWindow.h"
#include "gui/sample/ChartView.h"
#include "gui/sample/DetailsPane.h"

namespace kelvo {

void AnalysisWindow::showChart(ChartDescription chart) { m_details->setChart(std::move(chart)); }

QImage AnalysisWindow::chartImage(const QSize& size) const {
  if (!m_details || !m_details->chart()) return QImage();
  return RenderChart(*m_details->chart(), size);
}

}  // namespace kelvo
