// Streams over file handles and named files.
#include <qyx/platform/Streams.h>
#include <qyx/platform/SysInfo.h>

#include <cerrno>

namespace qyx {

int THandleStream::Read(void* Buffer, int Count) {
    const int n = FileRead(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int THandleStream::Write(const void* Buffer, int Count) {
    const int n = FileWrite(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int64_t THandleStream::Seek(int64_t Offset, int Origin) {
    return FileSeek(FHandle, Offset, Origin);
}

void THandleStream::SetSize(int64_t NewSize) {
    const int64_t pos = GetPosition();
    if (!FileTruncate(FHandle, NewSize)) throw EWriteError("Stream write error");
    if (pos > NewSize) Seek(NewSize, soFromBeginning);
}

TFileStream::TFileStream(const std::string& AFileName, uint16_t Mode)
    : THandleStream(-1), FFileName(AFileName) {
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = FileCreate(AFileName);
        if (FHandle < 0) {
            const int err = errno;
            throw EFCreateError("Cannot create file \"" + AFileName + "\". " + SysErrorMessage(err));
        }
    } else {
        FHandle = FileOpen(AFileName, Mode);
        if (FHandle < 0) {
            const int err = errno;
            throw EFOpenError("Cannot open file \"" + AFileName + "\". " + SysErrorMessage(err));
        }
    }
}

TFileStream::~TFileStream() {
    FileClose(FHandle);
}

} // namespace qyx
