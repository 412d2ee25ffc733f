#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace shulin {

inline constexpr int kTickerCellCount = 52;
inline constexpr int kTickerWidth = 11;
// The last position whose kTickerWidth cells end at the last cell.
inline constexpr int kTickerPositions = kTickerCellCount - kTickerWidth + 1;

// The one ticker of the program.  Fills the 52 cells (ten spaces, then the greeting one
// character to a cell) and sets the position to 1.  Call before any TickerStep.
void TickerInit();

// Moves the position on (42 wraps to 1) and returns the 11 cells from there, joined, as UTF-8.
// Precondition: TickerInit has run.
std::string TickerStep();

// The cells, each one character in UTF-8: cell i is TickerCells()[i - 1].  Empty before TickerInit.
std::span<const std::string> TickerCells();

// The first cell of the latest text: 1 after TickerInit, 1..42 after every step.
std::int32_t TickerPos();

} // namespace shulin
