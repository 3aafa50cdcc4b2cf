// Where a chart's labels go: never across a line, never over another text, beside their own
// line where marks crowd.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/documents/ChartLabels.h"

namespace kelvo {
namespace {

constexpr double kWidth = 300.0, kHeight = 200.0, kText = 14.0, kGap = 4.0;

ChartLabelInput Marks(std::vector<MarkLabel> marks, double width = kWidth) {
  ChartLabelInput in;
  in.plotWidth = width;
  in.plotHeight = kHeight;
  in.textHeight = kText;
  in.gap = kGap;
  in.marks = std::move(marks);
  return in;
}

// What holds for every layout: each label inside the plot, across no line (its own included),
// over no other label or drawn obstacle, and each mark's label beside its own line. `attached`:
// beside the part of the line that is drawn (marks so crowded that every label would cross a
// neighbour's line leave some labels above the end of their own).
void ExpectReadable(const ChartLabelInput& in, const ChartLabelLayout& out, const std::string& name,
                    bool attached = true) {
  SCOPED_TRACE(name);
  std::vector<LabelRect> texts;
  for (size_t i = 0; i < in.marks.size(); ++i)
    if (in.marks[i].width > 0) texts.push_back(out.marks[i]);
  texts.insert(texts.end(), out.segments.begin(), out.segments.end());
  for (size_t a = 0; a < texts.size(); ++a) {
    const LabelRect& t = texts[a];
    EXPECT_TRUE(t.left >= 0 && t.right() <= in.plotWidth && t.top >= 0 && t.bottom() <= in.plotHeight)
        << "label " << a << " at " << t.left;
    for (size_t j = 0; j < in.marks.size(); ++j)
      EXPECT_FALSE(CrossesLine(t, in.marks[j].x, out.lineTops[j], in.plotHeight, 1.0))
          << "label " << a << " across the line at " << in.marks[j].x;
    for (size_t b = a + 1; b < texts.size(); ++b) EXPECT_FALSE(t.overlaps(texts[b])) << a << " over " << b;
    for (const LabelRect& o : in.obstacles) EXPECT_FALSE(t.overlaps(o)) << "label " << a << " over a segment";
  }
  for (size_t i = 0; i < in.marks.size(); ++i) {
    if (in.marks[i].width <= 0) continue;
    const LabelRect& t = out.marks[i];
    const double distance = t.left > in.marks[i].x ? t.left - in.marks[i].x : in.marks[i].x - t.right();
    EXPECT_DOUBLE_EQ(distance, kGap) << "mark " << i;
    if (attached) {
      EXPECT_LT(out.lineTops[i], t.bottom()) << "mark " << i << " floats above its line";
    }
  }
}

TEST(PlaceChartLabels, MarksNeverWrittenAcrossALine) {
  struct Case {
    const char* name;
    ChartLabelInput input;
    // Expected side of each label (true: right of its line), its row's top, its line's top.
    std::vector<bool> right;
    std::vector<double> tops;
    std::vector<double> lineTops;
  };
  // Rows start 2 px below the plot's top, one text height and 2 px apart: 2, 18, 34.
  const Case cases[] = {
      {"far apart: each on its preferred side in the top row, lines whole",
       Marks({{60, 70, true}, {240, 70, false}}), {true, false}, {2, 2}, {0, 0}},
      {"a statistic just right of a critical value: the two labels turn away from each other",
       Marks({{200, 70, false}, {206, 70, false}}), {false, true}, {2, 2}, {0, 0}},
      {"a statistic at the right edge beside a critical value: it takes the top row and the "
       "critical value's line ends below it",
       Marks({{250, 90, false}, {300, 90, false}}), {false, false}, {18, 2}, {18, 0}},
      {"three marks close together: the middle one above, the outer ones beside their lines",
       Marks({{200, 60, false}, {206, 60, false}, {212, 60, false}}), {false, false, true},
       {18, 2, 2}, {18, 0, 0}},
      {"labels that would cover each other, with no room on the other side: a row lower",
       Marks({{100, 80, true}, {250, 80, false}}), {true, false}, {2, 18}, {0, 0}},
      {"a mark without a label still keeps the others off its line",
       Marks({{100, 80, true}, {150, 0, true}}), {false, false}, {2, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    const ChartLabelLayout out = PlaceChartLabels(c.input);
    ExpectReadable(c.input, out, c.name);
    for (size_t i = 0; i < c.input.marks.size(); ++i) {
      if (c.input.marks[i].width <= 0) continue;
      EXPECT_EQ(out.marks[i].left > c.input.marks[i].x, c.right[i]) << c.name << ", mark " << i;
      EXPECT_DOUBLE_EQ(out.marks[i].top, c.tops[i]) << c.name << ", mark " << i;
      EXPECT_DOUBLE_EQ(out.lineTops[i], c.lineTops[i]) << c.name << ", mark " << i;
    }
  }
}

TEST(PlaceChartLabels, CrowdedMarksStayReadableAnywhereOnTheAxis) {
  // Four marks at every spacing and position a test chart gives (two critical values and two
  // statistics), labels 80 px wide: whatever the crowding, every label stays readable, beside
  // the drawn part of its own line where the marks cluster. (Marks 60 px apart, each label
  // crossing a neighbour's line whichever way it turns, leave no order of rows that keeps every
  // label at its own line.)
  for (double spacing : {1.0, 5.0, 20.0, 60.0})
    for (double first = 0.0; first <= kWidth - 3 * spacing; first += 37.0) {
      std::vector<MarkLabel> marks;
      for (int k = 0; k < 4; ++k) {
        const double x = first + k * spacing;
        marks.push_back({x, 80.0, x < kWidth / 2});
      }
      const ChartLabelInput in = Marks(marks);
      ExpectReadable(in, PlaceChartLabels(in),
                     "spacing " + std::to_string(spacing) + " from " + std::to_string(first), spacing < 60);
    }
}

TEST(PlaceChartLabels, SegmentLabelsMoveOffTheEstimateLine) {
  // Three intervals centred on the estimate at x = 150; each label is 150 px with the interval's
  // name and 80 px without it.
  struct Case {
    const char* name;
    double plotWidth;
    int text;  // the text every segment label shows
  };
  const Case cases[] = {
      {"room beside the line for the whole text", 500, 0},
      {"too narrow for the whole text beside the line: the numbers alone", 300, 1},
  };
  for (const Case& c : cases) {
    ChartLabelInput in = Marks({{150, 70, true}}, c.plotWidth);
    for (double top : {40.0, 90.0, 140.0}) {
      in.segments.push_back({150, top, {150, 80}});
      in.obstacles.push_back({20, top + 18, 260, 12});  // the interval's line and end bars
    }
    const ChartLabelLayout out = PlaceChartLabels(in);
    ExpectReadable(in, out, c.name);
    for (size_t s = 0; s < in.segments.size(); ++s) {
      EXPECT_EQ(out.segmentTexts[s], c.text) << c.name;
      EXPECT_DOUBLE_EQ(out.segments[s].top, in.segments[s].top) << c.name;
    }
  }
}

}  // namespace
}  // namespace kelvo
