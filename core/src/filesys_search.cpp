// File searches and bulk operations on masks of QYX_filesys: FileDetect, ScanFilesToStrList,
// DeleteFiles and SetAllFilenameCase. Recursive searches never enter a linked directory, so a link
// that points back up the tree cannot make them run forever.
#include <qyx/QYX_filesys.h>

#include "filesys_internal.h"

#include <qyx/platform/CodePage.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/StringList.h>

#include <cerrno>

namespace qyx {

using namespace filesys;

namespace {

// The entries of a search as a list, so that the directory may change while they are handled.
std::vector<TSearchRec> FindAll(const std::string& Path, int Attr) {
    std::vector<TSearchRec> found;
    TSearchRec sr;
    for (int r = FindFirst(Path, Attr, sr); r == 0; r = FindNext(sr)) {
        TSearchRec copy = sr;
        copy.FindHandle.reset();
        found.push_back(std::move(copy));
    }
    return found;
}

bool IsDots(const std::string& Name) {
    return Name == "." || Name == "..";
}

// A subdirectory to descend into: exactly faDirectory (or any directory when Exactly is false), not
// "." or "..", and not a link.
bool IsSubdirToEnter(const std::string& Dir, const TSearchRec& Sr, bool Exactly) {
    const bool dirAttr = Exactly ? Sr.Attr == faDirectory : (Sr.Attr & faDirectory) != 0;
    return dirAttr && !IsDots(Sr.Name) && !IsLink(Dir + Sr.Name);
}

std::string Detect(const std::string& Dir, const std::string& Name) {
    for (const TSearchRec& sr : FindAll(Dir + Name, faAnyFile))
        if (!(sr.Attr & faDirectory)) return Dir + sr.Name;
    for (const TSearchRec& sr : FindAll(Dir + "*.*", faDirectory)) {
        if (!IsSubdirToEnter(Dir, sr, true)) continue;
        std::string found = Detect(IncludeSep(Dir + AnsiUpperCase(sr.Name)), Name);
        if (!found.empty()) return found;
    }
    return "";
}

void Scan(const std::string& Mask, bool Recursive, TStrings* List, const TScanFeedBackProc& Feedback,
          int& Count) {
    const std::string mask = AnsiUpperCase(Mask);
    const std::string dir = DirPart(mask);
    if (Feedback) Feedback(dir, Count);
    for (const TSearchRec& sr : FindAll(mask, faAnyFile))
        if (!(sr.Attr & faDirectory)) {
            List->Add(dir + sr.Name);
            ++Count;
        }
    if (!Recursive) return;
    const std::string name = StripPath(mask);
    for (const TSearchRec& sr : FindAll(dir + "*.*", faAnyFile)) {
        if (!IsSubdirToEnter(dir, sr, false)) continue;
        std::string sub = IncludeSep(dir + sr.Name);
        sub += name;
        Scan(sub, true, List, Feedback, Count);
    }
}

} // namespace

std::string FileDetect(const std::string& FileName) {
    if (FileName.empty()) return "";
    const std::string up = AnsiUpperCase(FileName);
    const std::string name = StripPath(up);
    if (name.empty()) return "";
    return Detect(DirPart(up), name);
}

void ScanFilesToStrList(const std::string& Mask, bool Recursive, TStrings* List,
                        const TScanFeedBackProc& Feedback) {
    if (!List) return;
    int count = 0;
    Scan(Mask, Recursive, List, Feedback, count);
}

int DeleteFiles(const std::string& Mask) {
    const std::string dir = DirPart(Mask);
    int deleted = 0;
    for (const TSearchRec& sr : FindAll(Mask, faAnyFile)) {
        if (sr.Name.empty() || sr.Name[0] == '.' || (sr.Attr & (faVolumeID | faDirectory))) continue;
        if (DeleteFile(dir + sr.Name)) ++deleted;
    }
    return deleted;
}

void SetAllFilenameCase(const std::string& Mask, bool Upper) {
    const std::string dir = DirPart(Mask);
    const std::string nameMask = StripPath(Mask);
    for (const TSearchRec& sr : FindAll(Mask, faAnyFile)) {
        if (IsDots(sr.Name)) continue;
        const bool enter = IsSubdirToEnter(dir, sr, true);
        const std::string newName = Upper ? AnsiUpperCase(sr.Name) : AnsiLowerCase(sr.Name);
        if (newName != sr.Name && !RenameFile(dir + sr.Name, dir + newName)) RaiseInOut(errno);
        if (!enter) continue;
        std::string sub = IncludeSep(dir + newName);
        sub += nameMask;
        SetAllFilenameCase(sub, Upper);
    }
}

} // namespace qyx
