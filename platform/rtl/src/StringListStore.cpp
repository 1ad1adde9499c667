// TStringList: storage, sorted insertion, search, sorting and change notification.
#include <qyx/platform/StringList.h>

#include <qyx/platform/CodePage.h>

#include <algorithm>
#include <numeric>
#include <utility>

namespace qyx {

namespace {

[[noreturn]] void SortedListError() {
    throw EListError("Operation not allowed on sorted list");
}

// Stable bottom-up merge sort of a permutation. Only ever compares elements inside the range, so a
// comparison that is not a consistent order gives some order but never runs out of bounds.
template <class Less> void MergeSort(std::vector<int>& Perm, Less IsLess) {
    const size_t n = Perm.size();
    std::vector<int> tmp(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t a = lo, b = mid, k = lo;
            while (a < mid && b < hi) tmp[k++] = IsLess(Perm[b], Perm[a]) ? Perm[b++] : Perm[a++];
            while (a < mid) tmp[k++] = Perm[a++];
            while (b < hi) tmp[k++] = Perm[b++];
        }
        Perm.swap(tmp);
    }
}

} // namespace

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TStringList::Changed() {
    if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

std::string TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].S;
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].Obj;
}

void TStringList::Put(int Index, const std::string& S) {
    if (FSorted) SortedListError();
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].S = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].Obj = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    if (FSorted) SortedListError();
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, nullptr);
}

int TStringList::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const {
    if (!FSorted) {
        Index = TStrings::IndexOf(S);
        if (Index >= 0) return true;
        Index = GetCount();
        return false;
    }
    // First position whose item is not below S.
    int lo = 0, hi = GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (CompareStrings(FList[static_cast<size_t>(mid)].S, S) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    Index = lo;
    return lo < GetCount() && CompareStrings(FList[static_cast<size_t>(lo)].S, S) == 0;
}

int TStringList::IndexOf(const std::string& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int index = -1;
    return Find(S, index) ? index : -1;
}

void TStringList::Sort() {
    CustomSort([](TStringList* List, int Index1, int Index2) {
        return List->CompareStrings(List->FList[static_cast<size_t>(Index1)].S,
                                    List->FList[static_cast<size_t>(Index2)].S);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || GetCount() < 2 || !Compare) return;
    std::vector<int> perm(FList.size());
    std::iota(perm.begin(), perm.end(), 0);
    MergeSort(perm, [&](int a, int b) { return Compare(this, a, b) < 0; });
    Changing();
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : perm) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

} // namespace qyx
