#pragma once
// The frame every analysis window shares: the sample grid with its in-cell editor, the input
// modes, the compute button, the toolbar, the edit and help menus, the precision step and the
// proportional re-layout. Windows add their panels and say what activation and the compute
// button do.
#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "core/sample/CellStore.h"
#include "core/files/DataFile.h"
#include "core/documents/ChartDescription.h"
#include "core/settings/SettingList.h"
#include "core/documents/WorkedSolution.h"
#include "gui/frame/DataFileCommands.h"
#include "gui/frame/InputWatcher.h"
#include "gui/frame/ReportCommands.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/StatusLineLabel.h"
#include "gui/frame/WindowDescription.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QActionGroup;

namespace kelvo {

class DetailsPane;
class ValueLabel;

// A panel whose own surface (not its children) reports clicks.
class ClickablePanel : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;
 signals:
  void clicked();
 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class AnalysisWindow : public QMainWindow {
  Q_OBJECT
 public:
  struct FrameOptions {
    QString dataPanelName = QStringLiteral("Picture5");
    QString modePanelName = QStringLiteral("Picture4");
    QString rowOneHeading = QStringLiteral("数据值");
    QString rowTwoHeading = QStringLiteral("重复值");  // shown in input mode two only
    long long referenceWidth = 12000;  // twips
    int designWidth = 800;             // pixels of the surface below menu and toolbar
    int designHeight = 340;
    bool reopenEditorOnKey = false;  // a key pressed on the grid reopens the editor
    bool hoverHighlight = false;     // the input-mode options turn red under the pointer
  };

  explicit AnalysisWindow(const FrameOptions& options);
  ~AnalysisWindow() override;

  // Every analysis window alive, oldest first.
  static QList<AnalysisWindow*> openWindows();

  // The window's mode as decimal text, set by the command that opened it.
  QString tag() const { return m_tag; }
  void setTag(const QString& tag);
  int analysisMode() const;

  // The sample grid MSFlexGrid1 with its editor Text1; further grids come from addGrid.
  SampleGrid* sampleGrid() const { return m_grids.front(); }
  CellStore& cells();
  SampleGridView* grid() const;
  QLineEdit* editor() const;
  bool editorArmed() const;
  // The grid the edit commands act on: the one that has, or last had, the focus.
  SampleGrid* activeGrid() const { return m_activeGrid; }
  InputMode inputMode() const { return m_inputMode; }
  // The input mode as the data file and the option names number it: 1, 2, or 3 where a window
  // has a third.
  virtual int inputModeNumber() const { return m_inputMode == InputMode::One ? 1 : 2; }
  int precisionStep() const { return m_precisionStep; }
  long long referenceWidth() const { return m_referenceWidth; }

  // Frame operations, also reachable from the toolbar and menus.
  void openCellEditor();
  void reopenCellEditor();
  void setInputMode(InputMode mode);
  void stepGridHeight();
  void copyBlock();
  void pasteBlock();
  void deleteBlock();
  void setPrecisionStep(int step) { m_precisionStep = step; }
  void reformatLabel(ValueLabel* label);
  void showHelp();

  // The file menu: data in and out (see DataFileCommands), reports (see ReportCommands).
  void importData() { m_dataFiles->importData(); }
  void openData() { m_dataFiles->openData(); }
  void openDataContent(const DataFileContent& content) { m_dataFiles->openContent(content); }
  bool saveData() { return m_dataFiles->saveData(); }
  void exportReport() { m_reports->exportReport(); }
  void printReport() { m_reports->printReport(); }
  DataFileContent dataFileContent() const { return m_dataFiles->content(); }
  bool hasUnsavedChanges() const { return m_dataFiles->hasUnsavedChanges(); }
  bool confirmClose() { return m_dataFiles->confirmClose(); }
  // The chart of the last successful computation drawn into an image of `size`; a null image
  // when there is none.
  QImage chartImage(const QSize& size) const;

  // The window's inputs, results, grids and input modes, as its report and data file read
  // them. The frame gives the grids, the input modes and the chosen mode as the first input;
  // each window adds its own inputs and results.
  virtual WindowDescription describe() const;

  // The worked-solution pane: hidden at first, shown or hidden for every window of the same
  // class for the rest of the run.
  DetailsPane* detailsPane() const { return m_details; }
  void setDetailsVisible(bool visible);
  // After a successful computation: the pane's solution, and the results are current again.
  // The chart of an earlier computation goes with it.
  void showSolution(WorkedSolution solution);
  // After showSolution: the chart of the same computation, in the pane's chart tab.
  void showChart(ChartDescription chart);
  // The results on screen no longer belong to the inputs: they are greyed out and the pane
  // says why (every reason since the last computation), until the next computation succeeds.
  void markResultsStale(const QString& why);
  // What the stale note says when the user changes `input` ("显著水平已修改"). Without it a
  // box says "参数已修改", a list or an option "选项已修改", an option of the input-mode panel
  // "输入方式已改变". Every input of the window is watched once it has results, apart from
  // the grid editors (their cells are) and controls an InputSource claims (it reports them).
  static void setChangeNote(QWidget* input, const QString& note) {
    InputWatcher::setChangeNote(input, note);
  }
  bool resultsStale() const { return m_stale; }
  // After a successful computation: the numbers a student writes down (statistic, critical
  // values, p-value; or interval and quantiles) as one line of the status bar. Each press of
  // the compute button empties it first, so a refused computation leaves it empty; results
  // gone stale mark it "（已过时）" and grey it like the result labels.
  void showStatusLine(const std::string& line);
  QLabel* statusLine() const { return m_statusLine; }
  // Runs the compute button's work, reporting any fault of the input or the table store in
  // a data-check box instead of a result.
  void computeClicked();
  // Runs `work`, so that no exception reaches the event loop: a fault the user can mend shows
  // its message in a data-check box, anything else a "计算出错" box that asks for a report
  // (the fault's own text goes to standard error, not to the user).
  void runGuarded(const std::function<void()>& work);

 protected:
  QWidget* surface() const { return m_surface; }
  ClickablePanel* dataPanel() const { return m_dataPanel; }
  QGroupBox* modePanel() const { return m_modePanel; }
  QRadioButton* option1() const { return m_option1; }
  QRadioButton* option2() const { return m_option2; }
  QPushButton* computeButton() const { return m_compute; }
  QAction* editMenuAction(int position) const;

  // A result label placed in `parent`, re-formatted on click.
  ValueLabel* addValueLabel(QWidget* parent, const QString& name, int left, int top, int width,
                            int height);
  // A result label whose value stands between a prefix and a suffix, e.g. "(" and ",".
  ValueLabel* addDecoratedLabel(QWidget* parent, const QString& name, const QString& prefix,
                                const QString& suffix, int left, int top, int width, int height);
  // A further grid with its own editor, inside `container`.
  SampleGrid* addGrid(const QString& gridName, const QString& editorName, QWidget* container,
                      int rows, int cols);
  // A plain caption label placed in `parent` (geometry in twips).
  QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                   int width, int height);

  // The window's own settings for its data file (the level, the known values, the hypothesis
  // and its value, ...) as named texts; the frame keeps the grids and the input mode.
  virtual SettingList saveSettings() const { return {}; }
  // Puts settings of the window's data file back as the user's own actions would set them,
  // without asking anything (restoringSettings() is true meanwhile). A value the window cannot
  // take throws UserFacingError before anything has changed.
  virtual void restoreSettings(const SettingList& settings) { (void)settings; }
  bool restoringSettings() const { return m_restoringSettings; }
  // Switches to the input mode `number` as a click on its option does, without a question
  // about the data. False when the switch was cancelled (a value the mode needs was not
  // given): the mode and the grid stay as they were.
  virtual bool applyInputModeNumber(int number);
  // A click on the option of input mode `number`: the grid's data go with the old mode, so the
  // user is asked first when it holds any; 否 keeps the data and checks the old option again.
  void chooseInputModeAsUser(int number);

  // The option of input mode `number` ("Option1", "Option2", "Option3" unless the window names
  // its options otherwise); nullptr for a mode the window lacks.
  virtual QRadioButton* modeOption(int number) const;

  // Run on every activation that comes from another window of the program.
  virtual void applyMode() {}
  // The compute button's work; may throw UserFacingError.
  virtual void compute() {}
  // The help section of this window.
  virtual QString helpAnchor() const { return QString(); }
  // Headings of the grid for an input mode.
  virtual void writeHeadings(InputMode mode);

  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // The user switched the input mode with its option (after the question, if any).
  void inputModeSwitched(int number);

 private:
  // The data files put the window's grids, settings and input mode back as the user would.
  friend class DataFileCommands;

  // The menus, the toolbars, the status line and the pane's view menu (WindowMenus.cpp).
  void setupMenus();
  void setupFileMenu();
  void setupToolbar();
  void setupStatusLine();
  void setupDetails();
  // A number of the chart as the window's result labels write it.
  std::string chartNumber(double value) const;
  void setResultsGreyed(bool greyed);
  // Whether any sample cell of MSFlexGrid1 (below the headings) holds something typed; the
  // "×" of an unused summary cell does not count. Without it the compute button computes
  // nothing and asks for the sample ("请先输入样本数据").
  bool hasSampleData() const;
  // From the first computation on, a change of any input marks the results stale, unless the
  // window itself makes it while it computes or applies its mode.
  void watchInputs();
  void setupFrame();
  void connectSignals();
  void adoptGrid(SampleGrid* grid);
  void attachEditMenuBitmaps();

  FrameOptions m_options;
  QString m_tag;
  InputMode m_inputMode = InputMode::One;
  int m_precisionStep = 0;
  long long m_referenceWidth;
  bool m_leftForOwnDialog = false;

  QWidget* m_surface = nullptr;
  ClickablePanel* m_dataPanel = nullptr;
  QGroupBox* m_modePanel = nullptr;
  QRadioButton* m_option1 = nullptr;
  QRadioButton* m_option2 = nullptr;
  QPushButton* m_compute = nullptr;
  QList<SampleGrid*> m_grids;
  SampleGrid* m_activeGrid = nullptr;
  QToolBar* m_toolbar = nullptr;
  DetailsPane* m_details = nullptr;
  StatusLineLabel* m_statusLine = nullptr;  // in the status bar
  QAction* m_detailsAction = nullptr;
  bool m_stale = false;
  QStringList m_staleReasons;
  bool m_watchingInputs = false;
  int m_ownChanges = 0;  // above 0 while the window computes or applies its mode
  bool m_computeFailed = false;
  bool m_detailsRestored = false;
  bool m_solved = false;  // the last computation succeeded
  QMenu* m_editMenu = nullptr;
  bool m_restoringSettings = false;
  std::unique_ptr<DataFileCommands> m_dataFiles = std::make_unique<DataFileCommands>(*this);
  std::unique_ptr<ReportCommands> m_reports = std::make_unique<ReportCommands>(*this);
};

}  // namespace kelvo
