#include "ticker.h"

#include <cassert>
#include <string_view>
#include <vector>

namespace shulin {

namespace {

constexpr std::string_view kLeadIn = "          ";
constexpr std::string_view kGreeting =
    "以此送给和我儿子——高小禾同龄的小朋友们，祝他（她）们身体健康，好好学习，天天向上！";

std::vector<std::string> cells;
std::int32_t position = 0;

// The byte length of the UTF-8 character that starts with lead.
std::size_t CharacterLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

void AppendCharacters(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(static_cast<unsigned char>(text[at]));
        cells.emplace_back(text.substr(at, length));
        at += length;
    }
}

} // namespace

void TickerInit()
{
    cells.clear();
    cells.reserve(kTickerCellCount);
    AppendCharacters(kLeadIn);
    AppendCharacters(kGreeting);
    assert(cells.size() == kTickerCellCount);
    position = 1;
}

std::string TickerStep()
{
    assert(cells.size() == kTickerCellCount);
    ++position;
    if (position > kTickerPositions)
        position = 1;

    std::string text;
    for (int cell = position; cell < position + kTickerWidth; ++cell)
        text += cells[static_cast<std::size_t>(cell - 1)];
    return text;
}

std::span<const std::string> TickerCells()
{
    return cells;
}

std::int32_t TickerPos()
{
    return position;
}

} // namespace shulin
