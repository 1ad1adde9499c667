// QYX_dstruct: sorting the row order of TStringArray by a comb sort with shrink factor 1.3.
//
// Without an OnBeforeSortExchange handler every text of the column is folded (A..Z to a..z) once
// before sorting, and each row carries its first eight folded bytes as a big-endian number beside
// its entry in the sort order; a comparison then costs one integer comparison and looks at the
// whole texts only when those eight bytes are equal. The passes, the comparisons counted and the
// notifications are the same as with a handler, which sees both texts of every comparison.
#include <qyx/QYX_dstruct.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>

namespace qyx {

namespace {

constexpr long double kShrink = 1.3L;

int NextGap(int Gap) {
    const int g = static_cast<int>(std::trunc(Gap / kShrink));
    return g == 0 ? 1 : g;
}

// Byte order of the folded texts: negative, zero or positive.
int CompareFolded(std::string_view A, std::string_view B) {
    const size_t n = std::min(A.size(), B.size());
    if (n > 0)
        if (const int c = std::memcmp(A.data(), B.data(), n)) return c;
    return A.size() < B.size() ? -1 : A.size() > B.size() ? 1 : 0;
}

constexpr auto MakeFoldTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = static_cast<uint8_t>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return t;
}

constexpr auto kFold = MakeFoldTable();

void Fold(std::string& S) {
    for (char& c : S) c = static_cast<char>(kFold[static_cast<uint8_t>(c)]);
}

} // namespace

void TStringArray::BeforeSortExchange(const std::string& InString, std::string& OutString) {
    OutString = InString;
    if (OnBeforeSortExchange) OnBeforeSortExchange(this, InString, OutString);
}

void TStringArray::UnSort() {
    std::iota(FSortOrder.begin(), FSortOrder.end(), 1);
    ++FGeneration;
    Changed();
}

// Reports the progress of a finished pass; false when a handler has changed the array since
// Generation, which ends the sort.
bool TStringArray::PassDone(int64_t Count, int64_t Estimate, uint64_t Generation) {
    if (OnPercentDone)
        OnPercentDone(this,
                      static_cast<int>(std::nearbyint(static_cast<long double>(Count) / Estimate * 100)));
    return FGeneration == Generation;
}

void TStringArray::Sort(int ACol, bool Ascending) {
    if (OnPercentDone) OnPercentDone(this, 0);
    // The comparisons all passes will make, the last one at gap 1 counted once.
    int64_t estimate = 0;
    int g = FRows;
    do {
        g = NextGap(g);
        estimate += FRows - g;
    } while (g != 1);
    estimate += FRows;
    if (FRows > 1) {
        if (OnBeforeSortExchange)
            SortWithHandler(ACol, Ascending, estimate);
        else
            SortFolded(ACol, Ascending, estimate);
        // The order has changed: a sort running around this one (from a handler) ends after its pass.
        ++FGeneration;
        Changed();
    }
    if (OnPercentDone) OnPercentDone(this, 100);
}

void TStringArray::SortFolded(int ACol, bool Ascending, int64_t Estimate) {
    const int n = FRows;
    const bool valid = ACol >= 0 && ACol <= FCols;
    // Folded texts of the physical rows, one after another, and each row's leading eight bytes.
    std::vector<uint32_t> start(static_cast<size_t>(n) + 2, 0);
    std::string folded;
    if (valid) {
        for (int p = 1; p <= n; ++p)
            start[static_cast<size_t>(p) + 1] =
                start[static_cast<size_t>(p)] + static_cast<uint32_t>(CellText(ACol, p).size());
        folded.reserve(start[static_cast<size_t>(n) + 1]);
        for (int p = 1; p <= n; ++p) folded += CellText(ACol, p);
        Fold(folded);
    }
    const auto text = [&](int p) {
        return std::string_view(folded.data() + start[static_cast<size_t>(p)],
                                start[static_cast<size_t>(p) + 1] - start[static_cast<size_t>(p)]);
    };
    std::vector<uint64_t> key(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::string_view t = text(FSortOrder[static_cast<size_t>(i)]);
        uint8_t b[8] = {};
        std::memcpy(b, t.data(), std::min<size_t>(8, t.size()));
        uint64_t k = 0;
        for (uint8_t x : b) k = (k << 8) | x;
        key[static_cast<size_t>(i)] = k;
    }

    const uint64_t generation = FGeneration;
    int64_t count = 0;
    int gap = n;
    bool swapped;
    do {
        gap = NextGap(gap);
        swapped = false;
        int* order = FSortOrder.data();
        uint64_t* k = key.data();
        for (int i = 0; i + gap < n; ++i) {
            const int j = i + gap;
            const uint64_t a = k[i], b = k[j];
            bool exchange;
            if (a != b) [[likely]]
                exchange = Ascending ? a > b : a < b;
            else {
                const int c = CompareFolded(text(order[i]), text(order[j]));
                exchange = Ascending ? c > 0 : c < 0;
            }
            // Written without a branch: the outcome of early passes is unpredictable.
            const int oi = order[i], oj = order[j];
            k[i] = exchange ? b : a;
            k[j] = exchange ? a : b;
            order[i] = exchange ? oj : oi;
            order[j] = exchange ? oi : oj;
            swapped |= exchange;
        }
        count += n - gap;
        if (!PassDone(count, Estimate, generation)) return;
    } while (gap != 1 || swapped);
}

void TStringArray::SortWithHandler(int ACol, bool Ascending, int64_t Estimate) {
    const uint64_t generation = FGeneration;
    int64_t count = 0;
    int gap = FRows;
    bool swapped;
    std::string a, b;
    do {
        gap = NextGap(gap);
        swapped = false;
        for (int i = 1; i + gap <= FRows; ++i) {
            BeforeSortExchange(GetString(ACol, i), a);
            BeforeSortExchange(GetString(ACol, i + gap), b);
            ++count;
            // A handler that changed the array may have moved, removed or emptied the rows just
            // read: nothing is exchanged on their texts and the pass ends here.
            if (FGeneration != generation) break;
            Fold(a);
            Fold(b);
            const int c = CompareFolded(a, b);
            if (Ascending ? c > 0 : c < 0) {
                std::swap(FSortOrder[static_cast<size_t>(i) - 1],
                          FSortOrder[static_cast<size_t>(i + gap) - 1]);
                swapped = true;
            }
        }
        if (!PassDone(count, Estimate, generation)) return;
    } while (gap != 1 || swapped);
}

} // namespace qyx
