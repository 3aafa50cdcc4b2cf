// libFuzzer target: arbitrary bytes as typed or pasted text through the number reading and
// the paste and delete of grid blocks, checked against a simple model of what may change.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/sample/CellStore.h"
#include "core/sample/GridBuffer.h"
#include "core/sample/Readers.h"
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

using namespace kelvo;

namespace {

const std::string kUntouched = ".";

// The buffer split into rows at carriage returns and cells at tabs.
std::vector<std::vector<std::string_view>> SplitBlock(std::string_view text) {
  std::vector<std::vector<std::string_view>> rows(1);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\t' && text[i] != '\r') continue;
    rows.back().push_back(text.substr(start, i - start));
    start = i + 1;
    if (i < text.size() && text[i] == '\r') rows.emplace_back();
  }
  return rows;
}

void FillUntouched(CellStore& store) {
  for (int r = 0; r < store.rows(); ++r)
    for (int c = 0; c < store.cols(); ++c) store.setText(r, c, kUntouched);
}

// The cells a check looks at. Stray writes are never undone, so a later full scan still
// finds one that a bounded scan missed.
struct Scan {
  int top, left, bottom, right;
};

Scan FullScan(const CellStore& store) { return {0, 0, store.rows() - 1, store.cols() - 1}; }

// The anchor's neighbourhood up to `width` cells right of it, clipped to the grid.
Scan NearAnchor(const CellStore& store, int r0, int c0, std::size_t width) {
  long right = static_cast<long>(c0) + static_cast<long>(std::min<std::size_t>(width, 1 << 20)) + 1;
  return {std::max(r0 - 1, 0), std::max(c0 - 1, 0), store.rows() - 1,
          static_cast<int>(std::min<long>(right, store.cols() - 1))};
}

// Paste at (r0, c0) must write exactly the buffer's cells that fall on data cells from the
// anchor on, and leave every other cell as it was; the grid keeps its size.
void CheckPaste(CellStore& store, std::string_view buffer, int r0, int c0, bool full) {
  const int rows = store.rows(), cols = store.cols();
  std::string clipped = ClipToGrid(buffer, r0, c0, rows, cols);
  const bool anchored = IsDataCell(r0, c0, rows, cols);
  CHECK(anchored ? !clipped.empty() && clipped.back() == '\r' : clipped.empty());
  CHECK(clipped.size() <= buffer.size() + 1);

  PasteGridBlock(store, buffer, r0, c0);
  CHECK(store.rows() == rows && store.cols() == cols);

  auto block = SplitBlock(buffer);
  std::size_t width = 0;
  for (const auto& row : block) width = std::max(width, row.size());
  Scan scan = full ? FullScan(store) : NearAnchor(store, r0, c0, width);
  for (int r = scan.top; r <= scan.bottom; ++r) {
    for (int c = scan.left; c <= scan.right; ++c) {
      const std::string& text = store.text(r, c);
      std::size_t i = static_cast<std::size_t>(r - r0), j = static_cast<std::size_t>(c - c0);
      bool written = anchored && r >= r0 && c >= c0 && i < block.size() && j < block[i].size();
      if (written) {
        CHECK(text == block[i][j]);
        store.setText(r, c, kUntouched);
      } else {
        CHECK(text == kUntouched);
      }
    }
  }
}

// Delete at (r0, c0) empties a block within the grid's data cells that starts at the anchor.
void CheckDelete(CellStore& store, std::string_view selection, int r0, int c0, bool full) {
  const int rows = store.rows(), cols = store.cols();
  CellBlock b = DeleteBlockExtent(selection, r0, c0, rows, cols);
  DeleteGridBlock(store, selection, r0, c0);
  CHECK(store.rows() == rows && store.cols() == cols);
  if (!IsEmptyBlock(b)) {
    CHECK(b.top == r0 && b.left == c0 && b.top >= 1 && b.left >= 1);
    CHECK(b.bottom < rows && b.right < cols);
  }
  std::size_t width = 0;
  for (const auto& row : SplitBlock(selection)) width = std::max(width, row.size());
  Scan scan = full ? FullScan(store) : NearAnchor(store, r0, c0, width);
  for (int r = scan.top; r <= scan.bottom; ++r) {
    for (int c = scan.left; c <= scan.right; ++c) {
      bool inside = !IsEmptyBlock(b) && r >= b.top && r <= b.bottom && c >= b.left && c <= b.right;
      CHECK(store.text(r, c) == (inside ? std::string() : kUntouched));
      if (inside) store.setText(r, c, kUntouched);
    }
  }
}

void CheckNumbers(std::string_view text) {
  double v = LeadingValue(text);
  CHECK(!std::isnan(v));
  if (IsNumericText(text)) CHECK(!text.empty());
  std::string shown = FormatResult(v, ResultFormat());
  CHECK(std::isfinite(v) ? !shown.empty() : shown.empty());
  std::string pattern = StepPattern(text, static_cast<int>(text.size() % 3) - 1);
  CHECK(pattern.size() >= 2 && pattern.compare(0, 2, "0.") == 0);
  (void)ReformatCaption(text, text, 1);
}

void ReadGrid(const CellStore& store) {
  for (InputMode mode : {InputMode::One, InputMode::Two}) {
    try {
      SampleSummary s = ReadOneSample(store, mode);
      CHECK(s.n >= -32768 && s.n <= 32767);
      TwoSampleSummary t = ReadTwoSamples(store, mode);
      CHECK(t.first.n >= -32768 && t.first.n <= 32767);
    } catch (const InputError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CellStore small(4, 6);
  static CellStore large(3, 32767);
  static bool ready = false;
  if (!ready) {
    FillUntouched(small);
    FillUntouched(large);
    ready = true;
  }
  std::uint8_t head[4] = {0, 0, 0, 0};
  std::size_t skip = size < 4 ? size : 4;
  for (std::size_t i = 0; i < skip; ++i) head[i] = data[i];
  std::string_view text(reinterpret_cast<const char*>(data) + skip, size - skip);

  CheckNumbers(text);
  SplitBlock(text);  // model sanity: never throws

  // Small grid: anchors from -1 to 7 in both directions.
  int r0 = head[0] % 9 - 1, c0 = head[0] / 9 % 9 - 1;
  CheckPaste(small, text, r0, c0, true);
  CheckDelete(small, text, r0, c0, true);

  // Readers over whatever a paste leaves in the small grid.
  PasteGridBlock(small, text, 1, 1);
  ReadGrid(small);
  FillUntouched(small);

  // Large grid: anchors near the edges and anywhere along the row.
  static const int kColumns[] = {-1, 0, 1, 2, 100, 32765, 32766, 32767, 32768};
  int lr = head[1] % 5 - 1;
  int lc = head[1] & 0x80 ? kColumns[head[2] % 9] : (head[2] << 8 | head[3]) % 32770 - 1;
  // Scanning all 98301 cells is slow; do it every 64th input and otherwise look near the
  // anchor.
  static unsigned runs = 0;
  bool full = ++runs % 64 == 0;
  CheckPaste(large, text, lr, lc, full);
  CheckDelete(large, text, lr, lc, full);
  return 0;
}
