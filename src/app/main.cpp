// Kelvo: statistics for a first course in mathematical statistics.
#include <QApplication>
#include <QFont>
#include <QTimer>
#include <cstdio>

#include "gui/common/AppContext.h"
#include "gui/common/DataLocation.h"
#include "gui/common/HelpViewer.h"
#include "gui/common/Icons.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Translations.h"
#include "gui/app/WindowLauncher.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  kelvo::InstallChineseTranslations(app);
  QApplication::setFont(QFont(QStringList{QStringLiteral("Noto Sans CJK SC"),
                                          QStringLiteral("Noto Sans"), QStringLiteral("Sans")},
                              10));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kelvo::kApplicationId));
  QApplication::setWindowIcon(kelvo::ApplicationIcon());
  // The one context of this run, for every window it opens.
  kelvo::AppContext context;
  context.tables.open(kelvo::ProgramDataFile(QStringLiteral("bzztfbb.db")).toStdString());

  // For the package check: where the data files were found.
  if (qEnvironmentVariableIsSet("KELVO_REPORT_DATA_FILES")) {
    std::printf("tables: %s\nhelp: %s\n", context.tables.path().c_str(),
                qPrintable(kelvo::HelpDocumentPath()));
    std::fflush(stdout);
  }

  kelvo::Form1 mainWindow;
  mainWindow.show();
  // For the start-up benchmark: end as soon as the main window has been shown.
  if (qEnvironmentVariableIsSet("KELVO_QUIT_WHEN_SHOWN"))
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
  const int status = app.exec();
  kelvo::CloseAllAnalysisWindows();
  return status;
}
