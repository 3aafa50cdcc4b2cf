#pragma once
// An input of an analysis window that is more than the text or choice of one control: a
// hypothesis with the value asked for it, say. It reports each change the window has
// accepted, and the window then marks its results stale with the reason given.
#include <QObject>
#include <QString>

class QWidget;

namespace kelvo {

class InputSource : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

  // `control` belongs to this source: the window learns of its changes from the source alone.
  static void claim(QWidget* control);
  static bool claimed(const QWidget* control);

 signals:
  void changed(const QString& why);
};

}  // namespace kelvo
