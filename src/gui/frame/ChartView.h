#pragma once
// Qt Charts drawings of the core's chart descriptions: a QChart for the details pane and an
// image for reports.
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QSize>

#include "core/documents/ChartDescription.h"

class QChart;

namespace kelvo {

// The numbers a chart shares with its window written in the program's result format.
ChartNumberFormat ResultNumbers();

// A new chart holding every series of `chart` with its axes; the caller owns it. The numbers
// of its labels and note are written by `format`, as the window writes them.
QChart* BuildChart(const ChartDescription& chart, const ChartNumberFormat& format = ResultNumbers());

// Fills `target` (its old series and axes removed) from `chart`.
void FillChart(QChart* target, const ChartDescription& chart,
               const ChartNumberFormat& format = ResultNumbers());

// Empties `chart`: no series, no labels, no title; its axes stay for the next filling.
void ClearChart(QChart* chart);

// `chart` drawn on a white image of `size`.
QImage RenderChart(const ChartDescription& chart, QSize size,
                   const ChartNumberFormat& format = ResultNumbers());

// The labels of a chart's marks and segments as drawn, in the chart's coordinates.
struct ChartTextItem {
  QString text;
  QRectF rect;
};
QList<ChartTextItem> ChartTexts(const QChart* chart);

}  // namespace kelvo
