#pragma once
// Watches every input of a window's surface and says, with a note for the details pane, when
// one changes: a box "参数已修改", a list or an option "选项已修改", an option of the
// input-mode panel "输入方式已改变", unless the control carries its own note (setChangeNote).
// Controls an InputSource claims are left to it; the source's own reports come through too.
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace kelvo {

class InputWatcher : public QObject {
  Q_OBJECT
 public:
  // `ignored`: controls whose changes the window learns otherwise (the grid editors, the
  // options that choose the input mode). The input sources are those among `parent`'s children.
  InputWatcher(QWidget* surface, const QWidget* modePanel, const QList<const QWidget*>& ignored,
               QObject* parent);

  // What the note says when `input` changes ("显著水平已修改").
  static void setChangeNote(QWidget* input, const QString& note);

 signals:
  void changed(const QString& note);

 private:
  void report(const QObject* input, const QString& defaultNote);
};

}  // namespace kelvo
