#pragma once
// A worked solution as a textbook writes it: headings, sentences, formulas (first as written,
// then with the numbers put in, then the value), tables and notes. Computations' results are
// turned into one of these; the window shows it as rich text and copies it as plain text.
// Formulas are plain Unicode with sub- and superscripts (t₀.₀₂₅(15), σ², x̄).
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/CriticalValue.h"

namespace kelvo {

// The characters that would be read as markup (& < > " ') as entities.
std::string EscapeHtml(std::string_view text);

class WorkedSolution {
 public:
  enum class Kind { Heading, Text, Formula, Note, Table };
  struct Block {
    Kind kind = Kind::Text;
    std::string text;                             // heading, text, formula or note
    std::vector<std::vector<std::string>> rows;   // table: the first row is the header
    std::vector<bool> marked;                     // table: rows to highlight (one per data row)
  };

  WorkedSolution& heading(std::string text);
  WorkedSolution& text(std::string text);
  WorkedSolution& formula(std::string text);
  // Something the reader must not miss (the table and the exact decision differ, ...).
  WorkedSolution& note(std::string text);
  // header, then data rows; `marked` (optional, one per data row) highlights rows.
  WorkedSolution& table(std::vector<std::string> header, std::vector<std::vector<std::string>> rows,
                        std::vector<bool> marked = {});

  const std::vector<Block>& blocks() const { return m_blocks; }
  bool empty() const { return m_blocks.empty(); }

  // Rich text (a small HTML subset the window's text view shows), text escaped.
  std::string html() const;
  // Plain UTF-8 text: one block per paragraph, table cells separated by tabs.
  std::string plainText() const;

 private:
  std::vector<Block> m_blocks;
};

// A number for a worked solution: up to `significant` significant digits, no trailing zeros,
// "−" as the minus sign, "∞" for infinities ("0.0250023", "2.1314", "−1.96", "12").
std::string SolutionNumber(double value, int significant = 6);
// The same as a factor inside a product: a negative in parentheses ("10 − (−1.75) × 0.5").
std::string FactorNumber(double value);

// Said in place of a table cell when no column of the table holds the level asked and the
// critical value is the exact quantile: "表中无 α = 0.2 的列，临界值取精确值".
std::string NoTableColumnText(double probability);

// A decimal written with subscript digits and point ("0.025" → "₀.₀₂₅"), for t₀.₀₂₅(15).
std::string Subscript(const std::string& text);

// Digits and signs written as superscripts ("-5" → "⁻⁵"), for powers of ten.
std::string Superscript(const std::string& text);

// A critical value's symbol as a textbook writes it, the upper-tail probability as subscript
// (the normal look-up takes a lower tail): z₀.₀₂₅, t₀.₀₂₅(15), χ²₀.₉₇₅(9), F₀.₀₂₅(4, 7).
std::string QuantileSymbol(const CriticalValue& cv);

// A number with a fixed count of decimals and "−" as the minus sign ("1.2958", "−2.4469");
// a value that rounds to zero has no sign. Very large values as SolutionNumber writes them.
std::string FixedNumber(double value, int decimals = 4);

// An open interval of two numbers already written: "(0.687, 1.751)".
std::string IntervalText(const std::string& lower, const std::string& upper);

// `significant` digits times a power of ten with superscript digits: "8.02 × 10⁻⁵".
std::string ScientificText(double value, int significant = 3);

// A p-value written for people: 4 significant digits without trailing zeros ("p = 0.2427",
// "p = 0.06502", "p = 1"), and "p < 0.0001" below 0.0001.
std::string PValueText(double p);

// The same; below 0.0001 the value follows in scientific notation:
// "p < 0.0001（精确值 8.02 × 10⁻⁵）" (nothing follows a p that is 0 in double precision).
std::string PValueTextWithExact(double p);

}  // namespace kelvo
