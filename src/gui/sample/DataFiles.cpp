// The file menu's data commands: import, open and save of a window's grids.
//
// The rows of a grid that take data are its sample rows: the rows from row 1 on that carry a
// heading (数据值, 重复值, 样本二, X, P, ...). Import fills the sample rows of the grid in use;
// save and open carry the sample rows of every grid the window shows. Nothing is written to a
// grid before the whole file has been read and checked.
#include <QFileInfo>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <filesystem>
#include <vector>

#include "core/sample/DataFile.h"
#include "core/sample/DelimitedText.h"
#include "core/sample/GridBuffer.h"
#include "core/shell/AtomicFile.h"
#include "core/shell/Errors.h"
#include "gui/hypothesis/Form5.h"
#include "gui/sample/AnalysisWindow.h"
#include "gui/sample/DetailsPane.h"
#include "gui/sample/SampleGrid.h"
#include "gui/shell/AppContext.h"
#include "gui/shell/Dialogs.h"

namespace kelvo {
namespace {

const QString kImportFilter = QStringLiteral("数据文件 (*.csv *.txt);;所有文件 (*)");
const QString kDataFilter = QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)");

// The folder of the last data file read or written in this run, where the next question starts.
std::filesystem::path FilePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

void ClearSampleRows(CellStore& cells) {
  const int rows = SampleRowCount(cells);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c < cells.cols(); ++c)
      if (!cells.text(r, c).empty()) cells.setText(r, c, {});
}

bool Shown(const SampleGrid* grid) { return !grid->view()->isHidden(); }

QString GridName(const SampleGrid* grid) { return grid->view()->objectName(); }

// The input mode as the data file numbers it: 3 is the grouped data of the fitting test.
int FileInputMode(const AnalysisWindow* window) {
  if (auto* fitting = qobject_cast<const Form5*>(window))
    if (fitting->fittingInputMode() == FittingInputMode::Grouped) return 3;
  return window->inputMode() == InputMode::One ? 1 : 2;
}

// Everything a failed open must put back.
struct GridSnapshot {
  SampleGrid* grid;
  CellStore cells;
};

}  // namespace

void AnalysisWindow::importData() {
  SampleGrid* target = m_activeGrid;
  const QString path = Dialogs().askFilePath(this, FileQuestion::Open, QStringLiteral("导入数据"),
                                             kImportFilter, FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  try {
    CellStore& cells = target->cells();
    const int rows = SampleRowCount(cells);
    const int cols = cells.cols() - 1;
    if (rows == 0 || cols < 1 || !Shown(target) || !target->view()->isEnabled())
      throw InputError("这个表格现在不能输入数据");
    const std::string bytes = ReadWholeFile(FilePath(path), kMaxDataFileBytes);
    const BlockLimits limits{kMaxDataFileBytes,
                             static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols)};
    const TextBlock block =
        LaidOutForGrid(ParseDelimitedText(bytes, TextLayout::File, limits), rows, cols);
    ClearSampleRows(cells);
    WriteBlock(cells, block, 1, 1);
    target->cellsReset();
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, QStringLiteral("导入数据失败：\n") + QString::fromUtf8(error.what()));
  }
}

void AnalysisWindow::saveData() {
  QString path = Dialogs().askFilePath(this, FileQuestion::Save, QStringLiteral("保存数据"),
                                       kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  RememberFileFolder(path);
  try {
    DataFileContent content;
    content.window = objectName().toStdString();
    content.inputMode = FileInputMode(this);
    for (SampleGrid* grid : m_grids) {
      if (!Shown(grid)) continue;
      const CellStore& cells = grid->cells();
      const int rows = SampleRowCount(cells);
      for (int r = 1; r <= rows; ++r) {
        int last = cells.cols() - 1;
        while (last >= 1 && cells.text(r, last).empty()) --last;
        if (last < 1) continue;
        DataFileRow row{GridName(grid).toStdString(), r, {}};
        row.cells.reserve(static_cast<std::size_t>(last));
        for (int c = 1; c <= last; ++c) row.cells.push_back(cells.text(r, c));
        content.rows.push_back(std::move(row));
      }
    }
    WriteFileAtomically(FilePath(path), FormatDataFile(content));
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, QStringLiteral("保存数据失败：\n") + QString::fromUtf8(error.what()));
  }
}

void AnalysisWindow::openData() {
  const QString path = Dialogs().askFilePath(this, FileQuestion::Open, QStringLiteral("打开数据"),
                                             kDataFilter, FileDialogFolder());
  if (path.isEmpty()) return;
  RememberFileFolder(path);
  const QString failed = QStringLiteral("打开数据失败：\n");

  // Read and check everything that does not depend on the input mode first.
  DataFileContent content;
  std::vector<SampleGrid*> targets;  // the grid of each row of the file
  try {
    std::size_t room = 0;
    for (SampleGrid* grid : m_grids)
      room += static_cast<std::size_t>(std::max(grid->cells().rows() - 1, 3)) *
              static_cast<std::size_t>(std::max(grid->cells().cols() - 1, 0));
    content = ParseDataFile(ReadWholeFile(FilePath(path), kMaxDataFileBytes), room);
    if (QString::fromStdString(content.window) != objectName())
      throw InputError("这个数据文件是窗口 " + content.window + " 保存的，不能在本窗口中打开");
    auto* fitting = qobject_cast<Form5*>(this);
    if (content.inputMode == 3 && !fitting) throw InputError("本窗口没有输入方式三");
    if (fitting && !fitting->chosenEntry()) throw InputError("请先选择要检验的分布，再打开数据");
    // The file may only choose an input mode that the window offers now.
    const QString optionName = QStringLiteral("Option%1").arg(content.inputMode);
    const auto* option = findChild<QRadioButton*>(optionName);
    if (!option || !option->isEnabled())
      throw InputError("本窗口现在不能使用" + InputModeName(content.inputMode) +
                       "，不能打开这个数据文件");
    for (const DataFileRow& row : content.rows) {
      SampleGrid* grid = nullptr;
      for (SampleGrid* g : m_grids)
        if (GridName(g).toStdString() == row.grid) grid = g;
      if (!grid) throw InputError("本窗口没有表格 " + row.grid);
      if (!Shown(grid))
        throw InputError("文件中有表格 " + row.grid +
                         " 的数据，但这个表格现在没有显示（请先选择相应的分布）");
      const std::size_t cols = static_cast<std::size_t>(grid->cells().cols() - 1);
      if (row.cells.size() > cols)
        throw InputError("表格 " + row.grid + " 第 " + std::to_string(row.row) + " 行有 " +
                         std::to_string(row.cells.size()) + " 个数据，超出表格的 " +
                         std::to_string(cols) + " 列");
      targets.push_back(grid);
    }
  } catch (const UserFacingError& error) {
    ShowDataCheck(this, failed + QString::fromUtf8(error.what()));
    return;
  }

  // The input mode decides the sample rows; a file whose rows the mode does not have is put
  // back to the window as it was.
  std::vector<GridSnapshot> saved;
  for (SampleGrid* grid : m_grids) saved.push_back({grid, grid->cells()});
  const int savedMode = FileInputMode(this);
  const bool savedStale = m_stale;
  auto applyMode = [this](int mode) {
    if (auto* fitting = qobject_cast<Form5*>(this))
      fitting->SetFittingInputMode(mode == 3   ? FittingInputMode::Grouped
                                   : mode == 2 ? FittingInputMode::RepeatCounts
                                               : FittingInputMode::Individual);
    else
      setInputMode(mode == 2 ? InputMode::Two : InputMode::One);
  };
  // The window's own mode is kept as it is (a grouped-data layout asks for its summaries again
  // when it is laid out anew); the data are replaced below either way.
  const bool modeChanges = savedMode != content.inputMode;
  if (modeChanges) applyMode(content.inputMode);

  for (std::size_t i = 0; i < content.rows.size(); ++i) {
    const int rows = SampleRowCount(targets[i]->cells());
    if (content.rows[i].row > rows) {
      if (modeChanges) applyMode(savedMode);
      for (GridSnapshot& s : saved) {
        s.grid->reshape(s.cells.rows(), s.cells.cols());
        s.grid->cells() = std::move(s.cells);
        s.grid->cellsReset();
      }
      if (!savedStale) {
        setResultsGreyed(false);
        m_details->setStaleNote(QString());
      }
      ShowDataCheck(this,
                    failed + QStringLiteral("表格 %1 没有第 %2 行：%3下只有 %4 行数据")
                                 .arg(QString::fromStdString(content.rows[i].grid))
                                 .arg(content.rows[i].row)
                                 .arg(QString::fromStdString(InputModeName(content.inputMode)))
                                 .arg(rows));
      return;
    }
  }
  for (SampleGrid* grid : m_grids)
    if (Shown(grid)) ClearSampleRows(grid->cells());
  for (std::size_t i = 0; i < content.rows.size(); ++i) {
    CellStore& cells = targets[i]->cells();
    const DataFileRow& row = content.rows[i];
    for (std::size_t c = 0; c < row.cells.size(); ++c)
      cells.setText(row.row, static_cast<int>(c) + 1, row.cells[c]);
  }
  {
    // The new cells are named as the file they came from.
    const QScopedValueRollback<int> own(m_ownChanges, m_ownChanges + 1);
    for (SampleGrid* grid : m_grids) grid->cellsReset();
  }
  markResultsStale(QStringLiteral("已打开数据文件"));
}

}  // namespace kelvo
