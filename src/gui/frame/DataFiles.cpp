// The file menu's data commands: import, open and save of a window's data.
//
// The rows of a grid that take data are its sample rows: the rows from row 1 on that carry a
// heading (数据值, 重复值, 样本二, X, P, ...). Save writes the sample rows of every grid the window
// shows, its input mode and its settings; open puts all of them back in a window of the same
// kind. A data file of another window (or of another mode of this one), opened or imported,
// gives only its sample rows: settings mean something else there. Nothing is written to a grid
// before the whole file has been read and checked.
#include <QFileInfo>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <filesystem>
#include <vector>

#include "core/files/DataFile.h"
#include "core/sample/DelimitedText.h"
#include "core/sample/GridBuffer.h"
#include "core/files/AtomicFile.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/hypothesis/Form5.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

const QString kImportFilter = QStringLiteral("数据文件 (*.csv *.txt);;所有文件 (*)");
const QString kDataFilter = QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)");
const QString kOpenAction = QStringLiteral("打开数据");
const QString kImportAction = QStringLiteral("导入数据");
const char* const kSampleGridName = "MSFlexGrid1";
// A summary cell the mode does not read: part of the layout, not data.
const std::string kUnusedMark = "×";

std::filesystem::path FilePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

// How many cells a data file may bring: every data cell of the grids, and three rows of each
// grid however few it has now (the input mode of the file may add rows).
std::size_t Room(const QList<SampleGrid*>& grids) {
  std::size_t room = 0;
  for (const SampleGrid* grid : grids)
    room += static_cast<std::size_t>(std::max(grid->cells().rows() - 1, 3)) *
            static_cast<std::size_t>(std::max(grid->cells().cols() - 1, 0));
  return room;
}

bool IsValue(const std::string& text) { return !text.empty() && text != kUnusedMark; }

// Empties the sample rows; the marks of unused summary cells stay.
void ClearSampleRows(CellStore& cells) {
  const int rows = SampleRowCount(cells);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c < cells.cols(); ++c)
      if (IsValue(cells.text(r, c))) cells.setText(r, c, {});
}

bool Shown(const SampleGrid* grid) { return !grid->view()->isHidden(); }

std::string GridName(const SampleGrid* grid) { return grid->view()->objectName().toStdString(); }

// A grid as the user knows it.
std::string GridCaption(const std::string& name) {
  if (name == kSampleGridName) return "样本数据表";
  if (name == "MSFlexGrid2") return "分布律表";
  return "表格";
}

// The captions the windows start with, for files that do not record theirs.
QString ClassCaption(const std::string& window) {
  static const std::pair<const char*, const char16_t*> captions[] = {
      {"Form9", u"点估计"},           {"Form3", u"区间估计"}, {"Form3a", u"正态总体区间估计"},
      {"Form4", u"正态总体参数检验"}, {"Form8", u"渐进检验"}, {"Form5", u"分布拟和检验"},
      {"Form7", u"秩和检验"}};
  for (const auto& [name, caption] : captions)
    if (window == name) return QString::fromUtf16(caption);
  return QStringLiteral("另一个窗口");
}

// What the sample rows of an input mode hold.
enum class RowLayout { Values, ValuesAndCounts, Summaries, Grouped };

RowLayout LayoutOf(const std::string& window, int inputMode) {
  if (inputMode == 3) return RowLayout::Grouped;
  if (inputMode == 1) return RowLayout::Values;
  return window == "Form3a" || window == "Form4" ? RowLayout::Summaries
                                                 : RowLayout::ValuesAndCounts;
}

std::string LayoutName(RowLayout layout) {
  switch (layout) {
    case RowLayout::Values:
      return "逐个输入的样本值";
    case RowLayout::ValuesAndCounts:
      return "数据值及其重复数";
    case RowLayout::Summaries:
      return "样本的中间值（样本数、均值等）";
    case RowLayout::Grouped:
      return "分组区间数据";
  }
  return {};
}

// The cells of a file row up to its last value.
std::size_t UsedCells(const DataFileRow& row) {
  std::size_t used = row.cells.size();
  while (used > 0 && row.cells[used - 1].empty()) --used;
  return used;
}

// Everything a failed open must put back.
struct GridSnapshot {
  SampleGrid* grid;
  CellStore cells;
};

}  // namespace

DataFileContent AnalysisWindow::dataFileContent() const {
  DataFileContent content;
  content.window = objectName().toStdString();
  content.inputMode = inputModeNumber();
  const int mode = analysisMode();
  content.windowMode = mode > 0 && mode <= 32767 ? mode : 0;
  content.title = windowTitle().toStdString();
  content.settings = saveSettings();
  for (SampleGrid* grid : m_grids) {
    if (!Shown(grid)) continue;
    const CellStore& cells = grid->cells();
    const int rows = SampleRowCount(cells);
    for (int r = 1; r <= rows; ++r) {
      int last = cells.cols() - 1;
      while (last >= 1 && !IsValue(cells.text(r, last))) --last;
      if (last < 1) continue;
      DataFileRow row{GridName(grid), r, {}};
      row.cells.reserve(static_cast<std::size_t>(last));
      for (int c = 1; c <= last; ++c)
        row.cells.push_back(IsValue(cells.text(r, c)) ? cells.text(r, c) : std::string());
      content.rows.push_back(std::move(row));
    }
  }
  return content;
}

bool AnalysisWindow::holdsSampleData() const {
  const CellStore& cells = sampleGrid()->cells();
  for (int r = 1; r < cells.rows(); ++r)
    for (int c = 1; c < cells.cols(); ++c)
      if (IsValue(cells.text(r, c))) return true;
  return false;
}

void AnalysisWindow::importData() {
  SampleGrid* target = m_activeGrid;
  const QString path = Dialogs().askFilePath(this, FileQuestion::Open, kImportAction, kImportFilter,
                                             FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  try {
    const std::string bytes = ReadWholeFile(FilePath(path), kMaxDataFileBytes);
    if (LooksLikeDataFile(bytes)) {
      // A data file (of this window or another) gives its samples, whatever grid is in use.
      takeSampleRows(ParseDataFile(bytes, Room(m_grids)), kImportAction,
                     QStringLiteral("数据已修改"));
      return;
    }
    CellStore& cells = target->cells();
    const int rows = SampleRowCount(cells);
    const int cols = cells.cols() - 1;
    if (rows == 0 || cols < 1 || !Shown(target) || !target->view()->isEnabled())
      throw InputError("这个表格现在不能输入数据");
    const BlockLimits limits{kMaxDataFileBytes,
                             static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)};
    const TextBlock block =
        LaidOutForGrid(ParseDelimitedText(bytes, TextLayout::File, limits), rows, cols);
    ClearSampleRows(cells);
    WriteBlock(cells, block, 1, 1);
    target->cellsReset();
  } catch (const UserFacingError& error) {
    ShowDataCheck(this,
                  kImportAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
  }
}

bool AnalysisWindow::saveData() {
  QString path = Dialogs().askFilePath(this, FileQuestion::Save, QStringLiteral("保存数据"),
                                       kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  RememberFileFolder(path);
  try {
    const DataFileContent content = dataFileContent();
    for (const DataFileRow& row : content.rows)
      for (std::size_t c = 0; c < row.cells.size(); ++c)
        if (!row.cells[c].empty() && !IsNumericText(row.cells[c]))
          throw InputError(GridCaption(row.grid) + "第 " + std::to_string(row.row) + " 行第 " +
                           std::to_string(c + 1) + " 列的" + QuotedForMessage(row.cells[c]) +
                           "不是数值，不能保存");
    WriteFileAtomically(FilePath(path), FormatDataFile(content));
    m_savedContent = content;
    return true;
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, QStringLiteral("保存数据失败：\n") + QString::fromUtf8(error.what()));
    return false;
  }
}

void AnalysisWindow::openData() {
  const QString path =
      Dialogs().askFilePath(this, FileQuestion::Open, kOpenAction, kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  DataFileContent content;
  try {
    content = ParseDataFile(ReadWholeFile(FilePath(path), kMaxDataFileBytes), Room(m_grids));
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, kOpenAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }
  // A file of the first version names no mode: its class decides, as it always did.
  const bool ownKind = QString::fromStdString(content.window) == objectName() &&
                       (content.windowMode == 0 || content.windowMode == analysisMode());
  if (ownKind)
    openOwnData(content);
  else
    takeSampleRows(content, kOpenAction, QStringLiteral("已打开数据文件"));
}

void AnalysisWindow::openOwnData(const DataFileContent& content) {
  // Everything the open may change, to be put back when the file does not fit the window.
  std::vector<GridSnapshot> saved;
  for (SampleGrid* grid : m_grids) saved.push_back({grid, grid->cells()});
  const int savedMode = inputModeNumber();
  const SettingList savedSettings = saveSettings();
  const bool savedStale = m_stale;
  const bool withSettings = content.version >= 2;
  try {
    // The window's own changes are named once, as the opened file, below.
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    const QScopedValueRollback<bool> quiet(m_restoringSettings, withSettings);
    if (withSettings) restoreSettings(content.settings);
    auto* fitting = qobject_cast<Form5*>(this);
    if (fitting && !fitting->chosenEntry()) throw InputError("请先选择要检验的分布，再打开数据");
    // The file may only choose an input mode that the window offers now.
    const QRadioButton* option = modeOption(content.inputMode);
    if (!option || !option->isEnabled() || option->isHidden())
      throw InputError(
          "本窗口现在不能使用" +
          (option ? "“" + option->text().toStdString() + "”" : InputModeName(content.inputMode)) +
          "，不能打开这个数据文件");
    std::vector<SampleGrid*> targets;  // the grid of each row of the file
    for (const DataFileRow& row : content.rows) {
      SampleGrid* grid = nullptr;
      for (SampleGrid* g : m_grids)
        if (GridName(g) == row.grid) grid = g;
      if (!grid) throw InputError("文件中有本窗口没有的表格的数据");
      if (!Shown(grid))
        throw InputError("文件中有" + GridCaption(row.grid) +
                         "的数据，但这个表格现在没有显示（请先选择相应的分布）");
      const std::size_t cols = static_cast<std::size_t>(grid->cells().cols() - 1);
      if (UsedCells(row) > cols)
        throw InputError(GridCaption(row.grid) + "第 " + std::to_string(row.row) + " 行有 " +
                         std::to_string(UsedCells(row)) + " 个数据，超出表格的 " +
                         std::to_string(cols) + " 列");
      targets.push_back(grid);
    }
    // The input mode decides the sample rows. A file without settings switches with the
    // mode's questions; 取消 there ends the open before anything has changed.
    if (content.inputMode != inputModeNumber() && !applyInputModeNumber(content.inputMode)) return;
    for (std::size_t i = 0; i < content.rows.size(); ++i) {
      const int rows = SampleRowCount(targets[i]->cells());
      if (content.rows[i].row > rows)
        throw InputError(
            GridCaption(content.rows[i].grid) + "没有第 " + std::to_string(content.rows[i].row) +
            " 行：" + option->text().toStdString() + "下只有 " + std::to_string(rows) + " 行数据");
    }
    for (SampleGrid* grid : m_grids)
      if (Shown(grid)) ClearSampleRows(grid->cells());
    for (std::size_t i = 0; i < content.rows.size(); ++i) {
      CellStore& cells = targets[i]->cells();
      const DataFileRow& row = content.rows[i];
      for (std::size_t c = 0; c < UsedCells(row); ++c)
        if (!row.cells[c].empty()) cells.setText(row.row, static_cast<int>(c) + 1, row.cells[c]);
    }
    for (SampleGrid* grid : m_grids) grid->cellsReset();
  } catch (const UserFacingError& error) {
    {
      const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
      const QScopedValueRollback<bool> quiet(m_restoringSettings, true);
      if (withSettings) {
        try {
          restoreSettings(savedSettings);
        } catch (const UserFacingError&) {
          // The window's own settings: nothing in them it cannot take.
        }
      }
      if (inputModeNumber() != savedMode) applyInputModeNumber(savedMode);
      for (GridSnapshot& s : saved) {
        s.grid->reshape(s.cells.rows(), s.cells.cols());
        s.grid->cells() = std::move(s.cells);
        s.grid->cellsReset();
      }
    }
    if (!savedStale) {
      setResultsGreyed(false);
      m_details->setStaleNote(QString());
    }
    ShowDataCheck(this, kOpenAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }
  markResultsStale(QStringLiteral("已打开数据文件"));
  m_savedContent = dataFileContent();
}

void AnalysisWindow::takeSampleRows(const DataFileContent& content, const QString& action,
                                    const QString& staleNote) {
  const QString source =
      content.title.empty() ? ClassCaption(content.window) : QString::fromStdString(content.title);
  SampleGrid* target = sampleGrid();
  std::vector<const DataFileRow*> rows;
  int mode = 0;
  try {
    auto* fitting = qobject_cast<Form5*>(this);
    if (fitting && !fitting->chosenEntry())
      throw InputError("请先选择要检验的分布，再" + action.toStdString());
    for (const DataFileRow& row : content.rows)
      if (row.grid == kSampleGridName && UsedCells(row) > 0) rows.push_back(&row);
    if (rows.empty()) throw InputError("文件中没有样本数据");
    // The input mode of this window whose rows hold what the file's rows hold, the current one
    // first.
    const RowLayout layout = LayoutOf(content.window, content.inputMode);
    const std::string kind = objectName().toStdString();
    for (int number : {inputModeNumber(), 1, 2, 3}) {
      const QRadioButton* option = modeOption(number);
      if (option && option->isEnabled() && !option->isHidden() &&
          LayoutOf(kind, number) == layout) {
        mode = number;
        break;
      }
    }
    if (mode == 0)
      throw InputError("文件中的样本是" + LayoutName(layout) + "，本窗口现在不能输入这样的数据");
    const std::size_t cols = static_cast<std::size_t>(target->cells().cols() - 1);
    for (const DataFileRow* row : rows)
      if (UsedCells(*row) > cols)
        throw InputError("文件第 " + std::to_string(row->row) + " 行样本有 " +
                         std::to_string(UsedCells(*row)) + " 个数据，超出样本数据表的 " +
                         std::to_string(cols) + " 列");
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, action + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }

  QStringList left;  // rows of the file this window has no row for
  {
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    // 取消 on a question of the mode ends the transfer before anything has changed.
    if (mode != inputModeNumber() && !applyInputModeNumber(mode)) return;
    CellStore& cells = target->cells();
    ClearSampleRows(cells);
    const int sampleRows = SampleRowCount(cells);
    for (const DataFileRow* row : rows) {
      if (row->row > sampleRows) {
        left << QString::number(row->row);
        continue;
      }
      for (std::size_t c = 0; c < UsedCells(*row); ++c)
        if (!row->cells[c].empty()) cells.setText(row->row, static_cast<int>(c) + 1, row->cells[c]);
    }
    target->cellsReset();
  }
  markResultsStale(staleNote);
  QString note = QStringLiteral("已从“%1”的数据文件读入样本数据，其他设置未读入。").arg(source);
  if (!left.isEmpty())
    note += QStringLiteral("文件第 %1 行的样本超出本窗口的样本数据表，未读入。")
                .arg(left.join(QStringLiteral("、")));
  Dialogs().showMessage(this, note, action, MessageIcon::Information);
}

}  // namespace kelvo
