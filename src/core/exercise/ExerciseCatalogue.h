#pragma once
// Every kind of problem the program poses, grouped as the course is taught, and posing one
// from its code.
//
// Topics (the first number of a code) follow the chapters; each topic's variants (the second
// number) are the computations it covers:
//   1 点估计            2 正态总体的区间估计    3 大样本区间估计
//   4 正态总体的参数检验  5 大样本（渐近）检验   6 偏度、峰度检验
//   7 分布拟合检验       8 秩和检验            9 概率与分位数
//   10 方差分析          11 一元线性回归
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/exercise/ExerciseRandom.h"
#include "core/exercise/Problem.h"

namespace kelvo {

class TableStore;

// Fills everything of the problem but its code and topic name, from the draws of `random`.
// Must pose a problem the analysis window computes without refusal; draws again as often as
// it needs to.
using ProblemGenerator = Problem (*)(TableStore& tables, ExerciseRandom& random);

struct ExerciseTopic {
  int topic = 0;
  int variant = 0;
  const char* group = "";  // the chapter: "参数检验"
  const char* name = "";   // the computation: "σ未知，检验μ（t 检验）"
  ProblemGenerator generate = nullptr;
};

// Every topic and variant, in the order of the course.
std::span<const ExerciseTopic> ExerciseTopics();
// The topic and variant of a code; nullptr when there is none.
const ExerciseTopic* FindExerciseTopic(int topic, int variant);

// The problem the code names. Throws InputError("没有这个题号") for a code whose topic and
// variant do not exist.
Problem PoseProblem(TableStore& tables, const ProblemCode& code);

// A code of one of the topics, drawn with the generator (the topic, then the seed).
ProblemCode DrawProblemCode(ExerciseRandom& random, std::span<const ExerciseTopic* const> topics);

}  // namespace kelvo
