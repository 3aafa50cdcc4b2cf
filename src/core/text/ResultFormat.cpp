#include "core/text/ResultFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

// A double's fraction ends at most 1074 binary places after the point (the smallest
// subnormal is 2^-1074), so this many decimals is its exact decimal expansion.
constexpr int kExactDecimals = 1074;

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

const std::string& ResultFormat() {
  static const std::string pattern = "0.000";
  return pattern;
}

std::string FormatResult(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return {};
  std::size_t point = pattern.find('.');
  bool showPoint = point != std::string_view::npos;
  std::size_t decimals = 0;
  if (showPoint)
    for (std::size_t i = point + 1; i < pattern.size(); ++i) decimals += pattern[i] == '0';

  // std::to_chars is exact and ignores the locale, unlike printf.
  std::array<char, 310 + 1 + kExactDecimals + 16> buf;
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                           std::chars_format::fixed, kExactDecimals);
  std::string_view exact(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  std::size_t dot = exact.find('.');
  std::string_view whole = exact.substr(0, dot);
  std::string_view fraction = exact.substr(dot + 1);

  std::string digits(whole);
  digits.append(fraction.substr(0, std::min(decimals, fraction.size())));
  if (decimals > fraction.size()) digits.append(decimals - fraction.size(), '0');
  // The digits dropped are exact, so a first dropped digit of 5 or more means the rest is
  // at least one half: round the magnitude up, i.e. away from zero.
  if (decimals < fraction.size() && fraction[decimals] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) digits.insert(digits.begin(), '1');
    else ++digits[i - 1];
  }
  std::size_t wholeLength = digits.size() - decimals;

  std::string out;
  out.reserve(digits.size() + 2);
  if (std::signbit(value) && digits.find_first_not_of('0') != std::string::npos)
    out.push_back('-');
  out.append(digits, 0, wholeLength);
  if (showPoint) out.push_back('.');
  out.append(digits, wholeLength, std::string::npos);
  return out;
}

std::string StepPattern(std::string_view shownText, int step) {
  std::size_t b = 0, e = shownText.size();
  while (b < e && IsTrimmed(shownText[b])) ++b;
  while (e > b && IsTrimmed(shownText[e - 1])) --e;
  std::string_view text = shownText.substr(b, e - b);
  if (text.empty()) return ResultFormat();
  std::size_t k = 0;
  std::size_t point = text.rfind('.');
  if (point != std::string_view::npos) {
    // Characters, not bytes: UTF-8 continuation bytes do not start one.
    for (std::size_t i = point + 1; i < text.size(); ++i)
      k += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
  }
  if (k == 0) return "0.0";
  return "0." + std::string(step > 0 ? k + 1 : k - 1, '0');
}

std::string StoredValueText(double value) {
  if (!std::isfinite(value)) return {};
  std::array<char, 64> buf;
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                           std::chars_format::general, 15);
  std::string out(buf.data(), res.ptr);
  for (char& c : out)
    if (c == 'e') c = 'E';
  return out;
}

std::string ReformatCaption(std::string_view storedValue, std::string_view caption,
                            int precisionStep) {
  if (precisionStep == 0) return std::string(caption);
  if (storedValue.empty()) return {};
  return FormatResult(LeadingValue(storedValue), StepPattern(caption, precisionStep));
}

}  // namespace kelvo
