// Code page 1252 text helpers: conversion to and from Unicode and UTF-8, the "ANSI" case tables and
// comparisons, the ASCII-only case and trim routines, and the OEM (DOS) code page conversion.
//
// Text in the libraries is std::string of code page 1252 bytes. Conversions happen only at the
// boundaries (fonts, clipboard, keyboard, file names, the terminal).
//
// Decisions fixed here for the whole system:
// - Code page 1252 to Unicode follows the published table; the five bytes the code page leaves
//   undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control with the same number, so every
//   byte string survives a round trip through UTF-8 unchanged.
// - "ANSI" case: the letter pairs of code page 1252 (A-Z/a-z, À-Þ/à-þ except ×/÷, Š/š, Œ/œ, Ž/ž,
//   Ÿ/ÿ). ß, µ, ª, º and ƒ have no upper case and stay as they are.
// - The OEM code page is 850 (multilingual Latin 1). A character without a counterpart in the other
//   code page takes a best fit only where it is unambiguous (box drawing lines -> "-", "=", "|", "+";
//   dotless i -> "i"; double low line -> "_"; Š/š, Ž/ž, Ÿ -> S/s, Z/z, Y; typographic quotes, dashes,
//   angle quotes, small tilde and circumflex -> their ASCII forms); everything else becomes "?"
//   (shades and blocks, €, ellipsis, daggers, per mille, Œ/œ, bullet, trade mark).
#pragma once

#include <string>
#include <string_view>

namespace qyx {

// ---- Unicode and UTF-8 -------------------------------------------------------------------------

/// The Unicode code point of a code page 1252 byte (never fails).
char32_t Cp1252ToUnicode(unsigned char C);
/// The code page 1252 byte for a code point, or -1 when the code page has none.
int UnicodeToCp1252(char32_t U);
/// Code page 1252 text as UTF-8.
std::string Cp1252ToUtf8(std::string_view S);
/// UTF-8 text as code page 1252. Characters the code page lacks become "?", and so does each
/// malformed sequence (stray continuation byte, truncated or overlong form, surrogate, > U+10FFFF).
std::string Utf8ToCp1252(std::string_view S);

// ---- ANSI (code page 1252) case and comparison ------------------------------------------------

char AnsiUpperChar(char C);
char AnsiLowerChar(char C);
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
/// Compares with regard to case: < 0, 0 or > 0. The order has three levels: first the letters
/// without their accents and case (so "Ärger" sorts between "Apfel" and "Zug"), then the accents,
/// then the case (lower case before upper case). Other characters sort by their Unicode code point.
int AnsiCompareStr(std::string_view S1, std::string_view S2);
/// Compares without regard to case: the first two levels of AnsiCompareStr.
int AnsiCompareText(std::string_view S1, std::string_view S2);
/// True when the texts are equal without regard to ANSI case.
bool AnsiSameText(std::string_view S1, std::string_view S2);

// ---- ASCII-only case, comparison and trimming -------------------------------------------------

/// "a".."z" to "A".."Z"; every other byte stays.
std::string UpperCase(std::string_view S);
/// "A".."Z" to "a".."z"; every other byte stays.
std::string LowerCase(std::string_view S);
/// Byte-wise comparison: the difference of the first differing bytes (unsigned), else of the lengths.
int CompareStr(std::string_view S1, std::string_view S2);
/// As CompareStr after folding ASCII letters to upper case.
int CompareText(std::string_view S1, std::string_view S2);
bool SameText(std::string_view S1, std::string_view S2);
/// Removes leading and trailing blanks and control characters (bytes 0..32).
std::string Trim(std::string_view S);
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);

// ---- OEM code page 850 ------------------------------------------------------------------------

/// One code page 850 character as code page 1252 (best fit or "?" where there is no counterpart).
char OemToAnsi(char C);
/// Code page 850 text as code page 1252, character by character; the length never changes.
std::string OemToAnsi(std::string_view S);
/// One code page 1252 character as code page 850 (best fit or "?" where there is no counterpart).
char AnsiToOem(char C);
/// Code page 1252 text as code page 850, character by character; the length never changes.
std::string AnsiToOem(std::string_view S);
/// The host's names for the same conversions.
inline std::string OemToChar(std::string_view S) {
    return OemToAnsi(S);
}
inline std::string CharToOem(std::string_view S) {
    return AnsiToOem(S);
}

/// True when C starts a double-byte character; code page 1252 has none, so always false.
constexpr bool IsLeadByte(char) {
    return false;
}

} // namespace qyx
