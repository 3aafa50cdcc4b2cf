#pragma once
// Every message box and input dialog of the program goes through one DialogService, so tests
// can script the answers and read back what was shown.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace kelvo {

enum class MessageIcon { None, Information, Warning, Stop };

enum class FileQuestion { Open, Save };

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
  // The same dialog for a question the user may decline: Cancel (or Esc) gives no text at all.
  virtual std::optional<QString> askTextOrCancel(QWidget* parent, const QString& prompt,
                                                 const QString& title, const QString& defaultText) = 0;
  // A modal question answered by one of `buttons` (at least two; the first is the default):
  // the index of the button chosen. Escape or closing the box answers the last button.
  virtual int askChoice(QWidget* parent, const QString& text, const QString& title,
                        const QStringList& buttons) = 0;
  // A file chosen to read (`FileQuestion::Open`) or to write (`FileQuestion::Save`), starting
  // from `suggested`; `filter` as Qt's file dialogs take it ("CSV 文件 (*.csv)"). Cancel gives
  // the empty text.
  virtual QString askFilePath(QWidget* parent, FileQuestion kind, const QString& title,
                              const QString& filter, const QString& suggested) = 0;
  // The system's print dialog over `printer`; false when the user cancels.
  virtual bool choosePrinter(QWidget* parent, QPrinter* printer) = 0;

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
// The same, but Cancel (or Esc) ends the question without a value; an empty or non-numeric
// answer given with OK reads as 0.
std::optional<double> AskNumberOrCancel(QWidget* parent, const QString& prompt, const QString& title,
                                        const std::function<bool(double)>& accept, bool whole = false);

class QtDialogs : public DialogService {
 public:
  void showMessage(QWidget* parent, const QString& text, const QString& title,
                   MessageIcon icon) override;
  QString askText(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& defaultText) override;
  std::optional<QString> askTextOrCancel(QWidget* parent, const QString& prompt,
                                         const QString& title, const QString& defaultText) override;
  int askChoice(QWidget* parent, const QString& text, const QString& title,
                const QStringList& buttons) override;
  QString askFilePath(QWidget* parent, FileQuestion kind, const QString& title,
                      const QString& filter, const QString& suggested) override;
  bool choosePrinter(QWidget* parent, QPrinter* printer) override;
};

// A question of askChoice as it was put.
struct AskedChoice {
  QString text;
  QString title;
  QStringList buttons;
};

// Answers input dialogs from a queue and records every message and question.
class ScriptedDialogs : public DialogService {
 public:
  void queueAnswer(const QString& answer) { m_answers.push_back({answer, false}); }
  // Cancel: askText gives the empty text, as Qt's dialog does; askTextOrCancel no text.
  void queueCancel() { m_answers.push_back({QString(), true}); }

  void showMessage(QWidget* parent, const QString& text, const QString& title,
                   MessageIcon icon) override;
  QString askText(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& defaultText) override;
  std::optional<QString> askTextOrCancel(QWidget* parent, const QString& prompt,
                                         const QString& title, const QString& defaultText) override;
  // askChoice answers with the button of this caption; with none queued, with its last button
  // (as Escape does), counted in unansweredChoices.
  void queueChoice(const QString& button) { m_choices.push_back(button); }
  int askChoice(QWidget* parent, const QString& text, const QString& title,
                const QStringList& buttons) override;
  std::deque<AskedChoice> choices;  // every question of askChoice, in order
  int unansweredChoices = 0;
  // File questions take their answers from their own queue; none queued answers Cancel.
  void queueFilePath(const QString& path) { m_filePaths.push_back(path); }
  QString askFilePath(QWidget* parent, FileQuestion kind, const QString& title,
                      const QString& filter, const QString& suggested) override;
  // The print dialog is accepted when `true` was queued (the printer left as the caller set
  // it up), and cancelled when nothing was queued.
  void queuePrinterChoice(bool accept) { m_printerChoices.push_back(accept); }
  bool choosePrinter(QWidget* parent, QPrinter* printer) override;

  std::deque<ShownMessage> messages;
  QStringList prompts;  // the prompt of every question asked, in order
  QStringList titles;   // the title of every question asked
  int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
  // Questions asked when no answer was queued are answered with Cancel and counted here.
  int unansweredQuestions = 0;
  QStringList fileTitles;  // the title of every file question asked
  int printDialogs = 0;    // how often the print dialog was shown

 private:
  struct Answer {
    QString text;
    bool cancelled = false;
  };
  std::deque<Answer> m_answers;
  std::deque<QString> m_choices;
  std::deque<QString> m_filePaths;
  std::deque<bool> m_printerChoices;
};

}  // namespace kelvo
