#pragma once
// A window's report: what the window describes of itself gathered into a ReportDocument (the
// filled grid cells, its captioned inputs and results, the worked solution, the chart), and its
// output as a self-contained HTML file, a PDF file or on a printer.
#include <QImage>
#include <QString>
#include <memory>

#include "core/documents/ReportDocument.h"
#include "core/text/Errors.h"

class QPrinter;
class QTextDocument;

namespace kelvo {

class AnalysisWindow;

struct WindowReport {
  ReportDocument document;  // chartSource left empty: each output names the chart its own way
  QImage chart;             // null: no chart
};

// A failure to write a report (a folder that does not exist, a full disk); nothing is left
// behind. The message names the file.
class ReportWriteError : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

enum class ReportFormat { Html, Pdf };

// The size the chart is drawn at for a report.
QSize ReportChartSize();

// Everything the window shows, from its description: no computation runs.
WindowReport CollectReport(const AnalysisWindow& window);

// The format a chosen path asks for: ".pdf" gives PDF, ".html"/".htm" HTML; any other name
// gets ".html" added to `path`.
ReportFormat ReportFormatOf(QString& path);
// A file name for the report from the window's caption, without characters a file name
// cannot hold.
QString SuggestedReportName(const QString& caption);

// The HTML file's text: UTF-8, the chart inlined as a data: URL.
QString ReportHtmlText(const WindowReport& report);
// The same report as a rich-text document for the PDF writer and the printer, the chart as
// the document's image resource.
std::unique_ptr<QTextDocument> ReportTextDocument(const WindowReport& report);

// Both write a temporary file beside `path` and put it in place only when complete; throw
// ReportWriteError.
void WriteHtmlReport(const WindowReport& report, const QString& path);
void WritePdfReport(const WindowReport& report, const QString& path);
// Any HTML document of the program (a problem set) as a PDF, set as the reports are, or as
// the HTML file itself; written as the reports are, a failure saying "无法写入文件：path".
void WriteHtmlAsPdf(const QString& html, const QString& title, const QString& path);
void WriteHtmlFile(const QString& html, const QString& path);
// Prints on a printer the caller has set up (the print dialog, or PDF output in tests).
void PrintReport(const WindowReport& report, QPrinter& printer);

// The print command on `printer` (see ReportCommands::printReport).
void PrintWindowReport(AnalysisWindow& window, QPrinter& printer);

}  // namespace kelvo
