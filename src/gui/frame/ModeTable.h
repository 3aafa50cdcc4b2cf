#pragma once
// The modes of a window as data: one row per mode number, read on activation and when
// computing, so each mode's facts stand on one line.
#include <span>

namespace kelvo {

template <class Row>
class ModeTable {
 public:
  // rows[0] is mode `first`, rows[1] mode first + 1, ...
  constexpr ModeTable(std::span<const Row> rows, int first = 1) : m_rows(rows), m_first(first) {}

  // The row of a mode, nullptr for a mode the window does not have.
  const Row* find(int mode) const {
    const long index = static_cast<long>(mode) - m_first;
    return index >= 0 && index < static_cast<long>(m_rows.size()) ? &m_rows[index] : nullptr;
  }

 private:
  std::span<const Row> m_rows;
  int m_first;
};

}  // namespace kelvo
