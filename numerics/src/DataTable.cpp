// TDataTable: values, states, names, attributes, comment, notifications and sorting.
#include <qyx/QYX_datatable.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qyx {

namespace {

std::string CutName(const std::string& Name) {
    return Name.substr(0, TDataTable::MaxNameLength);
}

bool InRange(int I, int Count) {
    return I >= 1 && I <= Count;
}

// Limits lo .. hi to 1 .. count, swapping a reversed pair first; false when nothing is left.
bool LimitRange(int& lo, int& hi, int count) {
    if (lo > hi) std::swap(lo, hi);
    lo = std::max(lo, 1);
    hi = std::min(hi, count);
    return lo <= hi;
}

} // namespace

TDataTable::TDataTable(int NrColumns, int NrRows) {
    Resize(NrColumns, NrRows);
}

size_t TDataTable::CellIndex(int Col, int Row) const {
    return static_cast<size_t>(Col - 1) * static_cast<size_t>(FNrRows) + static_cast<size_t>(Row - 1);
}

void TDataTable::Changed() {
    if (OnChange) OnChange(this);
}

void TDataTable::Resize(int NrColumns, int NrRows) {
    NrColumns = std::max(NrColumns, 0);
    NrRows = std::max(NrRows, 0);
    if (NrColumns == FNrCols && NrRows == FNrRows) return;
    const int oldCols = FNrCols, oldRows = FNrRows;

    // Build everything new first, so a failed allocation leaves the table as it was.
    std::vector<uint8_t> states;
    try {
        states.assign(static_cast<size_t>(NrColumns) * static_cast<size_t>(NrRows), 0);
    } catch (const std::exception&) {
        throw EOutOfMemory("Class TDataTable: not enough memory on heap");
    }
    const int keepCols = std::min(NrColumns, oldCols), keepRows = std::min(NrRows, oldRows);
    for (int c = 0; c < keepCols; ++c)
        std::copy_n(FStates.begin() + static_cast<ptrdiff_t>(c) * oldRows, keepRows,
                    states.begin() + static_cast<ptrdiff_t>(c) * NrRows);
    auto colNames = FColNames, rowNames = FRowNames;
    auto colAttribs = FColAttribs, rowAttribs = FRowAttribs;
    colNames.resize(static_cast<size_t>(NrColumns));
    rowNames.resize(static_cast<size_t>(NrRows));
    colAttribs.resize(static_cast<size_t>(NrColumns), 0);
    rowAttribs.resize(static_cast<size_t>(NrRows), 0);
    FData.Resize(NrColumns, NrRows);

    FStates.swap(states);
    FColNames.swap(colNames);
    FRowNames.swap(rowNames);
    FColAttribs.swap(colAttribs);
    FRowAttribs.swap(rowAttribs);
    FNrCols = NrColumns;
    FNrRows = NrRows;
    if (OnResize) OnResize(this, oldCols, oldRows, NrColumns, NrRows);
}

void TDataTable::SetElem(int Col, int Row, double Value) {
    if (!InRange(Col, FNrCols) || !InRange(Row, FNrRows)) return;
    FData.SetVal(Col, Row, Value);
    uint8_t& state = FStates[CellIndex(Col, Row)];
    state = std::isnan(Value) ? (state | cstNotANumber) : (state & ~cstNotANumber);
    Changed();
}

uint8_t TDataTable::GetCellState(int Col, int Row) const {
    if (!InRange(Col, FNrCols) || !InRange(Row, FNrRows)) return 0;
    return FStates[CellIndex(Col, Row)];
}

void TDataTable::SetCellState(int Col, int Row, uint8_t State) {
    if (InRange(Col, FNrCols) && InRange(Row, FNrRows)) FStates[CellIndex(Col, Row)] = State;
}

void TDataTable::SetAllCellStates(uint8_t State) {
    std::fill(FStates.begin(), FStates.end(), State);
}

std::string TDataTable::GetColName(int Col) const {
    return InRange(Col, FNrCols) ? FColNames[static_cast<size_t>(Col - 1)] : std::string();
}

void TDataTable::SetColName(int Col, const std::string& Name) {
    if (!InRange(Col, FNrCols)) return;
    FColNames[static_cast<size_t>(Col - 1)] = CutName(Name);
    Changed();
}

std::string TDataTable::GetRowName(int Row) const {
    return InRange(Row, FNrRows) ? FRowNames[static_cast<size_t>(Row - 1)] : std::string();
}

void TDataTable::SetRowName(int Row, const std::string& Name) {
    if (!InRange(Row, FNrRows)) return;
    FRowNames[static_cast<size_t>(Row - 1)] = CutName(Name);
    Changed();
}

uint8_t TDataTable::GetColAttrib(int Col) const {
    return InRange(Col, FNrCols) ? FColAttribs[static_cast<size_t>(Col - 1)] : 0;
}

void TDataTable::SetColAttrib(int Col, uint8_t Attrib) {
    if (!InRange(Col, FNrCols)) return;
    FColAttribs[static_cast<size_t>(Col - 1)] = Attrib;
    Changed();
}

uint8_t TDataTable::GetRowAttrib(int Row) const {
    return InRange(Row, FNrRows) ? FRowAttribs[static_cast<size_t>(Row - 1)] : 0;
}

void TDataTable::SetRowAttrib(int Row, uint8_t Attrib) {
    if (!InRange(Row, FNrRows)) return;
    FRowAttribs[static_cast<size_t>(Row - 1)] = Attrib;
    Changed();
}

void TDataTable::SetFComment(const std::string& Text) {
    FComment = Text;
    Changed();
}

void TDataTable::ExchangeColumns(int C1, int C2, int RowLo, int RowHi, bool MoveHeaders) {
    for (int r = RowLo; r <= RowHi; ++r) {
        const double v = FData.GetVal(C1, r);
        FData.SetVal(C1, r, FData.GetVal(C2, r));
        FData.SetVal(C2, r, v);
        std::swap(FStates[CellIndex(C1, r)], FStates[CellIndex(C2, r)]);
    }
    if (MoveHeaders) {
        std::swap(FColNames[static_cast<size_t>(C1 - 1)], FColNames[static_cast<size_t>(C2 - 1)]);
        std::swap(FColAttribs[static_cast<size_t>(C1 - 1)], FColAttribs[static_cast<size_t>(C2 - 1)]);
    }
    if (OnSortExchange) OnSortExchange(this, exColumns, C1, C2, RowLo, RowHi);
}

void TDataTable::ExchangeRows(int R1, int R2, int ColLo, int ColHi, bool MoveHeaders) {
    for (int c = ColLo; c <= ColHi; ++c) {
        const double v = FData.GetVal(c, R1);
        FData.SetVal(c, R1, FData.GetVal(c, R2));
        FData.SetVal(c, R2, v);
        std::swap(FStates[CellIndex(c, R1)], FStates[CellIndex(c, R2)]);
    }
    if (MoveHeaders) {
        std::swap(FRowNames[static_cast<size_t>(R1 - 1)], FRowNames[static_cast<size_t>(R2 - 1)]);
        std::swap(FRowAttribs[static_cast<size_t>(R1 - 1)], FRowAttribs[static_cast<size_t>(R2 - 1)]);
    }
    if (OnSortExchange) OnSortExchange(this, exRows, R1, R2, ColLo, ColHi);
}

void TDataTable::Sort(bool ByColumns, int Key, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi,
                      bool MoveHeaders) {
    if (!InRange(Key, ByColumns ? FNrRows : FNrCols)) return;
    if (!LimitRange(ColLo, ColHi, FNrCols) || !LimitRange(RowLo, RowHi, FNrRows)) return;
    const int lo = ByColumns ? ColLo : RowLo, hi = ByColumns ? ColHi : RowHi;
    const int count = hi - lo + 1;
    const int cols = FNrCols, rows = FNrRows;

    // The order the keys want, found first; then carried out by exchanges, at most count - 1 of them.
    std::vector<double> keys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        keys[static_cast<size_t>(i)] = ByColumns ? FData.GetVal(lo + i, Key) : FData.GetVal(Key, lo + i);
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const double ka = keys[static_cast<size_t>(a)], kb = keys[static_cast<size_t>(b)];
        if (std::isnan(ka) || std::isnan(kb)) return !std::isnan(ka) && std::isnan(kb);
        return Ascending ? ka < kb : ka > kb;
    });

    std::vector<int> at(static_cast<size_t>(count)), pos(static_cast<size_t>(count));
    std::iota(at.begin(), at.end(), 0);
    std::iota(pos.begin(), pos.end(), 0);
    bool moved = false;
    for (int p = 0; p < count; ++p) {
        const int want = order[static_cast<size_t>(p)];
        const int cur = pos[static_cast<size_t>(want)];
        if (cur == p) continue;
        if (ByColumns)
            ExchangeColumns(lo + p, lo + cur, RowLo, RowHi, MoveHeaders);
        else
            ExchangeRows(lo + p, lo + cur, ColLo, ColHi, MoveHeaders);
        const int displaced = at[static_cast<size_t>(p)];
        at[static_cast<size_t>(p)] = want;
        at[static_cast<size_t>(cur)] = displaced;
        pos[static_cast<size_t>(want)] = p;
        pos[static_cast<size_t>(displaced)] = cur;
        moved = true;
        if (FNrCols != cols || FNrRows != rows) break; // a handler resized the table: stop here
    }
    if (moved) Changed();
}

void TDataTable::SortCols(int SortRow, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi,
                          bool MoveHeaders) {
    Sort(true, SortRow, Ascending, ColLo, RowLo, ColHi, RowHi, MoveHeaders);
}

void TDataTable::SortRows(int SortCol, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi,
                          bool MoveHeaders) {
    Sort(false, SortCol, Ascending, ColLo, RowLo, ColHi, RowHi, MoveHeaders);
}

void TDataTable::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TDataTable*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    const int oldCols = FNrCols, oldRows = FNrRows;
    FData.Clone(&src->FData);
    FStates = src->FStates;
    FColNames = src->FColNames;
    FRowNames = src->FRowNames;
    FColAttribs = src->FColAttribs;
    FRowAttribs = src->FRowAttribs;
    FComment = src->FComment;
    FNrCols = src->FNrCols;
    FNrRows = src->FNrRows;
    if ((oldCols != FNrCols || oldRows != FNrRows) && OnResize)
        OnResize(this, oldCols, oldRows, FNrCols, FNrRows);
    Changed();
}

} // namespace qyx
