#include "sweep.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace shulin::sweep {
namespace {

using K = DrillKind;

// A correct problem and its state, to break one rule at a time.
struct Fixture {
    SweepCase c;
    Problem problem;
    DrillState state;
};

Fixture AdditionAtTen()
{
    Problem p{3, 7, 10, {4, 2, 2}, 2, "3+7=", {"4", "10", "2", "2"}};
    return {{K::Addition, false, 10}, p, {10, 2}};
}

Fixture NextSubtractionAtTen()
{
    Problem p{10, 0, 10, {3, 5, 7}, 4, "10-0=", {"3", "5", "7", "10"}};
    return {{K::Subtraction, false, 10}, p, {10, 4}};
}

struct BreakRow {
    const char* name;
    Fixture (*make)();
    void (*breakIt)(Fixture&);
    const char* rule; // part of the report; empty: the problem keeps every rule

    friend void PrintTo(const BreakRow& row, std::ostream* out) { *out << row.name; }
};

class CheckProblemTest : public testing::TestWithParam<BreakRow> {};

TEST_P(CheckProblemTest, shouldReportTheBrokenRule)
{
    const BreakRow& row = GetParam();
    Fixture f = row.make();
    row.breakIt(f);
    const std::string report = CheckProblem(f.problem, f.c, f.state);
    if (std::string(row.rule).empty())
        EXPECT_EQ(report, "");
    else
        EXPECT_NE(report.find(row.rule), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckProblemTest,
    testing::Values(
        BreakRow{"sumAtTheLimitIsKept", AdditionAtTen, [](Fixture&) {}, ""},
        BreakRow{"limitMinusZeroIsKeptForANextSubtraction", NextSubtractionAtTen, [](Fixture&) {}, ""},
        BreakRow{"limitAsFirstOperandOfAnOpeningSubtraction", NextSubtractionAtTen,
            [](Fixture& f) { f.c.opening = true; }, "first operand exceeds 9"},
        BreakRow{"sumOverTheLimit", AdditionAtTen,
            [](Fixture& f) {
                f.problem = {4, 7, 11, {4, 2, 2}, 2, "4+7=", {"4", "11", "2", "2"}};
            },
            "sum exceeds"},
        BreakRow{"operandsNotExchanged", NextSubtractionAtTen,
            [](Fixture& f) {
                f.problem = {0, 3, 3, {4, 5, 7}, 4, "0-3=", {"4", "5", "7", "3"}};
            },
            "first operand is less"},
        BreakRow{"negativeAnswer", NextSubtractionAtTen,
            [](Fixture& f) {
                f.problem = {0, 3, -3, {4, 5, 7}, 4, "0-3=", {"4", "5", "7", "-3"}};
            },
            "negative"},
        BreakRow{"decoyAtTheLimit", AdditionAtTen,
            [](Fixture& f) { f.problem.Decoys[1] = 10; }, "decoy lies outside 0 to 9"},
        BreakRow{"decoyRepeatsTheAnswerInsideTheRange", NextSubtractionAtTen,
            [](Fixture& f) {
                f.problem = {7, 2, 5, {3, 5, 7}, 4, "7-2=", {"3", "5", "7", "5"}};
            },
            "decoy equals the answer"},
        BreakRow{"answerInAnotherSlotThanTheState", AdditionAtTen, [](Fixture& f) { f.state.CorrectSlot = 1; },
            "state holds slot 1"},
        BreakRow{"decoysOutOfTheirDrawnOrder", NextSubtractionAtTen,
            [](Fixture& f) { f.problem.CandidateTexts = {"5", "3", "7", "10"}; }, "not the next decoy"},
        BreakRow{"answerMissingFromItsSlot", AdditionAtTen,
            [](Fixture& f) { f.problem.CandidateTexts[1] = std::string("9"); }, "does not hold the answer"},
        BreakRow{"leadingZero", AdditionAtTen, [](Fixture& f) { f.problem.QuestionText = std::string("03+7="); }, "question"},
        BreakRow{"fullWidthSign", AdditionAtTen, [](Fixture& f) { f.problem.QuestionText = std::string("3＋7="); }, "question"},
        BreakRow{"subtractionSignInAnAddition", AdditionAtTen, [](Fixture& f) { f.problem.QuestionText = std::string("3-7="); },
            "question"},
        BreakRow{"spaceInACandidate", AdditionAtTen, [](Fixture& f) { f.problem.CandidateTexts[0] = std::string(" 4"); },
            "plain decimal"},
        BreakRow{"limitChangedByTheGenerator", AdditionAtTen, [](Fixture& f) { f.state.RangeLimit = 20; },
            "limit changed"}),
    [](const testing::TestParamInfo<BreakRow>& info) { return std::string(info.param.name); });

// Draws always 0 from whatever range: at any limit the decoy loop, which needs a value other
// than the answer 0+0, never ends.
class StuckSource final : public DrawSource {
public:
    void Reseed() override {}
    std::int32_t Below(std::int32_t) override { return 0; }
};

// Answers n - 1 and n by turns: every second draw is one past the largest value allowed.
class OverSource final : public DrawSource {
public:
    void Reseed() override {}
    std::int32_t Below(std::int32_t n) override { return n - 1 + last_++ % 2; }

private:
    int last_ = 0;
};

TEST(MakeAndCheckTest, aLoopThatNeverEndsShouldBeReportedNotHang)
{
    StuckSource source;
    const ProblemCheck check = MakeAndCheck({K::Addition, false, 2}, source);
    EXPECT_EQ(check.draws, kDrawCap + 1);
    EXPECT_NE(check.violation.find("did not end"), std::string::npos) << check.violation;
}

TEST(MakeAndCheckTest, aDrawOutsideItsRangeShouldBeReported)
{
    OverSource source;
    const ProblemCheck check = MakeAndCheck({K::Subtraction, false, 100000}, source);
    EXPECT_NE(check.violation.find("Below(100000) gave 100000"), std::string::npos) << check.violation;
}

TEST(SweepRangeTest, aStretchShouldGiveWhatItsTwoHalvesGive)
{
    for (const SweepCase& c : {SweepCase{K::Addition, false, 2}, SweepCase{K::Subtraction, true, 10}}) {
        const CaseResult whole = SweepRange(c, 0, 3000, 7);
        CaseResult halves = SweepRange(c, 0, 1500, 7);
        halves.Merge(SweepRange(c, 1500, 3000, 7));

        EXPECT_EQ(whole.problems, 429); // 0, 7, ..., 2996
        EXPECT_EQ(whole.violations, 0) << whole.firstViolation;
        EXPECT_GE(whole.maxDraws, 6);
        EXPECT_EQ(whole.maxDrawsAt % 7, 0);
        EXPECT_EQ(halves.problems, whole.problems);
        EXPECT_EQ(halves.totalDraws, whole.totalDraws);
        EXPECT_EQ(halves.maxDraws, whole.maxDraws);
        EXPECT_EQ(halves.maxDrawsAt, whole.maxDrawsAt);
    }
}

TEST(SweepRangeTest, theLastMillisecondOfTheDayShouldBeSwept)
{
    const CaseResult last = SweepRange({K::Addition, false, 100000}, kDayMilliseconds - 1, kDayMilliseconds, 1);
    EXPECT_EQ(last.problems, 1);
    EXPECT_EQ(last.violations, 0) << last.firstViolation;
}

TEST(AllCasesTest, shouldListBothOpeningsAndEveryLimitForEachKind)
{
    const std::vector<SweepCase> cases = AllCases();
    ASSERT_EQ(cases.size(), 40U);
    std::set<std::string> names;
    for (const SweepCase& c : cases) {
        names.insert(CaseName(c));
        EXPECT_TRUE(!c.opening || c.limit == 10);
    }
    EXPECT_EQ(names.size(), 40U);
    EXPECT_TRUE(names.contains("addition opening 10"));
    EXPECT_TRUE(names.contains("subtraction opening 10"));
    EXPECT_TRUE(names.contains("subtraction next 100000"));
}

} // namespace
} // namespace shulin::sweep
