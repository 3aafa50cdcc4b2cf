#pragma once
// The checks a test window makes before it reads its samples and runs a test, in the order the
// window makes them. Each throws InputError with the message the window shows; the readers
// (Readers.h) then read what passed.
#include <string_view>

#include "core/sample/CellStore.h"

namespace kelvo {

// The size typed into column 1 of the summary row `row`, rounded to a whole number and kept
// inside the range of sizes (−32768 to 32767), so that a huge typed number still compares as a
// size and the reader refuses it with its own message. A cell without a number gives 0.
int TypedSize(const CellStore& store, int row);

// The size checks of a test of one or two samples: "样本量太小" when n1, or n2 where the test
// reads a second sample, is below 2.
void RequireSampleSizes(int n1, int n2, bool secondRead);

// The number of observations in row 1: its filled cells, or in input mode two the sum of the
// whole parts of the counts in row 2 below them. Summed in doubles, so that a total beyond the
// range of sizes is refused rather than wrapped round into a small one.
double CountedSize(const CellStore& store, InputMode mode);

// "样本量超出范围" beyond 32767 observations, "样本量太小" below 2 (CountedSize).
void RequireCountedSize(const CellStore& store, InputMode mode);

// "置信水平数据缺乏" for a level that is not above 0 (an empty box reads 0).
void RequireLevelGiven(double alpha);

// A known standard deviation as the window keeps it (empty until given): "σ数据缺乏" unless it
// reads above 0.
void RequireKnownSigma(std::string_view text);

// A known value that any number may take (μ): "μ数据缺乏" while it is not given.
void RequireKnownMean(std::string_view text);

// Row 1 of the grid alone, in a store of its own: what a one-sample test reads, so that
// whatever stands in row 2 is not read. Input mode two keeps the four summary columns only.
CellStore FirstRowOnly(const CellStore& store, InputMode mode);

}  // namespace kelvo
