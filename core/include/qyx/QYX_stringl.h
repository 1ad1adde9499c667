// QYX_stringl: string utilities on code page 1252 strings.
//
// Sections of this unit:
//   1. Error class, character sets and types
//   2. Number, time and Boolean formatting
//   3. Searching, counting and character classes
//   4. Extracting, splitting and line handling
//   5. Trimming, padding and editing
//   6. Case and code pages
//   7. Scrambler
//   8. Quoted names, parameters and UU coding
//   9. Tags in strings
//  10. Regular-expression matcher (TGrep)
//
// Positions count from 1. A blank is the space character alone. Letter tests and case folding work
// on the ASCII letters unless a routine says it follows the ANSI (code page 1252) rules. Every
// routine returns a new string and leaves its arguments alone; none of them fails on any input.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <qyx/QYX_qyxbase.h>
#include <qyx/platform/ShortString.h>

namespace qyx {

// ================================================================================================
// 1. Error class, character sets and types
// ================================================================================================

/// Errors raised by this unit (the regular-expression matcher).
class EQYXStringlError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

/// A set of characters (all 256 codes may be members).
class TCharSet {
public:
    constexpr TCharSet() = default;
    /// The set of the characters of Members.
    constexpr explicit TCharSet(std::string_view Members) {
        for (char c : Members) Include(c);
    }
    constexpr bool Contains(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return (FBits[u >> 6] >> (u & 63)) & 1;
    }
    constexpr TCharSet& Include(char c) {
        const auto u = static_cast<unsigned char>(c);
        FBits[u >> 6] |= uint64_t{1} << (u & 63);
        return *this;
    }
    /// Number of members.
    constexpr int Count() const {
        int n = 0;
        for (int c = 0; c < 256; ++c) n += Contains(static_cast<char>(c)) ? 1 : 0;
        return n;
    }

private:
    std::array<uint64_t, 4> FBits{};
};

/// Word separators of CountWords and ExtractWordFromString: codes 0, 10 and 13, the blank and
/// " # % ' ( ) * + , - . / : ; < = > [ \ ] { } (26 members).
inline constexpr TCharSet WordSeps{std::string_view("\0\n\r \"#%'()*+,-./:;<=>[\\]{}", 26)};

/// Result of Tokenize: strings of at most 255 characters.
using TOpenStringArray = std::vector<TShortString255>;

/// State of ParseQuotedName: before the name, inside quotes, just after a quote inside quotes,
/// inside an unquoted name, after the name.
enum TQuotedStrState : uint8_t { vsStart, vs1stQuote, vsQuote, vsNormal, vsEnd };

// ================================================================================================
// 2. Number, time and Boolean formatting
// ================================================================================================

/// x right-justified in |Width| characters with Decimals digits after the point ("." always), or
/// with Decimals = -2 in exponential form with a two-digit exponent (|Width| "*" when the exponent
/// needs three digits). A negative Width pads with zeros ("-00005"). Other negative Decimals give
/// the full exponential form with four exponent digits (strff(123.456, 22, -1) is
/// " 1.2345600000000E+0002"); |Width| beyond 19998 counts as 19998.
std::string strff(long double x, int Width, int Decimals);
/// strff with a "+" for values >= 0 (in the blank before the number, in place of a padding zero, or
/// in front).
std::string strffForcePlus(long double x, int Width, int Decimals);
/// Fixed notation with Decimals (0..8) decimals when x fits nine significant digits, otherwise
/// strff(x, Width + 6, -2).
std::string FormatData(double x, int Width, int Decimals);
/// A duration in seconds as clock text in one of the formats 0..5 ("01:02:05.50", "01:02:05",
/// " 1h02", " 1h02'05\"", "01:02", " 1:02a"); other formats give "". Negative or NaN Secs count as 0.
std::string TimeString(double Secs, uint8_t Format);
/// B in notation Mode: 0 TRUE/FALSE, 1 T/F, 2 .T./.F., 3 1/0, 4 -1/0, 5 FF/00; others as 0.
std::string BoolToStr(bool B, int Mode);

// ================================================================================================
// 3. Searching, counting and character classes
// ================================================================================================

/// Position of the Count-th occurrence of SubStr in S at or after StartPos (below 1 counts as 1),
/// occurrences not overlapping; 0 when there are fewer, Count <= 0 or SubStr is empty.
int NumberedPos(const std::string& SubStr, const std::string& S, int StartPos, int Count, bool IgnoreCase);
/// 1-based index of the first entry of List equal to S (case-sensitive); 0 if none.
int StringIx(const std::string& S, std::span<const std::string> List);
/// Position of the last of the non-overlapping occurrences of SubStr found from the left; 0 if none.
int PosLast(const std::string& SubStr, const std::string& S);
/// Number of c in S; unless CaseSensitive, a..z count as A..Z.
int CountCharInString(char c, const std::string& S, bool CaseSensitive);
/// Number of words of two or more characters that a member of WordSeps follows.
int CountWords(const std::string& S);
/// True when S is not empty and consists of c only.
bool TestAllChar(const std::string& S, char c);
/// Position of the first non-blank character; 0 for "" and blanks only.
int FindFirstNonBlank(const std::string& S);
/// True when the longest run of A..Z is at least 2 and longer than the number of a..z and digits.
bool IsAbbreviation(const std::string& S);
/// Equal without regard to ANSI case.
bool EqualAnsiStrings(const std::string& S1, const std::string& S2);
/// 0..9.
bool IsDigit(char c);
/// A..Z or a..z.
bool IsLetter(char c);
/// IsDigit or IsLetter.
bool IsDigitLetter(char c);
/// 0..9, A..F or a..f.
bool IsHexChar(char c);

// ================================================================================================
// 4. Extracting, splitting and line handling
// ================================================================================================

/// The word around Pos, bounded by members of WordSeps; the separator itself when Pos is one; ""
/// when Pos is outside S.
std::string ExtractWordFromString(const std::string& S, int Pos);
/// As above, also giving the word's first and last position (both 0 when Pos is outside S).
std::string ExtractWordFromString(const std::string& S, int Pos, int& StartPos, int& EndPos);
/// Field Index (from 0) of S, fields being separated by Delim; "" when there is no such field.
std::string ExtractSubString(const std::string& S, int Index, const std::string& Delim);
/// Splits S at Delim into at most 100 tokens (the last takes the rest); returns their number.
int Tokenize(const std::string& S, const std::string& Delim, TOpenStringArray& Tokens);
/// The next line of S from Pos (below 1 counts as 1), without control characters. LineEnd: 0 LF,
/// 1 CR, 2 either, 3 CR after LF, 4 LF after CR, other values none. Pos ends after the character that
/// ended the line; Eof becomes true when the text ran out.
std::string ReadLnString(const std::string& S, int& Pos, bool& Eof, int LineEnd);
/// Line and column (both from 1) of position Pos of a multi-line text; LF, CR and CR LF end lines,
/// and a line end belongs to the line it ends. Pos may be one past the end; outside that, both are 0.
void TextLineCoords(const std::string& S, int Pos, int& Line, int& Col);

// ================================================================================================
// 5. Trimming, padding and editing
// ================================================================================================

/// S without leading and trailing blanks ("" for blanks only).
std::string StripLTBlanks(const std::string& S);
/// Leading blanks removed; blanks only give one blank.
std::string StripLeadingBlanks(const std::string& S);
/// Trailing blanks removed; blanks only give one blank.
std::string StripTrailingBlanks(const std::string& S);
/// All leading c removed.
std::string StripLeadingChars(char c, const std::string& S);
/// Trailing c removed; a string of c only keeps one.
std::string StripTrailingChars(char c, const std::string& S);
/// S padded with blanks on the right to Width, or cut to its first Width characters.
std::string LeftString(const std::string& S, uint8_t Width);
/// S padded with blanks on the left to Width, or cut to its first Width characters.
std::string RightString(const std::string& S, uint8_t Width);
/// S centred in Width (the odd blank after it), or cut to its first Width characters.
std::string CenterString(const std::string& S, uint8_t Width);
/// c repeated Count times, Count limited to 1..255.
std::string MultiChar(char c, int Count);
/// S cut to MaxLen - 2 characters plus ".." when longer than MaxLen; never longer than MaxLen.
std::string AbbrevString(const std::string& S, int MaxLen);
/// S with c appended unless it ends with c; "" stays "".
std::string EnsureTrailingChar(char c, const std::string& S);
/// EnsureTrailingChar with a backslash.
std::string EnsureTrailingBkSlash(const std::string& S);
/// Every OldChar replaced by NewChar.
std::string ReplaceCharInString(const std::string& S, char OldChar, char NewChar);
/// Every c removed.
std::string RemoveCharInString(const std::string& S, char c);
/// Every character of code 0..31 removed.
std::string RemoveControlChars(const std::string& S);
/// Every occurrence of Old replaced by New, from the left; inserted text is not searched again.
std::string ReplaceStringInString(const std::string& S, const std::string& Old, const std::string& New,
                                  bool IgnoreCase);
/// The characters in reverse order.
std::string ReverseString(const std::string& S);
/// Every character other than 0..9, A..Z, a..z replaced by "_".
std::string ReduceStringToAZ09(const std::string& S);
/// Every character not allowed in an 8.3 file name replaced by "_" (letters, digits and
/// ! # $ % & ' ( ) - . @ ^ _ ` { } ~ stay).
std::string ReduceStringToFN83CompliantChars(const std::string& S);
/// Resolves "\#hh" (hexadecimal character code) and "\\" (one backslash).
std::string ProcessHexChars(const std::string& S);

// ================================================================================================
// 6. Case and code pages
// ================================================================================================

/// The first letter a..z of every word upper-cased ("2nd" stays).
std::string CapitalizeString(const std::string& S);
/// The ANSI case of every letter flipped.
std::string ChangeCase(const std::string& S);
/// German special letters spelled out: ä ae, ö oe, ü ue, ß ss, µ u, Ä Ae or AE, Ö Oe or OE, Ü Ue or UE.
std::string ExpandDiphthongs(const std::string& S);
/// OEM (DOS) code page text converted to ANSI.
TShortString255 WinAnsiString(const TShortString255& S);
/// ANSI text converted to the OEM (DOS) code page.
TShortString255 OEMString(const TShortString255& S);

// ================================================================================================
// 7. Scrambler
// ================================================================================================
// A permutation of the codes 1..255 (0 stays 0), filled with the seed 7093 when the library loads.

/// Seeds the shared pseudo-random generator with Seed and rebuilds the scrambler tables from it.
void InitScramble(int Seed);
/// Every character replaced by its image under the permutation.
std::string Scramble(const std::string& S);
/// The inverse of Scramble: DeScramble(Scramble(S)) == S.
std::string DeScramble(const std::string& S);

// ================================================================================================
// 8. Quoted names, parameters and UU coding
// ================================================================================================

/// Feeds one character c of a name that may be enclosed in Quote characters (a doubled Quote inside
/// stands for one). Start with State = vsStart (which clears Name); leading blanks are skipped, an
/// unquoted name ends at a blank or control character, a quoted one after its closing Quote; State
/// is then vsEnd and further characters are ignored.
void ParseQuotedName(char c, char Quote, std::string& Name, TQuotedStrState& State);
/// Parameter Index (from 1) of S, parameters being separated by Delim; Delim inside Quote characters
/// does not separate, the quotes are removed (a doubled Quote inside stands for one) and blanks
/// around the parameter outside quotes are dropped. Default when there is no such parameter or it
/// is empty.
std::string ExtractParam(const std::string& S, int Index, char Delim, char Quote, const std::string& Default);
/// S in UU code: lines of up to 45 bytes (a length character, then four characters per three bytes,
/// "`" for zero), separated by CR LF; "" for "".
std::string UUEncodeStr(const std::string& S);
/// The bytes of UU-coded text; "begin" lines are skipped, an "end" line or a zero-length line stops,
/// and truncated lines give the bytes they hold.
std::string UUDecodeStr(const std::string& S);

// ================================================================================================
// 9. Tags in strings
// ================================================================================================
// Tag lists hold lower-case names (end tags with their slash) and a last placeholder entry; the
// result of a scan is the index of the name in the list, the last index when the name is not in it
// or no tag was found.

/// Reads the next element of S from Pos (below 1 counts as 1) as ReadNextTagInStream reads it from a
/// stream: the tag's name, its Attributes and, for a start tag, the Content up to its end tag
/// (matched without regard to case). Pos ends after what was consumed.
int ReadNextTagInString(const std::string& S, int& Pos, std::span<const std::string> TagList,
                        std::string& Attributes, std::string& Content);
/// Finds the next tag of S at or after StartPos (below 1 counts as 1) without reading its content:
/// StartPos and EndPos become the positions of its "<" and ">" (EndPos the last position of S for an
/// unterminated tag), Attributes its attributes and EmptyElement whether it ends in "/>". Without a
/// further tag StartPos is 0 and EndPos the length of S.
int DetectNextTagInString(const std::string& S, int& StartPos, int& EndPos,
                          std::span<const std::string> TagList, std::string& Attributes, bool& EmptyElement);

// ================================================================================================
// 10. Regular-expression matcher
// ================================================================================================
// A small pattern language compiled into at most 64 tokens: literal text, "." (any character),
// sets "[a-z]" and "[^...]", literal groups "(...)", the anchors "^" and "$", and the repetitions
// "*", "+" and "?" (applied to the last character, set or group). A backslash quotes the next
// character, "\#hh" stands for the character with hexadecimal code hh.

/// Kind of a compiled token: literal string, any character, end of subject, start of subject, one
/// character of a set, zero or more, one or more, zero or one.
enum TGrepTokenAct : uint8_t { taNormal, taAnyByte, taEol, taBol, taSet, taMult0, taMult1, taOpti };

/// One compiled token. Count: literal length; for repetitions 0 = any character, -1 = the set in
/// Data, n > 0 = the n-character string in Data; -1 for sets. Data: string characters at 1..Count,
/// or for sets one byte per code ("*" member, blank non-member). Pos: where it last matched.
struct TGrepToken {
    TGrepTokenAct Act = taNormal;
    int32_t Count = 0;
    std::array<char, 256> Data{};
    int32_t Pos = 0;
};

/// Largest number of tokens of a compiled pattern.
inline constexpr int GrepMaxTokens = 64;
/// Error code of a pattern that needs more than GrepMaxTokens tokens or a group of more than 255
/// characters (codes 1 ... 9 are the syntax errors listed with GrepErrorText).
inline constexpr int GrepErrTooLong = 10;

/// Text of a compile error code; "no errors" for 0.
std::string GrepErrorText(int ErrorCode);

/// Compiles a pattern and searches strings for it. Repetitions that are followed by further tokens
/// try the fewest elements first; a repetition that ends the pattern takes all it can. Failed
/// (token, position) states are remembered during a search, so no pattern takes exponential time.
class TGrep : public TComponent {
public:
    explicit TGrep(TComponent* AOwner);

    /// Compiles Pattern into the tokens; returns the error code (0 on success), never raises.
    int CompileRegExp(const std::string& Pattern);
    /// Searches S from SearchStartPos on; on success MatchPos, the match start and end are set.
    bool MatchString(const std::string& S, int& MatchPos);
    /// A copy of token Index, the index limited to 1 ... token count (token 1 when there are none).
    TGrepToken GetRegExpToken(int Index) const;
    /// Writes one line per token and the error state to a new text file; EInOutError on failure.
    void PrintRegExp(const std::string& FileName) const;

    const std::string& GetRegExp() const { return FRegExp; }
    /// Stores and compiles; with StopOnError a failing pattern raises EQYXStringlError
    /// "error in regular expression - <text>" in the component form (the partial tokens stay).
    void SetRegExp(const std::string& Value);
    bool GetIgnoreCase() const { return FIgnoreCase; }
    /// Stores the flag and compiles the current pattern again without raising.
    void SetIgnoreCase(bool Value);
    int GetSearchStartPos() const { return FSearchStartPos; }
    /// First position of the subject a search tries (below 1 counts as 1).
    void SetSearchStartPos(int Value) { FSearchStartPos = Value; }
    bool GetStopOnError() const { return FStopOnError; }
    void SetStopOnError(bool Value) { FStopOnError = Value; }

    /// Result of the last compilation, 0 for none.
    int GetErrorCode() const { return FErrorCode; }
    int GetTokenCount() const { return FTokenCount; }
    /// Position of the first character of the latest match.
    int GetMatchStart() const { return FMatchStart; }
    /// Position of the last character the latest match consumed (start - 1 for an empty match).
    int GetMatchEnd() const { return FMatchEnd; }

private:
    bool MatchFrom(int k, int p, int& EndPos);
    bool ElementAt(const TGrepToken& T, int p) const;
    int ElementLength(const TGrepToken& T) const { return T.Count > 0 ? T.Count : 1; }
    bool Failed(int k, int p) const;
    void MarkFailed(int k, int p);
    void PrepareScan();

    bool FStopOnError = true;
    int FTokenCount = 0;
    TFixedArray<TGrepToken, 1, GrepMaxTokens> FTokens{};
    std::string FRegExp;
    bool FIgnoreCase = false;
    int FErrorCode = 0;
    int FMatchEnd = 0;
    int FMatchStart = 0;
    int FSearchStartPos = 1;
    // What the compiled pattern tells the scan for start positions: the characters a match can
    // start with (FFirstFilter: only those), the one such character when there is just one, and
    // whether failed states are worth remembering.
    std::array<bool, 256> FFirst{};
    bool FFirstFilter = false;
    int FFirstOnly = -1;
    bool FNeedMemo = false;
    bool FSkipRuns = false;
    // Search state of the running MatchString.
    const char* FSubj = nullptr;
    int FLen = 0;
    bool FUseMemo = false;
    int FRunEnd = 0; // where the run of a failed leading repetition ended
    std::vector<uint64_t> FMemo;
    std::string FWork;
};

} // namespace qyx
