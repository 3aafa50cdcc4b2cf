#pragma once
// The random draws behind a posed problem. A problem code must pose the same problem on every
// machine and with every compiler, so nothing here uses the standard library's distributions
// (whose algorithms differ between library implementations): the generator is splitmix64 and
// every draw is written out below with plain arithmetic.
#include <cstdint>
#include <span>
#include <vector>

namespace kelvo {

class ExerciseRandom {
 public:
  explicit ExerciseRandom(std::uint64_t seed) : m_state(seed) {}

  std::uint64_t next();
  // Uniform on [0, 1), 53 random bits.
  double unit();
  // Uniform whole number in [low, high] (both included); low when high < low.
  int whole(int low, int high);
  // Uniform on [low, high).
  double uniform(double low, double high);
  // Normal with the mean and standard deviation: the sum of twelve uniforms less six (the
  // Irwin–Hall approximation, exact to the third moment and bounded by ±6σ, which keeps
  // textbook data free of wild outliers), pure arithmetic and so the same everywhere.
  double normal(double mean, double sd);
  // Exponential with the mean θ, by inversion.
  double exponential(double theta);
  // Poisson with the mean λ (λ ≤ 50), by multiplying uniforms.
  int poisson(double lambda);
  // Binomial: the number of successes in n trials of probability p.
  int binomial(int n, double p);
  // True with probability p.
  bool chance(double p);
  // One element of a non-empty list.
  template <class T>
  const T& pick(std::span<const T> items) {
    return items[static_cast<std::size_t>(whole(0, static_cast<int>(items.size()) - 1))];
  }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return pick(std::span<const T>(items, N));
  }

 private:
  std::uint64_t m_state;
};

// A value rounded to `decimals` decimals (halves away from zero), as a problem prints it.
double RoundTo(double value, int decimals);

}  // namespace kelvo
