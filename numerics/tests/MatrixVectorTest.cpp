// TMatrix and TVector: 1-based cells, resizing that keeps values, safe out-of-range access, copies.
#include <climits>

#include <gtest/gtest.h>

#include <qyx/QYX_matrix.h>
#include <qyx/QYX_vector.h>

using namespace qyx;

namespace {

// Cell (c, r) holds 10 * c + r, so every misplaced value shows.
void Number(TMatrix& m) {
    for (int c = 1; c <= m.GetNrOfColumns(); ++c)
        for (int r = 1; r <= m.GetNrOfRows(); ++r) m.SetVal(c, r, 10 * c + r);
}

} // namespace

TEST(Matrix, ResizeKeepsTheSharedPartAndZeroesNewCells) {
    TMatrix m;
    EXPECT_EQ(m.GetNrOfColumns(), 0);
    EXPECT_EQ(m.GetNrOfRows(), 0);
    m.Resize(3, 4);
    Number(m);
    m.Resize(5, 2); // wider and shorter at once
    ASSERT_EQ(m.GetNrOfColumns(), 5);
    ASSERT_EQ(m.GetNrOfRows(), 2);
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 2; ++r) EXPECT_EQ(m.GetVal(c, r), c <= 3 ? 10 * c + r : 0.0) << c << "," << r;
    m.Resize(2, 6);
    EXPECT_EQ(m.GetVal(2, 2), 22);
    EXPECT_EQ(m.GetVal(2, 6), 0);
}

TEST(Matrix, ColumnComesBeforeRow) {
    TMatrix m(2, 3);
    m.SetVal(2, 3, 7.5);
    EXPECT_EQ(m.GetVal(2, 3), 7.5);
    EXPECT_EQ(m.GetVal(3, 2), 0.0);
    EXPECT_EQ(m.Data()[1 * 3 + 2], 7.5); // column-major
}

TEST(Matrix, OutOfRangeReadsZeroAndWritesNothing) {
    TMatrix m(2, 2);
    Number(m);
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-1, -1}, {INT_MAX, INT_MAX}}) {
        SCOPED_TRACE(testing::Message() << c << "," << r);
        EXPECT_EQ(m.GetVal(c, r), 0.0);
        m.SetVal(c, r, 99);
    }
    EXPECT_EQ(m.GetVal(1, 1), 11);
    EXPECT_EQ(m.GetVal(2, 2), 22);
}

TEST(Matrix, NegativeSizesAreEmptyAndHugeOnesRaise) {
    TMatrix m(-3, 5);
    EXPECT_EQ(m.GetNrOfColumns(), 0);
    EXPECT_EQ(m.GetNrOfRows(), 5);
    m.Resize(2, 2);
    m.SetVal(1, 1, 4);
    EXPECT_THROW(m.Resize(INT_MAX, INT_MAX), EOutOfMemory);
    EXPECT_EQ(m.GetNrOfColumns(), 2); // unchanged after the failure
    EXPECT_EQ(m.GetVal(1, 1), 4);
}

TEST(Matrix, FillCloneAndAssign) {
    TMatrix a(3, 2), b(1, 1);
    a.Fill(2.5);
    EXPECT_EQ(a.GetVal(3, 2), 2.5);
    Number(a);
    b.Clone(&a);
    EXPECT_EQ(b.GetNrOfColumns(), 3);
    EXPECT_EQ(b.GetNrOfRows(), 2);
    EXPECT_EQ(b.GetVal(3, 2), 32);
    a.SetVal(3, 2, 0); // the copy is independent
    EXPECT_EQ(b.GetVal(3, 2), 32);
    b.Clone(nullptr);
    b.Clone(&b);
    EXPECT_EQ(b.GetVal(3, 2), 32);

    TMatrix c;
    c.Assign(&b);
    EXPECT_EQ(c.GetVal(2, 1), 21);
    TVector v(2);
    EXPECT_THROW(c.Assign(&v), EConvertError);
}

TEST(Vector, SizeValuesAndCopies) {
    TVector v;
    EXPECT_EQ(v.GetNrOfElem(), 0);
    v.SetVecSize(3);
    v.SetVal(1, 1.5);
    v.SetVal(3, -2);
    v.SetVal(0, 9);
    v.SetVal(4, 9);
    EXPECT_EQ(v.GetVal(1), 1.5);
    EXPECT_EQ(v.GetVal(3), -2);
    EXPECT_EQ(v.GetVal(0), 0.0);
    EXPECT_EQ(v.GetVal(4), 0.0);
    v.SetVecSize(5);
    EXPECT_EQ(v.GetVal(3), -2);
    EXPECT_EQ(v.GetVal(5), 0.0);
    v.SetVecSize(-1);
    EXPECT_EQ(v.GetNrOfElem(), 0);

    TVector a(2), b;
    a.Fill(4);
    b.Clone(&a);
    EXPECT_EQ(b.GetNrOfElem(), 2);
    EXPECT_EQ(b.GetVal(2), 4);
    TMatrix m;
    EXPECT_THROW(b.Assign(&m), EConvertError);
}
