// Sorted insertion by bisection, the closest-position searches, identifier lookup and a random
// sequence of edits checked against the records after every step.
#include "GeoDBTestUtil.h"

#include <random>

namespace qyx::test {
namespace {

TEST(GeoDBIndex, EqualKeysGoInFrontOfTheEntryWhereBisectionStops) {
    TIxLLRecArray ix;
    const int expected[4] = {0, 0, 0, 1}; // 0-based positions of insertions 1..4
    for (int k = 0; k < 4; ++k) {
        ix.emplace_back();
        TGeoDB::SortIxInto(ix, {5.0f, k});
        int pos = -1;
        for (size_t j = 0; j < ix.size(); ++j)
            if (ix[j].RecNo == k) pos = static_cast<int>(j);
        EXPECT_EQ(pos, expected[k]) << "insertion " << k + 1;
    }
    TIxLLRecArray none;
    TGeoDB::SortIxInto(none, {1, 1}); // no free slot: nothing happens
    EXPECT_TRUE(none.empty());
}

TEST(GeoDBIndex, SortedInsertionKeepsOrder) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> d(-50, 50);
    TIxItemIDRecArray ids;
    TIxLLRecArray vals;
    for (int k = 0; k < 300; ++k) {
        ids.emplace_back();
        TGeoDB::SortIxItemIDInto(ids, {d(gen), k});
        vals.emplace_back();
        TGeoDB::SortIxInto(vals, {d(gen) * 0.25f, k});
    }
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end(), [](auto& a, auto& b) { return a.ItemID < b.ItemID; }));
    EXPECT_TRUE(std::is_sorted(vals.begin(), vals.end(), [](auto& a, auto& b) { return a.Value < b.Value; }));
}

class GeoDBSearch : public ::testing::Test {
protected:
    TGeoTempDir Dir;
    TGeoDB Db{nullptr};
    void SetUp() override { Db.SetDBName(Dir("ix")); }
};

TEST_F(GeoDBSearch, ClosestPositions) {
    EXPECT_EQ(Db.GetClosestLatLowIx(0), 1);
    EXPECT_EQ(Db.GetClosestItemIDIx(5), 1);
    EXPECT_EQ(Db.SearchForItemID(1), 0);
    EXPECT_EQ(Db.GetIxLatLow(1).RecNo, 0);
    const float lats[] = {10, 20, 30, 40};
    for (float lat : lats) Db.AddTown("t", 0, 0, {lat, -lat}, 0, 0);
    struct Case {
        double Key;
        int Pos;
    };
    const Case cases[] = {{-1, 1}, {10, 1}, {15, 2}, {20, 2}, {39.99, 4}, {40, 4}, {40.01, 5}, {1e9, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        EXPECT_EQ(Db.GetClosestLatLowIx(c.Key), c.Pos);
        EXPECT_EQ(Db.GetClosestLatHighIx(c.Key), c.Pos);
        EXPECT_EQ(Db.GetClosestLongHighIx(-c.Key) + Db.GetClosestLatLowIx(c.Key) - 6,
                  Db.GetIxLatLow(c.Pos).Value == c.Key ? -1 : 0); // the mirror image
    }
    // A Single edge compared with a Double key: 0.1f is not 0.1.
    Db.AddTown("f", 0, 0, {0.1f, 0}, 0, 0);
    EXPECT_EQ(Db.GetIxLatLow(Db.GetClosestLatLowIx(0.1f)).Value, 0.1f);
    EXPECT_EQ(Db.GetClosestItemIDIx(3), 3);
    EXPECT_EQ(Db.GetClosestItemIDIx(6), 6);
    // Positions are clamped; entries carry 1-based item numbers.
    EXPECT_EQ(Db.GetIxItemID(0).ItemID, 1);
    EXPECT_EQ(Db.GetIxItemID(99).ItemID, 5);
    EXPECT_EQ(Db.GetIxItemID(99).RecNo, 5);
    EXPECT_EQ(Db.GetIxLongHigh(1).Value, -40.0f);
    EXPECT_EQ(Db.GetIxLongHigh(1).RecNo, 4);
}

TEST_F(GeoDBSearch, RandomEditsKeepIndexesInStep) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> lat(-90, 90), lon(-180, 180);
    std::vector<int> ids; // identifier per item number
    for (int step = 0; step < 400; ++step) {
        const int op = static_cast<int>(gen() % 10);
        const int n = Db.GetNumEntries();
        if (op < 6 || n == 0) {
            // Coarse coordinates so that equal keys are common.
            Db.AddTown("t", 0, 0, {std::round(lat(gen) / 10) * 10, std::round(lon(gen) / 30) * 30}, 0, 0);
            ids.push_back(Db.GetLastItemID());
        } else if (op < 8) {
            const int r = static_cast<int>(gen() % n) + 1;
            Db.DeleteData(r);
            ids[static_cast<size_t>(r - 1)] = ids.back();
            ids.pop_back();
        } else {
            const int r = static_cast<int>(gen() % n) + 1;
            Db.ReplaceRiver(r, "r", {{lat(gen), lon(gen)}, {lat(gen), lon(gen)}}, 0, 0, 0, 0, 0, 0, 0, 0);
        }
        if (step % 50 == 0) Db.SetLazyWrite(step % 100 == 0);
        ASSERT_TRUE(IndexesMatch(Db)) << "step " << step;
    }
    for (size_t k = 0; k < ids.size(); ++k) EXPECT_EQ(Db.SearchForItemID(ids[k]), static_cast<int>(k) + 1);
    Db.SetLazyWrite(false);
    TGeoDB fresh(nullptr);
    fresh.SetDBName(Dir("ix"));
    EXPECT_TRUE(IndexesMatch(fresh));
    for (int p = 1; p <= fresh.GetNumEntries(); ++p) {
        EXPECT_EQ(fresh.GetIxLatLow(p).RecNo, Db.GetIxLatLow(p).RecNo);
        EXPECT_EQ(fresh.GetIxItemID(p).RecNo, Db.GetIxItemID(p).RecNo);
    }
}

TEST_F(GeoDBSearch, LazyAdditionsGiveTheSameIndexesAsOneByOne) {
    TGeoDB eager(nullptr);
    eager.SetDBName(Dir("eager"));
    Db.SetLazyWrite(true);
    std::mt19937 gen(3);
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < 150; ++k) {
            const TSCoords c{float(gen() % 20) - 10, float(gen() % 40) - 20};
            Db.AddTown("t", 0, k, c, 0, 0);
            eager.AddTown("t", 0, k, c, 0, 0);
        }
        if (round == 1) Db.DeleteData(7); // uses the indexes in the middle of a lazy run
        if (round == 1) eager.DeleteData(7);
        SCOPED_TRACE(round);
        ASSERT_TRUE(IndexesMatch(Db));
        for (int p = 1; p <= Db.GetNumEntries(); ++p) {
            EXPECT_EQ(Db.GetIxLatLow(p).Value, eager.GetIxLatLow(p).Value);
            EXPECT_EQ(Db.GetIxLongHigh(p).Value, eager.GetIxLongHigh(p).Value);
            EXPECT_EQ(Db.GetIxItemID(p).RecNo, eager.GetIxItemID(p).RecNo);
        }
        for (double key : {-10.0, -3.0, 0.5, 9.0})
            EXPECT_EQ(Db.GetIxLatLow(Db.GetClosestLatLowIx(key)).Value,
                      eager.GetIxLatLow(eager.GetClosestLatLowIx(key)).Value);
    }
    Db.SetLazyWrite(false);
    for (int i = 2; i < 7; ++i) {
        const auto a = ReadBytes(Dir("ix") + GeoExts[i]);
        EXPECT_EQ(a.size(), ReadBytes(Dir("eager") + GeoExts[i]).size());
    }
    EXPECT_EQ(ReadBytes(Dir("ix.qyxgds")), ReadBytes(Dir("eager.qyxgds")));
}

} // namespace
} // namespace qyx::test
