#include "core/text/TextNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

namespace kelvo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the characters of `text` that form a number, skipping blanks, into `out` in the
// form std::from_chars accepts.
void CollectNumber(std::string_view text, std::string& out) {
  std::size_t i = 0;
  auto next = [&]() -> int {
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i < text.size() ? static_cast<unsigned char>(text[i]) : -1;
  };
  int c = next();
  if (c == '+' || c == '-') {
    if (c == '-') out.push_back('-');
    ++i;
    c = next();
  }
  bool mantissaDigits = false;
  while (c >= 0 && IsDigit(static_cast<char>(c))) {
    out.push_back(static_cast<char>(c));
    mantissaDigits = true;
    ++i;
    c = next();
  }
  if (c == '.') {
    ++i;
    c = next();
    std::string fraction;
    while (c >= 0 && IsDigit(static_cast<char>(c))) {
      fraction.push_back(static_cast<char>(c));
      ++i;
      c = next();
    }
    if (!fraction.empty()) {
      if (!mantissaDigits) out.push_back('0');
      out.push_back('.');
      out += fraction;
      mantissaDigits = true;
    }
  }
  if (!mantissaDigits) {
    out.clear();
    return;
  }
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    std::size_t mark = i;
    ++i;
    c = next();
    std::string exponent = "e";
    if (c == '+' || c == '-') {
      exponent.push_back(static_cast<char>(c));
      ++i;
      c = next();
    }
    bool expDigits = false;
    int keptDigits = 0;
    while (c >= 0 && IsDigit(static_cast<char>(c))) {
      // Very long exponents only need to stay past the overflow point; leading zeros carry
      // nothing and must not use up the digits kept.
      if ((c != '0' || keptDigits > 0) && keptDigits < 6) {
        exponent.push_back(static_cast<char>(c));
        ++keptDigits;
      }
      expDigits = true;
      ++i;
      c = next();
    }
    if (expDigits) out += keptDigits > 0 ? exponent : std::string("e0");
    else i = mark;
  }
}

}  // namespace

double LeadingValue(std::string_view text) {
  std::string number;
  CollectNumber(text, number);
  if (number.empty()) return 0.0;
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone out of range: decide between overflow and underflow
    // from the exponent's sign.
    bool negative = number.front() == '-';
    auto e = number.find('e');
    bool tiny = e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
    if (tiny) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  return value;
}

bool IsNumericText(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  std::size_t i = b;
  if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < e; ++i) {
    if (IsDigit(text[i])) digits = true;
    else if (text[i] == '.' && !point) point = true;
    else break;
  }
  if (!digits) return false;
  if (i == e) return true;
  char x = text[i];
  if (x != 'e' && x != 'E' && x != 'd' && x != 'D') return false;
  ++i;
  if (i < e && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == e) return false;
  for (; i < e; ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

bool IsNumericPrefix(std::string_view text) {
  // A text that is not yet numeric but can become so lacks only digits: of the mantissa
  // ("", "-", ".") or of the exponent ("1e", "1e-"). One digit completes either, so a text is
  // a prefix exactly when it, or it with one digit added, is numeric.
  if (IsNumericText(text)) return true;
  std::string completed(text);
  completed.push_back('1');
  return IsNumericText(completed);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int WholeNumberInRange(std::string_view text, int lower, int upper) {
  double v = RoundHalfEven(LeadingValue(text));
  if (std::isnan(v) || v < lower) return lower;
  if (v > upper) return upper;
  return static_cast<int>(v);
}

double WholePart(double value) {
  if (!std::isfinite(value)) return value;
  const double up = std::ceil(value);
  // Four ulps of the nearest whole number above: more than the rounding of a few operations.
  if (up != value && up - value <= 4 * (std::nextafter(up, HUGE_VAL) - up)) return up;
  return std::floor(value);
}

std::string AsciiNumberText(std::string_view typed) {
  constexpr std::pair<std::string_view, char> kForms[] = {
      {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'}, {"７", '7'},
      {"８", '8'}, {"９", '9'}, {"．", '.'}, {"－", '-'}, {"—", '-'}, {"–", '-'}, {"−", '-'}, {"　", ' '}};
  std::string text;
  for (std::size_t i = 0; i < typed.size();) {
    const auto form = std::find_if(std::begin(kForms), std::end(kForms),
                                   [&](const auto& f) { return typed.substr(i, f.first.size()) == f.first; });
    if (form == std::end(kForms)) {
      text += typed[i++];
    } else {
      text += form->second;
      i += form->first.size();
    }
  }
  return text;
}

}  // namespace kelvo
