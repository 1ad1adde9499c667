// TStrings: the operations every string list has, built on the storage primitives of a descendant.
#include <qyx/platform/StringList.h>

#include <qyx/platform/CodePage.h>

namespace qyx {

namespace {

// Keeps a list in its update state for the lifetime of the guard, also when an exception passes.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TStrings* List) : FList(List) { FList->BeginUpdate(); }
    ~TUpdateGuard() { FList->EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TStrings* FList;
};

bool IsBlankOrControl(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

} // namespace

void TStrings::IndexError(int Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TStrings::Put(int Index, const std::string& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const {
    return AnsiCompareText(S1, S2);
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

int TStrings::Add(const std::string& S) {
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::AddStrings(const TStrings* Strings) {
    if (Strings == nullptr) return;
    // Take the items first: Strings may be this list.
    std::vector<std::pair<std::string, TObject*>> items;
    for (int i = 0; i < Strings->GetCount(); ++i) items.emplace_back(Strings->Get(i), Strings->GetObject(i));
    TUpdateGuard guard(this);
    for (const auto& [s, obj] : items) AddObject(s, obj);
}

void TStrings::Exchange(int Index1, int Index2) {
    TUpdateGuard guard(this);
    const std::string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    TUpdateGuard guard(this);
    const std::string s = Get(CurIndex);
    TObject* obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
}

int TStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    for (int i = 0; i < GetCount(); ++i) {
        const std::string s = Get(i);
        const auto eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(s.substr(0, eq), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(const TStrings* Strings) const {
    if (Strings == nullptr || Strings->GetCount() != GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

std::string TStrings::GetText() const {
    std::string r;
    for (int i = 0; i < GetCount(); ++i) r += Get(i) + "\r\n";
    return r;
}

void TStrings::SetText(const std::string& Value) {
    TUpdateGuard guard(this);
    Clear();
    size_t start = 0;
    while (start < Value.size()) {
        const size_t end = Value.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(Value.substr(start));
            break;
        }
        Add(Value.substr(start, end - start));
        // CR LF, LF and a lone CR each end one line.
        start = end + ((Value[end] == '\r' && end + 1 < Value.size() && Value[end + 1] == '\n') ? 2 : 1);
    }
}

std::string TStrings::GetCommaText() const {
    const int n = GetCount();
    if (n == 1 && Get(0).empty()) return "\"\"";
    std::string r;
    for (int i = 0; i < n; ++i) {
        const std::string s = Get(i);
        bool quote = false;
        for (char c : s) quote = quote || IsBlankOrControl(c) || c == '"' || c == ',';
        if (i > 0) r += ',';
        if (!quote) {
            r += s;
            continue;
        }
        r += '"';
        for (char c : s) {
            if (c == '"') r += '"';
            r += c;
        }
        r += '"';
    }
    return r;
}

void TStrings::SetCommaText(const std::string& Value) {
    TUpdateGuard guard(this);
    Clear();
    const size_t n = Value.size();
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < n && IsBlankOrControl(Value[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
        std::string item;
        if (Value[p] == '"') {
            // Quoted item: up to the closing quote, a doubled quote stands for one.
            ++p;
            while (p < n) {
                if (Value[p] == '"') {
                    if (p + 1 < n && Value[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += Value[p++];
            }
        } else {
            const size_t start = p;
            while (p < n && !IsBlankOrControl(Value[p]) && Value[p] != ',') ++p;
            item = Value.substr(start, p - start);
        }
        Add(item);
        skipBlanks();
        if (p < n && Value[p] == ',') {
            ++p;
            skipBlanks();
        }
    }
}

std::string TStrings::GetNames(int Index) const {
    const std::string s = Get(Index);
    const auto eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::GetValueFromIndex(int Index) const {
    const std::string s = Get(Index);
    const auto eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

std::string TStrings::GetValues(const std::string& Name) const {
    const int i = IndexOfName(Name);
    return i < 0 ? std::string() : GetValueFromIndex(i);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
    const int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(i, Name + "=" + Value);
    }
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TStrings*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    TUpdateGuard guard(this);
    Clear();
    AddStrings(src);
}

} // namespace qyx
