#include "gui/frame/AnalysisWindow.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "core/text/Errors.h"
#include "core/layout/ScaleLayout.h"
#include "core/text/TextNumber.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/InputWatcher.h"
#include "gui/frame/OptionHighlight.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"

namespace kelvo {
namespace {

QList<AnalysisWindow*>& Registry() { return App().windows; }

// Whether the worked-solution pane is shown, by window class, for the run.
QHash<QString, bool>& DetailsShown() { return App().detailsShown; }

constexpr int kDefaultRowHeightTwips = 240;
constexpr int kGridHeightStepTwips = 50;
constexpr int kPanelMarginTwips = 30;

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

  // The settings in force now size the grid for the window's whole life: a change of the
  // sample limit applies to the windows opened after it.
  SampleGrid* grid = addGrid(QStringLiteral("MSFlexGrid1"), QStringLiteral("Text1"), m_dataPanel,
                             3, App().program.settings.sampleLimit);
  PlaceControl(grid->view(), 120, 330, 11520, 1500);
  AnalysisWindow::writeHeadings(InputMode::One);
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
  if (m_options.hoverHighlight) {
    auto* highlight = new OptionHighlight(this);
    for (QRadioButton* option : {m_option1, m_option2}) highlight->watch(option);
  }

  m_compute = new QPushButton(QStringLiteral("开始计算"), m_surface);
  m_compute->setObjectName(QStringLiteral("Command1"));
  PlaceControl(m_compute, 120, 4050, 2700, 600);
}

void AnalysisWindow::showStatusLine(const std::string& line) {
  m_statusLine->setLine(QString::fromStdString(line));
}

void AnalysisWindow::setDetailsVisible(bool visible) {
  if (!m_details) return;
  if (m_details->isVisible() != visible) {
    m_details->setVisible(visible);
    if (visible) m_details->makeRoom(m_options.designWidth);
  }
  if (m_detailsAction->isChecked() != visible) m_detailsAction->setChecked(visible);
  if (!objectName().isEmpty()) DetailsShown()[objectName()] = visible;
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

void AnalysisWindow::watchInputs() {
  if (m_watchingInputs) return;
  m_watchingInputs = true;
  QList<const QWidget*> ignored{m_option1, m_option2, modeOption(3)};
  for (const SampleGrid* g : m_grids) ignored << g->editor();
  // The options of the input modes set the mode, which marks the results itself.
  auto* watcher = new InputWatcher(m_surface, m_modePanel, ignored, this);
  connect(watcher, &InputWatcher::changed, this, [this](const QString& note) {
    if (m_ownChanges == 0) markResultsStale(note);
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
  m_statusLine->setStale(greyed);
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
  if (hasSampleData() &&
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
  m_dataFiles->windowShown();
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
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kelvo
