#include "gui/shell/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "gui/shell/AppContext.h"
#include "gui/shell/DataLocation.h"
#include "gui/shell/Dialogs.h"

namespace kelvo {

QString HelpDocumentPath() {
  if (!App().helpDocumentPath.isEmpty()) return App().helpDocumentPath;
  return ProgramDataFile(QStringLiteral("kelvo.html"));
}

void ShowProgramHelp(QWidget* parent, const QString& anchor) {
  const QString path = HelpDocumentPath();
  if (!QFileInfo(path).isReadable()) {
    Dialogs().showMessage(parent, QStringLiteral("找不到帮助文档：\n") + QDir::toNativeSeparators(path),
                          QStringLiteral("软件帮助"), MessageIcon::Warning);
    return;
  }
  // One help window for the whole program, brought to the front when asked again.
  static QPointer<QTextBrowser> viewer;
  if (!viewer) {
    viewer = new QTextBrowser;
    viewer->setObjectName(QStringLiteral("HelpViewer"));
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowTitle(QStringLiteral("Kelvo 软件帮助"));
    viewer->setOpenExternalLinks(false);
    viewer->resize(720, 620);
  }
  QUrl url = QUrl::fromLocalFile(path);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  viewer->setSource(url);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace kelvo
