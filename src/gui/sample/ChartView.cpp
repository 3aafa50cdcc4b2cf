#include "gui/sample/ChartView.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace kelvo {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

const QColor kCurveColor(31, 78, 154);
const QColor kShadeColor(214, 39, 40, 90);
const QColor kCriticalColor(178, 34, 34);
const QColor kStatisticColor(20, 20, 160);
const QColor kEstimateColor(46, 139, 87);
const QColor kSetColors[] = {QColor(100, 149, 237), QColor(224, 123, 0), QColor(44, 160, 44),
                             QColor(148, 103, 189)};
const QColor kCurveColors[] = {QColor(31, 78, 154), QColor(214, 39, 40), QColor(44, 160, 44)};
const QColor kPointColors[] = {QColor(31, 119, 180), QColor(214, 39, 40)};

// Adds a series on the chart's axes; one without a name stays out of the legend.
void Attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
  if (series->name().isEmpty())
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

QLineSeries* Line(const std::vector<ChartPoint>& points) {
  auto* line = new QLineSeries;
  QList<QPointF> list;
  list.reserve(static_cast<qsizetype>(points.size()));
  for (const ChartPoint& p : points) list.append(QPointF(p.x, p.y));
  line->replace(list);
  return line;
}

// An area under `upper`, which it owns: a chart owns only the series added to it.
QAreaSeries* Area(QLineSeries* upper) {
  auto* area = new QAreaSeries(upper);
  upper->setParent(area);
  return area;
}

// A text placed at (x, y) as the label of an invisible point.
QScatterSeries* Label(const QString& text, double x, double y, const QColor& color) {
  auto* label = new QScatterSeries;
  label->append(x, y);
  label->setMarkerSize(1.0);
  label->setColor(Qt::transparent);
  label->setBorderColor(Qt::transparent);
  label->setPointLabelsVisible(true);
  label->setPointLabelsClipping(false);
  label->setPointLabelsColor(color);
  label->setPointLabelsFormat(text);
  return label;
}

// A mark's label beside its line instead of centred on it: a point label is drawn centred over
// its point, so blanks on one side of the text move it off the line. The label goes on the
// side of the line towards the middle of the axis, where there is room for it.
QScatterSeries* LabelBeside(const QString& text, double x, double y, const QColor& color,
                            bool right) {
  QScatterSeries* label = Label(text, x, y, color);
  const QFontMetricsF metrics(label->pointLabelsFont());
  const double gap = 4.0;
  const double blank = std::max(1.0, metrics.horizontalAdvance(QLatin1Char(' ')));
  const int blanks =
      static_cast<int>(std::ceil((metrics.horizontalAdvance(text) + 2.0 * gap) / blank));
  const QString padding(blanks, QLatin1Char(' '));
  label->setPointLabelsFormat(right ? padding + text : text + padding);
  return label;
}

// A step outline over the histogram classes at the heights of one bar set.
std::vector<ChartPoint> Steps(const std::vector<double>& edges, const std::vector<double>& heights) {
  std::vector<ChartPoint> points;
  const size_t classes = std::min(heights.size(), edges.size() - 1);
  points.push_back({edges[0], 0.0});
  for (size_t i = 0; i < classes; ++i) {
    points.push_back({edges[i], heights[i]});
    points.push_back({edges[i + 1], heights[i]});
  }
  points.push_back({edges[classes], 0.0});
  return points;
}

void AddHistogram(QChart* chart, const ChartSeries& bars, QAbstractAxis* x, QAbstractAxis* y) {
  if (bars.edges.size() < 2) return;
  for (size_t s = 0; s < bars.sets.size(); ++s) {
    const BarSet& set = bars.sets[s];
    QLineSeries* outline = Line(Steps(bars.edges, set.values));
    const QColor color = kSetColors[s % std::size(kSetColors)];
    if (s == 0) {
      auto* area = Area(outline);
      area->setName(Text(set.name));
      QColor fill = color;
      fill.setAlpha(110);
      area->setBrush(fill);
      area->setPen(QPen(color.darker(130), 1.2));
      Attach(chart, area, x, y);
    } else {
      outline->setName(Text(set.name));
      outline->setPen(QPen(color, 2.0, Qt::DashLine));
      Attach(chart, outline, x, y);
    }
  }
}

void AddMarker(QChart* chart, const ChartDescription& content, const ChartSeries& marker, int index,
               QAbstractAxis* x, QAbstractAxis* y) {
  QColor color = kCriticalColor;
  Qt::PenStyle style = Qt::DashLine;
  if (marker.name == "statistic") color = kStatisticColor, style = Qt::SolidLine;
  if (marker.name == "estimate") color = kEstimateColor, style = Qt::SolidLine;
  const double top = content.yMax;
  QLineSeries* line = Line({{marker.at, content.yMin}, {marker.at, top}});
  line->setPen(QPen(color, 1.8, style));
  Attach(chart, line, x, y);
  // Labels of neighbouring marks at three heights, so that they do not print over each other.
  const double height = content.yMin + (top - content.yMin) * (0.9 - 0.1 * (index % 3));
  const bool right = marker.at < (content.xMin + content.xMax) / 2.0;
  Attach(chart, LabelBeside(Text(marker.label), marker.at, height, color, right), x, y);
}

void AddSegment(QChart* chart, const ChartDescription& content, const ChartSeries& segment, QAbstractAxis* x,
                QAbstractAxis* y) {
  const double from = std::max(segment.lower, content.xMin);
  const double to = std::min(segment.upper, content.xMax);
  const double dx = (content.xMax - content.xMin) * 0.015;
  const double dy = (content.yMax - content.yMin) * 0.05;
  const double at = segment.at;
  QLineSeries* line = Line({{from, at}, {to, at}});
  line->setPen(QPen(kCurveColor, 3.0));
  Attach(chart, line, x, y);
  // A finite end gets a bar across the line, an open end an arrow at the edge of the axis.
  auto end = [&](double bound, double edge, double direction) {
    std::vector<ChartPoint> points;
    if (std::isfinite(bound))
      points = {{edge, at - dy}, {edge, at + dy}};
    else
      points = {{edge - direction * dx, at + dy}, {edge, at}, {edge - direction * dx, at - dy}};
    QLineSeries* mark = Line(points);
    mark->setPen(QPen(kCurveColor, 2.0));
    Attach(chart, mark, x, y);
  };
  end(segment.lower, from, -1.0);
  end(segment.upper, to, 1.0);
  const QString text = Text(segment.name) + QStringLiteral(" ") + Text(segment.label);
  Attach(chart, Label(text, (from + to) / 2.0, at + dy * 1.2, kCurveColor), x, y);
}

// Ticks at round multiples of a 1, 2 or 5 step, about `ticks` over the range, with as many
// decimals as the step needs (no "-8.8e-17" at zero).
void SetNiceTicks(QValueAxis* axis, double from, double to, double ticks) {
  axis->setRange(from, to);
  const double span = to - from;
  if (!(span > 0.0) || !std::isfinite(span)) return;
  const double raw = span / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double norm = raw / magnitude;
  const double step = (norm < 1.5 ? 1.0 : norm < 3.0 ? 2.0 : norm < 7.0 ? 5.0 : 10.0) * magnitude;
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(std::ceil(from / step) * step);
  axis->setTickInterval(step);
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 8);
  axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
}

// Whether any series has an entry in the legend: named curves, areas, dots and bar sets.
bool HasLegend(const ChartDescription& content) {
  for (const ChartSeries& s : content.series) {
    if (s.kind == SeriesKind::Bars && !s.sets.empty()) return true;
    if ((s.kind == SeriesKind::Curve || s.kind == SeriesKind::Shaded || s.kind == SeriesKind::Points) &&
        !s.name.empty())
      return true;
  }
  return false;
}

}  // namespace

void FillChart(QChart* chart, const ChartDescription& content) {
  chart->removeAllSeries();
  QString title = QStringLiteral("<b>") + Text(content.title).toHtmlEscaped() + QStringLiteral("</b>");
  if (!content.note.empty())
    title += QStringLiteral("<br><span style=\"color:#a05000;\">") + Text(content.note).toHtmlEscaped() +
             QStringLiteral("</span>");
  chart->setTitle(QStringLiteral("<center>") + title + QStringLiteral("</center>"));
  chart->legend()->setAlignment(Qt::AlignBottom);

  const ChartSeries* categoryBars = nullptr;
  for (const ChartSeries& s : content.series)
    if (s.kind == SeriesKind::Bars && s.edges.empty()) categoryBars = &s;
  // The axes of the last drawing are kept when they are of the kind needed: a new axis lays
  // out all its labels again, which costs more than everything else of an update.
  QValueAxis* y = nullptr;
  QAbstractAxis* x = nullptr;
  for (QAbstractAxis* axis : chart->axes()) {
    const bool bottom = axis->alignment() == Qt::AlignBottom;
    auto* values = qobject_cast<QValueAxis*>(axis);
    auto* categories = qobject_cast<QBarCategoryAxis*>(axis);
    if (!bottom && values && !y) {
      y = values;
    } else if (bottom && !x && (categoryBars ? categories != nullptr : values != nullptr)) {
      x = axis;
    } else {
      chart->removeAxis(axis);
      delete axis;
    }
  }
  if (!y) {
    y = new QValueAxis;
    chart->addAxis(y, Qt::AlignLeft);
  }
  // Fewer ticks upright: the pane is often short, and Qt elides crowded labels to "…".
  SetNiceTicks(y, content.yMin, content.yMax, 4.0);
  y->setTitleText(Text(content.yTitle));
  if (categoryBars) {
    auto* categories = qobject_cast<QBarCategoryAxis*>(x);
    if (!categories) {
      categories = new QBarCategoryAxis;
      chart->addAxis(categories, Qt::AlignBottom);
    }
    QStringList names;
    for (const std::string& c : categoryBars->categories) names.append(Text(c));
    if (categories->categories() != names) {
      categories->clear();
      categories->append(names);
    }
    x = categories;
  } else {
    auto* values = qobject_cast<QValueAxis*>(x);
    if (!values) {
      values = new QValueAxis;
      chart->addAxis(values, Qt::AlignBottom);
    }
    SetNiceTicks(values, content.xMin, content.xMax, 6.0);
    x = values;
  }
  x->setTitleText(Text(content.xTitle));

  // Intervals and ranks stand on lines whose height means nothing: no y axis.
  y->setVisible(!content.yTitle.empty());

  int curves = 0;
  int markers = 0;
  int pointSets = 0;
  for (const ChartSeries& s : content.series) {
    switch (s.kind) {
      case SeriesKind::Curve: {
        QLineSeries* line = Line(s.points);
        line->setName(Text(s.name));
        line->setPen(QPen(kCurveColors[curves++ % std::size(kCurveColors)], 2.0));
        Attach(chart, line, x, y);
        break;
      }
      case SeriesKind::Shaded: {
        auto* area = Area(Line(s.points));
        area->setName(Text(s.name));
        area->setBrush(kShadeColor);
        area->setPen(Qt::NoPen);
        Attach(chart, area, x, y);
        break;
      }
      case SeriesKind::Bars:
        if (!s.edges.empty()) {
          AddHistogram(chart, s, x, y);
        } else {
          auto* bars = new QBarSeries;
          for (size_t i = 0; i < s.sets.size(); ++i) {
            auto* set = new QBarSet(Text(s.sets[i].name));
            for (double v : s.sets[i].values) set->append(v);
            set->setColor(kSetColors[i % std::size(kSetColors)]);
            bars->append(set);
          }
          bars->setName(QStringLiteral("bars"));
          Attach(chart, bars, x, y);
        }
        break;
      case SeriesKind::Marker:
        AddMarker(chart, content, s, markers++, x, y);
        break;
      case SeriesKind::Segment:
        AddSegment(chart, content, s, x, y);
        break;
      case SeriesKind::Points: {
        auto* dots = new QScatterSeries;
        for (const ChartPoint& p : s.points) dots->append(p.x, p.y);
        dots->setName(Text(s.name));
        dots->setMarkerSize(10.0);
        dots->setColor(kPointColors[pointSets++ % std::size(kPointColors)]);
        Attach(chart, dots, x, y);
        break;
      }
    }
  }
  chart->legend()->setVisible(HasLegend(content));
}

QChart* BuildChart(const ChartDescription& content) {
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setMargins(QMargins(4, 4, 4, 4));
  FillChart(chart, content);
  return chart;
}

QImage RenderChart(const ChartDescription& content, QSize size) {
  if (size.isEmpty()) return QImage();
  QGraphicsScene scene;
  QChart* chart = BuildChart(content);
  scene.addItem(chart);  // the scene owns it
  chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
  if (chart->layout()) chart->layout()->activate();
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area(QPointF(0, 0), QSizeF(size));
  scene.render(&painter, area, area);
  return image;
}

}  // namespace kelvo
