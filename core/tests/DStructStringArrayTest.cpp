// TStringArray: cells and pages, sizes and rows with a sort order, searching, sorting with its
// notifications, committing the order and compacting the pages.
#include <qyx/QYX_dstruct.h>
#include <qyx/platform/Streams.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace qyx;

namespace {

/// An array of one column with the given texts in rows 1..n of column 1, counting change events.
struct Fixture {
    TStringArray a{nullptr};
    int changes = 0;
    explicit Fixture(const std::vector<std::string>& Column1 = {}, int Cols = 1) {
        a.Resize(Cols, std::max<int>(1, static_cast<int>(Column1.size())));
        for (size_t i = 0; i < Column1.size(); ++i) a.SetString(1, static_cast<int>(i) + 1, Column1[i]);
        a.OnChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, &a);
            ++changes;
        };
    }
    std::vector<std::string> Column(int C) const {
        std::vector<std::string> v;
        for (int r = 1; r <= a.GetNrOfRows(); ++r) v.push_back(a.GetString(C, r));
        return v;
    }
};

using Strings = std::vector<std::string>;

} // namespace

// ---- Cells, attributes and pages ---------------------------------------------------------------------

TEST(DStructStringArray, NewArray) {
    TStringArray a(nullptr);
    EXPECT_EQ(a.GetNrOfColumns(), 1);
    EXPECT_EQ(a.GetNrOfRows(), 1);
    EXPECT_EQ(a.GetAllocRowsBy(), 10);
    EXPECT_EQ(a.GetRowCapacity(), 10);
    EXPECT_EQ(a.GetPageCount(), 1);
    EXPECT_EQ(a.GetPageUsage(1), 1);
    EXPECT_EQ(a.GetString(0, 1), "");
    EXPECT_EQ(a.GetString(1, 1), "");
    EXPECT_EQ(a.GetColAttrib(0), 0);
    EXPECT_EQ(a.GetSortOrder(1), 1);
}

TEST(DStructStringArray, OutOfRangeReadsAndWrites) {
    Fixture f({"x"});
    TStringArray& a = f.a;
    for (auto [c, r] : {std::pair{-1, 1}, {2, 1}, {0, 0}, {1, 2}}) {
        SCOPED_TRACE(testing::Message() << c << "," << r);
        a.SetString(c, r, "no");
        EXPECT_EQ(a.GetString(c, r), "");
        EXPECT_EQ(a.GetAsNumber(c, r), 0);
    }
    a.SetRowAttrib(0, 1);
    a.SetRowAttrib(2, 1);
    a.SetColAttrib(0, 1);
    a.SetColAttrib(2, 1);
    EXPECT_EQ(a.GetRowAttrib(2), 0);
    EXPECT_EQ(a.GetColAttrib(0), 0);
    EXPECT_EQ(a.GetSortOrder(0), -1);
    EXPECT_EQ(a.GetSortOrder(2), -1);
    EXPECT_EQ(f.changes, 0);
    a.SetRowAttrib(1, 7);
    a.SetColAttrib(1, 9);
    EXPECT_EQ(a.GetRowAttrib(1), 7);
    EXPECT_EQ(a.GetColAttrib(1), 9);
    EXPECT_EQ(f.changes, 2);
}

TEST(DStructStringArray, TextsArePlacedInPages) {
    Fixture f;
    TStringArray& a = f.a;
    a.SetString(1, 1, "abc");
    EXPECT_EQ(a.GetCellReference(1, 1), (1u << 16) | 1u);
    EXPECT_EQ(a.GetPageUsage(1), 5);
    a.SetString(1, 1, "ab"); // fits the old place
    EXPECT_EQ(a.GetCellReference(1, 1), (1u << 16) | 1u);
    EXPECT_EQ(a.GetPageUsage(1), 5);
    EXPECT_EQ(a.GetString(1, 1), "ab");
    a.SetString(1, 1, "abcd"); // longer than the place: new space
    EXPECT_EQ(a.GetCellReference(1, 1), (1u << 16) | 5u);
    EXPECT_EQ(a.GetPageUsage(1), 10);
    a.SetString(0, 1, "");
    EXPECT_EQ(a.GetCellReference(0, 1), (1u << 16) | 10u); // the empty text takes one byte
    EXPECT_EQ(a.GetPageUsage(1), 11);
    EXPECT_EQ(f.changes, 4);
    // Texts are cut to 255 characters.
    a.SetString(1, 1, std::string(300, 'q'));
    EXPECT_EQ(a.GetString(1, 1), std::string(255, 'q'));
}

TEST(DStructStringArray, PagesFillFirstFitAndNeverUseTheirLastByte) {
    TStringArray a(nullptr);
    a.Resize(1, 200);
    const std::string t255(255, 'x');
    // 128 texts of 256 bytes fill page 1 up to offset 32769 - 256 = 32513; the 128th does not fit
    // because its offset plus its length must stay below 32768.
    for (int r = 1; r <= 128; ++r) a.SetString(1, r, t255);
    EXPECT_EQ(a.GetPageCount(), 2);
    EXPECT_EQ(a.GetPageUsage(1), 1 + 127 * 256);
    EXPECT_EQ(a.GetCellReference(1, 128), (2u << 16) | 1u);
    // A short text still goes to the first page with room.
    a.SetString(0, 1, "short");
    EXPECT_EQ(a.GetCellReference(0, 1) >> 16, 1u);
    const int free1 = 32768 - a.GetPageUsage(1);
    a.SetString(0, 2, std::string(static_cast<size_t>(free1 - 1), 'y'));
    EXPECT_EQ(a.GetCellReference(0, 2) >> 16, 1u);
    EXPECT_EQ(a.GetPageUsage(1), 32768);
    a.SetString(0, 3, "");
    EXPECT_EQ(a.GetCellReference(0, 3) >> 16, 2u);
    for (int r = 1; r <= 128; ++r) ASSERT_EQ(a.GetString(1, r), t255);
}

TEST(DStructStringArray, GetAsNumber) {
    Fixture f({" 1,5 ", "1,234.5", "", "  ", "-2.5e3", "abc", "7 "}, 2);
    TStringArray& a = f.a;
    EXPECT_EQ(a.GetAsNumber(1, 1), 1.5);
    EXPECT_EQ(a.GetAsNumber(1, 3), 0);
    EXPECT_EQ(a.GetAsNumber(1, 4), 0);
    EXPECT_EQ(a.GetAsNumber(1, 5), -2500);
    EXPECT_EQ(a.GetAsNumber(1, 7), 7);
    EXPECT_EQ(a.GetAsNumber(2, 1), 0);
    try {
        a.GetAsNumber(1, 2);
        FAIL() << "no error";
    } catch (const EQYXDStructError& e) {
        EXPECT_STREQ(e.what(), "Class TStringArray: invalid numeric string: [1,2]: 1,234.5");
    }
    EXPECT_THROW(a.GetAsNumber(1, 6), EQYXDStructError);
}

// ---- Sizes and rows ----------------------------------------------------------------------------------

TEST(DStructStringArray, Resize) {
    Fixture f({"a", "b", "c"}, 2);
    TStringArray& a = f.a;
    a.SetString(2, 3, "z");
    a.SetRowAttrib(3, 5);
    a.SetColAttrib(2, 6);
    f.changes = 0;
    EXPECT_FALSE(a.Resize(0, 5));
    EXPECT_FALSE(a.Resize(5, -1));
    EXPECT_TRUE(a.Resize(2, 3));
    EXPECT_EQ(f.changes, 0);
    // Shrinking clears what was cut; growing again shows empty cells with attribute 0.
    EXPECT_TRUE(a.Resize(1, 2));
    EXPECT_EQ(f.changes, 1);
    EXPECT_TRUE(a.Resize(2, 3));
    EXPECT_EQ(f.Column(1), (Strings{"a", "b", ""}));
    EXPECT_EQ(a.GetString(2, 3), "");
    EXPECT_EQ(a.GetRowAttrib(3), 0);
    EXPECT_EQ(a.GetColAttrib(2), 0);
    // Capacity grows in steps of AllocRowsBy; values below 1 count as 1.
    a.SetAllocRowsBy(7);
    a.SetNrRows(15);
    EXPECT_EQ(a.GetRowCapacity(), 21);
    a.SetAllocRowsBy(0);
    a.SetNrRows(23);
    EXPECT_EQ(a.GetRowCapacity(), 23);
    EXPECT_EQ(a.AddRow(), 24);
    EXPECT_EQ(f.Column(1)[1], "b");
    // Beyond MaxCells the resize fails and nothing changes.
    EXPECT_FALSE(a.Resize(1, static_cast<int>(TStringArray::MaxCells)));
    EXPECT_FALSE(a.Resize(1 << 30, 1));
    EXPECT_EQ(a.GetNrOfRows(), 24);
    EXPECT_EQ(a.GetString(1, 1), "a");
}

TEST(DStructStringArray, ResizeDropsTheSortOrder) {
    Fixture f({"b", "A", "c"});
    f.a.Sort(1, true);
    EXPECT_EQ(f.Column(1), (Strings{"A", "b", "c"}));
    f.a.SetNrRows(4);
    EXPECT_EQ(f.Column(1), (Strings{"b", "A", "c", ""}));
    f.a.Sort(1, false);
    f.a.SetNrCols(2);
    EXPECT_EQ(f.Column(1), (Strings{"b", "A", "c", ""}));
}

TEST(DStructStringArray, InsertRowKeepsTheDisplayedOrder) {
    Fixture f({"b", "A", "c"});
    TStringArray& a = f.a;
    a.SetRowAttrib(1, 11); // row "b"
    a.Sort(1, true);       // shows A, b, c
    a.InsertRow(2);
    EXPECT_EQ(f.Column(1), (Strings{"A", "", "b", "c"}));
    EXPECT_EQ(a.GetRowAttrib(2), 0);
    EXPECT_EQ(a.GetRowAttrib(3), 11);
    a.InsertRow(0);
    a.InsertRow(5);
    EXPECT_EQ(a.GetNrOfRows(), 4);
    // Growing beyond the capacity while sorted.
    a.SetAllocRowsBy(1);
    for (int i = 0; i < 20; ++i) a.InsertRow(1);
    EXPECT_EQ(a.GetNrOfRows(), 24);
    EXPECT_EQ(a.GetString(1, 21), "A");
    EXPECT_EQ(a.GetString(1, 24), "c");
    a.CommitSorting();
    EXPECT_EQ(a.GetString(1, 24), "c");
    EXPECT_EQ(a.GetSortOrder(24), 24);
}

TEST(DStructStringArray, RemoveRow) {
    Fixture f({"b", "A", "c", "d"});
    TStringArray& a = f.a;
    a.SetRowAttrib(3, 33); // row "c"
    a.Sort(1, false);      // d, c, b, A
    a.RemoveRow(2);
    EXPECT_EQ(f.Column(1), (Strings{"d", "b", "A"}));
    a.UnSort();
    EXPECT_EQ(f.Column(1), (Strings{"b", "A", "d"}));
    EXPECT_EQ(a.GetRowAttrib(3), 0);
    a.RemoveRow(4);
    a.RemoveRow(1);
    a.RemoveRow(1);
    EXPECT_EQ(f.Column(1), (Strings{"d"}));
    a.SetRowAttrib(1, 5);
    a.SetString(0, 1, "zero");
    a.RemoveRow(1); // the last row is emptied instead
    EXPECT_EQ(a.GetNrOfRows(), 1);
    EXPECT_EQ(a.GetString(1, 1), "");
    EXPECT_EQ(a.GetString(0, 1), "");
    EXPECT_EQ(a.GetRowAttrib(1), 0);
}

TEST(DStructStringArray, ClearAndFill) {
    Fixture f({"a", "b"}, 2);
    TStringArray& a = f.a;
    a.SetColAttrib(1, 3);
    a.SetRowAttrib(2, 4);
    a.Sort(1, false);
    f.changes = 0;
    a.Fill("x");
    EXPECT_EQ(f.changes, 6); // columns 0..2, rows 1..2
    f.changes = 0;
    EXPECT_EQ(f.Column(0), (Strings{"x", "x"}));
    a.Fill("");
    EXPECT_EQ(f.changes, 0);
    EXPECT_EQ(f.Column(1), (Strings{"", ""}));
    EXPECT_EQ(a.GetSortOrder(1), 1);
    EXPECT_EQ(a.GetColAttrib(1), 0);
    EXPECT_EQ(a.GetRowAttrib(2), 0);
    EXPECT_EQ(a.GetPageCount(), 1);
    EXPECT_EQ(a.GetPageUsage(1), 1);
    EXPECT_EQ(a.GetNrOfColumns(), 2);
}

TEST(DStructStringArray, EmptyColumnsAndRows) {
    Fixture f({"  ", "", "x"}, 2);
    TStringArray& a = f.a;
    a.SetString(0, 2, "only column 0");
    EXPECT_FALSE(a.ColumnEmpty(1));
    EXPECT_TRUE(a.ColumnEmpty(2));
    EXPECT_FALSE(a.ColumnEmpty(0));
    EXPECT_TRUE(a.RowEmpty(1));
    EXPECT_TRUE(a.RowEmpty(2));
    EXPECT_FALSE(a.RowEmpty(3));
    EXPECT_TRUE(a.RowEmpty(9));
}

// ---- Searching ---------------------------------------------------------------------------------------

TEST(DStructStringArray, FindCell) {
    Fixture f({"Alpha", "beta", "Gamma"}, 2);
    TStringArray& a = f.a;
    a.SetString(0, 3, "ABBA");
    a.SetString(2, 1, "b");
    int c = -5, r = -5;
    EXPECT_TRUE(a.FindCell("b", false, -1, -1, -1, -1, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(0, 3)); // column 0 is scanned first
    EXPECT_TRUE(a.FindCell("b", true, -1, -1, -1, -1, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(1, 2));
    EXPECT_TRUE(a.FindCell("MM", false, 2, 1, 3, 1, c, r)); // ranges put in order
    EXPECT_EQ(std::pair(c, r), std::pair(1, 3));
    EXPECT_TRUE(a.FindCell("a", false, 1, 1, 2, -1, c, r)); // -1 for one row bound clamps to row 1
    EXPECT_EQ(std::pair(c, r), std::pair(1, 1));
    c = r = -5;
    EXPECT_FALSE(a.FindCell("", false, -1, -1, -1, -1, c, r));
    EXPECT_FALSE(a.FindCell("zeta", false, -1, -1, -1, -1, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(-5, -5));
    EXPECT_TRUE(a.FindCellExact("B", false, -1, -1, -1, -1, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(2, 1));
    EXPECT_FALSE(a.FindCellExact("bet", false, -1, -1, -1, -1, c, r));
    EXPECT_TRUE(a.FindCellExact("", true, 1, 2, -1, -1, c, r)); // the first empty cell
    EXPECT_EQ(std::pair(c, r), std::pair(2, 2));
    // Rows are displayed rows.
    a.Sort(1, false);
    EXPECT_TRUE(a.FindCellExact("alpha", false, 1, 1, -1, -1, c, r));
    EXPECT_EQ(r, 3);
}

TEST(DStructStringArray, FindCellInSortedColumn) {
    Fixture f({"apple", "Banana", "banana", "BANANA", "cherry", "date"});
    TStringArray& a = f.a;
    int r = 0;
    const std::pair<std::string, int> hits[] = {{"apple", 1}, {"date", 6}, {"banana", 2}, {"CHERRY", 5}};
    for (const auto& [s, row] : hits) {
        SCOPED_TRACE(s);
        EXPECT_TRUE(a.FindCellInSortedColumn(s, false, 1, -1, -1, true, r));
        EXPECT_EQ(r, row);
    }
    EXPECT_FALSE(a.FindCellInSortedColumn("banana2", false, 1, -1, -1, true, r));
    EXPECT_FALSE(a.FindCellInSortedColumn("Banana", true, 1, 3, 6, true, r));
    EXPECT_TRUE(a.FindCellInSortedColumn("banana", true, 1, 3, 3, true, r)); // a one-row range
    EXPECT_EQ(r, 3);
    EXPECT_TRUE(a.FindCellInSortedColumn("date", false, 9, 6, 1, true, r)); // column clamped, rows swapped
    EXPECT_EQ(r, 6);
    // Descending order.
    Fixture d({"z", "y", "y", "b", "a"});
    EXPECT_TRUE(d.a.FindCellInSortedColumn("y", false, 1, -1, -1, false, r));
    EXPECT_EQ(r, 2);
    EXPECT_TRUE(d.a.FindCellInSortedColumn("a", false, 1, -1, -1, false, r));
    EXPECT_EQ(r, 5);
    EXPECT_FALSE(d.a.FindCellInSortedColumn("c", false, 1, -1, -1, false, r));
}

// ---- Sorting -----------------------------------------------------------------------------------------

TEST(DStructStringArray, SortUnSortAndCommit) {
    Fixture f({"b", "A", "c"});
    TStringArray& a = f.a;
    a.SetRowAttrib(2, 22); // row "A"
    a.Sort(1, true);
    EXPECT_EQ(f.Column(1), (Strings{"A", "b", "c"}));
    EXPECT_EQ(a.GetSortOrder(1), 2);
    EXPECT_EQ(a.GetRowAttrib(1), 22);
    a.UnSort();
    EXPECT_EQ(f.Column(1), (Strings{"b", "A", "c"}));
    a.Sort(1, true);
    const int changes = f.changes;
    a.CommitSorting();
    EXPECT_EQ(f.changes, changes);
    EXPECT_EQ(f.Column(1), (Strings{"A", "b", "c"}));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(a.GetSortOrder(i), i);
    EXPECT_EQ(a.GetRowAttrib(1), 22);
    a.Sort(1, false);
    EXPECT_EQ(f.Column(1), (Strings{"c", "b", "A"}));
}

TEST(DStructStringArray, SortComparesFoldedBytes) {
    // Only A..Z fold; other bytes compare by their code, a text before its extensions.
    Fixture f({"b", "\xC4", "a\x01", "B", "Z", "a", "[", "", "a "});
    f.a.Sort(1, true);
    const Strings sorted = f.Column(1);
    EXPECT_EQ(sorted[0], "");
    EXPECT_EQ(sorted[1], "[");
    EXPECT_EQ(sorted[2], "a");
    EXPECT_EQ(sorted[3], "a\x01");
    EXPECT_EQ(sorted[4], "a ");
    EXPECT_EQ(sorted[8], "\xC4");
    f.a.Sort(1, false);
    EXPECT_EQ(f.Column(1)[0], "\xC4");
    EXPECT_EQ(f.Column(1)[8], "");
}

TEST(DStructStringArray, SortMatchesAReferenceOnRandomTables) {
    std::mt19937 g(4);
    for (int round = 0; round < 60; ++round) {
        const int n = 1 + static_cast<int>(g() % 400);
        Strings texts;
        for (int i = 0; i < n; ++i) {
            // Few distinct leading bytes and long common prefixes, so texts that begin alike over 8
            // or 15 bytes, differ only in length or end in zero bytes are frequent.
            std::string s = g() % 2 ? "Prefix--Prefix--Prefix" : "prefix--prefix--prefix";
            s.resize(g() % (round < 30 ? 12 : 22));
            for (size_t k = g() % 4; k > 0; --k) s += "aAbB\xE9 \0"[g() % 7];
            texts.push_back(s);
        }
        Fixture f(texts);
        const bool asc = round % 2 == 0;
        f.a.Sort(1, asc);
        Strings expect = texts;
        const auto fold = [](std::string s) {
            for (char& c : s)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            return s;
        };
        std::stable_sort(expect.begin(), expect.end(), [&](const std::string& x, const std::string& y) {
            return asc ? fold(x) < fold(y) : fold(y) < fold(x);
        });
        const Strings got = f.Column(1);
        ASSERT_EQ(got.size(), expect.size());
        for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(fold(got[i]), fold(expect[i])) << i;
        // The order is a permutation.
        std::vector<int> order;
        for (int i = 1; i <= n; ++i) order.push_back(f.a.GetSortOrder(i));
        std::sort(order.begin(), order.end());
        for (int i = 0; i < n; ++i) ASSERT_EQ(order[static_cast<size_t>(i)], i + 1);
    }
}

TEST(DStructStringArray, SortNotifications) {
    for (int n : {1, 2, 13, 100}) {
        SCOPED_TRACE(n);
        Strings texts;
        for (int i = 0; i < n; ++i) texts.push_back(std::to_string((i * 37) % n));
        for (bool handler : {false, true}) {
            Fixture f(texts);
            std::vector<int> percents;
            int changesAtEnd = -1;
            f.a.OnPercentDone = [&](TObject* Sender, int P) {
                EXPECT_EQ(Sender, &f.a);
                percents.push_back(P);
                if (P == 100 && percents.size() > 1) changesAtEnd = f.changes;
            };
            int calls = 0;
            if (handler)
                f.a.OnBeforeSortExchange = [&](TObject*, const std::string& In, std::string& Out) {
                    EXPECT_EQ(Out, In);
                    ++calls;
                };
            f.a.Sort(1, true);
            ASSERT_GE(percents.size(), 2u);
            EXPECT_EQ(percents.front(), 0);
            EXPECT_EQ(percents.back(), 100);
            EXPECT_EQ(f.changes, n > 1 ? 1 : 0);
            // Passes report the comparisons made against the estimate; the first is above 0.
            if (n > 1) {
                EXPECT_GT(percents[1], 0);
                EXPECT_EQ(changesAtEnd, 1);
            }
            if (handler) {
                EXPECT_EQ(calls % 2, 0);
                EXPECT_EQ(calls > 0, n > 1);
            }
        }
    }
}

TEST(DStructStringArray, HandlerKeysAndPassCount) {
    // Each handler call sees the text of one of the two rows compared, first row i, then row i + gap;
    // the pass count and comparisons are the same with and without the handler.
    Fixture f({"3", "1", "2", "5", "4"});
    std::vector<std::string> seen;
    std::vector<int> percents;
    f.a.OnBeforeSortExchange = [&](TObject*, const std::string& In, std::string& Out) {
        seen.push_back(In);
        Out = std::string(1, static_cast<char>('9' - (In[0] - '0'))); // sorts in reverse
    };
    f.a.OnPercentDone = [&](TObject*, int P) { percents.push_back(P); };
    f.a.Sort(1, true);
    EXPECT_EQ(f.Column(1), (Strings{"5", "4", "3", "2", "1"}));
    // n = 5: gaps 3, 2, 1, ...; estimate = (5-3) + (5-2) + (5-1) + 5 = 14.
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0], "3");
    EXPECT_EQ(seen[1], "5");
    EXPECT_EQ(percents[1], 14); // round(2 / 14 * 100)
    Fixture g({"3", "1", "2", "5", "4"});
    std::vector<int> plain;
    g.a.OnPercentDone = [&](TObject*, int P) { plain.push_back(P); };
    g.a.Sort(1, false);
    EXPECT_EQ(plain, percents);
    EXPECT_EQ(g.Column(1), (Strings{"5", "4", "3", "2", "1"}));
}

TEST(DStructStringArray, HandlersThatChangeTheArrayEndTheSort) {
    Fixture f({"d", "c", "b", "a", "e", "f"});
    int passes = 0;
    f.a.OnPercentDone = [&](TObject*, int P) {
        if (P > 0 && P < 100 && ++passes == 1) f.a.SetNrRows(2);
    };
    f.a.Sort(1, true);
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(f.a.GetNrOfRows(), 2);
    // Rows removed during a pass: the pass stays within the rows left, and the sort ends after it.
    Fixture g({"d", "c", "b", "a"});
    int calls = 0;
    g.a.OnBeforeSortExchange = [&](TObject*, const std::string&, std::string&) {
        ++calls;
        g.a.RemoveRow(1);
    };
    g.a.Sort(1, true);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(g.a.GetNrOfRows(), 2);
    Fixture h({"b", "a"});
    h.a.Sort(7, true); // a column out of range reads empty texts: nothing moves
    EXPECT_EQ(h.Column(1), (Strings{"b", "a"}));
}

TEST(DStructStringArray, SortEndsSafelyWhateverAHandlerDoesToTheArray) {
    // Each change is made once by either handler at a chosen call, on 60 rows. The sort must end
    // after that pass (or comparison) with a consistent array that sorts correctly afterwards.
    struct TChange {
        const char* Name;
        std::function<void(TStringArray&)> Apply;
        bool SameTexts; ///< the texts left do not depend on the order at the time of the change
    };
    const std::vector<TChange> changes = {
        {"clear", [](TStringArray& a) { a.Clear(); }, true},
        {"one row", [](TStringArray& a) { a.SetNrRows(1); }, true},
        {"fewer rows", [](TStringArray& a) { a.SetNrRows(7); }, true},
        {"more rows than the capacity", [](TStringArray& a) { a.SetNrRows(500); }, true},
        {"more columns", [](TStringArray& a) { a.SetNrCols(4); }, true},
        {"remove the last row", [](TStringArray& a) { a.RemoveRow(a.GetNrOfRows()); }, false},
        {"insert a row", [](TStringArray& a) { a.InsertRow(1); }, true},
        {"unsort", [](TStringArray& a) { a.UnSort(); }, true},
        {"commit", [](TStringArray& a) { a.CommitSorting(); }, true},
        {"sort inside the sort", [](TStringArray& a) { a.Sort(1, false); }, true},
        {"overwrite a cell", [](TStringArray& a) { a.SetString(1, 3, std::string(300, 'Z')); }, false},
        {"read a document",
         [](TStringArray& a) {
             TStringArray other(nullptr);
             other.Resize(2, 3);
             other.SetString(1, 2, "read");
             TMemoryStream m;
             other.WriteToXMLStream(&m, true, "x");
             m.SetPosition(0);
             a.ReadFromXMLStream(&m, "x");
         },
         true},
    };
    std::mt19937 g(77);
    Strings texts;
    for (int i = 0; i < 60; ++i) {
        std::string t;
        for (size_t k = 1 + g() % 6; k > 0; --k) t += "aBcDe"[g() % 5];
        texts.push_back(t);
    }
    const auto multiset = [](Strings v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const auto fold = [](std::string t) {
        for (char& c : t)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return t;
    };
    for (const TChange& change : changes)
        for (bool exchangeHandler : {false, true})
            for (int trigger : exchangeHandler ? std::vector<int>{1, 2, 101} : std::vector<int>{2, 6}) {
                SCOPED_TRACE(testing::Message()
                             << change.Name << (exchangeHandler ? ", exchange " : ", percent ") << trigger);
                Fixture f(texts, 2);
                for (int r = 1; r <= 60; ++r) f.a.SetString(2, r, std::to_string(r));
                int calls = 0;
                bool changed = false, inChange = false;
                std::vector<int> after; // reports of the outer sort once the change is made
                std::vector<int> percents;
                const auto maybeChange = [&] {
                    if (++calls != trigger || changed) return;
                    changed = inChange = true;
                    change.Apply(f.a);
                    inChange = false;
                };
                f.a.OnPercentDone = [&](TObject*, int P) {
                    if (inChange) return;
                    percents.push_back(P);
                    if (changed) after.push_back(P);
                    if (!exchangeHandler) maybeChange();
                };
                if (exchangeHandler)
                    f.a.OnBeforeSortExchange = [&](TObject*, const std::string&, std::string&) {
                        if (!inChange) maybeChange();
                    };
                f.a.Sort(1, true);
                ASSERT_TRUE(changed);
                EXPECT_EQ(percents.front(), 0);
                EXPECT_EQ(percents.back(), 100);
                // At most the report of the pass that was under way, then 100.
                EXPECT_LE(after.size(), exchangeHandler ? 2u : 1u);
                // The order is a permutation of the rows there are now.
                const int n = f.a.GetNrOfRows();
                std::vector<int> order;
                for (int r = 1; r <= n; ++r) order.push_back(f.a.GetSortOrder(r));
                std::sort(order.begin(), order.end());
                for (int r = 1; r <= n; ++r) ASSERT_EQ(order[static_cast<size_t>(r - 1)], r);
                // Nothing lost or duplicated: the same texts as when the change is made without a sort.
                if (change.SameTexts) {
                    Fixture ref(texts, 2);
                    for (int r = 1; r <= 60; ++r) ref.a.SetString(2, r, std::to_string(r));
                    change.Apply(ref.a);
                    EXPECT_EQ(n, ref.a.GetNrOfRows());
                    for (int c = 0; c <= ref.a.GetNrOfColumns(); ++c)
                        EXPECT_EQ(multiset(f.Column(c)), multiset(ref.Column(c))) << "column " << c;
                }
                // A sort without handlers afterwards orders the column.
                f.a.OnPercentDone = nullptr;
                f.a.OnBeforeSortExchange = nullptr;
                f.a.Sort(1, true);
                const Strings sorted = f.Column(1);
                for (size_t i = 1; i < sorted.size(); ++i)
                    ASSERT_LE(fold(sorted[i - 1]), fold(sorted[i])) << i;
            }
}

TEST(DStructStringArray, CommitSortingOfAHandMadeOrder) {
    // Row 1 shown twice: the two rows must not share one stored text afterwards.
    Fixture f({"one", "two"});
    f.a.SetSortOrder(2, 1);
    f.a.SetSortOrder(3, 1); // out of range: ignored
    EXPECT_EQ(f.Column(1), (Strings{"one", "one"}));
    f.a.CommitSorting();
    f.a.SetString(1, 2, "ONE");
    EXPECT_EQ(f.Column(1), (Strings{"one", "ONE"}));
    f.a.GarbageCollection();
    EXPECT_EQ(f.Column(1), (Strings{"one", "ONE"}));
}

// ---- Compacting ------------------------------------------------------------------------------------

TEST(DStructStringArray, GarbageCollectionKeepsEveryCell) {
    TStringArray a(nullptr);
    a.Resize(3, 300);
    std::mt19937 g(9);
    // Several rounds of overwriting leave holes over several pages.
    for (int round = 0; round < 6; ++round)
        for (int c = 0; c <= 3; ++c)
            for (int r = 1; r <= 300; ++r)
                a.SetString(c, r,
                            std::string(g() % 120, static_cast<char>('a' + round)) +
                                std::to_string(c * 1000 + r));
    a.Sort(1, false);
    a.SetNrRows(250); // rows cut off leave their texts behind as holes
    std::vector<Strings> before;
    for (int c = 0; c <= 3; ++c) {
        Strings col;
        for (int r = 1; r <= 250; ++r) col.push_back(a.GetString(c, r));
        before.push_back(col);
    }
    const int pages = a.GetPageCount();
    ASSERT_GT(pages, 2);
    int usedBefore = 0;
    for (int p = 1; p <= pages; ++p) usedBefore += a.GetPageUsage(p);
    a.GarbageCollection();
    EXPECT_EQ(a.GetPageCount(), pages);
    int usedAfter = 0, bytes = 0;
    for (int p = 1; p <= pages; ++p) usedAfter += a.GetPageUsage(p) - 1;
    for (int c = 0; c <= 3; ++c)
        for (int r = 1; r <= 250; ++r) {
            ASSERT_EQ(a.GetString(c, r), before[static_cast<size_t>(c)][static_cast<size_t>(r - 1)]);
            bytes += static_cast<int>(a.GetString(c, r).size()) + 1;
        }
    EXPECT_LT(usedAfter + pages, usedBefore);
    EXPECT_EQ(usedAfter, bytes); // no holes remain
    // Texts are laid out column by column from offset 1 of their page.
    a.GarbageCollection();
    for (int c = 0; c <= 3; ++c)
        for (int r = 1; r <= 250; ++r)
            ASSERT_EQ(a.GetString(c, r), before[static_cast<size_t>(c)][static_cast<size_t>(r - 1)]);
    // New texts go into the space won.
    a.SetString(1, 1, std::string(200, 'n'));
    EXPECT_LE(static_cast<int>(a.GetCellReference(1, 1) >> 16), pages);
}
