// The report commands of the file menu: what a report holds after a computation, how stale
// results are marked, the HTML and PDF files, printing, and the refusals and failures.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form4.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/Report.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text layer of pages `first` to `last` of a PDF file, as a reader copying it gets it.
QString PdfText(const QString& path, int first = 0, int last = 0) {
  QStringList arguments;
  if (first > 0) arguments << "-f" << QString::number(first) << "-l" << QString::number(last);
  arguments << path << "-";
  QProcess process;
  process.start(QStandardPaths::findExecutable("pdftotext"), arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString WithoutBlanks(QString text) {
  return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

QString Escaped(const QString& text) {
  return QString::fromStdString(EscapeHtml(text.toStdString()));
}

// Every row of `groups` as "title|caption=value", in order.
QStringList AllRows(const std::vector<ReportGroup>& groups) {
  QStringList rows;
  for (const ReportGroup& g : groups)
    for (const ReportRow& r : g.rows)
      rows << QString::fromStdString(g.title + "|" + r.caption + "=" + r.value);
  return rows;
}

// Every piece of the pane's plain text (headings, sentences, formulas, table cells) must stand
// in the HTML.
void ExpectSolutionIn(const QString& html, const QString& plain) {
  QVERIFY(!plain.isEmpty());
  for (QString line : plain.split('\n', Qt::SkipEmptyParts)) {
    if (line.startsWith(QStringLiteral("【")) && line.endsWith(QStringLiteral("】")))
      line = line.mid(1, line.size() - 2);
    if (line.startsWith(QStringLiteral("注意："))) line = line.mid(3);
    for (QString cell : line.split('\t')) {
      cell = cell.trimmed();
      if (cell.isEmpty() || cell == "*") continue;
      QVERIFY2(html.contains(Escaped(cell)), qPrintable(cell));
    }
  }
}

}  // namespace

class ReportTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    QVERIFY(m_dir.isValid());
  }
  void cleanup() {
    m_fixture.reset();
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
  }

  // ---- what a report holds ----

  void pointEstimationReport() {
    Form9* w = computedForm9();
    const WindowReport report = CollectReport(*w);
    const ReportDocument& d = report.document;
    QCOMPARE(QString::fromStdString(d.title), QStringLiteral("点估计"));
    QVERIFY(d.staleNote.empty());
    QCOMPARE(d.data.size(), std::size_t{1});
    const std::vector<std::vector<std::string>> grid = {{"", "1", "2", "3"}, {"数据值", "2", "4", "6"}};
    QVERIFY(d.data[0].rows == grid);
    QVERIFY(!d.solution.empty());
    // The window's own chart of the computation, drawn for the report.
    QVERIFY(!report.chart.isNull());
    QCOMPARE(report.chart.size(), ReportChartSize());

    const QString path = m_dir.filePath("point.html");
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    QCOMPARE(m_fixture->dialogs.fileTitles, QStringList{QStringLiteral("导出报告")});
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    const QString html = ReadText(path);
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("<title>点估计</title>")));
    QVERIFY(html.contains(QStringLiteral("<th>数据值</th><td>2</td><td>4</td><td>6</td>")));
    QVERIFY(html.contains(QStringLiteral("<th align=\"left\">σ的估计值</th><td>1.633</td>")));
    QVERIFY(!html.contains(QStringLiteral("已过时")));
    QVERIFY(html.contains(QStringLiteral("<h2>图表</h2>\n<p><img src=\"data:image/png;base64,")));
    ExpectSolutionIn(html, w->detailsPane()->plainText());
  }

  void testReportHoldsHypothesisLevelAndConclusion() {
    Form4* w = computedForm4();
    QCOMPARE(QString::fromStdString(CollectReport(*w).document.title),
             QStringLiteral("单个正态分布检验μ(σ未知)"));
    const QString path = m_dir.filePath("test.html");
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    const QString html = ReadText(path);
    QVERIFY(html.contains(QStringLiteral("<th align=\"left\">结论:</th><td>接受备选假设 H1</td>")));
    QVERIFY(html.contains(QStringLiteral("<th align=\"left\">显著水平</th><td>0.05</td>")));
    ExpectSolutionIn(html, w->detailsPane()->plainText());
  }

  // One computation in each window: its report holds the grid, every input and every result
  // the window shows, group by group.
  void reportOfEachWindowHoldsItsInputsAndResults_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("results");
    const QString mode = QStringLiteral("|输入方式=输入方式一");
    // Sample 2, 4, 6: mean 4, variance 4 and σ = √(8/3) = 1.633 (Form9Test's normal row).
    QTest::newRow("Form9") << 0 << QStringList{mode}
                           << QStringList{"中间结果|样本均值=4.000", "中间结果|样本方差=4.000",
                                          "矩估计|μ的估计值=4.000", "矩估计|σ的估计值=1.633",
                                          "似然估计|μ的估计值=4.000", "似然估计|σ的估计值=1.633"};
    // Poisson 1..5 at 0.95, by hand: the roots of (3 − λ)² = 1.96²·λ/5 are 1.818 and 4.950.
    QTest::newRow("Form3") << 1 << QStringList{mode, "参数|置信水平=0.95"}
                           << QStringList{"区间估计|双侧置信 λ=", "区间估计|置信区间=(1.818,4.950)",
                                          "中间结果|样本均值=3.000", "中间结果|样本方差=2.500"};
    // n = 16, mean 10, s = 2: 10 ∓ 1.0657 and 10 ± 0.8765 (Form3aTest's decorated labels).
    QTest::newRow("Form3a") << 2 << QStringList{"|输入方式=输入中间值", "参数|置信水平=0.95"}
                            << QStringList{"区间估计|双侧置信 μ=", "区间估计|置信区间=(8.934, 11.066)",
                                           "区间估计|单侧置信 μ=", "区间估计|单侧置信上限=(-∞,10.877)",
                                           "区间估计|单侧置信下限=(9.123,∞)", "中间结果|样本均值=10.000",
                                           "中间结果|样本方差=4.000"};
    // 1..5 against μ0 = 1: t = 2.828 > t₀.₀₅(4) = 2.132 (Form4Test's "2 raw" row).
    QTest::newRow("Form4") << 3
                           << QStringList{mode, "|显著水平=0.05", "假设命题|假设命题选择=μ≤μ0,μ＞μ0",
                                          "假设命题|厡 假 设H0=μ≤μ0=1", "假设命题|备选假设H1=μ＞μ0=1"}
                           << QStringList{"中间结果|样本均值=3.000", "中间结果|样本方差=2.500",
                                          "结果及说明|结论:=接受备选假设 H1",
                                          "结果及说明|条件说明=未知σ,检验μ"};
    // By hand: 6 ones in 8, u = (0.75 − 0.5) / √(0.25/8) = 1.414 < u₀.₀₅ = 1.645.
    QTest::newRow("Form8") << 4
                           << QStringList{mode, "假设命题|假设命题选择=ρ＝ρ0,ρ＞ρ0",
                                          "假设命题|厡 假 设H0=ρ＝ρ0=0.5",
                                          "假设命题|备选假设H1=ρ＞ρ0 =0.5", "|显著水平=0.05"}
                           << QStringList{"结果及说明|结论:=接受原假设 H0"};
    // By hand: 12 and 8 in [0, 5) and [5, 10) against 10 and 10, χ² = 0.8 < χ²₀.₀₅(1) = 3.84.
    QTest::newRow("Form5") << 5
                           << QStringList{"|输入方式=间隔数据", "|假设命题选择=7:A B已知,服从均匀分布",
                                          "|厡 假 设H0=服从均匀分布", "|备选假设H1=不服从均匀分布",
                                          "|显著水平=0.05", "|输入的A值=0", "|输入的B值=10"}
                           << QStringList{"结果及说明|结论:=接受原假设 H0",
                                          "结果及说明|条件说明=样本数>50"};
    // Rank sum of 1, 2, 4 among 3, 5, 6, 7: T = 7, inside the table's bounds at 0.05.
    QTest::newRow("Form7") << 6
                           << QStringList{mode, "|假设命题选择=μ1=μ2,μ1≠μ2", "|厡 假 设H0=μ1=μ2",
                                          "|备选假设H1=μ1≠μ2", "|显著水平=0.05"}
                           << QStringList{"结果及说明|结论:=接受原假设 H0"};
  }
  void reportOfEachWindowHoldsItsInputsAndResults() {
    QFETCH(int, window);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    AnalysisWindow* w = computed(window);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    const ReportDocument d = CollectReport(*w).document;
    QCOMPARE(d.data.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(d.data[0].title), QStringLiteral("数据录入"));
    QCOMPARE(AllRows(d.inputs), inputs);
    QCOMPARE(AllRows(d.results), results);
  }

  // ---- stale results, escaping ----

  void staleResultsAreMarked() {
    Form9* w = computedForm9();
    WindowFixture::fill(w, 1, {"8"}, 4);
    QVERIFY(w->resultsStale());
    const QString path = m_dir.filePath("stale.html");
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    const QString html = ReadText(path);
    QVERIFY(html.contains(QStringLiteral("注意：结果已过时")));
    QVERIFY(html.contains(QStringLiteral("数据已修改")));
    QVERIFY(html.contains(QStringLiteral("<h2>计算结果（已过时）</h2>")));
    QVERIFY(html.indexOf(QStringLiteral("注意：结果已过时")) < html.indexOf(QStringLiteral("<h2>输入数据")));
    // The grid as it stands now, with the results it no longer matches.
    QVERIFY(html.contains(QStringLiteral("<td>6</td><td>8</td>")));
  }

  void typedMarkupIsEscaped() {
    Form4* w = computedForm4({"<b>粗</b>"});
    // Typed but not yet left: the box is reported as it reads.
    w->findChild<ValidatedBox*>(QStringLiteral("Text2"))->setText(QStringLiteral("<b>0.05</b>"));
    w->setWindowTitle(QStringLiteral("<script>x</script>"));
    const QString path = m_dir.filePath("escape.html");
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    const QString html = ReadText(path);
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;粗&lt;/b&gt;")));
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;0.05&lt;/b&gt;")));
    QVERIFY(html.contains(QStringLiteral("&lt;script&gt;x&lt;/script&gt;")));
    QVERIFY(!html.contains(QStringLiteral("<b>粗")));
    QVERIFY(!html.contains(QStringLiteral("<b>0.05")));
    QVERIFY(!html.contains(QStringLiteral("<script>")));
  }

  // ---- files ----

  void pdfReportIsWritten() {
    Form9* w = computedForm9();
    const QString path = m_dir.filePath("point.pdf");
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    const QByteArray pdf = ReadBytes(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY2(pdf.size() > 5000, QByteArray::number(pdf.size()));
    QVERIFY(pdf.contains("%%EOF"));
    // Only the report: no temporary file left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"point.pdf"});
  }

  void pdfTextLayerKeepsTheReportText() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    Form4* w = computedForm4();
    const QString html = m_dir.filePath("t.html"), pdf = m_dir.filePath("t.pdf");
    for (const QString& path : {html, pdf}) {
      m_fixture->dialogs.queueFilePath(path);
      w->exportReport();
    }
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    // Every line of the HTML report (the formulas with their numbers put in, the critical
    // values, the data, the Chinese text) reads the same from the PDF, digits and all.
    QTextDocument shown;
    shown.setHtml(ReadText(html));
    const QString copied = WithoutBlanks(PdfText(pdf));
    const QString written = WithoutBlanks(shown.toPlainText());
    int checked = 0;
    for (const QString& line : shown.toPlainText().split('\n')) {
      const QString text =
          WithoutBlanks(line).remove(QChar::ObjectReplacementCharacter);  // the chart
      if (text.isEmpty() || line.contains(QStringLiteral("生成时间"))) continue;
      QVERIFY2(copied.contains(text), qPrintable(line));
      // No more often either: nothing drawn twice, once hidden, where pages meet.
      if (text.size() >= 10) QVERIFY2(copied.count(text) == written.count(text), qPrintable(line));
      ++checked;
    }
    QVERIFY2(checked >= 30, qPrintable(QString::number(checked)));
  }

  void noPageOfAPdfReportEndsWithAHeading() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    // Sections of one line, two lines, ... put the headings at every height of a page.
    WindowReport report = CollectReport(*computedForm9());
    WorkedSolution solution;
    QStringList headings{"输入数据", "输入项", "计算结果", "详细过程", "图表"};
    for (int section = 1; section <= 40; ++section) {
      const QString heading = QStringLiteral("小节%1").arg(section);
      headings << heading;
      solution.heading(heading.toStdString());
      for (int line = 0; line < section % 7 + 1; ++line)
        solution.text("第 " + std::to_string(section) + " 节的第 " + std::to_string(line + 1) +
                      " 行");
    }
    report.document.solution = solution;
    const QString path = m_dir.filePath("headings.pdf");
    WritePdfReport(report, path);
    int pages = 0;
    for (int page = 1;; ++page) {
      QStringList lines = PdfText(path, page, page).split('\n', Qt::SkipEmptyParts);
      // The page number stands at the foot of each page.
      while (!lines.isEmpty() &&
             lines.last().trimmed().contains(QRegularExpression(QStringLiteral("^\\d*$"))))
        lines.removeLast();
      if (lines.isEmpty()) break;
      ++pages;
      QVERIFY2(!headings.contains(lines.last().trimmed()),
               qPrintable(QStringLiteral("page %1 ends with %2").arg(page).arg(lines.last())));
    }
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
  }

  void chosenNameDecidesTheFormat_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("html") << "a.html" << "a.html" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("htm") << "b.htm" << "b.htm" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("pdf") << "c.pdf" << "c.pdf" << QByteArray("%PDF");
    QTest::newRow("PDF upper case") << "d.PDF" << "d.PDF" << QByteArray("%PDF");
    QTest::newRow("no suffix") << "e" << "e.html" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("other suffix") << "f.txt" << "f.txt.html" << QByteArray("<!DOCTYPE html>");
  }
  void chosenNameDecidesTheFormat() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    Form9* w = computedForm9();
    m_fixture->dialogs.queueFilePath(m_dir.filePath(chosen));
    w->exportReport();
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{written});
    QVERIFY(ReadBytes(m_dir.filePath(written)).startsWith(start));
  }

  void addedSuffixNeverReplacesAFileUnasked() {
    Form9* w = computedForm9();
    QFile existing(m_dir.filePath("notes.html"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    m_fixture->dialogs.queueFilePath(m_dir.filePath("notes"));
    w->exportReport();
    QCOMPARE(ReadBytes(m_dir.filePath("notes.html")), QByteArray("keep me"));
    QCOMPARE(m_fixture->dialogs.messages.size(), std::size_t{1});
    QVERIFY(m_fixture->dialogs.messages.front().text.startsWith(QStringLiteral("文件已存在：")));
    // A name the dialog itself confirmed is replaced, wholly.
    m_fixture->dialogs.queueFilePath(m_dir.filePath("notes.html"));
    w->exportReport();
    QVERIFY(ReadBytes(m_dir.filePath("notes.html")).startsWith("<!DOCTYPE html>"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"notes.html"});
  }

  void chartIsEmbeddedInHtmlAndAddedToTheDocument() {
    Form9* w = computedForm9();
    WindowReport report = CollectReport(*w);
    report.chart = QImage(ReportChartSize(), QImage::Format_RGB32);
    report.chart.fill(QColor(10, 120, 200));
    const QString html = ReportHtmlText(report);
    const QString marker = QStringLiteral("data:image/png;base64,");
    const qsizetype at = html.indexOf(marker);
    QVERIFY(at > 0);
    const qsizetype end = html.indexOf('"', at);
    const QByteArray png = QByteArray::fromBase64(html.mid(at + marker.size(), end - at - marker.size()).toLatin1());
    const QImage decoded = QImage::fromData(png, "PNG");
    QCOMPARE(decoded.size(), ReportChartSize());
    QCOMPARE(decoded.pixelColor(5, 5), QColor(10, 120, 200));
    QVERIFY(html.contains(QStringLiteral("width=\"640\" height=\"373\"")));  // 420 · 640 / 720

    const auto document = ReportTextDocument(report);
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl("kelvo-chart.png"));
    QCOMPARE(resource.value<QImage>().size(), ReportChartSize());
    QVERIFY(document->toHtml().contains(QStringLiteral("kelvo-chart.png")));
    // Without a chart there is no image at all.
    report.chart = QImage();
    QVERIFY(!ReportHtmlText(report).contains(QStringLiteral("<img")));
  }

  void unwritablePathsAreReportedAndLeaveNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("html") << "report.html";
    QTest::newRow("pdf") << "report.pdf";
  }
  void unwritablePathsAreReportedAndLeaveNothing() {
    QFETCH(QString, name);
    Form9* w = computedForm9();
    const QString path = m_dir.filePath("missing-folder/" + name);
    m_fixture->dialogs.queueFilePath(path);
    w->exportReport();
    QCOMPARE(m_fixture->dialogs.messages.size(), std::size_t{1});
    const ShownMessage& m = m_fixture->dialogs.messages.front();
    QVERIFY2(m.text.startsWith(QStringLiteral("无法写入报告文件：")), qPrintable(m.text));
    QVERIFY(m.text.contains(name));
    QCOMPARE(m.title, QStringLiteral("导出报告"));
    QCOMPARE(m.icon, MessageIcon::Stop);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
  }

  void cancelledExportWritesNothing() {
    Form9* w = computedForm9();
    w->exportReport();  // no path queued: the dialog is cancelled
    QCOMPARE(m_fixture->dialogs.fileTitles, QStringList{QStringLiteral("导出报告")});
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
  }

  // ---- printing ----

  void acceptedPrintWritesThePrinterOutput() {
    Form4* w = computedForm4();
    const QString path = m_dir.filePath("printed.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    m_fixture->dialogs.queuePrinterChoice(true);
    PrintWindowReport(*w, printer);
    QCOMPARE(m_fixture->dialogs.printDialogs, 1);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    const QByteArray pdf = ReadBytes(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY2(pdf.size() > 5000, QByteArray::number(pdf.size()));
  }

  void failedPrintIsReported() {
    Form4* w = computedForm4();
    const QString path = m_dir.filePath("missing-folder/printed.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    m_fixture->dialogs.queuePrinterChoice(true);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    PrintWindowReport(*w, printer);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("打印失败：打印机未能完成打印。")});
    QCOMPARE(m_fixture->dialogs.messages.front().title, QStringLiteral("打印"));
    QVERIFY(!QFile::exists(path));
  }

  void cancelledPrintWritesNothing() {
    Form4* w = computedForm4();
    const QString path = m_dir.filePath("printed.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintWindowReport(*w, printer);  // nothing queued: the print dialog is cancelled
    QCOMPARE(m_fixture->dialogs.printDialogs, 1);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  // ---- refusals ----

  void noReportBeforeAComputation() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"2", "4", "6"});  // data, but not computed
    m_fixture->dialogs.queueFilePath(m_dir.filePath("early.html"));
    w->exportReport();
    QCOMPARE(m_fixture->dialogs.fileTitles, QStringList());
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("尚无计算结果，请先完成计算，再导出报告或打印。")});
    QCOMPARE(m_fixture->dialogs.messages.front().title, QStringLiteral("导出报告"));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath("early.pdf"));
    m_fixture->dialogs.queuePrinterChoice(true);
    PrintWindowReport(*w, printer);
    QCOMPARE(m_fixture->dialogs.printDialogs, 0);
    QCOMPARE(m_fixture->dialogs.messages.back().title, QStringLiteral("打印"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
  }

  void noReportAfterARefusedComputation() {
    Form9* w = computedForm9();
    WindowFixture::fill(w, 1, {"abc"}, 2);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    m_fixture->dialogs.queueFilePath(m_dir.filePath("failed.html"));
    w->exportReport();
    QCOMPARE(m_fixture->dialogs.fileTitles, QStringList());
    QCOMPARE(m_fixture->messageTexts().value(1), QStringLiteral("上次计算未完成，请先完成计算，再导出报告或打印。"));
    QVERIFY(!QFile::exists(m_dir.filePath("failed.html")));
  }

  void suggestedNamesAreFileNames_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "点估计" << "点估计报告.html";
    QTest::newRow("separators") << "σ1/σ2: a*b?\"c\"<d>|e\\f" << "σ1_σ2_ a_b__c__d__e_f报告.html";
    QTest::newRow("empty") << "" << "Kelvo报告.html";
  }
  void suggestedNamesAreFileNames() {
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QCOMPARE(SuggestedReportName(caption), name);
  }

 private:
  // Window `window` of the table below after one successful computation: the list item
  // picked (answering its questions), the input mode chosen, the grid filled, the level typed.
  AnalysisWindow* computed(int window) {
    struct Setup {
      WindowClass windowClass;
      const char16_t* caption;
      int mode;
      QStringList answers;
      const char* list;
      int item;
      int option;
      QList<QStringList> rows;
      const char* level;
    };
    const Setup setups[] = {
        {WindowClass::Form9, u"", 5, {}, nullptr, 0, 1, {{"2", "4", "6"}}, nullptr},
        {WindowClass::Form3, u"", 3, {}, nullptr, 0, 1, {{"1", "2", "3", "4", "5"}}, "0.95"},
        {WindowClass::Form3a, u"", 2, {}, nullptr, 0, 2, {{"16", "10", "×", "2"}}, "0.95"},
        {WindowClass::Form4, u"", 2, {"1"}, "Combo2", 0, 1, {{"1", "2", "3", "4", "5"}}, "0.05"},
        {WindowClass::Form8, u"", 1, {"0.5"}, "Combo1", 0, 1, {{"1", "0", "1", "1", "0", "1", "1", "1"}}, "0.05"},
        {WindowClass::Form5, u"分布拟和检验", 0, {"0", "10"}, "Combo1", 7, 3,
         {{"0", "5"}, {"5", "10"}, {"12", "8"}}, "0.05"},
        {WindowClass::Form7, u"秩和检验", 0, {}, "Combo1", 2, 1, {{"1", "2", "4"}, {"3", "5", "6", "7"}}, "0.05"},
    };
    const Setup& setup = setups[window];
    AnalysisWindow* w = m_fixture->openWindow(setup.windowClass, QString::fromUtf16(setup.caption), setup.mode);
    for (const QString& answer : setup.answers) m_fixture->dialogs.queueAnswer(answer);
    if (setup.list) {
      WindowFixture::click(w, QStringLiteral("Command2"));
      WindowFixture::chooseItem(w, QString::fromLatin1(setup.list), setup.item);
    }
    if (setup.option != 1)
      QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(setup.option)), Qt::LeftButton);
    for (int row = 0; row < setup.rows.size(); ++row) WindowFixture::fill(w, row + 1, setup.rows[row]);
    if (setup.level) WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QString::fromLatin1(setup.level));
    WindowFixture::click(w, QStringLiteral("Command1"));
    return w;
  }

  Form9* computedForm9() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"2", "4", "6"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    return w;
  }

  // The one-sample t test of 1..5 against μ0 = 1 with α = 0.05, the first hypothesis pair;
  // `rowTwo` goes into the grid's second row, which this test does not read.
  Form4* computedForm4(const QStringList& rowTwo = {}) {
    auto* w = m_fixture->open<Form4>(WindowClass::Form4, QString(), 2);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    m_fixture->dialogs.queueAnswer(QStringLiteral("1"));
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, QStringLiteral("Combo2"), 0);
    WindowFixture::fill(w, 1, {"1", "2", "3", "4", "5"});
    if (!rowTwo.isEmpty()) WindowFixture::fill(w, 2, rowTwo);
    WindowFixture::click(w, QStringLiteral("Command1"));
    return w;
  }

  std::unique_ptr<WindowFixture> m_fixture;
  QTemporaryDir m_dir;
};

QTEST_MAIN(ReportTest)
#include "ReportTest.moc"
