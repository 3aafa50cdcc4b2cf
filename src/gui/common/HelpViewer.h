#pragma once
// The program's help document, shown in a window of its own.
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;
class QUrl;

namespace kelvo {

// The help window: the document in a browser under one row of commands: back and forward
// through the sections seen, the document's contents, and a search box.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `url` (the section named by its fragment, if any) and records it in the history.
  void openPage(const QUrl& url);
  // Selects the next occurrence of the search box's text after the match on screen (or
  // from the top of what is shown), going on from the top after the last one. When the document does not hold the text,
  // says so beside the box and returns false.
  bool findNext();

  QTextBrowser* browser() const { return m_browser; }
  QToolButton* backButton() const { return m_back; }
  QToolButton* forwardButton() const { return m_forward; }
  QLineEdit* searchBox() const { return m_search; }
  QLabel* searchNote() const { return m_note; }

 private:
  void setupCommands();
  void connectSignals();
  void showContents();
  // Unmarks the link last clicked, where the view stands.
  void dropLinkMark();
  // Where a search begins: at the match on screen (after it, or at its start while its text
  // is being typed), else at the top of the visible part of the document.
  int searchStart(bool afterMatch) const;
  // Looks for the search text from `position` on, then from the top.
  bool findFrom(int position);

  QTextBrowser* m_browser = nullptr;
  QToolButton* m_back = nullptr;
  QToolButton* m_forward = nullptr;
  QToolButton* m_contents = nullptr;
  QLineEdit* m_search = nullptr;
  QToolButton* m_findNext = nullptr;
  QLabel* m_note = nullptr;
};

// The path of the help document: App().helpDocumentPath, or kelvo.html in the executable's
// folder when that is empty.
QString HelpDocumentPath();
// Opens the one help window of the program at the document's contents, or at the section
// `anchor`; a missing document is reported in a message box and nothing else happens.
void ShowProgramHelp(QWidget* parent, const QString& anchor = QString());
// F1 in `window` opens the help at the section `anchor`.
void AddHelpKey(QWidget* window, const QString& anchor);

}  // namespace kelvo
