#include <gtest/gtest.h>

#include "core/Machine.h"

using namespace lc;

TEST(Machine, AnUnknownCodeLeavesTheCurrentMachineAsItWas) {
    std::vector<MachineRecord> list = MachineModels();
    MachineRecord current;
    ASSERT_TRUE(SelectCurrentMachine(list, 101, current));
    EXPECT_FALSE(SelectCurrentMachine(list, 7, current));
    EXPECT_EQ(current.Code, 101);
    list.clear();
    EXPECT_EQ(current.Needles, 150); // a copy, valid after the list is gone
}

TEST(Machine, NeedleBitsAreMostSignificantFirst) {
    NeedleRow row{};
    SetNeedleBit(row.data(), 0);
    SetNeedleBit(row.data(), 9);
    EXPECT_EQ(row[0], 0x80);
    EXPECT_EQ(row[1], 0x40);
    EXPECT_TRUE(TestNeedleBit(row.data(), 9));
    EXPECT_FALSE(TestNeedleBit(row.data(), 8));
    // Needles past the row are ignored rather than written beyond it.
    SetNeedleBit(row.data(), kMaxNeedles);
    SetNeedleBit(row.data(), -1);
    EXPECT_FALSE(TestNeedleBit(row.data(), kMaxNeedles));
    EXPECT_FALSE(TestNeedleBit(row.data(), -1));
}

TEST(Machine, MirrorAt200MovesNeedleZeroTo199AndLeavesTheTailAlone) {
    NeedleRow row{};
    SetNeedleBit(row.data(), 0);
    SetNeedleBit(row.data(), 37);
    for (int b = 26; b < kNeedleRowBytes; ++b) row[b] = static_cast<uint8_t>(0xA0 + b);
    MirrorNeedleRow(row.data(), 200);
    EXPECT_TRUE(TestNeedleBit(row.data(), 199));
    EXPECT_TRUE(TestNeedleBit(row.data(), 162));
    EXPECT_FALSE(TestNeedleBit(row.data(), 0));
    EXPECT_FALSE(TestNeedleBit(row.data(), 37));
    for (int b = 26; b < kNeedleRowBytes; ++b) EXPECT_EQ(row[b], 0xA0 + b) << b;
}

TEST(Machine, MirrorTwiceRestoresEveryWidth) {
    for (int w : {1, 7, 8, 150, 199, 250, 256, 320}) {
        NeedleRow row{};
        for (int n = 0; n < w; n += 3) SetNeedleBit(row.data(), n);
        const NeedleRow before = row;
        MirrorNeedleRow(row.data(), w);
        MirrorNeedleRow(row.data(), w);
        EXPECT_EQ(row, before) << w;
    }
}

TEST(Machine, CountColorsCountsBits0To15) {
    EXPECT_EQ(CountColors(0x8001), 2);
    EXPECT_EQ(CountColors(0x18000), 1);
}
