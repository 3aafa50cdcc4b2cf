// Qt's own file dialog behind the dialog service, answered by a timer as a user would.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "gui/common/Dialogs.h"

using kelvo::FileQuestion;

class QtDialogsTest : public QObject {
  Q_OBJECT

  // Once the file dialog is up: choose `filter`, type `name` and press Enter.
  static void answerWhenShown(const QString& filter, const QString& name) {
    QTimer::singleShot(50, [filter, name] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      if (!filter.isEmpty()) {
        dialog->selectNameFilter(filter);
        // The combo box of file types reports the choice as a user's click does.
        emit dialog->filterSelected(filter);
      }
      auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(nameBox);
      nameBox->setText(name);
      QTest::keyClick(nameBox, Qt::Key_Return);
    });
  }

 private slots:
  void aSavedNameWithoutSuffixTakesTheChosenFileType_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first type") << QString() << "report" << "report.html";
    QTest::newRow("second type chosen") << "PDF 文件 (*.pdf)" << "report" << "report.pdf";
    QTest::newRow("typed suffix kept") << "PDF 文件 (*.pdf)" << "report.html" << "report.html";
  }

  void aSavedNameWithoutSuffixTakesTheChosenFileType() {
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    kelvo::QtDialogs dialogs;
    answerWhenShown(filter, typed);
    const QString path = dialogs.askFilePath(nullptr, FileQuestion::Save, "导出报告",
                                             "HTML 文件 (*.html);;PDF 文件 (*.pdf)", dir.path());
    QCOMPARE(QFileInfo(path).fileName(), expected);
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
  }
};

int main(int argc, char** argv) {
  // Qt's own dialog, never a platform one, so the test can answer it.
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  QtDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "QtDialogsTest.moc"
