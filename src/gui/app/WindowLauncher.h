#pragma once
// Creating and showing the analysis windows of the menu commands.
#include <QString>
#include <QWidget>

#include "core/files/DataFile.h"

#include "gui/app/MenuTable.h"

namespace kelvo {

class AnalysisWindow;
class ExerciseWindow;

// A new, independent window of the class, not yet shown.
AnalysisWindow* CreateAnalysisWindow(WindowClass windowClass);
// The body of every task command: a new window, its caption (when the command gives one),
// its mode as decimal text in its Tag (when the command gives one, mode > 0), shown modeless
// with no owner.
AnalysisWindow* OpenAnalysisWindow(WindowClass windowClass, const QString& caption, int mode);
// The window a posed problem's data file names, opened as the main menu opens it (the menu row
// of its class and mode) with the file loaded as 打开数据… loads one of its own; for the
// probability calculator, the calculator set from the file's settings. Null when no menu row
// opens such a window.
QWidget* OpenProblemWindow(const DataFileContent& content);
// The exercise window, one at a time: a second opening brings it to the front.
ExerciseWindow* ShowExerciseWindow();
// Destroys every analysis window without running their close handlers.
void CloseAllAnalysisWindows();

}  // namespace kelvo
