#include "core/documents/ReportDocument.h"

#include <algorithm>
#include <cstddef>

namespace kelvo {
namespace {

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c == ' ' || c == '\t'; });
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// Keeps the line breaks of a text when shown as HTML.
std::string EscapeLines(const std::string& text) {
  std::string out;
  const std::vector<std::string> lines = Split(text, '\n');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "<br>";
    out += EscapeHtml(lines[i]);
  }
  return out;
}

// The table attributes Qt's rich-text engine reads; the style sheet does the same in a browser.
constexpr const char* kTableOpen = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";

void AppendDataTable(std::string& out, const ReportTable& table, int columnsPerTable) {
  if (!table.title.empty()) out += "<h3>" + EscapeHtml(table.title) + "</h3>\n";
  if (table.rows.size() < 2) {
    out += "<p>（无数据）</p>\n";
    return;
  }
  const std::size_t width = table.rows[0].size();
  const std::size_t block = static_cast<std::size_t>(std::max(1, columnsPerTable));
  for (std::size_t first = 1; first < width; first += block) {
    const std::size_t last = std::min(width, first + block);
    out += kTableOpen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const std::vector<std::string>& row = table.rows[r];
      const char* open = r == 0 ? "<th>" : "<td>";
      const char* close = r == 0 ? "</th>" : "</td>";
      out += "<tr><th>" + EscapeHtml(row.empty() ? std::string() : row[0]) + "</th>";
      for (std::size_t c = first; c < last; ++c)
        out += open + EscapeHtml(c < row.size() ? row[c] : std::string()) + close;
      out += "</tr>";
    }
    out += "</table>\n<p></p>\n";
  }
}

void AppendGroups(std::string& out, const std::vector<ReportGroup>& groups) {
  for (const ReportGroup& group : groups) {
    if (group.rows.empty()) continue;
    if (!group.title.empty()) out += "<h3>" + EscapeHtml(group.title) + "</h3>\n";
    out += kTableOpen;
    for (const ReportRow& row : group.rows) {
      if (row.value.empty())
        out += "<tr><td colspan=\"2\">" + EscapeLines(row.caption) + "</td></tr>";
      else
        out += "<tr><th align=\"left\">" + EscapeLines(row.caption) + "</th><td>" +
               EscapeLines(row.value) + "</td></tr>";
    }
    out += "</table>\n";
  }
}

void AppendSolution(std::string& out, const WorkedSolution& solution) {
  using Kind = WorkedSolution::Kind;
  for (const WorkedSolution::Block& b : solution.blocks()) {
    switch (b.kind) {
      case Kind::Heading: out += "<h3>" + EscapeHtml(b.text) + "</h3>\n"; break;
      case Kind::Text: out += "<p>" + EscapeLines(b.text) + "</p>\n"; break;
      case Kind::Formula:
        out += "<p class=\"formula\" style=\"margin-left: 16px;\">" + EscapeLines(b.text) + "</p>\n";
        break;
      case Kind::Note:
        out += "<p style=\"color: #a04000;\"><b>注意：</b>" + EscapeLines(b.text) + "</p>\n";
        break;
      case Kind::Table:
        // The report keeps every row; only the pane on screen shortens long tables.
        out += kTableOpen;
        for (std::size_t r = 0; r < b.rows.size(); ++r) {
          const bool marked = r > 0 && r - 1 < b.marked.size() && b.marked[r - 1];
          out += marked ? "<tr bgcolor=\"#fff3c4\">" : "<tr>";
          for (const std::string& cell : b.rows[r])
            out += (r == 0 ? "<th>" : "<td align=\"right\">") + EscapeHtml(cell) +
                   (r == 0 ? "</th>" : "</td>");
          out += "</tr>";
        }
        out += "</table>\n";
        break;
    }
  }
}

}  // namespace

std::vector<std::string> ReportFontFamilies() {
  return {"DejaVu Sans", "Liberation Sans", "Arial", "Noto Sans CJK SC", "Noto Sans SC",
          "WenQuanYi Micro Hei", "Microsoft YaHei", "SimSun"};
}

ReportTable TableFromCells(std::string title, const CellStore& cells) {
  ReportTable table{std::move(title), {}};
  std::vector<int> rows, cols;
  for (int r = 1; r < cells.rows(); ++r)
    for (int c = 1; c < cells.cols(); ++c)
      if (!IsBlank(cells.text(r, c))) {
        rows.push_back(r);
        break;
      }
  for (int c = 1; c < cells.cols(); ++c)
    if (std::any_of(rows.begin(), rows.end(), [&](int r) { return !IsBlank(cells.text(r, c)); }))
      cols.push_back(c);
  if (rows.empty()) return table;
  std::vector<std::string> heading{cells.text(0, 0)};
  for (int c : cols) heading.push_back(cells.text(0, c));
  table.rows.push_back(std::move(heading));
  for (int r : rows) {
    std::vector<std::string> row{cells.text(r, 0)};
    for (int c : cols) row.push_back(cells.text(r, c));
    table.rows.push_back(std::move(row));
  }
  return table;
}

std::string ReportHtml(const ReportDocument& document, int columnsPerTable) {
  const std::string title = EscapeHtml(document.title);
  const bool stale = !document.staleNote.empty();
  std::string fonts;
  for (const std::string& family : ReportFontFamilies()) fonts += "'" + family + "', ";
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
      "</title>\n<style>\n"
      "body { font-family: " + fonts + "sans-serif; font-size: 10pt; }\n"
      "table { border-collapse: collapse; }\n"
      "th, td { border: 1px solid #999; padding: 3px 8px; }\n"
      ".stale { background: #fde0dc; border: 2px solid #b00000; color: #800000; }\n"
      "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<p>生成时间：" +
      EscapeHtml(document.created) + "</p>\n";
  if (stale)
    out += "<table class=\"stale\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"8\" "
           "bgcolor=\"#fde0dc\"><tr><td bgcolor=\"#fde0dc\"><b><font color=\"#b00000\">注意：结果已过时。"
           "</font></b>" +
           EscapeLines(document.staleNote) +
           "<br>报告中的计算结果、详细过程与图表都属于上一次计算，不是当前输入的结果。</td></tr></table>\n";

  out += "<h2>输入数据</h2>\n";
  if (document.data.empty()) out += "<p>（无数据）</p>\n";
  for (const ReportTable& table : document.data) AppendDataTable(out, table, columnsPerTable);
  if (!document.inputs.empty()) {
    out += "<h2>输入项</h2>\n";
    AppendGroups(out, document.inputs);
  }
  const std::string staleMark = stale ? "（已过时）" : "";
  out += "<h2>计算结果" + staleMark + "</h2>\n";
  if (document.results.empty()) out += "<p>（无）</p>\n";
  AppendGroups(out, document.results);
  if (!document.solution.empty()) {
    out += "<h2>详细过程" + staleMark + "</h2>\n";
    AppendSolution(out, document.solution);
  }
  if (!document.chartSource.empty()) {
    out += "<h2>图表" + staleMark + "</h2>\n<p><img src=\"" + EscapeHtml(document.chartSource) +
           "\" alt=\"图表\"";
    if (document.chartWidth > 0 && document.chartHeight > 0)
      out += " width=\"" + std::to_string(document.chartWidth) + "\" height=\"" +
             std::to_string(document.chartHeight) + "\"";
    out += "></p>\n";
  }
  return out + "</body>\n</html>\n";
}


}  // namespace kelvo
