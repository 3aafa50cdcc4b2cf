#include "gui/shell/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace kelvo {
namespace {

DialogService* g_installed = nullptr;

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

DialogService& Dialogs() {
  static QtDialogs qtDialogs;
  return g_installed ? *g_installed : qtDialogs;
}

void SetDialogs(DialogService* service) { g_installed = service; }

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
  OpenGuard guard(*this);
  QInputDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QStringLiteral("确定"));
  dialog.setCancelButtonText(QStringLiteral("取消"));
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.textValue();
}

void ScriptedDialogs::showMessage(QWidget*, const QString& text, const QString& title,
                                  MessageIcon icon) {
  OpenGuard guard(*this);
  messages.push_back({text, title, icon});
}

QString ScriptedDialogs::askText(QWidget*, const QString& prompt, const QString& title,
                                 const QString&) {
  OpenGuard guard(*this);
  prompts << prompt;
  titles << title;
  if (m_answers.empty()) {
    // A question that repeats until it gets a valid answer would loop for ever here.
    if (++unansweredQuestions > 100)
      qFatal("ScriptedDialogs: \"%s\" asked again and again with no answer queued",
             qUtf8Printable(prompt));
    return QString();
  }
  QString answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

}  // namespace kelvo
