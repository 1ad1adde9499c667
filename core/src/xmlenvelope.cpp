// QYX_streams: the XML envelope shared by every persistable class (writing its lines, finding the
// root of one object by tag and identifier, and the file save and load patterns).
#include <qyx/QYX_streams.h>

#include <algorithm>

#include <qyx/QYX_stringl.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

namespace qyx {

namespace {

constexpr int kMaxIndent = 255;

} // namespace

// ---- Line texts ----------------------------------------------------------------------------------

std::string XMLIndentation(int Indent) {
    return std::string(static_cast<size_t>(std::clamp(Indent, 1, kMaxIndent)), ' ');
}

std::string XMLCommentLine(const std::string& Description) {
    return "<!-- " + Description + " / QYX Component Suite -->";
}

std::string XMLRootStartTag(const std::string& RootTag, const std::string& DataID,
                            const std::string& ExtraAttributes) {
    std::string s = "<" + RootTag + " sig=\"" + xmlEnvelopeSig + "\" vers=\"" + xmlEnvelopeVersion +
                    "\" id=\"" + DataID + "\"";
    if (!ExtraAttributes.empty()) s += " " + ExtraAttributes;
    return s + ">";
}

std::string XMLRootEndTag(const std::string& RootTag) {
    return "</" + RootTag + ">";
}

std::string XMLEmptyElement(const std::string& Name, const std::string& Attributes) {
    return Attributes.empty() ? "<" + Name + " />" : "<" + Name + " " + Attributes + " />";
}

std::string XMLTextElement(const std::string& Name, const std::string& Text) {
    return "<" + Name + ">" + Text + "</" + Name + ">";
}

// ---- Writing -------------------------------------------------------------------------------------

void WriteXMLEnvelopeHead(TextFile& F, bool CreateHeader, const std::string& RootTag,
                          const std::string& Description, const std::string& DataID,
                          const std::string& ExtraAttributes, const std::string& Prefix) {
    if (CreateHeader) Writeln(F, Prefix + xmlHeaderLine);
    Writeln(F);
    Writeln(F, Prefix + XMLCommentLine(Description));
    Writeln(F, Prefix + XMLRootStartTag(RootTag, DataID, ExtraAttributes));
}

void WriteXMLEnvelopeHead(TStream* Stream, bool CreateHeader, const std::string& RootTag,
                          const std::string& Description, const std::string& DataID,
                          const std::string& ExtraAttributes, const std::string& Prefix) {
    if (CreateHeader) WriteLnStream(Stream, Prefix + xmlHeaderLine);
    WriteLnStream(Stream, "");
    WriteLnStream(Stream, Prefix + XMLCommentLine(Description));
    WriteLnStream(Stream, Prefix + XMLRootStartTag(RootTag, DataID, ExtraAttributes));
}

void WriteXMLEnvelopeTail(TextFile& F, const std::string& RootTag, const std::string& Prefix) {
    Writeln(F, Prefix + XMLRootEndTag(RootTag));
}

void WriteXMLEnvelopeTail(TStream* Stream, const std::string& RootTag, const std::string& Prefix) {
    WriteLnStream(Stream, Prefix + XMLRootEndTag(RootTag));
}

// ---- Finding the root ----------------------------------------------------------------------------

std::string XMLRootLineID(const std::string& Line) {
    const std::string lower = LowerCase(Line);
    const int p = NumberedPos("id=\"", lower, 1, 1, false);
    if (p == 0) return {};
    // The closing quote is the second one counted from the start of `id="`.
    const int q = NumberedPos("\"", lower, p, 2, false);
    if (q == 0) return {};
    return StripLTBlanks(lower.substr(static_cast<size_t>(p + 3), static_cast<size_t>(q - p - 4)));
}

bool IsXMLRootLine(const std::string& Line, const std::string& RootTag, const std::string& DataID) {
    const std::string lower = LowerCase(Line);
    if (lower.find("<" + LowerCase(RootTag)) == std::string::npos) return false;
    if (lower.find("qyxcsuite") == std::string::npos) return false;
    if (DataID.empty()) return true;
    // Blanks around an identifier are removed on reading, so they are removed from DataID too; else
    // an object saved with such an identifier could never be found again.
    return XMLRootLineID(lower) == StripLTBlanks(LowerCase(DataID));
}

bool FindXMLRoot(TextFile& F, const std::string& RootTag, const std::string& DataID, std::string& RootLine) {
    std::string line;
    while (!Eof(F)) {
        Readln(F, line);
        if (IsXMLRootLine(line, RootTag, DataID)) {
            RootLine = line;
            return true;
        }
    }
    return false;
}

bool FindXMLRoot(TextFile& F, const std::string& RootTag, const std::string& DataID) {
    std::string line;
    return FindXMLRoot(F, RootTag, DataID, line);
}

bool FindXMLRoot(TStream* Stream, const std::string& RootTag, const std::string& DataID,
                 std::string& RootLine) {
    bool eof = false;
    do {
        std::string line = ReadLnStream(Stream, eof, 0);
        if (IsXMLRootLine(line, RootTag, DataID)) {
            RootLine = std::move(line);
            return true;
        }
    } while (!eof);
    return false;
}

bool FindXMLRoot(TStream* Stream, const std::string& RootTag, const std::string& DataID) {
    std::string line;
    return FindXMLRoot(Stream, RootTag, DataID, line);
}

// ---- File patterns -------------------------------------------------------------------------------

void SaveXMLFile(const std::string& FileName, const std::function<void(TextFile& F)>& Write) {
    TextFile f;
    AssignFile(f, FileName);
    Rewrite(f);
    if (Write) Write(f);
    CloseFile(f);
}

bool LoadXMLFile(const std::string& FileName, const std::function<bool(TextFile& F)>& Read) {
    TextFile f;
    AssignFile(f, FileName);
    if (!TryReset(f)) return false;
    const bool result = Read ? Read(f) : false;
    CloseFile(f);
    return result;
}

} // namespace qyx
