#include "gui/common/AppContext.h"

#include <QDir>
#include <QFileInfo>

#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

// The one place the windows find their context: set and cleared by the context itself.
AppContext* g_current = nullptr;

}  // namespace

AppContext::AppContext() {
  if (g_current) qFatal("kelvo: a second program context while one is alive");
  g_current = this;
}

AppContext::~AppContext() {
  delete helpWindow.data();
  g_current = nullptr;
}

DialogService& AppContext::dialogService() {
  if (dialogs) return *dialogs;
  if (!m_qtDialogs) m_qtDialogs = std::make_unique<QtDialogs>();
  return *m_qtDialogs;
}

AppContext& App() {
  if (!g_current) qFatal("kelvo: no program context");
  return *g_current;
}

QString FileDialogFolder() {
  return App().lastFileFolder.isEmpty() ? QDir::homePath() : App().lastFileFolder;
}

void RememberFileFolder(const QString& path) {
  App().lastFileFolder = QFileInfo(path).absolutePath();
}

}  // namespace kelvo
