// File layer of the geo database: handles over the platform's file API, raising input/output errors.
#include "geodb_io.h"

#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

#include <qyx/platform/Exceptions.h>
#include <qyx/platform/FileApi.h>
#include <qyx/platform/TextFile.h>

namespace qyx::geodb {

namespace {
TWriteHook& Hook() {
    static TWriteHook h;
    return h;
}
constexpr int64_t MaxChunk = 1 << 30;
} // namespace

void SetWriteHook(TWriteHook H) {
    Hook() = std::move(H);
}

void RaiseInOut(int Code) {
    throw EInOutError(InOutErrorMessage(Code), Code);
}

int OpenErrorCode(int Err) {
    switch (Err) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    default: return 1000 + Err;
    }
}

bool TGdbFile::Open(const std::string& FileName, bool ReadOnly) {
    Close();
    FHandle = FileOpen(FileName, ReadOnly ? fmOpenRead : fmOpenReadWrite);
    FName = FileName;
    return FHandle >= 0;
}

void TGdbFile::OpenOrRaise(const std::string& FileName, bool ReadOnly) {
    if (!Open(FileName, ReadOnly)) RaiseInOut(OpenErrorCode(errno));
}

void TGdbFile::Create(const std::string& FileName) {
    Close();
    if (Hook()) Hook()(FileName, 0, nullptr, 0);
    FHandle = FileCreate(FileName);
    FName = FileName;
    if (FHandle < 0) RaiseInOut(OpenErrorCode(errno));
}

TGdbFile::~TGdbFile() {
    Close();
}

void TGdbFile::WriteMapped(int64_t Offset, const void* Buffer, int64_t Count) {
    if (Count <= 0) return;
    if (FMap == nullptr && Offset >= 0 && Offset + Count <= Size()) {
        void* p = ::mmap(nullptr, static_cast<size_t>(Offset + Count), PROT_READ | PROT_WRITE, MAP_SHARED,
                         FHandle, 0);
        if (p != MAP_FAILED) {
            FMap = p;
            FMapSize = Offset + Count;
        }
    }
    if (FMap == nullptr || Offset < 0 || Offset + Count > FMapSize) {
        WriteAt(Offset, Buffer, Count);
        return;
    }
    if (Hook()) Hook()(FName, Offset, Buffer, static_cast<int>(Count));
    std::memcpy(static_cast<uint8_t*>(FMap) + Offset, Buffer, static_cast<size_t>(Count));
}

void TGdbFile::Close() {
    if (FMap != nullptr) ::munmap(FMap, static_cast<size_t>(FMapSize));
    FMap = nullptr;
    FMapSize = 0;
    if (FHandle >= 0) FileClose(FHandle);
    FHandle = -1;
}

int64_t TGdbFile::Size() const {
    const int64_t size = FileSeek(FHandle, 0, soFromEnd);
    if (size < 0) RaiseInOut(100);
    return size;
}

void TGdbFile::ReadAt(int64_t Offset, void* Buffer, int64_t Count) const {
    if (Offset < 0 || Count < 0) RaiseInOut(100);
    auto* p = static_cast<uint8_t*>(Buffer);
    while (Count > 0) {
        const ssize_t n = ::pread(FHandle, p, static_cast<size_t>(std::min(Count, MaxChunk)), Offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) RaiseInOut(100);
        p += n;
        Count -= n;
        Offset += n;
    }
}

void TGdbFile::WriteAt(int64_t Offset, const void* Buffer, int64_t Count) {
    if (Count <= 0) return;
    if (Hook()) Hook()(FName, Offset, Buffer, static_cast<int>(Count));
    if (Offset < 0) RaiseInOut(101);
    const auto* p = static_cast<const uint8_t*>(Buffer);
    while (Count > 0) {
        const ssize_t n = ::pwrite(FHandle, p, static_cast<size_t>(std::min(Count, MaxChunk)), Offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) RaiseInOut(101);
        p += n;
        Count -= n;
        Offset += n;
    }
}

void TGdbFile::Truncate(int64_t Size) {
    if (Hook()) Hook()(FName, Size, nullptr, -1);
    if (!FileTruncate(FHandle, Size)) RaiseInOut(101);
}

bool ReadWholeFile(const std::string& FileName, std::vector<uint8_t>& Bytes) {
    Bytes.clear();
    TGdbFile f;
    if (!f.Open(FileName, true)) return false;
    const int64_t size = f.Size();
    Bytes.resize(static_cast<size_t>(size));
    f.ReadAt(0, Bytes.data(), size);
    return true;
}

void WriteWholeFile(const std::string& FileName, const void* Data, int64_t Count) {
    TGdbFile f;
    f.Create(FileName);
    f.WriteAt(0, Data, Count);
}

} // namespace qyx::geodb
