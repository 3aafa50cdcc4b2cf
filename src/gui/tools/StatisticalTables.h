#pragma once
// The statistical tables as a student's appendix prints them, one tab per table, read-only,
// with a search row: degrees of freedom and α (or z) select the cell and show the exact
// value beside it. The cells are those of the database the analysis windows read.
#include <QWidget>
#include <vector>

#include "core/probability/TableLookup.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace kelvo {

class StatisticalTables : public QWidget {
  Q_OBJECT
 public:
  explicit StatisticalTables(QWidget* parent = nullptr);

  // The fault of the table database met on opening, empty when the tables were read.
  const QString& loadError() const { return m_loadError; }
  // Reads the search boxes and selects the cell; a cell the tables do not hold shows its
  // message box. True when a cell is selected.
  bool search();
  // Shows the tab of `lookup`, fills the search boxes with it and selects its cell.
  bool showCell(const TableLookup& lookup);
  QTableView* tableView(int tab) const;

 private:
  void setupTables();
  void setupSearch();
  // The search boxes the current tab needs, with their labels.
  void applyTab();
  bool select(const TableLookup& lookup);

  std::vector<PrintedTable> m_tables;
  QString m_loadError;
  QTabWidget* m_tabs = nullptr;
  QLabel* m_caption = nullptr;
  QLabel* m_firstLabel = nullptr;
  QLineEdit* m_first = nullptr;
  QLabel* m_secondLabel = nullptr;
  QLineEdit* m_second = nullptr;
  QLabel* m_alphaLabel = nullptr;
  QLineEdit* m_alpha = nullptr;
  QPushButton* m_search = nullptr;
  QLabel* m_exact = nullptr;
};

}  // namespace kelvo
