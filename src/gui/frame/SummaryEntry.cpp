#include "gui/frame/SummaryEntry.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

#include "core/layout/ScaleLayout.h"
#include "gui/frame/SampleGrid.h"

namespace kelvo {
namespace {

const char* const kHeadings[] = {"样本数", "样本均值 ", "样本二阶矩", "样本标准差"};
constexpr char kUnusedMark[] = "×";
constexpr int kWideColumns[] = {3, 4};
constexpr int kWideningTwips = 100;
constexpr int kHeadingPaddingPixels = 10;

}  // namespace

void WriteSummaryHeadings(CellStore& store, bool secondSample) {
  for (int c = 1; c <= 4; ++c) store.setText(0, c, kHeadings[c - 1]);
  store.setText(1, 0, "样本一 ");
  if (secondSample) store.setText(2, 0, "样本二");
}

void MarkUnusedSummaryCells(CellStore& store, const SummaryCells& used, int lastRow) {
  const bool read[] = {used.mean, used.secondMoment, used.stdDev};
  for (int row = 1; row <= lastRow; ++row)
    for (int i = 0; i < 3; ++i)
      if (!read[i]) store.setText(row, i + 2, kUnusedMark);
}

void FitSummaryColumns(SampleGrid& grid) {
  const int plainWidth = grid.columnWidthTwips(1);
  const QFontMetrics metrics = grid.view()->horizontalHeader()->fontMetrics();
  for (int c : kWideColumns) {
    const int headingTwips =
        (metrics.horizontalAdvance(QString::fromUtf8(kHeadings[c - 1])) + kHeadingPaddingPixels) * kTwipsPerPixel;
    grid.setColumnWidthTwips(c, std::max(plainWidth + kWideningTwips, headingTwips));
  }
}

void UnfitSummaryColumns(SampleGrid& grid) {
  const int plainWidth = grid.columnWidthTwips(1);
  for (int c : kWideColumns) grid.setColumnWidthTwips(c, plainWidth);
}

GrowingSummaryColumns::GrowingSummaryColumns(SampleGrid& grid) : m_grid(grid) {
  for (int i = 0; i < 2; ++i) m_twips[i] = grid.columnWidthTwips(kWideColumns[i]);
}

void GrowingSummaryColumns::widen() {
  for (int i = 0; i < 2; ++i) {
    m_twips[i] += kWideningTwips;
    m_grid.setColumnWidthTwips(kWideColumns[i], m_twips[i]);
  }
}

}  // namespace kelvo
