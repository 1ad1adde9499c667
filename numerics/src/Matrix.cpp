// TMatrix: storage, resizing with preserved values, fill and copy.
#include <qyx/QYX_matrix.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace qyx {

TMatrix::TMatrix(int NrColumns, int NrRows) {
    Resize(NrColumns, NrRows);
}

void TMatrix::Resize(int NrColumns, int NrRows) {
    NrColumns = std::max(NrColumns, 0);
    NrRows = std::max(NrRows, 0);
    if (NrColumns == FNrCols && NrRows == FNrRows) return;
    std::vector<double> cells;
    try {
        cells.assign(static_cast<size_t>(NrColumns) * static_cast<size_t>(NrRows), 0.0);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Class TMatrix: not enough memory on heap");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Class TMatrix: not enough memory on heap");
    }
    const int keepCols = std::min(NrColumns, FNrCols);
    const int keepRows = std::min(NrRows, FNrRows);
    for (int c = 0; c < keepCols; ++c)
        std::copy_n(FData.begin() + static_cast<ptrdiff_t>(c) * FNrRows, keepRows,
                    cells.begin() + static_cast<ptrdiff_t>(c) * NrRows);
    FData.swap(cells);
    FNrCols = NrColumns;
    FNrRows = NrRows;
}

void TMatrix::Fill(double Value) {
    std::fill(FData.begin(), FData.end(), Value);
}

void TMatrix::Clone(const TMatrix* Source) {
    if (Source == nullptr || Source == this) return;
    FData = Source->FData;
    FNrCols = Source->FNrCols;
    FNrRows = Source->FNrRows;
}

void TMatrix::Assign(const TPersistent* Source) {
    if (const auto* m = dynamic_cast<const TMatrix*>(Source)) {
        Clone(m);
        return;
    }
    TPersistent::Assign(Source);
}

} // namespace qyx
