#pragma once
// The context of one run of the program: the core's program state (settings, copy buffer,
// binomial N), the table database, and what only the interface has: the dialog service, the
// help window, the open analysis windows and what they share. `main` creates the one context
// of a run, the window test fixture a fresh one for each test; App() reaches it.
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/settings/ProgramState.h"
#include "core/tables/TableStore.h"

namespace kelvo {

class AnalysisWindow;
class DialogService;

class AppContext {
 public:
  // Becomes the current context; creating a second one while one lives ends the program.
  AppContext();
  // Closes the help window; App() has no context afterwards.
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  ProgramState program;
  TableStore tables;                 // opened by whoever creates the context
  DialogService* dialogs = nullptr;  // nullptr: Qt's own dialogs
  QString helpDocumentPath;          // empty: kelvo.html in the executable's folder
  QString lastFileFolder;            // where the last file was opened or saved; empty: home
  QList<AnalysisWindow*> windows;    // the open analysis windows, in the order they opened
  QHash<QString, bool> detailsShown;  // whether the worked-solution pane is shown, by window class
  QString lastOwnClipboardText;      // the grids' last copy as put on the system clipboard
  QPointer<QWidget> helpWindow;      // the program's one help window, once opened

  // `dialogs`, or Qt's own dialogs when none is installed.
  DialogService& dialogService();

 private:
  std::unique_ptr<DialogService> m_qtDialogs;
};

// The current context; a run without one is a fault of the program and ends it.
AppContext& App();

// The folder file dialogs start in: the last one used in this run, else the home folder.
QString FileDialogFolder();
// Remembers the folder of `path` for the next file dialog.
void RememberFileFolder(const QString& path);

}  // namespace kelvo
