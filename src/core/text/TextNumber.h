#pragma once
// Turning typed text into numbers: the one conversion every box and cell goes through.
#include <string>
#include <string_view>

namespace kelvo {

// The leading numeric part of a text, blanks (space, tab, line feed) skipped wherever they
// stand: sign, digits, point, digits, exponent introduced by E or D. Reading stops at the
// first other character; a text without a numeric prefix gives 0. "1 2.5e1x" gives 125.
// A number beyond the range of double gives an infinity, which callers must treat as bad input.
double LeadingValue(std::string_view text);

// True when the text, with leading and trailing spaces removed, is a complete decimal number:
// optional sign, digits with at most one point and at least one digit, optional exponent
// (E or D, optional sign, digits). "12." and ".5" are numeric; "", "-", "." and "1e" are not.
bool IsNumericText(std::string_view text);

// True when characters added at the end can still make the text numeric: every numeric text,
// and the stages on the way to one ("", "-", "+", ".", "-.", "1e", "1e-", leading blanks
// allowed). "1e ", "- 5", "e" and "12x" can never become numbers.
bool IsNumericPrefix(std::string_view text);

// Nearest whole number, halves to the even neighbour (150.5 -> 150, 151.5 -> 152).
// NaN stays NaN.
double RoundHalfEven(double value);

// The whole part of a computed value (rounding down), where a value within a few units in the
// last place below a whole number counts as that number: 9.999999999999998 gives 10, 22.99
// gives 22. Sums of fractions land just below the exact whole number they stand for.
double WholePart(double value);

// The text with the forms a Chinese input method gives for the characters of a number written
// as ASCII: full-width digits, point and minus, the dashes and the minus sign "−" as "-", the
// ideographic space as a blank ("－１．５" → "-1.5"). Everything else is kept.
std::string AsciiNumberText(std::string_view typed);

// RoundHalfEven(LeadingValue(text)) kept inside [lower, upper]; an answer below the range,
// a non-numeric one and an empty one give lower, one above the range gives upper.
int WholeNumberInRange(std::string_view text, int lower, int upper);

}  // namespace kelvo
