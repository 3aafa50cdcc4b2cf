#pragma once
// The program's help document, shown in a window of its own.
#include <QString>

class QWidget;

namespace kelvo {

// The path of the help document: App().helpDocumentPath, or kelvo.html in the executable's
// folder when that is empty.
QString HelpDocumentPath();
// Opens the help window at the document's contents; a missing document is reported in a
// message box and nothing else happens. `anchor` picks a section.
void ShowProgramHelp(QWidget* parent, const QString& anchor = QString());

}  // namespace kelvo
