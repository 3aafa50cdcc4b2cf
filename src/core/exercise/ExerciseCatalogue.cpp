#include "core/exercise/ExerciseCatalogue.h"

#include <charconv>
#include <vector>

#include "core/exercise/estimation/EstimationExercises.h"
#include "core/exercise/hypothesis/HypothesisExercises.h"
#include "core/exercise/models/ModelExercises.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

std::vector<ExerciseTopic> BuildCatalogue() {
  std::vector<ExerciseTopic> all;
  for (const std::span<const ExerciseTopic> family :
       {EstimationExerciseTopics(), HypothesisExerciseTopics(), ModelExerciseTopics()})
    all.insert(all.end(), family.begin(), family.end());
  return all;
}

// The generator's seed: the whole code, so that neighbouring seeds of different topics draw
// unrelated data.
std::uint64_t DrawSeed(const ProblemCode& code) {
  return (static_cast<std::uint64_t>(code.topic) << 48) ^ (static_cast<std::uint64_t>(code.variant) << 32) ^
         static_cast<std::uint64_t>(code.seed);
}

std::optional<int> WholeField(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (field.empty() || field.size() > 6) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatProblemCode(const ProblemCode& code) {
  return std::to_string(code.topic) + "-" + std::to_string(code.variant) + "-" + std::to_string(code.seed);
}

std::optional<ProblemCode> ParseProblemCode(std::string_view typed) {
  const std::string ascii = AsciiNumberText(typed);
  const std::string_view text = ascii;
  const std::size_t first = text.find('-');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find('-', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto topic = WholeField(text.substr(0, first));
  const auto variant = WholeField(text.substr(first + 1, second - first - 1));
  const auto seed = WholeField(text.substr(second + 1));
  if (!topic || !variant || !seed || *seed < 0 || *seed > kMaxProblemSeed) return std::nullopt;
  return ProblemCode{*topic, *variant, *seed};
}

std::span<const ExerciseTopic> ExerciseTopics() {
  static const std::vector<ExerciseTopic> catalogue = BuildCatalogue();
  return catalogue;
}

const ExerciseTopic* FindExerciseTopic(int topic, int variant) {
  for (const ExerciseTopic& t : ExerciseTopics())
    if (t.topic == topic && t.variant == variant) return &t;
  return nullptr;
}

Problem PoseProblem(TableStore& tables, const ProblemCode& code) {
  const ExerciseTopic* topic = FindExerciseTopic(code.topic, code.variant);
  if (!topic) throw InputError("没有这个题号");
  ExerciseRandom random(DrawSeed(code));
  Problem problem = topic->generate(tables, random);
  problem.code = code;
  problem.topicName = topic->name;
  return problem;
}

ProblemCode DrawProblemCode(ExerciseRandom& random, std::span<const ExerciseTopic* const> topics) {
  const ExerciseTopic* topic = random.pick(topics);
  return ProblemCode{topic->topic, topic->variant, random.whole(0, kMaxProblemSeed)};
}

}  // namespace kelvo
