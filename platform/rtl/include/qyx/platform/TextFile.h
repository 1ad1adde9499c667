// Text files: a TextFile is assigned a name, opened for reading (Reset), writing (Rewrite) or
// appending (Append), read and written line by line, character by character or number by number, and
// closed. Open text files are passed by reference between routines, which continue at the position
// where the previous one stopped; character, line and number reads share that one position.
//
// Text is code page 1252 bytes, passed through unchanged. Decisions:
// - Line ends written are carriage return + line feed (13, 10) on every platform.
// - A line read ends at CR LF, at a lone LF or at a lone CR; the line end is consumed and not part
//   of the line. A last line without a line end is a line as well.
// - Byte 26 (Ctrl-Z) is ordinary data: it neither ends the file nor is removed by Append.
// - Character reads deliver line-end bytes as data (CR, then LF).
// - Number reads skip blanks, tabs, line ends and other bytes below 33, take the following run of
//   bytes above 32 as the number (Val syntax, see Convert.h) and leave the byte that ended it unread.
//   At the end of the file they give 0 without error; a run that is no number is error 106.
// - I/O is buffered; lines may be of any length.
//
// Errors raise EInOutError with a code and its message: 2 "File not found", 3 "Path not found",
// 4 "Too many open files", 5 "File access denied", 100 "Disk read error" (also a character read at
// the end of the file), 101 "Disk write error", 102 "File not assigned", 103 "File not open",
// 104 "File not open for input", 105 "File not open for output", 106 "Invalid numeric format"; other
// operating-system failures have codes from 1000 (1000 + errno) with the system's text.
//
// Result-code mode: while a TIOChecksOff object lives, failing routines of text and typed files on
// this thread do not raise; they leave their code for IOResult (the first code stays until IOResult
// reads it) and carry on: a failed open leaves the file closed, a failed number read gives 0.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <vector>

namespace qyx {

// ---- Result-code mode ------------------------------------------------------------------------

/// Turns the raising of input/output errors off on this thread for the object's lifetime (nests).
class TIOChecksOff {
public:
    TIOChecksOff();
    ~TIOChecksOff();
    TIOChecksOff(const TIOChecksOff&) = delete;
    TIOChecksOff& operator=(const TIOChecksOff&) = delete;
};

/// The code of the first input/output error since the last call (0 for none), and clears it.
int IOResult();
/// The message that goes with an input/output error code.
std::string InOutErrorMessage(int Code);

// ---- The text file ---------------------------------------------------------------------------

/// A text file variable. Closing happens on destruction too (write errors are then lost; close
/// explicitly to see them). Not copyable.
class TextFile {
public:
    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    /// The name given to AssignFile.
    const std::string& GetFileName() const { return FName; }
    bool IsOpen() const { return FMode != tmClosed; }

private:
    friend class TextFileIO;
    enum TTextMode : uint8_t { tmClosed, tmInput, tmOutput };
    std::string FName;
    bool FAssigned = false;
    TTextMode FMode = tmClosed;
    int FHandle = -1;
    std::vector<char> FBuf;
    size_t FPos = 0; ///< input: next byte in FBuf
    size_t FEnd = 0; ///< input: end of the bytes read; output: bytes waiting to be written
};

/// Gives F a file name (closing F first when it is open). An empty name leaves F unassigned.
void AssignFile(TextFile& F, const std::string& FileName);
/// Opens the file for reading from its start; an open F is rewound (an output file is closed first).
void Reset(TextFile& F);
/// Creates the file (emptying an existing one) and opens it for writing.
void Rewrite(TextFile& F);
/// Opens an existing file for writing at its end; fails (code 2) when the file is missing.
void Append(TextFile& F);
/// Writes what is buffered and closes the file; code 103 when it is not open.
void CloseFile(TextFile& F);
/// Writes the buffered output to the file.
void Flush(TextFile& F);

/// Reset, Append and Rewrite that report failure as false (and the code in *ErrorCode) instead of
/// raising; IOResult is left alone.
bool TryReset(TextFile& F, int* ErrorCode = nullptr);
bool TryAppend(TextFile& F, int* ErrorCode = nullptr);
bool TryRewrite(TextFile& F, int* ErrorCode = nullptr);

/// True at the end of an input file (always true for an output file).
bool Eof(TextFile& F);
/// True when the next byte is CR or LF, or at the end of the file.
bool Eoln(TextFile& F);
/// Skips blanks, tabs and line ends, then Eof.
bool SeekEof(TextFile& F);
/// Skips blanks and tabs, then Eoln.
bool SeekEoln(TextFile& F);

/// Reads one line into S and moves past its line end; at the end of the file S is empty.
void Readln(TextFile& F, std::string& S);
/// Skips the rest of the current line and its line end.
void Readln(TextFile& F);
/// Reads one byte (CR and LF included).
void Read(TextFile& F, char& C);
/// Reads the rest of the current line into S; the line end stays unread.
void Read(TextFile& F, std::string& S);
/// Reads up to MaxLen bytes of the current line into S (fewer when the line ends first).
void Read(TextFile& F, std::string& S, int MaxLen);
/// Number reads (see the decisions above).
void Read(TextFile& F, int& V);
void Read(TextFile& F, int64_t& V);
void Read(TextFile& F, double& V);
void Read(TextFile& F, long double& V);
/// Reads each argument in turn, then skips the rest of the line: Readln(F, X, Y, Z).
template <class... A> void Readln(TextFile& F, A&... Args) {
    (Read(F, Args), ...);
    Readln(F);
}

/// Writes text, right-justified in Width characters when it is shorter.
void Write(TextFile& F, const std::string& S, int Width = 0);
void Write(TextFile& F, const char* S, int Width = 0);
void Write(TextFile& F, char C);
/// Writes "TRUE" or "FALSE".
void Write(TextFile& F, bool B);
void WriteInt64(TextFile& F, int64_t V, int Width);
void WriteUInt64(TextFile& F, uint64_t V, int Width);
/// Writes an integer in decimal, right-justified in Width characters.
template <std::integral T>
requires(!std::same_as<T, char> && !std::same_as<T, bool>) void Write(TextFile& F, T V, int Width = 0) {
    if constexpr (std::is_signed_v<T>)
        WriteInt64(F, static_cast<int64_t>(V), Width);
    else
        WriteUInt64(F, static_cast<uint64_t>(V), Width);
}
/// Writes a real as Str does: Str(V) without a width, Str(V, Width) exponential, Str(V, Width,
/// Decimals) fixed.
void Write(TextFile& F, long double V);
void Write(TextFile& F, long double V, int Width);
void Write(TextFile& F, long double V, int Width, int Decimals);
void Write(TextFile& F, double V);
void Write(TextFile& F, double V, int Width);
void Write(TextFile& F, double V, int Width, int Decimals);
/// Writes a line end (CR LF).
void Writeln(TextFile& F);
/// Write(F, Args...) followed by a line end: Writeln(F, "x"), Writeln(F, 42, 6), Writeln(F, x, 8, 3).
template <class... A> void Writeln(TextFile& F, const A&... Args) {
    Write(F, Args...);
    Writeln(F);
}

} // namespace qyx
