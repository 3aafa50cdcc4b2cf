#include "gui/tools/StatisticalTables.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"

namespace kelvo {
namespace {

// One printed table as a read-only model, holding its own copy: the views outlive the
// window's members while the window is destroyed.
class PrintedTableModel : public QAbstractTableModel {
 public:
  PrintedTableModel(const PrintedTable& table, QObject* parent) : QAbstractTableModel(parent), m_table(table) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rowHeads.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_table.columnHeads.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto column = static_cast<std::size_t>(index.column());
    const double v = m_table.cells[static_cast<std::size_t>(index.row())][column];
    return QString::number(v, 'f', m_table.columnDecimals[column]);
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const auto& heads = orientation == Qt::Horizontal ? m_table.columnHeads : m_table.rowHeads;
    if (section < 0 || section >= static_cast<int>(heads.size())) return {};
    return QString::fromStdString(heads[static_cast<std::size_t>(section)]);
  }

 private:
  const PrintedTable m_table;
};

std::optional<double> ReadNumber(QWidget* window, const QLineEdit* box, const QString& name) {
  const std::string text = box->text().toStdString();
  if (!IsNumericText(text)) {
    ShowDataCheck(window, name + QStringLiteral(" 应为数值"));
    return std::nullopt;
  }
  return LeadingValue(text);
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

StatisticalTables::StatisticalTables(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("StatisticalTables"));
  setWindowTitle(QStringLiteral("统计用表"));
  try {
    m_tables = ReadPrintedTables(App().tables);
  } catch (const UserFacingError& e) {
    m_loadError = QString::fromUtf8(e.what());
  }
  setupTables();
  setupSearch();
  connect(m_tabs, &QTabWidget::currentChanged, this, &StatisticalTables::applyTab);
  connect(m_search, &QPushButton::clicked, this, &StatisticalTables::search);
  for (QLineEdit* box : {m_first, m_second, m_alpha}) connect(box, &QLineEdit::returnPressed, this, &StatisticalTables::search);
  applyTab();
  resize(860, 620);
  AddHelpKey(this, QStringLiteral("statistical-tables"));
}

void StatisticalTables::setupTables() {
  m_tabs = new QTabWidget(this);
  m_tabs->setObjectName(QStringLiteral("tableTabs"));
  for (std::size_t i = 0; i < m_tables.size(); ++i) {
    const PrintedTable& table = m_tables[i];
    auto* view = new QTableView(m_tabs);
    view->setObjectName(QStringLiteral("table%1").arg(i));
    view->setModel(new PrintedTableModel(table, view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->setMinimumSectionSize(48);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setCornerButtonEnabled(false);
    m_tabs->addTab(view, Text(table.title));
  }
  m_caption = new QLabel(this);
  m_caption->setObjectName(QStringLiteral("captionLabel"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_caption);
  layout->addWidget(m_tabs, 1);
  if (!m_loadError.isEmpty()) m_caption->setText(m_loadError);
}

void StatisticalTables::setupSearch() {
  auto* row = new QHBoxLayout;
  m_firstLabel = new QLabel(this);
  m_first = new QLineEdit(this);
  m_first->setObjectName(QStringLiteral("searchFirstBox"));
  m_secondLabel = new QLabel(this);
  m_second = new QLineEdit(this);
  m_second->setObjectName(QStringLiteral("searchSecondBox"));
  m_alphaLabel = new QLabel(this);
  m_alpha = new QLineEdit(this);
  m_alpha->setObjectName(QStringLiteral("searchAlphaBox"));
  m_search = new QPushButton(QStringLiteral("查找"), this);
  m_search->setObjectName(QStringLiteral("searchButton"));
  m_exact = new QLabel(this);
  m_exact->setObjectName(QStringLiteral("exactLabel"));
  m_exact->setTextInteractionFlags(Qt::TextSelectableByMouse);
  for (QLineEdit* box : {m_first, m_second, m_alpha}) box->setMaximumWidth(90);
  row->addWidget(m_firstLabel);
  row->addWidget(m_first);
  row->addWidget(m_secondLabel);
  row->addWidget(m_second);
  row->addWidget(m_alphaLabel);
  row->addWidget(m_alpha);
  row->addWidget(m_search);
  row->addWidget(m_exact, 1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

QTableView* StatisticalTables::tableView(int tab) const { return qobject_cast<QTableView*>(m_tabs->widget(tab)); }

void StatisticalTables::applyTab() {
  const int tab = m_tabs->currentIndex();
  const bool any = tab >= 0 && tab < static_cast<int>(m_tables.size());
  const PrintedTableKind kind = any ? m_tables[static_cast<std::size_t>(tab)].kind : PrintedTableKind::T;
  if (any) m_caption->setText(Text(m_tables[static_cast<std::size_t>(tab)].caption));
  const bool two = kind == PrintedTableKind::F || kind == PrintedTableKind::RankSum;
  const bool level = kind != PrintedTableKind::Normal && kind != PrintedTableKind::RankSum;
  switch (kind) {
    case PrintedTableKind::Normal: m_firstLabel->setText(QStringLiteral("z")); break;
    case PrintedTableKind::F:
    case PrintedTableKind::RankSum: m_firstLabel->setText(QStringLiteral("n₁")); break;
    default: m_firstLabel->setText(QStringLiteral("自由度 n"));
  }
  m_secondLabel->setText(QStringLiteral("n₂"));
  m_alphaLabel->setText(QStringLiteral("α"));
  m_secondLabel->setVisible(two);
  m_second->setVisible(two);
  m_alphaLabel->setVisible(level);
  m_alpha->setVisible(level);
  m_search->setEnabled(any);
  if (kind == PrintedTableKind::F && any) m_alpha->setText(QString::number(m_tables[static_cast<std::size_t>(tab)].alpha));
  m_exact->clear();
}

bool StatisticalTables::search() {
  const int tab = m_tabs->currentIndex();
  if (tab < 0 || tab >= static_cast<int>(m_tables.size())) return false;
  TableLookup lookup;
  lookup.kind = m_tables[static_cast<std::size_t>(tab)].kind;
  const std::optional<double> first = ReadNumber(this, m_first, m_firstLabel->text());
  if (!first) return false;
  lookup.first = *first;
  if (m_second->isVisible() || lookup.kind == PrintedTableKind::F || lookup.kind == PrintedTableKind::RankSum) {
    const std::optional<double> second = ReadNumber(this, m_second, QStringLiteral("n₂"));
    if (!second) return false;
    lookup.second = *second;
  }
  if (lookup.kind == PrintedTableKind::T || lookup.kind == PrintedTableKind::ChiSquare || lookup.kind == PrintedTableKind::F) {
    const std::optional<double> alpha = ReadNumber(this, m_alpha, QStringLiteral("α"));
    if (!alpha) return false;
    lookup.alpha = *alpha;
  }
  return select(lookup);
}

bool StatisticalTables::showCell(const TableLookup& lookup) {
  for (std::size_t i = 0; i < m_tables.size(); ++i) {
    if (m_tables[i].kind != lookup.kind) continue;
    if (lookup.kind == PrintedTableKind::F && m_tables[i].alpha != lookup.alpha) continue;
    m_tabs->setCurrentIndex(static_cast<int>(i));
    break;
  }
  m_first->setText(QString::number(lookup.first));
  m_second->setText(QString::number(lookup.second));
  m_alpha->setText(QString::number(lookup.alpha));
  return select(lookup);
}

bool StatisticalTables::select(const TableLookup& lookup) {
  m_exact->clear();
  try {
    const LocatedCell cell = LocateCell(m_tables, lookup);
    m_tabs->setCurrentIndex(static_cast<int>(cell.table));
    QTableView* view = tableView(static_cast<int>(cell.table));
    const QModelIndex index = view->model()->index(static_cast<int>(cell.row), static_cast<int>(cell.column));
    view->setCurrentIndex(index);
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_exact->setText(Text(cell.text));
    return true;
  } catch (const UserFacingError& e) {
    ShowDataCheck(this, QString::fromUtf8(e.what()));
    return false;
  }
}

}  // namespace kelvo
