#pragma once
// The worked-solution pane beside an analysis window: the whole solution of the last
// computation as rich text, a button that copies it as plain text, and a note when the
// results on screen no longer belong to the inputs.
#include <QDockWidget>

class QLabel;
class QTextBrowser;

namespace kelvo {

class DetailsPane : public QDockWidget {
  Q_OBJECT
 public:
  explicit DetailsPane(QWidget* parent);

  // The solution of a successful computation; clears any staleness note.
  void showSolution(const QString& html);
  // Nothing to show (a refused computation).
  void clearSolution();
  // The note shown above the solution while it no longer matches the inputs; empty hides it.
  void setStaleNote(const QString& note);
  QString plainText() const;
  void copyToClipboard() const;

 private:
  QLabel* m_note;
  QTextBrowser* m_text;
};

}  // namespace kelvo
