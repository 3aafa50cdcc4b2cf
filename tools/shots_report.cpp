// Report scenes: a window of another scene written as a report, then the tool quits.
//   kelvo_shots report-form4 [DIR]   (also report-form3, -form3a, -form5, -form7, ...)   writes DIR/report.pdf, DIR/report.html and
//                                    DIR/report_html.png (the HTML as Qt's rich text shows it)
// DIR defaults to the current folder; page 1 of the PDF is then drawn with
// `pdftoppm -png -r 80 -singlefile DIR/report.pdf DIR/report_pdf`.
#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <QTimer>
#include <cstdio>

#include "ShotScenes.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/Report.h"
#include "gui/frame/SampleGrid.h"

namespace {

// `stale`: a cell is changed after the computation, so the report carries the warning.
void WriteReports(const char* scene, kelvo::ScriptedDialogs& dialogs, bool stale = false) {
  if (const kelvo::SceneSetup* setup = kelvo::FindScene(QString::fromLatin1(scene))) (*setup)(dialogs);
  const QList<kelvo::AnalysisWindow*> windows = kelvo::AnalysisWindow::openWindows();
  if (stale && !windows.isEmpty()) {
    kelvo::SampleGridModel* model = windows.back()->grid()->gridModel();
    model->setData(model->index(1, 1), QStringLiteral("12.5"));
  }
  const QStringList args = QCoreApplication::arguments();
  const QDir dir(args.size() > 2 ? args[2] : QDir::currentPath());
  if (!windows.isEmpty()) {
    try {
      const kelvo::WindowReport report = kelvo::CollectReport(*windows.back());
      kelvo::WritePdfReport(report, dir.filePath(QStringLiteral("report.pdf")));
      kelvo::WriteHtmlReport(report, dir.filePath(QStringLiteral("report.html")));
      QTextBrowser browser;
      browser.setHtml(kelvo::ReportHtmlText(report));
      browser.resize(820, 1100);
      browser.grab().save(dir.filePath(QStringLiteral("report_html.png")));
      fprintf(stderr, "reports written to %s\n", qUtf8Printable(dir.absolutePath()));
    } catch (const std::exception& error) {
      fprintf(stderr, "report failed: %s\n", error.what());
    }
  }
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

// One report scene per window scene that computes.
const kelvo::SceneRegistrar kReports[] = {
    {"report-form3", [](kelvo::ScriptedDialogs& d) { WriteReports("form3", d); }},
    {"report-form3a", [](kelvo::ScriptedDialogs& d) { WriteReports("form3a", d); }},
    {"report-form4", [](kelvo::ScriptedDialogs& d) { WriteReports("form4", d); }},
    {"report-form4stale", [](kelvo::ScriptedDialogs& d) { WriteReports("form4", d, true); }},
    {"report-form4summary", [](kelvo::ScriptedDialogs& d) { WriteReports("form4summary", d); }},
    {"report-form5", [](kelvo::ScriptedDialogs& d) { WriteReports("form5", d); }},
    {"report-form7", [](kelvo::ScriptedDialogs& d) { WriteReports("form7", d); }},
    {"report-form8", [](kelvo::ScriptedDialogs& d) { WriteReports("form8", d); }},
    {"report-form8skew", [](kelvo::ScriptedDialogs& d) { WriteReports("form8skew", d); }},
};

}  // namespace
