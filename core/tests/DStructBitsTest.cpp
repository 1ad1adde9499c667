// TBitFld, TByteMatrix and TFifo: ranges, counting and searching, logic combination, random filling,
// change notification and the ring's full and empty states.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Random.h>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace qyx;

// ---- TBitFld ---------------------------------------------------------------------------------------

TEST(DStructBitFld, HoldsBitsZeroToSize) {
    TBitFld f(nullptr);
    EXPECT_EQ(f.GetSize(), 1000);
    EXPECT_EQ(f.FirstTrueBit(), -1);
    EXPECT_EQ(f.CountTrueBits(), 0);
    f.SetBit(1000, true);
    f.SetBit(1001, true);
    f.SetBit(-1, true);
    EXPECT_TRUE(f.GetBit(1000));
    EXPECT_FALSE(f.GetBit(1001));
    EXPECT_FALSE(f.GetBit(-1));
    EXPECT_EQ(f.CountTrueBits(), 1);
    EXPECT_EQ(f.FirstTrueBit(), 1000);
    f.SetBit(17, true);
    f.SetBit(3, true);
    EXPECT_EQ(f.FirstTrueBit(), 3);
    EXPECT_EQ(f.CountTrueBits(), 3);
    f.ToggleBit(3);
    f.ToggleBit(5000);
    EXPECT_EQ(f.FirstTrueBit(), 17);
    f.SetBit(17, false);
    EXPECT_EQ(f.FirstTrueBit(), 1000);
    f.Clear();
    EXPECT_EQ(f.CountTrueBits(), 0);
}

TEST(DStructBitFld, SizesAtByteBoundaries) {
    // Sizes whose last byte holds one, some or all eight bits of the field.
    for (int size : {1, 7, 8, 9, 15, 16, 17, 63, 64}) {
        SCOPED_TRACE(size);
        TBitFld f(nullptr);
        f.SetSize(size);
        f.Invert();
        EXPECT_EQ(f.CountTrueBits(), size + 1);
        EXPECT_EQ(f.FirstTrueBit(), 0);
        f.Invert();
        f.SetBit(size, true);
        EXPECT_EQ(f.CountTrueBits(), 1);
        EXPECT_EQ(f.FirstTrueBit(), size);
    }
}

TEST(DStructBitFld, SetSizeKeepsBitsAndAddsClearOnes) {
    TBitFld f(nullptr);
    f.SetSize(0);
    f.SetSize(-5);
    EXPECT_EQ(f.GetSize(), 1000);
    f.SetSize(1);
    EXPECT_EQ(f.GetSize(), 1);
    f.SetBit(0, true);
    f.SetBit(1, true);
    f.SetBit(2, true);
    EXPECT_EQ(f.CountTrueBits(), 2);
    // Inverting and filling work byte-wise and touch bits above Size; growing must not reveal them.
    f.Invert();
    f.SetSize(40);
    EXPECT_EQ(f.CountTrueBits(), 0);
    f.RandomFill(100);
    EXPECT_EQ(f.CountTrueBits(), 41);
    f.SetSize(10);
    f.SetSize(100);
    EXPECT_EQ(f.CountTrueBits(), 11);
    EXPECT_FALSE(f.GetBit(11));
}

TEST(DStructBitFld, CombineWith) {
    TBitFld a(nullptr), b(nullptr);
    a.SetSize(10);
    b.SetSize(10);
    const auto set = [](TBitFld& f, std::vector<int> bits) {
        f.Clear();
        for (int i : bits) f.SetBit(i, true);
    };
    struct Case {
        TLogicOp op;
        std::vector<int> expected;
    };
    // a = {1, 2}, b = {2, 3}
    const Case cases[] = {{loAND, {2}},
                          {loOR, {1, 2, 3}},
                          {loXOR, {1, 3}},
                          {loANDNot, {1}},
                          {loORNot, {0, 1, 2, 4, 5, 6, 7, 8, 9, 10}},
                          {loXORNot, {0, 2, 4, 5, 6, 7, 8, 9, 10}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.op));
        set(a, {1, 2});
        set(b, {2, 3});
        a.CombineWith(&b, c.op);
        std::vector<int> got;
        for (int i = 0; i <= 10; ++i)
            if (a.GetBit(i)) got.push_back(i);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(a.CountTrueBits(), static_cast<int>(c.expected.size()));
    }
    TBitFld other(nullptr); // Size 1000
    set(a, {1});
    a.CombineWith(&other, loXORNot);
    a.CombineWith(nullptr, loOR);
    EXPECT_EQ(a.CountTrueBits(), 1);
}

TEST(DStructBitFld, RandomFillSetsTheExactCount) {
    RandSeed = 12345;
    TBitFld f(nullptr);
    f.SetSize(10);
    const std::pair<double, int> cases[] = {
        {50, 5}, {60, 7}, {150, 11}, {100, 11},
        {0, 0},  {-3, 0}, {49.9, 5}, {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& [pct, count] : cases) {
        SCOPED_TRACE(pct);
        f.RandomFill(pct);
        EXPECT_EQ(f.CountTrueBits(), count);
    }
    // The same seed gives the same selection.
    TBitFld g(nullptr), h(nullptr);
    RandSeed = 7;
    h.RandomFill(30);
    RandSeed = 7;
    g.RandomFill(30);
    EXPECT_EQ(h.CountTrueBits(), 300);
    g.CombineWith(&h, loXOR);
    EXPECT_EQ(g.CountTrueBits(), 0);
}

// ---- TByteMatrix -----------------------------------------------------------------------------------

TEST(DStructByteMatrix, ResizeKeepsCellsAndNotifies) {
    TByteMatrix m(nullptr);
    int changes = 0;
    m.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &m);
        ++changes;
    };
    EXPECT_EQ(m.GetNrOfColumns(), 1);
    EXPECT_EQ(m.GetNrOfRows(), 1);
    m.SetByte(1, 1, 42);
    EXPECT_TRUE(m.Resize(3, 2));
    EXPECT_EQ(m.GetByte(1, 1), 42);
    EXPECT_EQ(m.GetByte(3, 2), 0);
    EXPECT_FALSE(m.Resize(3, 2));
    EXPECT_FALSE(m.Resize(0, 2));
    EXPECT_FALSE(m.Resize(3, -1));
    EXPECT_EQ(changes, 2);
    m.SetByte(3, 2, 7);
    m.SetByte(2, 1, 5);
    m.SetNrRows(0); // counts as 1
    EXPECT_EQ(m.GetNrOfRows(), 1);
    EXPECT_EQ(m.GetByte(2, 1), 5);
    EXPECT_EQ(m.GetByte(3, 2), 0);
    m.SetNrCols(5);
    EXPECT_EQ(m.GetNrOfColumns(), 5);
    EXPECT_EQ(m.GetByte(1, 1), 42);
}

TEST(DStructByteMatrix, BytesAndBitsOutOfRange) {
    TByteMatrix m(nullptr);
    m.Resize(2, 2);
    int changes = 0;
    m.OnChange = [&](TObject*) { ++changes; };
    m.SetByte(0, 1, 1);
    m.SetByte(3, 1, 1);
    m.SetBit(1, 1, 8, true);
    m.SetBit(1, 3, 0, true);
    m.ToggleBit(1, 1, -1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.GetByte(0, 0), 0);
    m.SetByte(1, 1, 0xFF);
    EXPECT_FALSE(m.GetBit(1, 1, 8));
    EXPECT_TRUE(m.GetBit(1, 1, 7));
    m.SetBit(2, 2, 0, true);
    m.SetBit(2, 2, 7, true);
    EXPECT_EQ(m.GetByte(2, 2), 0x81);
    m.ToggleBit(2, 2, 0);
    EXPECT_EQ(m.GetByte(2, 2), 0x80);
    m.SetBit(2, 2, 7, false);
    EXPECT_EQ(m.GetByte(2, 2), 0);
    m.Fill(3);
    EXPECT_EQ(m.GetByte(2, 1), 3);
    EXPECT_EQ(changes, 6);
}

TEST(DStructByteMatrix, CombineWith) {
    TByteMatrix a(nullptr), b(nullptr);
    a.Resize(2, 3);
    b.Resize(2, 3);
    a.Fill(0x0F);
    b.Fill(0x3C);
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.CombineWith(&b, loANDNot);
    EXPECT_EQ(a.GetByte(2, 3), 0x03);
    a.CombineWith(&b, loXORNot);
    EXPECT_EQ(a.GetByte(1, 1), 0xC0);
    b.Resize(3, 2);
    a.CombineWith(&b, loOR);
    EXPECT_EQ(a.GetByte(1, 1), 0xC0);
    EXPECT_EQ(changes, 0);
}

// ---- TFifo -----------------------------------------------------------------------------------------

TEST(DStructFifo, FullAndEmpty) {
    TFifo f(nullptr);
    EXPECT_EQ(f.GetSize(), 256);
    uint8_t b = 0;
    EXPECT_FALSE(f.GetByte(b));
    for (int i = 0; i < 255; ++i) ASSERT_TRUE(f.PutByte(static_cast<uint8_t>(i)));
    EXPECT_FALSE(f.PutByte(99));
    EXPECT_EQ(f.CountBytes(), 255);
    EXPECT_TRUE(f.ForceByte(200));
    EXPECT_EQ(f.CountBytes(), 255);
    ASSERT_TRUE(f.SenseByte(0, b));
    EXPECT_EQ(b, 1); // byte 0 was dropped
    ASSERT_TRUE(f.SenseByte(254, b));
    EXPECT_EQ(b, 200);
    EXPECT_FALSE(f.SenseByte(255, b));
    EXPECT_FALSE(f.SenseByte(-1, b));
    EXPECT_FALSE(f.LoadBack(7)); // no room in front of the oldest byte
    for (int i = 1; i < 255; ++i) {
        ASSERT_TRUE(f.GetByte(b));
        ASSERT_EQ(b, i);
    }
    ASSERT_TRUE(f.GetByte(b));
    EXPECT_EQ(b, 200);
    EXPECT_FALSE(f.GetByte(b));
    EXPECT_FALSE(f.ForceByte(1));
    EXPECT_EQ(f.CountBytes(), 1);
    f.Clear();
    EXPECT_EQ(f.CountBytes(), 0);
}

TEST(DStructFifo, SenseAndLoadBack) {
    TFifo f(nullptr);
    f.SetSize(4);
    for (uint8_t v : {10, 20, 30}) f.PutByte(v);
    uint8_t b = 0, sensed = 0;
    ASSERT_TRUE(f.GetByte(b));
    ASSERT_TRUE(f.GetByte(b));
    f.PutByte(40);
    f.PutByte(50); // the ring has wrapped
    ASSERT_TRUE(f.SenseByte(0, sensed));
    ASSERT_TRUE(f.GetByte(b));
    EXPECT_EQ(b, sensed);
    EXPECT_EQ(b, 30);
    EXPECT_TRUE(f.LoadBack(b));
    EXPECT_EQ(f.CountBytes(), 3);
    std::vector<uint8_t> all;
    while (f.GetByte(b)) all.push_back(b);
    EXPECT_EQ(all, (std::vector<uint8_t>{30, 40, 50}));
    // LoadBack on an empty ring at index 0 wraps to the end.
    f.Clear();
    EXPECT_TRUE(f.LoadBack(9));
    ASSERT_TRUE(f.GetByte(b));
    EXPECT_EQ(b, 9);
}

TEST(DStructFifo, SetSizeKeepsTheNewestBytes) {
    TFifo f(nullptr);
    for (int i = 1; i <= 10; ++i) f.PutByte(static_cast<uint8_t>(i));
    f.SetSize(0);
    f.SetSize(-1);
    EXPECT_EQ(f.GetSize(), 256);
    f.SetSize(5);
    EXPECT_EQ(f.CountBytes(), 4);
    uint8_t b = 0;
    std::vector<uint8_t> all;
    while (f.GetByte(b)) all.push_back(b);
    EXPECT_EQ(all, (std::vector<uint8_t>{7, 8, 9, 10}));
    f.PutByte(1);
    f.SetSize(100);
    ASSERT_TRUE(f.GetByte(b));
    EXPECT_EQ(b, 1);
    f.SetSize(1);
    EXPECT_FALSE(f.PutByte(1));
    EXPECT_FALSE(f.ForceByte(1));
    EXPECT_EQ(f.CountBytes(), 0);
}
