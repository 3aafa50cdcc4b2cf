#include "core/files/DataFile.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "core/sample/DelimitedText.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeaderStart = "# Kelvo 数据, ";
constexpr std::string_view kVersionStart = " 版本 ";
constexpr std::string_view kNoteStart = "# ";
constexpr std::string_view kWindowStart = "# 窗口, ";
constexpr std::string_view kSettingStart = "# 设置, ";
constexpr std::string_view kEndStart = "# 结束, ";
constexpr std::string_view kEndFinish = " 行";
constexpr std::size_t kLongestText = 4000;
constexpr int kLargestRow = 32767;
const char* const kModeNames[] = {"输入方式一", "输入方式二", "输入方式三"};

bool IsPlainName(std::string_view name) {
  return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
           ch == '_';
  });
}

// A whole number of 1 to 5 digits without sign or blanks; -1 otherwise.
int SmallWholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 5) return -1;
  int value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return -1;
    value = value * 10 + (ch - '0');
  }
  return value;
}

// A caption or setting text: one line of readable text.
bool IsOneLine(std::string_view text) {
  return text.size() <= kLongestText && std::none_of(text.begin(), text.end(), [](char ch) {
           const auto byte = static_cast<unsigned char>(ch);
           return byte < 0x20 || byte == 0x7F;
         });
}

[[noreturn]] void Damaged(int line, const std::string& why) {
  throw InputError("数据文件已损坏或不是本程序保存的数据文件（第 " + std::to_string(line) +
                   " 行）：" + why);
}

std::vector<std::string_view> SplitAt(std::string_view line, char separator) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    out.push_back(
        line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return out;
    start = end + 1;
  }
}

bool IsListSeparator(char ch) {
  return ch == ' ' || ch == ',' || ch == '\t' || ch == '\n' || ch == '\r';
}

// One number of a list: numeric, without blanks or control characters around it.
bool IsListNumber(std::string_view part) {
  return IsNumericText(part) && std::none_of(part.begin(), part.end(), [](char ch) {
           return static_cast<unsigned char>(ch) <= 0x20 || ch == 0x7F;
         });
}

// A cell as written: a number as typed, or a list of numbers (typed with blanks or commas
// between them) with single blanks between them. Nothing for a cell that is neither: such a
// cell could not be read back.
std::optional<std::string> WrittenCell(std::string_view cell) {
  if (cell.empty() || IsNumericText(cell)) return std::string(cell);
  std::string out;
  std::size_t i = 0;
  while (i < cell.size()) {
    while (i < cell.size() && IsListSeparator(cell[i])) ++i;
    const std::size_t start = i;
    while (i < cell.size() && !IsListSeparator(cell[i])) ++i;
    if (i == start) break;
    const std::string_view part = cell.substr(start, i - start);
    if (!IsListNumber(part)) return std::nullopt;
    if (!out.empty()) out += ' ';
    out += part;
  }
  if (out.empty()) return std::nullopt;
  return out;
}

// A cell as read: empty, a number, or numbers separated by single blanks.
bool IsReadableCell(std::string_view cell) {
  if (cell.empty() || IsNumericText(cell)) return true;
  const std::vector<std::string_view> parts = SplitAt(cell, ' ');
  return parts.size() >= 2 && std::all_of(parts.begin(), parts.end(), IsListNumber);
}

}  // namespace

std::string InputModeName(DataInputMode inputMode) {
  const int number = static_cast<int>(inputMode);
  if (number < 1 || number > 3) throw InputError("输入方式只能是一、二或三");
  return kModeNames[number - 1];
}

std::string FormatDataFile(const DataFileContent& content) {
  if (!IsPlainName(content.window)) throw InputError("窗口名称无效，不能保存");
  if (content.windowMode < 0 || content.windowMode > kLargestRow || !IsOneLine(content.title))
    throw InputError("窗口的标题或模式无效，不能保存");
  std::string out(kHeaderStart);
  out += content.window + ", " + InputModeName(content.inputMode) + "," +
         std::string(kVersionStart) + std::to_string(kDataFileVersion) + "\n";
  out +=
      std::string(kWindowStart) + std::to_string(content.windowMode) + ", " + content.title + "\n";
  for (const Setting& setting : content.settings.all()) {
    if (!IsPlainName(setting.name) || !IsOneLine(setting.text))
      throw InputError("窗口的设置“" + setting.name + "”无法保存");
    out += std::string(kSettingStart) + setting.name + ", " + setting.text + "\n";
  }
  for (const DataFileRow& row : content.rows) {
    if (!IsPlainName(row.grid) || row.row < 1 || row.row > kLargestRow)
      throw InputError("表格名称或行号无效，不能保存");
    out += row.grid + "," + std::to_string(row.row);
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      const std::optional<std::string> cell = WrittenCell(row.cells[c]);
      if (!cell)
        throw InputError("第 " + std::to_string(row.row) + " 行第 " + std::to_string(c + 1) +
                         " 列的" + QuotedForMessage(row.cells[c]) + "不是数值，不能保存");
      out += ",";
      out += *cell;
    }
    out += "\n";
  }
  const std::size_t lines = 1 + content.settings.all().size() + content.rows.size();
  out += std::string(kEndStart) + std::to_string(lines) + std::string(kEndFinish) + "\n";
  return out;
}

DataFileContent ParseDataFile(std::string_view text, std::size_t maxCells) {
  if (text.size() > kMaxDataFileBytes)
    throw InputError("文件太大，最多只能打开 " + std::to_string(kMaxDataFileBytes >> 20) +
                     " MB 的数据文件");
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  CheckTextEncoding(text, "文件");

  std::vector<std::string_view> lines = SplitAt(text, '\n');
  for (std::string_view& line : lines)
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) Damaged(1, "文件是空的");

  DataFileContent content;
  const std::string_view header = lines.front();
  if (header.substr(0, kHeaderStart.size()) != kHeaderStart) Damaged(1, "缺少文件头");
  const std::vector<std::string_view> parts = SplitAt(header.substr(kHeaderStart.size()), ',');
  if (parts.size() < 2 || parts.size() > 3 || !IsPlainName(parts[0]) ||
      parts[1].substr(0, 1) != " ")
    Damaged(1, "文件头格式不对");
  content.version = 1;
  if (parts.size() == 3) {
    if (parts[2].substr(0, kVersionStart.size()) != kVersionStart) Damaged(1, "文件头格式不对");
    content.version = SmallWholeNumber(parts[2].substr(kVersionStart.size()));
    if (content.version < 2) Damaged(1, "文件头格式不对");
    if (content.version > kDataFileVersion)
      throw InputError("这个数据文件是较新版本的 Kelvo 保存的，本程序不能打开");
  }
  content.window = std::string(parts[0]);
  const auto mode = std::find(std::begin(kModeNames), std::end(kModeNames), parts[1].substr(1));
  if (mode == std::end(kModeNames)) Damaged(1, "未知的输入方式");
  content.inputMode = static_cast<DataInputMode>(mode - std::begin(kModeNames) + 1);

  const std::string_view last = lines.back();
  if (lines.size() < 2 || last.substr(0, kEndStart.size()) != kEndStart)
    Damaged(static_cast<int>(lines.size()), "缺少结束行，文件可能不完整");
  std::string_view count = last.substr(kEndStart.size());
  if (count.size() <= kEndFinish.size() ||
      count.substr(count.size() - kEndFinish.size()) != kEndFinish ||
      SmallWholeNumber(count.substr(0, count.size() - kEndFinish.size())) !=
          static_cast<int>(lines.size()) - 2)
    Damaged(static_cast<int>(lines.size()), "数据行数与结束行不符，文件可能不完整");

  std::set<std::pair<std::string, int>> seen;
  bool windowSeen = false;
  std::size_t cells = 0;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string_view line = lines[i];
    if (content.version >= 2 && line.substr(0, kNoteStart.size()) == kNoteStart) {
      if (line.substr(0, kWindowStart.size()) == kWindowStart) {
        const std::string_view rest = line.substr(kWindowStart.size());
        const std::size_t comma = rest.find(", ");
        const int windowMode = SmallWholeNumber(rest.substr(0, comma));
        if (windowSeen || comma == std::string_view::npos || windowMode < 0 || windowMode > kLargestRow ||
            !IsOneLine(rest.substr(comma + 2)))
          Damaged(number, "窗口行格式不对");
        windowSeen = true;
        content.windowMode = windowMode;
        content.title = std::string(rest.substr(comma + 2));
      } else if (line.substr(0, kSettingStart.size()) == kSettingStart) {
        const std::string_view rest = line.substr(kSettingStart.size());
        const std::size_t comma = rest.find(", ");
        const std::string_view name = rest.substr(0, comma);
        if (comma == std::string_view::npos || !IsPlainName(name) ||
            !IsOneLine(rest.substr(comma + 2)))
          Damaged(number, "设置行格式不对");
        if (content.settings.find(name)) Damaged(number, "同一设置出现了两次");
        content.settings.set(name, std::string(rest.substr(comma + 2)));
      }
      continue;  // a note of a later version
    }
    const std::vector<std::string_view> fields = SplitAt(line, ',');
    if (fields.size() < 2 || !IsPlainName(fields[0])) Damaged(number, "缺少表格名称");
    const int row = SmallWholeNumber(fields[1]);
    if (row < 1 || row > kLargestRow) Damaged(number, "行号无效");
    if (!seen.emplace(std::string(fields[0]), row).second) Damaged(number, "同一行出现了两次");
    cells += fields.size() - 2;
    if (cells > maxCells)
      throw InputError("文件中的数据太多：超过窗口表格能容纳的 " + std::to_string(maxCells) +
                       " 个数据");
    DataFileRow out{std::string(fields[0]), row, {}};
    out.cells.reserve(fields.size() - 2);
    for (std::size_t c = 2; c < fields.size(); ++c) {
      if (!IsReadableCell(fields[c])) CheckCellText(fields[c], number, static_cast<int>(c) - 1);
      out.cells.emplace_back(fields[c]);
    }
    content.rows.push_back(std::move(out));
  }
  return content;
}

bool LooksLikeDataFile(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  return text.substr(0, kHeaderStart.size()) == kHeaderStart;
}

}  // namespace kelvo
