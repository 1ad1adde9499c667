// Directory enumeration: sorted listings, masks, and FindFirst/FindNext/FindClose.
#include <qyx/platform/FileApi.h>
#include <qyx/platform/FileSystem.h>

#include "FileApiInternal.h"

#include <qyx/platform/CodePage.h>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

namespace qyx {

using namespace detail;

struct TSearchState {
    std::string SysDir;
    std::vector<TDirEntry> Entries;
    size_t Next = 0;
};

namespace detail {

static int DotRank(const std::string& Name) {
    if (Name == ".") return 0;
    if (Name == "..") return 1;
    return 2;
}

bool EntryBefore(const TDirEntry& A, const TDirEntry& B) {
    const int ra = DotRank(A.SysName), rb = DotRank(B.SysName);
    if (ra != rb) return ra < rb;
    if (A.Key != B.Key) return A.Key < B.Key;
    return A.SysName < B.SysName;
}

bool ListDirectory(const std::string& SysDir, std::vector<TDirEntry>& Entries) {
    Entries.clear();
    DIR* dir = ::opendir(SysDir.c_str());
    if (!dir) return false;
    while (const dirent* d = ::readdir(dir)) {
        TDirEntry e;
        e.SysName = d->d_name;
        e.Name = Utf8ToCp1252(e.SysName);
        e.Key = AnsiUpperCase(e.Name);
        Entries.push_back(std::move(e));
    }
    ::closedir(dir);
    std::sort(Entries.begin(), Entries.end(), EntryBefore);
    return true;
}

} // namespace detail

bool MatchesMask(const std::string& Name, const std::string& Mask) {
    if (Mask == "*.*") return true;
    // Iterative wildcard match with one backtrack point for the last "*".
    size_t n = 0, m = 0, starM = std::string::npos, starN = 0;
    while (n < Name.size()) {
        if (m < Mask.size() && Mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (m < Mask.size() && (Mask[m] == '?' || AnsiUpperChar(Mask[m]) == AnsiUpperChar(Name[n]))) {
            ++m;
            ++n;
        } else if (starM != std::string::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < Mask.size() && Mask[m] == '*') ++m;
    return m == Mask.size();
}

int FindFirst(const std::string& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    const size_t sep = Path.find_last_of("/\\");
    const std::string dir = sep == std::string::npos ? std::string() : Path.substr(0, sep + 1);
    const std::string mask = sep == std::string::npos ? Path : Path.substr(sep + 1);
    auto state = std::make_shared<TSearchState>();
    state->SysDir = dir.empty() ? "." : ToSysPath(dir);
    std::vector<TDirEntry> all;
    if (!ListDirectory(state->SysDir, all)) return 3;
    for (TDirEntry& e : all)
        if (MatchesMask(e.Name, mask)) state->Entries.push_back(std::move(e));
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    F.FindHandle = std::move(state);
    if (FindNext(F) != 0) {
        FindClose(F);
        return 2;
    }
    return 0;
}

int FindNext(TSearchRec& F) {
    TSearchState* s = F.FindHandle.get();
    if (!s) return 18;
    while (s->Next < s->Entries.size()) {
        const TDirEntry& e = s->Entries[s->Next++];
        std::string full = s->SysDir;
        if (full.back() != '/') full += '/';
        full += e.SysName;
        struct stat st;
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
        const int attr = AttributesOf(e.Name, st);
        if (attr & F.ExcludeAttr) continue;
        F.Name = e.Name;
        F.Attr = attr;
        F.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
        F.TimeStamp = UnixToLocalDateTime(st.st_mtim);
        F.Time = DateTimeToFileDate(F.TimeStamp);
        return 0;
    }
    return 18;
}

void FindClose(TSearchRec& F) {
    F.FindHandle.reset();
}

} // namespace qyx
