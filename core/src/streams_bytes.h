// Byte-at-a-time reading of a stream through a small buffer. The scanners of QYX_streams consume one
// byte per step; reading each byte with its own Read call would cost a system call per byte on file
// streams. This reader fetches blocks and, when released, moves the stream back to just behind the
// last byte taken, so the stream ends exactly where byte-wise reading would have left it.
#pragma once

#include <cstdint>
#include <vector>

#include <qyx/platform/Streams.h>

namespace qyx::detail {

class TStreamBytes {
public:
    explicit TStreamBytes(TStream* AStream) : FStream(AStream) {}
    TStreamBytes(const TStreamBytes&) = delete;
    TStreamBytes& operator=(const TStreamBytes&) = delete;
    /// Gives back what was fetched but not taken (errors cannot leave a destructor, so they are dropped).
    ~TStreamBytes() {
        try {
            Release();
        } catch (...) {
        }
    }

    /// The next byte; false at the end of the stream (a read that delivers no byte).
    bool Next(uint8_t& B) {
        if (FPos == FEnd && !Fill()) return false;
        B = FBuf[FPos++];
        return true;
    }
    /// Gives back the last byte taken (one step only).
    void Back() {
        if (FPos > 0) --FPos;
    }
    /// Moves the stream to just behind the last byte taken.
    void Release() {
        if (FPos < FEnd)
            FStream->Seek(static_cast<int64_t>(FPos) - static_cast<int64_t>(FEnd), soFromCurrent);
        FPos = FEnd = 0;
    }

private:
    bool Fill() {
        Release();
        if (FBuf.size() < kMaxBlock) FBuf.resize(FBuf.empty() ? kFirstBlock : FBuf.size() * 2);
        const int n = FStream->Read(FBuf.data(), static_cast<int>(FBuf.size()));
        if (n <= 0) return false;
        FEnd = static_cast<size_t>(n);
        return true;
    }

    static constexpr size_t kFirstBlock = 128;
    static constexpr size_t kMaxBlock = 8192;
    TStream* FStream;
    std::vector<uint8_t> FBuf;
    size_t FPos = 0;
    size_t FEnd = 0;
};

} // namespace qyx::detail
