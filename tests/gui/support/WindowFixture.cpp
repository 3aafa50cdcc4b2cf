#include "gui/support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include "core/shell/EnvSettings.h"
#include "gui/sample/AnalysisWindow.h"
#include "gui/sample/SampleGrid.h"
#include "gui/sample/ValidatedBox.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowLauncher.h"

namespace kelvo {
namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform warns about every window feature it lacks; nothing else is dropped.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
    return;
  if (g_previousHandler) g_previousHandler(type, context, text);
}

}  // namespace

WindowFixture::WindowFixture() {
  static const bool installed = [] {
    g_previousHandler = qInstallMessageHandler(QuietOffscreenWarnings);
    return true;
  }();
  (void)installed;
  m_main = std::make_unique<Form1>();
  m_main->show();
}

WindowFixture::~WindowFixture() {
  CloseAllAnalysisWindows();
  m_main.reset();
}

ProgramState WindowFixture::FreshState() {
  ProgramState state;
  state.tableStorePath = Program().tableStorePath;
  return state;
}

AnalysisWindow* WindowFixture::openWindow(WindowClass windowClass, const QString& caption,
                                          int mode) {
  AnalysisWindow* window = OpenAnalysisWindow(windowClass, caption, mode);
  activate(window);
  return window;
}

void WindowFixture::activate(QWidget* widget) {
  // Let the platform's own activation of newly shown windows arrive first.
  QCoreApplication::processEvents();
  QApplication::setActiveWindow(widget->window());
  QCoreApplication::processEvents();
}

void WindowFixture::fill(AnalysisWindow* window, int row, const QStringList& texts,
                         int firstColumn) {
  SampleGridModel* model = window->grid()->gridModel();
  for (int i = 0; i < texts.size(); ++i)
    model->setData(model->index(row, firstColumn + i), texts[i]);
}

QString WindowFixture::cell(AnalysisWindow* window, int row, int col) {
  return window->grid()->gridModel()->index(row, col).data().toString();
}

void WindowFixture::chooseInputMode(AnalysisWindow* window, InputMode mode) {
  auto* option = window->findChild<QRadioButton*>(
      mode == InputMode::One ? QStringLiteral("Option1") : QStringLiteral("Option2"));
  QTest::mouseClick(option, Qt::LeftButton);
}

void WindowFixture::click(AnalysisWindow* window, const QString& buttonName) {
  QTest::mouseClick(window->findChild<QPushButton*>(buttonName), Qt::LeftButton);
}

void WindowFixture::clickLabel(AnalysisWindow* window, const QString& labelName) {
  QTest::mouseClick(window->findChild<QLabel*>(labelName), Qt::LeftButton);
}

void WindowFixture::toolbar(AnalysisWindow* window, const QString& buttonName) {
  auto* bar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  for (QAction* action : bar->actions())
    if (action->objectName() == buttonName) {
      action->trigger();
      return;
    }
  qFatal("no toolbar button %s", qUtf8Printable(buttonName));
}

QString WindowFixture::label(AnalysisWindow* window, const QString& labelName) {
  return window->findChild<QLabel*>(labelName)->text();
}

void WindowFixture::selectBlock(AnalysisWindow* window, int currentRow, int currentCol, int top,
                                int left, int bottom, int right) {
  SampleGridView* grid = window->grid();
  SampleGridModel* model = grid->gridModel();
  grid->setCurrentIndex(model->index(currentRow, currentCol));
  grid->selectionModel()->select(QItemSelection(model->index(top, left), model->index(bottom, right)),
                                 QItemSelectionModel::ClearAndSelect);
}

void WindowFixture::clickCell(AnalysisWindow* window, int row, int col) {
  SampleGridView* grid = window->grid();
  const QModelIndex index = grid->gridModel()->index(row, col);
  grid->scrollTo(index);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->visualRect(index).center());
}

void WindowFixture::chooseItem(AnalysisWindow* window, const QString& listName, int position) {
  auto* list = window->findChild<QComboBox*>(listName);
  QVERIFY2(list, qPrintable(QStringLiteral("no list ") + listName));
  list->setCurrentIndex(position);
  emit list->activated(position);
}

void WindowFixture::typeAndLeave(AnalysisWindow* window, const QString& boxName, const QString& text) {
  auto* box = window->findChild<ValidatedBox*>(boxName);
  QVERIFY2(box, qPrintable(QStringLiteral("no box ") + boxName));
  box->setText(text);
  box->validate();
}

QStringList WindowFixture::messageTexts() const {
  QStringList texts;
  for (const ShownMessage& m : dialogs.messages) texts << m.text;
  return texts;
}

}  // namespace kelvo
