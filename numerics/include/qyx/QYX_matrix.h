// Unit QYX_matrix: a dense matrix of doubles addressed 1-based, column before row.
#pragma once

#include <vector>

#include <qyx/platform/Object.h>

namespace qyx {

/// A dense matrix of doubles. Cells are addressed (Col, Row), both counted from 1. Reading a cell
/// outside the matrix gives 0 and writing one is ignored, so no index can corrupt memory.
/// Created without owner; the caller deletes it.
class TMatrix : public TPersistent {
public:
    /// An empty matrix (0 columns, 0 rows).
    TMatrix() = default;
    /// A matrix of NrColumns x NrRows zeros.
    TMatrix(int NrColumns, int NrRows);

    /// Changes the size; values in the part that both sizes share stay where they are, new cells are 0.
    /// Negative counts are taken as 0. Raises EOutOfMemory when the cells cannot be allocated.
    void Resize(int NrColumns, int NrRows);
    int GetNrOfColumns() const { return FNrCols; }
    int GetNrOfRows() const { return FNrRows; }

    /// True when (Col, Row) is a cell of the matrix.
    bool InRange(int Col, int Row) const { return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows; }
    /// The value of cell (Col, Row); 0 outside the matrix.
    double GetVal(int Col, int Row) const { return InRange(Col, Row) ? FData[Index(Col, Row)] : 0.0; }
    /// Stores Value in cell (Col, Row); ignored outside the matrix.
    void SetVal(int Col, int Row, double Value) {
        if (InRange(Col, Row)) FData[Index(Col, Row)] = Value;
    }
    /// Sets every cell to Value.
    void Fill(double Value);
    /// Makes this matrix a copy of Source (size and values); a null Source leaves it unchanged.
    void Clone(const TMatrix* Source);
    /// Assign from another TMatrix is Clone; other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

    /// The cells in column-major order (column 1 first, each column from row 1 down).
    const double* Data() const { return FData.data(); }
    double* Data() { return FData.data(); }

private:
    size_t Index(int Col, int Row) const {
        return static_cast<size_t>(Col - 1) * static_cast<size_t>(FNrRows) + static_cast<size_t>(Row - 1);
    }

    int FNrCols = 0;
    int FNrRows = 0;
    std::vector<double> FData;
};

} // namespace qyx
