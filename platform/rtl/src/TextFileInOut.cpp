// Input/output error codes of text and typed files, and the result-code mode.
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/SysInfo.h>
#include <qyx/platform/TextFile.h>

#include "FileApiInternal.h"

#include <cerrno>

#include <sys/stat.h>

namespace qyx {

namespace {

thread_local int InOutRes = 0;
thread_local int ChecksOffDepth = 0;

} // namespace

TIOChecksOff::TIOChecksOff() {
    ++ChecksOffDepth;
}

TIOChecksOff::~TIOChecksOff() {
    --ChecksOffDepth;
}

int IOResult() {
    const int r = InOutRes;
    InOutRes = 0;
    return r;
}

std::string InOutErrorMessage(int Code) {
    switch (Code) {
    case 2: return "File not found";
    case 3: return "Path not found";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 25: return "Seek error";
    case 100: return "Disk read error";
    case 101: return "Disk write error";
    case 102: return "File not assigned";
    case 103: return "File not open";
    case 104: return "File not open for input";
    case 105: return "File not open for output";
    case 106: return "Invalid numeric format";
    default: break;
    }
    if (Code > 1000) return SysErrorMessage(Code - 1000);
    return "I/O error " + std::to_string(Code);
}

namespace detail {

bool IOChecksOff() {
    return ChecksOffDepth > 0;
}

void InOutError(int Code) {
    if (ChecksOffDepth > 0) {
        if (InOutRes == 0) InOutRes = Code;
        return;
    }
    throw EInOutError(InOutErrorMessage(Code), Code);
}

bool CaptureInOut(const std::function<void()>& Action, int* ErrorCode) {
    TIOChecksOff off;
    const int saved = InOutRes;
    InOutRes = 0;
    Action();
    const int code = InOutRes;
    InOutRes = saved;
    if (ErrorCode) *ErrorCode = code;
    return code == 0;
}

int OpenErrorCode(int Err, const std::string& SysPath) {
    switch (Err) {
    case ENOENT: {
        // A missing file in an existing directory is "file not found", otherwise the path is wrong.
        const size_t sep = SysPath.find_last_of('/');
        const std::string dir = sep == std::string::npos ? "." : sep == 0 ? "/" : SysPath.substr(0, sep);
        struct stat st;
        return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 2 : 3;
    }
    case ENOTDIR:
    case ENAMETOOLONG: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return 5;
    default: return 1000 + Err;
    }
}

} // namespace detail

} // namespace qyx
