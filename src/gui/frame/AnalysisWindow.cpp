#include "gui/frame/AnalysisWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "core/sample/GridBuffer.h"
#include "core/settings/EnvSettings.h"
#include "core/text/Errors.h"
#include "core/layout/ScaleLayout.h"
#include "core/text/TextNumber.h"
#include "core/documents/WorkedSolution.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/InputSource.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/common/Icons.h"

namespace kelvo {
namespace {

QList<AnalysisWindow*>& Registry() { return App().windows; }

// Whether the worked-solution pane is shown, by window class, for the run.
QHash<QString, bool>& DetailsShown() { return App().detailsShown; }

constexpr int kDefaultRowHeightTwips = 240;
constexpr int kGridHeightStepTwips = 50;
constexpr int kPanelMarginTwips = 30;
constexpr char kChangeNoteProperty[] = "kelvoChangeNote";

QString InternalErrorText() {
  return QStringLiteral("计算出错：程序内部错误，请报告此问题。");
}

}  // namespace

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
  QGroupBox::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

AnalysisWindow::AnalysisWindow(const FrameOptions& options)
    : QMainWindow(nullptr), m_options(options), m_referenceWidth(options.referenceWidth) {
  setAttribute(Qt::WA_DeleteOnClose);
  Registry().append(this);
  setupMenus();
  setupToolbar();
  setupStatusLine();
  setupFrame();
  setupDetails();
  connectSignals();
  attachEditMenuBitmaps();
}

AnalysisWindow::~AnalysisWindow() {
  Registry().removeAll(this);
  // The window's own parts are gone already; the focus leaving a box must not run its checks.
  for (ValidatedBox* box : findChildren<ValidatedBox*>()) box->suspendChecks();
  // Each grid destroys its view before its cell store; the rest of the surface goes after.
  qDeleteAll(m_grids);
  m_grids.clear();
  delete takeCentralWidget();
}

QList<AnalysisWindow*> AnalysisWindow::openWindows() { return Registry(); }

void AnalysisWindow::setTag(const QString& tag) {
  m_tag = tag;
  setProperty("Tag", tag);
}

int AnalysisWindow::analysisMode() const {
  return static_cast<int>(RoundHalfEven(LeadingValue(m_tag.toStdString())));
}

void AnalysisWindow::setupFileMenu() {
  m_fileMenu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  m_fileMenu->setObjectName(QStringLiteral("menufile"));
  auto addItem = [this](const char* name, const QString& caption, void (AnalysisWindow::*slot)()) {
    QAction* action = m_fileMenu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  addItem("menuimport", QStringLiteral("导入数据…"), &AnalysisWindow::importData);
  addItem("menuopen", QStringLiteral("打开数据…"), &AnalysisWindow::openData)
      ->setShortcut(QKeySequence::Open);
  QAction* save = m_fileMenu->addAction(QStringLiteral("保存数据…"));
  save->setObjectName(QStringLiteral("menusave"));
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { saveData(); });
  m_fileMenu->addSeparator();
  addItem("menureport", QStringLiteral("导出报告…"), &AnalysisWindow::exportReport);
  addItem("menuprint", QStringLiteral("打印…"), &AnalysisWindow::printReport)
      ->setShortcut(QKeySequence::Print);
}

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

void AnalysisWindow::setupFrame() {
  m_surface = new QWidget;
  m_surface->setObjectName(QStringLiteral("surface"));
  m_surface->installEventFilter(this);
  // The controls keep at least their design size: a smaller window scrolls.
  setCentralWidget(new SurfaceView(
      m_surface, QSize(m_options.designWidth, m_options.designHeight), this));
  const int toolbarHeight = m_toolbar->sizeHint().height();
  const int menuHeight = menuBar()->sizeHint().height();
  // The status bar adds its height: the surface keeps the size the controls are laid out in.
  const int statusHeight = statusBar()->sizeHint().height();
  resize(m_options.designWidth, m_options.designHeight + toolbarHeight + menuHeight + statusHeight);

  m_dataPanel = new ClickablePanel(QStringLiteral("数据录入"), m_surface);
  m_dataPanel->setObjectName(m_options.dataPanelName);
  PlaceControl(m_dataPanel, 120, 120, 11760, 2040);

  // The sample limit in force now sizes the grid for the window's whole life.
  SampleGrid* grid = addGrid(QStringLiteral("MSFlexGrid1"), QStringLiteral("Text1"), m_dataPanel,
                             3, App().program.settings.sampleLimit);
  PlaceControl(grid->view(), 120, 330, 11520, 1500);
  CellStore& store = grid->cells();
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  store.setText(1, 0, m_options.rowOneHeading.toStdString());
  grid->cellsReset();

  m_modePanel = new QGroupBox(QStringLiteral("输入方式"), m_surface);
  m_modePanel->setObjectName(m_options.modePanelName);
  PlaceControl(m_modePanel, 120, 2190, 2700, 1650);
  m_option1 = new QRadioButton(QStringLiteral("输入方式一"), m_modePanel);
  m_option1->setObjectName(QStringLiteral("Option1"));
  m_option1->setChecked(true);
  PlaceControl(m_option1, 240, 420, 2250, 360);
  m_option2 = new QRadioButton(QStringLiteral("输入方式二"), m_modePanel);
  m_option2->setObjectName(QStringLiteral("Option2"));
  PlaceControl(m_option2, 240, 960, 2250, 360);
  for (QRadioButton* option : {m_option1, m_option2}) {
    option->setMouseTracking(true);
    option->installEventFilter(this);
  }

  m_compute = new QPushButton(QStringLiteral("开始计算"), m_surface);
  m_compute->setObjectName(QStringLiteral("Command1"));
  PlaceControl(m_compute, 120, 4050, 2700, 600);
}

void AnalysisWindow::setupStatusLine() {
  m_statusLine = new QLabel(statusBar());
  m_statusLine->setObjectName(QStringLiteral("StatusLine"));
  // The numbers can be selected and copied into the student's own notes.
  m_statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_statusLine->setContentsMargins(4, 0, 4, 0);
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusBar()->addWidget(m_statusLine, 1);
}

void AnalysisWindow::showStatusLine(const std::string& line) {
  m_statusText = QString::fromStdString(line);
  updateStatusLine();
}

void AnalysisWindow::updateStatusLine() {
  const bool stale = m_stale && !m_statusText.isEmpty();
  m_statusLine->setText(stale ? QStringLiteral("（已过时）") + m_statusText : m_statusText);
  // Should a large font cut the line at the window's edge, it can still be read whole.
  m_statusLine->setToolTip(m_statusLine->text());
  QPalette p = m_statusLine->palette();
  p.setColor(QPalette::WindowText, stale ? QColor(150, 150, 150) : QColor(0, 0, 0));
  m_statusLine->setPalette(p);
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

void AnalysisWindow::setDetailsVisible(bool visible) {
  if (!m_details) return;
  if (m_details->isVisible() != visible) {
    m_details->setVisible(visible);
    if (visible) makeRoomForDetails();
  }
  if (m_detailsAction->isChecked() != visible) m_detailsAction->setChecked(visible);
  if (!objectName().isEmpty()) DetailsShown()[objectName()] = visible;
}

void AnalysisWindow::makeRoomForDetails() {
  // The pane docks beside the surface. The window widens as far as the surface needs to keep
  // its design width, within the screen; what the screen cannot hold, the surface scrolls.
  // Hiding the pane leaves the window as it is: the surface takes the room back.
  if ((windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || !layout()) return;
  layout()->activate();
  const int missing = m_options.designWidth - centralWidget()->width();
  if (missing <= 0) return;
  const int frameWidth = frameGeometry().width() - width();
  int wanted = width() + missing;
  QRect room(QPoint(x(), y()), QSize(wanted + frameWidth, height()));
  if (const QScreen* shown = screen()) room = shown->availableGeometry();
  wanted = std::min(wanted, room.width() - frameWidth);
  if (wanted <= width()) return;
  // Widened to the right, or moved left as far as the screen's edge needs.
  const int overhang = x() + wanted + frameWidth - (room.x() + room.width());
  if (overhang > 0) move(std::max(room.x(), x() - overhang), y());
  resize(wanted, height());
}

void AnalysisWindow::showSolution(WorkedSolution solution) {
  m_solved = true;
  m_details->setSolution(std::move(solution));
  setResultsGreyed(false);
  watchInputs();
}

void AnalysisWindow::markResultsStale(const QString& why) {
  if (!m_solved) return;  // nothing on screen belongs to an earlier computation
  if (!m_staleReasons.contains(why)) m_staleReasons << why;
  m_details->setStaleNote(QStringLiteral("以下结果不再对应当前输入（") +
                          m_staleReasons.join(QStringLiteral("，")) +
                          QStringLiteral("），请重新计算。"));
  setResultsGreyed(true);
}

void AnalysisWindow::setChangeNote(QWidget* input, const QString& note) {
  input->setProperty(kChangeNoteProperty, note);
}

void AnalysisWindow::inputChanged(const QObject* input, const QString& defaultNote) {
  if (m_ownChanges > 0) return;
  const QString note = input->property(kChangeNoteProperty).toString();
  markResultsStale(note.isEmpty() ? defaultNote : note);
}

void AnalysisWindow::watchInputs() {
  if (m_watchingInputs) return;
  m_watchingInputs = true;
  QList<const QWidget*> gridEditors;
  for (const SampleGrid* g : m_grids) gridEditors << g->editor();
  for (QLineEdit* box : m_surface->findChildren<QLineEdit*>()) {
    if (gridEditors.contains(box) || InputSource::claimed(box) ||
        qobject_cast<QComboBox*>(box->parentWidget()))
      continue;
    connect(box, &QLineEdit::textChanged, this,
            [this, box] { inputChanged(box, QStringLiteral("参数已修改")); });
  }
  for (QComboBox* list : m_surface->findChildren<QComboBox*>()) {
    if (InputSource::claimed(list)) continue;
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, list] { inputChanged(list, QStringLiteral("选项已修改")); });
  }
  // The options of the input modes set the mode, which marks the results itself.
  for (QAbstractButton* option : m_surface->findChildren<QAbstractButton*>()) {
    if (!option->isCheckable() || option == m_option1 || option == m_option2 ||
        option == modeOption(3) || InputSource::claimed(option))
      continue;
    const QString note = m_modePanel->isAncestorOf(option) ? QStringLiteral("输入方式已改变")
                                                           : QStringLiteral("选项已修改");
    connect(option, &QAbstractButton::toggled, this, [this, option, note](bool on) {
      if (on) inputChanged(option, note);
    });
  }
  for (InputSource* source : findChildren<InputSource*>())
    connect(source, &InputSource::changed, this, [this](const QString& why) {
      if (m_ownChanges == 0) markResultsStale(why);
    });
}

void AnalysisWindow::setResultsGreyed(bool greyed) {
  m_stale = greyed;
  if (!greyed) m_staleReasons.clear();
  QList<QLabel*> labels;
  for (ValueLabel* l : findChildren<ValueLabel*>()) labels << l;
  for (ConclusionLabel* l : findChildren<ConclusionLabel*>()) labels << l;
  for (QLabel* label : labels) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, greyed ? QColor(150, 150, 150) : QColor(0, 0, 0));
    label->setPalette(p);
  }
  updateStatusLine();
}

void AnalysisWindow::connectSignals() {
  connect(m_option1, &QRadioButton::clicked, this, [this] { chooseInputModeAsUser(1); });
  connect(m_option2, &QRadioButton::clicked, this, [this] { chooseInputModeAsUser(2); });
  connect(m_dataPanel, &ClickablePanel::clicked, this, &AnalysisWindow::stepGridHeight);
  connect(m_compute, &QPushButton::clicked, this, &AnalysisWindow::computeClicked);
}

SampleGrid* AnalysisWindow::addGrid(const QString& gridName, const QString& editorName,
                                    QWidget* container, int rows, int cols) {
  SampleGrid::Options options;
  options.gridName = gridName;
  options.editorName = editorName;
  options.rows = rows;
  options.cols = cols;
  options.columnWidthTwips = App().program.settings.dataWidth * 100;
  options.rowHeightTwips = kDefaultRowHeightTwips * 3 / 2;
  options.reopenEditorOnKey = m_options.reopenEditorOnKey;
  auto* grid = new SampleGrid(options, container, nullptr);
  adoptGrid(grid);
  return grid;
}

void AnalysisWindow::adoptGrid(SampleGrid* grid) {
  m_grids.append(grid);
  if (!m_activeGrid) m_activeGrid = grid;
  connect(grid, &SampleGrid::focused, this, [this](SampleGrid* g) { m_activeGrid = g; });
  connect(grid->model(), &QAbstractItemModel::dataChanged, this,
          [this] { if (m_ownChanges == 0) markResultsStale(QStringLiteral("数据已修改")); });
}

CellStore& AnalysisWindow::cells() { return sampleGrid()->cells(); }
SampleGridView* AnalysisWindow::grid() const { return sampleGrid()->view(); }
QLineEdit* AnalysisWindow::editor() const { return sampleGrid()->editor(); }
bool AnalysisWindow::editorArmed() const { return sampleGrid()->editorArmed(); }

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

ValueLabel* AnalysisWindow::addDecoratedLabel(QWidget* parent, const QString& name,
                                              const QString& prefix, const QString& suffix,
                                              int left, int top, int width, int height) {
  ValueLabel* label = addValueLabel(parent, name, left, top, width, height);
  label->setDecorations(prefix, suffix);
  return label;
}

ValueLabel* AnalysisWindow::addValueLabel(QWidget* parent, const QString& name, int left, int top,
                                          int width, int height) {
  auto* label = new ValueLabel(parent);
  label->setObjectName(name);
  PlaceControl(label, left, top, width, height);
  connect(label, &ValueLabel::clicked, this, [this, label] { reformatLabel(label); });
  return label;
}

QLabel* AnalysisWindow::addLabel(QWidget* parent, const QString& name, const QString& text,
                                 int left, int top, int width, int height) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  PlaceControl(label, left, top, width, height);
  return label;
}

void AnalysisWindow::openCellEditor() { sampleGrid()->openEditor(); }

void AnalysisWindow::reopenCellEditor() { sampleGrid()->reopenEditor(); }

void AnalysisWindow::writeHeadings(InputMode mode) {
  CellStore& store = cells();
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  store.setText(1, 0, m_options.rowOneHeading.toStdString());
  if (mode == InputMode::Two) store.setText(2, 0, m_options.rowTwoHeading.toStdString());
}

void AnalysisWindow::setInputMode(InputMode mode) {
  m_inputMode = mode;
  QRadioButton* option = mode == InputMode::One ? m_option1 : m_option2;
  if (!option->isChecked()) option->setChecked(true);
  {
    // Emptying the grid is part of the change of mode, and is named as that.
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    cells().clear();
    writeHeadings(mode);
    sampleGrid()->cellsReset();
  }
  markResultsStale(QStringLiteral("输入方式已改变"));
}

bool AnalysisWindow::applyInputModeNumber(int number) {
  setInputMode(number == 2 ? InputMode::Two : InputMode::One);
  return true;
}

QRadioButton* AnalysisWindow::modeOption(int number) const {
  return m_modePanel->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
}

void AnalysisWindow::chooseInputModeAsUser(int number) {
  const int current = inputModeNumber();
  // The option already chosen changes nothing, and so clears nothing.
  if (number == current) return;
  // The click has checked the new option already: when the switch does not happen, the old
  // one is checked again, which changes no input.
  auto keepOldOption = [this, current] {
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    if (QRadioButton* old = modeOption(current)) old->setChecked(true);
  };
  if (holdsSampleData() &&
      Dialogs().askChoice(this, QStringLiteral("切换输入方式将清空已输入的数据，是否继续？"),
                          QStringLiteral("输入方式"),
                          {QStringLiteral("是"), QStringLiteral("否")}) != 0) {
    keepOldOption();
    return;
  }
  if (!applyInputModeNumber(number)) {
    keepOldOption();
    return;
  }
  markResultsStale(QStringLiteral("输入方式已改变"));
  emit inputModeSwitched(number);
}

bool AnalysisWindow::hasUnsavedChanges() const {
  if (!m_savedContent) return false;
  // What the user entered counts; the caption and the mode number follow the window's mode,
  // and the input mode of a grid without data loses nothing.
  auto entered = [](DataFileContent content) {
    content.title.clear();
    content.windowMode = 0;
    if (content.rows.empty()) content.inputMode = 0;
    return content;
  };
  return entered(dataFileContent()) != entered(*m_savedContent);
}

bool AnalysisWindow::confirmClose() {
  if (!hasUnsavedChanges()) return true;
  const int answer = Dialogs().askChoice(
      this, QStringLiteral("“%1”中的数据尚未保存，是否保存？").arg(windowTitle()),
      QStringLiteral("关闭窗口"),
      {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")});
  if (answer == 0) return saveData();
  return answer == 1;
}

void AnalysisWindow::stepGridHeight() {
  if (m_precisionStep == 0) return;
  // Between one data row and the bottom of the panel, so neither the rows nor the scroll bar
  // can be lost.
  TwipsRect r = ControlTwips(grid());
  const long long lowest = sampleGrid()->minimumHeightTwips();
  const long long highest = std::max(lowest, ControlTwips(m_dataPanel).height - r.top - kPanelMarginTwips);
  r.height = std::clamp<long long>(r.height + m_precisionStep * kGridHeightStepTwips, lowest, highest);
  SetControlTwips(grid(), r);
  sampleGrid()->followEditor();
}

void AnalysisWindow::copyBlock() { m_activeGrid->copyBlock(); }

void AnalysisWindow::pasteBlock() { m_activeGrid->pasteBlock(); }

void AnalysisWindow::deleteBlock() { m_activeGrid->deleteBlock(); }

void AnalysisWindow::reformatLabel(ValueLabel* label) {
  if (m_precisionStep == 0) return;
  label->reformat(m_precisionStep);
  m_details->redrawChart();  // the chart writes the label's numbers as the label does
}

void AnalysisWindow::showHelp() { ShowProgramHelp(this, helpAnchor()); }

bool AnalysisWindow::hasSampleData() const {
  const CellStore& store = sampleGrid()->cells();
  for (int r = 1; r < store.rows(); ++r)
    for (int c = 1; c < store.cols(); ++c) {
      const QString text = QString::fromStdString(store.text(r, c)).trimmed();
      if (!text.isEmpty() && text != QStringLiteral("×")) return true;
    }
  return false;
}

void AnalysisWindow::computeClicked() {
  m_computeFailed = false;
  // The line belongs to the computation that wrote it: only a new success writes another.
  showStatusLine(std::string());
  {
    // What the computation writes into the window's own inputs comes with its results.
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    runGuarded([this] {
      if (!hasSampleData()) throw InputError("请先输入样本数据");
      compute();
    });
  }
  if (m_computeFailed) {
    m_details->clearSolution();
    m_details->clearChart();
    markResultsStale(QStringLiteral("上次计算未完成"));
  }
}

void AnalysisWindow::runGuarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const UserFacingError& error) {
    m_computeFailed = true;
    ShowDataCheck(this, QString::fromUtf8(error.what()));
  } catch (const std::exception& error) {
    // A fault of the program, not of the input: its text names the program's own parts.
    m_computeFailed = true;
    qWarning("计算出错: %s", error.what());
    ShowDataCheck(this, InternalErrorText());
  } catch (...) {
    m_computeFailed = true;
    ShowDataCheck(this, InternalErrorText());
  }
}

void AnalysisWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    // Losing the focus to one of the program's own dialogs is no visit to another window.
    m_leftForOwnDialog = Dialogs().dialogOpen();
    return;
  }
  if (m_leftForOwnDialog) {
    m_leftForOwnDialog = false;
    return;
  }
  if (!m_detailsRestored) {
    // The first activation shows the pane as this class last had it in this run.
    m_detailsRestored = true;
    if (DetailsShown().value(objectName(), false)) setDetailsVisible(true);
  }
  // The mode's own texts and settings change no input of the computation.
  const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
  applyMode();
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
  if (!confirmClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void AnalysisWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A new window holds nothing to save: what it shows first is the state to compare with.
  if (!m_savedContent) m_savedContent = dataFileContent();
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  for (SampleGrid* g : m_grids) g->followEditor();
}

bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
  // The controls follow the surface, which follows the window's width beside the
  // worked-solution pane, never narrower than the design width.
  if (watched == m_surface && event->type() == QEvent::Resize && !isMinimized()) {
    m_referenceWidth = ScaleWindowControls(m_surface, m_surface->width(), m_referenceWidth);
    for (SampleGrid* g : m_grids) g->followEditor();
  }
  if (event->type() == QEvent::EnabledChange && m_options.hoverHighlight)
    if (auto* option = qobject_cast<QRadioButton*>(watched)) highlightOnHover(option, QPoint(-1, -1));
  if (event->type() == QEvent::MouseMove && m_options.hoverHighlight)
    if (auto* option = qobject_cast<QRadioButton*>(watched))
      highlightOnHover(option, static_cast<QMouseEvent*>(event)->position().toPoint());
  return QMainWindow::eventFilter(watched, event);
}

void AnalysisWindow::highlightOnHover(QRadioButton* option, const QPoint& position) {
  // Red while the pointer lies strictly inside the central 20 % to 80 % of the option; a
  // disabled option is never highlighted. Only the enabled colour groups change, so a
  // disabled option keeps looking disabled.
  const double w = option->width(), h = option->height(), x = position.x(), y = position.y();
  const bool inside = option->isEnabled() && 5 * x > w && 1.25 * x < w && 5 * y > h && 1.25 * y < h;
  QPalette palette = option->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
      palette.setColor(group, role, inside ? QColor(255, 0, 0) : QColor(0, 0, 0));
  option->setPalette(palette);
}

}  // namespace kelvo
