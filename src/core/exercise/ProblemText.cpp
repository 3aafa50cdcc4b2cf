#include "core/exercise/ProblemText.h"

namespace kelvo {
namespace {

std::string Paragraphs(const std::string& text) {
  std::string out = "<p>";
  for (const char c : text) {
    if (c == '\n')
      out += "</p><p>";
    else
      out += c;
  }
  return out + "</p>";
}

}  // namespace

std::string ProblemDataHtml(const Problem& problem) {
  if (problem.data.empty()) return {};
  std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
  for (const std::vector<std::string>& row : problem.data) {
    out += "<tr>";
    for (std::size_t c = 0; c < row.size(); ++c)
      out += (c == 0 ? "<th align=\"left\">" : "<td align=\"right\">") + EscapeHtml(row[c]) +
             (c == 0 ? "</th>" : "</td>");
    out += "</tr>";
  }
  return out + "</table>";
}

std::string ProblemHtml(const Problem& problem) {
  std::string out = Paragraphs(EscapeHtml(problem.context));
  out += ProblemDataHtml(problem);
  out += Paragraphs(EscapeHtml(problem.question));
  return out;
}

std::string ProblemPlainText(const Problem& problem) {
  std::string out = problem.context + "\n";
  for (const std::vector<std::string>& row : problem.data) {
    for (std::size_t c = 0; c < row.size(); ++c) out += (c ? "\t" : "") + row[c];
    out += "\n";
  }
  return out + problem.question + "\n";
}

std::string DecisionText(Decision decision) {
  return decision == Decision::AcceptH0 ? "接受H0" : "拒绝H0";
}

std::string SolutionHtmlFragment(const WorkedSolution& solution) {
  std::string html = solution.html();
  const std::size_t body = html.find("<body");
  const std::size_t start = body == std::string::npos ? 0 : html.find('>', body) + 1;
  const std::size_t end = html.rfind("</body>");
  return html.substr(start, end == std::string::npos || end < start ? std::string::npos : end - start);
}

}  // namespace kelvo
