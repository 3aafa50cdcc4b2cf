#pragma once
// The sample grid: a Qt view over the core's cell store. Row 0 and column 0 of the store are
// the fixed headings; the view shows them in its header sections, so they stay in view while
// the grid scrolls and can be neither selected nor edited. Model indexes are grid
// coordinates: index(r, c) is cell (r, c), headings included.
#include <QAbstractTableModel>
#include <QLineEdit>
#include <QPointer>
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
  // Gives the store a new shape (texts inside both shapes kept) and tells the views.
  void reshape(int rows, int cols);
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
  void fitHeadingColumn();

  SampleGridModel* m_model;
  QLabel* m_corner;
};

// One grid of a window: the cell store, its model and view, the in-cell editor and the block
// operations. A window may have several; each commits only to itself, and the window routes
// the edit commands to the one that has (or last had) the focus.
//
// The editor opens over a cell with the cell's text selected, so a typed key replaces it. The
// cell follows the editor's text while the user edits: a number goes in as typed; a text on the
// way to a number ("", "-", ".", "1e-") leaves the cell empty, so the cell never holds a value
// the user did not type; a text that can never become a number is reported ("数据错误") and
// the editor goes back to its text before that edit. When the focus leaves the editor for
// another control, the editor shows its cell's text again (an unfinished "1e" is dropped from
// view as it is from the cell). The Delete key empties the selected cells, in the editor too
// unless it would delete characters there.
class SampleGrid : public QObject {
  Q_OBJECT
 public:
  struct Options {
    QString gridName = QStringLiteral("MSFlexGrid1");
    QString editorName = QStringLiteral("Text1");
    int rows = 3;
    int cols = 2;
    int columnWidthTwips = 900;
    int rowHeightTwips = 360;
    // Any key pressed on the grid reopens the editor; a typed character opens it in every
    // grid.
    bool reopenEditorOnKey = false;
  };

  // The view and the editor are created inside `container`, which the editor is placed in.
  SampleGrid(const Options& options, QWidget* container, QObject* parent);
  ~SampleGrid() override;

  CellStore& cells() { return m_cells; }
  const CellStore& cells() const { return m_cells; }
  SampleGridModel* model() const { return m_model; }
  SampleGridView* view() const { return m_view; }
  QLineEdit* editor() const { return m_editor; }
  // True once the user has changed the editor's text since it was opened on its cell.
  bool editorArmed() const { return m_editorArmed; }
  // What the editor takes as a cell's whole text and as a text on the way to one; by default a
  // number (IsNumericText, IsNumericPrefix). A grid whose cells hold lists of numbers sets its
  // own; nullptr puts the default back.
  using CellTextCheck = bool (*)(std::string_view);
  void setCellTextRule(CellTextCheck complete, CellTextCheck prefix) {
    m_cellComplete = complete;
    m_cellPrefix = prefix;
  }
  // Whether the grid takes `text` as a cell's whole text under that rule; an empty cell always.
  bool acceptsCellText(std::string_view text) const;

  // Opens the editor on the current cell: with the cell's text, all selected, over the cell.
  void openEditor();
  // The same without forgetting that the user changed the text; false when the current cell is
  // no data cell and the editor stayed as it was.
  bool reopenEditor();
  // Copies the selected block into the program's buffer and, as tab and line-feed text, onto
  // the system clipboard.
  void copyBlock();
  // Pastes at the selected block's top left cell: text another program put on the system
  // clipboard goes through pasteText; otherwise the program's own buffer is pasted and clipped
  // at the grid's edge.
  void pasteBlock();
  // Writes spreadsheet text (tabs between cells, line breaks between rows) with its top left
  // cell at (row, col), a single column laid out along the row; or refuses it with a
  // data-check message and writes nothing: a block that does not fit the sample rows and
  // columns from (row, col), a cell that is not a number, text that is too large. True when
  // written.
  bool pasteText(const QString& text, int row, int col);
  void deleteBlock();
  // After the program rewrote the store: the views redraw and an open editor follows.
  void cellsReset();
  // A new shape of the store (rows and columns), headings hidden again.
  void reshape(int rows, int cols);
  // Width of a data column (col ≥ 1); the heading column fits its headings by itself.
  void setColumnWidthTwips(int col, int twips);
  int columnWidthTwips(int col) const;
  // The smallest height that still shows one data row.
  long long minimumHeightTwips() const;
  // Moves an open editor back over its cell (after scrolling or a re-layout).
  void followEditor();
  // Closes the editor on its cell and opens it on the next cell to the right.
  void moveEditorRight();

 signals:
  // The grid or its editor received the focus.
  void focused(SampleGrid* grid);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The user changed the editor's text.
  void commitEditorText(const QString& text);
  void writeEditedCell(const QString& text);
  // A typed character on the grid: the editor opens and the character replaces the cell's text.
  void openEditorWithKey(const QKeyEvent& event);
  // The Delete key in the editor empties the cell unless it would delete characters: with the
  // whole text selected (as opened), or nothing selected and the cursor at the end.
  bool deleteKeyEmptiesCell() const;
  void syncEditor();
  // Ctrl+V in the editor with a block of cells on the clipboard: the block goes into the grid
  // from the edited cell. False when the clipboard holds one value, for the editor to take.
  bool pasteBlockIntoEditedCell();
  void placeEditor();
  QRect selectedBlock() const;

  Options m_options;
  CellStore m_cells;
  SampleGridModel* m_model = nullptr;
  QPointer<SampleGridView> m_view;
  QPointer<QLineEdit> m_editor;
  QList<QPointer<QObject>> m_watched;  // view, viewport, editor: watched for focus and keys
  QWidget* m_container = nullptr;
  int m_editRow = -1;  // the cell the editor was opened on
  int m_editCol = -1;
  bool m_editorArmed = false;
  QString m_acceptedText;  // the editor's text after its last accepted change
  CellTextCheck m_cellComplete = nullptr;
  CellTextCheck m_cellPrefix = nullptr;
};

}  // namespace kelvo
