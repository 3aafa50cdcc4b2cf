#pragma once
// A window's report as plain sections (data tables, captioned inputs and results, the worked
// solution, a chart reference) and its assembly into one HTML document. Every text from the
// window is escaped here, so nothing a user typed can become markup.
#include <string>
#include <string_view>
#include <vector>

#include "core/sample/CellStore.h"
#include "core/documents/WorkedSolution.h"

namespace kelvo {

// One captioned line: "样本均值" / "4.000". A row with an empty value is a note line.
struct ReportRow {
  std::string caption;
  std::string value;
};

// A titled group of rows, one per panel of the window.
struct ReportGroup {
  std::string title;
  std::vector<ReportRow> rows;
};

// A table of texts; rows[0] is the heading row, column 0 the row headings.
struct ReportTable {
  std::string title;
  std::vector<std::vector<std::string>> rows;
};

struct ReportDocument {
  std::string title;
  std::string created;    // date and time the report was made
  std::string staleNote;  // why the results no longer match the inputs; empty: they do
  std::vector<ReportTable> data;
  std::vector<ReportGroup> inputs;
  std::vector<ReportGroup> results;
  WorkedSolution solution;
  std::string chartSource;  // the chart image's address (a data: URL or a resource name); empty: none
  int chartWidth = 0;       // the width the chart is shown at, in pixels
  int chartHeight = 0;
};

// The filled part of a grid: the data rows and columns holding at least one non-empty cell,
// each with its heading from row 0 / column 0. No filled cell gives a table without rows.
ReportTable TableFromCells(std::string title, const CellStore& cells);

// The report's fonts, in order of preference: Latin fonts before the CJK ones. A CJK font
// draws the digits of a run of Latin text with glyphs the PDF writer cannot map back to
// characters, so a PDF set in it would lose its digits when copied or searched; with a Latin
// font first, only the Chinese characters come from the CJK font.
std::vector<std::string> ReportFontFamilies();

// A whole UTF-8 HTML document; wide tables are split into blocks of `columnsPerTable` data
// columns, each repeating the row headings.
std::string ReportHtml(const ReportDocument& document, int columnsPerTable = 10);

}  // namespace kelvo
