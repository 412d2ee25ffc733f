#include "random_source.h"

#include <chrono>
#include <utility>

namespace shulin {

namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL; // odd: the LCG has full period
constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

} // namespace

MillisecondOfDay SystemMillisecondOfDay()
{
    using namespace std::chrono;
    // system_clock counts Unix time, which is UTC, so the remainder is the UTC time of day.
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    auto ofDay = sinceEpoch % kMillisecondsPerDay;
    if (ofDay < 0)
        ofDay += kMillisecondsPerDay;
    return static_cast<MillisecondOfDay>(ofDay);
}

RandomSource::RandomSource(DayClock clock)
    : clock_(std::move(clock))
{
}

void RandomSource::SetClock(DayClock clock)
{
    clock_ = std::move(clock);
}

void RandomSource::Reseed()
{
    Seed(clock_());
}

void RandomSource::Seed(MillisecondOfDay seed)
{
    state_ = 0;
    Next();
    state_ += static_cast<std::uint64_t>(seed);
    Next();
}

std::uint32_t RandomSource::Next()
{
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<std::uint32_t>(old >> 59U);
    return (xorshifted >> rotation) | (xorshifted << ((0U - rotation) & 31U));
}

std::int32_t RandomSource::Below(std::int32_t n)
{
    // Multiply-and-reject: the high half of x * n is uniform on 0..n-1 once the low half
    // is outside the short band that would favour some values.
    const auto bound = static_cast<std::uint32_t>(n);
    std::uint64_t product = std::uint64_t{Next()} * bound;
    auto low = static_cast<std::uint32_t>(product);
    if (low < bound) {
        const std::uint32_t threshold = (0U - bound) % bound;
        while (low < threshold) {
            product = std::uint64_t{Next()} * bound;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<std::int32_t>(product >> 32U);
}

RandomSource& ProgramRandomSource()
{
    static RandomSource source;
    return source;
}

} // namespace shulin
