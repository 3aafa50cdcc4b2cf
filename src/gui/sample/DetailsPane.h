#pragma once
// The worked-solution pane beside an analysis window: the whole solution of the last
// computation as rich text, a button that copies it as plain text, and a note when the
// results on screen no longer belong to the inputs.
#include <QDockWidget>

#include "core/shell/WorkedSolution.h"

class QLabel;
class QTextBrowser;

namespace kelvo {

class DetailsPane : public QDockWidget {
  Q_OBJECT
 public:
  explicit DetailsPane(QWidget* parent);

  // The solution of a successful computation; clears any staleness note. It is laid out when
  // the pane is shown, so a hidden pane costs no layout.
  void setSolution(WorkedSolution solution);
  // Nothing to show (a refused computation).
  void clearSolution();
  // The note shown above the solution while it no longer matches the inputs; empty hides it.
  void setStaleNote(const QString& note);
  // The whole solution as plain text, every table row included.
  QString plainText() const;
  void copyToClipboard() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void render();

  QLabel* m_note;
  QTextBrowser* m_text;
  WorkedSolution m_solution;
  bool m_rendered = true;
};

}  // namespace kelvo
