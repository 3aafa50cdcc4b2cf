// Scenes with the worked-solution pane shown beside a window of another scene, in a large
// window ("form4details") and in one 800 pixels wide ("form4details800", for every window).
#include <QWidget>

#include "ShotScenes.h"
#include "gui/frame/AnalysisWindow.h"

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

// The pane opened and the window then narrowed to 800 pixels: the surface keeps its design
// size and scrolls. A scene the tool opens itself (form9) leaves its window last.
void WithDetailsAt800(const char* scene, kelvo::ScriptedDialogs& dialogs) {
  if (const kelvo::SceneSetup* setup = kelvo::FindScene(QString::fromLatin1(scene))) (*setup)(dialogs);
  const QList<kelvo::AnalysisWindow*> windows = kelvo::AnalysisWindow::openWindows();
  if (windows.isEmpty()) return;
  kelvo::AnalysisWindow* w = windows.back();
  w->setDetailsVisible(true);
  w->move(0, 0);
  w->resize(800, w->height());
}

const kelvo::SceneRegistrar kAt800[] = {
    {"form9details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form9", d); }},
    {"form3details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form3", d); }},
    {"form3adetails800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form3a", d); }},
    {"form3a2details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form3a2", d); }},
    {"form4details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form4", d); }},
    {"form5details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form5", d); }},
    {"form7details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form7", d); }},
    {"form8details800", [](kelvo::ScriptedDialogs& d) { WithDetailsAt800("form8", d); }},
};

const kelvo::SceneRegistrar kForm4Details("form4details",
                                          [](kelvo::ScriptedDialogs& d) { WithDetails("form4", d); });
const kelvo::SceneRegistrar kForm5Details("form5details",
                                          [](kelvo::ScriptedDialogs& d) { WithDetails("form5", d); });
const kelvo::SceneRegistrar kForm3aDetails("form3adetails",
                                           [](kelvo::ScriptedDialogs& d) { WithDetails("form3a", d); });

}  // namespace
