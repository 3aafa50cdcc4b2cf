// Scenes of the tool windows:
//   probability  the calculator: B(10, 0.4), P(3 < X ≤ 7) with the normal approximation
//   probnormal   the calculator: N(1, 4), P(X ≤ 1.5)
//   tables       the tables window at the t table, df 6, α = 0.025
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>

#include "ShotScenes.h"
#include "core/probability/TableLookup.h"
#include "core/tables/Quantiles.h"
#include "gui/tools/ProbabilityCalculator.h"
#include "gui/tools/StatisticalTables.h"
#include "gui/tools/ToolWindows.h"

namespace {

void Set(QWidget* w, const char* box, const QString& text) {
  w->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
}

void Ask(QWidget* w, const QString& law, const QString& question) {
  auto* list = w->findChild<QListWidget*>(QStringLiteral("distributionList"));
  list->setCurrentItem(list->findItems(law, Qt::MatchExactly).value(0));
  auto* questions = w->findChild<QComboBox*>(QStringLiteral("questionList"));
  questions->setCurrentIndex(questions->findText(question));
}

const kelvo::SceneRegistrar kProbability("probability", [](kelvo::ScriptedDialogs&) {
  kelvo::ProbabilityCalculator* w = kelvo::ShowProbabilityCalculator();
  Ask(w, QStringLiteral("二项分布 B(n, p)"), QStringLiteral("P(a ≤ X ≤ b)（端点可开可闭）"));
  Set(w, "parameter1Box", QStringLiteral("10"));
  Set(w, "parameter2Box", QStringLiteral("0.4"));
  Set(w, "xBox", QStringLiteral("3"));
  Set(w, "bBox", QStringLiteral("7"));
  w->findChild<QCheckBox*>(QStringLiteral("lowerClosedBox"))->setChecked(false);
  w->findChild<QCheckBox*>(QStringLiteral("approximationBox"))->setChecked(true);
  w->move(0, 0);
  w->resize(1000, 720);
  w->compute();
});

const kelvo::SceneRegistrar kProbabilityNormal("probnormal", [](kelvo::ScriptedDialogs&) {
  kelvo::ProbabilityCalculator* w = kelvo::ShowProbabilityCalculator();
  Ask(w, QStringLiteral("正态分布 N(μ, σ²)"), QStringLiteral("P(X ≤ x)"));
  Set(w, "parameter1Box", QStringLiteral("1"));
  Set(w, "parameter2Box", QStringLiteral("2"));
  Set(w, "xBox", QStringLiteral("1.5"));
  w->move(0, 0);
  w->resize(1000, 720);
  w->compute();
});

const kelvo::SceneRegistrar kTables("tables", [](kelvo::ScriptedDialogs&) {
  kelvo::StatisticalTables* w = kelvo::ShowStatisticalTables();
  w->move(0, 0);
  w->resize(1000, 720);
  w->showCell({kelvo::PrintedTableKind::T, 6, 0, 0.025});
});

}  // namespace
