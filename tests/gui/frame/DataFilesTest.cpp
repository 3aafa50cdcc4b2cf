// Data in and out of an analysis window: import of CSV and text files, save and open of the
// window's own data file, and paste of spreadsheet text from the system clipboard.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/ProgramState.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form5.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/SampleGrid.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// Every text of every grid of a window, headings included, one line per row.
QStringList GridTexts(AnalysisWindow* window) {
  QStringList out;
  for (SampleGridView* view : window->findChildren<SampleGridView*>()) {
    const CellStore& cells = view->gridModel()->cells();
    for (int r = 0; r < cells.rows(); ++r) {
      QStringList row;
      for (int c = 0; c < cells.cols(); ++c) row << QString::fromStdString(cells.text(r, c));
      out << view->objectName() + QLatin1Char(':') + row.join(QLatin1Char('|'));
    }
  }
  return out;
}

void Trigger(AnalysisWindow* window, const char* action) {
  QAction* found = window->findChild<QAction*>(QString::fromLatin1(action));
  QVERIFY2(found, action);
  found->trigger();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SetForeignClipboard(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace

class DataFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    QGuiApplication::clipboard()->clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
  }
  void cleanup() {
    m_fixture.reset();
    m_dir.reset();
  }

  // --- save and open ---------------------------------------------------------------------

  void savedFileOpensToTheSameGridInModeOne() {
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"1", "2.5", "", "-4e1"});
    save(w, path("one"));  // without a suffix the file gets ".csv"
    QCOMPARE(ReadFile(path("one.csv")),
             QByteArray("# Kelvo 数据, Form9, 输入方式一, 版本 2\n# 窗口, 5, 正态分布\n"
                        "MSFlexGrid1,1,1,2.5,,-4e1\n# 结束, 2 行\n"));
    const QStringList saved = GridTexts(w);
    WindowFixture::fill(w, 1, {"9", "9", "9", "9", "9"});
    open(w, path("one.csv"));
    QCOMPARE(GridTexts(w), saved);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  void savedFileOpensToTheSameGridInModeTwo() {
    Form9* w = form9();
    w->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::fill(w, 2, {"4", "5", "6"});
    save(w, path("two.csv"));
    const QStringList saved = GridTexts(w);

    Form9* other = form9();
    other->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::fill(other, 1, {"7"});
    open(other, path("two.csv"));
    QCOMPARE(other->inputMode(), InputMode::Two);
    QVERIFY(other->findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
    QCOMPARE(GridTexts(other), saved);
  }

  void rankSumWindowKeepsBothSamples() {
    auto* w = m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
    WindowFixture::fill(w, 1, {"1.1", "2.2", "3.3"});
    WindowFixture::fill(w, 2, {"4", "5", "6", "7", "8"});
    save(w, path("ranks.csv"));
    const QStringList saved = GridTexts(w);
    auto* other = m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
    open(other, path("ranks.csv"));
    QCOMPARE(GridTexts(other), saved);
    QCOMPARE(WindowFixture::cell(other, 2, 5), QStringLiteral("8"));
  }

  void fittingWindowKeepsItsLawGrid() {
    Form5* w = form5();
    chooseLaw(w, 0);
    WindowFixture::fill(w, 1, {"0", "1", "1", "2"});
    SampleGridModel* law = w->lawGrid()->model();
    law->setData(law->index(1, 1), QStringLiteral("0"));
    law->setData(law->index(1, 2), QStringLiteral("1"));
    law->setData(law->index(2, 1), QStringLiteral("0.25"));
    law->setData(law->index(2, 2), QStringLiteral("0.75"));
    save(w, path("law.csv"));
    const QStringList saved = GridTexts(w);

    // The file chooses its law: a window with none chosen, or another, takes it.
    Form5* other = form5();
    open(other, path("law.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(other->chosenEntry(), std::optional(FittingEntry::UserLaw));
    QCOMPARE(GridTexts(other), saved);

    // A file of the first version names no law: it needs the window's, and one with the law grid.
    WriteFile(
        path("old.csv"),
        "# Kelvo 数据, Form5, 输入方式一\nMSFlexGrid1,1,0,1\nMSFlexGrid2,1,0,1\n# 结束, 2 行\n");
    Form5* none = form5();
    open(none, path("old.csv"));
    QCOMPARE(m_fixture->messageTexts(),
             QStringList{QStringLiteral("打开数据失败：\n请先选择要检验的分布，再打开数据")});
    Form5* binomial = form5();
    chooseLaw(binomial, 6);  // a law without the law grid
    const QStringList before = GridTexts(binomial);
    m_fixture->dialogs.messages.clear();
    open(binomial, path("old.csv"));
    QCOMPARE(GridTexts(binomial), before);
    QCOMPARE(m_fixture->messageTexts().value(0),
             QStringLiteral("打开数据失败：\n文件中有分布律表的数据，但这个表格现在没有显示（请先选"
                            "择相应的分布）"));
  }

  void groupedDataReopenInTheGroupedLayout() {
    Form5* w = form5();
    m_fixture->dialogs.queueAnswer(QStringLiteral("0"));  // the uniform law's known bounds
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    chooseLaw(w, 7);
    QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("Option3")), Qt::LeftButton);
    QCOMPARE(w->fittingInputMode(), FittingInputMode::Grouped);
    WindowFixture::fill(w, 1, {"0", "5"});
    WindowFixture::fill(w, 2, {"5", "10"});
    WindowFixture::fill(w, 3, {"12", "8"});
    save(w, path("grouped.csv"));
    QVERIFY(ReadFile(path("grouped.csv")).startsWith("# Kelvo 数据, Form5, 输入方式三, 版本 2\n"));
    const QStringList saved = GridTexts(w);

    Form5* other = form5();
    m_fixture->dialogs.queueAnswer(QStringLiteral("0"));
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    chooseLaw(other, 7);
    open(other, path("grouped.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(other->fittingInputMode(), FittingInputMode::Grouped);
    QCOMPARE(GridTexts(other), saved);
    QCOMPARE(m_fixture->dialogs.unansweredQuestions, 0);
  }

  // A first-version file names no summaries: the grouped mode asks them, and 取消 ends the
  // open with the window as it was.
  void cancellingTheSummariesOfAnOldGroupedFileChangesNothing() {
    WriteFile(path("old-grouped.csv"),
              "# Kelvo 数据, Form5, 输入方式三\nMSFlexGrid1,1,0,5\nMSFlexGrid1,2,5,10\n"
              "MSFlexGrid1,3,12,8\n# 结束, 3 行\n");
    Form5* w = form5();
    chooseLaw(w, 6);  // λ unknown: grouped data need ∑X
    WindowFixture::fill(w, 1, {"1", "2"});
    const QStringList before = GridTexts(w);
    m_fixture->dialogs.queueCancel();
    open(w, path("old-grouped.csv"));
    QCOMPARE(m_fixture->dialogs.prompts, QStringList{QStringLiteral("输入∑X值")});
    QCOMPARE(w->fittingInputMode(), FittingInputMode::Individual);
    QCOMPARE(GridTexts(w), before);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    // Answered, the file opens in the grouped layout.
    m_fixture->dialogs.queueAnswer(QStringLiteral("30"));
    open(w, path("old-grouped.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(w->fittingInputMode(), FittingInputMode::Grouped);
    QCOMPARE(WindowFixture::cell(w, 3, 1), QStringLiteral("12"));
    QCOMPARE(w->fittingParameters().poissonSumX, 30.0);
  }

  void damagedOrForeignFilesChangeNothing() {
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"5", "6"});
    const QStringList before = GridTexts(w);
    const QByteArray good = "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,1,2\n# 结束, 1 行\n";
    struct Case {
      const char* name;
      QByteArray bytes;
      QString message;
    };
    const Case cases[] = {
        {"cut short", good.left(good.size() - 8), QStringLiteral("缺少结束行")},
        {"non-numeric", QByteArray(good).replace(",2\n", ",2x\n"), QStringLiteral("“2x”不是数值")},
        {"spreadsheet csv", "1,2,3\n", QStringLiteral("缺少文件头")},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11), QStringLiteral("不是文本")},
        {"mode the window lacks", QByteArray(good).replace("输入方式一", "输入方式二"),
         QStringLiteral("本窗口现在不能使用“输入方式二”")},
        {"too wide",
         "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1" + QByteArray(101, ',') +
             "5\n# 结束, 1 行\n",
         QStringLiteral("超出表格的 100 列")},
        {"unknown grid", QByteArray(good).replace("MSFlexGrid1", "MSFlexGrid7"),
         QStringLiteral("文件中有本窗口没有的表格的数据")},
        {"later version", QByteArray(good).replace("输入方式一", "输入方式一, 版本 9"),
         QStringLiteral("较新版本")},
    };
    for (const Case& c : cases) {
      m_fixture->dialogs.messages.clear();
      WriteFile(path("bad.csv"), c.bytes);
      open(w, path("bad.csv"));
      const QStringList shown = m_fixture->messageTexts();
      QVERIFY2(shown.size() == 1 && shown[0].startsWith(QStringLiteral("打开数据失败")) &&
                   shown[0].contains(c.message),
               qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") +
                          shown.join(QLatin1Char('/'))));
      QCOMPARE(m_fixture->dialogs.messages.front().title, QStringLiteral("数据检查"));
      QVERIFY2(GridTexts(w) == before, c.name);
    }
  }

  void rowTheModeLacksPutsTheWindowBack() {
    // Row 2 exists in input mode two only: the window goes back to mode two with its data.
    Form9* w = form9();
    w->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "2"});
    WindowFixture::fill(w, 2, {"3", "4"});
    const QStringList before = GridTexts(w);
    WriteFile(path("rows.csv"), "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,2,5\n# 结束, 1 行\n");
    open(w, path("rows.csv"));
    QCOMPARE(m_fixture->messageTexts(),
             QStringList{QStringLiteral(
                 "打开数据失败：\n样本数据表没有第 2 行：输入方式一下只有 1 行数据")});
    QCOMPARE(w->inputMode(), InputMode::Two);
    QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
    QCOMPARE(GridTexts(w), before);
  }

  void failedSaveKeepsTheOldFile() {
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"1", "2"});
    save(w, path("keep.csv"));
    const QByteArray old = ReadFile(path("keep.csv"));
    WindowFixture::fill(w, 1, {"abc"});  // written as a paste would, without a check
    save(w, path("keep.csv"));
    QCOMPARE(m_fixture->messageTexts(),
             QStringList{QStringLiteral(
                 "保存数据失败：\n样本数据表第 1 行第 1 列的“abc”不是数值，不能保存")});
    QCOMPARE(ReadFile(path("keep.csv")), old);

    m_fixture->dialogs.messages.clear();
    WindowFixture::fill(w, 1, {"3"});
    save(w, path("missing/a.csv"));
    QCOMPARE(m_fixture->messageTexts().size(), 1);
    QVERIFY(m_fixture->messageTexts()[0].contains(QStringLiteral("无法在文件所在的文件夹中写入")));
    QVERIFY(!QFile::exists(path("missing/a.csv")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.csv"});
  }

  void cancelledQuestionsDoNothing() {
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"1"});
    const QStringList before = GridTexts(w);
    for (const char* action : {"menuimport", "menuopen", "menusave"}) Trigger(w, action);
    QCOMPARE(m_fixture->dialogs.fileTitles,
             (QStringList{QStringLiteral("导入数据"), QStringLiteral("打开数据"),
                          QStringLiteral("保存数据")}));
    QCOMPARE(GridTexts(w), before);
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  // --- import ----------------------------------------------------------------------------

  void importFillsTheSampleRows() {
    Form9* w = form9();
    w->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"9", "9", "9", "9"});
    WriteFile(path("in.csv"), "\xEF\xBB\xBF# 身高与人数\r\n170, 175, 180\r\n2, 5, 3\r\n\r\n");
    importFile(w, path("in.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::cell(w, 1, 3), QStringLiteral("180"));
    QCOMPARE(WindowFixture::cell(w, 1, 4), QString());  // the old sample is replaced
    QCOMPARE(WindowFixture::cell(w, 2, 2), QStringLiteral("5"));
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("重复值"));
  }

  void oneValuePerLineIsOneRow() {
    Form9* w = form9();
    WriteFile(path("column.txt"), "1.5\n2.5\n3.5\n");
    importFile(w, path("column.txt"));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("1.5"));
    QCOMPARE(WindowFixture::cell(w, 1, 3), QStringLiteral("3.5"));
    QCOMPARE(WindowFixture::cell(w, 2, 1), QString());
  }

  void importRefusalsChangeNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("two rows in mode one")
        << QByteArray("1 2\n3 4\n")
        << QStringLiteral("数据有 2 行、每行 2 个，超出表格能放下的 1 行、每行 100 个");
    QByteArray wide;
    for (int i = 0; i < 101; ++i) wide += "1,";
    wide.chop(1);
    QTest::newRow("more values than columns")
        << wide << QStringLiteral("数据太多：超过表格能容纳的 100 个数据");
    QTest::newRow("ragged") << QByteArray("1,2\n3\n")
                            << QStringLiteral("第 2 行有 1 个数据，第 1 行有 2 个");
    QTest::newRow("non-numeric") << QByteArray("1\tx\n")
                                 << QStringLiteral("第 1 行第 2 列的“x”不是数值");
    QTest::newRow("decimal comma")
        << QByteArray("1,5;2,5\n") << QStringLiteral("小数逗号，请改用小数点");
    QTest::newRow("not text") << QByteArray("1,2\0\0", 5) << QStringLiteral("不是文本");
    QTest::newRow("not utf-8") << QByteArray("\xC9\xED\xB8\xDF,1\n")
                               << QStringLiteral("不是 UTF-8");
    QTest::newRow("empty") << QByteArray("\n\n") << QStringLiteral("文件中没有数据");
  }

  void importRefusalsChangeNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"5", "6"});
    const QStringList before = GridTexts(w);
    WriteFile(path("bad.txt"), bytes);
    importFile(w, path("bad.txt"));
    const QStringList shown = m_fixture->messageTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("导入数据失败：\n")) && shown[0].contains(message),
             qPrintable(shown[0]));
    QCOMPARE(GridTexts(w), before);
  }

  void hugeFileIsRefused() {
    Form9* w = form9();
    QFile file(path("huge.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(64LL << 20));  // 64 MB of zero bytes, sparse on disk
    file.close();
    importFile(w, path("huge.csv"));
    QCOMPARE(m_fixture->messageTexts().size(), 1);
    QVERIFY(m_fixture->messageTexts()[0].contains(QStringLiteral("文件太大")));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
  }

  // --- the system clipboard --------------------------------------------------------------

  void spreadsheetTextIsPastedAtTheCurrentCell() {
    Form9* w = form9();
    w->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    App().program.copyBuffer = "99";  // the program's own buffer loses to another program's text
    SetForeignClipboard(QStringLiteral("1.5\t2\t\r\n3\t4\t5\r\n"));
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 2));
    WindowFixture::toolbar(w, QStringLiteral("粘贴"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::cell(w, 1, 2), QStringLiteral("1.5"));
    QCOMPARE(WindowFixture::cell(w, 1, 4), QString());
    QCOMPARE(WindowFixture::cell(w, 2, 4), QStringLiteral("5"));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
  }

  void ctrlVInAnOpenCellEditorPastesTheBlock() {
    Form9* w = form9();
    SetForeignClipboard(QStringLiteral("10.2\t9.8\t10.5\n"));
    WindowFixture::clickCell(w, 1, 2);
    QVERIFY(w->editor()->isVisible());
    QTest::keyClick(w->editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::cell(w, 1, 2), QStringLiteral("10.2"));
    QCOMPARE(WindowFixture::cell(w, 1, 4), QStringLiteral("10.5"));
    QCOMPARE(w->editor()->text(), QStringLiteral("10.2"));

    // The program's own block copy, pasted while another cell is edited.
    WindowFixture::selectBlock(w, 1, 2, 1, 2, 1, 3);
    WindowFixture::toolbar(w, QStringLiteral("复制"));
    WindowFixture::clickCell(w, 1, 7);
    QTest::keyClick(w->editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(WindowFixture::cell(w, 1, 7), QStringLiteral("10.2"));
    QCOMPARE(WindowFixture::cell(w, 1, 8), QStringLiteral("9.8"));

    // One value stays the editor's own paste, into its text.
    SetForeignClipboard(QStringLiteral("3.25"));
    WindowFixture::clickCell(w, 1, 10);
    QTest::keyClick(w->editor(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->editor()->text(), QStringLiteral("3.25"));
    QCOMPARE(WindowFixture::cell(w, 1, 10), QStringLiteral("3.25"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  // A spreadsheet's column goes along the row, as an imported column does.
  void spreadsheetColumnIsPastedAlongTheRow() {
    Form9* w = form9();
    SetForeignClipboard(QStringLiteral("10.2\r\n9.8\r\n10.5\r\n"));
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 3));
    WindowFixture::toolbar(w, QStringLiteral("粘贴"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QStringList row;
    for (int c = 2; c <= 6; ++c) row << WindowFixture::cell(w, 1, c);
    QCOMPARE(row, (QStringList{"", "10.2", "9.8", "10.5", ""}));
    QCOMPARE(WindowFixture::cell(w, 2, 3), QString());
  }

  // The room named is what the computation reads: in input mode one the sample row only.
  void clipboardRefusalsWriteNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("decimal comma")
        << QStringLiteral("1\t2,5\n") << 1 << 1
        << QStringLiteral("第 1 行第 2 列的“2,5”含有小数逗号，请改用小数点");
    QTest::newRow("non-numeric") << QStringLiteral("1\t2\nx\t3\n") << 1 << 1
                                 << QStringLiteral("第 2 行第 1 列的“x”不是数值");
    QTest::newRow("past the sample row")
        << QStringLiteral("1\t2\n3\t4\n") << 1 << 1
        << QStringLiteral("数据有 2 行、每行 2 个，超出表格能放下的 1 行、每行 100 个");
    QTest::newRow("past the last column")
        << QStringLiteral("1\t2\t3\n") << 1 << 99
        << QStringLiteral("数据太多：超过表格能容纳的 2 个数据");
    QTest::newRow("column longer than the row")
        << QString(QStringLiteral("1\n")).repeated(101) << 1 << 1
        << QStringLiteral("数据太多：超过表格能容纳的 100 个数据");
    QTest::newRow("row without a heading")
        << QStringLiteral("1\n") << 2 << 1
        << QStringLiteral("这一行不接受数据，请选择有标题的行中的单元格");
  }

  void clipboardRefusalsWriteNothing() {
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, message);
    Form9* w = form9();
    WindowFixture::fill(w, 1, {"5", "6"});
    const QStringList before = GridTexts(w);
    SetForeignClipboard(text);
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(row, column));
    WindowFixture::toolbar(w, QStringLiteral("粘贴"));
    QCOMPARE(m_fixture->messageTexts(),
             QStringList{QStringLiteral("剪贴板中的数据不能粘贴：\n") + message});
    QCOMPARE(GridTexts(w), before);
  }

  void hugeClipboardTextIsRefused() {
    Form9* w = form9();
    QString text;
    text.reserve(40'000'000);
    for (int i = 0; i < 4'000'000; ++i) text += QStringLiteral("12345.678\t");
    SetForeignClipboard(text);
    WindowFixture::toolbar(w, QStringLiteral("粘贴"));
    QCOMPARE(m_fixture->messageTexts().size(), 1);
    QVERIFY(m_fixture->messageTexts()[0].contains(QStringLiteral("数据太大")));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
  }

  void copyPutsTheBlockOnTheClipboard() {
    Form9* w = form9();
    w->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "abc"});
    WindowFixture::fill(w, 2, {"3", "4"});
    WindowFixture::selectBlock(w, 1, 1, 1, 1, 2, 2);
    WindowFixture::toolbar(w, QStringLiteral("复制"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\tabc\n3\t4"));
    // The program's own copy is pasted from its buffer, as before: the text is not checked.
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 5));
    WindowFixture::toolbar(w, QStringLiteral("粘贴"));
    QCOMPARE(WindowFixture::cell(w, 1, 6), QStringLiteral("abc"));
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

 private:
  Form9* form9() {
    return m_fixture->open<Form9>(WindowClass::Form9, QStringLiteral("正态分布"), 5);
  }
  Form5* form5() {
    return m_fixture->open<Form5>(WindowClass::Form5, QStringLiteral("分布拟和检验"), 0);
  }
  void chooseLaw(Form5* w, int entry) {
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), entry);
  }
  QString path(const QString& name) const { return m_dir->filePath(name); }
  void save(AnalysisWindow* w, const QString& file) {
    m_fixture->dialogs.queueFilePath(file);
    Trigger(w, "menusave");
  }
  void open(AnalysisWindow* w, const QString& file) {
    m_fixture->dialogs.queueFilePath(file);
    Trigger(w, "menuopen");
  }
  void importFile(AnalysisWindow* w, const QString& file) {
    m_fixture->dialogs.queueFilePath(file);
    Trigger(w, "menuimport");
  }

  std::unique_ptr<WindowFixture> m_fixture;
  std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(DataFilesTest)
#include "DataFilesTest.moc"
