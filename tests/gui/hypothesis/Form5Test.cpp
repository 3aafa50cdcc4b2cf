// The goodness-of-fit window: the distribution list and its dialogs, the three input modes,
// the law grid, the data checks and the faults that end in a message instead of a conclusion.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/hypothesis/Form5.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

const QString kH0 = QStringLiteral("接受原假设 H0");
const QString kH1 = QStringLiteral("接受备选假设H1");

QRadioButton* Option(AnalysisWindow* w, int number) {
  return w->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
}

// Fills the sample grid from a compact text, laid out for the mode the window is in:
// "2*10 3*4" are values with repeat counts (single values: each value written count times),
// "0~2:10 2~4:7" grouped classes [0, 2) with 10 observations, [2, 4) with 7.
void FillSample(Form5* w, const QString& sample) {
  QStringList row1, row2, row3;
  for (const QString& token : sample.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (w->fittingInputMode() == FittingInputMode::Grouped) {
      const QStringList bounds = token.section(QLatin1Char(':'), 0, 0).split(QLatin1Char('~'));
      row1 << bounds[0];
      row2 << bounds[1];
      row3 << token.section(QLatin1Char(':'), 1);
      continue;
    }
    const QString value = token.section(QLatin1Char('*'), 0, 0);
    const QString count = token.contains(QLatin1Char('*')) ? token.section(QLatin1Char('*'), 1)
                                                           : QStringLiteral("1");
    if (w->fittingInputMode() == FittingInputMode::RepeatCounts) {
      row1 << value;
      row2 << count;
    } else {
      for (int i = 0; i < count.toInt(); ++i) row1 << value;
    }
  }
  WindowFixture::fill(w, 1, row1);
  if (!row2.isEmpty()) WindowFixture::fill(w, 2, row2);
  if (!row3.isEmpty()) WindowFixture::fill(w, 3, row3);
}

// Writes the points of a law into MSFlexGrid2 as a paste would.
void FillLaw(Form5* w, const QStringList& xs, const QStringList& ps) {
  SampleGridModel* model = w->lawGrid()->model();
  for (int i = 0; i < xs.size(); ++i) {
    model->setData(model->index(1, i + 1), xs[i]);
    model->setData(model->index(2, i + 1), ps[i]);
  }
}

// Everything a pick in the list or a switch of the input mode may change.
QStringList WindowState(Form5* w) {
  QStringList state{QString::number(w->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex()),
                    w->chosenEntry() ? QString::number(static_cast<int>(*w->chosenEntry())) : "none",
                    QString::number(static_cast<int>(w->fittingInputMode()))};
  for (const char* name : {"Label7", "Label9", "Label17", "Label18", "Label19", "Label20"})
    state << WindowFixture::label(w, name);
  for (int i = 1; i <= 3; ++i)
    state << QStringLiteral("Option%1 %2 %3").arg(i).arg(Option(w, i)->isEnabled()).arg(Option(w, i)->isChecked());
  state << QStringLiteral("Command1 %1").arg(w->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled())
        << QStringLiteral("Text2 %1").arg(w->findChild<QLineEdit*>(QStringLiteral("Text2"))->isEnabled())
        << QStringLiteral("law grid %1").arg(w->lawGrid()->view()->isVisible());
  for (int r = 0; r < w->cells().rows(); ++r)
    for (int c = 0; c < 3; ++c) state << WindowFixture::cell(w, r, c);
  // The parameters are plain doubles: their bytes compare them all.
  const FittingParameters& p = w->fittingParameters();
  state << QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(&p), sizeof p).toHex());
  return state;
}

QString LawCell(Form5* w, int row, int col) {
  return QString::fromStdString(w->lawGrid()->cells().text(row, col));
}

}  // namespace

class Form5Test : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  // --- opening and activation -------------------------------------------------------------

  void opensWithNothingToEnterBeforeAChoice() {
    Form5* w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("分布拟和检验"));
    for (int i = 1; i <= 3; ++i) QVERIFY(!Option(w, i)->isEnabled());
    QVERIFY(Option(w, 1)->isChecked());
    QVERIFY(!w->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(!w->findChild<QLineEdit*>(QStringLiteral("Text2"))->isEnabled());
    QVERIFY(w->findChild<QComboBox*>(QStringLiteral("Combo1"))->isHidden());
    QVERIFY(w->lawGrid()->view()->isHidden());
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("Label21"))->isHidden());
    // Single values: two rows, the heading without the blank the mode switch writes.
    QCOMPARE(w->cells().rows(), 2);
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本数据"));
    QCOMPARE(WindowFixture::cell(w, 0, 100), QStringLiteral("100"));
    QCOMPARE(QApplication::focusWidget(), w->findChild<QPushButton*>(QStringLiteral("Command2")));
  }

  void theListHoldsTheThirteenLaws() {
    Form5* w = open();
    auto* list = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(list->placeholderText(), QStringLiteral("选择分布类型"));
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    // The texts as the users of the program know them, "正太" and the trailing blank of 7 included.
    const QStringList expected{"0:自定义,服从离散分布", "1:P已知,服从0-1分布", "2:P未知,服从0-1分布",
                               "3:P已知,服从二项分布", "4:P未知,服从二项分布", "5:λ已知,服从泊松分布",
                               "6:λ未知,服从泊松分布", "7:A B已知,服从均匀分布 ", "8:A B未知,服从均匀分布",
                               "9:μσ已知,服从正太分布", "10:μσ未知,服从正太分布", "11:θ已知,服从指数分布",
                               "12:θ未知,服从指数分布"};
    QCOMPARE(items, expected);
    WindowFixture::click(w, QStringLiteral("Command2"));
    QVERIFY(list->isVisible());
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), 6);
    QVERIFY(list->isHidden());
  }

  // --- choosing a law ---------------------------------------------------------------------

  void choosingALawSetsTextsLabelsAndControls_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("h0");
    QTest::addColumn<QStringList>("parameterLabels");  // Label17 to Label20
    QTest::addColumn<bool>("groupedAllowed");
    QTest::addColumn<bool>("lawShown");
    QTest::newRow("0 law") << 0 << QStringList{} << "服从离散分布" << QStringList{"", "", "", ""}
                           << false << true;
    QTest::newRow("1 P known") << 1 << QStringList{"0.3"} << "服从0-1分布"
                               << QStringList{"输入的P值", "", "0.3", ""} << false << false;
    QTest::newRow("2 P unknown") << 2 << QStringList{} << "服从0-1分布" << QStringList{"", "", "", ""}
                                 << false << false;
    QTest::newRow("3 N and P") << 3 << QStringList{"10", "0.25"} << "服从二项分布"
                               << QStringList{"输入的P值", "", "0.25", ""} << true << false;
    QTest::newRow("4 N only") << 4 << QStringList{"10"} << "服从二项分布"
                              << QStringList{"", "", "", ""} << true << false;
    QTest::newRow("5 lambda") << 5 << QStringList{"2.5"} << "服从泊松分布"
                              << QStringList{"输入的λ值", "", "2.5", ""} << true << false;
    QTest::newRow("7 A B") << 7 << QStringList{"-1", "4"} << "服从均匀分布 "
                           << QStringList{"输入的A值", "输入的B值", "-1", "4"} << true << false;
    QTest::newRow("8 estimated") << 8 << QStringList{} << "服从均匀分布"
                                 << QStringList{"", "", "", ""} << true << false;
    QTest::newRow("9 mu sigma") << 9 << QStringList{"-3", "1.5"} << "服从正太分布"
                                << QStringList{"输入的μ值", "输入的σ值", "-3", "1.5"} << true << false;
    QTest::newRow("11 theta") << 11 << QStringList{"0.5"} << "服从指数分布"
                              << QStringList{"输入的θ值", "", "0.5", ""} << true << false;
    QTest::newRow("12 estimated") << 12 << QStringList{} << "服从指数分布"
                                  << QStringList{"", "", "", ""} << true << false;
  }
  void choosingALawSetsTextsLabelsAndControls() {
    QFETCH(int, entry);
    QFETCH(QStringList, answers);
    QFETCH(QString, h0);
    QFETCH(QStringList, parameterLabels);
    QFETCH(bool, groupedAllowed);
    QFETCH(bool, lawShown);
    Form5* w = open();
    choose(w, entry, answers);
    QCOMPARE(m_fixture->dialogs.prompts.size(), answers.size());
    QCOMPARE(WindowFixture::label(w, "Label7"), h0);
    QCOMPARE(WindowFixture::label(w, "Label9"), QStringLiteral("不") + h0);
    QStringList shown;
    for (const char* name : {"Label17", "Label18", "Label19", "Label20"})
      shown << WindowFixture::label(w, name);
    QCOMPARE(shown, parameterLabels);
    QVERIFY(Option(w, 1)->isEnabled());
    QVERIFY(Option(w, 2)->isEnabled());
    QCOMPARE(Option(w, 3)->isEnabled(), groupedAllowed);
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
    QVERIFY(w->findChild<QLineEdit*>(QStringLiteral("Text2"))->isEnabled());
    QCOMPARE(w->lawGrid()->view()->isVisible(), lawShown);
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label21"))->isVisible(), lawShown);
  }

  void parameterDialogsRepeatUntilValid_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("answers");  // "" is OK on an empty box: it reads as 0
    QTest::addColumn<QStringList>("prompts");  // every question asked, in order
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("P: empty and 1 repeat") << 1 << QStringList{"", "1", "0.3"}
                                            << QStringList{"输入P值", "输入P值", "输入P值"}
                                            << QStringList{"P值", "P值", "P值"};
    QTest::newRow("N must exceed 1, then P") << 3 << QStringList{"1", "", "5", "0", "0.4"}
                                             << QStringList{"输入N值", "输入N值", "输入N值", "输入P值", "输入P值"}
                                             << QStringList{"N值", "N值", "N值", "P值", "P值"};
    QTest::newRow("N of entry 4") << 4 << QStringList{"0", "3"} << QStringList{"输入N值", "输入N值"}
                                  << QStringList{"N值", "N值"};
    QTest::newRow("lambda positive and finite") << 5 << QStringList{"0", "-2", "1e999", "2"}
                                                << QStringList{"输入λ值", "输入λ值", "输入λ值", "输入λ值"}
                                                << QStringList{"λ值", "λ值", "λ值", "λ值"};
    QTest::newRow("A B asked again as a pair") << 7 << QStringList{"5", "2", "3", "3", "2", "5"}
                                               << QStringList{"输入A值", "输入B值", "输入A值", "输入B值", "输入A值", "输入B值"}
                                               << QStringList{"A值", "B值", "A值", "B值", "A值", "B值"};
    QTest::newRow("any mu, sigma above 0") << 9 << QStringList{"0", "0", "", "2"}
                                           << QStringList{"输入μ值", "输入σ值", "输入σ值", "输入σ值"}
                                           << QStringList{"μ值", "σ值", "σ值", "σ值"};
    QTest::newRow("theta above 0") << 11 << QStringList{"-1", "3"} << QStringList{"输入θ值", "输入θ值"}
                                   << QStringList{"θ值", "θ值"};
  }
  void parameterDialogsRepeatUntilValid() {
    QFETCH(int, entry);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, prompts);
    QFETCH(QStringList, titles);
    Form5* w = open();
    choose(w, entry, answers);
    QCOMPARE(m_fixture->dialogs.prompts, prompts);
    QCOMPARE(m_fixture->dialogs.titles, titles);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QVERIFY(m_fixture->dialogs.messages.empty());  // repeats without a message
  }

  // 取消 ends the questions of a pick and takes the pick back: nothing of the window changes,
  // answers given before the 取消 included; a valid pick works afterwards.
  void cancelTakesThePickBack_data() {
    QTest::addColumn<int>("before");  // the law chosen first, -1 none
    QTest::addColumn<QStringList>("beforeAnswers");
    QTest::addColumn<bool>("groupedData");  // grouped mode with data before the pick
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("answered");  // answers given before the 取消
    QTest::addColumn<QStringList>("valid");     // answers of the pick made afterwards
    QTest::newRow("first pick, P") << -1 << QStringList{} << false << 1 << QStringList{}
                                   << QStringList{"0.3"};
    QTest::newRow("first pick, B after A") << -1 << QStringList{} << false << 7 << QStringList{"-1"}
                                           << QStringList{"-1", "4"};
    QTest::newRow("A B pair asked again") << 5 << QStringList{"2.5"} << false << 7
                                          << QStringList{"5", "2", "3"} << QStringList{"1", "2"};
    QTest::newRow("sigma after the law grid") << 0 << QStringList{} << false << 9 << QStringList{"0"}
                                              << QStringList{"0", "1"};
    // A law without grouped form would go back to single values: not before the answers.
    QTest::newRow("grouped data stay") << 5 << QStringList{"2"} << true << 1 << QStringList{"2"}
                                       << QStringList{"0.5"};
  }
  void cancelTakesThePickBack() {
    QFETCH(int, before);
    QFETCH(QStringList, beforeAnswers);
    QFETCH(bool, groupedData);
    QFETCH(int, entry);
    QFETCH(QStringList, answered);
    QFETCH(QStringList, valid);
    Form5* w = open();
    if (before >= 0) choose(w, before, beforeAnswers);
    if (groupedData) {
      QTest::mouseClick(Option(w, 3), Qt::LeftButton);
      FillSample(w, QStringLiteral("0~2:10 2~4:7"));
    }
    const QStringList state = WindowState(w);
    m_fixture->dialogs.prompts.clear();
    for (const QString& a : answered) m_fixture->dialogs.queueAnswer(a);
    m_fixture->dialogs.queueCancel();
    choose(w, entry, {});
    QCOMPARE(m_fixture->dialogs.prompts.size(), answered.size() + 1);
    QCOMPARE(WindowState(w), state);
    QVERIFY(m_fixture->dialogs.messages.empty());
    choose(w, entry, valid);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(w->chosenEntry(), std::optional(static_cast<FittingEntry>(entry)));
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("Command1"))->isEnabled());
  }

  void parametersOfOtherLawsKeepTheirValues() {
    Form5* w = open();
    choose(w, 5, {"2.5"});
    choose(w, 11, {"4"});
    choose(w, 6, {});
    QCOMPARE(w->fittingParameters().poissonLambda, 2.5);
    QCOMPARE(w->fittingParameters().exponentialTheta, 4.0);
    // A new choice clears the labels of the previous one.
    QCOMPARE(WindowFixture::label(w, "Label17"), QString());
    QCOMPARE(WindowFixture::label(w, "Label19"), QString());
  }

  // --- input modes ------------------------------------------------------------------------

  void inputModesLayOutTheGrid_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("headings");  // rows 1 to the last
    QTest::newRow("single values") << 1 << QStringList{"样本数据 "};
    QTest::newRow("repeat counts") << 2 << QStringList{"样本数据 ", "重复数 "};
    QTest::newRow("grouped") << 3 << QStringList{"区间下限", "区间上限", "样本个数"};
  }
  void inputModesLayOutTheGrid() {
    QFETCH(int, option);
    QFETCH(QStringList, headings);
    Form5* w = open();
    choose(w, 5, {"2"});
    // Start from another mode with data in it, so the switch has something to clear.
    const int other = option == 2 ? 3 : 2;
    QTest::mouseClick(Option(w, other), Qt::LeftButton);
    WindowFixture::fill(w, 1, {"1", "2"});
    WindowFixture::fill(w, 2, {"3", "4"});
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));  // the data go with the switch
    QTest::mouseClick(Option(w, option), Qt::LeftButton);
    QVERIFY(Option(w, option)->isChecked());
    QCOMPARE(w->cells().rows(), headings.size() + 1);
    QStringList actual;
    for (int r = 1; r < w->cells().rows(); ++r) actual << WindowFixture::cell(w, r, 0);
    QCOMPARE(actual, headings);
    QCOMPARE(WindowFixture::cell(w, 0, 1), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
    QCOMPARE(WindowFixture::cell(w, 1, 2), QString());
  }

  void groupedDataAsksTheSummariesOfTheLaw_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("knownAnswers");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("prompts");
    QTest::newRow("4 sum above 0") << 4 << QStringList{"3"} << QStringList{"0", "", "12"}
                                   << QStringList{"输入∑X值", "输入∑X值", "输入∑X值"};
    QTest::newRow("6 sum above 0") << 6 << QStringList{} << QStringList{"-1", "30"}
                                   << QStringList{"输入∑X值", "输入∑X值"};
    // MIN = MAX passes; the pair is asked again while MAX < MIN.
    QTest::newRow("8 extremes") << 8 << QStringList{} << QStringList{"5", "1", "4", "4"}
                                << QStringList{"输入MIN(X)值", "输入MAX(X)值", "输入MIN(X)值", "输入MAX(X)值"};
    QTest::newRow("10 sums") << 10 << QStringList{} << QStringList{"-20", "0", "90"}
                             << QStringList{"输入∑X值", "输入∑X*X值", "输入∑X*X值"};
    QTest::newRow("12 sum above 0") << 12 << QStringList{} << QStringList{"", "7"}
                                    << QStringList{"输入∑X值", "输入∑X值"};
    QTest::newRow("5 asks nothing") << 5 << QStringList{"2"} << QStringList{} << QStringList{};
    QTest::newRow("9 asks nothing") << 9 << QStringList{"0", "1"} << QStringList{} << QStringList{};
  }
  void groupedDataAsksTheSummariesOfTheLaw() {
    QFETCH(int, entry);
    QFETCH(QStringList, knownAnswers);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, prompts);
    Form5* w = open();
    choose(w, entry, knownAnswers);
    m_fixture->dialogs.prompts.clear();
    for (const QString& a : answers) m_fixture->dialogs.queueAnswer(a);
    QTest::mouseClick(Option(w, 3), Qt::LeftButton);
    QCOMPARE(m_fixture->dialogs.prompts, prompts);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
  }

  // 取消 on a summary question takes the switch back: the old mode, its data and the
  // parameters stay; the switch works afterwards.
  void cancelKeepsTheInputMode_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("knownAnswers");
    QTest::addColumn<int>("fromMode");
    QTest::addColumn<QStringList>("answered");  // answers given before the 取消
    QTest::addColumn<QStringList>("valid");     // answers of the switch made afterwards
    QTest::newRow("4 sum") << 4 << QStringList{"3"} << 1 << QStringList{} << QStringList{"12"};
    QTest::newRow("8 MAX after the pair failed") << 8 << QStringList{} << 2 << QStringList{"5", "1", "4"}
                                                 << QStringList{"1", "4"};
    QTest::newRow("10 sum of squares") << 10 << QStringList{} << 2 << QStringList{"-20"}
                                       << QStringList{"-20", "90"};
  }
  void cancelKeepsTheInputMode() {
    QFETCH(int, entry);
    QFETCH(QStringList, knownAnswers);
    QFETCH(int, fromMode);
    QFETCH(QStringList, answered);
    QFETCH(QStringList, valid);
    Form5* w = open();
    choose(w, entry, knownAnswers);
    QTest::mouseClick(Option(w, fromMode), Qt::LeftButton);
    FillSample(w, QStringLiteral("1*2 3*4"));
    const QStringList state = WindowState(w);
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));  // the data may go with the switch
    for (const QString& a : answered) m_fixture->dialogs.queueAnswer(a);
    m_fixture->dialogs.queueCancel();
    QTest::mouseClick(Option(w, 3), Qt::LeftButton);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(WindowState(w), state);
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));
    for (const QString& a : valid) m_fixture->dialogs.queueAnswer(a);
    QTest::mouseClick(Option(w, 3), Qt::LeftButton);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(w->fittingInputMode(), FittingInputMode::Grouped);
    QVERIFY(Option(w, 3)->isChecked());
  }

  void lawsWithoutGroupedFormGoBackToSingleValues() {
    Form5* w = open();
    choose(w, 5, {"2"});
    QTest::mouseClick(Option(w, 3), Qt::LeftButton);
    WindowFixture::fill(w, 1, {"0"});
    choose(w, 2, {});
    QVERIFY(Option(w, 1)->isChecked());
    QVERIFY(!Option(w, 3)->isEnabled());
    QCOMPARE(w->fittingInputMode(), FittingInputMode::Individual);
    QCOMPARE(w->cells().rows(), 2);
    // Another law with a grouped form leaves the mode and the data alone.
    choose(w, 6, {});
    QTest::mouseClick(Option(w, 2), Qt::LeftButton);
    WindowFixture::fill(w, 1, {"4"});
    choose(w, 5, {"3"});
    QVERIFY(Option(w, 2)->isChecked());
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("4"));
  }

  // --- computing --------------------------------------------------------------------------

  // Expected conclusions from Pearson's statistic on the classes each law forms, the first and
  // last taking the law's tails (recomputed independently with scipy.stats, values in the
  // comments), against the printed χ²(0.05) table: df 1: 3.841, 2: 5.991, 3: 7.815, 4: 9.488,
  // 5: 11.070, 6: 12.592, 8: 15.507. Every case lies far from its critical value, so no
  // rounding can turn it.
  void everyLawComputesFromEachModeItAllows_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("answers");  // law dialogs, then grouped summaries
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("conclusion");
    const QString binomial = QStringLiteral("0*10 1*20 2*10");
    const QString binomialGrouped = QStringLiteral("0~1:10 1~2:20 2~3:10");
    const QString poisson = QStringLiteral("0*14 1*27 2*27 3*18 4*9 5*4 6*1");
    const QString poissonGrouped = QStringLiteral("0~1:14 1~2:27 2~3:27 3~4:18 4~7:14");
    const QString uniform = QStringLiteral("1*10 2*10 3*10 4*10 5*10 6*10 7*10 8*10 9*10");
    const QString uniformGrouped = QStringLiteral("0~2:10 2~4:10 4~6:10 6~8:10 8~10:10");
    const QString normal = QStringLiteral("1*2 2*6 3*12 4*19 5*22 6*19 7*12 8*6 9*2");
    const QString normalGrouped = QStringLiteral("-5~3:16 3~5:34 5~7:34 7~15:16");
    const QString exponential = QStringLiteral("1*43 2*24 3*14 4*8 5*5 6*3 7*1 8*1 9*1");
    const QString exponentialGrouped = QStringLiteral("0~2:63 2~4:23 4~20:14");
    // Entry 1: E = 10, 10; χ² = 0 (df 1) or (81 + 81)/10 = 16.2.
    for (int option : {1, 2}) {
      const QByteArray m = option == 1 ? " single" : " counts";
      QTest::newRow("1 fits" + m) << 1 << option << QStringList{"0.5"} << "0*10 1*10" << kH0;
      QTest::newRow("1 misfits" + m) << 1 << option << QStringList{"0.5"} << "0*1 1*19" << kH1;
      QTest::newRow("2 zeros and ones" + m) << 2 << option << QStringList{} << "0*3 1*7" << kH0;
      // N = 2, P = 0.5: E = 10, 20, 10 equal to O, χ² = 0 (df 2; estimated P: df 1).
      QTest::newRow("3" + m) << 3 << option << QStringList{"2", "0.5"} << binomial << kH0;
      QTest::newRow("4" + m) << 4 << option << QStringList{"2"} << binomial << kH0;
      // λ = 2: 5 and X ≥ 6 merge, χ² = 0.030 (df 5); λ̂ = 1.97: χ² = 0.016 (df 3).
      QTest::newRow("5" + m) << 5 << option << QStringList{"2"} << poisson << kH0;
      QTest::newRow("5 misfits" + m) << 5 << option << QStringList{"2"} << "0 1 6*50" << kH1;
      QTest::newRow("6" + m) << 6 << option << QStringList{} << poisson << kH0;
      // Nine classes of width 8/9 from 1 to 9, ten values in each: the end classes reach to 0
      // and 10, E = 17, 8 × 7, 17, χ² = 9.26 (df 8); Â = 1, B̂ = 9: E = 10, χ² = 0 (df 6).
      QTest::newRow("7" + m) << 7 << option << QStringList{"0", "10"} << uniform << kH0;
      QTest::newRow("8" + m) << 8 << option << QStringList{} << uniform << kH0;
      // μ = 5, σ = 2: χ² = 8.07 (df 8); μ̂ = 5, σ̂ = 1.749: χ² = 1.34 (df 4).
      QTest::newRow("9" + m) << 9 << option << QStringList{"5", "2"} << normal << kH0;
      QTest::newRow("10" + m) << 10 << option << QStringList{} << normal << kH0;
      // No value below 1, where the law puts 1 − e^(−1/θ): the first class, reaching down to 0,
      // expects 61.1 against 43 for θ = 2, χ² = 16.40 (df 4); θ̂ = 2.32: χ² = 14.10 (df 4).
      QTest::newRow("11" + m) << 11 << option << QStringList{"2"} << exponential << kH1;
      QTest::newRow("12" + m) << 12 << option << QStringList{} << exponential << kH1;
    }
    // Law 0.2, 0.3, 0.5 with n = 20: classes 1 and 2 merge (E = 10, 10), χ² = 0 (df 1); the
    // counts 18, 1, 1 give (81 + 81)/10 = 16.2.
    QTest::newRow("0 fits single") << 0 << 1 << QStringList{} << "1*4 2*6 3*10" << kH0;
    QTest::newRow("0 fits counts") << 0 << 2 << QStringList{} << "1*4 2*6 3*10" << kH0;
    QTest::newRow("0 misfits") << 0 << 2 << QStringList{} << "1*18 2*1 3*1" << kH1;
    QTest::newRow("3 grouped") << 3 << 3 << QStringList{"2", "0.5"} << binomialGrouped << kH0;
    QTest::newRow("4 grouped") << 4 << 3 << QStringList{"2", "40"} << binomialGrouped << kH0;
    QTest::newRow("5 grouped") << 5 << 3 << QStringList{"2"} << poissonGrouped << kH0;
    QTest::newRow("6 grouped") << 6 << 3 << QStringList{"197"} << poissonGrouped << kH0;
    // [0, 10) in five classes of 10: E = 10, χ² = 0; all 50 in the first: χ² = 200.
    // λ = 2 with X ≥ 4 in the last class: χ² = 0.022 (df 4); λ = 1.97: 0.016 (df 3).
    QTest::newRow("7 grouped") << 7 << 3 << QStringList{"0", "10"} << uniformGrouped << kH0;
    QTest::newRow("7 grouped misfits") << 7 << 3 << QStringList{"0", "10"}
                                       << "0~2:50 2~4:0 4~6:0 6~8:0 8~10:0" << kH1;
    QTest::newRow("8 grouped") << 8 << 3 << QStringList{"0", "10"} << uniformGrouped << kH0;
    // μ = 5, σ = 2 (typed or from ∑X = 500, ∑X² = 2900): Φ gives E = 15.87, 34.13, 34.13,
    // 15.87 against 16, 34, 34, 16, χ² = 0.003.
    QTest::newRow("9 grouped") << 9 << 3 << QStringList{"5", "2"} << normalGrouped << kH0;
    QTest::newRow("10 grouped") << 10 << 3 << QStringList{"500", "2900"} << normalGrouped << kH0;
    // θ = 2 (typed or ∑X / n = 200 / 100): E = 63.2, 23.3, 13.5 (X ≥ 4), χ² = 0.02.
    QTest::newRow("11 grouped") << 11 << 3 << QStringList{"2"} << exponentialGrouped << kH0;
    QTest::newRow("12 grouped") << 12 << 3 << QStringList{"200"} << exponentialGrouped << kH0;
  }
  void everyLawComputesFromEachModeItAllows() {
    QFETCH(int, entry);
    QFETCH(int, option);
    QFETCH(QStringList, answers);
    QFETCH(QString, sample);
    QFETCH(QString, conclusion);
    Form5* w = open();
    for (const QString& a : answers) m_fixture->dialogs.queueAnswer(a);
    choose(w, entry, {});
    if (option != 1) QTest::mouseClick(Option(w, option), Qt::LeftButton);
    if (entry == 0) FillLaw(w, {"1", "2", "3"}, {"0.2", "0.3", "0.5"});
    FillSample(w, sample);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(WindowFixture::label(w, "Label12"), conclusion);
    // The 0-1 entry only checks its data: no statistic to write down.
    const QString line = w->statusLine()->text();
    QVERIFY2(entry == 2 ? line.isEmpty() : line.startsWith(QStringLiteral("χ² = ")), qPrintable(line));
    // Observed counts start again from 0: a second press gives the same conclusion.
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label12"), conclusion);
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
  }

  // A Poisson fit whose old classes covered only the observed values (worked in
  // GoodnessOfFitTest): the conclusion and the pane agree on Pearson's statistic.
  void wholeLawClassesThroughTheWindow() {
    Form5* w = open();
    choose(w, 6, {});
    QTest::mouseClick(Option(w, 2), Qt::LeftButton);
    FillSample(w, QStringLiteral("0*14 1*27 2*26 3*20 4*7 5*3 6*3"));
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
    QCOMPARE(WindowFixture::label(w, "Label12"), kH0);
    const QString pane = w->detailsPane()->plainText();
    QVERIFY2(pane.contains(QStringLiteral("χ² = Σ (Oᵢ − Eᵢ)²/Eᵢ = 0.826009")), qPrintable(pane));
    QVERIFY2(pane.contains(QStringLiteral("[6, +∞)")), qPrintable(pane));
    QVERIFY2(pane.contains(QStringLiteral("接受原假设 H0")), qPrintable(pane));
  }

  void estimatesAreKeptByTheWindow() {
    Form5* w = open();
    choose(w, 6, {});
    FillSample(w, QStringLiteral("0*14 1*27 2*27 3*18 4*9 5*4 6*1"));
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(w->fittingParameters().poissonLambda, 1.97);  // x̄ = 197 / 100
    // No number is shown: the window shows the conclusion only.
    for (const char* name : {"Label3", "Label5", "Label19", "Label20"})
      QCOMPARE(WindowFixture::label(w, name), QString());
  }

  void zeroOneUnknownReportsItsCheckThenConcludesH1() {
    Form5* w = open();
    choose(w, 2, {});
    FillSample(w, QStringLiteral("0 2"));
    WindowFixture::click(w, QStringLiteral("Command1"));  // α is not read by this law
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据超限错误")});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(m_fixture->dialogs.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(WindowFixture::label(w, "Label12"), kH1);
    QCOMPARE(w->statusLine()->text(), QString());  // no statistic behind this conclusion
  }

  // --- the law grid -----------------------------------------------------------------------

  void lawGridHasItsHeadingsAndKeepsItsPoints() {
    Form5* w = open();
    choose(w, 0, {});
    QCOMPARE(w->lawGrid()->cells().rows(), 3);
    QCOMPARE(w->lawGrid()->cells().cols(), w->cells().cols());
    QCOMPARE(LawCell(w, 0, 0), QStringLiteral("分布律"));
    QCOMPARE(LawCell(w, 1, 0), QStringLiteral("X"));
    QCOMPARE(LawCell(w, 2, 0), QStringLiteral("P"));
    QCOMPARE(LawCell(w, 0, 100), QStringLiteral("100"));
    FillLaw(w, {"1", "2"}, {"0.4", "0.6"});
    choose(w, 6, {});
    QVERIFY(w->lawGrid()->view()->isHidden());
    choose(w, 0, {});
    QCOMPARE(LawCell(w, 2, 2), QStringLiteral("0.6"));
  }

  void lawEditorHasItsOwnArmedFlag() {
    Form5* w = open();
    choose(w, 0, {});
    SampleGridView* view = w->lawGrid()->view();
    const QModelIndex index = view->gridModel()->index(2, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
    QLineEdit* text9 = w->findChild<QLineEdit*>(QStringLiteral("Text9"));
    QVERIFY(text9->isVisible());
    QVERIFY(!w->lawGrid()->editorArmed());
    QTest::keyClicks(text9, QStringLiteral("0.5"));
    QCOMPARE(LawCell(w, 2, 1), QStringLiteral("0.5"));
    QVERIFY(!w->editorArmed());  // Text1 is untouched
    QTest::keyClicks(text9, QStringLiteral("x"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QCOMPARE(LawCell(w, 2, 1), QStringLiteral("0.5"));
    QCOMPARE(text9->text(), QStringLiteral("0.5"));
  }

  void editCommandsActOnTheLawGridWhenItHasTheFocus() {
    Form5* w = open();
    choose(w, 0, {});
    FillLaw(w, {"1", "2"}, {"0.4", "0.6"});
    WindowFixture::fill(w, 1, {"7"});
    SampleGridView* view = w->lawGrid()->view();
    view->setFocus();
    view->setCurrentIndex(view->gridModel()->index(1, 1));
    view->selectionModel()->select(QItemSelection(view->gridModel()->index(1, 1), view->gridModel()->index(2, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    WindowFixture::toolbar(w, QStringLiteral("删除"));
    QCOMPARE(LawCell(w, 1, 1), QString());
    QCOMPARE(LawCell(w, 2, 2), QString());
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("7"));
    // Once the law grid is hidden, the commands act on the sample grid again.
    choose(w, 6, {});
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 1));
    WindowFixture::toolbar(w, QStringLiteral("删除"));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
  }

  // --- data checks and refusals -----------------------------------------------------------

  // Each ends in its message; the conclusion of an earlier computation stays.
  void refusalsShowTheirMessageAndKeepTheConclusion_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QStringList>("lawX");
    QTest::addColumn<QStringList>("lawP");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("message");
    const QStringList noLaw;
    // The four checks of the window.
    QTest::newRow("law P of 1") << 0 << 1 << QStringList{} << "1" << QStringList{"1", "2"}
                                << QStringList{"1", "0.5"} << "0.05" << "分布律定义错误,概率值非法";
    QTest::newRow("law sums to 0.94") << 0 << 1 << QStringList{} << "1" << QStringList{"1", "2"}
                                      << QStringList{"0.44", "0.5"} << "0.05" << "分布律定义错误,概率和不为1";
    QTest::newRow("law of one point") << 0 << 1 << QStringList{} << "1" << QStringList{"1"}
                                      << QStringList{"0.98"} << "0.05" << "分布律定义错误";
    QTest::newRow("value not in the law") << 0 << 1 << QStringList{} << "2.5" << QStringList{"2", "3"}
                                          << QStringList{"0.5", "0.5"} << "0.05" << "数据超范围";
    QTest::newRow("0-1 value 2") << 1 << 1 << QStringList{"0.5"} << "0 1 2" << noLaw << noLaw << "0.05"
                                 << "数据超限错误";
    QTest::newRow("binomial above N") << 3 << 2 << QStringList{"4", "0.5"} << "5*2" << noLaw << noLaw
                                      << "0.05" << "数据超限错误";
    QTest::newRow("binomial upper bound above N + 1") << 4 << 3 << QStringList{"4", "10"} << "0~6:3"
                                                      << noLaw << noLaw << "0.05" << "数据超限错误";
    QTest::newRow("negative Poisson value") << 6 << 1 << QStringList{} << "-1 2" << noLaw << noLaw
                                            << "0.05" << "数据超限错误";
    QTest::newRow("negative exponential bound") << 11 << 3 << QStringList{"2"} << "-1~2:5" << noLaw
                                                << noLaw << "0.05" << "数据超限错误";
    // No test to conclude from.
    QTest::newRow("alpha empty") << 5 << 1 << QStringList{"2"} << "0 1 2" << noLaw << noLaw << ""
                                 << "显著水平数据错误";
    QTest::newRow("alpha not a number") << 5 << 1 << QStringList{"2"} << "0 1 2" << noLaw << noLaw
                                        << "abc" << "显著水平数据错误";
    QTest::newRow("alpha 0") << 5 << 1 << QStringList{"2"} << "0 1 2" << noLaw << noLaw << "0"
                             << "显著水平数据错误";
    // λ = 2, all 100 values 0: one class (E = 13.5), df = 1 - 0 - 1 = 0.
    QTest::newRow("no degree of freedom") << 5 << 2 << QStringList{"2"} << "0*100" << noLaw << noLaw
                                          << "0.05" << "自由度太小,无法检验";
    QTest::newRow("no filled cell") << 9 << 1 << QStringList{"0", "1"} << "" << noLaw << noLaw
                                    << "0.05" << "请先输入样本数据";
    // P = 0.5, four 1s: the only class expects 2.
    QTest::newRow("single class below 5") << 1 << 1 << QStringList{"0.5"} << "1*4" << noLaw << noLaw
                                          << "0.05" << "样本量太小,各组合并后期望频数仍不足5,无法检验";
    QTest::newRow("estimated P of 0") << 4 << 2 << QStringList{"3"} << "0*20" << noLaw << noLaw
                                      << "0.05" << "估计的P不在0与1之间,无法检验";
    QTest::newRow("estimated P of 1") << 4 << 2 << QStringList{"3"} << "3*20" << noLaw << noLaw
                                      << "0.05" << "估计的P不在0与1之间,无法检验";
    QTest::newRow("estimated theta 0") << 12 << 2 << QStringList{} << "0*20" << noLaw << noLaw
                                       << "0.05" << "估计的θ不大于0,无法检验";
    QTest::newRow("estimated sigma 0") << 10 << 2 << QStringList{} << "3*20" << noLaw << noLaw
                                       << "0.05" << "估计的σ为0,无法检验";
    QTest::newRow("grouped sigma 0") << 10 << 3 << QStringList{"10", "5"} << "0~5:5 5~10:5" << noLaw
                                     << noLaw << "0.05" << "估计的σ为0,无法检验";
    QTest::newRow("whole numbers 0 to 100000") << 6 << 1 << QStringList{} << "0 100000" << noLaw
                                               << noLaw << "0.05" << "数据范围太大,分组数超出范围";
    QTest::newRow("grouped intervals with a gap") << 11 << 3 << QStringList{"2"} << "0~1:5 2~3:5" << noLaw
                                                  << noLaw << "0.05" << "区间数据必须首尾相接";
    QTest::newRow("sample beyond 16 bits") << 6 << 2 << QStringList{} << "1*30000 2*30000" << noLaw
                                           << noLaw << "0.05" << "样本量超出范围";
    QTest::newRow("grouped count beyond 16 bits") << 12 << 3 << QStringList{"5"} << "0~1:40000" << noLaw
                                                  << noLaw << "0.05" << "样本量超出范围";
  }
  void refusalsShowTheirMessageAndKeepTheConclusion() {
    QFETCH(int, entry);
    QFETCH(int, option);
    QFETCH(QStringList, answers);
    QFETCH(QString, sample);
    QFETCH(QStringList, lawX);
    QFETCH(QStringList, lawP);
    QFETCH(QString, alpha);
    QFETCH(QString, message);
    Form5* w = open();
    auto* conclusion = w->findChild<QLabel*>(QStringLiteral("Label12"));
    conclusion->setText(QStringLiteral("earlier"));
    for (const QString& a : answers) m_fixture->dialogs.queueAnswer(a);
    choose(w, entry, {});
    if (option != 1) QTest::mouseClick(Option(w, option), Qt::LeftButton);
    FillLaw(w, lawX, lawP);
    FillSample(w, sample);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), alpha);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(conclusion->text(), QStringLiteral("earlier"));
  }

 private:
  Form5* open() {
    return m_fixture->open<Form5>(WindowClass::Form5, QStringLiteral("分布拟和检验"), 0);
  }
  // Shows the list and picks an entry, answering its dialogs.
  void choose(Form5* w, int entry, const QStringList& answers) {
    for (const QString& a : answers) m_fixture->dialogs.queueAnswer(a);
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), entry);
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form5Test)
#include "Form5Test.moc"
