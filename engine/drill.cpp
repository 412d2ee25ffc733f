#include "drill.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace shulin {

namespace {

constexpr std::int32_t kInitialLimit = 10;

std::string Readout(std::string_view caption)
{
    std::string text(kReadoutPrefix);
    text += caption;
    return text;
}

// Draws a value in 0..limit-1 other than answer.
std::int32_t DrawDecoy(DrawSource& source, std::int32_t limit, std::int32_t answer)
{
    std::int32_t decoy = source.Below(limit);
    while (decoy == answer)
        decoy = source.Below(limit);
    return decoy;
}

} // namespace

std::string SetUpDrillState(DrillState& state)
{
    state.RangeLimit = kInitialLimit;
    state.CorrectSlot = 0;
    return Readout(std::to_string(kInitialLimit));
}

std::string ChooseRange(DrillState& state, int option)
{
    assert(option >= 1 && option <= static_cast<int>(RangeOptions.size()));
    const RangeOption& chosen = RangeOptions[static_cast<std::size_t>(option - 1)];
    state.RangeLimit = chosen.Limit;
    return Readout(chosen.Caption);
}

Verdict CheckPick(const DrillState& state, int slot)
{
    return slot == state.CorrectSlot ? Verdict::Right : Verdict::Wrong;
}

Problem GenerateProblem(DrillKind kind, DrillState& state, bool opening, DrawSource& source)
{
    const std::int32_t limit = state.RangeLimit;
    assert(limit >= 2);
    Problem problem;

    source.Reseed();
    if (kind == DrillKind::Addition) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        do {
            x = source.Below(limit);
            y = source.Below(limit);
        } while (x + y > limit);
        problem.FirstOperand = x;
        problem.SecondOperand = y;
        problem.Answer = x + y;
    } else {
        const std::int32_t r1 = source.Below(opening ? limit : limit + 1);
        const std::int32_t r2 = source.Below(limit);
        problem.FirstOperand = std::max(r1, r2);
        problem.SecondOperand = std::min(r1, r2);
        problem.Answer = problem.FirstOperand - problem.SecondOperand;
    }

    for (std::int32_t& decoy : problem.Decoys)
        decoy = DrawDecoy(source, limit, problem.Answer);

    problem.CorrectSlot = source.Below(4) + 1;
    state.CorrectSlot = problem.CorrectSlot;

    problem.QuestionText = std::to_string(problem.FirstOperand)
        + (kind == DrillKind::Addition ? '+' : '-') + std::to_string(problem.SecondOperand) + '=';

    std::size_t nextDecoy = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        problem.CandidateTexts[static_cast<std::size_t>(slot - 1)] = slot == problem.CorrectSlot
            ? std::to_string(problem.Answer)
            : std::to_string(problem.Decoys[nextDecoy++]);
    }
    return problem;
}

Problem GenerateProblem(DrillKind kind, DrillState& state, bool opening)
{
    return GenerateProblem(kind, state, opening, ProgramRandomSource());
}

} // namespace shulin
