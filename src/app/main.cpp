// Kelvo: statistics for a first course in mathematical statistics.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTimer>

#include "core/tables/Quantiles.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Translations.h"
#include "gui/shell/WindowLauncher.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  kelvo::InstallChineseTranslations(app);
  QApplication::setFont(QFont(QStringList{QStringLiteral("Noto Sans CJK SC"),
                                          QStringLiteral("Noto Sans"), QStringLiteral("Sans")},
                              10));
  kelvo::SetTableDatabasePath(
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bzztfbb.db")).toStdString());

  kelvo::Form1 mainWindow;
  mainWindow.show();
  // For the start-up benchmark: end as soon as the main window has been shown.
  if (qEnvironmentVariableIsSet("KELVO_QUIT_WHEN_SHOWN"))
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
  const int status = app.exec();
  kelvo::CloseAllAnalysisWindows();
  return status;
}
