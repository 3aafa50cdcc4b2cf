#include "core/documents/WorkedSolution.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvo {
namespace {

// Below this a p-value is written "p < 0.0001".
constexpr double kSmallestPlainP = 1e-4;

// The rows of a long table shown as rich text: the first kShownHead and the rest from the end.
constexpr std::size_t kShownRows = 40;
constexpr std::size_t kShownHead = 30;

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

WorkedSolution& WorkedSolution::heading(std::string text) {
  m_blocks.push_back({Kind::Heading, std::move(text), {}, {}});
  return *this;
}

WorkedSolution& WorkedSolution::text(std::string text) {
  m_blocks.push_back({Kind::Text, std::move(text), {}, {}});
  return *this;
}

WorkedSolution& WorkedSolution::formula(std::string text) {
  m_blocks.push_back({Kind::Formula, std::move(text), {}, {}});
  return *this;
}

WorkedSolution& WorkedSolution::note(std::string text) {
  m_blocks.push_back({Kind::Note, std::move(text), {}, {}});
  return *this;
}

WorkedSolution& WorkedSolution::table(std::vector<std::string> header,
                                      std::vector<std::vector<std::string>> rows,
                                      std::vector<bool> marked) {
  Block block{Kind::Table, {}, {}, {}};
  block.rows.push_back(std::move(header));
  for (auto& row : rows) block.rows.push_back(std::move(row));
  marked.resize(block.rows.size() - 1, false);
  block.marked = std::move(marked);
  m_blocks.push_back(std::move(block));
  return *this;
}

std::string WorkedSolution::html() const {
  std::string out = "<html><body style=\"font-size: 10pt;\">";
  for (const Block& b : m_blocks) {
    switch (b.kind) {
      case Kind::Heading: out += "<h3>" + EscapeHtml(b.text) + "</h3>"; break;
      case Kind::Text: out += "<p>" + EscapeHtml(b.text) + "</p>"; break;
      case Kind::Formula:
        out += "<p style=\"margin-left: 16px; font-family: 'DejaVu Serif';\">" + EscapeHtml(b.text) + "</p>";
        break;
      case Kind::Note:
        out += "<p style=\"color: #a04000;\"><b>注意：</b>" + EscapeHtml(b.text) + "</p>";
        break;
      case Kind::Table: {
        out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";
        // A long table shows its head and tail; the plain text keeps every row.
        const std::size_t rows = b.rows.size();
        for (std::size_t r = 0; r < rows; ++r) {
          if (rows - 1 > kShownRows && r == kShownHead + 1) {
            out += "<tr><td colspan=\"" + std::to_string(b.rows[0].size()) + "\">… 共 " +
                   std::to_string(rows - 1) + " 行，中间 " + std::to_string(rows - 1 - kShownRows) +
                   " 行从略（“复制全部”含全部各行）…</td></tr>";
            r = rows - (kShownRows - kShownHead) - 1;
            continue;
          }
          const bool marked = r > 0 && b.marked[r - 1];
          out += marked ? "<tr style=\"background-color: #fff3c4;\">" : "<tr>";
          for (const std::string& cell : b.rows[r])
            out += (r == 0 ? "<th>" : "<td align=\"right\">") + EscapeHtml(cell) + (r == 0 ? "</th>" : "</td>");
          out += "</tr>";
        }
        out += "</table>";
        break;
      }
    }
  }
  return out + "</body></html>";
}

std::string WorkedSolution::plainText() const {
  std::string out;
  for (const Block& b : m_blocks) {
    if (!out.empty()) out += '\n';
    switch (b.kind) {
      case Kind::Heading: out += "【" + b.text + "】\n"; break;
      case Kind::Text: out += b.text + '\n'; break;
      case Kind::Formula: out += "    " + b.text + '\n'; break;
      case Kind::Note: out += "注意：" + b.text + '\n'; break;
      case Kind::Table:
        for (std::size_t r = 0; r < b.rows.size(); ++r) {
          for (std::size_t c = 0; c < b.rows[r].size(); ++c) {
            if (c) out += '\t';
            out += b.rows[r][c];
          }
          if (r > 0 && b.marked[r - 1]) out += "\t*";
          out += '\n';
        }
        break;
    }
  }
  return out;
}

std::string SolutionNumber(double value, int significant) {
  if (std::isnan(value)) return "—";
  if (std::isinf(value)) return value > 0 ? "∞" : "−∞";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", significant, value);
  std::string text = buffer;
  // Plain decimals for the sizes a solution shows; %g switches to exponents early.
  if (text.find('e') != std::string::npos && std::fabs(value) >= 1e-4 && std::fabs(value) < 1e15) {
    const int decimals = std::max(0, significant - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    text = buffer;
    if (text.find('.') != std::string::npos) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
  }
  if (text[0] == '-') text.replace(0, 1, "−");
  return text;
}

std::string NoTableColumnText(double probability) {
  return "表中无 α = " + SolutionNumber(probability) + " 的列，临界值取精确值";
}

std::string Subscript(const std::string& text) {
  static const char* const kDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
  std::string out;
  for (char c : text) {
    if (c >= '0' && c <= '9') out += kDigits[c - '0'];
    else if (c == '.') out += ".";
    else if (c == '-') out += "₋";
    else out += c;
  }
  return out;
}

std::string Superscript(const std::string& text) {
  static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string out;
  for (char c : text) {
    if (c >= '0' && c <= '9') out += kDigits[c - '0'];
    else if (c == '-') out += "⁻";
    else if (c == '+') out += "⁺";
    else out += c;
  }
  return out;
}

std::string QuantileSymbol(const CriticalValue& cv) {
  const double upperTail = cv.kind == TableKind::Normal ? 1.0 - cv.probability : cv.probability;
  const std::string a = Subscript(SolutionNumber(upperTail));
  switch (cv.kind) {
    case TableKind::Normal: return "z" + a;
    case TableKind::T: return "t" + a + "(" + std::to_string(cv.df) + ")";
    case TableKind::ChiSquare: return "χ²" + a + "(" + std::to_string(cv.df) + ")";
    case TableKind::F:
      return "F" + a + "(" + std::to_string(cv.df) + ", " + std::to_string(cv.df2) + ")";
  }
  return "";
}

std::string FactorNumber(double value) {
  const std::string text = SolutionNumber(value);
  return value < 0 ? "(" + text + ")" : text;
}

std::string FixedNumber(double value, int decimals) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e12) return SolutionNumber(value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text[0] == '-') {
    // "-0.0000" is a zero.
    if (text.find_first_not_of("-0.") == std::string::npos) return text.substr(1);
    text.replace(0, 1, "−");
  }
  return text;
}

std::string ScientificText(double value, int significant) {
  if (!std::isfinite(value) || value == 0) return SolutionNumber(value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", std::max(0, significant - 1), value);
  const std::string text = buffer;
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  if (mantissa[0] == '-') mantissa.replace(0, 1, "−");
  const int exponent = std::stoi(text.substr(e + 1));
  return mantissa + " × 10" + Superscript(std::to_string(exponent));
}

std::string PValueText(double p) {
  if (std::isnan(p)) return "p = —";
  if (p < kSmallestPlainP) return "p < 0.0001";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.4g", p);
  return std::string("p = ") + buffer;
}

std::string PValueTextWithExact(double p) {
  std::string text = PValueText(p);
  if (p < kSmallestPlainP && p > 0) text += "（精确值 " + ScientificText(p) + "）";
  return text;
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) on "(" + std::string here.
std::string IntervalText(const std::string& lower, const std::string& upper) {
  std::string text = "(";
  text += lower;
  text += ", ";
  text += upper;
  text += ")";
  return text;
}

}  // namespace kelvo
