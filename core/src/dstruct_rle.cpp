// QYX_dstruct: the run-length coder TRLEncoder.
#include <qyx/QYX_dstruct.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace qyx {

namespace {

constexpr char kNoMemory[] = "not enough memory on heap";

} // namespace

TRLEncoder::TRLEncoder(TComponent* AOwner) : TComponent(AOwner) {
    try {
        FBuf.assign(4 * static_cast<size_t>(FBufLeng), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
}

void TRLEncoder::SetBufLeng(int Value) {
    if (Value < 1 || Value == FBufLeng) return;
    try {
        std::memmove(FBuf.data(), FBuf.data() + FHead, FFill);
        FHead = 0;
        FBuf.resize(std::max(4 * static_cast<size_t>(Value), FFill));
        std::fill(FBuf.begin() + static_cast<std::ptrdiff_t>(FFill), FBuf.end(), 0);
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
    FBufLeng = Value;
}

// Handed-out bytes leave a gap at the front that is closed only when room is needed and the bytes
// to move are no more than the gap (or the buffer grows), so every byte is moved a bounded number
// of times however small the blocks fetched are.
void TRLEncoder::Reserve(size_t Extra) {
    if (FHead + FFill + Extra <= FBuf.size()) return;
    if (FFill <= FHead && FFill + Extra <= FBuf.size()) {
        std::memmove(FBuf.data(), FBuf.data() + FHead, FFill);
        FHead = 0;
        return;
    }
    try {
        std::vector<uint8_t> grown(std::max(FFill + Extra, 2 * FBuf.size()), 0);
        std::memcpy(grown.data(), FBuf.data() + FHead, FFill);
        FBuf.swap(grown);
        FHead = 0;
    } catch (const std::bad_alloc&) {
        RaiseComponentError<EQYXDStructError>(this, kNoMemory);
    }
}

void TRLEncoder::Put(uint8_t B) {
    Reserve(1);
    FBuf[FHead + FFill++] = B;
}

void TRLEncoder::PutRecord(uint8_t Count, uint8_t Value) {
    Reserve(3);
    uint8_t* p = FBuf.data() + FHead + FFill;
    p[0] = Marker;
    p[1] = Count;
    p[2] = Value;
    FFill += 3;
}

bool TRLEncoder::Encode(std::span<const uint8_t> Data, int NumBytes) {
    const size_t n = NumBytes <= 0 ? 0 : std::min(static_cast<size_t>(NumBytes), Data.size());
    // Room is made chunk by chunk: every input byte yields at most three output bytes (a lone marker
    // byte becomes a record), so a chunk never writes past what was reserved for it.
    constexpr size_t kChunk = 16384;
    unsigned count = FRunCount;
    uint8_t run = FRunByte;
    for (size_t at = 0; at < n; at += kChunk) {
        const size_t end = std::min(n, at + kChunk);
        Reserve(3 * (end - at) + 3);
        uint8_t* const begin = FBuf.data() + FHead;
        uint8_t* out = begin + FFill;
        for (size_t i = at; i < end; ++i) {
            const uint8_t b = Data[i];
            if (count == 0) {
                count = 1;
                run = b;
            } else if (b == run) {
                if (++count == 255) {
                    out[0] = Marker;
                    out[1] = 255;
                    out[2] = run;
                    out += 3;
                    count = 0;
                }
            } else {
                // The pending run ends: short runs of ordinary bytes as they are, the rest as a record.
                if (count <= 2 && run != Marker) {
                    out[0] = run;
                    out[count - 1] = run;
                    out += count;
                } else {
                    out[0] = Marker;
                    out[1] = static_cast<uint8_t>(count);
                    out[2] = run;
                    out += 3;
                }
                count = 1;
                run = b;
            }
        }
        FFill = static_cast<size_t>(out - begin);
    }
    FRunCount = static_cast<uint8_t>(count);
    FRunByte = run;
    return FFill >= static_cast<size_t>(FBufLeng);
}

bool TRLEncoder::Decode(uint8_t B) {
    return Decode(std::span<const uint8_t>(&B, 1));
}

bool TRLEncoder::Decode(std::span<const uint8_t> Data) {
    size_t i = 0;
    const size_t n = Data.size();
    while (i < n) {
        switch (FDecState) {
        case 0: {
            // Plain bytes up to the next marker are copied as a block.
            const uint8_t* start = Data.data() + i;
            const void* m = std::memchr(start, Marker, n - i);
            const size_t plain = m ? static_cast<size_t>(static_cast<const uint8_t*>(m) - start) : n - i;
            Reserve(plain);
            std::memcpy(FBuf.data() + FHead + FFill, start, plain);
            FFill += plain;
            i += plain;
            if (m) {
                FDecState = 1;
                ++i;
            }
            break;
        }
        case 1:
            FRunCount = Data[i++];
            FDecState = 2;
            break;
        default:
            Reserve(FRunCount);
            std::memset(FBuf.data() + FHead + FFill, Data[i++], FRunCount);
            FFill += FRunCount;
            FDecState = 0;
            break;
        }
    }
    return FFill >= static_cast<size_t>(FBufLeng);
}

int TRLEncoder::HandOut(std::span<uint8_t> Dest, size_t Count) {
    const size_t n = std::min({Count, FFill, Dest.size()});
    if (n == 0) return 0;
    std::memcpy(Dest.data(), FBuf.data() + FHead, n);
    FHead += n;
    FFill -= n;
    if (FFill == 0) FHead = 0;
    return static_cast<int>(n);
}

void TRLEncoder::GetResult(std::span<uint8_t> Dest) {
    if (FFill >= static_cast<size_t>(FBufLeng)) HandOut(Dest, static_cast<size_t>(FBufLeng));
}

int TRLEncoder::Finish(std::span<uint8_t> Dest) {
    PutRecord(FRunCount, FRunByte);
    FRunCount = 0;
    return HandOut(Dest, static_cast<size_t>(FBufLeng));
}

int TRLEncoder::FetchRest(std::span<uint8_t> Dest) {
    return HandOut(Dest, static_cast<size_t>(FBufLeng));
}

void TRLEncoder::Reset() {
    FHead = 0;
    FFill = 0;
    FRunCount = 0;
    FRunByte = 0;
    FDecState = 0;
}

} // namespace qyx
