// Path handling: the case-insensitive resolution of file names, path expansion, and the current and
// temporary directories.
#include <qyx/platform/FileSystem.h>

#include "FileApiInternal.h"

#include <qyx/platform/CodePage.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace qyx {

using namespace detail;

namespace {

std::vector<std::string> SplitComponents(const std::string& Path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : Path) {
        if (c == '/' || c == '\\') {
            if (!cur.empty()) parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(std::move(cur));
    return parts;
}

bool IsSeparator(char C) {
    return C == '/' || C == '\\';
}

void AppendComponent(std::string& Path, const std::string& Comp) {
    if (!Path.empty() && Path.back() != '/') Path += '/';
    Path += Comp;
}

bool EntryExists(const std::string& SysPath) {
    struct stat st;
    return ::lstat(SysPath.c_str(), &st) == 0;
}

// Walks the components of Path (code page 1252), replacing each one that does not exist under its exact
// spelling by the first directory entry that matches it without regard to case. Sys receives the
// UTF-8 path, Disk (when given) the same path in code page 1252 with the spellings found on disk.
void Resolve(const std::string& Path, std::string& Sys, std::string* Disk) {
    const bool absolute = !Path.empty() && IsSeparator(Path[0]);
    const bool trailing = !Path.empty() && IsSeparator(Path.back());
    const std::vector<std::string> parts = SplitComponents(Path);
    Sys.clear();
    if (absolute) Sys.push_back('/');
    if (Disk) *Disk = Sys;
    bool resolving = true;
    std::vector<TDirEntry> entries;
    for (const std::string& comp : parts) {
        std::string sysComp = Cp1252ToUtf8(comp);
        std::string diskComp = comp;
        if (resolving && comp != "." && comp != "..") {
            std::string candidate = Sys;
            AppendComponent(candidate, sysComp);
            if (!EntryExists(candidate)) {
                resolving = false;
                const std::string key = AnsiUpperCase(comp);
                if (ListDirectory(Sys.empty() ? "." : Sys, entries)) {
                    for (const TDirEntry& e : entries) {
                        if (e.Key == key && e.Name != "." && e.Name != "..") {
                            sysComp = e.SysName;
                            diskComp = e.Name;
                            resolving = true;
                            break;
                        }
                    }
                }
            }
        }
        AppendComponent(Sys, sysComp);
        if (Disk) AppendComponent(*Disk, diskComp);
    }
    if (trailing && !parts.empty()) {
        Sys += '/';
        if (Disk) *Disk += '/';
    }
}

} // namespace

std::string ToSysPath(const std::string& FileName) {
    std::string direct = Cp1252ToUtf8(FileName);
    for (char& c : direct)
        if (c == '\\') c = '/';
    if (direct.empty() || EntryExists(direct)) return direct;
    std::string sys;
    Resolve(FileName, sys, nullptr);
    return sys;
}

std::string ExpandFileName(const std::string& FileName) {
    if (FileName.empty()) return "";
    std::string path = FileName;
    if (!IsSeparator(path[0])) path = GetCurrentDir() + "/" + path;
    std::vector<std::string> stack;
    for (std::string& comp : SplitComponents(path)) {
        if (comp == ".") continue;
        if (comp == "..") {
            if (!stack.empty()) stack.pop_back();
            continue;
        }
        stack.push_back(std::move(comp));
    }
    std::string result = "/";
    for (size_t i = 0; i < stack.size(); ++i) {
        if (i > 0) result += '/';
        result += stack[i];
    }
    if (!stack.empty() && IsSeparator(FileName.back())) result += '/';
    return result;
}

std::string ExpandFileNameCase(const std::string& FileName) {
    const std::string expanded = ExpandFileName(FileName);
    if (expanded.empty()) return expanded;
    std::string sys, disk;
    Resolve(expanded, sys, &disk);
    return disk;
}

std::string GetCurrentDir() {
    std::vector<char> buf(256);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return "";
        buf.resize(buf.size() * 2);
    }
    return Utf8ToCp1252(buf.data());
}

bool SetCurrentDir(const std::string& Dir) {
    if (Dir.empty()) return false;
    return ::chdir(ToSysPath(Dir).c_str()) == 0;
}

std::string GetTempDirectory() {
    if (const char* env = std::getenv("TMPDIR"); env && *env) {
        struct stat st;
        if (::stat(env, &st) == 0 && S_ISDIR(st.st_mode)) {
            std::string dir = Utf8ToCp1252(env);
            if (dir.back() != '/') dir += '/';
            return dir;
        }
    }
    return "/tmp/";
}

} // namespace qyx
