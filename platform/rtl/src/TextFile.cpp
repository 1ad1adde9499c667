// Text files: opening, closing, buffering, and the character and line reads.
#include "TextFileIO.h"

#include "FileApiInternal.h"

#include <qyx/platform/FileSystem.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace qyx {

using namespace detail;

// ---- Buffer handling -------------------------------------------------------------------------

void TextFileIO::Assign(TextFile& F, const std::string& FileName) {
    if (F.FMode != TextFile::tmClosed) Close(F, false);
    F.FName = FileName;
    F.FAssigned = !FileName.empty();
}

void TextFileIO::Open(TextFile& F, TOpenKind Kind) {
    if (Kind == okReset && F.FMode == TextFile::tmInput) {
        if (::lseek(F.FHandle, 0, SEEK_SET) < 0) {
            InOutError(100);
            return;
        }
        F.FPos = F.FEnd = 0;
        return;
    }
    if (F.FMode != TextFile::tmClosed) Close(F, true);
    if (!F.FAssigned) {
        InOutError(102);
        return;
    }
    int flags = O_RDONLY;
    if (Kind == okRewrite)
        flags = O_WRONLY | O_CREAT | O_TRUNC;
    else if (Kind == okAppend)
        flags = O_WRONLY | O_APPEND;
    const std::string sys = ToSysPath(F.FName);
    const int fd = OpenSys(sys, flags);
    if (fd < 0) {
        InOutError(OpenErrorCode(errno, sys));
        return;
    }
    F.FHandle = fd;
    F.FMode = Kind == okReset ? TextFile::tmInput : TextFile::tmOutput;
    F.FBuf.resize(BufferSize);
    F.FPos = F.FEnd = 0;
}

void TextFileIO::Close(TextFile& F, bool Report) {
    if (F.FMode == TextFile::tmOutput && F.FEnd > 0) {
        if (WriteAll(F.FHandle, F.FBuf.data(), static_cast<int64_t>(F.FEnd)) < 0 && Report) {
            F.FEnd = 0;
            ::close(F.FHandle);
            F.FHandle = -1;
            F.FMode = TextFile::tmClosed;
            InOutError(101);
            return;
        }
    }
    if (F.FHandle >= 0) ::close(F.FHandle);
    F.FHandle = -1;
    F.FMode = TextFile::tmClosed;
    F.FPos = F.FEnd = 0;
    F.FBuf.clear();
    F.FBuf.shrink_to_fit();
}

bool TextFileIO::CheckInput(TextFile& F) {
    if (F.FMode == TextFile::tmInput) return true;
    InOutError(F.FMode == TextFile::tmClosed ? 103 : 104);
    return false;
}

bool TextFileIO::CheckOutput(TextFile& F) {
    if (F.FMode == TextFile::tmOutput) return true;
    InOutError(F.FMode == TextFile::tmClosed ? 103 : 105);
    return false;
}

bool TextFileIO::Refill(TextFile& F) {
    F.FPos = F.FEnd = 0;
    ssize_t n;
    do {
        n = ::read(F.FHandle, F.FBuf.data(), F.FBuf.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        InOutError(100);
        return false;
    }
    F.FEnd = static_cast<size_t>(n);
    return n > 0;
}

void TextFileIO::ReadToLineEnd(TextFile& F, std::string* S, int64_t MaxLen) {
    for (;;) {
        if (F.FPos == F.FEnd && !Refill(F)) return;
        const char* begin = F.FBuf.data() + F.FPos;
        size_t len = F.FEnd - F.FPos;
        if (MaxLen >= 0) len = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(len), MaxLen));
        const char* end = std::find_if(begin, begin + len, [](char c) { return c == '\r' || c == '\n'; });
        const size_t taken = static_cast<size_t>(end - begin);
        if (S) S->append(begin, taken);
        F.FPos += taken;
        if (MaxLen >= 0) MaxLen -= static_cast<int64_t>(taken);
        if (taken < len || MaxLen == 0) return;
    }
}

void TextFileIO::SkipLineEnd(TextFile& F) {
    const int c = Peek(F);
    if (c == '\n') {
        Skip(F);
    } else if (c == '\r') {
        Skip(F);
        if (Peek(F) == '\n') Skip(F);
    }
}

void TextFileIO::Put(TextFile& F, const char* Data, size_t Count) {
    if (F.FEnd + Count > F.FBuf.size()) {
        FlushBuffer(F);
        if (Count >= F.FBuf.size()) {
            if (WriteAll(F.FHandle, Data, static_cast<int64_t>(Count)) < 0) InOutError(101);
            return;
        }
    }
    std::memcpy(F.FBuf.data() + F.FEnd, Data, Count);
    F.FEnd += Count;
}

void TextFileIO::FlushBuffer(TextFile& F) {
    const size_t n = F.FEnd;
    F.FEnd = 0;
    if (n > 0 && WriteAll(F.FHandle, F.FBuf.data(), static_cast<int64_t>(n)) < 0) InOutError(101);
}

// ---- Opening and closing ---------------------------------------------------------------------

TextFile::~TextFile() {
    if (FMode != tmClosed) TextFileIO::Close(*this, false);
}

void AssignFile(TextFile& F, const std::string& FileName) {
    TextFileIO::Assign(F, FileName);
}

void Reset(TextFile& F) {
    TextFileIO::Open(F, TextFileIO::okReset);
}

void Rewrite(TextFile& F) {
    TextFileIO::Open(F, TextFileIO::okRewrite);
}

void Append(TextFile& F) {
    TextFileIO::Open(F, TextFileIO::okAppend);
}

void CloseFile(TextFile& F) {
    if (!F.IsOpen()) {
        InOutError(103);
        return;
    }
    TextFileIO::Close(F, true);
}

void Flush(TextFile& F) {
    if (TextFileIO::CheckOutput(F)) TextFileIO::FlushBuffer(F);
}

bool TryReset(TextFile& F, int* ErrorCode) {
    return CaptureInOut([&] { Reset(F); }, ErrorCode);
}

bool TryAppend(TextFile& F, int* ErrorCode) {
    return CaptureInOut([&] { Append(F); }, ErrorCode);
}

bool TryRewrite(TextFile& F, int* ErrorCode) {
    return CaptureInOut([&] { Rewrite(F); }, ErrorCode);
}

// ---- Reading ---------------------------------------------------------------------------------

bool Eof(TextFile& F) {
    if (TextFileIO::IsOutput(F)) return true;
    if (!TextFileIO::CheckInput(F)) return true;
    return TextFileIO::Peek(F) < 0;
}

bool Eoln(TextFile& F) {
    if (!TextFileIO::CheckInput(F)) return true;
    const int c = TextFileIO::Peek(F);
    return c < 0 || c == '\r' || c == '\n';
}

bool SeekEof(TextFile& F) {
    if (!TextFileIO::CheckInput(F)) return true;
    int c;
    while ((c = TextFileIO::Peek(F)) == ' ' || c == '\t' || c == '\r' || c == '\n') TextFileIO::Skip(F);
    return c < 0;
}

bool SeekEoln(TextFile& F) {
    if (!TextFileIO::CheckInput(F)) return true;
    int c;
    while ((c = TextFileIO::Peek(F)) == ' ' || c == '\t') TextFileIO::Skip(F);
    return c < 0 || c == '\r' || c == '\n';
}

void Readln(TextFile& F, std::string& S) {
    S.clear();
    if (!TextFileIO::CheckInput(F)) return;
    TextFileIO::ReadToLineEnd(F, &S, -1);
    TextFileIO::SkipLineEnd(F);
}

void Readln(TextFile& F) {
    if (!TextFileIO::CheckInput(F)) return;
    TextFileIO::ReadToLineEnd(F, nullptr, -1);
    TextFileIO::SkipLineEnd(F);
}

void Read(TextFile& F, char& C) {
    if (!TextFileIO::CheckInput(F)) return;
    const int c = TextFileIO::Peek(F);
    if (c < 0) {
        C = 26;
        InOutError(100);
        return;
    }
    TextFileIO::Skip(F);
    C = static_cast<char>(c);
}

void Read(TextFile& F, std::string& S) {
    S.clear();
    if (TextFileIO::CheckInput(F)) TextFileIO::ReadToLineEnd(F, &S, -1);
}

void Read(TextFile& F, std::string& S, int MaxLen) {
    S.clear();
    if (MaxLen > 0 && TextFileIO::CheckInput(F)) TextFileIO::ReadToLineEnd(F, &S, MaxLen);
}

} // namespace qyx
