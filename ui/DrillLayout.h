#pragma once

#include "DrillForm.h"

// Shorthands for the two drill windows' layout tables.
namespace shulin::drill_layout {

using F = DrillForm;
using K = ControlKind;
using C = Colour;
inline constexpr bool kAuto = true;
inline constexpr bool kFixed = false;

inline constexpr FontSpec kOptionFont{"MS Sans Serif", 32, true, false, C::Teal};
inline constexpr FontSpec kQuestionFont{"黑体", 80, true, false, C::Red};
inline constexpr FontSpec kCandidateFont{"黑体", 48, true, false, C::Fuchsia};
inline constexpr FontSpec kReadoutFont{"MS Sans Serif", 32, true, false, C::Blue};

} // namespace shulin::drill_layout
