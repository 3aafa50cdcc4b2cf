#pragma once
// The file menu's data commands of an analysis window: import, open and save of its data, and
// whether it holds changes not yet saved.
#include <QString>
#include <optional>

#include "core/files/DataFile.h"

namespace kelvo {

class AnalysisWindow;

class DataFileCommands {
 public:
  explicit DataFileCommands(AnalysisWindow& window) : m_window(window) {}

  // A CSV or plain-text file, or another data file's samples, into the sample rows.
  void importData();
  // A data file saved by saveData back into the window: grids and settings.
  void openData();
  // The same for a data file's content given in place of a file (a posed exercise): checked
  // as a file read from disk is, then opened.
  void openContent(const DataFileContent& content);
  // Grids and settings to a CSV file, written atomically; true when written.
  bool saveData();

  // Everything the window's data file would hold now.
  DataFileContent content() const;
  // The grids or a setting changed since the last save or open (or, before either, since the
  // window was shown).
  bool hasUnsavedChanges() const;
  // Before the window goes: with unsaved changes, asks whether to save them (保存 / 不保存 /
  // 取消). False when the window must stay: 取消, or a save that was cancelled or failed.
  bool confirmClose();
  // The window is shown: what it holds first is the state to compare with.
  void windowShown();

 private:
  // A data file read and checked: this window's own, or another's sample rows.
  void openParsed(const DataFileContent& content);
  // Opening a data file of this window: its settings, input mode and grids.
  void openOwnData(const DataFileContent& content);
  // Another window's data file, opened or imported (`action`): its sample rows alone.
  void takeSampleRows(const DataFileContent& content, const QString& action,
                      const QString& staleNote);

  AnalysisWindow& m_window;
  std::optional<DataFileContent> m_savedContent;  // as last saved or opened (or first shown)
};

}  // namespace kelvo
