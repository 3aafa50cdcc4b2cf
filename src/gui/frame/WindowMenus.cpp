// The frame's menus and bars: the edit menu (copy, paste, delete), the file menu, the view
// menu with the worked-solution pane, help, the toolbar of the same commands with the
// precision step, and the status bar's line.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/common/Icons.h"

namespace kelvo {

void AnalysisWindow::setupMenus() {
  m_editMenu = menuBar()->addMenu(QStringLiteral("编辑(&E)  "));
  m_editMenu->setObjectName(QStringLiteral("menuquick"));
  auto addItem = [this](const char* name, const QString& caption, void (AnalysisWindow::*slot)(),
                        QKeySequence::StandardKey key) {
    QAction* action = m_editMenu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
  };
  auto addSeparator = [this](const char* name) {
    m_editMenu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };
  // In the cell editor these keys edit its text instead: the editor claims them first.
  addItem("menucopy", QStringLiteral("复制"), &AnalysisWindow::copyBlock, QKeySequence::Copy);
  addSeparator("menusp1");
  addItem("menupaste", QStringLiteral("粘贴"), &AnalysisWindow::pasteBlock, QKeySequence::Paste);
  addSeparator("menusp2");
  addItem("menudelete", QStringLiteral("删除"), &AnalysisWindow::deleteBlock, QKeySequence::Delete);
  // The edit menu keeps the first place; the file menu follows it.
  setupFileMenu();

  QAction* help = menuBar()->addAction(QStringLiteral("帮助(&H)"));
  help->setObjectName(QStringLiteral("menuhelp"));
  connect(help, &QAction::triggered, this, &AnalysisWindow::showHelp);
}

void AnalysisWindow::setupFileMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  menu->setObjectName(QStringLiteral("menufile"));
  auto addItem = [this, menu](const char* name, const QString& caption,
                              const std::function<void()>& run) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, run);
    return action;
  };
  addItem("menuimport", QStringLiteral("导入数据…"), [this] { importData(); });
  addItem("menuopen", QStringLiteral("打开数据…"), [this] { openData(); })
      ->setShortcut(QKeySequence::Open);
  addItem("menusave", QStringLiteral("保存数据…"), [this] { saveData(); })
      ->setShortcut(QKeySequence::Save);
  menu->addSeparator();
  addItem("menureport", QStringLiteral("导出报告…"), [this] { exportReport(); });
  addItem("menuprint", QStringLiteral("打印…"), [this] { printReport(); })
      ->setShortcut(QKeySequence::Print);
}

void AnalysisWindow::setupToolbar() {
  m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
  m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
  m_toolbar->setMovable(false);
  m_toolbar->setIconSize(QSize(20, 20));
  struct Button {
    IconKind icon;
    const char16_t* name;
    std::function<void()> run;
  };
  const Button buttons[] = {
      {IconKind::Copy, u"复制", [this] { copyBlock(); }},
      {IconKind::Paste, u"粘贴", [this] { pasteBlock(); }},
      {IconKind::Delete, u"删除", [this] { deleteBlock(); }},
      {IconKind::Enlarge, u"放大", [this] { setPrecisionStep(1); }},
      {IconKind::Reduce, u"缩小", [this] { setPrecisionStep(-1); }},
      {IconKind::Help, u"帮助", [this] { showHelp(); }},
  };
  for (const Button& b : buttons) {
    const QString name = QString::fromUtf16(b.name);
    QAction* action = m_toolbar->addAction(ProgramIcon(b.icon), name);
    action->setObjectName(name);
    action->setToolTip(name);
    connect(action, &QAction::triggered, this, b.run);
  }
}

void AnalysisWindow::setupStatusLine() {
  m_statusLine = new StatusLineLabel(statusBar());
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusBar()->addWidget(m_statusLine, 1);
}

void AnalysisWindow::setupDetails() {
  m_details = new DetailsPane(this);
  m_details->setMinimumWidth(380);
  addDockWidget(Qt::RightDockWidgetArea, m_details);
  m_details->hide();

  m_detailsAction = new QAction(ProgramIcon(IconKind::Help), QStringLiteral("详细过程"), this);
  m_detailsAction->setObjectName(QStringLiteral("menudetails"));
  m_detailsAction->setCheckable(true);
  m_detailsAction->setToolTip(QStringLiteral("详细过程"));
  // The view menu stands before help, which stays last.
  auto* view = new QMenu(QStringLiteral("显示(&V)"), menuBar());
  view->setObjectName(QStringLiteral("menuview"));
  menuBar()->insertMenu(findChild<QAction*>(QStringLiteral("menuhelp")), view);
  view->addAction(m_detailsAction);
  QToolBar* bar = addToolBar(QStringLiteral("DetailsBar"));
  bar->setObjectName(QStringLiteral("DetailsBar"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addAction(m_detailsAction);
  connect(m_detailsAction, &QAction::toggled, this, &AnalysisWindow::setDetailsVisible);
  // Closing the pane by its own button counts as hiding it.
  connect(m_details, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (!visible && !isMinimized() && isVisible()) setDetailsVisible(false);
  });
}

void AnalysisWindow::attachEditMenuBitmaps() {
  // The main window holds the three bitmaps; without one (a window on its own in a test)
  // the same pictures are drawn here.
  const char* holders[] = {"Picture6", "Picture7", "Picture10"};
  const IconKind kinds[] = {IconKind::Copy, IconKind::Paste, IconKind::Delete};
  QWidget* mainWindow = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("Form1")) mainWindow = w;
  for (int i = 0; i < 3; ++i) {
    QPixmap bitmap;
    if (mainWindow)
      if (auto* holder = mainWindow->findChild<QLabel*>(QString::fromLatin1(holders[i])))
        bitmap = holder->pixmap();
    if (bitmap.isNull()) bitmap = IconPixmap(kinds[i]);
    if (QAction* item = editMenuAction(i * 2)) item->setIcon(QIcon(bitmap));
  }
}

QAction* AnalysisWindow::editMenuAction(int position) const {
  const QList<QAction*> actions = m_editMenu->actions();
  return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

}  // namespace kelvo
