#include "gui/common/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include "core/text/TextNumber.h"
#include "gui/common/AppContext.h"

namespace kelvo {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

DialogService& Dialogs() { return App().dialogService(); }

QString AskUntil(QWidget* parent, const QString& prompt, const QString& title,
                 const std::function<bool(const QString&)>& accept) {
  for (;;) {
    const QString answer = Dialogs().askText(parent, prompt, title, QString());
    if (accept(answer)) return answer;
  }
}

double AskNumberUntil(QWidget* parent, const QString& prompt, const QString& title,
                      const std::function<bool(double)>& accept, bool whole) {
  double value = 0.0;
  AskUntil(parent, prompt, title, [&](const QString& answer) {
    value = LeadingValue(answer.toStdString());
    if (whole) value = RoundHalfEven(value);
    return accept(value);
  });
  return value;
}

std::optional<double> AskNumberOrCancel(QWidget* parent, const QString& prompt, const QString& title,
                                        const std::function<bool(double)>& accept, bool whole) {
  for (;;) {
    const std::optional<QString> answer = Dialogs().askTextOrCancel(parent, prompt, title, QString());
    if (!answer) return std::nullopt;
    double value = LeadingValue(answer->toStdString());
    if (whole) value = RoundHalfEven(value);
    if (accept(value)) return value;
  }
}

void ShowDataCheck(QWidget* parent, const QString& text) {
  Dialogs().showMessage(parent, text, QStringLiteral("数据检查"), MessageIcon::Stop);
}

void QtDialogs::showMessage(QWidget* parent, const QString& text, const QString& title,
                            MessageIcon icon) {
  OpenGuard guard(*this);
  QMessageBox box(ToQtIcon(icon), title, text, QMessageBox::Ok, parent);
  box.exec();
}

QString QtDialogs::askText(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& defaultText) {
  return askTextOrCancel(parent, prompt, title, defaultText).value_or(QString());
}

std::optional<QString> QtDialogs::askTextOrCancel(QWidget* parent, const QString& prompt,
                                                  const QString& title, const QString& defaultText) {
  OpenGuard guard(*this);
  QInputDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QStringLiteral("确定"));
  dialog.setCancelButtonText(QStringLiteral("取消"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

int QtDialogs::askChoice(QWidget* parent, const QString& text, const QString& title,
                         const QStringList& buttons) {
  OpenGuard guard(*this);
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
  // The first button accepts, the last one declines, any between (不保存) discards: the box
  // orders them as the platform does.
  QList<QAbstractButton*> added;
  for (qsizetype i = 0; i < buttons.size(); ++i)
    added << box.addButton(buttons[i], i == 0                    ? QMessageBox::AcceptRole
                                       : i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                 : QMessageBox::DestructiveRole);
  if (added.isEmpty()) return -1;
  box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
  box.setEscapeButton(added.back());
  box.exec();
  const int chosen = static_cast<int>(added.indexOf(box.clickedButton()));
  return chosen < 0 ? static_cast<int>(added.size()) - 1 : chosen;
}

QString QtDialogs::askFilePath(QWidget* parent, FileQuestion kind, const QString& title,
                               const QString& filter, const QString& suggested) {
  OpenGuard guard(*this);
  QFileDialog dialog(parent, title, suggested, filter);
  dialog.setFileMode(kind == FileQuestion::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setAcceptMode(kind == FileQuestion::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  if (kind == FileQuestion::Save) {
    // A name typed without a suffix takes the one of the file type chosen in the dialog.
    auto followFilter = [&dialog](const QString& nameFilter) {
      static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.(\\w+)"));
      const QRegularExpressionMatch m = firstSuffix.match(nameFilter);
      dialog.setDefaultSuffix(m.hasMatch() ? m.captured(1) : QString());
    };
    followFilter(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter* printer) {
  OpenGuard guard(*this);
  QPrintDialog dialog(printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ScriptedDialogs::showMessage(QWidget*, const QString& text, const QString& title,
                                  MessageIcon icon) {
  OpenGuard guard(*this);
  messages.push_back({text, title, icon});
}

QString ScriptedDialogs::askText(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultText) {
  return askTextOrCancel(parent, prompt, title, defaultText).value_or(QString());
}

int ScriptedDialogs::askChoice(QWidget*, const QString& text, const QString& title,
                               const QStringList& buttons) {
  OpenGuard guard(*this);
  choices.push_back({text, title, buttons});
  if (m_choices.empty()) {
    ++unansweredChoices;
    return static_cast<int>(buttons.size()) - 1;
  }
  const QString answer = m_choices.front();
  m_choices.pop_front();
  const int index = static_cast<int>(buttons.indexOf(answer));
  if (index < 0)
    qFatal("ScriptedDialogs: \"%s\" queued for a question without that button (\"%s\")",
           qUtf8Printable(answer), qUtf8Printable(text));
  return index;
}

std::optional<QString> ScriptedDialogs::askTextOrCancel(QWidget*, const QString& prompt,
                                                        const QString& title, const QString&) {
  OpenGuard guard(*this);
  prompts << prompt;
  titles << title;
  if (m_answers.empty()) {
    // A question that repeats until it gets a valid answer would loop for ever here.
    if (++unansweredQuestions > 100)
      qFatal("ScriptedDialogs: \"%s\" asked again and again with no answer queued",
             qUtf8Printable(prompt));
    return std::nullopt;
  }
  const Answer answer = m_answers.front();
  m_answers.pop_front();
  if (answer.cancelled) return std::nullopt;
  return answer.text;
}

QString ScriptedDialogs::askFilePath(QWidget*, FileQuestion, const QString& title, const QString&,
                                     const QString&) {
  OpenGuard guard(*this);
  fileTitles << title;
  if (m_filePaths.empty()) return QString();
  QString path = m_filePaths.front();
  m_filePaths.pop_front();
  return path;
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter*) {
  OpenGuard guard(*this);
  ++printDialogs;
  if (m_printerChoices.empty()) return false;
  const bool accept = m_printerChoices.front();
  m_printerChoices.pop_front();
  return accept;
}

}  // namespace kelvo
