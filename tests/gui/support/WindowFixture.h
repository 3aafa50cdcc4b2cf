#pragma once
// What the window tests share: scripted dialogs, a main window, opening a task window with
// a mode, filling cells, choosing an input mode, pressing a button, reading labels.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <source_location>

#include "core/sample/CellStore.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/app/MenuTable.h"

class QLabel;

namespace kelvo {

class AnalysisWindow;
class Form1;

class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  ScriptedDialogs dialogs;
  Form1* mainWindow() const { return m_main.get(); }

  // Opens a window as its menu command does and makes it the active window.
  template <class Window>
  Window* open(WindowClass windowClass, const QString& caption, int mode) {
    return static_cast<Window*>(openWindow(windowClass, caption, mode));
  }
  AnalysisWindow* openWindow(WindowClass windowClass, const QString& caption, int mode);
  // Makes `widget`'s window the program's active window.
  static void activate(QWidget* widget);

  // Writes texts into row `row` from column `firstColumn` on, as a paste would.
  static void fill(AnalysisWindow* window, int row, const QStringList& texts, int firstColumn = 1);
  static QString cell(AnalysisWindow* window, int row, int col);
  // The helpers below find controls by name. A control that is not there fails the running
  // test with a message naming it, reported at the caller's line, and the helper returns
  // without touching anything (an empty text from `label`).
  static void chooseInputMode(AnalysisWindow* window, InputMode mode,
                              std::source_location where = std::source_location::current());
  static void click(AnalysisWindow* window, const QString& buttonName,
                    std::source_location where = std::source_location::current());
  static void clickLabel(AnalysisWindow* window, const QString& labelName,
                         std::source_location where = std::source_location::current());
  static void toolbar(AnalysisWindow* window, const QString& buttonName,
                      std::source_location where = std::source_location::current());
  static QString label(AnalysisWindow* window, const QString& labelName,
                       std::source_location where = std::source_location::current());
  // The control of type `Control` named `name` in `window`, or null after failing the test.
  template <class Control>
  static Control* control(QWidget* window, const QString& name,
                          std::source_location where = std::source_location::current()) {
    Control* found = window ? window->findChild<Control*>(name) : nullptr;
    if (!found) failMissing(window, Control::staticMetaObject.className(), name, where);
    return found;
  }
  // Selects the block from (top, left) to (bottom, right) with (currentRow, currentCol) as the
  // current cell, as a drag from that corner leaves it.
  static void selectBlock(AnalysisWindow* window, int currentRow, int currentCol, int top, int left,
                          int bottom, int right);
  // Picks item `position` of the drop-down list `listName`, as a click on the item does.
  static void chooseItem(AnalysisWindow* window, const QString& listName, int position,
                         std::source_location where = std::source_location::current());
  // Replaces the text of box `boxName` and leaves the box as a Tab would, running its checks.
  static void typeAndLeave(AnalysisWindow* window, const QString& boxName, const QString& text,
                           std::source_location where = std::source_location::current());
  // Clicks grid cell (row, col) as the user would.
  static void clickCell(AnalysisWindow* window, int row, int col);

  QStringList messageTexts() const;

 private:
  static void failMissing(QWidget* window, const char* kind, const QString& name,
                          const std::source_location& where);

  // Every test runs in a context of its own, as a new run of the program with the built table
  // database and the scripted dialogs.
  AppContext m_context;
  std::unique_ptr<Form1> m_main;
};

// A dialog service that, like a real dialog, takes the activation away while it asks.
class ActivationStealingDialogs : public ScriptedDialogs {
 public:
  std::optional<QString> askTextOrCancel(QWidget* parent, const QString& prompt,
                                         const QString& title, const QString& defaultText) override;
};

}  // namespace kelvo
