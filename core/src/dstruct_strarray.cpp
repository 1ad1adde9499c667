// QYX_dstruct: TStringArray storage (paged texts, cell references, row order and attributes), sizes,
// rows, searching, committing the sort order and compacting the pages.
#include <qyx/QYX_dstruct.h>

#include <qyx/QYX_stringl.h>
#include <qyx/platform/Convert.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

namespace qyx {

namespace {

constexpr int kMaxPages = 65535;
constexpr size_t kMaxText = 255;

bool BlanksOnly(std::string_view S) {
    return S.find_first_not_of(' ') == std::string_view::npos;
}

char Fold(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C + ('a' - 'A')) : C;
}

void FoldInto(std::string_view S, std::string& Out) {
    Out.resize(S.size());
    for (size_t i = 0; i < S.size(); ++i) Out[i] = Fold(S[i]);
}

[[noreturn]] void RaiseArrayError(const std::string& Text) {
    RaiseClassError<EQYXDStructError>("TStringArray", Text);
}

} // namespace

// ---- Construction and pages ------------------------------------------------------------------------

TStringArray::TStringArray(TComponent* AOwner) : TComponent(AOwner) {
    try {
        FRefs.assign(static_cast<size_t>(FCols + 1) * static_cast<size_t>(FCapacity), 0);
        FSortOrder.resize(static_cast<size_t>(FCapacity));
        std::iota(FSortOrder.begin(), FSortOrder.end(), 1);
        FRowAttr.assign(static_cast<size_t>(FCapacity), 0);
        FColAttr.assign(static_cast<size_t>(FCols), 0);
        ResetPages();
    } catch (const std::bad_alloc&) {
        RaiseArrayError("failed to initialize (out of memory)");
    }
}

void TStringArray::ResetPages() {
    FPages.resize(1);
    FPages[0].assign(PageSize, 0);
    FUsage.assign(1, 1);
    RebuildFreeTree();
}

// The free-space tree is a complete binary tree over the pages (leaves in page order, padded with
// -1); each node holds the most free bytes of a page below it. The first page that takes a text of
// length L is found by descending towards the leftmost child with more than L free bytes, which
// gives the same page as walking the pages from the first one.
void TStringArray::RebuildFreeTree() {
    size_t leaves = 1;
    while (leaves < FUsage.size()) leaves *= 2;
    FFreeTree.assign(2 * leaves, -1);
    for (size_t i = 0; i < FUsage.size(); ++i) FFreeTree[leaves + i] = PageSize - FUsage[i];
    for (size_t n = leaves - 1; n >= 1; --n) FFreeTree[n] = std::max(FFreeTree[2 * n], FFreeTree[2 * n + 1]);
}

void TStringArray::SetUsage(int PageIndex, int Usage) {
    FUsage[static_cast<size_t>(PageIndex)] = Usage;
    size_t n = FFreeTree.size() / 2 + static_cast<size_t>(PageIndex);
    FFreeTree[n] = PageSize - Usage;
    for (n /= 2; n >= 1; n /= 2) FFreeTree[n] = std::max(FFreeTree[2 * n], FFreeTree[2 * n + 1]);
}

int TStringArray::FindPage(int Length) const {
    if (FFreeTree[1] <= Length) return -1;
    const size_t leaves = FFreeTree.size() / 2;
    size_t n = 1;
    while (n < leaves) n = FFreeTree[2 * n] > Length ? 2 * n : 2 * n + 1;
    return static_cast<int>(n - leaves);
}

uint32_t TStringArray::Store(std::string_view S) {
    const int len = static_cast<int>(S.size());
    int page = FindPage(len);
    if (page < 0) {
        if (static_cast<int>(FPages.size()) >= kMaxPages) RaiseArrayError("out of string storage");
        const size_t pages = FPages.size();
        try {
            FPages.emplace_back(PageSize, 0);
            FUsage.push_back(1);
            if (FUsage.size() > FFreeTree.size() / 2)
                RebuildFreeTree();
            else
                SetUsage(static_cast<int>(pages), 1);
        } catch (const std::bad_alloc&) {
            FPages.resize(pages);
            FUsage.resize(pages);
            RebuildFreeTree();
            RaiseArrayError("out of memory");
        }
        page = static_cast<int>(FPages.size()) - 1;
    }
    const int u = FUsage[static_cast<size_t>(page)];
    uint8_t* p = FPages[static_cast<size_t>(page)].data() + (u - 1);
    p[0] = static_cast<uint8_t>(len);
    if (len > 0) std::memcpy(p + 1, S.data(), static_cast<size_t>(len));
    SetUsage(page, u + len + 1);
    return (static_cast<uint32_t>(page + 1) << 16) | static_cast<uint32_t>(u);
}

const uint8_t* TStringArray::TextAt(uint32_t Reference) const {
    return FPages[(Reference >> 16) - 1].data() + ((Reference & 0xFFFF) - 1);
}

std::string_view TStringArray::CellText(int ACol, int PhysRow) const {
    const uint32_t r = Ref(ACol, PhysRow);
    if (r == 0) return {};
    const uint8_t* p = TextAt(r);
    return std::string_view(reinterpret_cast<const char*>(p + 1), p[0]);
}

int TStringArray::GetPageUsage(int Page) const {
    return Page >= 1 && Page <= GetPageCount() ? FUsage[static_cast<size_t>(Page - 1)] : 0;
}

uint32_t TStringArray::GetCellReference(int ACol, int ARow) const {
    if (ACol < 0 || ACol > FCols || ARow < 1 || ARow > FRows) return 0;
    return Ref(ACol, Phys(ARow));
}

// ---- Cells and attributes --------------------------------------------------------------------------

std::string TStringArray::GetString(int ACol, int ARow) const {
    if (ACol < 0 || ACol > FCols || ARow < 1 || ARow > FRows) return {};
    return std::string(CellText(ACol, Phys(ARow)));
}

void TStringArray::SetString(int ACol, int ARow, const std::string& S) {
    if (ACol < 0 || ACol > FCols || ARow < 1 || ARow > FRows) return;
    const std::string_view text = std::string_view(S).substr(0, kMaxText);
    uint32_t& ref = Ref(ACol, Phys(ARow));
    if (ref != 0 && TextAt(ref)[0] >= text.size()) {
        // The old text is at least as long: overwrite it in place.
        uint8_t* p = FPages[(ref >> 16) - 1].data() + ((ref & 0xFFFF) - 1);
        p[0] = static_cast<uint8_t>(text.size());
        if (!text.empty()) std::memcpy(p + 1, text.data(), text.size());
    } else {
        const uint32_t r = Store(text);
        Ref(ACol, Phys(ARow)) = r;
    }
    ++FGeneration;
    Changed();
}

double TStringArray::GetAsNumber(int ACol, int ARow) const {
    if (ACol < 0 || ACol > FCols || ARow < 1 || ARow > FRows) return 0;
    const std::string stored(CellText(ACol, Phys(ARow)));
    const std::string s = ReplaceCharInString(StripLTBlanks(stored), ',', '.');
    if (s.empty()) return 0;
    double v = 0;
    int code = 0;
    Val(s, v, code);
    if (code != 0)
        RaiseArrayError("invalid numeric string: [" + IntToStr(ACol) + "," + IntToStr(ARow) + "]: " + stored);
    return v;
}

uint8_t TStringArray::GetRowAttrib(int ARow) const {
    return ARow >= 1 && ARow <= FRows ? FRowAttr[static_cast<size_t>(Phys(ARow) - 1)] : 0;
}

void TStringArray::SetRowAttrib(int ARow, uint8_t Value) {
    if (ARow < 1 || ARow > FRows) return;
    FRowAttr[static_cast<size_t>(Phys(ARow) - 1)] = Value;
    ++FGeneration;
    Changed();
}

uint8_t TStringArray::GetColAttrib(int ACol) const {
    return ACol >= 1 && ACol <= FCols ? FColAttr[static_cast<size_t>(ACol - 1)] : 0;
}

void TStringArray::SetColAttrib(int ACol, uint8_t Value) {
    if (ACol < 1 || ACol > FCols) return;
    FColAttr[static_cast<size_t>(ACol - 1)] = Value;
    ++FGeneration;
    Changed();
}

int TStringArray::GetSortOrder(int ARow) const {
    return ARow >= 1 && ARow <= FRows ? Phys(ARow) : -1;
}

void TStringArray::SetSortOrder(int ARow, int PhysRow) {
    if (ARow < 1 || ARow > FRows || PhysRow < 1 || PhysRow > FRows) return;
    FSortOrder[static_cast<size_t>(ARow - 1)] = PhysRow;
    ++FGeneration;
}

void TStringArray::Changed() {
    if (OnChange) OnChange(this);
}

// ---- Sizes and rows --------------------------------------------------------------------------------

int TStringArray::CapacityFor(int Rows) const {
    const int64_t step = std::max(FAllocRowsBy, 1);
    const int64_t cap = step * ((Rows - 1) / step + 1);
    return cap > INT32_MAX ? -1 : static_cast<int>(cap);
}

// New reference, order and attribute arrays for NewCols columns and NewCapacity rows, keeping what
// both sizes reach. False, nothing changed, when the size is beyond MaxCells or memory runs out.
bool TStringArray::Reallocate(int NewCols, int NewCapacity) {
    if (NewCols <= 0 || NewCapacity <= 0 ||
        static_cast<int64_t>(NewCols + int64_t(1)) * NewCapacity > MaxCells)
        return false;
    try {
        std::vector<uint32_t> refs(static_cast<size_t>(NewCols + 1) * static_cast<size_t>(NewCapacity), 0);
        std::vector<int> order(static_cast<size_t>(NewCapacity));
        std::vector<uint8_t> rowAttr(static_cast<size_t>(NewCapacity), 0);
        std::vector<uint8_t> colAttr(static_cast<size_t>(NewCols), 0);
        const size_t rows = static_cast<size_t>(std::min(FCapacity, NewCapacity));
        for (int c = 0; c <= std::min(FCols, NewCols); ++c)
            std::copy_n(FRefs.begin() + static_cast<std::ptrdiff_t>(c) * FCapacity, rows,
                        refs.begin() + static_cast<std::ptrdiff_t>(c) * NewCapacity);
        std::iota(order.begin(), order.end(), 1);
        std::copy_n(FSortOrder.begin(), rows, order.begin());
        std::copy_n(FRowAttr.begin(), rows, rowAttr.begin());
        std::copy_n(FColAttr.begin(), std::min(FCols, NewCols), colAttr.begin());
        FRefs.swap(refs);
        FSortOrder.swap(order);
        FRowAttr.swap(rowAttr);
        FColAttr.swap(colAttr);
    } catch (const std::bad_alloc&) {
        return false;
    }
    FCapacity = NewCapacity;
    return true;
}

bool TStringArray::Resize(int NewCols, int NewRows) {
    if (NewCols == FCols && NewRows == FRows) return true;
    if (NewCols <= 0 || NewRows <= 0) return false;
    if ((NewCols != FCols || NewRows > FCapacity) && !Reallocate(NewCols, CapacityFor(NewRows))) return false;
    // Rows cut off lose their cells and attributes (their texts stay as holes in the pages).
    const int cutEnd = std::min(FRows, FCapacity);
    for (int c = 0; c <= std::min(FCols, NewCols); ++c)
        for (int r = NewRows + 1; r <= cutEnd; ++r) Ref(c, r) = 0;
    for (int r = NewRows + 1; r <= cutEnd; ++r) FRowAttr[static_cast<size_t>(r - 1)] = 0;
    std::iota(FSortOrder.begin(), FSortOrder.end(), 1);
    FCols = NewCols;
    FRows = NewRows;
    ++FGeneration;
    Changed();
    return true;
}

int TStringArray::AddRow() {
    SetNrRows(FRows + 1);
    return FRows;
}

void TStringArray::InsertRow(int ARow) {
    if (ARow < 1 || ARow > FRows) return;
    if (FRows + 1 > FCapacity) {
        const int cap = FRows == INT32_MAX ? -1 : CapacityFor(FRows + 1);
        if (cap < 0 || !Reallocate(FCols, cap)) RaiseArrayError("out of memory");
    }
    const int p = Phys(ARow);
    // Physical rows p.. move one down in every column.
    for (int c = 0; c <= FCols; ++c) {
        uint32_t* col = &Ref(c, 1);
        std::memmove(col + p, col + p - 1, static_cast<size_t>(FRows - p + 1) * sizeof(uint32_t));
        col[p - 1] = 0;
    }
    std::memmove(&FRowAttr[static_cast<size_t>(p)], &FRowAttr[static_cast<size_t>(p - 1)],
                 static_cast<size_t>(FRows - p + 1));
    FRowAttr[static_cast<size_t>(p - 1)] = 0;
    // Displayed rows keep their order; the new row shows at ARow.
    for (int i = 0; i < FRows; ++i)
        if (FSortOrder[static_cast<size_t>(i)] >= p) ++FSortOrder[static_cast<size_t>(i)];
    FSortOrder.insert(FSortOrder.begin() + (ARow - 1), p);
    FSortOrder.pop_back();
    ++FRows;
    ++FGeneration;
    Changed();
}

void TStringArray::RemoveRow(int ARow) {
    if (ARow < 1 || ARow > FRows) return;
    const int p = Phys(ARow);
    if (FRows == 1) {
        for (int c = 0; c <= FCols; ++c) Ref(c, p) = 0;
        FRowAttr[static_cast<size_t>(p - 1)] = 0;
    } else {
        for (int c = 0; c <= FCols; ++c) {
            uint32_t* col = &Ref(c, 1);
            std::memmove(col + p - 1, col + p, static_cast<size_t>(FRows - p) * sizeof(uint32_t));
            col[FRows - 1] = 0;
        }
        std::memmove(&FRowAttr[static_cast<size_t>(p - 1)], &FRowAttr[static_cast<size_t>(p)],
                     static_cast<size_t>(FRows - p));
        FRowAttr[static_cast<size_t>(FRows - 1)] = 0;
        FSortOrder.erase(FSortOrder.begin() + (ARow - 1));
        FSortOrder.push_back(FRows);
        for (int i = 0; i < FRows - 1; ++i)
            if (FSortOrder[static_cast<size_t>(i)] > p) --FSortOrder[static_cast<size_t>(i)];
        --FRows;
    }
    ++FGeneration;
    Changed();
}

void TStringArray::Clear() {
    std::fill(FRefs.begin(), FRefs.end(), 0);
    std::iota(FSortOrder.begin(), FSortOrder.end(), 1);
    std::fill(FRowAttr.begin(), FRowAttr.end(), 0);
    std::fill(FColAttr.begin(), FColAttr.end(), 0);
    ResetPages();
    ++FGeneration;
}

void TStringArray::Fill(const std::string& S) {
    if (S.empty()) {
        Clear();
        return;
    }
    for (int c = 0; c <= FCols; ++c)
        for (int r = 1; r <= FRows; ++r) SetString(c, r, S);
}

bool TStringArray::ColumnEmpty(int ACol) const {
    if (ACol < 0 || ACol > FCols) return true;
    for (int r = 1; r <= FRows; ++r)
        if (!BlanksOnly(CellText(ACol, r))) return false;
    return true;
}

bool TStringArray::RowEmpty(int ARow) const {
    if (ARow < 1 || ARow > FRows) return true;
    const int p = Phys(ARow);
    for (int c = 1; c <= FCols; ++c)
        if (!BlanksOnly(CellText(c, p))) return false;
    return true;
}

// ---- Searching -------------------------------------------------------------------------------------

bool TStringArray::FindCell(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh, int RowLow,
                            int RowHigh, int& Col, int& Row) const {
    return FindCellIntern(SearchStr, MatchCase, ColLow, ColHigh, RowLow, RowHigh, Col, Row, false);
}

bool TStringArray::FindCellExact(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh,
                                 int RowLow, int RowHigh, int& Col, int& Row) const {
    return FindCellIntern(SearchStr, MatchCase, ColLow, ColHigh, RowLow, RowHigh, Col, Row, true);
}

bool TStringArray::FindCellIntern(const std::string& SearchStr, bool MatchCase, int ColLow, int ColHigh,
                                  int RowLow, int RowHigh, int& Col, int& Row, bool Exact) const {
    std::string search, cell;
    if (MatchCase)
        search = SearchStr;
    else
        FoldInto(SearchStr, search);
    if (ColLow == -1 || ColHigh == -1) {
        ColLow = 0;
        ColHigh = FCols;
    }
    if (RowLow == -1 && RowHigh == -1) {
        RowLow = 1;
        RowHigh = FRows;
    }
    ColLow = std::clamp(ColLow, 0, FCols);
    ColHigh = std::clamp(ColHigh, 0, FCols);
    RowLow = std::clamp(RowLow, 1, FRows);
    RowHigh = std::clamp(RowHigh, 1, FRows);
    if (ColLow > ColHigh) std::swap(ColLow, ColHigh);
    if (RowLow > RowHigh) std::swap(RowLow, RowHigh);
    if (!Exact && search.empty()) return false;
    for (int c = ColLow; c <= ColHigh; ++c)
        for (int r = RowLow; r <= RowHigh; ++r) {
            std::string_view text = CellText(c, Phys(r));
            if (!MatchCase) {
                FoldInto(text, cell);
                text = cell;
            }
            if (Exact ? text == search : text.find(search) != std::string_view::npos) {
                Col = c;
                Row = r;
                return true;
            }
        }
    return false;
}

bool TStringArray::FindCellInSortedColumn(const std::string& SearchStr, bool MatchCase, int ACol, int RowLow,
                                          int RowHigh, bool Ascending, int& Row) const {
    std::string search, cell;
    if (MatchCase)
        search = SearchStr;
    else
        FoldInto(SearchStr, search);
    // The cell's text in the case mode of the search (ordinal comparison of unsigned bytes).
    const auto text = [&](int R) -> std::string_view {
        const std::string_view t = CellText(ACol, Phys(R));
        if (MatchCase) return t;
        FoldInto(t, cell);
        return cell;
    };
    if (RowLow == -1 && RowHigh == -1) {
        RowLow = 1;
        RowHigh = FRows;
    }
    ACol = std::clamp(ACol, 0, FCols);
    int low = std::clamp(RowLow, 1, FRows), high = std::clamp(RowHigh, 1, FRows);
    if (low > high) std::swap(low, high);
    bool hit = false;
    while (low != high) {
        Row = (low + high) / 2;
        const std::string_view t = text(Row);
        if (t == search) {
            hit = true;
            break;
        }
        if ((std::string_view(search) < t) == Ascending)
            high = Row;
        else
            low = Row + 1;
    }
    if (!hit) {
        Row = low;
        hit = text(Row) == search;
    }
    if (!hit) return false;
    // The first of a run of equal cells.
    while (Row > 1 && text(Row - 1) == search) --Row;
    return true;
}

// ---- Committing the order and compacting the pages -------------------------------------------------

void TStringArray::CommitSorting() {
    // A physical row shown more than once (the order was set by hand) gets its own copies of its
    // texts for every further place, so no two cells ever share one stored text.
    std::vector<bool> shown(static_cast<size_t>(FRows) + 1, false);
    std::vector<int> order(FSortOrder.begin(), FSortOrder.begin() + FRows);
    std::vector<uint8_t> attrs(static_cast<size_t>(FRows));
    std::vector<uint32_t> col(static_cast<size_t>(FRows));
    for (int c = 0; c <= FCols; ++c) {
        std::fill(shown.begin(), shown.end(), false);
        for (int i = 0; i < FRows; ++i) {
            const int p = order[static_cast<size_t>(i)];
            uint32_t r = Ref(c, p);
            if (shown[static_cast<size_t>(p)] && r != 0) r = Store(std::string(CellText(c, p)));
            shown[static_cast<size_t>(p)] = true;
            col[static_cast<size_t>(i)] = r;
        }
        std::copy(col.begin(), col.end(), FRefs.begin() + static_cast<std::ptrdiff_t>(c) * FCapacity);
    }
    for (int i = 0; i < FRows; ++i)
        attrs[static_cast<size_t>(i)] = FRowAttr[static_cast<size_t>(order[static_cast<size_t>(i)] - 1)];
    std::copy(attrs.begin(), attrs.end(), FRowAttr.begin());
    std::iota(FSortOrder.begin(), FSortOrder.end(), 1);
    ++FGeneration;
}

void TStringArray::GarbageCollection() {
    // Cells grouped by page, each group in the order column 0..NrOfColumns, row 1..NrOfRows; each
    // page is then rebuilt with its texts in that order from offset 1.
    const size_t pages = FPages.size();
    std::vector<uint32_t> start(pages + 1, 0);
    for (int c = 0; c <= FCols; ++c)
        for (int r = 1; r <= FRows; ++r)
            if (const uint32_t ref = Ref(c, r)) ++start[ref >> 16];
    for (size_t i = 1; i <= pages; ++i) start[i] += start[i - 1];
    std::vector<uint32_t*> cells(start[pages]);
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (int c = 0; c <= FCols; ++c)
        for (int r = 1; r <= FRows; ++r)
            if (uint32_t& ref = Ref(c, r); ref != 0) cells[next[(ref >> 16) - 1]++] = &ref;

    std::vector<uint8_t> image(PageSize, 0);
    for (size_t pg = 0; pg < pages; ++pg) {
        int offset = 1;
        for (uint32_t i = start[pg]; i < start[pg + 1]; ++i) {
            uint32_t& ref = *cells[i];
            const uint8_t* src = TextAt(ref);
            const int n = src[0] + 1;
            std::memcpy(image.data() + (offset - 1), src, static_cast<size_t>(n));
            ref = (static_cast<uint32_t>(pg + 1) << 16) | static_cast<uint32_t>(offset);
            offset += n;
        }
        FPages[pg].swap(image);
        FUsage[pg] = offset;
    }
    RebuildFreeTree();
}

} // namespace qyx
