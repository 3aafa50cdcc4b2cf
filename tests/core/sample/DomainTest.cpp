// The values each population family admits, checked cell by cell on the grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sample/CellStore.h"
#include "core/sample/Domain.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

struct DomainRow {
  const char* name;
  Family family;
  int binomialN;
  std::vector<std::string> values;  // row 1 from column 1; "" leaves a cell empty
  std::vector<std::string> counts;  // row 2, never checked against the family
  const char* message;              // nullptr when the grid is accepted
};

class DomainTest : public ::testing::TestWithParam<DomainRow> {};

TEST_P(DomainTest, ChecksEveryFilledValueCell) {
  const DomainRow& row = GetParam();
  CellStore store(3, 8);
  for (std::size_t i = 0; i < row.values.size(); ++i) store.setText(1, static_cast<int>(i) + 1, row.values[i]);
  for (std::size_t i = 0; i < row.counts.size(); ++i) store.setText(2, static_cast<int>(i) + 1, row.counts[i]);
  if (!row.message) {
    EXPECT_NO_THROW(CheckDomain(store, row.family, row.binomialN));
    return;
  }
  try {
    CheckDomain(store, row.family, row.binomialN);
    ADD_FAILURE() << "no InputError";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), row.message);
  }
}

constexpr const char* kOut = "数据超范围";

INSTANTIATE_TEST_SUITE_P(
    Domain, DomainTest,
    ::testing::Values(
        DomainRow{"BernoulliZerosAndOnes", Family::Bernoulli, 0, {"0", "1", "", "1.0", "-0"}, {}, nullptr},
        DomainRow{"BernoulliTwo", Family::Bernoulli, 0, {"0", "1", "2"}, {}, kOut},
        DomainRow{"BernoulliHalf", Family::Bernoulli, 0, {"0.5"}, {}, kOut},
        // The counts below are repeat counts, not values of the population.
        DomainRow{"BernoulliCountsNotChecked", Family::Bernoulli, 0, {"1", "0"}, {"7", "3"}, nullptr},
        DomainRow{"BinomialUpToN", Family::Binomial, 10, {"0", "3", "10"}, {}, nullptr},
        DomainRow{"BinomialAboveN", Family::Binomial, 10, {"3", "11"}, {}, kOut},
        DomainRow{"BinomialFraction", Family::Binomial, 10, {"2.5"}, {}, kOut},
        DomainRow{"BinomialNegative", Family::Binomial, 10, {"-1"}, {}, kOut},
        DomainRow{"PoissonWholeNumbers", Family::Poisson, 0, {"0", "7", "", "120"}, {}, nullptr},
        DomainRow{"PoissonFraction", Family::Poisson, 0, {"1", "1.2"}, {}, kOut},
        DomainRow{"PoissonNegative", Family::Poisson, 0, {"-3"}, {}, kOut},
        DomainRow{"PoissonInfinite", Family::Poisson, 0, {"1e999"}, {}, kOut},
        DomainRow{"ExponentialNonNegative", Family::Exponential, 0, {"0", "0.25", "13.7"}, {}, nullptr},
        DomainRow{"ExponentialNegative", Family::Exponential, 0, {"2", "-0.001"}, {}, kOut},
        DomainRow{"ExponentialInfinite", Family::Exponential, 0, {"1e999"}, {}, kOut},
        // The last data column is checked; a cell that is not a number is refused as the readers do.
        DomainRow{"LastColumnChecked", Family::Poisson, 0, {"1", "", "", "", "", "", "-1"}, {}, kOut},
        DomainRow{"NotANumber", Family::Exponential, 0, {"3", "abc"}, {}, "数据错误"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DomainTest, HeadingsAreNotValues) {
  CellStore store(3, 4);
  store.setText(0, 1, "-5");
  store.setText(1, 0, "样本数据");
  store.setText(1, 1, "1");
  EXPECT_NO_THROW(CheckDomain(store, Family::Bernoulli));
}

}  // namespace
}  // namespace kelvo
