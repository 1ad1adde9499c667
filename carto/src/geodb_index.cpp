// TGeoDB: the five sorted indexes, insertion by bisection, removal, and the index searches.
#include <algorithm>

#include "geodb_internal.h"

namespace qyx {

namespace {

// Bisection over a[0..h]: the position where Key stands or would be inserted (0 when h < 0).
template <class Arr, class KeyOf, class K> int Bisect(const Arr& a, int h, const K& Key, KeyOf keyOf) {
    if (h < 0) return 0;
    int lo = 0, hi = h;
    int mid = (lo + hi) / 2;
    bool found = false;
    while (hi >= lo && !found) {
        mid = (lo + hi) / 2;
        const auto v = keyOf(a[static_cast<size_t>(mid)]);
        if (v < Key)
            lo = mid + 1;
        else if (v == Key)
            found = true;
        else
            hi = mid - 1;
    }
    return keyOf(a[static_cast<size_t>(mid)]) < Key ? mid + 1 : mid;
}

double EdgeKey(const TIxLLRec& r) {
    return static_cast<double>(r.Value);
}
int IDKey(const TIxItemIDRec& r) {
    return r.ItemID;
}

template <class Arr> void InsertAt(Arr& Ix, int p, const typename Arr::value_type& Rec) {
    const auto last = Ix.end() - 1; // the free slot
    std::move_backward(Ix.begin() + p, last, Ix.end());
    Ix[static_cast<size_t>(p)] = Rec;
}

} // namespace

void TGeoDB::SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec) {
    if (Ix.empty()) return;
    const int h = static_cast<int>(Ix.size()) - 2;
    InsertAt(Ix, Bisect(Ix, h, static_cast<double>(Rec.Value), EdgeKey), Rec);
}

void TGeoDB::SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec) {
    if (Ix.empty()) return;
    const int h = static_cast<int>(Ix.size()) - 2;
    InsertAt(Ix, Bisect(Ix, h, Rec.ItemID, IDKey), Rec);
}

void TGeoDB::InsertIntoIndex(int RecNo, const TgdbData& Data) {
    FlushPending();
    SortIxItemIDInto(FIxItemID, {Data.ItemID, RecNo - 1});
    SortIxInto(FIxEdge[0], {Data.LatLow, RecNo - 1});
    SortIxInto(FIxEdge[1], {Data.LatHigh, RecNo - 1});
    SortIxInto(FIxEdge[2], {Data.LongLow, RecNo - 1});
    SortIxInto(FIxEdge[3], {Data.LongHigh, RecNo - 1});
}

namespace {
template <class Arr> void RemoveEntry(Arr& Ix, int NumEntries, int RecNo0) {
    const size_t n = std::min(Ix.size(), static_cast<size_t>(std::max(NumEntries, 0)));
    for (size_t k = 0; k < n; ++k) {
        if (Ix[k].RecNo == RecNo0) {
            std::move(Ix.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                      Ix.begin() + static_cast<std::ptrdiff_t>(n),
                      Ix.begin() + static_cast<std::ptrdiff_t>(k));
            return;
        }
    }
}
} // namespace

void TGeoDB::RemoveIndexEntries(int RecNo) {
    FlushPending();
    RemoveEntry(FIxItemID, FNumEntries, RecNo - 1);
    for (auto& ix : FIxEdge) RemoveEntry(ix, FNumEntries, RecNo - 1);
}

namespace {
template <class Arr> typename Arr::value_type EntryAt(const Arr& Ix, int NumEntries, int Position) {
    const int n = std::min(NumEntries, static_cast<int>(Ix.size()));
    if (n <= 0) return {};
    auto r = Ix[static_cast<size_t>(std::clamp(Position, 1, n) - 1)];
    r.RecNo += 1;
    return r;
}
} // namespace

TIxItemIDRec TGeoDB::GetIxItemID(int Position) const {
    FlushPending();
    return EntryAt(FIxItemID, FNumEntries, Position);
}
TIxLLRec TGeoDB::GetIxLatLow(int Position) const {
    FlushPending();
    return EntryAt(FIxEdge[0], FNumEntries, Position);
}
TIxLLRec TGeoDB::GetIxLatHigh(int Position) const {
    FlushPending();
    return EntryAt(FIxEdge[1], FNumEntries, Position);
}
TIxLLRec TGeoDB::GetIxLongLow(int Position) const {
    FlushPending();
    return EntryAt(FIxEdge[2], FNumEntries, Position);
}
TIxLLRec TGeoDB::GetIxLongHigh(int Position) const {
    FlushPending();
    return EntryAt(FIxEdge[3], FNumEntries, Position);
}

int TGeoDB::GetClosestLatLowIx(double Value) const {
    FlushPending();
    return Bisect(FIxEdge[0], static_cast<int>(FIxEdge[0].size()) - 1, Value, EdgeKey) + 1;
}
int TGeoDB::GetClosestLatHighIx(double Value) const {
    FlushPending();
    return Bisect(FIxEdge[1], static_cast<int>(FIxEdge[1].size()) - 1, Value, EdgeKey) + 1;
}
int TGeoDB::GetClosestLongLowIx(double Value) const {
    FlushPending();
    return Bisect(FIxEdge[2], static_cast<int>(FIxEdge[2].size()) - 1, Value, EdgeKey) + 1;
}
int TGeoDB::GetClosestLongHighIx(double Value) const {
    FlushPending();
    return Bisect(FIxEdge[3], static_cast<int>(FIxEdge[3].size()) - 1, Value, EdgeKey) + 1;
}
int TGeoDB::GetClosestItemIDIx(int ItemID) const {
    FlushPending();
    return Bisect(FIxItemID, static_cast<int>(FIxItemID.size()) - 1, ItemID, IDKey) + 1;
}

int TGeoDB::SearchForItemID(int ItemID) const {
    FlushPending();
    const int p = Bisect(FIxItemID, static_cast<int>(FIxItemID.size()) - 1, ItemID, IDKey);
    if (p < 0 || p >= static_cast<int>(FIxItemID.size()) ||
        FIxItemID[static_cast<size_t>(p)].ItemID != ItemID)
        return 0;
    return FIxItemID[static_cast<size_t>(p)].RecNo + 1;
}

} // namespace qyx
