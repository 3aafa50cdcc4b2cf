#pragma once
// Every message box and input dialog of the program goes through one DialogService, so tests
// can script the answers and read back what was shown.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

class QWidget;

namespace kelvo {

enum class MessageIcon { None, Information, Warning, Stop };

struct ShownMessage {
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::None;
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  // A modal message box with an OK button.
  virtual void showMessage(QWidget* parent, const QString& text, const QString& title,
                           MessageIcon icon) = 0;
  // A modal text-input dialog with OK and Cancel; Cancel gives the empty text.
  virtual QString askText(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;

  // True while a dialog of this service is open: a window losing activation then does so to
  // its own dialog, not to another window of the program.
  bool dialogOpen() const { return m_openDialogs > 0; }

 protected:
  struct OpenGuard {
    explicit OpenGuard(DialogService& s) : service(s) { ++service.m_openDialogs; }
    ~OpenGuard() { --service.m_openDialogs; }
    DialogService& service;
  };

 private:
  int m_openDialogs = 0;
};

// The service in force: App().dialogs, or Qt's dialogs when none is installed.
DialogService& Dialogs();

// The program's data-check box: the text, title "数据检查", stop icon, OK button.
void ShowDataCheck(QWidget* parent, const QString& text);

// Asks until `accept` takes the answer, without a message in between. Cancel answers the
// empty text, which goes through the same rule: a question that needs a valid value cannot
// be cancelled, it is asked again.
QString AskUntil(QWidget* parent, const QString& prompt, const QString& title,
                 const std::function<bool(const QString&)>& accept);
// A number asked until `accept` takes it: LeadingValue of the answer, rounded halves to even
// when `whole` (an empty, cancelled or non-numeric answer reads as 0).
double AskNumberUntil(QWidget* parent, const QString& prompt, const QString& title,
                      const std::function<bool(double)>& accept, bool whole = false);

class QtDialogs : public DialogService {
 public:
  void showMessage(QWidget* parent, const QString& text, const QString& title,
                   MessageIcon icon) override;
  QString askText(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& defaultText) override;
};

// Answers input dialogs from a queue and records every message and question.
class ScriptedDialogs : public DialogService {
 public:
  void queueAnswer(const QString& answer) { m_answers.push_back(answer); }
  // Cancel is answered as the empty text, as Qt's dialog gives it.
  void queueCancel() { m_answers.push_back(QString()); }

  void showMessage(QWidget* parent, const QString& text, const QString& title,
                   MessageIcon icon) override;
  QString askText(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& defaultText) override;

  std::deque<ShownMessage> messages;
  QStringList prompts;  // the prompt of every question asked, in order
  QStringList titles;   // the title of every question asked
  int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
  // Questions asked when no answer was queued are answered with Cancel and counted here.
  int unansweredQuestions = 0;

 private:
  std::deque<QString> m_answers;
};

}  // namespace kelvo
