#include "gui/frame/InputWatcher.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include "gui/frame/InputSource.h"

namespace kelvo {
namespace {

constexpr char kChangeNoteProperty[] = "kelvoChangeNote";

}  // namespace

void InputWatcher::setChangeNote(QWidget* input, const QString& note) {
  input->setProperty(kChangeNoteProperty, note);
}

void InputWatcher::report(const QObject* input, const QString& defaultNote) {
  const QString note = input->property(kChangeNoteProperty).toString();
  emit changed(note.isEmpty() ? defaultNote : note);
}

InputWatcher::InputWatcher(QWidget* surface, const QWidget* modePanel,
                           const QList<const QWidget*>& ignored, QObject* parent)
    : QObject(parent) {
  for (QLineEdit* box : surface->findChildren<QLineEdit*>()) {
    // The text box of an editable list is the list's.
    if (ignored.contains(box) || InputSource::claimed(box) ||
        qobject_cast<QComboBox*>(box->parentWidget()))
      continue;
    connect(box, &QLineEdit::textChanged, this,
            [this, box] { report(box, QStringLiteral("参数已修改")); });
  }
  for (QComboBox* list : surface->findChildren<QComboBox*>()) {
    if (InputSource::claimed(list)) continue;
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, list] { report(list, QStringLiteral("选项已修改")); });
  }
  for (QAbstractButton* option : surface->findChildren<QAbstractButton*>()) {
    if (!option->isCheckable() || ignored.contains(option) || InputSource::claimed(option))
      continue;
    const QString note = modePanel->isAncestorOf(option) ? QStringLiteral("输入方式已改变")
                                                         : QStringLiteral("选项已修改");
    connect(option, &QAbstractButton::toggled, this, [this, option, note](bool on) {
      if (on) report(option, note);
    });
  }
  for (InputSource* source : parent->findChildren<InputSource*>())
    connect(source, &InputSource::changed, this, &InputWatcher::changed);
}

}  // namespace kelvo
