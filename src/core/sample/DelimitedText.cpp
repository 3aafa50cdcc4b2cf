#include "core/sample/DelimitedText.h"

#include <algorithm>
#include <utility>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kQuotedCharacters = 20;

enum class Separator { Tab, Semicolon, Comma, Blanks };

std::string Num(std::size_t n) { return std::to_string(n); }

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view Trimmed(std::string_view s, bool tabsToo) {
  auto blank = [tabsToo](char ch) { return ch == ' ' || (tabsToo && ch == '\t'); };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The length of the UTF-8 sequence that starts at text[i], or 0 when it is malformed.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2, lowest = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, lowest = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, lowest = 0x10000;
  else
    return 0;
  if (i + length > text.size()) return 0;
  unsigned code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are not UTF-8.
  if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

// Splits text into lines at "\r\n", "\n" or "\r"; calls `take(line, number)` for each until it
// returns false. A final line break does not start another line.
template <class Take>
void ForEachLine(std::string_view text, Take take) {
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (!take(text.substr(start, end - start), ++number)) return;
    start = end;
    if (start < text.size())
      start += text[start] == '\r' && start + 1 < text.size() && text[start + 1] == '\n' ? 2 : 1;
  }
}

// The cells of one line between separators; a cell in quotes may hold the separator. Stops
// once `out` holds more than `limit` cells: the caller refuses the line then anyway.
void SplitLine(std::string_view line, Separator separator, std::size_t limit,
               std::vector<std::string>& out) {
  if (separator == Separator::Blanks) {
    std::size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && IsBlank(line[i])) ++i;
      if (i == line.size()) break;
      const std::size_t start = i;
      while (i < line.size() && !IsBlank(line[i])) ++i;
      out.emplace_back(line.substr(start, i - start));
      if (out.size() > limit) return;
    }
    return;
  }
  const char sep = separator == Separator::Tab         ? '\t'
                   : separator == Separator::Semicolon ? ';'
                                                       : ',';
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::string cell;
    if (i < line.size() && line[i] == '"') {
      // A quoted cell: up to the quote that is not doubled; what follows it up to the
      // separator stays part of the cell (and makes it non-numeric).
      ++i;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            cell.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        cell.push_back(line[i++]);
      }
      const std::size_t end = std::min(line.find(sep, i), line.size());
      cell += Trimmed(line.substr(i, end - i), false);
      i = end;
    } else {
      const std::size_t end = std::min(line.find(sep, i), line.size());
      cell = Trimmed(line.substr(i, end - i), false);
      i = end;
    }
    out.push_back(std::move(cell));
    if (i >= line.size() || out.size() > limit) return;
    ++i;  // past the separator
  }
}

bool IsDataLine(std::string_view line) {
  const std::string_view t = Trimmed(line, true);
  return !t.empty() && t.front() != '#';
}

Separator FileSeparator(std::string_view text) {
  bool semicolon = false, comma = false;
  bool found = false;
  Separator result = Separator::Blanks;
  ForEachLine(text, [&](std::string_view line, int) {
    if (!IsDataLine(line)) return true;
    if (line.find('\t') != std::string_view::npos) {
      result = Separator::Tab;
      found = true;
      return false;
    }
    semicolon = semicolon || line.find(';') != std::string_view::npos;
    comma = comma || line.find(',') != std::string_view::npos;
    return true;
  });
  if (found) return result;
  return semicolon ? Separator::Semicolon : comma ? Separator::Comma : Separator::Blanks;
}

}  // namespace

std::string QuotedForMessage(std::string_view text) {
  std::string out = "“";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (shown == kQuotedCharacters) {
      out += "…";
      break;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    if (length == 0 || (length == 1 && (ch < 0x20 || ch == 0x7F))) {
      out.push_back('?');
      i += std::max<std::size_t>(length, 1);
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
    ++shown;
  }
  return out + "”";
}

void CheckTextEncoding(std::string_view text, std::string_view what) {
  if (text.find('\0') != std::string_view::npos)
    throw InputError(std::string(what) + "中含有空字节，不是文本（可能是二进制文件）");
  int line = 1;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0)
      throw InputError(std::string(what) + "不是 UTF-8 编码的文本（第 " + Num(line) +
                       " 行），请以 UTF-8 编码保存后再试");
    if (text[i] == '\n') ++line;
    i += length;
  }
}

void CheckCellText(std::string_view text, int line, int column) {
  if (text.empty() || IsNumericText(text)) return;
  const std::string where = "第 " + Num(line) + " 行第 " + Num(column) + " 列的";
  if (text.find(',') != std::string_view::npos) {
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    if (IsNumericText(pointed))
      throw InputError(where + QuotedForMessage(text) + "含有小数逗号，请改用小数点");
  }
  throw InputError(where + QuotedForMessage(text) + "不是数值");
}

TextBlock ParseDelimitedText(std::string_view text, TextLayout layout, const BlockLimits& limits) {
  const std::string_view what = layout == TextLayout::File ? "文件" : "数据";
  if (text.size() > limits.maxBytes)
    throw InputError(std::string(what) + "太大（" + Num(text.size() / 1024 + 1) +
                     " KB），最多只能接受 " + Num(limits.maxBytes / 1024) + " KB");
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  CheckTextEncoding(text, what);

  const bool file = layout == TextLayout::File;
  const Separator separator = file ? FileSeparator(text) : Separator::Tab;
  TextBlock block;
  std::vector<std::string> fields;
  std::size_t firstWidth = 0;
  int firstLine = 0;
  int pendingEmpty = 0;  // clipboard: empty lines kept only when a later line follows
  auto addRow = [&](int number) {
    if (block.cells.size() + fields.size() > limits.maxCells)
      throw InputError("数据太多：超过表格能容纳的 " + Num(limits.maxCells) + " 个数据");
    if (block.rows == 0) {
      firstWidth = fields.size();
      firstLine = number;
    } else if (fields.size() != firstWidth) {
      throw InputError("第 " + Num(number) + " 行有 " + Num(fields.size()) + " 个数据，第 " +
                       Num(firstLine) + " 行有 " + Num(firstWidth) +
                       " 个：各行的数据个数必须相同（空缺处可留空单元格）");
    }
    for (std::size_t c = 0; c < fields.size(); ++c)
      CheckCellText(fields[c], number, static_cast<int>(c) + 1);
    for (std::string& f : fields) block.cells.push_back(std::move(f));
    ++block.rows;
  };
  ForEachLine(text, [&](std::string_view line, int number) {
    if (file && !IsDataLine(line)) return true;
    // A spreadsheet's row of empty cells still holds its tabs; only a line without them is
    // an empty line.
    if (!file && Trimmed(line, false).empty()) {
      ++pendingEmpty;
      return true;
    }
    for (; pendingEmpty > 0; --pendingEmpty) {
      fields.assign(1, std::string());
      addRow(number - pendingEmpty);
    }
    fields.clear();
    SplitLine(line, separator, limits.maxCells - std::min(limits.maxCells, block.cells.size()),
              fields);
    addRow(number);
    return true;
  });
  block.cols = static_cast<int>(firstWidth);
  if (block.rows == 0 || block.cols == 0) throw InputError(std::string(what) + "中没有数据");
  return block;
}

TextBlock ColumnAsRow(TextBlock block) {
  if (block.cols == 1 && block.rows > 1) std::swap(block.rows, block.cols);
  return block;
}

void CheckBlockFits(const TextBlock& block, int rows, int cols) {
  if (block.rows <= rows && block.cols <= cols) return;
  if (block.rows == 1 && rows >= 1)
    throw InputError("数据有 " + Num(block.cols) + " 个，超出表格一行能放下的 " +
                     Num(std::max(cols, 0)) + " 个");
  throw InputError("数据有 " + Num(block.rows) + " 行、每行 " + Num(block.cols) +
                   " 个，超出表格能放下的 " + Num(std::max(rows, 0)) + " 行、每行 " +
                   Num(std::max(cols, 0)) + " 个");
}

TextBlock LaidOutForGrid(TextBlock block, int rows, int cols) {
  block = ColumnAsRow(std::move(block));
  CheckBlockFits(block, rows, cols);
  return block;
}

void WriteBlock(CellStore& store, const TextBlock& block, int row, int col) {
  for (int r = 0; r < block.rows; ++r)
    for (int c = 0; c < block.cols; ++c) store.setText(row + r, col + c, block.at(r, c));
}

}  // namespace kelvo
