// TDataTable: sizes, names, states, attributes, comment, notifications, sorting and copies.
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <qyx/QYX_datatable.h>

using namespace qyx;

namespace {

// Records every notification of a table.
struct TRecorder {
    int changes = 0;
    std::vector<std::vector<int>> resizes;
    std::vector<std::tuple<int, int, int, int, int>> exchanges; // what, i1, i2, first, last

    explicit TRecorder(TDataTable& t) {
        t.OnChange = [this](TObject*) { ++changes; };
        t.OnResize = [this](TObject*, int oc, int orr, int nc, int nr) {
            resizes.push_back({oc, orr, nc, nr});
        };
        t.OnSortExchange = [this](TObject*, uint8_t what, int i1, int i2, int first, int last) {
            exchanges.emplace_back(what, i1, i2, first, last);
        };
    }
};

// A 4 x 3 table; column c is named "C<c>", has attribute c, and cell (c, r) holds c * 10 + r with
// state c; row 2 gets the sort keys given.
void Fill(TDataTable& t, const std::vector<double>& keys) {
    t.Resize(static_cast<int>(keys.size()), 3);
    for (int c = 1; c <= t.GetNrOfColumns(); ++c) {
        t.SetColName(c, "C" + std::to_string(c));
        t.SetColAttrib(c, static_cast<uint8_t>(c));
        for (int r = 1; r <= 3; ++r) {
            t.SetElem(c, r, c * 10 + r);
            t.SetCellState(c, r, static_cast<uint8_t>(c));
        }
        t.SetElem(c, 2, keys[static_cast<size_t>(c - 1)]);
    }
}

std::vector<double> Row(const TDataTable& t, int r) {
    std::vector<double> v;
    for (int c = 1; c <= t.GetNrOfColumns(); ++c) v.push_back(t.GetElem(c, r));
    return v;
}

} // namespace

TEST(DataTable, ResizeKeepsEverythingSharedAndNotifies) {
    TDataTable t;
    TRecorder rec(t);
    EXPECT_EQ(t.GetNrOfColumns(), 0);
    t.Resize(3, 4);
    ASSERT_EQ(rec.resizes.size(), 1u);
    EXPECT_EQ(rec.resizes[0], (std::vector<int>{0, 0, 3, 4}));
    t.SetElem(2, 3, 1.5);
    t.SetCellState(2, 3, 0x41);
    t.SetColName(2, "mass");
    t.SetRowName(3, "third");
    t.SetColAttrib(2, 7);
    t.SetRowAttrib(3, 9);

    t.Resize(5, 3);
    EXPECT_EQ(rec.resizes.back(), (std::vector<int>{3, 4, 5, 3}));
    EXPECT_EQ(t.GetElem(2, 3), 1.5);
    EXPECT_EQ(t.GetCellState(2, 3), 0x41);
    EXPECT_EQ(t.GetColName(2), "mass");
    EXPECT_EQ(t.GetRowName(3), "third");
    EXPECT_EQ(t.GetColAttrib(2), 7);
    EXPECT_EQ(t.GetRowAttrib(3), 9);
    EXPECT_EQ(t.GetElem(5, 3), 0.0);
    EXPECT_EQ(t.GetCellState(5, 3), 0);
    EXPECT_EQ(t.GetColName(5), "");
    EXPECT_EQ(t.GetMatrix()->GetNrOfColumns(), 5);

    t.Resize(1, 1); // what falls off is gone when the table grows again
    t.Resize(3, 4);
    EXPECT_EQ(t.GetElem(2, 3), 0.0);
    EXPECT_EQ(t.GetColName(2), "");
    EXPECT_EQ(t.GetCellState(2, 3), 0);

    const size_t before = rec.resizes.size();
    t.Resize(3, 4);
    EXPECT_EQ(rec.resizes.size(), before); // same size: no notification
    t.Resize(-2, 2);
    EXPECT_EQ(t.GetNrOfColumns(), 0);
}

TEST(DataTable, DataChangesNotifyStatesDoNot) {
    TDataTable t(3, 4);
    TRecorder rec(t);
    t.SetElem(1, 1, 2);
    t.SetColName(1, "x");
    t.SetRowName(1, "y");
    t.SetColAttrib(1, 1);
    t.SetRowAttrib(1, 1);
    t.SetFComment("measured 2024");
    EXPECT_EQ(rec.changes, 6);
    EXPECT_EQ(t.GetComment(), "measured 2024");

    t.SetCellState(1, 1, 0x80);
    t.SetAllCellStates(0x40);
    t.GetMatrix()->Fill(3.0); // direct access to the values: no notification
    EXPECT_EQ(rec.changes, 6);
    EXPECT_EQ(t.GetCellState(3, 4), 0x40);
    EXPECT_EQ(t.GetElem(3, 4), 3.0);
}

TEST(DataTable, StateBitZeroFollowsNaNValues) {
    TDataTable t(2, 2);
    t.SetCellState(1, 1, 0xC0); // both marks
    t.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(t.GetCellState(1, 1), 0xC0 | cstNotANumber);
    t.SetElem(1, 1, 2.5);
    EXPECT_EQ(t.GetCellState(1, 1), 0xC0);
    EXPECT_EQ(t.GetCellState(2, 2), 0);
}

TEST(DataTable, OutsideTheTableNothingHappens) {
    TDataTable t(2, 2);
    TRecorder rec(t);
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-5, 99}}) {
        SCOPED_TRACE(testing::Message() << c << "," << r);
        t.SetElem(c, r, 5);
        t.SetCellState(c, r, 1);
        EXPECT_EQ(t.GetElem(c, r), 0.0);
        EXPECT_EQ(t.GetCellState(c, r), 0);
    }
    t.SetColName(3, "x");
    t.SetRowName(0, "x");
    t.SetColAttrib(-1, 1);
    t.SetRowAttrib(3, 1);
    EXPECT_EQ(t.GetColName(3), "");
    EXPECT_EQ(t.GetRowAttrib(3), 0);
    EXPECT_EQ(rec.changes, 0);
}

TEST(DataTable, NamesAreCutToFiftyCharacters) {
    TDataTable t(1, 1);
    const std::string sixty(60, 'n');
    t.SetColName(1, sixty);
    t.SetRowName(1, sixty);
    EXPECT_EQ(t.GetColName(1), std::string(50, 'n'));
    EXPECT_EQ(t.GetRowName(1).size(), 50u);
    t.SetColName(1, "short");
    EXPECT_EQ(t.GetColName(1), "short");
}

TEST(DataTable, SortColumnsByARow) {
    TDataTable t;
    Fill(t, {3, 1, 4, 2});
    TRecorder rec(t);
    // Per-column display data, kept in step by the exchange notification as the table editor does.
    std::vector<int> decPlaces{0, 1, 2, 3, 4}; // index 0 unused
    t.OnSortExchange = [&, old = t.OnSortExchange](TObject* s, uint8_t w, int a, int b, int f, int l) {
        old(s, w, a, b, f, l);
        if (w == exColumns) std::swap(decPlaces[static_cast<size_t>(a)], decPlaces[static_cast<size_t>(b)]);
    };

    t.SortCols(2, true, 1, 1, 4, 3, true);
    EXPECT_EQ(Row(t, 2), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(Row(t, 1), (std::vector<double>{21, 41, 11, 31}));
    EXPECT_EQ(Row(t, 3), (std::vector<double>{23, 43, 13, 33}));
    for (int c = 1; c <= 4; ++c) {
        const int from = static_cast<int>(t.GetElem(c, 1)) / 10; // the column it came from
        EXPECT_EQ(t.GetColName(c), "C" + std::to_string(from));
        EXPECT_EQ(t.GetColAttrib(c), from);
        EXPECT_EQ(t.GetCellState(c, 3), from);
        EXPECT_EQ(decPlaces[static_cast<size_t>(c)], from);
    }
    ASSERT_FALSE(rec.exchanges.empty());
    EXPECT_LE(rec.exchanges.size(), 3u);
    for (const auto& [what, i1, i2, first, last] : rec.exchanges) {
        EXPECT_EQ(what, exColumns);
        EXPECT_NE(i1, i2);
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 3);
    }
    EXPECT_EQ(rec.changes, 1);

    rec.exchanges.clear();
    t.SortCols(2, true, 1, 1, 4, 3, true); // already sorted
    EXPECT_TRUE(rec.exchanges.empty());
    EXPECT_EQ(rec.changes, 1);

    t.SortCols(2, false, 4, 3, 1, 1, true); // reversed ranges are accepted
    EXPECT_EQ(Row(t, 2), (std::vector<double>{4, 3, 2, 1}));
}

TEST(DataTable, SortKeepsEqualKeysInOrderAndPutsNaNLast) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (bool ascending : {true, false}) {
        SCOPED_TRACE(ascending);
        TDataTable t;
        Fill(t, {2, nan, 1, 2, 1});
        t.SortCols(2, ascending, 1, 1, 5, 3, false);
        const std::vector<double> origin = Row(t, 1); // c * 10 + 1 tells the original column
        if (ascending)
            EXPECT_EQ(origin, (std::vector<double>{31, 51, 11, 41, 21}));
        else
            EXPECT_EQ(origin, (std::vector<double>{11, 41, 31, 51, 21}));
        EXPECT_TRUE(std::isnan(t.GetElem(5, 2)));
        EXPECT_EQ(t.GetColName(1), "C1"); // headers stay without MoveHeaders
    }
}

TEST(DataTable, SortRowsWithinABlock) {
    TDataTable t(3, 4);
    for (int r = 1; r <= 4; ++r) {
        t.SetRowName(r, "R" + std::to_string(r));
        for (int c = 1; c <= 3; ++c) t.SetElem(c, r, r * 10 + c);
    }
    t.SetElem(2, 1, 9);
    t.SetElem(2, 2, 7);
    t.SetElem(2, 3, 8);
    t.SetElem(2, 4, 1); // row 4 is outside the sorted rows
    TRecorder rec(t);
    t.SortRows(2, true, 1, 1, 2, 3, true); // columns 1..2 move, column 3 stays
    EXPECT_EQ(t.GetElem(2, 1), 7);
    EXPECT_EQ(t.GetElem(2, 2), 8);
    EXPECT_EQ(t.GetElem(2, 3), 9);
    EXPECT_EQ(t.GetElem(1, 1), 21);
    EXPECT_EQ(t.GetElem(1, 2), 31);
    EXPECT_EQ(t.GetElem(1, 3), 11);
    EXPECT_EQ(t.GetElem(3, 1), 13); // outside the block
    EXPECT_EQ(t.GetElem(2, 4), 1);
    EXPECT_EQ(t.GetRowName(1), "R2");
    for (const auto& [what, i1, i2, first, last] : rec.exchanges) {
        EXPECT_EQ(what, exRows);
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 2);
    }
}

TEST(DataTable, SortWithoutAnythingToDo) {
    TDataTable t;
    Fill(t, {2, 1});
    TRecorder rec(t);
    t.SortCols(4, true, 1, 1, 2, 3, true); // key row outside the table
    t.SortCols(0, true, 1, 1, 2, 3, true);
    t.SortCols(2, true, 5, 1, 9, 3, true); // columns outside the table
    t.SortCols(2, true, 2, 1, 2, 3, true); // a single column
    TDataTable empty;
    empty.SortRows(1, true, 1, 1, 1, 1, false);
    EXPECT_TRUE(rec.exchanges.empty());
    EXPECT_EQ(rec.changes, 0);
    EXPECT_EQ(Row(t, 2), (std::vector<double>{2, 1}));
}

TEST(DataTable, AHandlerThatResizesStopsTheSortSafely) {
    TDataTable t;
    Fill(t, {5, 4, 3, 2, 1});
    t.OnSortExchange = [&](TObject*, uint8_t, int, int, int, int) { t.Resize(1, 1); };
    t.SortCols(2, true, 1, 1, 5, 3, true);
    EXPECT_EQ(t.GetNrOfColumns(), 1);
}

TEST(DataTable, AssignCopiesContentsButNotEvents) {
    TDataTable src;
    Fill(src, {1, 2, 3});
    src.SetRowName(2, "middle");
    src.SetRowAttrib(3, 200);
    src.SetFComment("copy me");
    int srcChanges = 0;
    src.OnChange = [&](TObject*) { ++srcChanges; };

    TDataTable dst(1, 1);
    TRecorder rec(dst);
    dst.Assign(&src);
    EXPECT_EQ(rec.resizes.size(), 1u);
    EXPECT_EQ(rec.resizes[0], (std::vector<int>{1, 1, 3, 3}));
    EXPECT_EQ(rec.changes, 1);
    EXPECT_EQ(dst.GetElem(3, 3), 33);
    EXPECT_EQ(dst.GetCellState(2, 1), 2);
    EXPECT_EQ(dst.GetColName(3), "C3");
    EXPECT_EQ(dst.GetRowName(2), "middle");
    EXPECT_EQ(dst.GetRowAttrib(3), 200);
    EXPECT_EQ(dst.GetComment(), "copy me");

    dst.SetElem(1, 1, -1); // fires dst's own event, not src's
    EXPECT_EQ(srcChanges, 0);
    EXPECT_EQ(src.GetElem(1, 1), 11);

    TMatrix m;
    EXPECT_THROW(dst.Assign(&m), EConvertError);
}
