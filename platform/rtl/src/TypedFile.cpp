// Typed and untyped files of fixed-size records.
#include <qyx/platform/FileApi.h>
#include <qyx/platform/TypedFile.h>

#include "FileApiInternal.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qyx {

using namespace detail;

int FileMode = 2;

class TypedFileIO {
public:
    static void Assign(TypedFile& F, const std::string& FileName) {
        Close(F);
        F.FName = FileName;
        F.FAssigned = !FileName.empty();
    }

    static void Open(TypedFile& F, bool Create, int RecSize) {
        Close(F);
        if (!F.FAssigned) {
            InOutError(102);
            return;
        }
        if (RecSize > 0) F.FRecSize = RecSize;
        int flags = O_RDWR | O_CREAT | O_TRUNC;
        if (!Create) {
            switch (FileMode & 3) {
            case 0: flags = O_RDONLY; break;
            case 1: flags = O_WRONLY; break;
            default: flags = O_RDWR; break;
            }
        }
        const std::string sys = ToSysPath(F.FName);
        const int fd = OpenSys(sys, flags);
        if (fd < 0) {
            InOutError(OpenErrorCode(errno, sys));
            return;
        }
        F.FHandle = fd;
        const int access = flags & O_ACCMODE;
        F.FCanRead = access != O_WRONLY;
        F.FCanWrite = access != O_RDONLY;
    }

    static void Close(TypedFile& F) {
        if (F.FHandle >= 0) ::close(F.FHandle);
        F.FHandle = -1;
        F.FCanRead = F.FCanWrite = false;
    }

    static bool CheckRead(TypedFile& F) {
        if (F.FHandle < 0)
            InOutError(103);
        else if (!F.FCanRead)
            InOutError(104);
        else
            return true;
        return false;
    }

    static bool CheckWrite(TypedFile& F) {
        if (F.FHandle < 0)
            InOutError(103);
        else if (!F.FCanWrite)
            InOutError(105);
        else
            return true;
        return false;
    }

    static bool CheckOpen(TypedFile& F) {
        if (F.FHandle >= 0) return true;
        InOutError(103);
        return false;
    }

    static int64_t BytePos(TypedFile& F) { return ::lseek(F.FHandle, 0, SEEK_CUR); }

    // Reads up to Count records; the position ends after the last whole record read. Returns the
    // number of whole records, or -1 after a reported read error.
    static int64_t ReadRecords(TypedFile& F, void* Buf, int64_t Count) {
        const int64_t n = ReadAll(F.FHandle, Buf, Count * F.FRecSize);
        if (n < 0) {
            InOutError(100);
            return -1;
        }
        const int64_t part = n % F.FRecSize;
        if (part > 0) ::lseek(F.FHandle, -part, SEEK_CUR);
        return n / F.FRecSize;
    }

    // Writes up to Count records; returns the number of whole records written.
    static int64_t WriteRecords(TypedFile& F, const void* Buf, int64_t Count) {
        const auto* p = static_cast<const char*>(Buf);
        const int64_t total = Count * F.FRecSize;
        int64_t done = 0;
        while (done < total) {
            const ssize_t n = ::write(F.FHandle, p + done, static_cast<size_t>(total - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += n;
        }
        return done / F.FRecSize;
    }

    static int RecSize(const TypedFile& F) { return F.FRecSize; }
    static int Handle(const TypedFile& F) { return F.FHandle; }
};

TypedFile::~TypedFile() {
    TypedFileIO::Close(*this);
}

void AssignFile(TypedFile& F, const std::string& FileName) {
    TypedFileIO::Assign(F, FileName);
}

void Reset(TypedFile& F) {
    TypedFileIO::Open(F, false, 0);
}

void Reset(UntypedFile& F, int RecSize) {
    TypedFileIO::Open(F, false, RecSize > 0 ? RecSize : 1);
}

void Rewrite(TypedFile& F) {
    TypedFileIO::Open(F, true, 0);
}

void Rewrite(UntypedFile& F, int RecSize) {
    TypedFileIO::Open(F, true, RecSize > 0 ? RecSize : 1);
}

bool TryReset(TypedFile& F, int* ErrorCode) {
    return CaptureInOut([&] { Reset(F); }, ErrorCode);
}

void CloseFile(TypedFile& F) {
    if (TypedFileIO::CheckOpen(F)) TypedFileIO::Close(F);
}

int64_t FileSize(TypedFile& F) {
    if (!TypedFileIO::CheckOpen(F)) return 0;
    struct stat st;
    if (::fstat(TypedFileIO::Handle(F), &st) != 0) {
        InOutError(100);
        return 0;
    }
    return static_cast<int64_t>(st.st_size) / TypedFileIO::RecSize(F);
}

int64_t FilePos(TypedFile& F) {
    if (!TypedFileIO::CheckOpen(F)) return 0;
    return TypedFileIO::BytePos(F) / TypedFileIO::RecSize(F);
}

void Seek(TypedFile& F, int64_t N) {
    if (!TypedFileIO::CheckOpen(F)) return;
    if (N < 0 || N > INT64_MAX / TypedFileIO::RecSize(F)) {
        InOutError(25);
        return;
    }
    if (::lseek(TypedFileIO::Handle(F), static_cast<off_t>(N * TypedFileIO::RecSize(F)), SEEK_SET) < 0)
        InOutError(25);
}

bool Eof(TypedFile& F) {
    if (!TypedFileIO::CheckOpen(F)) return true;
    return FilePos(F) >= FileSize(F);
}

void Truncate(TypedFile& F) {
    if (!TypedFileIO::CheckWrite(F)) return;
    if (!FileTruncate(TypedFileIO::Handle(F), TypedFileIO::BytePos(F))) InOutError(101);
}

void ReadRecord(TypedFile& F, void* Rec) {
    if (!TypedFileIO::CheckRead(F)) return;
    if (TypedFileIO::ReadRecords(F, Rec, 1) == 0) InOutError(100);
}

void WriteRecord(TypedFile& F, const void* Rec) {
    if (!TypedFileIO::CheckWrite(F)) return;
    if (TypedFileIO::WriteRecords(F, Rec, 1) != 1) InOutError(101);
}

void BlockRead(TypedFile& F, void* Buf, int Count) {
    if (Count <= 0 || !TypedFileIO::CheckRead(F)) return;
    const int64_t n = TypedFileIO::ReadRecords(F, Buf, Count);
    if (n >= 0 && n < Count) InOutError(100);
}

void BlockRead(TypedFile& F, void* Buf, int Count, int& Result) {
    Result = 0;
    if (Count <= 0 || !TypedFileIO::CheckRead(F)) return;
    const int64_t n = TypedFileIO::ReadRecords(F, Buf, Count);
    Result = n < 0 ? 0 : static_cast<int>(n);
}

void BlockWrite(TypedFile& F, const void* Buf, int Count) {
    if (Count <= 0 || !TypedFileIO::CheckWrite(F)) return;
    if (TypedFileIO::WriteRecords(F, Buf, Count) < Count) InOutError(101);
}

void BlockWrite(TypedFile& F, const void* Buf, int Count, int& Result) {
    Result = 0;
    if (Count <= 0 || !TypedFileIO::CheckWrite(F)) return;
    Result = static_cast<int>(TypedFileIO::WriteRecords(F, Buf, Count));
}

} // namespace qyx
