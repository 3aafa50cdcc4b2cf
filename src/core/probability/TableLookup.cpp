#include "core/probability/TableLookup.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <regex>

#include "core/documents/WorkedSolution.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

using P = PrintedTableKind;

constexpr double kKeyTolerance = 1e-9;

std::string Num(double v) { return SolutionNumber(v, 6); }

std::optional<std::size_t> Find(const std::vector<double>& keys, double key) {
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (std::fabs(keys[i] - key) <= kKeyTolerance) return i;
  return std::nullopt;
}

const PrintedTable* TableOf(const std::vector<PrintedTable>& tables, P kind, double alpha, std::size_t& index) {
  for (std::size_t i = 0; i < tables.size(); ++i) {
    if (tables[i].kind != kind) continue;
    if (kind == P::F && std::fabs(tables[i].alpha - alpha) > kKeyTolerance) continue;
    index = i;
    return &tables[i];
  }
  return nullptr;
}

std::size_t Row(const PrintedTable& t, double key, const std::string& missing) {
  const std::optional<std::size_t> row = Find(t.rowKeys, key);
  if (!row) throw InputError(missing);
  return *row;
}

std::size_t Column(const PrintedTable& t, double key, const std::string& missing) {
  const std::optional<std::size_t> column = Find(t.columnKeys, key);
  if (!column) throw InputError(missing);
  return *column;
}

void RequireWhole(double v, const char* what) {
  if (!(v >= 1 && v == std::floor(v) && v < 1e6)) throw InputError(std::string(what) + " 应为正整数");
}

}  // namespace

LocatedCell LocateCell(const std::vector<PrintedTable>& tables, const TableLookup& q) {
  LocatedCell cell;
  const double alphaForTable = q.kind == P::F ? q.alpha : 0.0;
  const PrintedTable* t = TableOf(tables, q.kind, alphaForTable, cell.table);
  if (q.kind == P::F && !t) throw InputError("F 分布表只有 α = 0.1、0.05、0.025、0.01、0.005");
  if (!t) throw InputError("没有这张表");
  switch (q.kind) {
    case P::Normal: {
      const double z = q.first;
      const double hundredths = std::round(std::fabs(z) * 100.0);
      if (!(std::fabs(z) < 1e6) || std::fabs(hundredths - std::fabs(z) * 100.0) > 1e-6)
        throw InputError("z 应为两位小数");
      const double tenths = std::floor(hundredths / 10.0);
      cell.row = Row(*t, tenths / 10.0, "表中没有 z = " + Num(std::fabs(z)) + " 的格子");
      cell.column = Column(*t, (hundredths - 10.0 * tenths) / 100.0, "表中没有 z = " + Num(std::fabs(z)) + " 的格子");
      cell.tabulated = t->cells[cell.row][cell.column];
      cell.exact = NormalLowerTail(z);
      if (z < 0) {
        cell.text = "Φ(" + Num(z) + ") = 1 − Φ(" + Num(-z) + ") = 1 − " + FixedNumber(cell.tabulated, 4) + " = " +
                    FixedNumber(1.0 - cell.tabulated, 4) + "（精确值 " + Num(cell.exact) + "）";
      } else {
        cell.text = "Φ(" + Num(z) + ") = " + FixedNumber(cell.tabulated, 4) + "（精确值 " + Num(cell.exact) + "）";
      }
      return cell;
    }
    case P::T:
    case P::ChiSquare: {
      RequireWhole(q.first, "自由度");
      cell.row = Row(*t, q.first, "表中没有自由度 " + Num(q.first) + " 的行");
      cell.column = Column(*t, q.alpha, "表中没有 α = " + Num(q.alpha) + " 的列");
      cell.tabulated = t->cells[cell.row][cell.column];
      const bool isT = q.kind == P::T;
      cell.exact = isT ? ExactTQuantile(q.first, q.alpha) : ExactChiSquareQuantile(q.first, q.alpha);
      cell.text = std::string(isT ? "t" : "χ²") + Subscript(Num(q.alpha)) + "(" + Num(q.first) + ") = " +
                  FixedNumber(cell.tabulated, t->columnDecimals[cell.column]) + "（精确值 " + Num(cell.exact) + "）";
      return cell;
    }
    case P::F: {
      RequireWhole(q.first, "自由度 n₁");
      RequireWhole(q.second, "自由度 n₂");
      cell.column = Column(*t, q.first, "表中没有 n₁ = " + Num(q.first) + " 的列");
      cell.row = Row(*t, q.second, "表中没有 n₂ = " + Num(q.second) + " 的行");
      cell.tabulated = t->cells[cell.row][cell.column];
      cell.exact = ExactFQuantile(q.first, q.second, q.alpha);
      cell.text = "F" + Subscript(Num(q.alpha)) + "(" + Num(q.first) + ", " + Num(q.second) + ") = " +
                  FixedNumber(cell.tabulated, 2) + "（精确值 " + Num(cell.exact) + "）";
      return cell;
    }
    case P::RankSum: {
      RequireWhole(q.first, "n₁");
      RequireWhole(q.second, "n₂");
      const double n1 = std::min(q.first, q.second), n2 = std::max(q.first, q.second);
      const std::string missing = "秩和检验表中没有 n₁ = " + Num(n1) + "，n₂ = " + Num(n2);
      cell.row = Row(*t, 100 * n1 + n2, missing);
      // A pair has one row or two; P picks between them.
      if (q.alpha > 0 && cell.row + 1 < t->rowKeys.size() && t->rowKeys[cell.row + 1] == t->rowKeys[cell.row] &&
          std::fabs(t->cells[cell.row + 1][2] - q.alpha) < std::fabs(t->cells[cell.row][2] - q.alpha))
        ++cell.row;
      cell.column = 0;
      const std::vector<double>& r = t->cells[cell.row];
      cell.tabulated = r[0];
      cell.exact = RankSumNullDistribution::WithoutTies(static_cast<int>(n1), static_cast<int>(n2)).atMost(r[0]);
      cell.text = "n₁ = " + Num(n1) + "，n₂ = " + Num(n2) + "：T₁ = " + Num(r[0]) + "，T₂ = " + Num(r[1]) +
                  "，P = " + FixedNumber(r[2], 3) + "（精确值 P(T ≤ " + Num(r[0]) + ") = " + Num(cell.exact) + "）";
      return cell;
    }
  }
  return cell;
}

namespace {

struct StepPattern {
  std::regex pattern;
  const char* kind;  // the link's first part
};

// The numbers of a link: "kelvo-table:t/6/0/0.025" is kind, first, second, α.
// A decimal of a link, whatever the locale.
double Parse(const std::string& text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string Link(const char* kind, const std::string& first, const std::string& second, const std::string& alpha) {
  return std::string("kelvo-table:") + kind + "/" + first + "/" + second + "/" + alpha;
}

}  // namespace

std::string LinkTableSteps(const std::string& html) {
  // The table steps as the worked solutions write them; numbers are plain ASCII decimals.
  static const std::regex t("查 t 分布表，自由度 ([0-9]+)，α = ([0-9.]+) 列");
  static const std::regex chi("查 χ² 分布表，自由度 ([0-9]+)，α = ([0-9.]+) 列");
  static const std::regex normal("查标准正态分布表(?:：|，)Φ\\(([0-9.]+)\\)");
  static const std::regex f("附表（F 分布，α = ([0-9.]+)）n₁ = ([0-9]+)，n₂ = ([0-9]+)");
  static const std::regex rank("查秩和检验表：n₁ = ([0-9]+)，n₂ = ([0-9]+) 一行（P\\(W ≤ T₁\\) = ([0-9.]+)）");
  struct Rule {
    const std::regex* pattern;
    std::string (*link)(const std::smatch&);
  };
  const Rule rules[] = {
      {&t, [](const std::smatch& m) { return Link("t", m[1], "0", m[2]); }},
      {&chi, [](const std::smatch& m) { return Link("chi2", m[1], "0", m[2]); }},
      {&normal, [](const std::smatch& m) { return Link("normal", m[1], "0", "0"); }},
      {&f, [](const std::smatch& m) { return Link("f", m[2], m[3], m[1]); }},
      {&rank, [](const std::smatch& m) { return Link("ranksum", m[1], m[2], m[3]); }},
  };
  std::string text = html;
  for (const Rule& rule : rules) {
    std::string out;
    auto begin = text.cbegin();
    std::smatch m;
    while (std::regex_search(begin, text.cend(), m, *rule.pattern)) {
      out.append(begin, m[0].first);
      out += "<a href=\"" + rule.link(m) + "\">" + m.str(0) + "</a>";
      begin = m[0].second;
    }
    out.append(begin, text.cend());
    text = std::move(out);
  }
  return text;
}

std::optional<TableLookup> TableLookupFromLink(std::string_view href) {
  static const std::regex link("kelvo-table:([a-z0-9]+)/([0-9.]+)/([0-9.]+)/([0-9.]+)");
  const std::string text(href);
  std::smatch m;
  if (!std::regex_match(text, m, link)) return std::nullopt;
  TableLookup q;
  const std::string kind = m[1];
  if (kind == "t") q.kind = P::T;
  else if (kind == "chi2") q.kind = P::ChiSquare;
  else if (kind == "normal") q.kind = P::Normal;
  else if (kind == "f") q.kind = P::F;
  else if (kind == "ranksum") q.kind = P::RankSum;
  else return std::nullopt;
  q.first = Parse(m.str(2));
  q.second = Parse(m.str(3));
  q.alpha = Parse(m.str(4));
  return q;
}

}  // namespace kelvo
