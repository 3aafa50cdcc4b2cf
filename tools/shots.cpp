// Opens the program's windows in a given state under a real display, for screenshots:
//   kelvo_shots main | form9 | form9max   (then e.g. `import -window root shot.png`)
// The windows stay up until the process is killed.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <QMenu>
#include <QScreen>
#include <QPushButton>
#include <QTest>

#include "core/settings/ProgramState.h"
#include "gui/common/AppContext.h"
#include "gui/estimation/Form9.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowLauncher.h"
#include "ShotScenes.h"

#include <map>

namespace kelvo {
namespace {
std::map<QString, SceneSetup>& Registry() {
  static std::map<QString, SceneSetup> scenes;
  return scenes;
}
}  // namespace

SceneRegistrar::SceneRegistrar(const char* name, SceneSetup setup) {
  Registry()[QString::fromLatin1(name)] = std::move(setup);
}

const SceneSetup* FindScene(const QString& name) {
  auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : &found->second;
}

void FillScreen(QWidget* window) {
  window->showMaximized();
  window->move(0, 0);
  window->resize(window->screen()->availableGeometry().size());
}

}  // namespace kelvo

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // The one context of the run; the table database beside the tool serves every scene.
  kelvo::AppContext context;
  context.tables.open(
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bzztfbb.db")).toStdString());
  QApplication::setFont(QFont(QStringList{QStringLiteral("Noto Sans CJK SC"),
                                          QStringLiteral("Sans")}, 10));
  const QString scene = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("main");
  kelvo::ScriptedDialogs dialogs;
  for (int i = 0; i < 20; ++i) dialogs.queueAnswer(QStringLiteral("10"));
  if (scene != QLatin1String("binomialreal")) kelvo::App().dialogs = &dialogs;

  kelvo::Form1 mainWindow;
  mainWindow.move(0, 0);
  mainWindow.show();
  if (scene == QLatin1String("mainmax")) mainWindow.showMaximized();
  if (scene == QLatin1String("binomial")) {
    // How often a binomial window asks for N when opened under a real display.
    kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form9, QStringLiteral("二项分布"), 2)->move(60, 80);
    QTimer::singleShot(1500, &app, [&dialogs] {
      fprintf(stderr, "questions asked: %d\n", static_cast<int>(dialogs.prompts.size()));
    });
  }
  if (scene == QLatin1String("binomialreal")) {
    // The same with Qt's own dialog, answered 10 by a timer each time it shows.
    auto* answered = new int(0);
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, &app, [answered] {
      if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
        ++*answered;
        dialog->setTextValue(QStringLiteral("10"));
        dialog->accept();
      }
    });
    timer->start(300);
    kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form9, QStringLiteral("二项分布"), 2)->move(60, 80);
    QTimer::singleShot(2500, &app, [answered] { fprintf(stderr, "dialogs answered: %d\n", *answered); });
  }
  if (scene == QLatin1String("help")) kelvo::ShowProgramHelp(&mainWindow, QStringLiteral("estimation"));
  if (scene == QLatin1String("menus")) {
    // Each top-level menu of the main window opened side by side, with the deepest submenus.
    int x = 0;
    for (const char* name : {"menudian", "menuqj", "menucsjy", "junzhijy", "dangezongti",
                             "huanjiang", "menufbhs"}) {
      auto* menu = mainWindow.findChild<QMenu*>(QString::fromLatin1(name));
      auto* copy = new QMenu;
      for (QAction* a : menu->actions()) copy->addAction(a);
      copy->popup(QPoint(x, 30));
      x += copy->sizeHint().width() + 8;
    }
  }
  if (scene.startsWith(QLatin1String("form9"))) {
    auto* w = static_cast<kelvo::Form9*>(kelvo::OpenAnalysisWindow(
        kelvo::WindowClass::Form9, QStringLiteral("正态分布"), 5));
    w->move(60, 80);
    const char* values[] = {"2", "4", "6", "3.5", "-1.25"};
    for (int c = 0; c < 5; ++c)
      w->grid()->gridModel()->setData(w->grid()->gridModel()->index(1, c + 1),
                                      QString::fromLatin1(values[c]));
    w->computeClicked();
    if (scene == QLatin1String("form9max")) {
      // Without a window manager a maximised window is one that fills the screen.
      w->showMaximized();
      w->move(0, 0);
      w->resize(w->screen()->availableGeometry().size());
    }
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 6));
    w->openCellEditor();
    QTest::keyClicks(w->editor(), QStringLiteral("7.5"));
  }
  if (const kelvo::SceneSetup* setup = kelvo::FindScene(scene)) (*setup)(dialogs);
  return app.exec();
}
