// The random source, the fragment generators and the account format, with
// no window: the pump is counted, not run.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "accounts/account_format.h"
#include "accounts/fragments.h"
#include "accounts/pump.h"
#include "accounts/random.h"
#include "text/cp936.h"

namespace {

std::uint32_t g_tick = 0;
std::uint32_t FixedTick() { return g_tick; }
int g_pumps = 0;
void CountPump() { ++g_pumps; }

// A fresh program's random source on a fixed tick, and a counted pump.
class Fresh : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreRandomState({});
        g_tick = 1000;
        SetTickSource(&FixedTick);
        g_pumps = 0;
        SetPumpHook(&CountPump);
    }
    void TearDown() override {
        SetTickSource(nullptr);
        SetPumpHook(nullptr);
    }
};

using Random = Fresh;
using Fragments = Fresh;

TEST_F(Random, KnownSequenceFromStateOne) {
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) EXPECT_EQ(NextRandom(), expected);
}

TEST_F(Random, KnownSequenceAfterSeed1000) {
    SeedRandom();
    EXPECT_EQ(CurrentRandomState().generator, 1000u);
    for (int expected : {3304, 8221, 26849, 14038, 1509}) EXPECT_EQ(NextRandom(), expected);
    RestoreRandomState({0, 1000});
    for (int expected : {99, 102, 114}) EXPECT_EQ(RandomInRange(97, 122), expected);
}

TEST_F(Random, SeedsAccumulate) {
    const std::uint32_t seeds[] = {1000, 1332, 1484};
    const std::uint32_t accumulators[] = {332, 484, 788};
    for (int i = 0; i < 3; ++i) {
        SeedRandom();
        EXPECT_EQ(CurrentRandomState().generator, seeds[i]);
        EXPECT_EQ(CurrentRandomState().accumulator, accumulators[i]);
    }
}

TEST_F(Random, TickCountWraps) {
    RestoreRandomState({512, 1});
    g_tick = 0xFFFFFF00u;
    SeedRandom();
    EXPECT_EQ(CurrentRandomState().generator, 256u);
    EXPECT_EQ(CurrentRandomState().accumulator, 612u);
}

TEST_F(Random, RangeRules) {
    struct Case {
        std::int32_t lo, hi;        // the call
        std::int32_t sameAsLo, sameAsHi;  // behaves as this one
        bool steps;
    } cases[] = {
        {10, 1, 1, 10, true},
        {-7, 3, 0, 3, true},
        {-5, -1, 0, 0, false},
        {5, 5, 5, 5, false},
        {0, 2147483647, 0, 2147483647, true},
    };
    for (const Case& c : cases) {
        RestoreRandomState({0, 12345});
        const std::int32_t got = RandomInRange(c.lo, c.hi);
        const RandomState after = CurrentRandomState();
        RestoreRandomState({0, 12345});
        EXPECT_EQ(got, RandomInRange(c.sameAsLo, c.sameAsHi)) << c.lo << ".." << c.hi;
        EXPECT_EQ(after.generator, CurrentRandomState().generator);
        EXPECT_EQ(after.generator != 12345u, c.steps);
    }
    // The full range yields the raw draw; the default bounds are the full range.
    RestoreRandomState({0, 1});
    EXPECT_EQ(RandomInRange(0, 2147483647), 41);
    EXPECT_EQ(RandomInRange(), 18467);
    for (int i = 0; i < 10000; ++i) EXPECT_LE(RandomInRange(0, 100000), 32767);
}

TEST(RandomClock, TickSourceIsMonotonicMilliseconds) {
    const std::uint32_t a = MonotonicTickCount();
    const std::uint32_t b = MonotonicTickCount();
    EXPECT_LE(b - a, 1000u);
}

TEST_F(Fragments, FixedTickExample) {
    const Text letters = RandomLetters(3);
    const Text hanzi = RandomHanzi(2);
    const Text digits = RandomDigits(4);
    EXPECT_EQ(letters.view(), "cfr");
    EXPECT_EQ(hanzi.view(), "\xD8\xB7\xDA\xCD");
    EXPECT_EQ(DecodeCp936(hanzi.view()), u"胤谕");
    EXPECT_EQ(digits.view(), "4862");
    EXPECT_EQ(g_pumps, 3 + 2 + 4);
}

TEST_F(Fragments, CountsBelowOneSeedButMakeNothing) {
    for (std::int32_t count : {0, -1, -2147483647 - 1}) {
        for (auto generate : {&RandomLetters, &RandomHanzi, &RandomDigits}) {
            const RandomState before = CurrentRandomState();
            EXPECT_TRUE(generate(count).empty());
            const RandomState after = CurrentRandomState();
            EXPECT_NE(after.accumulator, before.accumulator);  // seeded once
            EXPECT_EQ(after.generator, g_tick + before.accumulator);  // and nothing drawn
        }
    }
    EXPECT_EQ(g_pumps, 0);
}

TEST_F(Fragments, OnePumpPerCharacter) {
    EXPECT_EQ(RandomLetters(1).size(), 1u);
    EXPECT_EQ(g_pumps, 1);
    EXPECT_EQ(RandomHanzi(1).size(), 2u);
    EXPECT_EQ(g_pumps, 2);
    EXPECT_EQ(RandomDigits(1000).size(), 1000u);
    EXPECT_EQ(g_pumps, 1002);
}

TEST_F(Fragments, OnlyTheirOwnCharacters) {
    for (int i = 0; i < 20; ++i) {
        g_tick += 7;
        const Text letters = RandomLetters(500);
        const Text digits = RandomDigits(500);
        for (unsigned char c : letters.view()) ASSERT_TRUE(c >= 'a' && c <= 'z');
        for (unsigned char c : digits.view()) ASSERT_TRUE(c >= '0' && c <= '9');
    }
}

TEST_F(Fragments, HanziAreTheGb2312Block) {
    // Every pair of the block is one defined ideograph.
    for (unsigned lead = 0xB0; lead <= 0xDA; ++lead) {
        for (unsigned trail = 0xB0; trail <= 0xDA; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string c = DecodeCp936(std::string_view(pair, 2));
            ASSERT_EQ(c.size(), 1u);
            EXPECT_TRUE(c[0] >= 0x4E00 && c[0] <= 0x9FFF) << std::hex << lead << trail;
        }
    }
    EXPECT_EQ(DecodeCp936("\xB0\xB0"), u"\u978D");
    EXPECT_EQ(DecodeCp936("\xDA\xDA"), u"\u8C2E");
    // A long draw yields only such pairs, and all 1849 of them.
    std::set<std::string> seen;
    for (int round = 0; round < 200 && seen.size() < 1849; ++round) {
        g_tick += 13;
        const Text hanzi = RandomHanzi(5000);
        ASSERT_EQ(hanzi.size(), 10000u);
        for (std::size_t i = 0; i < hanzi.size(); i += 2) {
            ASSERT_TRUE(hanzi[i] >= 0xB0 && hanzi[i] <= 0xDA && hanzi[i + 1] >= 0xB0 && hanzi[i + 1] <= 0xDA);
            seen.insert(std::string(hanzi.view().substr(i, 2)));
        }
    }
    EXPECT_EQ(seen.size(), 1849u);
}

TEST(AccountFormat, ChecksReadTheBoxesAfreshAndStopEarly) {
    struct Case {
        const char* boxes[3];
        FormatVerdict verdict;
        std::vector<int> reads;
    } cases[] = {
        // Each of the first four patterns stops at the Chinese box, the other four at the first.
        {{"", "3", "5"}, FormatVerdict::Valid, {0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0}},
        {{"", "", ""}, FormatVerdict::Blank, {0, 1, 2}},
        {{"0", "0", ""}, FormatVerdict::Blank, {0, 0, 0, 0, 0, 1, 2, 0, 1, 0, 1, 0, 1, 2}},
        {{"00", "0", "0"}, FormatVerdict::Valid, {0, 0, 0, 0, 0, 0, 0, 0}},
        {{" 0", "", ""}, FormatVerdict::Valid, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> reads;
        const FormatVerdict verdict = CheckFormat([&](int box, Text& out) {
            reads.push_back(box);
            out = Text::FromBytes(c.boxes[box]);
            return true;
        });
        EXPECT_EQ(verdict, c.verdict) << c.boxes[0] << "|" << c.boxes[1] << "|" << c.boxes[2];
        EXPECT_EQ(reads, c.reads) << c.boxes[0] << "|" << c.boxes[1] << "|" << c.boxes[2];
    }
    EXPECT_EQ(CheckFormat([](int, Text&) { return false; }), FormatVerdict::Unreadable);
}

TEST(AccountFormat, Lines) {
    const Text account = Text::FromBytes("ab1");
    const Text domain = Text::FromBytes("163.com");
    EXPECT_EQ(AccountLine(account, nullptr).view(), "ab1\r\n");
    EXPECT_EQ(AccountLine(account, &domain).view(), "ab1@163.com\r\n");
    const Text none;
    EXPECT_EQ(AccountLine(Text(), &none).view(), "@\r\n");
}

}  // namespace
