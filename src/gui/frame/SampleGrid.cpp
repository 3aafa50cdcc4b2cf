#include "gui/frame/SampleGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "core/sample/DelimitedText.h"
#include "core/sample/GridBuffer.h"
#include "core/text/Errors.h"
#include "core/layout/ScaleLayout.h"
#include "core/text/TextNumber.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {
constexpr int kMinimumHeadingTwips = 900;  // the narrowest data width

// Marks what the program itself put on the system clipboard; its own buffer is pasted then.
const QString kOwnCopyFormat = QStringLiteral("application/x-kelvo-cells");
// Clipboard text may take this many bytes per cell of room, on top of a fixed allowance: far
// more than any number needs, and a bound on the work a paste can cause.
constexpr std::size_t kClipboardBytesPerCell = 64;
constexpr std::size_t kClipboardBaseBytes = 64 * 1024;

// The text of the last copy, as put on the clipboard: a clipboard manager that takes over the
// clipboard may drop the marker format but keeps the text.
QString& LastOwnClipboardText() { return App().lastOwnClipboardText; }

// Text on the system clipboard that another program put there; null when there is none.
QString ForeignClipboardText() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
  if (!mime || !mime->hasText() || mime->hasFormat(kOwnCopyFormat)) return QString();
  QString text = mime->text();
  if (text.isEmpty() || text == LastOwnClipboardText()) return QString();
  return text;
}

// Text of more than one cell: cells separated by a tab or a line break, a last line break
// aside.
bool IsCellBlockText(QString text) {
  while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
  return text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
         text.contains(QLatin1Char('\r'));
}

}  // namespace

SampleGridModel::SampleGridModel(CellStore& cells, QObject* parent)
    : QAbstractTableModel(parent), m_cells(cells) {}

int SampleGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_cells.rows();
}

int SampleGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_cells.cols();
}

QVariant SampleGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return QString::fromStdString(m_cells.text(index.row(), index.column()));
}

bool SampleGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.row() == 0 || index.column() == 0)
    return false;
  if (!m_cells.setText(index.row(), index.column(), value.toString().toStdString())) return false;
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags SampleGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.row() == 0 || index.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant SampleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  const std::string& text = orientation == Qt::Horizontal ? m_cells.text(0, section)
                                                          : m_cells.text(section, 0);
  return QString::fromStdString(text);
}

void SampleGridModel::reshape(int rows, int cols) {
  beginResetModel();
  m_cells.resize(rows, cols);
  endResetModel();
}

void SampleGridModel::cellsChanged(int top, int left, int bottom, int right) {
  top = std::max(top, 0);
  left = std::max(left, 0);
  bottom = std::min(bottom, m_cells.rows() - 1);
  right = std::min(right, m_cells.cols() - 1);
  if (top > bottom || left > right) return;
  emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole, Qt::EditRole});
  if (top == 0) emit headerDataChanged(Qt::Horizontal, left, right);
  if (left == 0) emit headerDataChanged(Qt::Vertical, top, bottom);
}

void SampleGridModel::allCellsChanged() {
  cellsChanged(0, 0, m_cells.rows() - 1, m_cells.cols() - 1);
}

SampleGridView::SampleGridView(SampleGridModel* model, int columnWidthTwips, int rowHeightTwips,
                               QWidget* parent)
    : QTableView(parent), m_model(model), m_corner(new QLabel(this)) {
  setModel(model);
  const int columnPixels = std::max(1, columnWidthTwips / kTwipsPerPixel);
  const int rowPixels = std::max(1, rowHeightTwips / kTwipsPerPixel);

  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(1);
  }
  horizontalHeader()->setDefaultSectionSize(columnPixels);
  horizontalHeader()->setFixedHeight(rowPixels);
  verticalHeader()->setDefaultSectionSize(rowPixels);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  fitHeadingColumn();

  // Row 0 and column 0 are shown by the headers instead.
  if (model->rowCount() > 0) setRowHidden(0, true);
  if (model->columnCount() > 0) setColumnHidden(0, true);

  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);

  m_corner->setAlignment(Qt::AlignCenter);
  m_corner->setAutoFillBackground(true);
  m_corner->setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(model, &QAbstractItemModel::headerDataChanged, this, [this] {
    fitHeadingColumn();
    refreshCorner();
  });
  connect(model, &QAbstractItemModel::modelReset, this, &SampleGridView::fitHeadingColumn);
  if (model->rowCount() > 1 && model->columnCount() > 1)
    setCurrentIndex(model->index(1, 1));
}

QRect SampleGridView::selectedBlock() const {
  QModelIndex current = currentIndex();
  int top = current.row(), left = current.column(), bottom = top, right = left;
  const QItemSelection selection = selectionModel()->selection();
  bool first = true;
  for (const QItemSelectionRange& range : selection) {
    if (first) {
      top = range.top();
      left = range.left();
      bottom = range.bottom();
      right = range.right();
      first = false;
    } else {
      top = std::min(top, range.top());
      left = std::min(left, range.left());
      bottom = std::max(bottom, range.bottom());
      right = std::max(right, range.right());
    }
  }
  top = std::max(top, 1);
  left = std::max(left, 1);
  return QRect(QPoint(left, top), QPoint(std::max(right, left), std::max(bottom, top)));
}

QRect SampleGridView::cellRect(int row, int col, QWidget* target) const {
  QRect r = visualRect(m_model->index(row, col));
  return QRect(viewport()->mapTo(target, r.topLeft()), r.size());
}

void SampleGridView::keyPressEvent(QKeyEvent* event) {
  // Typed characters go to the cell editor; the other keys move the current cell first.
  if (event->text().isEmpty() || !event->text().at(0).isPrint()) QTableView::keyPressEvent(event);
  emit keyPressedOnGrid(event);
}

void SampleGridView::updateGeometries() {
  QTableView::updateGeometries();
  refreshCorner();
}

void SampleGridView::fitHeadingColumn() {
  // As wide as its headings need, whatever the data width: a wide data column must not push
  // the data out of sight.
  const QFontMetrics metrics(verticalHeader()->font());
  int width = kMinimumHeadingTwips / kTwipsPerPixel;
  for (int r = 0; r < m_model->rowCount(); ++r)
    width = std::max(width, metrics.horizontalAdvance(
                                QString::fromStdString(m_model->cells().text(r, 0))) + 16);
  if (verticalHeader()->width() != width) verticalHeader()->setFixedWidth(width);
}

void SampleGridView::refreshCorner() {
  m_corner->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                        horizontalHeader()->height());
  m_corner->setText(QString::fromStdString(m_model->cells().text(0, 0)));
  m_corner->raise();
}

SampleGrid::SampleGrid(const Options& options, QWidget* container, QObject* parent)
    : QObject(parent), m_options(options), m_cells(options.rows, options.cols),
      m_container(container) {
  m_model = new SampleGridModel(m_cells, this);
  m_view = new SampleGridView(m_model, options.columnWidthTwips, options.rowHeightTwips, container);
  m_view->setObjectName(options.gridName);

  m_editor = new QLineEdit(container);
  m_editor->setObjectName(options.editorName);
  m_editor->setFrame(false);
  m_editor->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #2f6fbf; }"));
  PlaceControl(m_editor, 0, 0, options.columnWidthTwips, options.rowHeightTwips);
  m_editor->hide();

  m_watched = {m_view.data(), m_view->viewport(), m_editor.data()};
  for (QObject* watched : m_watched) watched->installEventFilter(this);

  connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.row() > 0 && index.column() > 0) openEditor();
  });
  connect(m_view, &SampleGridView::keyPressedOnGrid, this, [this](QKeyEvent* event) {
    if (!event->text().isEmpty() && event->text().at(0).isPrint())
      openEditorWithKey(*event);
    else if (m_options.reopenEditorOnKey)
      reopenEditor();
  });
  // Only the user's changes are judged: the text the program shows is the cell's own.
  connect(m_editor, &QLineEdit::textEdited, this, &SampleGrid::commitEditorText);
  connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &SampleGrid::followEditor);
  connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &SampleGrid::followEditor);
}

SampleGrid::~SampleGrid() {
  // Widgets being destroyed still send events: stop watching them first.
  for (QObject* watched : m_watched)
    if (watched) watched->removeEventFilter(this);
  // The view reads the cell store while it goes: destroy it while the store still exists.
  delete m_view.data();
  delete m_editor.data();
  delete m_model;
}

bool SampleGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) emit focused(this);
  const bool isEditor = watched == m_watched[2];
  // Focus gone to another control (not to a menu, a dialog or another window): an unfinished
  // number leaves the editor as it has left the cell.
  if (isEditor && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        m_cells.contains(m_editRow, m_editCol)) {
      const QString cellText = QString::fromStdString(m_cells.text(m_editRow, m_editCol));
      if (m_editor->text() != cellText) {
        m_editor->setText(cellText);
        m_acceptedText = cellText;
      }
    }
  }
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  const int key = keyEvent->key();
  const bool plainDelete =
      key == Qt::Key_Delete && (keyEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  // The window's delete command has the Delete key; a grid without one still empties cells.
  if (watched == m_watched[0] && plainDelete) {
    deleteBlock();
    return true;
  }
  if (isEditor) {
    if (plainDelete && deleteKeyEmptiesCell()) {
      deleteBlock();
      return true;
    }
    // Enter and Tab in the editor go on to the next cell, so a sample is typed value by value.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
      moveEditorRight();
      return true;
    }
    // A block of cells pasted while a cell is being edited goes into the grid from that cell:
    // one line edit cannot hold it, and its text would be lost as a typing mistake.
    if (keyEvent->matches(QKeySequence::Paste) && pasteBlockIntoEditedCell()) return true;
  }
  return QObject::eventFilter(watched, event);
}

void SampleGrid::openEditor() {
  m_editorArmed = false;
  reopenEditor();
}

bool SampleGrid::reopenEditor() {
  const QModelIndex current = m_view->currentIndex();
  if (!current.isValid() || current.row() < 1 || current.column() < 1) return false;
  m_editRow = current.row();
  m_editCol = current.column();
  m_acceptedText = QString::fromStdString(m_cells.text(m_editRow, m_editCol));
  m_editor->setText(m_acceptedText);
  placeEditor();
  m_editor->show();
  m_editor->raise();
  m_editor->setFocus(Qt::OtherFocusReason);
  // Typing replaces the old value, as in a spreadsheet; arrows, Home and End edit within it.
  m_editor->selectAll();
  return true;
}

void SampleGrid::openEditorWithKey(const QKeyEvent& event) {
  m_editorArmed = false;
  if (!reopenEditor() || !m_editor->isVisible()) return;
  QKeyEvent copy(event.type(), event.key(), event.modifiers(), event.text());
  QApplication::sendEvent(m_editor, &copy);
}

bool SampleGrid::deleteKeyEmptiesCell() const {
  const QString text = m_editor->text();
  if (m_editor->hasSelectedText()) return m_editor->selectedText() == text;
  return m_editor->cursorPosition() == text.size();
}

void SampleGrid::followEditor() {
  if (m_editor && m_editor->isVisible()) placeEditor();
}

void SampleGrid::placeEditor() {
  if (!m_cells.contains(m_editRow, m_editCol)) return;
  const QRect cell = m_view->cellRect(m_editRow, m_editCol, m_container);
  const QRect view(m_view->viewport()->mapTo(m_container, QPoint(0, 0)), m_view->viewport()->size());
  m_editor->setVisible(view.intersects(cell));
  SetControlTwips(m_editor, {cell.x() * kTwipsPerPixel, cell.y() * kTwipsPerPixel,
                             cell.width() * kTwipsPerPixel, cell.height() * kTwipsPerPixel});
}

bool SampleGrid::acceptsCellText(std::string_view text) const {
  return text.empty() || (m_cellComplete ? m_cellComplete(text) : IsNumericText(text));
}

void SampleGrid::commitEditorText(const QString& text) {
  m_editorArmed = true;
  const std::string typed = text.toStdString();
  const bool complete = m_cellComplete ? m_cellComplete(typed) : IsNumericText(typed);
  const bool prefix = m_cellPrefix ? m_cellPrefix(typed) : IsNumericPrefix(typed);
  if (complete || prefix) {
    writeEditedCell(complete ? text : QString());
    m_acceptedText = text;
    return;
  }
  // Back to the text before this edit, the cursor where the edit began; then the message.
  const qsizetype added = text.size() - m_acceptedText.size();
  const qsizetype cursor =
      std::clamp<qsizetype>(m_editor->cursorPosition() - added, 0, m_acceptedText.size());
  m_editor->setText(m_acceptedText);
  m_editor->setCursorPosition(static_cast<int>(cursor));
  ShowDataCheck(m_view->window(), QStringLiteral("数据错误"));
}

void SampleGrid::writeEditedCell(const QString& text) {
  const std::string value = text.toStdString();
  if (!m_cells.contains(m_editRow, m_editCol) || m_cells.text(m_editRow, m_editCol) == value)
    return;
  if (m_cells.setText(m_editRow, m_editCol, value))
    m_model->cellsChanged(m_editRow, m_editCol, m_editRow, m_editCol);
}

QRect SampleGrid::selectedBlock() const { return m_view->selectedBlock(); }

void SampleGrid::copyBlock() {
  const QRect block = selectedBlock();
  App().program.copyBuffer = BlockText(m_cells, {block.top(), block.left(), block.bottom(), block.right()});
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    QString text = QString::fromStdString(App().program.copyBuffer);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto* mime = new QMimeData;
    mime->setText(text);
    mime->setData(kOwnCopyFormat, QByteArray());
    clipboard->setMimeData(mime);
    LastOwnClipboardText() = text;
  }
}

void SampleGrid::pasteBlock() {
  // A block selected from its lower right corner is pasted at its upper left corner.
  const QRect block = selectedBlock();
  const QString foreign = ForeignClipboardText();
  if (!foreign.isNull()) {
    pasteText(foreign, block.top(), block.left());
    return;
  }
  PasteGridBlock(m_cells, App().program.copyBuffer, block.top(), block.left());
  m_model->allCellsChanged();
  syncEditor();
}

bool SampleGrid::pasteBlockIntoEditedCell() {
  const QString foreign = ForeignClipboardText();
  if (!foreign.isNull()) {
    if (!IsCellBlockText(foreign)) return false;
    pasteText(foreign, m_editRow, m_editCol);
    return true;
  }
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard || !IsCellBlockText(clipboard->text())) return false;
  // The program's own copy: its buffer, as the paste command gives it.
  PasteGridBlock(m_cells, App().program.copyBuffer, m_editRow, m_editCol);
  m_model->allCellsChanged();
  syncEditor();
  return true;
}

bool SampleGrid::pasteText(const QString& text, int row, int col) {
  try {
    if (!IsDataCell(row, col, m_cells.rows(), m_cells.cols()))
      throw InputError("请先选择粘贴位置的单元格");
    // The room is what the computations read: the sample rows from here down (a row without a
    // heading takes no data) and the columns from here to the last.
    const int sampleRows = SampleRowCount(m_cells);
    if (row > sampleRows) throw InputError("这一行不接受数据，请选择有标题的行中的单元格");
    const int rows = sampleRows - row + 1;
    const int cols = m_cells.cols() - col;
    const std::size_t room = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    const BlockLimits limits{kClipboardBaseBytes + room * kClipboardBytesPerCell, room};
    // UTF-8 takes at least one byte per UTF-16 unit: text refused here is never converted.
    if (static_cast<std::size_t>(text.size()) > limits.maxBytes)
      throw InputError("数据太大（" + std::to_string(text.size() / 1024 + 1) +
                       " KB），最多只能接受 " + std::to_string(limits.maxBytes / 1024) + " KB");
    // A column copied from a spreadsheet goes along the row, as an imported column does.
    const TextBlock block = LaidOutForGrid(
        ParseDelimitedText(text.toStdString(), TextLayout::Clipboard, limits), rows, cols);
    WriteBlock(m_cells, block, row, col);
    m_model->cellsChanged(row, col, row + block.rows - 1, col + block.cols - 1);
    syncEditor();
    return true;
  } catch (const UserFacingError& error) {
    ShowDataCheck(m_view->window(),
                  QStringLiteral("剪贴板中的数据不能粘贴：\n") + QString::fromUtf8(error.what()));
    return false;
  }
}

void SampleGrid::deleteBlock() {
  const QRect block = selectedBlock();
  const std::string selection =
      BlockText(m_cells, {block.top(), block.left(), block.bottom(), block.right()});
  DeleteGridBlock(m_cells, selection, block.top(), block.left());
  m_model->cellsChanged(block.top(), block.left(), block.bottom(), block.right());
  syncEditor();
}

void SampleGrid::syncEditor() {
  // The program changed the cells: an open editor shows the new text without judging it
  // (an emptied cell is no typing mistake).
  if (!m_editor->isVisible()) return;
  m_editorArmed = false;
  reopenEditor();
}

void SampleGrid::moveEditorRight() {
  if (m_editCol < 1) return;
  const int col = std::min(m_editCol + 1, m_cells.cols() - 1);
  const QModelIndex next = m_model->index(m_editRow, col);
  m_view->setCurrentIndex(next);
  m_view->scrollTo(next);
  openEditor();
}

void SampleGrid::cellsReset() {
  m_model->allCellsChanged();
  syncEditor();
}

void SampleGrid::reshape(int rows, int cols) {
  if (rows == m_cells.rows() && cols == m_cells.cols()) return;
  const bool editing = m_editor->isVisible();
  m_model->reshape(rows, cols);
  if (rows > 0) m_view->setRowHidden(0, true);
  if (cols > 0) m_view->setColumnHidden(0, true);
  if (rows > 1 && cols > 1) m_view->setCurrentIndex(m_model->index(1, 1));
  if (!m_cells.contains(m_editRow, m_editCol)) {
    m_editRow = m_editCol = -1;
    m_editor->hide();
  } else if (editing) {
    placeEditor();
  }
}

void SampleGrid::setColumnWidthTwips(int col, int twips) {
  if (col < 1) return;  // the heading column fits its headings
  m_view->setColumnWidth(col, std::max(1, twips / kTwipsPerPixel));
  followEditor();
}

int SampleGrid::columnWidthTwips(int col) const { return m_view->columnWidth(col) * kTwipsPerPixel; }

long long SampleGrid::minimumHeightTwips() const {
  // The heading row and one data row, inside the frame.
  const int rows = m_view->horizontalHeader()->height() + m_view->verticalHeader()->defaultSectionSize();
  return static_cast<long long>(rows + 2 * m_view->frameWidth()) * kTwipsPerPixel;
}

}  // namespace kelvo
