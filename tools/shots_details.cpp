// Scenes with the worked-solution pane shown beside a window of another scene.
#include <QWidget>

#include "ShotScenes.h"
#include "gui/sample/AnalysisWindow.h"

namespace {

void WithDetails(const char* scene, kelvo::ScriptedDialogs& dialogs) {
  if (const kelvo::SceneSetup* setup = kelvo::FindScene(QString::fromLatin1(scene))) (*setup)(dialogs);
  const QList<kelvo::AnalysisWindow*> windows = kelvo::AnalysisWindow::openWindows();
  if (windows.isEmpty()) return;
  kelvo::AnalysisWindow* w = windows.back();
  w->setDetailsVisible(true);
  w->move(0, 0);
  w->resize(1270, 760);
}

const kelvo::SceneRegistrar kForm4Details("form4details",
                                          [](kelvo::ScriptedDialogs& d) { WithDetails("form4", d); });
const kelvo::SceneRegistrar kForm5Details("form5details",
                                          [](kelvo::ScriptedDialogs& d) { WithDetails("form5", d); });
const kelvo::SceneRegistrar kForm3aDetails("form3adetails",
                                           [](kelvo::ScriptedDialogs& d) { WithDetails("form3a", d); });

}  // namespace
