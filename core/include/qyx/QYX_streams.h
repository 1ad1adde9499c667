// QYX_streams: text and numbers on byte streams, the XML tag scanners, and the XML envelope in which
// every persistable class of the libraries saves itself.
//
// Sections of this unit:
//   1. Writing and reading binary values and lines
//   2. Searching, counting and copying
//   3. Number scanners
//   4. XML tag scanners
//   5. The XML envelope
//
// Streams hold single-byte (code page 1252) text. Binary values are little-endian: an integer as 4
// bytes, a real as the 10-byte x87 extended format. Lines written here end with CR LF (13, 10).
// "Lower case" means ASCII folding (A-Z only) throughout. No routine keeps state between calls: all
// position information lives in the stream or text file. Stream errors of the run-time layer
// (EReadError, EWriteError, EInOutError) reach the caller unchanged unless a routine says otherwise.
// The byte-wise readers fetch small blocks and seek back behind the last byte they used, so they
// leave a stream exactly where byte-by-byte reading would; the stream must therefore be seekable (as
// memory, string and file streams are).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include <qyx/platform/StringList.h>
#include <qyx/platform/TextFile.h>

namespace qyx {

class TStream;
class TMemoryStream;

// ================================================================================================
// 1. Writing and reading binary values and lines
// ================================================================================================

/// Writes the bytes of S (no length, no terminator), in blocks of at most 4096 bytes.
void WriteStringStream(TStream* Stream, const std::string& S);
/// Writes S followed by CR LF.
void WriteLnStream(TStream* Stream, const std::string& S);
/// Writes Value as 4 bytes, little-endian two's complement.
void WriteLongintToStream(TStream* Stream, int Value);
/// Writes Value as 10 bytes of the x87 extended format (64-bit significand, 15-bit exponent, sign).
void WriteExtendedToStream(TStream* Stream, long double Value);

/// Reads 4 bytes. On a short read Eof becomes true and the missing bytes count as zero (0 when none
/// was left); otherwise Eof is false.
int ReadLongintFromStream(TStream* Stream, bool& Eof);
/// Reads 10 bytes of extended format; a short read as ReadLongintFromStream.
long double ReadExtendedFromStream(TStream* Stream, bool& Eof);

/// Reads the next line. Bytes >= 32 and tabs are kept; every other byte is dropped and may end the
/// line according to LineEnd: 0 LF, 1 CR, 2 either, 3 CR directly after LF, 4 LF directly after CR,
/// any other value never. Eof becomes true when the stream ends (the line read so far is returned).
std::string ReadLnStream(TStream* Stream, bool& Eof, int LineEnd);

// ================================================================================================
// 2. Searching, counting and copying
// ================================================================================================

/// Reads bytes until one equals Ch: true with the stream just after it, or false at the end.
bool FindInStream(TStream* Stream, uint8_t Ch);
/// All bytes from the current position to the end (read in blocks of 256 until one comes back short).
std::string StreamAsString(TStream* Stream);
/// The text up to and including the next Delim (found without regard to case, returned as it stands
/// in the stream); Status 0 and the stream just behind the delimiter. When Delim does not occur (an
/// empty Delim never does): Status -1, the rest of the stream is returned and the stream is at its end.
std::string ReadStreamUntil(TStream* Stream, const std::string& Delim, int& Status);
/// Number of line-feed bytes from the current position to the end; leaves the stream at its end.
int CountLinesInStream(TStream* Stream);

/// Copies parts of Stream into Target, one after another in the order of Parts. Each item of Parts is
/// "Offset,Count" (decimal, blanks allowed around the numbers): Count bytes from byte Offset (counted
/// from 0 at the stream's start); a negative Count means up to the end. Parts reaching beyond the end
/// are cut there; items that are not two numbers or have a negative Offset add nothing. Target is
/// created when null (the caller owns it), otherwise emptied; it ends at position 0. The position of
/// Stream is left as it was. A null Parts extracts nothing.
void ExtractFromStream(TStream* Stream, TMemoryStream*& Target, const TStrings* Parts);

/// Called for each replacement of SearchAndReplace with the text found (as it stands in the source);
/// Replacement comes preset with the replacement text and may be changed.
using TSearchReplaceEvent = std::function<void(const std::string& Found, std::string& Replacement)>;

/// Copies all of Source into Target, replacing occurrences of SearchText by ReplaceText.
/// - IgnoreCase: occurrences are found without regard to (ASCII) case.
/// - StartPos: byte offset in Source (from 0) where the search begins; bytes before it are copied
///   unchanged (a negative StartPos counts as 0).
/// - MaxCount: at most this many replacements; 0 or less replaces every occurrence.
/// - EndText: when not empty, an occurrence runs from SearchText to the end of the next EndText after
///   it (an occurrence without EndText behind it is not replaced); when empty, it is SearchText alone.
/// - OnReplace: when assigned, called for each occurrence before its replacement is written.
/// The search continues behind each occurrence, so replaced text is never searched again; an empty
/// SearchText replaces nothing. Target is created when null (the caller owns it), otherwise its content
/// is replaced; it ends at position 0. Source may be Target. A null Source counts as empty; its
/// position is left as it was.
void SearchAndReplace(TMemoryStream*& Source, TMemoryStream*& Target, const std::string& SearchText,
                      const std::string& ReplaceText, bool IgnoreCase, int StartPos, int MaxCount,
                      const std::string& EndText, const TSearchReplaceEvent& OnReplace);

// ================================================================================================
// 3. Number scanners
// ================================================================================================

/// Skips blanks (byte 32), reads an optional "+" or "-" and decimal digits; the byte that ended the
/// digits is consumed. No digits give 0; values beyond 32 bits are limited to -2147483648..2147483647.
int ScanStreamDecimal(TStream* Stream);

/// Reads a real number with the real-number state machine: optional white space (tab, LF, CR, blank),
/// optional sign, digits with an optional decimal separator and fraction, and, when AllowExp, an
/// exponent "E"/"e" with optional sign and digits. DecSep (a TDecPSep value) selects the separators:
/// dsDot ".", dsComma ",", dsBoth either, dsSystem the run-time layer's DecimalSeparator, any other
/// value none. A malformed number gives 0.0. The byte that stopped the scan is given back (at the end
/// of the stream the position stays at the end). The result is limited to -uc_MaxDouble..uc_MaxDouble.
double ScanStreamFPNum(TStream* Stream, bool AllowExp, int DecSep);

/// The same rules on text, from the 1-based position Pos (below 1 counts as 1): the end of S ends the
/// number, only the blank counts as white space (leading blanks are skipped) and on return Pos stands
/// on the character that stopped the scan (Length(S) + 1 when the text ran out).
double ScanStringFPNum(const std::string& S, int& Pos, bool AllowExp, int DecSep);

// ================================================================================================
// 4. XML tag scanners
// ================================================================================================
// A tag list holds the lower-case element names a reader knows (end tags with their slash,
// "/custtextlbl") and, as its last entry, a placeholder that never occurs ("dummy"). The scanners
// return the index of the element's name in the list; the last index means "not in the list" and is
// also the result at the end of the input (-1 for an empty list). This is no general XML parser: no
// comments, entities or nesting of same-named elements.

/// Reads the next element: skips to the next "<", takes the tag up to its ">", and for a start tag
/// reads the element text up to the matching end tag (found without regard to case) into Content.
/// Attributes gets the text between the name and ">" or "/>", blanks around it removed.
int ReadNextTagInStream(TStream* Stream, std::span<const std::string> TagList, std::string& Attributes,
                        std::string& Content);
/// ReadNextTagInStream on a text file open for reading.
int ReadNextTagInTextFile(TextFile& F, std::span<const std::string> TagList, std::string& Attributes,
                          std::string& Content);
/// The value of attribute AttrName (compared without regard to case, blanks around names ignored) in
/// an attribute text such as `x = "1 2" y=3`; values may be quoted or plain. Empty when the attribute
/// is absent or a syntax error (a quote in a name, "=" where a value belongs) comes before it.
std::string ScanForXMLAttrib(const std::string& Attributes, const std::string& AttrName);

/// Searches the stream forward for the next tag named TagName (without regard to case), looking into
/// every element, nested ones included. When found: true, with Attributes and Content as
/// ReadNextTagInStream gives them, and the stream behind what was read. Otherwise false, both strings
/// empty and the stream at its end; an empty TagName finds nothing and reads nothing.
bool ScanStreamForXMLTag(TStream* Stream, const std::string& TagName, std::string& Attributes,
                         std::string& Content);
/// Reads the stream until a tag whose name is one of the entries of TagList before its last one and
/// returns the text read, that tag included; Index is the entry's index and the stream stands behind
/// the tag's ">". At the end of the stream the text read is returned with Index the last index (-1 and
/// nothing read for an empty list).
std::string ReadStreamUntilTagList(TStream* Stream, std::span<const std::string> TagList, int& Index);

// ================================================================================================
// 5. The XML envelope
// ================================================================================================
// Every persistable class writes one envelope per object:
//     <?xml version="1.0"?>                                  only when the caller asks for a header
//     (empty line)                                           always, never indented
//     <!-- description / QYX Component Suite -->
//     <roottag sig="QYXCSuite" vers="1.0" id="DataID" ...>   class attributes may follow id
//       ...the class's elements, one per line
//     </roottag>
// Writers with an indentation count start every line but the empty one with XMLIndentation(Indent);
// other writers pass an empty prefix. Nothing is escaped. A reader finds its object with FindXMLRoot
// (forward from the current position, so several objects can share one file) and then walks the
// elements with ReadNextTagInTextFile or ReadNextTagInStream until its root end tag or the last index.

/// The signature and version every root line carries.
inline const std::string xmlEnvelopeSig = "QYXCSuite";
inline const std::string xmlEnvelopeVersion = "1.0";
/// The header line written when a caller asks for it.
inline const std::string xmlHeaderLine = "<?xml version=\"1.0\"?>";

/// The prefix of a writer with an indentation count: Indent blanks, limited to 1..255.
std::string XMLIndentation(int Indent);
/// "<!-- " + Description + " / QYX Component Suite -->".
std::string XMLCommentLine(const std::string& Description);
/// `<RootTag sig="QYXCSuite" vers="1.0" id="DataID">`; a non-empty ExtraAttributes follows the id
/// after one blank (`model="x" map="y"`).
std::string XMLRootStartTag(const std::string& RootTag, const std::string& DataID,
                            const std::string& ExtraAttributes = {});
/// "</" + RootTag + ">".
std::string XMLRootEndTag(const std::string& RootTag);
/// An empty element "<Name Attributes />" ("<Name />" without attributes).
std::string XMLEmptyElement(const std::string& Name, const std::string& Attributes);
/// A text element "<Name>Text</Name>".
std::string XMLTextElement(const std::string& Name, const std::string& Text);

/// Writes the opening lines (header when CreateHeader, empty line, comment line, root start tag),
/// each but the empty line after Prefix and each ended by CR LF. Text-file errors raise EInOutError.
void WriteXMLEnvelopeHead(TextFile& F, bool CreateHeader, const std::string& RootTag,
                          const std::string& Description, const std::string& DataID,
                          const std::string& ExtraAttributes = {}, const std::string& Prefix = {});
/// The same on a stream (the stream's write error passes).
void WriteXMLEnvelopeHead(TStream* Stream, bool CreateHeader, const std::string& RootTag,
                          const std::string& Description, const std::string& DataID,
                          const std::string& ExtraAttributes = {}, const std::string& Prefix = {});
/// Writes the root end tag line after Prefix.
void WriteXMLEnvelopeTail(TextFile& F, const std::string& RootTag, const std::string& Prefix = {});
void WriteXMLEnvelopeTail(TStream* Stream, const std::string& RootTag, const std::string& Prefix = {});

/// The identifier of a root line: the text after the first `id="` up to the next double quote, with
/// blanks around it removed and lower-cased; empty when there is no `id="` or no closing quote.
std::string XMLRootLineID(const std::string& Line);
/// True when Line is a root line of RootTag that matches DataID: it contains "<" + RootTag and
/// "qyxcsuite" (without regard to case), and, unless DataID is empty, its identifier equals DataID
/// (without regard to case or blanks around it). An empty DataID matches any identifier.
bool IsXMLRootLine(const std::string& Line, const std::string& RootTag, const std::string& DataID);

/// Reads lines of F forward until the root line of RootTag for DataID: true with F just after that
/// line (RootLine gets it as written), or false at the end of the file.
bool FindXMLRoot(TextFile& F, const std::string& RootTag, const std::string& DataID);
bool FindXMLRoot(TextFile& F, const std::string& RootTag, const std::string& DataID, std::string& RootLine);
/// The same on a stream, lines read with ReadLnStream (a line feed ends a line).
bool FindXMLRoot(TStream* Stream, const std::string& RootTag, const std::string& DataID);
bool FindXMLRoot(TStream* Stream, const std::string& RootTag, const std::string& DataID,
                 std::string& RootLine);

/// The save pattern of SaveAsXMLFile: creates or overwrites FileName, calls Write with the open file
/// and closes it. Failures to create, write or close raise EInOutError.
void SaveXMLFile(const std::string& FileName, const std::function<void(TextFile& F)>& Write);
/// The load pattern of LoadFromXMLFile: opens FileName for reading; false without raising when it
/// cannot be opened; otherwise calls Read with the open file, closes it and returns Read's result.
bool LoadXMLFile(const std::string& FileName, const std::function<bool(TextFile& F)>& Read);

} // namespace qyx
