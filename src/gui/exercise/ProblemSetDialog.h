#pragma once
// 生成习题集: the teacher checks the topics, sets the number of problems and the seed, and
// writes the problem sheet and its answer key, as HTML or PDF by the file name as the report
// export does. The key goes beside the sheet, its name ending in "_答案".
#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;
class QSpinBox;

namespace kelvo {

class ProblemSetDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ProblemSetDialog(QWidget* parent = nullptr);

  // Asks for the sheet's file name and writes both files; true when both were written. No topic
  // checked, a cancelled question or a failed write leaves the dialog open (a message for the
  // faults).
  bool writeFiles();

  // The key's file name for a sheet's: "习题集.pdf" → "习题集_答案.pdf".
  static QString KeyPath(const QString& sheetPath);

 private:
  QListWidget* m_topics = nullptr;
  QSpinBox* m_count = nullptr;
  QSpinBox* m_seed = nullptr;
  QPushButton* m_write = nullptr;
};

// Shows the dialog modal over `parent`.
void ShowProblemSetDialog(QWidget* parent);

}  // namespace kelvo
