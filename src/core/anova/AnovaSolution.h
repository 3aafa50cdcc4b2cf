#pragma once
// What an analysis of variance shows: the ANOVA table as text, the conclusion per factor, the
// worked solution, the chart and the status line.
#include <string>
#include <vector>

#include "core/anova/Anova.h"
#include "core/documents/ChartDescription.h"
#include "core/documents/WorkedSolution.h"

namespace kelvo {

// The header of the ANOVA table: 方差来源, 平方和, 自由度, 均方, F 比, F_α, p 值.
std::vector<std::string> AnovaTableHeader();
// Its rows, one per source (factors, error, total); cells a row lacks are empty.
std::vector<std::vector<std::string>> AnovaTableRows(const AnovaResult& result);

// One line per factor: "因素A：接受备选假设 H1（影响显著）".
std::string AnovaConclusion(const AnovaResult& result);

WorkedSolution AnovaSolution(const AnovaResult& result);

// The F distribution of the first factor under H0, its rejection region and its F ratio.
ChartDescription AnovaChart(const AnovaResult& result);

// Every observation as a dot above its level of A (x = 1 … levels) and the level means.
ChartDescription AnovaLevelChart(const AnovaResult& result);

// "F_A = 12.41，临界值 F₀.₀₅(2, 12) = 3.89，p = 0.001" for each factor, joined by "；".
std::string AnovaStatusLine(const AnovaResult& result);

}  // namespace kelvo
