#include "gui/exercise/ProblemSetDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/ProblemSet.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/frame/Report.h"

namespace kelvo {
namespace {

const QString kTitle = QStringLiteral("生成习题集");
constexpr int kMaxSeed = 999999;

void WriteDocument(const std::string& html, const QString& title, const QString& path, ReportFormat format) {
  const QString text = QString::fromStdString(html);
  if (format == ReportFormat::Pdf) {
    WriteHtmlAsPdf(text, title, path);
    return;
  }
  WriteHtmlFile(text, path);
}

}  // namespace

ProblemSetDialog::ProblemSetDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProblemSetDialog"));
  setWindowTitle(kTitle);

  m_topics = new QListWidget(this);
  m_topics->setObjectName(QStringLiteral("setTopicList"));
  const std::span<const ExerciseTopic> topics = ExerciseTopics();
  for (std::size_t i = 0; i < topics.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromUtf8(topics[i].group) + QStringLiteral("：") +
                                         QString::fromUtf8(topics[i].name),
                                     m_topics);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    item->setData(Qt::UserRole, static_cast<int>(i));
  }
  m_count = new QSpinBox(this);
  m_count->setObjectName(QStringLiteral("setCountBox"));
  m_count->setRange(1, kMaxProblemSetCount);
  m_count->setValue(10);
  m_seed = new QSpinBox(this);
  m_seed->setObjectName(QStringLiteral("setSeedBox"));
  m_seed->setRange(0, kMaxSeed);
  m_seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(kMaxSeed + 1)));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("题数"), m_count);
  form->addRow(QStringLiteral("种子"), m_seed);

  auto* buttons = new QDialogButtonBox(this);
  m_write = buttons->addButton(QStringLiteral("生成…"), QDialogButtonBox::AcceptRole);
  m_write->setObjectName(QStringLiteral("setWriteButton"));
  buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
  connect(m_write, &QPushButton::clicked, this, [this] {
    if (writeFiles()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("题型（勾选要出的题型）"), this));
  layout->addWidget(m_topics, 1);
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("同样的题型、题数与种子总是生成同样的习题集。\n"
                                              "文件名以 .pdf 结尾时生成 PDF，否则生成 HTML；"
                                              "答案写在同一文件夹的“…_答案”文件中。"),
                               this));
  layout->addWidget(buttons);
  resize(560, 520);
  AddHelpKey(this, QStringLiteral("problem-sets"));
}

QString ProblemSetDialog::KeyPath(const QString& sheetPath) {
  const QFileInfo info(sheetPath);
  const QString suffix = info.suffix();
  const QString base = info.completeBaseName() + QStringLiteral("_答案");
  return info.dir().filePath(suffix.isEmpty() ? base : base + QLatin1Char('.') + suffix);
}

bool ProblemSetDialog::writeFiles() {
  std::vector<const ExerciseTopic*> chosen;
  const std::span<const ExerciseTopic> topics = ExerciseTopics();
  for (int row = 0; row < m_topics->count(); ++row)
    if (m_topics->item(row)->checkState() == Qt::Checked)
      chosen.push_back(&topics[static_cast<std::size_t>(m_topics->item(row)->data(Qt::UserRole).toInt())]);
  if (chosen.empty()) {
    Dialogs().showMessage(this, QStringLiteral("请至少勾选一个题型"), kTitle, MessageIcon::Information);
    return false;
  }
  QString path = Dialogs().askFilePath(this, FileQuestion::Save, kTitle,
                                       QStringLiteral("HTML 文件 (*.html);;PDF 文件 (*.pdf)"),
                                       QDir(FileDialogFolder()).filePath(QStringLiteral("习题集.html")));
  if (path.isEmpty()) return false;
  RememberFileFolder(path);
  const ReportFormat format = ReportFormatOf(path);
  try {
    const ProblemSetDocuments set =
        BuildProblemSet(App().tables, chosen, m_count->value(), static_cast<std::uint64_t>(m_seed->value()));
    WriteDocument(set.sheet, QStringLiteral("习题集"), path, format);
    WriteDocument(set.key, QStringLiteral("习题集答案"), KeyPath(path), format);
  } catch (const UserFacingError& error) {
    Dialogs().showMessage(this, QString::fromUtf8(error.what()), kTitle, MessageIcon::Stop);
    return false;
  }
  return true;
}

void ShowProblemSetDialog(QWidget* parent) {
  ProblemSetDialog dialog(parent);
  dialog.exec();
}

}  // namespace kelvo
