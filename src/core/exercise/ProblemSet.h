#pragma once
// Problem sets for teachers: a number of problems drawn from chosen topics with a seed, written
// as a problem sheet (numbered problems with their codes, the data, the question and lines for
// the answers) and as an answer key (every answer as graded, the decision, the worked
// solution). The same topics, count and seed give the same documents, byte for byte: nothing
// in them depends on the date or the machine.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"

namespace kelvo {

class TableStore;

constexpr int kMaxProblemSetCount = 100;

// The codes of the set: drawn one after another by DrawProblemCode from ExerciseRandom(seed),
// a code drawn before drawn again. `count` is held to 1 … kMaxProblemSetCount; no topics, no
// codes.
std::vector<ProblemCode> ProblemSetCodes(std::span<const ExerciseTopic* const> topics, int count,
                                         std::uint64_t seed);

struct ProblemSetDocuments {
  std::string sheet;  // whole UTF-8 HTML documents
  std::string key;
};

// The sheet and the key of the problems; `seed` is named in both so the set can be made again.
ProblemSetDocuments ProblemSetHtml(const std::vector<Problem>& problems, std::uint64_t seed);

// Poses the set's problems and writes both documents.
ProblemSetDocuments BuildProblemSet(TableStore& tables, std::span<const ExerciseTopic* const> topics, int count,
                                    std::uint64_t seed);

}  // namespace kelvo
