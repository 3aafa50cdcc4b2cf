#include "gui/support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include "core/settings/EnvSettings.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowLauncher.h"

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
  m_context.dialogs = &dialogs;
  m_context.tables.open(KELVO_TABLES_DB);
  m_main = std::make_unique<Form1>();
  m_main->show();
}

WindowFixture::~WindowFixture() {
  CloseAllAnalysisWindows();
  m_main.reset();
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

void WindowFixture::chooseInputMode(AnalysisWindow* window, InputMode mode,
                                    std::source_location where) {
  const QString name = mode == InputMode::One ? QStringLiteral("Option1") : QStringLiteral("Option2");
  // On the round button: a short caption leaves the option's middle outside its text.
  if (auto* option = control<QRadioButton>(window, name, where))
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(8, option->height() / 2));
}

void WindowFixture::click(AnalysisWindow* window, const QString& buttonName,
                          std::source_location where) {
  if (auto* button = control<QPushButton>(window, buttonName, where))
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::clickLabel(AnalysisWindow* window, const QString& labelName,
                               std::source_location where) {
  if (auto* target = control<QLabel>(window, labelName, where))
    QTest::mouseClick(target, Qt::LeftButton);
}

void WindowFixture::toolbar(AnalysisWindow* window, const QString& buttonName,
                            std::source_location where) {
  auto* bar = control<QToolBar>(window, QStringLiteral("Toolbar1"), where);
  if (!bar) return;
  for (QAction* action : bar->actions())
    if (action->objectName() == buttonName) {
      action->trigger();
      return;
    }
  failMissing(bar, "toolbar button", buttonName, where);
}

QString WindowFixture::label(AnalysisWindow* window, const QString& labelName,
                             std::source_location where) {
  auto* found = control<QLabel>(window, labelName, where);
  return found ? found->text() : QString();
}

void WindowFixture::failMissing(QWidget* window, const char* kind, const QString& name,
                                const std::source_location& where) {
  QString in = QStringLiteral("a null window");
  if (window) {
    const QWidget* top = window->window();
    in = QStringLiteral("%1 \"%2\"").arg(QLatin1String(top->metaObject()->className()),
                                          top->windowTitle());
  }
  const QString message =
      QStringLiteral("no %1 named \"%2\" in %3").arg(QLatin1String(kind), name, in);
  QTest::qFail(qUtf8Printable(message), where.file_name(), static_cast<int>(where.line()));
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

void WindowFixture::chooseItem(AnalysisWindow* window, const QString& listName, int position,
                               std::source_location where) {
  auto* list = control<QComboBox>(window, listName, where);
  if (!list) return;
  list->setCurrentIndex(position);
  emit list->activated(position);
}

void WindowFixture::typeAndLeave(AnalysisWindow* window, const QString& boxName, const QString& text,
                                 std::source_location where) {
  auto* box = control<ValidatedBox>(window, boxName, where);
  if (!box) return;
  box->setText(text);
  box->validate();
}

QStringList WindowFixture::messageTexts() const {
  QStringList texts;
  for (const ShownMessage& m : dialogs.messages) texts << m.text;
  return texts;
}

std::optional<QString> ActivationStealingDialogs::askTextOrCancel(QWidget* parent,
                                                                 const QString& prompt,
                                                                 const QString& title,
                                                                 const QString& defaultText) {
  OpenGuard guard(*this);
  QWidget stand;
  stand.show();
  WindowFixture::activate(&stand);
  return ScriptedDialogs::askTextOrCancel(parent, prompt, title, defaultText);
}

}  // namespace kelvo
