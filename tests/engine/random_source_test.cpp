#include "random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <vector>

namespace shulin {
namespace {

std::vector<std::int32_t> Draws(RandomSource& source, std::int32_t n, int count)
{
    std::vector<std::int32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(source.Below(n));
    return values;
}

TEST(RandomSourceTest, reseedShouldTakeItsWholeStateFromTheClock)
{
    std::int32_t now = 45'296'789; // 12:34:56.789
    RandomSource source([&now] { return now; });

    source.Reseed();
    const auto first = Draws(source, 100'001, 8);
    Draws(source, 7, 100); // whatever came before the reseed
    source.Reseed();
    EXPECT_EQ(Draws(source, 100'001, 8), first);

    RandomSource seeded;
    seeded.Seed(now);
    EXPECT_EQ(Draws(seeded, 100'001, 8), first);

    now += 1;
    source.Reseed();
    EXPECT_NE(Draws(source, 100'001, 8), first);
}

// Pinned draws: a port to another compiler or platform must reproduce them exactly.
TEST(RandomSourceTest, drawsShouldBeTheSameOnEveryPlatform)
{
    struct Row {
        std::int32_t seed;
        std::int32_t n;
        std::array<std::int32_t, 6> draws;
    };
    const Row rows[] = {
        {0, 100'001, {90680, 47850, 53902, 68122, 80171, 38288}},
        {86'399'999, 100'001, {91684, 63132, 98098, 87204, 16130, 75995}},
        {45'296'789, 10, {6, 0, 4, 0, 6, 4}},
        {1, 4, {1, 1, 0, 1, 1, 2}},
    };
    for (const Row& row : rows) {
        RandomSource source;
        source.Seed(row.seed);
        std::array<std::int32_t, 6> actual{};
        for (auto& value : actual)
            value = source.Below(row.n);
        EXPECT_EQ(actual, row.draws) << "seed " << row.seed << ", n " << row.n;
    }
}

TEST(RandomSourceTest, belowShouldDrawEveryValueEquallyOften)
{
    RandomSource source;
    source.Seed(12'345);
    for (const std::int32_t n : {2, 3, 4, 10, 11}) {
        std::vector<int> counts(static_cast<std::size_t>(n));
        const int perValue = 20'000;
        for (int i = 0; i < n * perValue; ++i) {
            const std::int32_t value = source.Below(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
            ++counts[static_cast<std::size_t>(value)];
        }
        for (const int count : counts)
            EXPECT_NEAR(count, perValue, 5 * 142) << "n " << n; // five standard deviations
    }
}

TEST(RandomSourceTest, belowShouldReachBothEndsOfTheLargestRange)
{
    RandomSource source;
    source.Seed(0);
    bool sawZeroSide = false;
    bool sawTopSide = false;
    for (int i = 0; i < 200'000; ++i) {
        const std::int32_t value = source.Below(100'001);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 100'000);
        sawZeroSide = sawZeroSide || value < 10;
        sawTopSide = sawTopSide || value > 99'990;
    }
    EXPECT_TRUE(sawZeroSide);
    EXPECT_TRUE(sawTopSide);
}

TEST(RandomSourceTest, systemClockShouldAnswerTheUtcTimeOfDay)
{
    const std::time_t before = std::time(nullptr);
    const MillisecondOfDay reading = SystemMillisecondOfDay();
    const std::tm utc = *std::gmtime(&before);
    const std::int32_t expected = ((utc.tm_hour * 60 + utc.tm_min) * 60 + utc.tm_sec) * 1000;

    ASSERT_GE(reading, 0);
    ASSERT_LT(reading, 86'400'000);
    const std::int32_t ahead = (reading - expected + 86'400'000) % 86'400'000;
    EXPECT_LT(ahead, 2000) << "reading " << reading << ", from time(): " << expected;
}

} // namespace
} // namespace shulin
