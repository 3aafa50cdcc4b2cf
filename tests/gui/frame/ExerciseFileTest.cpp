// A data file keeps the whole exercise: a window opening its own file comes back with the same
// samples, input mode, level, known values, hypothesis and law, and computes the same result
// without a question; another window's file gives its sample rows alone; files of the first
// version still open.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "gui/hypothesis/Form5.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

using Fixture = WindowFixture;

// What the user sees of a window's inputs and results: every label, box, chosen list item and
// checked option, by name (the grids' own editors left out).
QStringList Shown(AnalysisWindow* w) {
  QStringList out;
  for (QLabel* label : w->centralWidget()->findChildren<QLabel*>())
    out << label->objectName() + '=' + label->text();
  for (QLineEdit* box : w->centralWidget()->findChildren<QLineEdit*>())
    if (box->objectName() != "Text1" && box->objectName() != "Text9" &&
        !qobject_cast<QComboBox*>(box->parentWidget()))
      out << box->objectName() + '=' + box->text();
  for (QComboBox* list : w->centralWidget()->findChildren<QComboBox*>())
    out << list->objectName() + '#' + QString::number(list->currentIndex());
  for (QRadioButton* option : w->centralWidget()->findChildren<QRadioButton*>())
    out << option->objectName() + (option->isChecked() ? "+" : "-") +
               (option->isEnabled() ? "" : "/");
  out.sort();  // a list shown once stands last among its siblings
  return out;
}

void Pick(Fixture& f, AnalysisWindow* w, const char* list, int item, QStringList answers) {
  for (const QString& a : answers) f.dialogs.queueAnswer(a);
  Fixture::click(w, "Command2");
  Fixture::chooseItem(w, list, item);
}

void Law(Fixture& f, AnalysisWindow* w, int entry, QStringList answers) {
  Pick(f, w, "Combo1", entry, answers);
}

QStringList Values(int count, double start, double step) {
  QStringList out;
  for (int i = 0; i < count; ++i) out << QString::number(start + step * ((i * 7) % 11));
  return out;
}

// One exercise per row: the window, and what the user enters in it.
struct Exercise {
  const char* name;
  WindowClass windowClass;
  int mode;
  std::function<void(Fixture&, AnalysisWindow*)> enter;
};

const Exercise kExercises[] = {
    {"point estimate, counts", WindowClass::Form9, 3,
     [](Fixture&, AnalysisWindow* w) {
       Fixture::chooseInputMode(w, InputMode::Two);
       Fixture::fill(w, 1, {"0", "1", "2", "3"});
       Fixture::fill(w, 2, {"5", "8", "4", "1"});
     }},
    {"large-sample interval", WindowClass::Form3, 1,
     [](Fixture&, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.95");
       Fixture::fill(w, 1, {"1", "0", "1", "1", "0", "1"});
     }},
    {"normal interval, sigma known", WindowClass::Form3a, 1,
     [](Fixture&, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.9");
       Fixture::typeAndLeave(w, "Text3", "2");
       Fixture::fill(w, 1, {"9.8", "10.4", "10.1", "9.6"});
     }},
    {"normal interval, two known means", WindowClass::Form3a, 8,
     [](Fixture&, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.95");
       Fixture::typeAndLeave(w, "Text3", "10");
       Fixture::typeAndLeave(w, "Text4", "12");
       Fixture::fill(w, 1, {"9.8", "10.4", "10.1", "9.6"});
       Fixture::fill(w, 2, {"12.5", "11.1", "12.9", "11.8", "12.2"});
     }},
    {"normal interval, summaries", WindowClass::Form3a, 2,
     [](Fixture&, AnalysisWindow* w) {
       Fixture::chooseInputMode(w, InputMode::Two);
       Fixture::fill(w, 1, {"16", "10"}, 1);
       Fixture::fill(w, 1, {"2"}, 4);
       Fixture::typeAndLeave(w, "Text2", "0.95");
     }},
    {"z test", WindowClass::Form4, 1,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.05");
       Fixture::typeAndLeave(w, "Text3", "2");
       Pick(f, w, "Combo1", 2, {"10"});
       Fixture::fill(w, 1, {"9.1", "11.4", "12.1", "10.6", "11.9"});
     }},
    {"chi-square test, mean known", WindowClass::Form4, 3,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.1");
       Fixture::typeAndLeave(w, "Text3", "5");
       Pick(f, w, "Combo5", 0, {"1.5"});
       Fixture::fill(w, 1, {"4.1", "6.4", "5.1", "3.6", "5.9"});
     }},
    {"two-sample z test", WindowClass::Form4, 5,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.05");
       Fixture::typeAndLeave(w, "Text3", "1");
       Fixture::typeAndLeave(w, "Text4", "2");
       Pick(f, w, "Combo3", 1, {"0.5"});
       Fixture::fill(w, 1, {"9.1", "11.4", "12.1"});
       Fixture::fill(w, 2, {"8.1", "9.4", "10.1", "9.9"});
     }},
    {"t test, summaries", WindowClass::Form4, 2,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.05");  // it has the focus: left empty, it complains
       Fixture::chooseInputMode(w, InputMode::Two);
       Fixture::fill(w, 1, {"16", "10"}, 1);
       Fixture::fill(w, 1, {"2"}, 4);
       Pick(f, w, "Combo2", 0, {"9"});
     }},
    {"binomial band test", WindowClass::Form8, 2,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.05");
       Pick(f, w, "Combo1", 1, {"0.3", "10"});
       Fixture::fill(w, 1, Values(30, 0, 1));
     }},
    {"skewness and kurtosis", WindowClass::Form8, 5,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.1");
       Pick(f, w, "Combo4", 0, {});
       Fixture::fill(w, 1, Values(60, 3, 0.5));
     }},
    {"fitting, normal law known", WindowClass::Form5, 0,
     [](Fixture& f, AnalysisWindow* w) {
       Law(f, w, 9, {"5", "1.5"});
       Fixture::typeAndLeave(w, "Text2", "0.05");
       Fixture::fill(w, 1, Values(60, 3, 0.5));
     }},
    {"fitting, grouped with summaries", WindowClass::Form5, 0,
     [](Fixture& f, AnalysisWindow* w) {
       Law(f, w, 10, {});
       Fixture::typeAndLeave(w, "Text2", "0.05");
       f.dialogs.queueAnswer("480");   // ∑X
       f.dialogs.queueAnswer("3440");  // ∑X*X
       QTest::mouseClick(w->findChild<QRadioButton*>("Option3"), Qt::LeftButton);
       Fixture::fill(w, 1, {"0", "2", "4", "6", "8", "10"});
       Fixture::fill(w, 2, {"2", "4", "6", "8", "10", "12"});
       Fixture::fill(w, 3, {"8", "14", "20", "18", "12", "8"});
     }},
    {"fitting, law of its own", WindowClass::Form5, 0,
     [](Fixture& f, AnalysisWindow* w) {
       Law(f, w, 0, {});
       Fixture::typeAndLeave(w, "Text2", "0.05");
       QStringList sample;
       for (int i = 0; i < 60; ++i) sample << QString::number(i * i % 4);
       Fixture::fill(w, 1, sample);
       SampleGridModel* law = static_cast<Form5*>(w)->lawGrid()->model();
       const QStringList xs{"0", "1", "2", "3"}, ps{"0.1", "0.2", "0.3", "0.4"};
       for (int i = 0; i < 4; ++i) {
         law->setData(law->index(1, i + 1), xs[i]);
         law->setData(law->index(2, i + 1), ps[i]);
       }
     }},
    {"rank sum", WindowClass::Form7, 0,
     [](Fixture& f, AnalysisWindow* w) {
       Fixture::typeAndLeave(w, "Text2", "0.05");
       Pick(f, w, "Combo1", 2, {});
       Fixture::fill(w, 1, {"1.1", "2.5", "3.7", "4.2"});
       Fixture::fill(w, 2, {"2.9", "4.4", "5.1", "6.6", "7.3"});
     }},
};

}  // namespace

class ExerciseFileTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
  }
  void cleanup() {
    m_fixture.reset();
    m_dir.reset();
  }

  void ownFileBringsBackTheWholeExercise_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kExercises); ++i)
      QTest::newRow(kExercises[i].name) << static_cast<int>(i);
  }
  void ownFileBringsBackTheWholeExercise() {
    QFETCH(int, row);
    const Exercise& e = kExercises[row];
    AnalysisWindow* first = m_fixture->openWindow(e.windowClass, QString(), e.mode);
    e.enter(*m_fixture, first);
    QCOMPARE(m_fixture->messageTexts().join('|'), QString());
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QVERIFY(first->hasUnsavedChanges());
    save(first, path("exercise.csv"));
    QVERIFY(!first->hasUnsavedChanges());

    AnalysisWindow* second = m_fixture->openWindow(e.windowClass, QString(), e.mode);
    const qsizetype asked = m_fixture->dialogs.prompts.size();
    open(second, path("exercise.csv"));
    QCOMPARE(m_fixture->messageTexts().join('|'), QString());
    QCOMPARE(m_fixture->dialogs.choices.size(), std::size_t(0));
    QCOMPARE(m_fixture->dialogs.prompts.size(), asked);  // the values are set, not asked
    QCOMPARE(Shown(second), Shown(first));
    QVERIFY(second->dataFileContent() == first->dataFileContent());
    QVERIFY(!second->hasUnsavedChanges());

    // Nothing more to enter: the same computation gives the same results.
    for (AnalysisWindow* w : {first, second}) Fixture::click(w, "Command1");
    QCOMPARE(Shown(second), Shown(first));
    QCOMPARE(second->detailsPane()->plainText(), first->detailsPane()->plainText());
    QVERIFY2(!first->detailsPane()->plainText().isEmpty(),
             qPrintable(m_fixture->messageTexts().join('|')));
    QVERIFY(!second->hasUnsavedChanges());  // computing changes no input
    QCOMPARE(m_fixture->dialogs.unansweredQuestions, 0);
  }

  void fileOfTheFirstVersionOpensItsSamplesAndKeepsTheSettings() {
    auto* w = m_fixture->openWindow(WindowClass::Form4, QString(), 2);
    Fixture::typeAndLeave(w, "Text2", "0.05");
    Pick(*m_fixture, w, "Combo2", 1, {"3"});
    WriteFile(path("old.csv"),
              "# Kelvo 数据, Form4, 输入方式二\nMSFlexGrid1,1,16,10,,2\n# 结束, 1 行\n");
    open(w, path("old.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(w->inputMode(), InputMode::Two);
    QCOMPARE(Fixture::cell(w, 1, 1), QStringLiteral("16"));
    QCOMPARE(Fixture::cell(w, 1, 3), QStringLiteral("×"));  // the layout's mark stays
    QCOMPARE(Fixture::cell(w, 1, 4), QStringLiteral("2"));
    QCOMPARE(Fixture::control<QLineEdit>(w, "Text2")->text(), QStringLiteral("0.05"));
    QCOMPARE(Fixture::label(w, "Label7"), QStringLiteral("μ≥μ0=3"));
  }

  void anotherWindowsFileGivesItsSampleRows_data() {
    QTest::addColumn<int>("windowClass");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows");  // the sample rows afterwards, cells joined by '|'
    QTest::addColumn<int>("inputMode");
    QTest::addColumn<QString>("message");
    const QByteArray ttest =
        "# Kelvo 数据, Form4, 输入方式一, 版本 2\n# 窗口, 2, 单个正态分布检验μ(σ未知)\n"
        "# 设置, level, 0.01\n# 设置, hypothesis, 0\n# 设置, hypothesisValue, 1\n"
        "MSFlexGrid1,1,1,2,,4\n# 结束, 5 行\n";
    const QByteArray ranks =
        "# Kelvo 数据, Form7, 输入方式一, 版本 2\n# 窗口, 0, 秩和检验\n# 设置, level, 0.05\n"
        "MSFlexGrid1,1,1,2,3\nMSFlexGrid1,2,4,5\n# 结束, 4 行\n";
    const QByteArray counts =
        "# Kelvo 数据, Form9, 输入方式二, 版本 2\n# 窗口, 3, 泊松分布\n"
        "MSFlexGrid1,1,0,1,2\nMSFlexGrid1,2,7,5,2\n# 结束, 3 行\n";
    const QString taken = QStringLiteral("已从“%1”的数据文件读入样本数据，其他设置未读入。");
    QTest::newRow("t test into point estimation")
        << int(WindowClass::Form9) << 5 << ttest << QStringList{"1|2||4", ""} << 1
        << taken.arg("单个正态分布检验μ(σ未知)");
    QTest::newRow("another mode of the same window")
        << int(WindowClass::Form4) << 1 << ttest << QStringList{"1|2||4", ""} << 1
        << taken.arg("单个正态分布检验μ(σ未知)");
    QTest::newRow("two samples into a two-sample test")
        << int(WindowClass::Form4) << 6 << ranks << QStringList{"1|2|3", "4|5"} << 1
        << taken.arg("秩和检验");
    QTest::newRow("two samples into a one-sample window")
        << int(WindowClass::Form9) << 5 << ranks << QStringList{"1|2|3", ""} << 1
        << taken.arg("秩和检验") +
               QStringLiteral("文件第 2 行的样本超出本窗口的样本数据表，未读入。");
    QTest::newRow("counts into a window with counts")
        << int(WindowClass::Form8) << 3 << counts << QStringList{"0|1|2", "7|5|2"} << 2
        << taken.arg("泊松分布");
    QTest::newRow("counts into a window without them")
        << int(WindowClass::Form7) << 0 << counts << QStringList{"", ""} << 1
        << QStringLiteral(
               "打开数据失败：\n文件中的样本是数据值及其重复数，本窗口现在不能输入这样的数据");
    // A two-factor table is not values with repeat counts, though both fill two rows.
    QTest::newRow("two-factor table into a window with counts")
        << int(WindowClass::Form8) << 3
        << QByteArray("# Kelvo 数据, FormAnova, 输入方式二, 版本 2\n# 窗口, 0, 方差分析\n"
                      "MSFlexGrid1,1,1,2\nMSFlexGrid1,2,3,4\n# 结束, 3 行\n")
        << QStringList{"", ""} << 1
        << QStringLiteral("打开数据失败：\n文件中的样本是双因素数据表（每格一个观测值），"
                          "本窗口现在不能输入这样的数据");
    QTest::newRow("first version of another window")
        << int(WindowClass::Form3) << 1
        << QByteArray("# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,1,0,1\n# 结束, 1 行\n")
        << QStringList{"1|0|1", ""} << 1 << taken.arg("点估计");
  }
  void anotherWindowsFileGivesItsSampleRows() {
    QFETCH(int, windowClass);
    QFETCH(int, mode);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    QFETCH(int, inputMode);
    QFETCH(QString, message);
    AnalysisWindow* w =
        m_fixture->openWindow(static_cast<WindowClass>(windowClass), QString(), mode);
    const QStringList shown = Shown(w);
    WriteFile(path("other.csv"), file);
    open(w, path("other.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages.front().title,
             message.startsWith(QStringLiteral("打开数据失败")) ? QStringLiteral("数据检查")
                                                                : QStringLiteral("打开数据"));
    for (int r = 0; r < rows.size(); ++r) {
      QStringList cells;
      for (int c = 1; c <= 5; ++c) cells << Fixture::cell(w, r + 1, c);
      while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
      QCOMPARE(cells.join('|'), rows[r]);
    }
    QCOMPARE(w->inputModeNumber(), inputMode);
    // The other window's settings stay out: boxes, lists and captions are as they were.
    if (inputMode == 1) QCOMPARE(Shown(w), shown);
  }

  void importedDataFileGivesItsSampleRows() {
    AnalysisWindow* w = m_fixture->openWindow(WindowClass::Form3a, QString(), 2);
    WriteFile(path("other.csv"),
              "\xEF\xBB\xBF# Kelvo 数据, Form7, 输入方式一, 版本 2\r\n# 窗口, 0, 秩和检验\r\n"
              "MSFlexGrid1,1,3.5,4.5\r\n# 结束, 2 行\r\n");
    m_fixture->dialogs.queueFilePath(path("other.csv"));
    w->findChild<QAction*>("menuimport")->trigger();
    QCOMPARE(m_fixture->messageTexts(),
             QStringList{QStringLiteral("已从“秩和检验”的数据文件读入样本数据，其他设置未读入。")});
    QCOMPARE(m_fixture->dialogs.messages.front().title, QStringLiteral("导入数据"));
    QCOMPARE(Fixture::cell(w, 1, 2), QStringLiteral("4.5"));
  }

  void unreadableSettingsChangeNothing_data() {
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<QString>("message");
    QTest::newRow("hypothesis out of the list")
        << QByteArray("hypothesis, 3") << QStringLiteral("数据文件中的假设命题无效");
    QTest::newRow("hypothesis not a number")
        << QByteArray("hypothesis, a") << QStringLiteral("数据文件中的假设命题无效");
    QTest::newRow("value missing")
        << QByteArray("hypothesis, 0") << QStringLiteral("数据文件中缺少假设值");
  }
  void unreadableSettingsChangeNothing() {
    QFETCH(QByteArray, setting);
    QFETCH(QString, message);
    AnalysisWindow* w = m_fixture->openWindow(WindowClass::Form4, QString(), 2);
    Fixture::typeAndLeave(w, "Text2", "0.05");
    Pick(*m_fixture, w, "Combo2", 1, {"3"});
    Fixture::fill(w, 1, {"7", "8"});
    const QStringList shown = Shown(w);
    const DataFileContent before = w->dataFileContent();
    WriteFile(
        path("bad.csv"),
        "# Kelvo 数据, Form4, 输入方式二, 版本 2\n# 窗口, 2, t\n# 设置, level, 0.1\n# 设置, " +
            setting + "\nMSFlexGrid1,1,16,10,,2\n# 结束, 4 行\n");
    open(w, path("bad.csv"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("打开数据失败：\n") + message});
    QCOMPARE(Shown(w), shown);
    QVERIFY(w->dataFileContent() == before);
  }

 private:
  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QString path(const QString& name) const { return m_dir->filePath(name); }
  void save(AnalysisWindow* w, const QString& file) {
    m_fixture->dialogs.queueFilePath(file);
    w->findChild<QAction*>("menusave")->trigger();
  }
  void open(AnalysisWindow* w, const QString& file) {
    m_fixture->dialogs.queueFilePath(file);
    w->findChild<QAction*>("menuopen")->trigger();
  }

  std::unique_ptr<WindowFixture> m_fixture;
  std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(ExerciseFileTest)
#include "ExerciseFileTest.moc"
