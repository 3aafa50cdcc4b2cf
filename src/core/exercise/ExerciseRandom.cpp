#include "core/exercise/ExerciseRandom.h"

#include <cmath>

namespace kelvo {

std::uint64_t ExerciseRandom::next() {
  std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double ExerciseRandom::unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

int ExerciseRandom::whole(int low, int high) {
  if (high <= low) return low;
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(high) - low) + 1;
  // Rejection keeps every value equally likely.
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % span;
  std::uint64_t r = next();
  while (r >= limit) r = next();
  return static_cast<int>(low + static_cast<std::int64_t>(r % span));
}

double ExerciseRandom::uniform(double low, double high) { return low + (high - low) * unit(); }

double ExerciseRandom::normal(double mean, double sd) {
  double sum = 0.0;
  for (int i = 0; i < 12; ++i) sum += unit();
  return mean + sd * (sum - 6.0);
}

double ExerciseRandom::exponential(double theta) { return -theta * std::log(1.0 - unit()); }

int ExerciseRandom::poisson(double lambda) {
  const double limit = std::exp(-lambda);
  int k = 0;
  double product = unit();
  while (product > limit && k < 1000) {
    ++k;
    product *= unit();
  }
  return k;
}

int ExerciseRandom::binomial(int n, double p) {
  int k = 0;
  for (int i = 0; i < n; ++i)
    if (unit() < p) ++k;
  return k;
}

bool ExerciseRandom::chance(double p) { return unit() < p; }

double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

}  // namespace kelvo
