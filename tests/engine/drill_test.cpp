#include "drill.h"

#include <gtest/gtest.h>

#include <string>

namespace shulin {
namespace {

struct OptionRow {
    const char* name;
    int option;
    std::int32_t limit;
    std::string readout;

    friend void PrintTo(const OptionRow& row, std::ostream* out) { *out << row.name; }
};

class RangeOptionTest : public testing::TestWithParam<OptionRow> {};

TEST_P(RangeOptionTest, chooseRangeShouldStoreTheLimitAndAnswerThePrefixedCaption)
{
    const OptionRow& row = GetParam();
    DrillState state;
    SetUpDrillState(state);
    state.CorrectSlot = 3;

    EXPECT_EQ(ChooseRange(state, row.option), row.readout);
    EXPECT_EQ(state.RangeLimit, row.limit);
    EXPECT_EQ(state.CorrectSlot, 3) << "a range choice leaves the problem on show alone";

    EXPECT_EQ(ChooseRange(state, row.option), row.readout) << "choosing again changes nothing";
    EXPECT_EQ(state.RangeLimit, row.limit);
}

INSTANTIATE_TEST_SUITE_P(AllNineteen, RangeOptionTest,
    testing::Values(
        OptionRow{"two", 1, 2, "范围是2"}, OptionRow{"three", 2, 3, "范围是3"},
        OptionRow{"four", 3, 4, "范围是4"}, OptionRow{"five", 4, 5, "范围是5"},
        OptionRow{"six", 5, 6, "范围是6"}, OptionRow{"seven", 6, 7, "范围是7"},
        OptionRow{"eight", 7, 8, "范围是8"}, OptionRow{"nine", 8, 9, "范围是9"},
        OptionRow{"ten", 9, 10, "范围是10"}, OptionRow{"twenty", 10, 20, "范围是20"},
        OptionRow{"thirty", 11, 30, "范围是30"}, OptionRow{"forty", 12, 40, "范围是40"},
        OptionRow{"fifty", 13, 50, "范围是50"}, OptionRow{"sixty", 14, 60, "范围是60"},
        OptionRow{"seventy", 15, 70, "范围是70"}, OptionRow{"eighty", 16, 80, "范围是80"},
        OptionRow{"ninety", 17, 90, "范围是90"}, OptionRow{"hundred", 18, 100, "范围是100"},
        OptionRow{"overHundredSetsHundredThousand", 19, 100000, "范围是>100"}),
    [](const testing::TestParamInfo<OptionRow>& info) { return std::string(info.param.name); });

TEST(DrillStateTest, freshStateShouldHoldLimitTenWithTheReadoutOfOptionNine)
{
    DrillState state{100000, 4};
    const std::string readout = SetUpDrillState(state);

    EXPECT_EQ(state.RangeLimit, 10);
    EXPECT_EQ(state.CorrectSlot, 0);
    EXPECT_EQ(readout, "范围是10");
    DrillState other;
    EXPECT_EQ(readout, ChooseRange(other, 9));
}

TEST(DrillStateTest, checkPickShouldBeRightForTheCorrectSlotOnly)
{
    for (int correct = 1; correct <= 4; ++correct) {
        const DrillState state{10, correct};
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(CheckPick(state, slot), slot == correct ? Verdict::Right : Verdict::Wrong)
                << "correct slot " << correct << ", pick " << slot;
        }
    }
}

} // namespace
} // namespace shulin
