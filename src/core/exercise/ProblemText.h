#pragma once
// A posed problem as the student reads it (the context, the data as a small table, the
// question), as HTML for the exercise window and the problem sets, and as plain text; and the
// pieces of an answer key.
#include <string>

#include "core/exercise/Problem.h"

namespace kelvo {

// The data rows as an HTML table (first column bold: it holds the captions); empty without data.
std::string ProblemDataHtml(const Problem& problem);
// Context, data table and question as an HTML fragment (no <html> or <body>), text escaped.
std::string ProblemHtml(const Problem& problem);
// The same as plain UTF-8 text: the context, the data rows with their cells separated by
// tabs, the question, one paragraph each.
std::string ProblemPlainText(const Problem& problem);

// "接受H0" / "拒绝H0", as the decision list names them.
std::string DecisionText(Decision decision);
// The worked solution's body as an HTML fragment, for a document that holds several.
std::string SolutionHtmlFragment(const WorkedSolution& solution);

}  // namespace kelvo
