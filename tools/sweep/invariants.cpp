#include "invariants.h"

#include <algorithm>

namespace shulin::sweep {

namespace {

// Plain decimal of a number >= 0, written out digit by digit rather than by the library call
// the generator itself uses.
std::string Decimal(std::int32_t value)
{
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    std::string text;
    while (n > 0)
        text += digits[--n];
    return text;
}

std::string Broken(const std::string& rule, const Problem& p)
{
    return rule + " (question \"" + p.QuestionText + "\", candidates \"" + p.CandidateTexts[0] + "\" \""
        + p.CandidateTexts[1] + "\" \"" + p.CandidateTexts[2] + "\" \"" + p.CandidateTexts[3] + "\", slot "
        + std::to_string(p.CorrectSlot) + ")";
}

bool AllOf(const std::string& text, const char* allowed)
{
    return std::all_of(text.begin(), text.end(),
        [&](char ch) { return (ch >= '0' && ch <= '9') || std::string_view(allowed).find(ch) != std::string_view::npos; });
}

} // namespace

std::string CaseName(const SweepCase& c)
{
    return std::string(c.kind == DrillKind::Addition ? "addition" : "subtraction") + (c.opening ? " opening " : " next ")
        + std::to_string(c.limit);
}

std::string CheckProblem(const Problem& p, const SweepCase& c, const DrillState& state)
{
    const std::int32_t L = c.limit;
    const bool addition = c.kind == DrillKind::Addition;

    if (p.FirstOperand < 0 || p.SecondOperand < 0 || p.Answer < 0)
        return Broken("a number is negative", p);
    for (const std::int32_t decoy : p.Decoys) {
        if (decoy < 0 || decoy > L - 1)
            return Broken("a decoy lies outside 0 to " + std::to_string(L - 1), p);
        if (decoy == p.Answer)
            return Broken("a decoy equals the answer", p);
    }

    if (addition) {
        if (p.Answer != p.FirstOperand + p.SecondOperand)
            return Broken("the answer is not the sum", p);
        if (p.FirstOperand > L - 1 || p.SecondOperand > L - 1)
            return Broken("an operand exceeds " + std::to_string(L - 1), p);
        if (p.Answer > L)
            return Broken("the sum exceeds the limit", p);
    } else {
        if (p.FirstOperand < p.SecondOperand)
            return Broken("the first operand is less than the second", p);
        if (p.Answer != p.FirstOperand - p.SecondOperand)
            return Broken("the answer is not the difference", p);
        if (p.FirstOperand > (c.opening ? L - 1 : L))
            return Broken("the first operand exceeds " + std::to_string(c.opening ? L - 1 : L), p);
        if (p.SecondOperand > L - 1)
            return Broken("the second operand exceeds " + std::to_string(L - 1), p);
    }

    if (p.CorrectSlot < 1 || p.CorrectSlot > 4)
        return Broken("the slot is not 1 to 4", p);
    if (state.CorrectSlot != p.CorrectSlot)
        return Broken("the state holds slot " + std::to_string(state.CorrectSlot), p);
    if (state.RangeLimit != L)
        return Broken("the state's limit changed to " + std::to_string(state.RangeLimit), p);

    const char sign = addition ? '+' : '-';
    if (p.QuestionText != Decimal(p.FirstOperand) + sign + Decimal(p.SecondOperand) + '='
        || !AllOf(p.QuestionText, addition ? "+=" : "-="))
        return Broken("the question is not written as first operand, sign, second operand, =", p);

    const std::string answer = Decimal(p.Answer);
    std::size_t nextDecoy = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        const std::string& text = p.CandidateTexts[static_cast<std::size_t>(slot - 1)];
        if (!AllOf(text, "") || text.empty())
            return Broken("candidate " + std::to_string(slot) + " is not plain decimal digits", p);
        if (slot == p.CorrectSlot) {
            if (text != answer)
                return Broken("the answer's slot does not hold the answer", p);
        } else if (text != Decimal(p.Decoys[nextDecoy++])) {
            return Broken("candidate " + std::to_string(slot) + " is not the next decoy", p);
        } else if (text == answer) {
            return Broken("the answer stands in a second slot", p);
        }
    }
    return {};
}

} // namespace shulin::sweep
