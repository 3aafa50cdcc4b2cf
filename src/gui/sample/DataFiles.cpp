// The file menu's data commands: import, open and save of a window's grids.
#include "gui/sample/AnalysisWindow.h"

namespace kelvo {

void AnalysisWindow::importData() {}
void AnalysisWindow::openData() {}
void AnalysisWindow::saveData() {}

}  // namespace kelvo
