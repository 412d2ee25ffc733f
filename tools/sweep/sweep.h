#pragma once

#include "invariants.h"
#include "random_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace shulin::sweep {

// The 40 cases of the program: the opening addition and subtraction at limit 10, then the
// next addition and subtraction at each of the 19 range limits.
std::vector<SweepCase> AllCases();

// Milliseconds in a day: every reseed reads one of 0 .. kDayMilliseconds - 1.
inline constexpr std::int32_t kDayMilliseconds = 86'400'000;

// More draws than this for one problem count as a loop that does not end.
inline constexpr std::int32_t kDrawCap = 100'000;

// Passes a problem's reseed and draws through to inner, counts the draws and checks each
// against the source's contract (a reseed first, then 1 <= n <= 100'001 and a value below n).
// A draw beyond kDrawCap throws RunawayLoop, so a loop that never ends is caught.
class CountingSource final : public DrawSource {
public:
    struct RunawayLoop {};

    explicit CountingSource(DrawSource& inner) : inner_(inner) {}

    void Reseed() override;
    std::int32_t Below(std::int32_t n) override;

    std::int32_t draws() const { return draws_; }
    int reseeds() const { return reseeds_; }
    std::int32_t firstBound() const { return firstBound_; }
    std::int32_t lastBound() const { return lastBound_; }
    // Every bound asked for but the first and the last, when they were all one value; else -1.
    std::int32_t middleBound() const { return middleBound_; }
    // The first breach of the source's contract, if any.
    const std::string& breach() const { return breach_; }

private:
    DrawSource& inner_;
    std::int32_t draws_ = 0;
    int reseeds_ = 0;
    std::int32_t firstBound_ = 0;
    std::int32_t lastBound_ = 0;
    std::int32_t middleBound_ = 0;
    bool middleSeen_ = false;
    std::string breach_;
};

// What making and checking one problem came to.
struct ProblemCheck {
    std::int32_t draws = 0;
    std::string violation; // empty when the problem keeps every rule
};

// Makes the problem of case c from source (whose Reseed fixes the problem) and checks the
// problem, the draws that made it and that its loops ended within kDrawCap draws.
ProblemCheck MakeAndCheck(const SweepCase& c, DrawSource& source);

// The sum of a stretch of the sweep for one case.
struct CaseResult {
    std::int64_t problems = 0;
    std::int64_t violations = 0;
    std::int32_t firstViolationAt = -1; // the earliest millisecond of a violation
    std::string firstViolation;
    std::int32_t maxDraws = 0;
    std::int32_t maxDrawsAt = -1; // the earliest millisecond that needed maxDraws
    std::int64_t totalDraws = 0;

    // Adds other's stretch; ties go to the earlier millisecond.
    void Merge(const CaseResult& other);
};

// Makes and checks the problem of every millisecond ms with begin <= ms < end and ms a
// multiple of stride, for case c, on the program's kind of random source.
// Preconditions: 0 <= begin <= end <= kDayMilliseconds, stride >= 1.
CaseResult SweepRange(const SweepCase& c, std::int32_t begin, std::int32_t end, std::int32_t stride);

} // namespace shulin::sweep
