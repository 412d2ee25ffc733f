#pragma once

#include <cstdint>
#include <functional>

namespace shulin {

// Milliseconds since midnight UTC, 0 <= value < 86'400'000.
using MillisecondOfDay = std::int32_t;

// A clock that answers the UTC time of day to the millisecond.
using DayClock = std::function<MillisecondOfDay()>;

// The system clock's UTC time of day: ((h * 60 + m) * 60 + s) * 1000 + ms.
MillisecondOfDay SystemMillisecondOfDay();

// Where a problem takes its numbers from: one reseed, then draws.
class DrawSource {
public:
    virtual ~DrawSource() = default;

    // Sets the whole state from the clock; what follows depends on that reading alone.
    virtual void Reseed() = 0;

    // A value drawn uniformly from 0 to n - 1.  1 <= n <= 100'001.
    virtual std::int32_t Below(std::int32_t n) = 0;
};

// The program's pseudo-random source: PCG32 (XSH-RR output, 64-bit LCG state, fixed stream),
// with unbiased bounded draws by multiply-and-reject.  Pure integer arithmetic, so a given
// millisecond value yields the same draws on every platform and compiler.
class RandomSource final : public DrawSource {
public:
    explicit RandomSource(DayClock clock = SystemMillisecondOfDay);

    // Replaces the clock that Reseed reads; clock must not be empty.
    void SetClock(DayClock clock);

    void Reseed() override;
    std::int32_t Below(std::int32_t n) override;

    // Sets the whole state from a seed number, as Reseed does from the clock.
    void Seed(MillisecondOfDay seed);

private:
    std::uint32_t Next();

    DayClock clock_;
    std::uint64_t state_ = 0;
};

// The one source that both drill windows share.
RandomSource& ProgramRandomSource();

} // namespace shulin
