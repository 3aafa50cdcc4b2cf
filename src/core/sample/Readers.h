#pragma once
// Reading the sample typed into an analysis window's grid into summary quantities.
// Row 0 and column 0 of the grid are headings; a cell counts when its text is not empty and
// its value is LeadingValue of the text. A filled observation or count cell whose text is not
// a number (only a paste can put one there) throws InputError("数据错误").
#include "core/sample/CellStore.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

// Size, mean, second raw moment, variance, maximum and minimum of the sample in row 1
// (input mode one), or of the values in row 1 repeated by the counts in row 2 (mode two),
// over the grid's columns 1 to cols - 1. In mode two an empty count cell counts 0, a filled
// one must hold a whole number >= 0 (else InputError("重复数必须是非负整数")), and a total of
// 0 leaves mean and second moment at 0. hasMean holds from one value on, hasSpread from two.
// Throws InputError("样本量超出范围") when n leaves the 16-bit range.
SampleSummary ReadOneSample(const CellStore& store, InputMode mode);

// Size, mean, second raw moment and standard deviation of the sample in row 1 and, when
// the grid has more than 2 rows, of the one in row 2. Mode one reads one observation per
// cell; mode two reads typed summaries from columns 1 to 4 (size, mean, second moment,
// standard deviation), each only when its text is numeric, the size rounded down. In mode two
// an empty or non-numeric size cell throws InputError("样本量太小"), except in a second row
// left untouched (every cell empty or "×"), which is an absent sample of all zeros. A typed
// mean or standard deviation cell without a number reads 0 with hasMean or hasSpread false.
// Throws InputError("样本量超出范围") when a size leaves the 16-bit range.
TwoSampleSummary ReadTwoSamples(const CellStore& store, InputMode mode);

}  // namespace kelvo
