#pragma once

#include "random_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace shulin {

enum class DrillKind { Addition, Subtraction };

// The grade of one pick.
enum class Verdict { Right, Wrong };

// What one drill window keeps between events.  Zeros until the window sets it up.
struct DrillState {
    // 2..10, 20..100 in tens, or 100000, once set up.
    std::int32_t RangeLimit = 0;
    // 1..4 once the opening problem is made: the slot that holds the answer.
    std::int32_t CorrectSlot = 0;
};

// One range option: the caption of its label and the limit it sets.
struct RangeOption {
    std::string_view Caption;
    std::int32_t Limit;
};

inline constexpr std::string_view kReadoutPrefix = "范围是";

// The 19 options in the order a drill window shows them; option n is RangeOptions[n - 1].
inline constexpr std::array<RangeOption, 19> RangeOptions{{
    {"2", 2},    {"3", 3},    {"4", 4},    {"5", 5},    {"6", 6},    {"7", 7},    {"8", 8},
    {"9", 9},    {"10", 10},  {"20", 20},  {"30", 30},  {"40", 40},  {"50", 50},  {"60", 60},
    {"70", 70},  {"80", 80},  {"90", 90},  {"100", 100}, {">100", 100000},
}};

// Sets a state up as a new window has it (limit 10, no slot yet) and returns its readout.
std::string SetUpDrillState(DrillState& state);

// Stores the limit of option 1..19 and returns the readout, "范围是" followed by the caption.
// Nothing but RangeLimit changes.
std::string ChooseRange(DrillState& state, int option);

// Grades a pick of slot 1..4 against the problem on show.
Verdict CheckPick(const DrillState& state, int slot);

// One generated problem; the caller owns it.
struct Problem {
    std::int32_t FirstOperand = 0;
    std::int32_t SecondOperand = 0;
    std::int32_t Answer = 0;
    // Wrong answers in the order drawn; each in 0..L-1 and never Answer, possibly repeated.
    std::array<std::int32_t, 3> Decoys{};
    std::int32_t CorrectSlot = 0;
    // ASCII only, such as "7+2=" or "7-2=".
    std::string QuestionText;
    // By slot: CandidateTexts[k - 1] is shown in slot k.
    std::array<std::string, 4> CandidateTexts;
};

// Makes the next problem for a window from one reseed of source, and writes its slot into
// state.CorrectSlot.  Preconditions: state.RangeLimit is a limit of RangeOptions (or the
// initial 10); opening is true only for the window's first problem, made at limit 10.
Problem GenerateProblem(DrillKind kind, DrillState& state, bool opening, DrawSource& source);

// The same, on the program's one random source.
Problem GenerateProblem(DrillKind kind, DrillState& state, bool opening);

} // namespace shulin
