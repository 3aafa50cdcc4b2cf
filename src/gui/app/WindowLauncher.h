#pragma once
// Creating and showing the analysis windows of the menu commands.
#include <QString>

#include "gui/app/MenuTable.h"

namespace kelvo {

class AnalysisWindow;

// A new, independent window of the class, not yet shown.
AnalysisWindow* CreateAnalysisWindow(WindowClass windowClass);
// The body of every task command: a new window, its caption (when the command gives one),
// its mode as decimal text in its Tag (when the command gives one, mode > 0), shown modeless
// with no owner.
AnalysisWindow* OpenAnalysisWindow(WindowClass windowClass, const QString& caption, int mode);
// Destroys every analysis window without running their close handlers.
void CloseAllAnalysisWindows();

}  // namespace kelvo
