#include "gui/frame/ReportCommands.h"

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

QString ReportCommands::refusal() const {
  if (!m_window.detailsPane()->plainText().isEmpty()) return QString();
  // Results greyed out without a solution: the last computation was refused.
  if (m_window.resultsStale()) return QStringLiteral("上次计算未完成，请先完成计算，再导出报告或打印。");
  return QStringLiteral("尚无计算结果，请先完成计算，再导出报告或打印。");
}

void ReportCommands::printReport(QPrinter& printer) {
  AnalysisWindow& window = m_window;
  const QString why = refusal();
  if (!why.isEmpty()) {
    Dialogs().showMessage(&window, why, kPrintTitle, MessageIcon::Information);
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

void ReportCommands::exportReport() {
  AnalysisWindow* window = &m_window;
  const QString why = refusal();
  if (!why.isEmpty()) {
    Dialogs().showMessage(window, why, kExportTitle, MessageIcon::Information);
    return;
  }
  QString path = Dialogs().askFilePath(
      window, FileQuestion::Save, kExportTitle,
      QStringLiteral("HTML 文件 (*.html);;PDF 文件 (*.pdf)"),
      QDir(FileDialogFolder()).filePath(SuggestedReportName(window->windowTitle())));
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  const QString chosen = path;
  const ReportFormat format = ReportFormatOf(path);
  // The dialog asked before replacing the name it was given, not the one with ".html" added.
  if (path != chosen && QFileInfo::exists(path)) {
    Dialogs().showMessage(window,
                          QStringLiteral("文件已存在：") + QDir::toNativeSeparators(path) +
                              QStringLiteral("\n未覆盖。请输入带扩展名的文件名（.html 或 .pdf）。"),
                          kExportTitle, MessageIcon::Warning);
    return;
  }
  try {
    const WindowReport report = CollectReport(*window);
    if (format == ReportFormat::Pdf)
      WritePdfReport(report, path);
    else
      WriteHtmlReport(report, path);
  } catch (const UserFacingError& error) {
    Dialogs().showMessage(window, QString::fromUtf8(error.what()), kExportTitle, MessageIcon::Stop);
  }
}

void ReportCommands::printReport() {
  QPrinter printer(QPrinter::HighResolution);
  printReport(printer);
}

void PrintWindowReport(AnalysisWindow& window, QPrinter& printer) {
  ReportCommands(window).printReport(printer);
}

}  // namespace kelvo
