#pragma once
// Qt Charts drawings of the core's chart descriptions: a QChart for the details pane and an
// image for reports.
#include <QImage>
#include <QSize>

#include "core/shell/ChartDescription.h"

class QChart;

namespace kelvo {

// A new chart holding every series of `chart` with its axes; the caller owns it.
QChart* BuildChart(const ChartDescription& chart);

// Fills `target` (its old series and axes removed) from `chart`.
void FillChart(QChart* target, const ChartDescription& chart);

// `chart` drawn on a white image of `size`.
QImage RenderChart(const ChartDescription& chart, QSize size);

}  // namespace kelvo
