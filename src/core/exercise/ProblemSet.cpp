#include "core/exercise/ProblemSet.h"

#include <algorithm>

#include "core/documents/ReportDocument.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemText.h"

namespace kelvo {
namespace {

// Tries per code before a set of few topics gives up on finding one not yet drawn.
constexpr int kDrawTries = 50;

std::string DocumentHead(const std::string& title) {
  std::string fonts;
  for (const std::string& family : ReportFontFamilies()) fonts += "'" + family + "', ";
  return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         EscapeHtml(title) +
         "</title>\n<style>\n"
         "body { font-family: " + fonts + "sans-serif; font-size: 10pt; }\n"
         "table { border-collapse: collapse; }\n"
         "th, td { border: 1px solid #999; padding: 3px 8px; }\n"
         "</style>\n</head>\n<body>\n<h1>" + EscapeHtml(title) + "</h1>\n";
}

std::string ProblemHeading(std::size_t index, const Problem& problem) {
  return "<h2>第 " + std::to_string(index + 1) + " 题（题号 " + FormatProblemCode(problem.code) + "）</h2>\n";
}

std::string SetLine(const std::vector<Problem>& problems, std::uint64_t seed) {
  return "<p>共 " + std::to_string(problems.size()) + " 题；种子 " + std::to_string(seed) +
         "（同样的题型、题数与种子给出同样的习题集）。</p>\n";
}

std::string DecisionsText(const std::vector<Decision>& decisions) {
  std::string text;
  for (const Decision d : decisions) text += (text.empty() ? "" : " 或 ") + DecisionText(d);
  return text;
}

}  // namespace

std::vector<ProblemCode> ProblemSetCodes(std::span<const ExerciseTopic* const> topics, int count,
                                         std::uint64_t seed) {
  std::vector<ProblemCode> codes;
  if (topics.empty()) return codes;
  count = std::clamp(count, 1, kMaxProblemSetCount);
  ExerciseRandom random(seed);
  while (static_cast<int>(codes.size()) < count) {
    ProblemCode code = DrawProblemCode(random, topics);
    for (int i = 0; i < kDrawTries && std::find(codes.begin(), codes.end(), code) != codes.end(); ++i)
      code = DrawProblemCode(random, topics);
    codes.push_back(code);
  }
  return codes;
}

ProblemSetDocuments ProblemSetHtml(const std::vector<Problem>& problems, std::uint64_t seed) {
  ProblemSetDocuments documents;
  std::string& sheet = documents.sheet;
  sheet = DocumentHead("习题集") + SetLine(problems, seed);
  std::string& key = documents.key;
  key = DocumentHead("习题集答案") + SetLine(problems, seed);
  for (std::size_t i = 0; i < problems.size(); ++i) {
    const Problem& p = problems[i];
    sheet += ProblemHeading(i, p) + ProblemHtml(p) + "\n<p>";
    for (const ExpectedAnswer& a : p.answers)
      sheet += EscapeHtml(a.caption) + "：______________________<br>";
    if (!p.decisions.empty()) sheet += "结论：______________________<br>";
    sheet += "</p>\n";

    key += ProblemHeading(i, p) + "<p>" + EscapeHtml(p.topicName) + "</p>\n";
    key += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
    for (const ExpectedAnswer& a : p.answers) {
      std::string value = AnswerText(a);
      if (a.exactValue) {
        ExpectedAnswer exact = a;
        exact.value = *a.exactValue;
        const std::string exactText = AnswerText(exact);
        if (exactText != value) value += "（用精确分位数：" + exactText + "）";
      }
      key += "<tr><th align=\"left\">" + EscapeHtml(a.caption) + "</th><td>" + EscapeHtml(value) + "</td></tr>";
    }
    if (!p.decisions.empty())
      key += "<tr><th align=\"left\">结论</th><td>" + EscapeHtml(DecisionsText(p.decisions)) + "</td></tr>";
    key += "</table>\n<h3>解答</h3>\n" + SolutionHtmlFragment(p.solution) + "\n";
  }
  sheet += "</body>\n</html>\n";
  key += "</body>\n</html>\n";
  return documents;
}

ProblemSetDocuments BuildProblemSet(TableStore& tables, std::span<const ExerciseTopic* const> topics, int count,
                                    std::uint64_t seed) {
  std::vector<Problem> problems;
  for (const ProblemCode& code : ProblemSetCodes(topics, count, seed)) problems.push_back(PoseProblem(tables, code));
  return ProblemSetHtml(problems, seed);
}

}  // namespace kelvo
