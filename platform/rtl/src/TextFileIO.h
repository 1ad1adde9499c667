// Buffer handling of text files, shared by the reading and writing routines.
#pragma once

#include <qyx/platform/TextFile.h>

namespace qyx {

class TextFileIO {
public:
    enum TOpenKind { okReset, okRewrite, okAppend };
    static constexpr size_t BufferSize = 65536;

    static void Assign(TextFile& F, const std::string& FileName);
    static void Open(TextFile& F, TOpenKind Kind);
    static bool IsOutput(const TextFile& F) { return F.FMode == TextFile::tmOutput; }
    static void Close(TextFile& F, bool Report);
    /// True when F is open for input; otherwise reports 103 or 104.
    static bool CheckInput(TextFile& F);
    /// True when F is open for output; otherwise reports 103 or 105.
    static bool CheckOutput(TextFile& F);
    /// The next byte without consuming it, or -1 at the end.
    static int Peek(TextFile& F) {
        if (F.FPos == F.FEnd && !Refill(F)) return -1;
        return static_cast<unsigned char>(F.FBuf[F.FPos]);
    }
    static void Skip(TextFile& F) { ++F.FPos; }
    /// Reads the next block; false at the end (or on a read error, which is reported as 100).
    static bool Refill(TextFile& F);
    /// Appends the bytes up to the next CR or LF to S (when given), stopping at MaxLen bytes (-1: no
    /// limit) or at the line end, which stays unread.
    static void ReadToLineEnd(TextFile& F, std::string* S, int64_t MaxLen);
    /// Consumes one line end (CR LF, LF or CR) if one is next.
    static void SkipLineEnd(TextFile& F);
    /// Queues bytes for output.
    static void Put(TextFile& F, const char* Data, size_t Count);
    static void FlushBuffer(TextFile& F);
};

} // namespace qyx
