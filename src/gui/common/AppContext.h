#pragma once
// The program-wide context of the windows: the core's program state (settings, copy buffer,
// binomial N, table database) plus what only the interface has, the dialog service and the
// help document. Tests swap a member for their scope with ScopedValue (core/settings/ProgramState.h).
#include <QString>

#include "core/settings/ProgramState.h"

namespace kelvo {

class DialogService;

struct AppContext {
  ProgramState& program = Program();
  DialogService* dialogs = nullptr;  // nullptr: Qt's own dialogs
  QString helpDocumentPath;          // empty: kelvo.html in the executable's folder
  QString lastFileFolder;            // where the last file was opened or saved; empty: home
};

// The folder file dialogs start in: the last one used in this run, else the home folder.
QString FileDialogFolder();
// Remembers the folder of `path` for the next file dialog.
void RememberFileFolder(const QString& path);

AppContext& App();

}  // namespace kelvo
