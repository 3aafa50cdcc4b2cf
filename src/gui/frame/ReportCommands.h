#pragma once
// The file menu's report commands of an analysis window: its inputs, results, worked solution
// and chart as an HTML or PDF document, or printed.
#include <QString>

class QPrinter;

namespace kelvo {

class AnalysisWindow;

class ReportCommands {
 public:
  explicit ReportCommands(AnalysisWindow& window) : m_window(window) {}

  // Asks for a file name and writes the report there, as HTML or PDF by the name's suffix.
  void exportReport();
  // The print dialog over the system's printer, then the report on it.
  void printReport();
  // The same on `printer`: refuses without results, shows the print dialog over the printer and
  // prints when it is accepted. Faults end in a message box.
  void printReport(QPrinter& printer);
  // Why the window has no report to give now (nothing computed yet, or the last computation
  // failed); empty when it has one.
  QString refusal() const;

 private:
  AnalysisWindow& m_window;
};

}  // namespace kelvo
