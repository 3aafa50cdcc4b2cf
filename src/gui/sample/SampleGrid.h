#pragma once
// The sample grid: a Qt view over the core's cell store. Row 0 and column 0 of the store are
// the fixed headings; the view shows them in its header sections, so they stay in view while
// the grid scrolls and can be neither selected nor edited. Model indexes are grid
// coordinates: index(r, c) is cell (r, c), headings included.
#include <QAbstractTableModel>
#include <QTableView>

#include "core/sample/CellStore.h"

class QLabel;

namespace kelvo {

class SampleGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  SampleGridModel(CellStore& cells, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Writes a data cell's text as a paste would (no numeric check); headings refuse.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  CellStore& cells() { return m_cells; }
  // Tells the views that the store's texts changed behind the model's back.
  void cellsChanged(int top, int left, int bottom, int right);
  void allCellsChanged();

 private:
  CellStore& m_cells;
};

class SampleGridView : public QTableView {
  Q_OBJECT
 public:
  // columnWidthTwips for every column, the heading column included.
  SampleGridView(SampleGridModel* model, int columnWidthTwips, int rowHeightTwips,
                 QWidget* parent = nullptr);

  SampleGridModel* gridModel() const { return m_model; }
  // The top-left and bottom-right data cells of the selected block (the current cell alone
  // when nothing is selected).
  QRect selectedBlock() const;
  // The rectangle of a cell in the coordinates of `target`, heading cells included.
  QRect cellRect(int row, int col, QWidget* target) const;

 signals:
  void keyPressedOnGrid(QKeyEvent* event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void updateGeometries() override;

 private:
  void refreshCorner();

  SampleGridModel* m_model;
  QLabel* m_corner;
};

}  // namespace kelvo
