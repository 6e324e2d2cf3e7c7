#include "exercise/AttributeTimer.h"

#include <gtest/gtest.h>

namespace pestrol {
namespace {

// A millisecond counter the test moves; each reading costs `step` milliseconds.
struct TestClock {
    std::uint32_t now = 0;
    std::uint32_t step = 0;
    MillisecondClock Clock()
    {
        return [this] {
            const std::uint32_t t = now;
            now += step;
            return t;
        };
    }
};

// A target that differs from a new figure in every attribute.
Appearance DifferentEverywhere()
{
    Appearance t;
    t.Sex = kBoy;
    t.SleeveLength = kLong;
    t.BottomLength = kLong;
    t.BottomType = kBoysTrousers;
    t.ShoeType = kBoysShoes;
    t.Tie = true;
    t.HairPresent = false;
    t.Glasses = true;
    t.Headwear = true;
    t.Bag = true;
    t.HairLength = kLong;
    t.HairType = kBoysHair;
    t.ShoeColour = 0xFF00007D;
    t.BottomColour = 0xFFEC4D00;
    t.TopColour = 0xFF44A2FF;
    t.TieColour = 0xFF006211;
    t.HairColour = 0xFF070707;
    return t;
}

class Timing : public ::testing::Test {
protected:
    void Check() { TimeAttributes(pupil, target, mark, timers, clock.Clock()); }
    const AttributeTimer& Of(Attribute a) const { return timers[static_cast<int>(a)]; }

    Appearance pupil;
    Appearance target = DifferentEverywhere();
    TestClock clock;
    std::uint32_t mark = 1000;
    AttributeTimers timers{};
};

TEST_F(Timing, NothingRightLeavesEveryTimeAtMinusOne)
{
    clock.now = 5000;
    Check();
    for (const AttributeTimer& t : timers) {
        EXPECT_FALSE(t.matched);
        EXPECT_EQ(t.time, -1);
    }
    EXPECT_EQ(mark, 1000u);
}

TEST_F(Timing, AnAttributeBecomingRightTakesTheIntervalSinceTheMarkWhichMoves)
{
    clock.now = 4000;
    pupil.Glasses = true;
    Check();
    EXPECT_TRUE(Of(Attribute::Glasses).matched);
    EXPECT_EQ(Of(Attribute::Glasses).time, 3000);
    EXPECT_EQ(mark, 4000u);
    clock.now = 4500;
    Check();
    EXPECT_EQ(Of(Attribute::Glasses).time, 3000) << "still right: nothing added";
    pupil.Bag = true;
    clock.now = 6000;
    Check();
    EXPECT_EQ(Of(Attribute::Bag).time, 2000) << "measured from the glasses' moment";
}

TEST_F(Timing, RightWrongAndRightAgainSumsTwoIntervals)
{
    pupil.Tie = true;
    clock.now = 2000;
    Check();
    pupil.Tie = false;
    clock.now = 2500;
    Check();
    EXPECT_FALSE(Of(Attribute::Tie).matched);
    EXPECT_EQ(Of(Attribute::Tie).time, 1000);
    pupil.Glasses = true;
    clock.now = 3000;
    Check();
    pupil.Tie = true;
    clock.now = 7000;
    Check();
    EXPECT_EQ(Of(Attribute::Tie).time, 1000 + 4000);
}

TEST_F(Timing, SeveralRightAtOnceGiveTheFirstInOrderTheWholeInterval)
{
    target = Appearance{};  // the pupil's figure matches everything at once
    target.Sex = kBoy;
    clock.now = 9000;
    clock.step = 1;  // the readings themselves take a millisecond each
    Check();
    EXPECT_EQ(Of(Attribute::Sex).time, -1);
    EXPECT_EQ(Of(Attribute::SleeveLength).time, 8000);
    for (int i = 2; i < kAttributeCount; ++i)
        EXPECT_EQ(timers[i].time, 1) << "attribute " << i;
}

TEST_F(Timing, PlainEqualityEvenWhereTheWholeComparisonLooksAway)
{
    // Hair length without hair and tie colour without a tie are timed like the others.
    target = Appearance{};
    target.HairPresent = false;
    target.HairLength = kLong;
    pupil.HairPresent = false;
    clock.now = 1500;
    Check();
    EXPECT_FALSE(Of(Attribute::HairLength).matched);
    EXPECT_EQ(Of(Attribute::HairLength).time, -1);
    EXPECT_TRUE(Of(Attribute::TieColour).matched);
}

TEST_F(Timing, IntervalsSurviveTheCountersWrap)
{
    mark = 0xFFFFFF00u;
    clock.now = 0x100;
    pupil.Glasses = true;
    Check();
    EXPECT_EQ(Of(Attribute::Glasses).time, 0x200);
}

}  // namespace
}  // namespace pestrol
