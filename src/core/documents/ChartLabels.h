#pragma once
// Where the texts of a chart go so that none is written across a line or over another text:
// the labels of its marks (vertical lines at a critical value, a statistic, an estimate) and of
// its segments (intervals). Works in the pixels of the plot area, x to the right from its left
// edge and y down from its top, once the chart is laid out at its size.
#include <vector>

namespace kelvo {

struct LabelRect {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
  double right() const { return left + width; }
  double bottom() const { return top + height; }
  // Whether the two share more than an edge.
  bool overlaps(const LabelRect& other) const;
};

// A mark: a vertical line at x from the bottom of the plot up to its top, with a label `width`
// wide beside the top of it, on the preferred side where there is room.
struct MarkLabel {
  double x = 0.0;
  double width = 0.0;  // 0: the mark has no label
  bool preferRight = true;
};

// The label of a segment, written at a fixed height above it, centred on `centre` where
// nothing is in the way and moved aside where something is. `widths` are its texts, the
// preferred one first; a shorter one (without the segment's name) is taken only where the
// longer ones find no room.
struct SegmentLabel {
  double centre = 0.0;
  double top = 0.0;
  std::vector<double> widths;
};

struct ChartLabelInput {
  double plotWidth = 0.0;
  double plotHeight = 0.0;
  double textHeight = 0.0;  // of every label
  double gap = 4.0;         // between a label and the line it belongs to
  std::vector<MarkLabel> marks;
  std::vector<SegmentLabel> segments;
  std::vector<LabelRect> obstacles;  // what else is drawn that no label may cover
};

struct ChartLabelLayout {
  std::vector<LabelRect> marks;     // the label of each mark (empty where it has none)
  std::vector<double> lineTops;     // the y where each mark's line begins (0: the plot's top)
  std::vector<LabelRect> segments;  // the label of each segment
  std::vector<int> segmentTexts;    // which of its texts each segment label shows
};

// The labels of the marks stand in rows from the top of the plot, each in the highest row
// where it covers no other text, beside its own line and across no other line. Where marks
// stand too close for that, the label takes a row above the labels of the lines it would cross,
// and those lines end below it. Segment labels keep their height and move sideways off the
// lines of the marks.
ChartLabelLayout PlaceChartLabels(const ChartLabelInput& input);

// Whether a text in `rect` is written across the vertical line at x from `top` down to
// `bottom` (touching it within `clearance` counts).
bool CrossesLine(const LabelRect& rect, double x, double top, double bottom, double clearance);

}  // namespace kelvo
