// The file menu's data commands: import, open and save of a window's data.
//
// The rows of a grid that take data are its sample rows: the rows from row 1 on that carry a
// heading (数据值, 重复值, 样本二, X, P, ...). Save writes the sample rows of every grid the window
// shows, its input mode and its settings; open puts all of them back in a window of the same
// kind. A data file of another window (or of another mode of this one), opened or imported,
// gives only its sample rows: settings mean something else there. Nothing is written to a grid
// before the whole file has been read and checked.
#include "gui/frame/DataFileCommands.h"

#include <QFileInfo>
#include <QScopedValueRollback>
#include <filesystem>
#include <vector>

#include "core/sample/DelimitedText.h"
#include "core/sample/GridBuffer.h"
#include "core/files/AtomicFile.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/WindowDescription.h"
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
      {"Form7", u"秩和检验"}, {"FormAnova", u"方差分析"}};
  for (const auto& [name, caption] : captions)
    if (window == name) return QString::fromUtf16(caption);
  return QStringLiteral("另一个窗口");
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

// The input mode `mode` when the window offers it now.
const DescribedInputMode* OfferedMode(const WindowDescription& description, DataInputMode mode) {
  for (const DescribedInputMode& offered : description.inputModes)
    if (offered.mode == mode) return offered.available ? &offered : nullptr;
  return nullptr;
}

int Number(DataInputMode mode) { return static_cast<int>(mode); }

SampleGrid* GridNamed(const QList<SampleGrid*>& grids, const std::string& name) {
  for (SampleGrid* grid : grids)
    if (GridName(grid) == name) return grid;
  return nullptr;
}

// Refuses a cell of the file that `grid` would not take as typed: a list of numbers where a
// cell holds one number.
void CheckCellsFit(const SampleGrid* grid, const DataFileRow& row) {
  for (std::size_t c = 0; c < UsedCells(row); ++c)
    if (!grid->acceptsCellText(row.cells[c]))
      throw InputError(GridCaption(row.grid) + "第 " + std::to_string(row.row) + " 行第 " +
                       std::to_string(c + 1) + " 列的" + QuotedForMessage(row.cells[c]) +
                       "是一组数值，这个表格的每个单元格只能填一个数值");
}

}  // namespace

DataFileContent DataFileCommands::content() const {
  const AnalysisWindow& w = m_window;
  DataFileContent content;
  content.window = w.objectName().toStdString();
  content.inputMode = w.describe().inputMode;
  const int mode = w.analysisMode();
  content.windowMode = mode > 0 && mode <= 32767 ? mode : 0;
  content.title = w.windowTitle().toStdString();
  content.settings = w.saveSettings();
  for (SampleGrid* grid : w.m_grids) {
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

bool DataFileCommands::hasUnsavedChanges() const {
  if (!m_savedContent) return false;
  // What the user entered counts; the caption and the mode number follow the window's mode,
  // and the input mode of a grid without data loses nothing.
  auto entered = [](DataFileContent content) {
    content.title.clear();
    content.windowMode = 0;
    if (content.rows.empty()) content.inputMode = DataInputMode::One;
    return content;
  };
  return entered(content()) != entered(*m_savedContent);
}

bool DataFileCommands::confirmClose() {
  if (!hasUnsavedChanges()) return true;
  const int answer = Dialogs().askChoice(
      &m_window, QStringLiteral("“%1”中的数据尚未保存，是否保存？").arg(m_window.windowTitle()),
      QStringLiteral("关闭窗口"),
      {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")});
  if (answer == 0) return saveData();
  return answer == 1;
}

void DataFileCommands::windowShown() {
  if (!m_savedContent) m_savedContent = content();
}

void DataFileCommands::importData() {
  AnalysisWindow& w = m_window;
  SampleGrid* target = w.activeGrid();
  const QString path = Dialogs().askFilePath(&w, FileQuestion::Open, kImportAction, kImportFilter,
                                             FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  try {
    const std::string bytes = ReadWholeFile(FilePath(path), kMaxDataFileBytes);
    if (LooksLikeDataFile(bytes)) {
      // A data file (of this window or another) gives its samples, whatever grid is in use.
      takeSampleRows(ParseDataFile(bytes, Room(w.m_grids)), kImportAction,
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
    ShowDataCheck(&w,
                  kImportAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
  }
}

bool DataFileCommands::saveData() {
  QString path = Dialogs().askFilePath(&m_window, FileQuestion::Save, QStringLiteral("保存数据"),
                                       kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  RememberFileFolder(path);
  try {
    const DataFileContent content = this->content();
    for (const DataFileRow& row : content.rows)
      for (std::size_t c = 0; c < row.cells.size(); ++c)
        if (!GridNamed(m_window.m_grids, row.grid)->acceptsCellText(row.cells[c]))
          throw InputError(GridCaption(row.grid) + "第 " + std::to_string(row.row) + " 行第 " +
                           std::to_string(c + 1) + " 列的" + QuotedForMessage(row.cells[c]) +
                           "不是数值，不能保存");
    WriteFileAtomically(FilePath(path), FormatDataFile(content));
    m_savedContent = content;
    return true;
  } catch (const UserFacingError& error) {
    ShowDataCheck(&m_window, QStringLiteral("保存数据失败：\n") + QString::fromUtf8(error.what()));
    return false;
  }
}

void DataFileCommands::openData() {
  AnalysisWindow& w = m_window;
  const QString path =
      Dialogs().askFilePath(&w, FileQuestion::Open, kOpenAction, kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  DataFileContent content;
  try {
    content = ParseDataFile(ReadWholeFile(FilePath(path), kMaxDataFileBytes), Room(w.m_grids));
  } catch (const UserFacingError& error) {
    ShowDataCheck(&w, kOpenAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }
  openParsed(content);
}

void DataFileCommands::openContent(const DataFileContent& given) {
  AnalysisWindow& w = m_window;
  DataFileContent content;
  try {
    content = ParseDataFile(FormatDataFile(given), Room(w.m_grids));
  } catch (const UserFacingError& error) {
    ShowDataCheck(&w, kOpenAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }
  openParsed(content);
}

void DataFileCommands::openParsed(const DataFileContent& content) {
  AnalysisWindow& w = m_window;
  // A file of the first version names no mode: its class decides, as it always did.
  const bool ownKind = QString::fromStdString(content.window) == w.objectName() &&
                       (content.windowMode == 0 || content.windowMode == w.analysisMode());
  if (ownKind)
    openOwnData(content);
  else
    takeSampleRows(content, kOpenAction, QStringLiteral("已打开数据文件"));
}

void DataFileCommands::openOwnData(const DataFileContent& content) {
  AnalysisWindow& w = m_window;
  // Everything the open may change, to be put back when the file does not fit the window.
  std::vector<GridSnapshot> saved;
  for (SampleGrid* grid : w.m_grids) saved.push_back({grid, grid->cells()});
  const int savedMode = w.inputModeNumber();
  const SettingList savedSettings = w.saveSettings();
  const bool savedStale = w.m_stale;
  const bool withSettings = content.version >= 2;
  try {
    // The window's own changes are named once, as the opened file, below.
    const QScopedValueRollback<int> own(w.m_ownChanges, w.m_ownChanges + 1);
    const QScopedValueRollback<bool> quiet(w.m_restoringSettings, withSettings);
    if (withSettings) w.restoreSettings(content.settings);
    const WindowDescription description = w.describe();
    if (!description.dataPrerequisite.isEmpty())
      throw InputError(description.dataPrerequisite.toStdString() + "，再打开数据");
    // The file may only choose an input mode that the window offers now.
    const DescribedInputMode* option = OfferedMode(description, content.inputMode);
    if (!option) {
      std::string name = InputModeName(content.inputMode);
      for (const DescribedInputMode& offered : description.inputModes)
        if (offered.mode == content.inputMode) name = "“" + offered.name.toStdString() + "”";
      throw InputError("本窗口现在不能使用" + name + "，不能打开这个数据文件");
    }
    std::vector<SampleGrid*> targets;  // the grid of each row of the file
    for (const DataFileRow& row : content.rows) {
      SampleGrid* grid = nullptr;
      for (SampleGrid* g : w.m_grids)
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
    if (content.inputMode != description.inputMode &&
        !w.applyInputModeNumber(Number(content.inputMode)))
      return;
    for (std::size_t i = 0; i < content.rows.size(); ++i) {
      const int rows = SampleRowCount(targets[i]->cells());
      if (content.rows[i].row > rows)
        throw InputError(
            GridCaption(content.rows[i].grid) + "没有第 " + std::to_string(content.rows[i].row) +
            " 行：" + option->name.toStdString() + "下只有 " + std::to_string(rows) + " 行数据");
    }
    // The mode chosen decides what a cell may hold.
    for (std::size_t i = 0; i < content.rows.size(); ++i) CheckCellsFit(targets[i], content.rows[i]);
    for (SampleGrid* grid : w.m_grids)
      if (Shown(grid)) ClearSampleRows(grid->cells());
    for (std::size_t i = 0; i < content.rows.size(); ++i) {
      CellStore& cells = targets[i]->cells();
      const DataFileRow& row = content.rows[i];
      for (std::size_t c = 0; c < UsedCells(row); ++c)
        if (!row.cells[c].empty()) cells.setText(row.row, static_cast<int>(c) + 1, row.cells[c]);
    }
    for (SampleGrid* grid : w.m_grids) grid->cellsReset();
  } catch (const UserFacingError& error) {
    {
      const QScopedValueRollback<int> own(w.m_ownChanges, w.m_ownChanges + 1);
      const QScopedValueRollback<bool> quiet(w.m_restoringSettings, true);
      if (withSettings) {
        try {
          w.restoreSettings(savedSettings);
        } catch (const UserFacingError&) {
          // The window's own settings: nothing in them it cannot take.
        }
      }
      if (w.inputModeNumber() != savedMode) w.applyInputModeNumber(savedMode);
      for (GridSnapshot& s : saved) {
        s.grid->reshape(s.cells.rows(), s.cells.cols());
        s.grid->cells() = std::move(s.cells);
        s.grid->cellsReset();
      }
    }
    if (!savedStale) {
      w.setResultsGreyed(false);
      w.detailsPane()->setStaleNote(QString());
    }
    ShowDataCheck(&w, kOpenAction + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }
  w.markResultsStale(QStringLiteral("已打开数据文件"));
  m_savedContent = this->content();
}

void DataFileCommands::takeSampleRows(const DataFileContent& content, const QString& action,
                                      const QString& staleNote) {
  AnalysisWindow& w = m_window;
  const QString source =
      content.title.empty() ? ClassCaption(content.window) : QString::fromStdString(content.title);
  SampleGrid* target = w.sampleGrid();
  std::vector<const DataFileRow*> rows;
  const WindowDescription description = w.describe();
  std::optional<DataInputMode> mode;
  try {
    if (!description.dataPrerequisite.isEmpty())
      throw InputError(description.dataPrerequisite.toStdString() + "，再" + action.toStdString());
    for (const DataFileRow& row : content.rows)
      if (row.grid == kSampleGridName && UsedCells(row) > 0) rows.push_back(&row);
    if (rows.empty()) throw InputError("文件中没有样本数据");
    // The input mode of this window whose rows hold what the file's rows hold, the current one
    // first.
    const SampleRows layout = SampleRowsOf(content.window, content.inputMode);
    for (DataInputMode number : {description.inputMode, DataInputMode::One, DataInputMode::Two,
                                 DataInputMode::Grouped}) {
      const DescribedInputMode* option = OfferedMode(description, number);
      if (option && option->rows == layout) {
        mode = number;
        break;
      }
    }
    if (!mode)
      throw InputError("文件中的样本是" + SampleRowsName(layout) + "，本窗口现在不能输入这样的数据");
    const std::size_t cols = static_cast<std::size_t>(target->cells().cols() - 1);
    for (const DataFileRow* row : rows)
      if (UsedCells(*row) > cols)
        throw InputError("文件第 " + std::to_string(row->row) + " 行样本有 " +
                         std::to_string(UsedCells(*row)) + " 个数据，超出样本数据表的 " +
                         std::to_string(cols) + " 列");
  } catch (const UserFacingError& error) {
    ShowDataCheck(&w, action + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
    return;
  }

  QStringList left;  // rows of the file this window has no row for
  {
    const QScopedValueRollback<int> own(w.m_ownChanges, w.m_ownChanges + 1);
    const int savedMode = w.inputModeNumber();
    const CellStore savedCells = target->cells();
    const bool savedStale = w.m_stale;
    // 取消 on a question of the mode ends the transfer before anything has changed.
    if (*mode != description.inputMode && !w.applyInputModeNumber(Number(*mode))) return;
    // The mode chosen decides what a cell may hold; a refusal puts the window back as it was.
    try {
      for (const DataFileRow* row : rows)
        if (row->row <= SampleRowCount(target->cells())) CheckCellsFit(target, *row);
    } catch (const UserFacingError& error) {
      if (w.inputModeNumber() != savedMode) w.applyInputModeNumber(savedMode);
      target->reshape(savedCells.rows(), savedCells.cols());
      target->cells() = savedCells;
      target->cellsReset();
      if (!savedStale) {
        w.setResultsGreyed(false);
        w.detailsPane()->setStaleNote(QString());
      }
      ShowDataCheck(&w, action + QStringLiteral("失败：\n") + QString::fromUtf8(error.what()));
      return;
    }
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
  w.markResultsStale(staleNote);
  QString note = QStringLiteral("已从“%1”的数据文件读入样本数据，其他设置未读入。").arg(source);
  if (!left.isEmpty())
    note += QStringLiteral("文件第 %1 行的样本超出本窗口的样本数据表，未读入。")
                .arg(left.join(QStringLiteral("、")));
  Dialogs().showMessage(&w, note, action, MessageIcon::Information);
}

}  // namespace kelvo
