#pragma once
// Opening the tool windows of the menu "工具": one of each at a time, a second opening brings
// it to the front.
#include <QObject>
#include <QUrl>

namespace kelvo {

class ProbabilityCalculator;
class StatisticalTables;

ProbabilityCalculator* ShowProbabilityCalculator();
// A fault of the table database is shown in its message box once the window is up.
StatisticalTables* ShowStatisticalTables();

// Opens the tables window at the cell a worked solution's table link names. Installed as the
// handler of those links (QDesktopServices) by InstallTableLinkHandler.
class TableLinkHandler : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~TableLinkHandler() override;
 public slots:
  void openTableLink(const QUrl& url);
};

// Makes QDesktopServices::openUrl of a table link open the tables window; `owner` keeps the
// handler alive.
void InstallTableLinkHandler(QObject* owner);

}  // namespace kelvo
