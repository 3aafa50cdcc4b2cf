#pragma once
// What the exercise tests share: the table database and the numbers of a problem's printed
// data, read back as a reader of the problem would.
#include <string>
#include <vector>

#include "core/exercise/Problem.h"
#include "core/tables/TableStore.h"

namespace kelvo {

inline TableStore& Tables() {
  static TableStore tables(KELVO_TABLES_DB);
  return tables;
}

// A printed number, "−" as its minus sign.
inline double Number(std::string text) {
  if (text.rfind("\u2212", 0) == 0) text = "-" + text.substr(3);
  return std::stod(text);
}

// The samples of the printed data table: a row with a caption starts a sample, a row without
// one continues it.
inline std::vector<std::vector<double>> PrintedSamples(const Problem& p) {
  std::vector<std::vector<double>> samples;
  for (const auto& row : p.data) {
    if (!row.front().empty() || samples.empty()) samples.emplace_back();
    for (std::size_t c = 1; c < row.size(); ++c) samples.back().push_back(Number(row[c]));
  }
  return samples;
}

}  // namespace kelvo
