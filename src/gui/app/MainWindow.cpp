#include "gui/app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QPainter>

#include "core/settings/EnvSettings.h"
#include "core/layout/ScaleLayout.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/common/Icons.h"
#include "gui/app/MenuTable.h"
#include "gui/app/WindowLauncher.h"
#include "gui/exercise/ProblemSetDialog.h"
#include "gui/tools/ToolWindows.h"

namespace kelvo {
namespace {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 520;
constexpr int kTitleFontNormal = 40;
constexpr int kTitleFontMaximised = 80;

}  // namespace

void TitlePictureWidget::paintEvent(QPaintEvent*) {
  // Drawn at the widget's size on every paint: sharp at any size, and no picture of its own
  // to allocate at start-up.
  QPainter painter(this);
  DrawTitlePicture(painter, width(), height());
}

Form1::Form1() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Kelvo"));
  setupSurface();
  setupMenus();
  InstallTableLinkHandler(this);
  resize(kDesignWidth, kDesignHeight + menuBar()->sizeHint().height());
  // The width the layout scales from. The settings of a new run start at their defaults in
  // the context's program state; opening a main window does not reset them.
  m_referenceWidth = static_cast<long long>(width()) * kTwipsPerPixel;
}

void Form1::setupSurface() {
  m_surface = new QWidget(this);
  m_surface->setObjectName(QStringLiteral("surface"));
  setCentralWidget(m_surface);

  m_picture = new TitlePictureWidget(m_surface);
  m_picture->setObjectName(QStringLiteral("Image1"));
  PlaceControl(m_picture, 0, 0, kDesignWidth * kTwipsPerPixel, kDesignHeight * kTwipsPerPixel);

  m_panel = new QWidget(m_surface);
  m_panel->setObjectName(QStringLiteral("Picture1"));
  m_panel->setAttribute(Qt::WA_TranslucentBackground);
  PlaceControl(m_panel, 2250, 450, 7500, 2100);

  m_title = new QLabel(QStringLiteral("Kelvo"), m_panel);
  m_title->setObjectName(QStringLiteral("Label1"));
  m_title->setAlignment(Qt::AlignCenter);
  m_title->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  PlaceControl(m_title, 0, 0, 7500, 2100);
  applyTitleFont();

  // The bitmaps of the analysis windows' copy, paste and delete items.
  const std::pair<const char*, IconKind> bitmaps[] = {
      {"Picture6", IconKind::Copy}, {"Picture7", IconKind::Paste}, {"Picture10", IconKind::Delete}};
  for (const auto& [name, kind] : bitmaps) {
    auto* holder = new QLabel(m_surface);
    holder->setObjectName(QString::fromLatin1(name));
    holder->setPixmap(IconPixmap(kind));
    PlaceControl(holder, 0, 0, 240, 240);
    holder->hide();
  }
}

void Form1::setupMenus() {
  QMap<QString, QMenu*> menus;
  for (const MenuItemSpec& item : MainMenuTable()) {
    const QString name = QString::fromLatin1(item.name);
    const QString caption = QString::fromUtf8(item.caption);
    QMenu* within = menus.value(QString::fromLatin1(item.within));
    if (item.command == MenuCommand::Submenu) {
      QMenu* menu = within ? within->addMenu(caption) : menuBar()->addMenu(caption);
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
      menus.insert(name, menu);
      continue;
    }
    if (!within) continue;  // every command of the table lies in a menu
    if (item.command == MenuCommand::Separator) {
      within->addSeparator()->setObjectName(name);
      continue;
    }
    QAction* action = within->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, &item] { runCommand(item); });
  }
}

void Form1::runCommand(const MenuItemSpec& item) {
  switch (item.command) {
    case MenuCommand::OpenWindow:
      OpenAnalysisWindow(item.windowClass, QString::fromUtf8(item.captionSet), item.mode);
      break;
    case MenuCommand::SampleLimit: askSampleLimit(); break;
    case MenuCommand::DataWidth: askDataWidth(); break;
    case MenuCommand::Help: ShowProgramHelp(this); break;
    case MenuCommand::ProbabilityCalculator: ShowProbabilityCalculator(); break;
    case MenuCommand::StatisticalTables: ShowStatisticalTables(); break;
    case MenuCommand::Exercise: ShowExerciseWindow(); break;
    case MenuCommand::ProblemSet: ShowProblemSetDialog(this); break;
    case MenuCommand::Submenu:
    case MenuCommand::Separator: break;
  }
}

// Cancel keeps the setting in force; any answer given, an empty one too, sets it.
void Form1::askSampleLimit() {
  const std::optional<QString> answer = Dialogs().askTextOrCancel(
      this, QStringLiteral("样本量输入上限"), QStringLiteral("环境设定"), QString());
  if (answer) App().program.settings.sampleLimit = SampleLimitFromAnswer(answer->toStdString());
}

void Form1::askDataWidth() {
  const std::optional<QString> answer = Dialogs().askTextOrCancel(
      this, QStringLiteral("样本数据宽度"), QStringLiteral("环境设定"), QString());
  if (answer) App().program.settings.dataWidth = DataWidthFromAnswer(answer->toStdString());
}

void Form1::applyTitleFont() {
  if (isMinimized()) return;
  QFont font = m_title->font();
  font.setPointSize(isMaximized() ? kTitleFontMaximised : kTitleFontNormal);
  m_title->setFont(font);
}

void Form1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  m_panel->hide();
  m_referenceWidth = ScaleWindowControls(m_surface, width(), m_referenceWidth);
  m_panel->show();
  m_title->show();
  applyTitleFont();
}

void Form1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) applyTitleFont();
}

void Form1::closeEvent(QCloseEvent* event) {
  // Each analysis window with unsaved data asks in turn whether to save it; 取消 (or a save
  // that does not happen) keeps the program running with every window.
  for (AnalysisWindow* window : AnalysisWindow::openWindows())
    if (!window->confirmClose()) {
      event->ignore();
      return;
    }
  // Then the program ends: the analysis windows go without running handlers of theirs.
  CloseAllAnalysisWindows();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace kelvo
