#include "gui/sample/SampleGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "core/shell/ScaleLayout.h"

namespace kelvo {

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
  verticalHeader()->setFixedWidth(columnPixels);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

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
  connect(model, &QAbstractItemModel::headerDataChanged, this, [this] { refreshCorner(); });
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

void SampleGridView::refreshCorner() {
  m_corner->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                        horizontalHeader()->height());
  m_corner->setText(QString::fromStdString(m_model->cells().text(0, 0)));
  m_corner->raise();
}

}  // namespace kelvo
