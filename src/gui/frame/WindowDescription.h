#pragma once
// What a window says about itself for its report and its data file: its captioned inputs and
// results in the order a reader takes them in, its grids, and the input modes it offers. Each
// window fills it from its boxes, labels and lists, named by their object names; the report and
// the data files read nothing else of the window.
#include <QList>
#include <QString>
#include <initializer_list>
#include <string>

#include "core/files/DataFile.h"

class QWidget;

namespace kelvo {

class SampleGrid;

// What the sample rows of an input mode hold.
enum class SampleRows {
  Values,
  ValuesAndCounts,
  Summaries,
  Grouped,
  LevelRows,        // one row of observations per level of a factor
  FactorTable,      // levels of A by levels of B, one observation a cell
  ReplicatedTable,  // the same table, a list of repeated observations a cell
  Pairs,            // x in one row, y in the next
  PairsAndCounts,   // pairs with their repeat counts
};

// The sample rows of `mode` in a window of class `window` (also a window of another class, for
// a data file it saved).
SampleRows SampleRowsOf(const std::string& window, DataInputMode mode);
// "逐个输入的样本值" and so on, as a message names them.
std::string SampleRowsName(SampleRows rows);

// One line: "样本均值" / "4.000". A line without a value is a note.
struct DescribedRow {
  QString caption;
  QString value;
};

struct DescribedGroup {
  QString title;  // empty: the window's general inputs
  QList<DescribedRow> rows;
};

struct DescribedGrid {
  const SampleGrid* grid;
  QString title;
};

struct DescribedInputMode {
  DataInputMode mode;
  QString name;    // the caption of its option
  bool available;  // the window offers it now
  SampleRows rows;
};

class WindowDescription {
 public:
  explicit WindowDescription(const QWidget& window) : m_window(&window) {}

  // A row of group `group` (a panel, whose title heads the group, or a heading label; empty:
  // untitled): the caption is the text of control `caption`, the value the texts of `values`
  // joined by a blank. Controls the window does not show now give no text; a row without a
  // value text is left out, a row without value controls is a note line. Consecutive rows of
  // one group stay together.
  void addInput(const char* group, const char* caption, std::initializer_list<const char*> values);
  void addResult(const char* group, const char* caption, std::initializer_list<const char*> values);
  // The same with the caption given as text.
  void addInputText(const char* group, const QString& caption, const QString& value);
  void addResultText(const char* group, const QString& caption, const QString& value);
  // The title of a grid's table in the report: the text of control `title`.
  void setGridTitle(const char* grid, const char* title);

  // The text a control shows now: a panel's title, a label's, box's or button's text, a list's
  // chosen item (also once the list has hidden itself). Empty for a control not shown.
  QString shownText(const char* name) const;

  QList<DescribedGroup> inputs;
  QList<DescribedGroup> results;
  QList<DescribedGrid> grids;  // the grids shown now
  QList<DescribedInputMode> inputModes;
  DataInputMode inputMode = DataInputMode::One;  // the one in force
  // What the user must do before data can come into the window ("请先选择要检验的分布"); empty
  // when nothing.
  QString dataPrerequisite;

 private:
  void add(QList<DescribedGroup>& groups, const char* group, const QString& caption,
           const QStringList& values, bool note);

  const QWidget* m_window;
};

}  // namespace kelvo
