#include "gui/tools/ToolWindows.h"

#include <QApplication>
#include <QDesktopServices>

#include "gui/common/Dialogs.h"
#include "gui/tools/ProbabilityCalculator.h"
#include "gui/tools/StatisticalTables.h"

namespace kelvo {
namespace {

// The open window of the class, found among the top-level widgets (no state of our own).
template <class Window>
Window* OpenWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<Window*>(w)) return window;
  return nullptr;
}

template <class Window>
Window* ShowOne(bool& created) {
  Window* window = OpenWindow<Window>();
  created = window == nullptr;
  if (created) {
    window = new Window;
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace

ProbabilityCalculator* ShowProbabilityCalculator() {
  bool created = false;
  return ShowOne<ProbabilityCalculator>(created);
}

StatisticalTables* ShowStatisticalTables() {
  bool created = false;
  StatisticalTables* window = ShowOne<StatisticalTables>(created);
  if (created && !window->loadError().isEmpty()) ShowDataCheck(window, window->loadError());
  return window;
}

TableLinkHandler::~TableLinkHandler() { QDesktopServices::unsetUrlHandler(QStringLiteral("kelvo-table")); }

void TableLinkHandler::openTableLink(const QUrl& url) {
  const std::optional<TableLookup> lookup = TableLookupFromLink(url.toString().toStdString());
  if (!lookup) return;
  StatisticalTables* window = ShowStatisticalTables();
  if (window->loadError().isEmpty()) window->showCell(*lookup);
}

void InstallTableLinkHandler(QObject* owner) {
  QDesktopServices::setUrlHandler(QStringLiteral("kelvo-table"), new TableLinkHandler(owner), "openTableLink");
}

}  // namespace kelvo
