#pragma once
// The values a population family admits, checked on the grid before a computation uses them.
#include "core/sample/CellStore.h"

namespace kelvo {

enum class Family { Bernoulli, Binomial, Poisson, Exponential };

// Checks every filled value cell (row 1, columns 1 to cols - 1; count cells are not values)
// against the family: 0-1 admits 0 and 1; binomial whole numbers 0..binomialN; Poisson whole
// numbers >= 0; exponential numbers >= 0. A value outside (an infinity included) throws
// InputError("数据超范围"); a cell that is not a number throws InputError("数据错误").
// binomialN is read for the binomial family only.
void CheckDomain(const CellStore& store, Family family, int binomialN = 0);

}  // namespace kelvo
