#include "drill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace shulin {
namespace {

// Answers scripted draws and records every bound asked for; a reseed is recorded as 0.
class ScriptedSource final : public DrawSource {
public:
    explicit ScriptedSource(std::vector<std::int32_t> script)
        : script_(script.begin(), script.end())
    {
    }

    void Reseed() override { calls.push_back(0); }

    std::int32_t Below(std::int32_t n) override
    {
        calls.push_back(n);
        if (script_.empty()) {
            ADD_FAILURE() << "more draws than scripted";
            return 0;
        }
        const std::int32_t value = script_.front();
        script_.pop_front();
        EXPECT_LT(value, n) << "the script answers a value outside 0.." << n - 1;
        return value;
    }

    std::size_t left() const { return script_.size(); }

    std::vector<std::int32_t> calls;

private:
    std::deque<std::int32_t> script_;
};

struct ScriptRow {
    const char* name;
    DrillKind kind;
    bool opening;
    std::int32_t limit;
    std::vector<std::int32_t> script;
    std::vector<std::int32_t> bounds; // after the reseed
    std::string question;
    std::int32_t answer;
    std::array<std::int32_t, 3> decoys;
    std::int32_t slot;
    std::array<std::string, 4> candidates;

    friend void PrintTo(const ScriptRow& row, std::ostream* out) { *out << row.name; }
};

class ScriptedGenerationTest : public testing::TestWithParam<ScriptRow> {};

TEST_P(ScriptedGenerationTest, drawsShouldComeInTheFixedOrder)
{
    const ScriptRow& row = GetParam();
    ScriptedSource source(row.script);
    DrillState state{row.limit, 0};

    const Problem problem = GenerateProblem(row.kind, state, row.opening, source);

    std::vector<std::int32_t> expected{0};
    expected.insert(expected.end(), row.bounds.begin(), row.bounds.end());
    EXPECT_EQ(source.calls, expected);
    EXPECT_EQ(source.left(), 0U);
    EXPECT_EQ(problem.QuestionText, row.question);
    EXPECT_EQ(problem.Answer, row.answer);
    EXPECT_EQ(problem.Decoys, row.decoys);
    EXPECT_EQ(problem.CorrectSlot, row.slot);
    EXPECT_EQ(state.CorrectSlot, row.slot);
    EXPECT_EQ(state.RangeLimit, row.limit);
    EXPECT_EQ(problem.CandidateTexts, row.candidates);
}

using K = DrillKind;
INSTANTIATE_TEST_SUITE_P(Cases, ScriptedGenerationTest,
    testing::Values(
        ScriptRow{"additionRedrawsBothOperandsWhenTheSumExceedsTheLimit", K::Addition, false, 10,
            {9, 5, 6, 8, 3, 7, 4, 2, 2, 1},
            {10, 10, 10, 10, 10, 10, 10, 10, 10, 4},
            "3+7=", 10, {4, 2, 2}, 2, {"4", "10", "2", "2"}},
        ScriptRow{"additionTakesTheFirstPairAtLimitTwo", K::Addition, true, 2,
            {1, 1, 0, 1, 0, 3},
            {2, 2, 2, 2, 2, 4},
            "1+1=", 2, {0, 1, 0}, 4, {"0", "1", "0", "2"}},
        ScriptRow{"nextSubtractionDrawsItsFirstValueUpToTheLimit", K::Subtraction, false, 10,
            {10, 0, 3, 5, 7, 3},
            {11, 10, 10, 10, 10, 4},
            "10-0=", 10, {3, 5, 7}, 4, {"3", "5", "7", "10"}},
        ScriptRow{"openingSubtractionExchangesAndRedrawsDecoysEqualToTheAnswer", K::Subtraction, true, 10,
            {2, 8, 6, 6, 1, 0, 6, 9, 0},
            {10, 10, 10, 10, 10, 10, 10, 10, 4},
            "8-2=", 6, {1, 0, 9}, 1, {"6", "1", "0", "9"}},
        ScriptRow{"subtractionKeepsEqualOperands", K::Subtraction, false, 100000,
            {99999, 99999, 0, 0, 5, 7, 2, 2},
            {100001, 100000, 100000, 100000, 100000, 100000, 100000, 4},
            "99999-99999=", 0, {5, 7, 2}, 3, {"5", "7", "0", "2"}},
        ScriptRow{"largestQuestionHasThirteenCharacters", K::Subtraction, false, 100000,
            {100000, 99999, 0, 2, 3, 1},
            {100001, 100000, 100000, 100000, 100000, 4},
            "100000-99999=", 1, {0, 2, 3}, 2, {"0", "1", "2", "3"}}),
    [](const testing::TestParamInfo<ScriptRow>& info) { return std::string(info.param.name); });

// Every limit a window can be in, and whether an opening problem can be made there.
std::vector<std::int32_t> Limits()
{
    std::vector<std::int32_t> limits;
    for (const RangeOption& option : RangeOptions)
        limits.push_back(option.Limit);
    return limits;
}

bool IsAsciiQuestion(const std::string& text, char sign)
{
    return std::count(text.begin(), text.end(), sign) == 1 && text.back() == '='
        && std::all_of(text.begin(), text.end(),
            [&](char c) { return (c >= '0' && c <= '9') || c == sign || c == '='; });
}

// Checks what every problem made at limit L must satisfy.
void ExpectInvariants(const Problem& p, DrillKind kind, bool opening, std::int32_t limit, const DrillState& state)
{
    SCOPED_TRACE(p.QuestionText);
    ASSERT_GE(p.SecondOperand, 0);
    if (kind == DrillKind::Addition) {
        EXPECT_LE(p.FirstOperand, limit - 1);
        EXPECT_LE(p.SecondOperand, limit - 1);
        EXPECT_EQ(p.Answer, p.FirstOperand + p.SecondOperand);
        EXPECT_LE(p.Answer, limit);
    } else {
        EXPECT_LE(p.FirstOperand, opening ? limit - 1 : limit);
        EXPECT_LE(p.SecondOperand, limit - 1);
        EXPECT_GE(p.FirstOperand, p.SecondOperand);
        EXPECT_EQ(p.Answer, p.FirstOperand - p.SecondOperand);
    }
    const char sign = kind == DrillKind::Addition ? '+' : '-';
    EXPECT_EQ(p.QuestionText, std::to_string(p.FirstOperand) + sign + std::to_string(p.SecondOperand) + "=");
    EXPECT_TRUE(IsAsciiQuestion(p.QuestionText, sign));

    for (const std::int32_t decoy : p.Decoys) {
        EXPECT_GE(decoy, 0);
        EXPECT_LT(decoy, limit);
        EXPECT_NE(decoy, p.Answer);
    }
    ASSERT_GE(p.CorrectSlot, 1);
    ASSERT_LE(p.CorrectSlot, 4);
    EXPECT_EQ(state.CorrectSlot, p.CorrectSlot);

    const std::string answer = std::to_string(p.Answer);
    std::size_t decoy = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        const std::string& text = p.CandidateTexts[static_cast<std::size_t>(slot - 1)];
        if (slot == p.CorrectSlot)
            EXPECT_EQ(text, answer);
        else
            EXPECT_EQ(text, std::to_string(p.Decoys[decoy++]));
    }
    EXPECT_EQ(std::count(p.CandidateTexts.begin(), p.CandidateTexts.end(), answer), 1);
}

TEST(GeneratorSweepTest, everyProblemShouldMeetTheInvariantsOfItsCase)
{
    std::int32_t now = 0;
    RandomSource source([&now] { return now; });
    struct Case {
        DrillKind kind;
        bool opening;
        std::int32_t limit;
    };
    std::vector<Case> cases{{DrillKind::Addition, true, 10}, {DrillKind::Subtraction, true, 10}};
    for (const std::int32_t limit : Limits()) {
        cases.push_back({DrillKind::Addition, false, limit});
        cases.push_back({DrillKind::Subtraction, false, limit});
    }

    // Consecutive milliseconds from several times of day, the day's ends included.
    for (const Case& c : cases) {
        for (const std::int32_t start : {0, 21'600'000, 43'200'000, 86'399'000}) {
            for (now = start; now < start + 1000; ++now) {
                DrillState state{c.limit, 0};
                const Problem problem = GenerateProblem(c.kind, state, c.opening, source);
                ExpectInvariants(problem, c.kind, c.opening, c.limit, state);
                if (testing::Test::HasFailure()) {
                    FAIL() << (c.kind == DrillKind::Addition ? "addition" : "subtraction")
                           << (c.opening ? " opening" : " next") << ", limit " << c.limit << ", ms " << now;
                }
            }
        }
    }
}

// The questions seen over many clock readings, for a small limit where all can be listed.
std::set<std::string> QuestionsOver(DrillKind kind, bool opening, std::int32_t limit, int readings)
{
    std::int32_t now = 0;
    RandomSource source([&now] { return now; });
    std::set<std::string> seen;
    for (now = 0; now < readings; ++now) {
        DrillState state{limit, 0};
        seen.insert(GenerateProblem(kind, state, opening, source).QuestionText);
    }
    return seen;
}

TEST(GeneratorSweepTest, limitTwoShouldOfferExactlyTheListedQuestions)
{
    EXPECT_EQ(QuestionsOver(DrillKind::Addition, false, 2, 2000),
        (std::set<std::string>{"0+0=", "0+1=", "1+0=", "1+1="}));
    EXPECT_EQ(QuestionsOver(DrillKind::Subtraction, false, 2, 2000),
        (std::set<std::string>{"0-0=", "1-0=", "1-1=", "2-0=", "2-1="}));
}

TEST(GeneratorSweepTest, onlyANextSubtractionShouldReachTheLimitAsFirstOperand)
{
    const auto opening = QuestionsOver(DrillKind::Subtraction, true, 10, 5000);
    EXPECT_TRUE(std::none_of(opening.begin(), opening.end(), [](const std::string& q) { return q.starts_with("10-"); }));
    EXPECT_TRUE(QuestionsOver(DrillKind::Subtraction, false, 10, 5000).contains("10-0="));
    EXPECT_TRUE(QuestionsOver(DrillKind::Addition, true, 10, 5000).contains("3+7="));
}

TEST(GeneratorSweepTest, theSameMillisecondShouldGiveTheSameProblem)
{
    RandomSource source([] { return 31'415'926; });
    for (const DrillKind kind : {DrillKind::Addition, DrillKind::Subtraction}) {
        DrillState first{100, 0};
        DrillState second{100, 0};
        const Problem a = GenerateProblem(kind, first, false, source);
        const Problem b = GenerateProblem(kind, second, false, source);
        EXPECT_EQ(a.QuestionText, b.QuestionText);
        EXPECT_EQ(a.CandidateTexts, b.CandidateTexts);
        EXPECT_EQ(first.CorrectSlot, second.CorrectSlot);
    }
}

TEST(GeneratorSweepTest, openingAdditionAndSubtractionShouldShareTheirFirstTwoDraws)
{
    std::int32_t now = 0;
    RandomSource source([&now] { return now; });
    int firstPairTaken = 0;
    for (now = 50'000'000; now < 50'002'000; ++now) {
        DrillState additionState{10, 0};
        DrillState subtractionState{10, 0};
        const Problem addition = GenerateProblem(DrillKind::Addition, additionState, true, source);
        const Problem subtraction = GenerateProblem(DrillKind::Subtraction, subtractionState, true, source);

        RandomSource replay;
        replay.Seed(now);
        const std::int32_t x = replay.Below(10);
        const std::int32_t y = replay.Below(10);
        if (x + y > 10)
            continue;
        ++firstPairTaken;
        EXPECT_EQ(addition.FirstOperand, x);
        EXPECT_EQ(addition.SecondOperand, y);
        EXPECT_EQ(subtraction.FirstOperand, std::max(x, y));
        EXPECT_EQ(subtraction.SecondOperand, std::min(x, y));
    }
    EXPECT_GT(firstPairTaken, 1000);
}

TEST(GeneratorSweepTest, theProgramSourceShouldBeReseededFromItsClock)
{
    RandomSource& program = ProgramRandomSource();
    program.SetClock([] { return 7'000'000; });
    DrillState a{50, 0};
    DrillState b{50, 0};
    const Problem first = GenerateProblem(DrillKind::Addition, a, false);
    const Problem second = GenerateProblem(DrillKind::Addition, b, false);
    program.SetClock(SystemMillisecondOfDay);
    EXPECT_EQ(first.QuestionText, second.QuestionText);
    EXPECT_EQ(first.CandidateTexts, second.CandidateTexts);
}

} // namespace
} // namespace shulin
