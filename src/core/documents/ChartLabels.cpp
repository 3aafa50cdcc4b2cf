#include "core/documents/ChartLabels.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kelvo {
namespace {

// A text keeps this far from any line it does not belong to.
constexpr double kClearance = 2.0;
// Between rows of mark labels, and above the first.
constexpr double kRowSpacing = 2.0;

struct Placement {
  LabelRect rect;
  int row = 0;
  std::vector<size_t> crossed;  // lines that must end below the label
};

class Placer {
 public:
  explicit Placer(const ChartLabelInput& input) : m_in(input) {
    m_out.marks.resize(input.marks.size());
    m_out.lineTops.assign(input.marks.size(), 0.0);
    m_out.segments.resize(input.segments.size());
    m_out.segmentTexts.assign(input.segments.size(), -1);
    m_row.assign(input.marks.size(), -1);
    m_taken = input.obstacles;
  }

  ChartLabelLayout run() {
    for (size_t s = 0; s < m_in.segments.size(); ++s) placeSegment(s);
    for (size_t i : markOrder()) placeMark(i);
    return m_out;
  }

 private:
  bool inside(const LabelRect& r) const {
    return r.left >= 0.0 && r.right() <= m_in.plotWidth && r.top >= 0.0 &&
           r.bottom() <= m_in.plotHeight;
  }
  bool coversText(const LabelRect& r) const {
    return std::any_of(m_taken.begin(), m_taken.end(), [&](const LabelRect& t) { return r.overlaps(t); });
  }
  // The lines of marks other than `own` that a text in `r` would be written across.
  std::vector<size_t> linesCrossed(const LabelRect& r, std::optional<size_t> own) const {
    std::vector<size_t> crossed;
    for (size_t j = 0; j < m_in.marks.size(); ++j)
      if (j != own && CrossesLine(r, m_in.marks[j].x, m_out.lineTops[j], m_in.plotHeight, kClearance))
        crossed.push_back(j);
    return crossed;
  }

  void placeSegment(size_t s) {
    const SegmentLabel& label = m_in.segments[s];
    const double h = m_in.textHeight;
    // The texts in turn, each at the free spot nearest its centre: centred, beside a line,
    // or against an edge of the plot.
    std::optional<LabelRect> best;
    int bestText = -1;
    for (size_t k = 0; k < label.widths.size() && !best; ++k) {
      const double w = label.widths[k];
      std::vector<double> lefts{label.centre - w / 2.0, 0.0, m_in.plotWidth - w};
      for (const MarkLabel& m : m_in.marks) {
        lefts.push_back(m.x + m_in.gap);
        lefts.push_back(m.x - m_in.gap - w);
      }
      for (double left : lefts) {
        const LabelRect r{left, label.top, w, h};
        if (!inside(r) || coversText(r) || !linesCrossed(r, std::nullopt).empty()) continue;
        const double off = std::abs(left + w / 2.0 - label.centre);
        if (!best || off < std::abs(best->left + best->width / 2.0 - label.centre)) {
          best = r;
          bestText = static_cast<int>(k);
        }
      }
    }
    if (!best && !label.widths.empty()) {
      // No free spot at all: the shortest text, centred within the plot.
      bestText = static_cast<int>(label.widths.size()) - 1;
      const double w = label.widths.back();
      const double left = std::clamp(label.centre - w / 2.0, 0.0, std::max(0.0, m_in.plotWidth - w));
      best = LabelRect{left, label.top, w, h};
    }
    if (!best) return;
    m_out.segments[s] = *best;
    m_out.segmentTexts[s] = bestText;
    m_taken.push_back(*best);
  }

  // Marks that cannot stand beside their line without crossing another come first, those that
  // would cross the most lines first of all: they take the top rows, and the lines they cross
  // end below them, so that a crowd of marks gets a staircase of labels.
  std::vector<size_t> markOrder() const {
    std::vector<std::pair<size_t, size_t>> blocked;  // mark, lines its best side crosses
    std::vector<size_t> free;
    for (size_t i = 0; i < m_in.marks.size(); ++i) {
      if (m_in.marks[i].width <= 0.0) continue;
      size_t fewest = m_in.marks.size();
      for (bool right : {true, false}) {
        const LabelRect r = beside(i, right, 0);
        if (inside(r)) fewest = std::min(fewest, linesCrossed(r, i).size());
      }
      if (fewest == 0) free.push_back(i);
      else blocked.push_back({i, fewest});
    }
    std::stable_sort(blocked.begin(), blocked.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<size_t> order;
    for (const auto& b : blocked) order.push_back(b.first);
    order.insert(order.end(), free.begin(), free.end());
    return order;
  }

  double rowTop(int row) const { return kRowSpacing + row * (m_in.textHeight + kRowSpacing); }
  int rowCount() const {
    return std::max(1, static_cast<int>((m_in.plotHeight - kRowSpacing) / (m_in.textHeight + kRowSpacing)));
  }
  LabelRect beside(size_t i, bool right, int row) const {
    const MarkLabel& m = m_in.marks[i];
    const double left = right ? m.x + m_in.gap : m.x - m_in.gap - m.width;
    return LabelRect{left, rowTop(row), m.width, m_in.textHeight};
  }

  // Pass 0: beside its own line, across none; pass 1: across lines whose labels stand lower
  // (they end below this one); pass 2: anywhere it covers no text.
  std::optional<Placement> find(size_t i, int pass) const {
    const bool prefersRight = m_in.marks[i].preferRight;
    for (int row = 0; row < rowCount(); ++row) {
      // The side that crosses fewer lines first, else the preferred one.
      bool sides[2] = {prefersRight, !prefersRight};
      if (linesCrossed(beside(i, !prefersRight, row), i).size() <
          linesCrossed(beside(i, prefersRight, row), i).size())
        std::swap(sides[0], sides[1]);
      for (bool right : sides) {
        const LabelRect r = beside(i, right, row);
        if (!inside(r) || coversText(r)) continue;
        if (pass < 2 && m_out.lineTops[i] >= r.bottom()) continue;  // its own line ends lower
        std::vector<size_t> crossed = linesCrossed(r, i);
        const bool allowed =
            pass == 2 || crossed.empty() ||
            (pass == 1 && std::all_of(crossed.begin(), crossed.end(),
                                      [&](size_t j) { return m_row[j] < 0 || m_row[j] > row; }));
        if (allowed) return Placement{r, row, std::move(crossed)};
      }
    }
    return std::nullopt;
  }

  void placeMark(size_t i) {
    std::optional<Placement> found;
    for (int pass = 0; pass < 3 && !found; ++pass) found = find(i, pass);
    if (!found) {
      // A plot too small for another row: the first row, over whatever is there.
      Placement last{beside(i, m_in.marks[i].preferRight, 0), 0, {}};
      last.rect.left = std::clamp(last.rect.left, 0.0, std::max(0.0, m_in.plotWidth - last.rect.width));
      last.crossed = linesCrossed(last.rect, i);
      found = last;
    }
    m_row[i] = found->row;
    for (size_t j : found->crossed)
      m_out.lineTops[j] = std::max(m_out.lineTops[j], found->rect.bottom() + kClearance);
    m_out.marks[i] = found->rect;
    m_taken.push_back(found->rect);
  }

  const ChartLabelInput& m_in;
  ChartLabelLayout m_out;
  std::vector<int> m_row;
  std::vector<LabelRect> m_taken;  // texts placed so far and the obstacles
};

}  // namespace

bool LabelRect::overlaps(const LabelRect& other) const {
  return left < other.right() && other.left < right() && top < other.bottom() && other.top < bottom();
}

bool CrossesLine(const LabelRect& rect, double x, double top, double bottom, double clearance) {
  return x > rect.left - clearance && x < rect.right() + clearance && top < rect.bottom() &&
         bottom > rect.top;
}

ChartLabelLayout PlaceChartLabels(const ChartLabelInput& input) { return Placer(input).run(); }

}  // namespace kelvo
