// The stream base, memory streams and string streams.
#include <qyx/platform/Streams.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace qyx {

namespace {

// The position that Seek(Offset, Origin) asks for, or -1 for an invalid origin or a position before
// the start.
int64_t SeekTarget(int64_t Offset, int Origin, int64_t Position, int64_t Size) {
    int64_t base;
    switch (Origin) {
    case soFromBeginning: base = 0; break;
    case soFromCurrent: base = Position; break;
    case soFromEnd: base = Size; break;
    default: return -1;
    }
    if ((Offset > 0 && base > INT64_MAX - Offset)) return -1;
    const int64_t target = base + Offset;
    return target < 0 ? -1 : target;
}

// Bytes available at Position in a container of Size bytes, at most Count.
int Available(int64_t Position, int64_t Size, int Count) {
    if (Count <= 0 || Position >= Size) return 0;
    return static_cast<int>(std::min<int64_t>(Count, Size - Position));
}

} // namespace

// ---- TStream ---------------------------------------------------------------------------------

int64_t TStream::GetSize() {
    const int64_t pos = Seek(0, soFromCurrent);
    const int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int Count) {
    if (Count <= 0) return;
    auto* p = static_cast<char*>(Buffer);
    int done = 0;
    while (done < Count) {
        const int n = Read(p + done, Count - done);
        if (n <= 0) throw EReadError("Stream read error");
        done += n;
    }
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
    if (Count <= 0) return;
    const auto* p = static_cast<const char*>(Buffer);
    int done = 0;
    while (done < Count) {
        const int n = Write(p + done, Count - done);
        if (n <= 0) throw EWriteError("Stream write error");
        done += n;
    }
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    constexpr int BlockSize = 65536;
    std::vector<char> block(static_cast<size_t>(std::min<int64_t>(Count, BlockSize)));
    int64_t left = Count;
    while (left > 0) {
        const int n = static_cast<int>(std::min<int64_t>(left, BlockSize));
        Source->ReadBuffer(block.data(), n);
        WriteBuffer(block.data(), n);
        left -= n;
    }
    return Count;
}

// ---- TMemoryStream ---------------------------------------------------------------------------

int TMemoryStream::Read(void* Buffer, int Count) {
    const int n = Available(FPosition, GetSize(), Count);
    if (n > 0) {
        std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
        FPosition += n;
    }
    return n;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
    if (Count <= 0) return 0;
    if (FPosition > INT64_MAX - Count) throw EOutOfMemory("Out of memory while expanding memory stream");
    const int64_t end = FPosition + Count;
    if (end > GetSize()) {
        const int64_t pos = FPosition;
        SetSize(end);
        FPosition = pos;
    }
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, int Origin) {
    const int64_t target = SeekTarget(Offset, Origin, FPosition, GetSize());
    if (target < 0) return -1;
    FPosition = target;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) NewSize = 0;
    try {
        if (static_cast<uint64_t>(NewSize) > FData.max_size()) throw std::bad_alloc();
        FData.resize(static_cast<size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    }
    if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    const int64_t size = Stream->GetSize();
    SetSize(size);
    FPosition = 0;
    int64_t done = 0;
    while (done < size) {
        const int n = static_cast<int>(std::min<int64_t>(size - done, 1 << 30));
        Stream->ReadBuffer(FData.data() + done, n);
        done += n;
    }
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
    const int64_t size = GetSize();
    int64_t done = 0;
    while (done < size) {
        const int n = static_cast<int>(std::min<int64_t>(size - done, 1 << 30));
        Stream->WriteBuffer(FData.data() + done, n);
        done += n;
    }
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream f(FileName, fmCreate);
    SaveToStream(&f);
}

// ---- TStringStream ---------------------------------------------------------------------------

int TStringStream::Read(void* Buffer, int Count) {
    const int n = Available(FPosition, GetSize(), Count);
    if (n > 0) {
        std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<size_t>(n));
        FPosition += n;
    }
    return n;
}

int TStringStream::Write(const void* Buffer, int Count) {
    if (Count <= 0) return 0;
    if (FPosition > INT64_MAX - Count) throw EOutOfMemory("Out of memory while expanding string stream");
    const int64_t end = FPosition + Count;
    if (end > GetSize()) {
        const int64_t pos = FPosition;
        SetSize(end);
        FPosition = pos;
    }
    std::memcpy(FDataString.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

int64_t TStringStream::Seek(int64_t Offset, int Origin) {
    const int64_t target = SeekTarget(Offset, Origin, FPosition, GetSize());
    if (target < 0) return -1;
    FPosition = target;
    return FPosition;
}

void TStringStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) NewSize = 0;
    try {
        if (static_cast<uint64_t>(NewSize) > FDataString.max_size()) throw std::bad_alloc();
        FDataString.resize(static_cast<size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory while expanding string stream");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Out of memory while expanding string stream");
    }
    if (FPosition > NewSize) FPosition = NewSize;
}

std::string TStringStream::ReadString(int Count) {
    const int n = Available(FPosition, GetSize(), Count);
    std::string s = FDataString.substr(static_cast<size_t>(std::min<int64_t>(FPosition, GetSize())),
                                       static_cast<size_t>(n));
    FPosition += n;
    return s;
}

void TStringStream::WriteString(const std::string& S) {
    size_t done = 0;
    while (done < S.size()) {
        const int n = static_cast<int>(std::min<size_t>(S.size() - done, 1u << 30));
        WriteBuffer(S.data() + done, n);
        done += static_cast<size_t>(n);
    }
}

} // namespace qyx
