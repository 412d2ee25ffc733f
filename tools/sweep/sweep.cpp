#include "sweep.h"

namespace shulin::sweep {

std::vector<SweepCase> AllCases()
{
    std::vector<SweepCase> cases{{DrillKind::Addition, true, 10}, {DrillKind::Subtraction, true, 10}};
    for (const DrillKind kind : {DrillKind::Addition, DrillKind::Subtraction}) {
        for (const RangeOption& option : RangeOptions)
            cases.push_back({kind, false, option.Limit});
    }
    return cases;
}

void CountingSource::Reseed()
{
    if (draws_ > 0 && breach_.empty())
        breach_ = "a reseed after the first draw";
    ++reseeds_;
    inner_.Reseed();
}

std::int32_t CountingSource::Below(std::int32_t n)
{
    if (breach_.empty()) {
        if (reseeds_ == 0)
            breach_ = "a draw before the reseed";
        else if (n < 1 || n > 100'001)
            breach_ = "a draw below " + std::to_string(n);
    }
    if (++draws_ > kDrawCap)
        throw RunawayLoop{};

    if (draws_ == 1) {
        firstBound_ = n;
    } else if (draws_ >= 3) {
        // The bound of the draw before this one was neither the first nor the last.
        if (!middleSeen_)
            middleBound_ = lastBound_;
        else if (middleBound_ != lastBound_)
            middleBound_ = -1;
        middleSeen_ = true;
    }
    lastBound_ = n;

    const std::int32_t value = inner_.Below(n);
    if ((value < 0 || value >= n) && breach_.empty())
        breach_ = "Below(" + std::to_string(n) + ") gave " + std::to_string(value);
    return value;
}

ProblemCheck MakeAndCheck(const SweepCase& c, DrawSource& source)
{
    CountingSource counting(source);
    DrillState state{c.limit, 0};
    ProblemCheck check;
    Problem problem;
    try {
        problem = GenerateProblem(c.kind, state, c.opening, counting);
    } catch (const CountingSource::RunawayLoop&) {
        check.draws = counting.draws();
        check.violation = "a loop did not end within " + std::to_string(kDrawCap) + " draws";
        return check;
    }
    check.draws = counting.draws();

    const std::int32_t L = c.limit;
    const std::int32_t first = c.kind == DrillKind::Subtraction && !c.opening ? L + 1 : L;
    if (!counting.breach().empty())
        check.violation = counting.breach();
    else if (counting.reseeds() != 1)
        check.violation = std::to_string(counting.reseeds()) + " reseeds for one problem";
    else if (counting.draws() < 6)
        check.violation = "only " + std::to_string(counting.draws()) + " draws";
    else if (counting.firstBound() != first || counting.middleBound() != L || counting.lastBound() != 4)
        check.violation = "draws from the wrong ranges: first below " + std::to_string(counting.firstBound()) + ", then "
            + std::to_string(counting.middleBound()) + ", last " + std::to_string(counting.lastBound());
    else
        check.violation = CheckProblem(problem, c, state);
    return check;
}

void CaseResult::Merge(const CaseResult& other)
{
    problems += other.problems;
    violations += other.violations;
    totalDraws += other.totalDraws;
    if (other.firstViolationAt >= 0 && (firstViolationAt < 0 || other.firstViolationAt < firstViolationAt)) {
        firstViolationAt = other.firstViolationAt;
        firstViolation = other.firstViolation;
    }
    if (other.maxDraws > maxDraws || (other.maxDraws == maxDraws && other.maxDrawsAt < maxDrawsAt)) {
        maxDraws = other.maxDraws;
        maxDrawsAt = other.maxDrawsAt;
    }
}

CaseResult SweepRange(const SweepCase& c, std::int32_t begin, std::int32_t end, std::int32_t stride)
{
    std::int32_t now = 0;
    RandomSource source([&now] { return now; });
    CaseResult result;
    for (std::int64_t ms = (std::int64_t{begin} + stride - 1) / stride * stride; ms < end; ms += stride) {
        now = static_cast<std::int32_t>(ms);
        const ProblemCheck check = MakeAndCheck(c, source);
        ++result.problems;
        result.totalDraws += check.draws;
        if (check.draws > result.maxDraws) {
            result.maxDraws = check.draws;
            result.maxDrawsAt = now;
        }
        if (!check.violation.empty()) {
            if (result.violations == 0) {
                result.firstViolationAt = now;
                result.firstViolation = check.violation;
            }
            ++result.violations;
        }
    }
    return result;
}

} // namespace shulin::sweep
