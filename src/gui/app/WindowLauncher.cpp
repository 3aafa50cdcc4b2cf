#include "gui/app/WindowLauncher.h"

#include "gui/anova/FormAnova.h"
#include "gui/estimation/Form3.h"
#include "gui/estimation/Form3a.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form4.h"
#include "gui/hypothesis/Form5.h"
#include "gui/hypothesis/Form7.h"
#include "gui/hypothesis/Form8.h"
#include "gui/regression/FormRegression.h"

namespace kelvo {

AnalysisWindow* CreateAnalysisWindow(WindowClass windowClass) {
  switch (windowClass) {
    case WindowClass::Form9: return new Form9;
    case WindowClass::Form3: return new Form3;
    case WindowClass::Form3a: return new Form3a;
    case WindowClass::Form4: return new Form4;
    case WindowClass::Form8: return new Form8;
    case WindowClass::Form5: return new Form5;
    case WindowClass::Form7: return new Form7;
    case WindowClass::FormAnova: return new FormAnova;
    case WindowClass::FormRegression: return new FormRegression;
  }
  return nullptr;
}

AnalysisWindow* OpenAnalysisWindow(WindowClass windowClass, const QString& caption, int mode) {
  AnalysisWindow* window = CreateAnalysisWindow(windowClass);
  if (!caption.isEmpty()) window->setWindowTitle(caption);
  if (mode > 0) window->setTag(QString::number(mode));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void CloseAllAnalysisWindows() {
  for (AnalysisWindow* window : AnalysisWindow::openWindows()) delete window;
}

}  // namespace kelvo
