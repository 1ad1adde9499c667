// Text files: number reads and all writes.
#include "TextFileIO.h"

#include "FileApiInternal.h"

#include <qyx/platform/Convert.h>

namespace qyx {

using namespace detail;

namespace {

// Longest number text kept; longer runs are consumed and rejected.
constexpr size_t MaxToken = 256;

// Skips bytes below 33 and reads the following run of bytes above 32. False at the end of the file
// (or when F is not open for input, which has been reported).
bool ReadToken(TextFile& F, std::string& Token, bool& TooLong) {
    Token.clear();
    TooLong = false;
    if (!TextFileIO::CheckInput(F)) return false;
    int c;
    while ((c = TextFileIO::Peek(F)) >= 0 && c <= 32) TextFileIO::Skip(F);
    if (c < 0) return false;
    while ((c = TextFileIO::Peek(F)) > 32) {
        if (Token.size() < MaxToken)
            Token += static_cast<char>(c);
        else
            TooLong = true;
        TextFileIO::Skip(F);
    }
    return true;
}

template <class T> void ReadNumber(TextFile& F, T& V) {
    std::string token;
    bool tooLong;
    if (!ReadToken(F, token, tooLong)) {
        V = 0;
        return;
    }
    T value;
    int code;
    Val(token, value, code);
    if (code != 0 || tooLong) {
        V = 0;
        InOutError(106);
        return;
    }
    V = value;
}

void PutPadded(TextFile& F, const char* S, size_t Len, int Width) {
    if (!TextFileIO::CheckOutput(F)) return;
    if (Width > 0 && static_cast<size_t>(Width) > Len) {
        const std::string pad(static_cast<size_t>(Width) - Len, ' ');
        TextFileIO::Put(F, pad.data(), pad.size());
    }
    TextFileIO::Put(F, S, Len);
}

} // namespace

void Read(TextFile& F, int& V) {
    ReadNumber(F, V);
}

void Read(TextFile& F, int64_t& V) {
    ReadNumber(F, V);
}

void Read(TextFile& F, double& V) {
    ReadNumber(F, V);
}

void Read(TextFile& F, long double& V) {
    ReadNumber(F, V);
}

void Write(TextFile& F, const std::string& S, int Width) {
    PutPadded(F, S.data(), S.size(), Width);
}

void Write(TextFile& F, const char* S, int Width) {
    const std::string_view v = S ? std::string_view(S) : std::string_view();
    PutPadded(F, v.data(), v.size(), Width);
}

void Write(TextFile& F, char C) {
    PutPadded(F, &C, 1, 0);
}

void Write(TextFile& F, bool B) {
    Write(F, B ? "TRUE" : "FALSE");
}

void WriteInt64(TextFile& F, int64_t V, int Width) {
    Write(F, std::to_string(V), Width);
}

void WriteUInt64(TextFile& F, uint64_t V, int Width) {
    Write(F, std::to_string(V), Width);
}

void Write(TextFile& F, long double V) {
    Write(F, Str(V));
}

void Write(TextFile& F, long double V, int Width) {
    Write(F, Str(V, Width));
}

void Write(TextFile& F, long double V, int Width, int Decimals) {
    Write(F, Str(V, Width, Decimals));
}

void Write(TextFile& F, double V) {
    Write(F, static_cast<long double>(V));
}

void Write(TextFile& F, double V, int Width) {
    Write(F, static_cast<long double>(V), Width);
}

void Write(TextFile& F, double V, int Width, int Decimals) {
    Write(F, static_cast<long double>(V), Width, Decimals);
}

void Writeln(TextFile& F) {
    PutPadded(F, "\r\n", 2, 0);
}

} // namespace qyx
