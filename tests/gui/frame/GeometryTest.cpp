// Every window of the menu, in every mode and input mode and with each item of its hypothesis
// list, at its default size, maximised and with the worked-solution pane open in a window 800
// pixels wide: no two visible controls of one container overlap, every caption fits its
// control, and no control sticks out of its container.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <functional>

#include "gui/frame/HypothesisLists.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/ControlLayout.h"
#include "gui/app/MenuTable.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// Pixels a caption or a control may exceed its room by: rounding of the re-layout.
constexpr int kSlack = 2;

// The sizes a window is checked at, with its width once there.
struct Size {
  const char* name;
  std::function<void(AnalysisWindow*)> apply;
  int width;
  bool pane;
};
const Size kSizes[] = {
    {"default", [](AnalysisWindow*) {}, 800, false},
    // Maximised on a 1280 × 1024 screen.
    {"maximised", [](AnalysisWindow* w) { w->resize(1280, 1000); }, 1280, false},
    {"pane at 800",
     [](AnalysisWindow* w) {
       w->setDetailsVisible(true);
       w->resize(800, w->height());
     },
     800, true},
};

QString Describe(const QWidget* w) {
  const QRect g = w->geometry();
  return QStringLiteral("%1 %2 (%4,%5 %6×%7) \"%3\"")
      .arg(QLatin1String(w->metaObject()->className()), w->objectName(),
           qobject_cast<const QLabel*>(w)            ? qobject_cast<const QLabel*>(w)->text()
           : qobject_cast<const QAbstractButton*>(w) ? qobject_cast<const QAbstractButton*>(w)->text()
           : qobject_cast<const QGroupBox*>(w)       ? qobject_cast<const QGroupBox*>(w)->title()
                                                     : QString())
      .arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

// The controls of a container that are shown.
QList<QWidget*> ShownControls(QWidget* container, QWidget* window) {
  QList<QWidget*> shown;
  for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (IsPlacedControl(w) && w->isVisibleTo(window)) shown << w;
  return shown;
}

// The cell editor stands over a cell of its grid on purpose.
bool EditorOverGrid(const QWidget* a, const QWidget* b) {
  const bool editorA = qobject_cast<const QLineEdit*>(a) && qobject_cast<const SampleGridView*>(b);
  const bool editorB = qobject_cast<const QLineEdit*>(b) && qobject_cast<const SampleGridView*>(a);
  return (editorA || editorB) && (editorA ? b : a)->geometry().contains((editorA ? a : b)->geometry());
}

// The room a control gives its caption, and the caption's width.
struct Caption {
  int needed = 0;
  int room = 0;
};

std::optional<Caption> CaptionOf(QWidget* w) {
  const QFontMetrics metrics = w->fontMetrics();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty() || label->wordWrap()) return std::nullopt;
    const int margins = 2 * label->margin() + label->indent() * (label->indent() > 0);
    return Caption{metrics.horizontalAdvance(label->text()), label->contentsRect().width() - margins};
  }
  if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w))
    return Caption{w->sizeHint().width(), w->width()};
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    return Caption{metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))),
                   w->width() - 2 * frame};
  }
  if (auto* list = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field =
        w->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w);
    const QString shown = list->currentIndex() < 0 ? list->placeholderText() : list->currentText();
    return Caption{metrics.horizontalAdvance(shown), field.width()};
  }
  if (auto* box = qobject_cast<QGroupBox*>(w)) {
    if (box->title().isEmpty()) return std::nullopt;
    return Caption{metrics.horizontalAdvance(box->title()), w->width()};
  }
  return std::nullopt;
}

// Every fault of the window as it stands, one line each.
QStringList GeometryFaults(AnalysisWindow* window) {
  QStringList faults;
  QWidget* surface = window->findChild<QWidget*>(QStringLiteral("surface"));
  QList<QWidget*> containers{surface};
  for (QWidget* w : surface->findChildren<QWidget*>())
    if (IsPlacedControl(w) && w->isVisibleTo(window)) containers << w;
  for (QWidget* container : containers) {
    const QList<QWidget*> shown = ShownControls(container, window);
    // Controls stand inside their container, clear of a group box's title.
    const QRect room = container->rect().adjusted(-kSlack, -kSlack, kSlack, kSlack);
    QRect title;
    if (auto* box = qobject_cast<QGroupBox*>(container); box && !box->title().isEmpty()) {
      QStyleOptionGroupBox option;
      option.initFrom(box);
      option.text = box->title();
      option.subControls = QStyle::SC_GroupBoxLabel;
      title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    }
    for (QWidget* w : shown) {
      const QRect onTitle = w->geometry().intersected(title);
      if (!room.contains(w->geometry()) || (onTitle.width() > kSlack && onTitle.height() > kSlack))
        faults << QStringLiteral("%1 sticks out of %2").arg(Describe(w), Describe(container));
      if (const std::optional<Caption> c = CaptionOf(w); c && c->needed > c->room + kSlack)
        faults << QStringLiteral("%1 is cut: needs %2 px, has %3").arg(Describe(w)).arg(c->needed).arg(c->room);
    }
    for (int i = 0; i < shown.size(); ++i)
      for (int j = i + 1; j < shown.size(); ++j) {
        const QRect overlap = shown[i]->geometry().intersected(shown[j]->geometry());
        if (overlap.width() > kSlack && overlap.height() > kSlack && !EditorOverGrid(shown[i], shown[j]))
          faults << QStringLiteral("%1 overlaps %2").arg(Describe(shown[i]), Describe(shown[j]));
      }
  }
  return faults;
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

class GeometryTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    // The program's own font: captions are measured as the program shows them.
    QApplication::setFont(QFont(QStringList{QStringLiteral("Noto Sans CJK SC"),
                                            QStringLiteral("Noto Sans"), QStringLiteral("Sans")},
                                10));
  }

  void everyWindowModeAndSize_data() {
    QTest::addColumn<int>("windowClass");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("size");
    for (const MenuItemSpec& item : MainMenuTable()) {
      if (item.command != MenuCommand::OpenWindow) continue;
      for (int size = 0; size < static_cast<int>(std::size(kSizes)); ++size)
        QTest::addRow("%s %s", item.name, kSizes[size].name)
            << static_cast<int>(item.windowClass) << QString::fromUtf8(item.captionSet) << item.mode
            << size;
    }
  }

  void everyWindowModeAndSize() {
    QFETCH(int, windowClass);
    QFETCH(QString, caption);
    QFETCH(int, mode);
    QFETCH(int, size);
    WindowFixture fixture;
    // Enough answers for every question a mode or a hypothesis asks: N, a hypothesised value,
    // the parameters of a law (a below b).
    const char* answers[] = {"0.5", "1", "2", "3"};
    for (int i = 0; i < 400; ++i) fixture.dialogs.queueAnswer(QString::fromLatin1(answers[i % 4]));
    AnalysisWindow* w = fixture.openWindow(static_cast<WindowClass>(windowClass), caption, mode);
    const Size& chosen = kSizes[size];
    chosen.apply(w);
    Settle();
    QCOMPARE(w->width(), chosen.width);
    QCOMPARE(w->detailsPane()->isVisible(), chosen.pane);

    QStringList faults;
    auto check = [&](const QString& state) {
      Settle();
      for (const QString& fault : GeometryFaults(w)) faults << state + QStringLiteral(": ") + fault;
    };
    auto eachInputMode = [&](const QString& state) {
      bool any = false;
      for (const char* name : {"Option1", "Option2", "Option3"}) {
        auto* option = w->findChild<QRadioButton*>(QString::fromLatin1(name));
        if (!option || !option->isVisibleTo(w) || !option->isEnabled()) continue;
        option->click();
        check(state + QLatin1Char(' ') + QLatin1String(name));
        any = true;
      }
      if (!any) check(state);
    };
    eachInputMode(QStringLiteral("as opened"));
    // The hypothesis list of the mode, shown, and each of its items picked.
    if (auto* lists = w->findChild<HypothesisLists*>(); lists && lists->current()) {
      QComboBox* list = lists->current();
      for (int item = 0; item < list->count(); ++item) {
        lists->showCurrent();
        check(QStringLiteral("list shown"));
        WindowFixture::chooseItem(w, list->objectName(), item);
        eachInputMode(QStringLiteral("item %1").arg(item));
      }
    }
    w->setDetailsVisible(false);  // the next window of the class opens without it
    faults.removeDuplicates();
    // Each fault on a line of its own: a failure message would be cut short.
    for (const QString& fault : faults) qWarning().noquote() << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults in a window of %2 × %3 pixels")
                                              .arg(faults.size()).arg(w->width()).arg(w->height())));
  }
};

QTEST_MAIN(GeometryTest)
#include "GeometryTest.moc"
