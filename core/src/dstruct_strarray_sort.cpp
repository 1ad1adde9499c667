// QYX_dstruct: sorting the row order of TStringArray by a comb sort with shrink factor 1.3.
//
// Without an OnBeforeSortExchange handler every text of the column is folded (A..Z to a..z) once
// before sorting and each row gets the rank of its folded text among all of them; every entry of the
// sort order then carries its row's rank, and a comparison of the passes is one integer comparison
// with the outcome the comparison of the texts would have. The passes, the comparisons counted, the
// exchanges and the notifications are the same as with a handler, which sees both texts of every
// comparison.
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

// Ranks the texts Folded[Start[p] .. Start[p + 1]) of rows p = 1..n: rows with equal texts share a
// rank, and a lower rank means a smaller text. The ranks come from a sort on each text's first 15
// bytes and its length, kept beside the row, so whole texts are looked at only when both are longer
// than 14 bytes and begin alike.
std::vector<uint32_t> RankTexts(const std::string& Folded, const std::vector<uint32_t>& Start, int n) {
    std::vector<uint32_t> rank(static_cast<size_t>(n), 0);
    const auto text = [&](uint32_t p) {
        return std::string_view(Folded.data() + Start[p], Start[p + 1] - Start[p]);
    };
    // Hi holds bytes 0..7, Lo bytes 8..14 and then the length up to 15 (15: the text goes on), both
    // big-endian and padded with zeros; comparing (Hi, Lo) orders texts as comparing them does, and
    // equal keys mean equal texts unless the length byte is 15.
    struct TItem {
        uint64_t Hi, Lo;
        uint32_t Row;
    };
    constexpr size_t kCovered = 15;
    std::vector<TItem> items(static_cast<size_t>(n));
    for (uint32_t p = 1; p <= static_cast<uint32_t>(n); ++p) {
        const std::string_view t = text(p);
        uint8_t b[16] = {};
        std::memcpy(b, t.data(), std::min(kCovered, t.size()));
        b[15] = static_cast<uint8_t>(std::min(kCovered, t.size()));
        uint64_t hi = 0, lo = 0;
        for (size_t k = 0; k < 8; ++k) {
            hi = (hi << 8) | b[k];
            lo = (lo << 8) | b[8 + k];
        }
        items[p - 1] = {hi, lo, p};
    }
    const auto less = [&](const TItem& X, const TItem& Y) {
        if (X.Hi != Y.Hi) return X.Hi < Y.Hi;
        if (X.Lo != Y.Lo) return X.Lo < Y.Lo;
        return (X.Lo & 0xFF) == kCovered && CompareFolded(text(X.Row), text(Y.Row)) < 0;
    };
    std::sort(items.begin(), items.end(), less);
    uint32_t r = 0;
    for (size_t k = 0; k < items.size(); ++k) {
        if (k > 0 && less(items[k - 1], items[k])) ++r;
        rank[items[k].Row - 1] = r;
    }
    return rank;
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
    // Every row's rank by its folded text; a column out of range reads empty texts, all of rank 0.
    std::vector<uint32_t> rank(static_cast<size_t>(n), 0);
    if (ACol >= 0 && ACol <= FCols) {
        std::vector<uint32_t> start(static_cast<size_t>(n) + 2, 0);
        for (int p = 1; p <= n; ++p)
            start[static_cast<size_t>(p) + 1] =
                start[static_cast<size_t>(p)] + static_cast<uint32_t>(CellText(ACol, p).size());
        std::string folded;
        folded.reserve(start[static_cast<size_t>(n) + 1]);
        for (int p = 1; p <= n; ++p) folded += CellText(ACol, p);
        Fold(folded);
        rank = RankTexts(folded, start, n);
    }
    // The order's entries with the rank of their row in the upper half, exchanged as one word.
    std::vector<uint64_t> entry(static_cast<size_t>(n));
    for (size_t i = 0; i < entry.size(); ++i) {
        const auto p = static_cast<uint32_t>(FSortOrder[i]);
        entry[i] = static_cast<uint64_t>(rank[p - 1]) << 32 | p;
    }
    const auto storeOrder = [&] {
        for (size_t i = 0; i < entry.size(); ++i)
            FSortOrder[i] = static_cast<int>(static_cast<uint32_t>(entry[i]));
    };

    const uint64_t generation = FGeneration;
    int64_t count = 0;
    int gap = n;
    bool swapped;
    do {
        gap = NextGap(gap);
        swapped = false;
        uint64_t* e = entry.data();
        for (int i = 0; i + gap < n; ++i) {
            const uint64_t a = e[i], b = e[i + gap];
            const bool exchange = Ascending ? (a >> 32) > (b >> 32) : (a >> 32) < (b >> 32);
            // Written without a branch: the outcome of early passes is unpredictable.
            e[i] = exchange ? b : a;
            e[i + gap] = exchange ? a : b;
            swapped |= exchange;
        }
        count += n - gap;
        // A handler sees the order as it stands after the pass.
        if (OnPercentDone) storeOrder();
        if (!PassDone(count, Estimate, generation)) return;
    } while (gap != 1 || swapped);
    storeOrder();
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
