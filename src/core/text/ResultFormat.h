#pragma once
// The display of computed numbers and the per-label widening and narrowing of their precision.
// A pattern is "0." followed by zeros: one "0" per decimal shown.
#include <string>
#include <string_view>

namespace kelvo {

// The pattern every result label is first shown with: "0.000".
const std::string& ResultFormat();

// The value rounded to the pattern's decimals, halves away from zero on the exact binary
// value ("0.063" for 0.0625 with three decimals). At least one digit stands before the point,
// the point is '.' whatever the locale, a pattern ending in the point keeps it ("3."), and a
// result that shows only zeros has no minus sign. A pattern without a point shows neither
// point nor decimals. A non-finite value gives the empty text: callers report it instead.
std::string FormatResult(double value, std::string_view pattern);

// The pattern for the next click on a label showing shownText: one decimal fewer
// (step <= 0) or one more (step > 0); a text without decimals steps to "0.0", an empty one
// gives "0.000".
std::string StepPattern(std::string_view shownText, int step);

// The unformatted value kept beside a label: up to 15 significant digits ("%.15G" style,
// locale-independent). A non-finite value gives the empty text, as if nothing were computed.
std::string StoredValueText(double value);

// A label's caption after a click: unchanged with step 0, empty when no value is stored yet,
// otherwise the stored value formatted one decimal narrower or wider than the caption.
std::string ReformatCaption(std::string_view storedValue, std::string_view caption,
                            int precisionStep);

}  // namespace kelvo
