#include "gui/frame/Report.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/WindowDescription.h"

namespace kelvo {
namespace {

// The chart is drawn at ReportChartSize() and shown at this width, so that it fits the text
// width of an A4 page.
constexpr int kShownChartWidth = 640;
const char* const kChartResource = "kelvo-chart.png";

std::string Utf8(const QString& text) { return text.trimmed().toStdString(); }

std::vector<ReportGroup> Groups(const QList<DescribedGroup>& described) {
  std::vector<ReportGroup> groups;
  for (const DescribedGroup& group : described) {
    ReportGroup& g = groups.emplace_back();
    g.title = Utf8(group.title);
    for (const DescribedRow& row : group.rows)
      g.rows.push_back({Utf8(row.caption), Utf8(row.value)});
  }
  return groups;
}

// The report's fonts, those of its style sheet that are installed: Latin ones first, so that
// digits and letters are never drawn from a CJK font (see ReportFontFamilies).
QFont ReportFont() {
  QFont font;
  QStringList families;
  const QStringList installed = QFontDatabase::families();
  for (const std::string& name : ReportFontFamilies())
    if (installed.contains(QString::fromStdString(name))) families << QString::fromStdString(name);
  if (!families.isEmpty()) font.setFamilies(families);
  font.setPointSize(10);
  return font;
}

// The code point a PDF's text should give for a glyph Qt's map names by a radical: the
// ideograph of a Kangxi radical or CJK radical supplement (⽴ U+2F74 → 立 U+7ACB); 0 for others.
char16_t IdeographOfRadical(unsigned code) {
  if (code < 0x2E80 || code > 0x2FDF) return 0;
  const QChar radical(static_cast<char16_t>(code));
  const QString ideograph = radical.decomposition();
  return radical.decompositionTag() == QChar::Compat && ideograph.size() == 1
             ? ideograph[0].unicode()
             : 0;
}

// Qt writes each font's ToUnicode map from the font's character map, taking the lowest code
// point that reaches a glyph. A CJK font draws 立 and the Kangxi radical ⽴ with one glyph, so
// copying or searching the PDF would give the radical for many a common ideograph (生, 入, 方,
// 水, 立, ...). The targets of those maps are written again as the ideographs: the same number
// of bytes, so every offset of the file stays right.
void MendRadicalsInTextLayer(QByteArray& pdf) {
  const QByteArray reference = "/ToUnicode ";
  for (qsizetype at = pdf.indexOf(reference); at >= 0; at = pdf.indexOf(reference, at + 1)) {
    qsizetype end = at + reference.size();
    while (end < pdf.size() && pdf[end] >= '0' && pdf[end] <= '9') ++end;
    const QByteArray object =
        "\n" + pdf.mid(at + reference.size(), end - at - reference.size()) + " 0 obj\n";
    const qsizetype header = pdf.indexOf(object);
    const qsizetype start = header < 0 ? -1 : pdf.indexOf("stream\n", header);
    const qsizetype stop = start < 0 ? -1 : pdf.indexOf("endstream", start);
    if (stop < 0) continue;
    bool inChars = false, inRanges = false;
    for (qsizetype line = start + 7; line < stop;) {
      qsizetype lineEnd = pdf.indexOf('\n', line);
      if (lineEnd < 0 || lineEnd > stop) lineEnd = stop;
      const QByteArray text = pdf.mid(line, lineEnd - line).trimmed();
      if (text.endsWith("beginbfchar"))
        inChars = true;
      else if (text.endsWith("beginbfrange"))
        inRanges = true;
      else if (text == "endbfchar")
        inChars = false;
      else if (text == "endbfrange")
        inRanges = false;
      else if (inChars || inRanges) {
        // <source> <target>, <first> <last> [<target> ...], or <first> <last> <target> where
        // the target counts up through the range (left alone unless the range is one code).
        const bool list = text.contains('[');
        const QList<QByteArray> tokens = text.split(' ');
        const bool oneCode = tokens.size() >= 2 && tokens[0] == tokens[1];
        const int firstTarget = inChars ? 1 : 2;
        qsizetype cursor = line;
        for (int i = 0; i < tokens.size(); ++i) {
          const qsizetype token = pdf.indexOf('<', cursor);
          if (token < 0 || token >= lineEnd) break;
          cursor = token + 1;
          if (i < firstTarget || (inRanges && !list && !oneCode) || pdf.mid(token + 5, 1) != ">")
            continue;
          bool ok = false;
          const unsigned code = pdf.mid(token + 1, 4).toUInt(&ok, 16);
          if (const char16_t ideograph = ok ? IdeographOfRadical(code) : 0)
            pdf.replace(token + 1, 4,
                        QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0'));
        }
      }
      line = lineEnd + 1;
    }
  }
}

double Millimetres(double mm, int dpi) { return mm / 25.4 * dpi; }

// The first line of a block, in document coordinates. A line the layout moved to the next
// page lies below the block's own position.
double FirstLineTop(const QTextDocument& text, const QTextBlock& block) {
  const QTextLayout* layout = block.layout();
  const QRectF rect = text.documentLayout()->blockBoundingRect(block);
  if (!layout || layout->lineCount() == 0) return rect.top();
  return rect.top() - layout->boundingRect().top() + layout->lineAt(0).y();
}

double LastLineTop(const QTextDocument& text, const QTextBlock& block) {
  const QTextLayout* layout = block.layout();
  const QRectF rect = text.documentLayout()->blockBoundingRect(block);
  if (!layout || layout->lineCount() == 0) return rect.top();
  return rect.top() - layout->boundingRect().top() + layout->lineAt(layout->lineCount() - 1).y();
}

// Moves to the next page every heading that would end a page, its block following on the next
// one; each move shifts what follows, so the document is searched again after each.
void KeepHeadingsWithTheirBlocks(QTextDocument& text) {
  const double pageHeight = text.pageSize().height();
  auto pageOf = [pageHeight](double y) { return static_cast<int>(std::floor(y / pageHeight)); };
  for (bool moved = true; moved;) {
    moved = false;
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
      const QTextBlockFormat format = block.blockFormat();
      if (format.headingLevel() == 0 ||
          (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
        continue;
      QTextBlock next = block.next();
      while (next.isValid() && next.length() <= 1) next = next.next();  // empty paragraphs
      if (!next.isValid()) break;
      if (pageOf(FirstLineTop(text, next)) <= pageOf(LastLineTop(text, block))) continue;
      QTextBlockFormat breaking = format;
      breaking.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      QTextCursor(block).setBlockFormat(breaking);
      moved = true;
      break;
    }
  }
}

// Lays the report out on the pages of `device` and paints them, each with its number at the
// foot. Qt's own QTextDocument::print cannot keep a heading with what follows it. False when
// the device takes no painting or no further page.
bool PaintPages(QTextDocument& text, QPagedPaintDevice& device) {
  const QMarginsF margins = device.pageLayout().margins(QPageLayout::Millimeter);
  if (margins.isNull()) device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  QPainter painter(&device);
  if (!painter.isActive()) return false;
  const int dpi = device.logicalDpiY();
  const double footer = Millimetres(8, dpi);
  text.documentLayout()->setPaintDevice(&device);
  QTextFrameFormat frame = text.rootFrame()->frameFormat();
  frame.setMargin(0);
  frame.setBottomMargin(footer);
  text.rootFrame()->setFrameFormat(frame);
  text.setPageSize(QSizeF(device.width(), device.height()));
  KeepHeadingsWithTheirBlocks(text);

  const double pageHeight = text.pageSize().height();
  QFont numberFont = ReportFont();
  numberFont.setPointSize(9);
  const int pages = text.pageCount();
  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !device.newPage()) return false;
    painter.save();
    // The page's text area: a line the layout moved on to the next page starts just below it
    // and must not be drawn here too, not even clipped away (a PDF keeps clipped text).
    const QRectF view(0, page * pageHeight, device.width(), pageHeight - footer);
    painter.translate(0, -view.top());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    text.documentLayout()->draw(&painter, context);
    painter.restore();
    painter.setFont(numberFont);
    painter.drawText(QRectF(0, pageHeight - footer, device.width(), footer),
                     Qt::AlignHCenter | Qt::AlignBottom, QString::number(page + 1));
  }
  return true;
}

void SetShownChartSize(ReportDocument& document, const QImage& chart) {
  document.chartWidth = std::min(chart.width(), kShownChartWidth);
  document.chartHeight = chart.height() * document.chartWidth / std::max(1, chart.width());
}

// "无法写入报告文件：path" and the reason; `file` names what was written ("报告文件", "文件").
QString WriteFailure(const QString& path, const QString& reason, const QString& file = QStringLiteral("报告文件")) {
  return QStringLiteral("无法写入") + file + QStringLiteral("：") + QDir::toNativeSeparators(path) +
         (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason);
}

}  // namespace

QSize ReportChartSize() { return QSize(720, 420); }

WindowReport CollectReport(const AnalysisWindow& window) {
  WindowReport report;
  ReportDocument& d = report.document;
  d.title = Utf8(window.windowTitle());
  d.created = Utf8(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
  if (window.resultsStale()) {
    QString note;
    if (auto* label = window.detailsPane()->findChild<QLabel*>(QStringLiteral("DetailsNote")))
      note = label->text();
    if (note.trimmed().isEmpty()) note = QStringLiteral("以下结果不再对应当前输入，请重新计算。");
    d.staleNote = Utf8(note);
  }

  const WindowDescription description = window.describe();
  for (const DescribedGrid& grid : description.grids)
    d.data.push_back(TableFromCells(Utf8(grid.title), grid.grid->cells()));
  d.inputs = Groups(description.inputs);
  d.results = Groups(description.results);
  d.solution = window.detailsPane()->solution();
  report.chart = window.chartImage(ReportChartSize());
  return report;
}

ReportFormat ReportFormatOf(QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("pdf")) return ReportFormat::Pdf;
  if (suffix != QLatin1String("html") && suffix != QLatin1String("htm"))
    path += QStringLiteral(".html");
  return ReportFormat::Html;
}

QString SuggestedReportName(const QString& caption) {
  QString name = caption;
  name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
  name = name.trimmed();
  if (name.isEmpty()) name = QStringLiteral("Kelvo");
  return name + QStringLiteral("报告.html");
}

QString ReportHtmlText(const WindowReport& report) {
  ReportDocument document = report.document;
  if (!report.chart.isNull()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    report.chart.save(&buffer, "PNG");
    document.chartSource = "data:image/png;base64," + png.toBase64().toStdString();
    SetShownChartSize(document, report.chart);
  }
  return QString::fromStdString(ReportHtml(document));
}

std::unique_ptr<QTextDocument> ReportTextDocument(const WindowReport& report) {
  auto text = std::make_unique<QTextDocument>();
  text->setDefaultFont(ReportFont());
  ReportDocument document = report.document;
  if (!report.chart.isNull()) {
    text->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(kChartResource)),
                      report.chart);
    document.chartSource = kChartResource;
    SetShownChartSize(document, report.chart);
  }
  text->setHtml(QString::fromStdString(ReportHtml(document)));
  return text;
}

void WriteHtmlReport(const WindowReport& report, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw ReportWriteError(Utf8(WriteFailure(path, file.errorString())));
  const QByteArray bytes = ReportHtmlText(report).toUtf8();
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw ReportWriteError(Utf8(WriteFailure(path, file.errorString())));
}

namespace {

// The document as an A4 PDF, written atomically to `path`; a failure names the file as `kind`.
void WritePdfDocument(QTextDocument& text, const QString& title, const QString& path,
                      const QString& kind = QStringLiteral("报告文件")) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw ReportWriteError(Utf8(WriteFailure(path, file.errorString(), kind)));
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kelvo"));
    if (!PaintPages(text, writer)) throw ReportWriteError(Utf8(WriteFailure(path, QString(), kind)));
  }
  MendRadicalsInTextLayer(pdf);
  if (file.write(pdf) != pdf.size() || !file.commit())
    throw ReportWriteError(Utf8(WriteFailure(path, file.errorString(), kind)));
}

}  // namespace

void WritePdfReport(const WindowReport& report, const QString& path) {
  WritePdfDocument(*ReportTextDocument(report), QString::fromStdString(report.document.title), path);
}

void WriteHtmlAsPdf(const QString& html, const QString& title, const QString& path) {
  QTextDocument text;
  text.setDefaultFont(ReportFont());
  text.setHtml(html);
  WritePdfDocument(text, title, path, QStringLiteral("文件"));
}

void WriteHtmlFile(const QString& html, const QString& path) {
  QSaveFile file(path);
  const QByteArray bytes = html.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw ReportWriteError(Utf8(WriteFailure(path, file.errorString(), QStringLiteral("文件"))));
}

void PrintReport(const WindowReport& report, QPrinter& printer) {
  if (printer.docName().isEmpty()) printer.setDocName(QString::fromStdString(report.document.title));
  if (!PaintPages(*ReportTextDocument(report), printer) ||
      printer.printerState() == QPrinter::Error)
    throw ReportWriteError("打印失败：打印机未能完成打印。");
}

}  // namespace kelvo
