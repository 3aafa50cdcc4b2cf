#pragma once
// Qt Charts drawings of the core's chart descriptions: a QChart for the details pane and an
// image for reports.
#include <QImage>
#include <QSize>

#include "core/shell/ChartSpec.h"

class QChart;

namespace kelvo {

// A new chart holding every series of `chart` with its axes; the caller owns it.
QChart* BuildChart(const ChartSpec& chart);

// Fills `target` (its old series and axes removed) from `chart`.
void FillChart(QChart* target, const ChartSpec& chart);

// `chart` drawn on a white image of `size`.
QImage RenderChart(const ChartSpec& chart, QSize size);

}  // namespace kelvo
