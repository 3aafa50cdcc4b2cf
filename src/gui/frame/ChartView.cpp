#include "gui/frame/ChartView.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPointer>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/text/ResultFormat.h"
#include "core/documents/ChartLabels.h"

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

// The texts of a chart's marks and segments. They are placed once the plot area is known, and
// again whenever it changes, so that none is written across a line or over another text (see
// PlaceChartLabels); the lines of marks that crowd together end below the labels above them.
class ChartLabels : public QObject {
 public:
  ChartLabels(QChart* chart, const ChartDescription& content)
      : QObject(chart), m_chart(chart), m_yMin(content.yMin), m_yMax(content.yMax) {
    setObjectName(QStringLiteral("ChartLabels"));
    m_font = chart->font();
    m_font.setPointSizeF(m_font.pointSizeF() * 0.9);
    connect(chart, &QChart::plotAreaChanged, this, &ChartLabels::place);
  }

  // The texts go with the chart's other items when the chart is deleted; a chart filled again
  // drops them first.
  void removeTexts() {
    for (Mark& m : m_marks) delete m.text;
    for (Segment& s : m_segments) delete s.text;
    m_marks.clear();
    m_segments.clear();
  }

  void addMark(QLineSeries* line, double at, const QString& text, const QColor& color) {
    m_marks.push_back({line, at, newText(text, color)});
  }
  // `texts`: the label with the segment's name, then without it.
  void addSegment(QLineSeries* line, double from, double to, double at, double dx, double dy,
                  const QStringList& texts) {
    m_segments.push_back({line, from, to, at, dx, dy, texts, newText(texts.front(), kCurveColor)});
  }

  void place() {
    const QRectF plot = m_chart->plotArea();
    // Series removed from the chart take their labels with them.
    for (const Mark& m : m_marks)
      if (!m.line) return removeTexts();
    for (const Segment& s : m_segments)
      if (!s.line) return removeTexts();
    if (plot.isEmpty() || (m_marks.empty() && m_segments.empty())) return;
    auto toPlot = [&](double x, double y, QAbstractSeries* series) {
      return m_chart->mapToPosition(QPointF(x, y), series) - plot.topLeft();
    };
    ChartLabelInput in;
    in.plotWidth = plot.width();
    in.plotHeight = plot.height();
    // Every row as tall as the tallest text (a fallback font for some characters may be taller).
    for (const Mark& m : m_marks) in.textHeight = std::max(in.textHeight, textSize(m.text->text()).height());
    for (const Segment& s : m_segments)
      for (const QString& text : s.texts) in.textHeight = std::max(in.textHeight, textSize(text).height());
    for (const Mark& m : m_marks) {
      const double x = toPlot(m.at, m_yMin, m.line).x();
      in.marks.push_back({x, textSize(m.text->text()).width(), x < plot.width() / 2.0});
    }
    for (const Segment& s : m_segments) {
      const QPointF from = toPlot(s.from - s.dx, s.at + s.dy, s.line);
      const QPointF to = toPlot(s.to + s.dx, s.at - s.dy, s.line);
      in.obstacles.push_back({from.x(), from.y(), to.x() - from.x(), to.y() - from.y()});
      SegmentLabel label;
      label.centre = (from.x() + to.x()) / 2.0;
      label.top = toPlot(s.from, s.at + s.dy * 1.2, s.line).y() - in.textHeight;
      for (const QString& text : s.texts) label.widths.push_back(textSize(text).width());
      in.segments.push_back(label);
    }
    const ChartLabelLayout out = PlaceChartLabels(in);
    for (size_t i = 0; i < m_marks.size(); ++i) {
      const Mark& m = m_marks[i];
      m.text->setPos(plot.topLeft() + QPointF(out.marks[i].left, out.marks[i].top));
      const double top = out.lineTops[i] <= 0.0
                             ? m_yMax
                             : m_chart->mapToValue(plot.topLeft() + QPointF(0.0, out.lineTops[i]), m.line).y();
      m.line->replace(QList<QPointF>{{m.at, m_yMin}, {m.at, top}});
    }
    for (size_t i = 0; i < m_segments.size(); ++i) {
      const Segment& s = m_segments[i];
      s.text->setText(s.texts.value(std::max(0, out.segmentTexts[i])));
      s.text->setPos(plot.topLeft() + QPointF(out.segments[i].left, out.segments[i].top));
    }
  }

  QList<ChartTextItem> texts() const {
    QList<ChartTextItem> shown;
    auto add = [&](const QGraphicsSimpleTextItem* item) {
      shown.append({item->text(), item->mapRectToParent(item->boundingRect())});
    };
    for (const Mark& m : m_marks) add(m.text);
    for (const Segment& s : m_segments) add(s.text);
    return shown;
  }

 private:
  struct Mark {
    QPointer<QLineSeries> line;
    double at;
    QGraphicsSimpleTextItem* text;
  };
  struct Segment {
    QPointer<QLineSeries> line;
    double from, to, at, dx, dy;
    QStringList texts;
    QGraphicsSimpleTextItem* text;
  };

  // The size a text takes as drawn.
  QSizeF textSize(const QString& text) const {
    QGraphicsSimpleTextItem probe(text);
    probe.setFont(m_font);
    return probe.boundingRect().size();
  }

  QGraphicsSimpleTextItem* newText(const QString& text, const QColor& color) {
    auto* item = new QGraphicsSimpleTextItem(text, m_chart);
    item->setFont(m_font);
    item->setBrush(color);
    item->setZValue(1000.0);  // above the series
    return item;
  }

  QChart* m_chart;
  double m_yMin, m_yMax;
  QFont m_font;
  std::vector<Mark> m_marks;
  std::vector<Segment> m_segments;
};

ChartLabels* LabelsOf(const QChart* chart) {
  for (QObject* child : chart->children())
    if (auto* labels = dynamic_cast<ChartLabels*>(child)) return labels;
  return nullptr;
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

void AddMarker(QChart* chart, const ChartDescription& content, const ChartSeries& marker,
               ChartLabels* labels, const ChartNumberFormat& format, QAbstractAxis* x,
               QAbstractAxis* y) {
  QColor color = kCriticalColor;
  Qt::PenStyle style = Qt::DashLine;
  if (marker.name == "statistic") color = kStatisticColor, style = Qt::SolidLine;
  if (marker.name == "estimate") color = kEstimateColor, style = Qt::SolidLine;
  QLineSeries* line = Line({{marker.at, content.yMin}, {marker.at, content.yMax}});
  line->setPen(QPen(color, 1.8, style));
  Attach(chart, line, x, y);
  labels->addMark(line, marker.at, Text(marker.label.str(format)), color);
}

void AddSegment(QChart* chart, const ChartDescription& content, const ChartSeries& segment,
                ChartLabels* labels, const ChartNumberFormat& format, QAbstractAxis* x,
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
  const QString numbers = Text(segment.label.str(format));
  labels->addSegment(line, from, to, at, dx, dy,
                     {Text(segment.name) + QStringLiteral(" ") + numbers, numbers});
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

ChartNumberFormat ResultNumbers() {
  return [](double value) { return FormatResult(value, ResultFormat()); };
}

void FillChart(QChart* chart, const ChartDescription& content, const ChartNumberFormat& format) {
  chart->removeAllSeries();
  if (ChartLabels* old = LabelsOf(chart)) {
    old->removeTexts();
    delete old;
  }
  auto* labels = new ChartLabels(chart, content);
  QString title = QStringLiteral("<b>") + Text(content.title).toHtmlEscaped() + QStringLiteral("</b>");
  if (!content.note.empty())
    title += QStringLiteral("<br><span style=\"color:#a05000;\">") +
             Text(content.note.str(format)).toHtmlEscaped() + QStringLiteral("</span>");
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
        AddMarker(chart, content, s, labels, format, x, y);
        break;
      case SeriesKind::Segment:
        AddSegment(chart, content, s, labels, format, x, y);
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
  labels->place();
}

QChart* BuildChart(const ChartDescription& content, const ChartNumberFormat& format) {
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setMargins(QMargins(4, 4, 4, 4));
  FillChart(chart, content, format);
  return chart;
}

void ClearChart(QChart* chart) {
  chart->removeAllSeries();
  chart->setTitle(QString());
  if (ChartLabels* labels = LabelsOf(chart)) labels->removeTexts();
}

QList<ChartTextItem> ChartTexts(const QChart* chart) {
  const ChartLabels* labels = LabelsOf(chart);
  return labels ? labels->texts() : QList<ChartTextItem>();
}

QImage RenderChart(const ChartDescription& content, QSize size, const ChartNumberFormat& format) {
  if (size.isEmpty()) return QImage();
  QGraphicsScene scene;
  QChart* chart = BuildChart(content, format);
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
