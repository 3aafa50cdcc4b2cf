// The file menu's report commands: a window's inputs, results, worked solution and chart as
// an HTML or PDF document, or printed.
#include "gui/sample/AnalysisWindow.h"

namespace kelvo {

void AnalysisWindow::exportReport() {}
void AnalysisWindow::printReport() {}

}  // namespace kelvo
