// The file menu's report commands: a window's inputs, results, worked solution and chart as
// an HTML or PDF document, or printed.
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/Report.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

const QString kExportTitle = QStringLiteral("导出报告");
const QString kPrintTitle = QStringLiteral("打印");

}  // namespace

QString ReportRefusal(const AnalysisWindow& window) {
  if (!window.detailsPane()->plainText().isEmpty()) return QString();
  // Results greyed out without a solution: the last computation was refused.
  if (window.resultsStale()) return QStringLiteral("上次计算未完成，请先完成计算，再导出报告或打印。");
  return QStringLiteral("尚无计算结果，请先完成计算，再导出报告或打印。");
}

void PrintWindowReport(AnalysisWindow& window, QPrinter& printer) {
  const QString refusal = ReportRefusal(window);
  if (!refusal.isEmpty()) {
    Dialogs().showMessage(&window, refusal, kPrintTitle, MessageIcon::Information);
    return;
  }
  if (printer.docName().isEmpty()) printer.setDocName(window.windowTitle());
  if (!Dialogs().choosePrinter(&window, &printer)) return;
  try {
    PrintReport(CollectReport(window), printer);
  } catch (const UserFacingError& error) {
    Dialogs().showMessage(&window, QString::fromUtf8(error.what()), kPrintTitle, MessageIcon::Stop);
  }
}

void AnalysisWindow::exportReport() {
  const QString refusal = ReportRefusal(*this);
  if (!refusal.isEmpty()) {
    Dialogs().showMessage(this, refusal, kExportTitle, MessageIcon::Information);
    return;
  }
  QString path = Dialogs().askFilePath(this, FileQuestion::Save, kExportTitle,
                                       QStringLiteral("HTML 文件 (*.html);;PDF 文件 (*.pdf)"),
                                       QDir(FileDialogFolder()).filePath(SuggestedReportName(windowTitle())));
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  const QString chosen = path;
  const ReportFormat format = ReportFormatOf(path);
  // The dialog asked before replacing the name it was given, not the one with ".html" added.
  if (path != chosen && QFileInfo::exists(path)) {
    Dialogs().showMessage(this,
                          QStringLiteral("文件已存在：") + QDir::toNativeSeparators(path) +
                              QStringLiteral("\n未覆盖。请输入带扩展名的文件名（.html 或 .pdf）。"),
                          kExportTitle, MessageIcon::Warning);
    return;
  }
  try {
    const WindowReport report = CollectReport(*this);
    if (format == ReportFormat::Pdf)
      WritePdfReport(report, path);
    else
      WriteHtmlReport(report, path);
  } catch (const UserFacingError& error) {
    Dialogs().showMessage(this, QString::fromUtf8(error.what()), kExportTitle, MessageIcon::Stop);
  }
}

void AnalysisWindow::printReport() {
  QPrinter printer(QPrinter::HighResolution);
  PrintWindowReport(*this, printer);
}

}  // namespace kelvo
