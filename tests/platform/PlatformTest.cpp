#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Rect.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>
#include <vector>

namespace pestrol {
namespace {

std::vector<int> Draws(unsigned seed, int count)
{
    Srand(seed);
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
        v.push_back(Rand());
    return v;
}

TEST(Random, TheSameSeedRepeatsTheSequence)
{
    EXPECT_EQ(Draws(1796000000u, 50), Draws(1796000000u, 50));
    EXPECT_NE(Draws(1796000000u, 50), Draws(1796000001u, 50));
    EXPECT_NE(Draws(0, 50), Draws(1, 50));
}

TEST(Random, DrawsStayWithinTheCRuntimeRangeAndReachItsEnds)
{
    Srand(12345);
    int low = kRandMax, high = 0;
    std::set<int> distinct;
    for (int i = 0; i < 200000; ++i) {
        const int r = Rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRandMax);
        low = std::min(low, r);
        high = std::max(high, r);
        distinct.insert(r);
    }
    EXPECT_LT(low, 10);
    EXPECT_GT(high, kRandMax - 10);
    EXPECT_GT(distinct.size(), 32000u);
}

TEST(Random, FirstDrawsOfConsecutiveSecondsAreNotInStep)
{
    // Seeds one second apart must not give first draws that climb in a line, as a plain
    // linear congruential generator's do.
    int rises = 0;
    Srand(1796000000u);
    int previous = Rand();
    for (unsigned s = 1796000001u; s < 1796001001u; ++s) {
        Srand(s);
        const int r = Rand();
        rises += r > previous;
        previous = r;
    }
    EXPECT_GT(rises, 400);
    EXPECT_LT(rises, 600);
}

TEST(Clock, TicksAndCounterAdvance)
{
    const std::uint32_t ticks = TickCount();
    const std::uint64_t counter = PerformanceCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = TickCount() - ticks;
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 5000u);
    const double seconds = double(PerformanceCounter() - counter) / double(PerformanceFrequency());
    EXPECT_GT(seconds, 0.025);
    EXPECT_LT(seconds, 5.0);
    const std::time_t now = CalendarSeconds();
    EXPECT_GT(now, std::time_t{1700000000});
}

TEST(Utf8, RoundTripsTheSystemsTexts)
{
    for (const wchar_t* text : {L"", L"00517 Тренажер «Пестроль»", L"Ёжик ё", L"ASCII ~\t\n",
                                    L"Әлия Қасымова", L"Zoë Ørsted", L"\U0001F600 smile"}) {
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    }
    EXPECT_EQ(ToUtf8(L"«Пол»"), "\xC2\xAB\xD0\x9F\xD0\xBE\xD0\xBB\xC2\xBB");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters)
{
    struct Case {
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"a\xFF" "b", L"a\uFFFDb"},
        {"\xD0", L"\uFFFD"},                       // cut short
        {"\xC0\xAF", L"\uFFFD\uFFFD"},             // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},   // a surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xE2\x82", L"\uFFFD\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FromUtf8(c.bytes), c.text) << c.bytes.size();
    EXPECT_EQ(ToUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Rect, EdgesAreInclusiveLeftAndTopExclusiveRightAndBottom)
{
    const Rect r{10, 20, 30, 40};
    EXPECT_TRUE(r.Contains(10, 20));
    EXPECT_FALSE(r.Contains(30, 20));
    EXPECT_FALSE(r.Contains(10, 40));
    EXPECT_TRUE(r.Contains(29, 39));
    EXPECT_EQ(r.Intersect({25, 35, 50, 50}), (Rect{25, 35, 30, 40}));
    EXPECT_TRUE(r.Intersect({30, 20, 50, 50}).IsEmpty());
    EXPECT_EQ(r.Offset(-10, 5), (Rect{0, 25, 20, 45}));
}

}  // namespace
}  // namespace pestrol
