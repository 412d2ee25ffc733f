#include "ticker.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace shulin {
namespace {

constexpr std::string_view kGreeting =
    "以此送给和我儿子——高小禾同龄的小朋友们，祝他（她）们身体健康，好好学习，天天向上！";

// Counts characters, not bytes.
std::size_t Characters(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string Spaces(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

TEST(TickerTest, initShouldFillFiftyTwoOneCharacterCellsAndStartAtOne)
{
    TickerInit();
    ASSERT_EQ(TickerCells().size(), 52U);
    EXPECT_EQ(TickerPos(), 1);
    std::string joined;
    for (const std::string& cell : TickerCells()) {
        EXPECT_EQ(Characters(cell), 1U) << '"' << cell << '"';
        joined += cell;
    }
    EXPECT_EQ(joined, Spaces(10) + std::string(kGreeting));
    EXPECT_EQ(TickerCells()[18], "—");
    EXPECT_EQ(TickerCells()[19], "—");
    EXPECT_EQ(TickerCells()[51], "！");
}

TEST(TickerTest, stepsShouldShowTheListedTexts)
{
    struct Row {
        int step;
        std::int32_t position;
        std::string text;
    };
    const Row rows[] = {
        {1, 2, Spaces(9) + "以此"},
        {2, 3, Spaces(8) + "以此送"},
        {3, 4, Spaces(7) + "以此送给"},
        {9, 10, Spaces(1) + "以此送给和我儿子——"},
        {10, 11, "以此送给和我儿子——高"},
        {41, 42, "，好好学习，天天向上！"},
        {42, 1, Spaces(10) + "以"},
        {43, 2, Spaces(9) + "以此"},
    };
    TickerInit();
    int done = 0;
    for (const Row& row : rows) {
        std::string text;
        while (done < row.step) {
            text = TickerStep();
            ++done;
        }
        EXPECT_EQ(TickerPos(), row.position) << "step " << row.step;
        EXPECT_EQ(text, row.text) << "step " << row.step;
    }
}

TEST(TickerTest, aCycleShouldShowFortyTwoDifferentTextsOfElevenCharacters)
{
    TickerInit();
    std::set<std::string> seen;
    std::string first;
    for (int step = 1; step <= 42; ++step) {
        const std::string text = TickerStep();
        EXPECT_EQ(Characters(text), 11U) << "step " << step;
        EXPECT_GE(TickerPos(), 1);
        EXPECT_LE(TickerPos(), 42);
        if (step == 1)
            first = text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 42U);
    EXPECT_EQ(TickerStep(), first);
}

} // namespace
} // namespace shulin
