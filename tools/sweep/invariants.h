#pragma once

#include "drill.h"

#include <cstdint>
#include <string>

namespace shulin::sweep {

// One case a drill window can make a problem in.  opening is true only at limit 10.
struct SweepCase {
    DrillKind kind;
    bool opening;
    std::int32_t limit;
};

// "addition next 20", "subtraction opening 10": how reports name a case.
std::string CaseName(const SweepCase& c);

// Checks a problem made in case c against every rule a problem must keep: operands, answer
// and decoys within the case's ranges, the answer's text in slot CorrectSlot and nowhere else,
// the decoys in the other slots in the order drawn, plain ASCII decimal texts, and state
// holding the problem's slot under an unchanged limit.  Returns the first broken rule, or an
// empty string when the problem keeps them all.
std::string CheckProblem(const Problem& problem, const SweepCase& c, const DrillState& state);

} // namespace shulin::sweep
