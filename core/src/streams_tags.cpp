// QYX_streams: the XML tag scanners on streams and text files, and the attribute scanner.
#include <qyx/QYX_streams.h>

#include <algorithm>

#include <qyx/QYX_stringl.h>
#include <qyx/platform/CodePage.h>

#include "streams_bytes.h"

namespace qyx {

namespace {

// ---- Character sources ---------------------------------------------------------------------------

// A stream read one byte at a time (through a block buffer); a read that delivers nothing ends it.
class TStreamChars {
public:
    explicit TStreamChars(TStream* Stream) : FBytes(Stream) {}
    bool Next(char& C) {
        uint8_t b;
        if (!FBytes.Next(b)) return false;
        C = static_cast<char>(b);
        return true;
    }
    void Release() { FBytes.Release(); }

private:
    detail::TStreamBytes FBytes;
};

// A text file read one character at a time, the end of file tested before each read.
class TFileChars {
public:
    explicit TFileChars(TextFile& F) : FFile(F) {}
    bool Next(char& C) {
        if (Eof(FFile)) return false;
        Read(FFile, C);
        return true;
    }
    void Release() {}

private:
    TextFile& FFile;
};

// ---- Tag text ------------------------------------------------------------------------------------

struct TTag {
    std::string Name; // lower-cased
    std::string Attributes;
    bool EmptyElement = false;
    bool IsStartTag() const { return !EmptyElement && !Name.empty() && Name[0] != '/'; }
};

// Skips up to and including the next "<"; false at the end of the input.
template <class Src> bool SkipToTag(Src& In) {
    char c;
    while (In.Next(c))
        if (c == '<') return true;
    return false;
}

// The characters after "<" up to and including the next ">" (or up to the end of the input).
template <class Src> std::string CollectTagText(Src& In) {
    std::string text;
    char c;
    while (In.Next(c)) {
        text += c;
        if (c == '>') break;
    }
    return text;
}

// Splits a tag text into name and attributes. A tag with "/>" is an empty element; otherwise the
// final ">" is dropped (a tag cut off by the end of the input has none, and nothing else is dropped).
TTag AnalyseTag(const std::string& Text) {
    TTag t;
    const size_t blank = Text.find(' ');
    const size_t close = Text.find("/>");
    size_t end;
    if (close != std::string::npos) {
        t.EmptyElement = true;
        end = close;
    } else {
        end = !Text.empty() && Text.back() == '>' ? Text.size() - 1 : Text.size();
    }
    if (blank != std::string::npos && blank < end) {
        t.Name = Text.substr(0, blank);
        t.Attributes = StripLTBlanks(Text.substr(blank + 1, end - blank - 1));
    } else {
        t.Name = Text.substr(0, end);
    }
    t.Name = LowerCase(t.Name);
    return t;
}

// True when S ends with the lower-case Suffix, compared without regard to ASCII case.
bool EndsWithLowered(const std::string& S, const std::string& Suffix) {
    if (S.size() < Suffix.size()) return false;
    const size_t off = S.size() - Suffix.size();
    for (size_t i = 0; i < Suffix.size(); ++i) {
        const char c = S[off + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != Suffix[i]) return false;
    }
    return true;
}

// Reads the text of the element Name up to its end tag (any letter case), which is read but not kept;
// at the end of the input everything read is kept. An end tag always ends in ">", so testing the end
// of the text after each ">" finds its first occurrence.
template <class Src> std::string ReadElementText(Src& In, const std::string& Name) {
    const std::string endTag = "</" + Name + ">";
    std::string content;
    char c;
    while (In.Next(c)) {
        content += c;
        if (c == '>' && EndsWithLowered(content, endTag)) {
            content.resize(content.size() - endTag.size());
            break;
        }
    }
    return content;
}

int LastIndex(std::span<const std::string> TagList) {
    return static_cast<int>(TagList.size()) - 1;
}

int TagIndex(const std::string& Name, std::span<const std::string> TagList) {
    const auto it = std::find(TagList.begin(), TagList.end(), Name);
    return it == TagList.end() ? LastIndex(TagList) : static_cast<int>(it - TagList.begin());
}

template <class Src>
int ReadNextTag(Src& In, std::span<const std::string> TagList, std::string& Attributes,
                std::string& Content) {
    Attributes.clear();
    Content.clear();
    if (!SkipToTag(In)) return LastIndex(TagList);
    TTag tag = AnalyseTag(CollectTagText(In));
    Attributes = std::move(tag.Attributes);
    if (tag.IsStartTag()) Content = ReadElementText(In, tag.Name);
    return TagIndex(tag.Name, TagList);
}

// ---- The attribute state machine -----------------------------------------------------------------

enum TAttrState : uint8_t { asName, asAfterEquals, asQuoted, asPlain };

enum TAttrResult : uint8_t { arComplete, arError };

// Reads one attribute from the 0-based position Pos, which advances past every character looked at.
TAttrResult ReadAttribute(const std::string& S, size_t& Pos, std::string& Name, std::string& Value) {
    Name.clear();
    Value.clear();
    TAttrState state = asName;
    while (Pos < S.size()) {
        const char c = S[Pos++];
        switch (state) {
        case asName:
            if (c == '"') return arError;
            if (c == '=')
                state = asAfterEquals;
            else
                Name += c;
            break;
        case asAfterEquals:
            if (c == ' ') break;
            if (c == '"')
                state = asQuoted;
            else if (c == '=')
                return arError;
            else {
                state = asPlain;
                Value += c;
            }
            break;
        case asQuoted:
            if (c == '"') return arComplete;
            Value += c;
            break;
        case asPlain:
            if (c == ' ' || c == '"') return arComplete;
            if (c == '=') return arError;
            Value += c;
            break;
        }
    }
    return arComplete; // the end of the text completes the attribute with what was read
}

} // namespace

// ---- Public scanners -----------------------------------------------------------------------------

int ReadNextTagInStream(TStream* Stream, std::span<const std::string> TagList, std::string& Attributes,
                        std::string& Content) {
    TStreamChars in(Stream);
    const int r = ReadNextTag(in, TagList, Attributes, Content);
    in.Release();
    return r;
}

int ReadNextTagInTextFile(TextFile& F, std::span<const std::string> TagList, std::string& Attributes,
                          std::string& Content) {
    TFileChars in(F);
    return ReadNextTag(in, TagList, Attributes, Content);
}

std::string ScanForXMLAttrib(const std::string& Attributes, const std::string& AttrName) {
    const std::string wanted = LowerCase(AttrName);
    size_t pos = 0;
    std::string name, value;
    while (pos < Attributes.size()) {
        if (ReadAttribute(Attributes, pos, name, value) == arError) return {};
        if (LowerCase(StripLTBlanks(name)) == wanted) return value;
    }
    return {};
}

bool ScanStreamForXMLTag(TStream* Stream, const std::string& TagName, std::string& Attributes,
                         std::string& Content) {
    Attributes.clear();
    Content.clear();
    const std::string wanted = LowerCase(TagName);
    if (wanted.empty()) return false;
    TStreamChars in(Stream);
    while (SkipToTag(in)) {
        const std::string text = CollectTagText(in);
        if (text.empty()) break;
        TTag tag = AnalyseTag(text);
        if (tag.Name != wanted) continue; // look into the element: nested tags count too
        Attributes = std::move(tag.Attributes);
        if (tag.IsStartTag()) Content = ReadElementText(in, tag.Name);
        in.Release();
        return true;
    }
    in.Release();
    return false;
}

std::string ReadStreamUntilTagList(TStream* Stream, std::span<const std::string> TagList, int& Index) {
    Index = LastIndex(TagList);
    if (TagList.empty()) return {};
    // The last entry is the "not in the list" placeholder and is never looked for.
    const auto known = TagList.first(TagList.size() - 1);
    TStreamChars in(Stream);
    std::string result;
    char c;
    while (in.Next(c)) {
        result += c;
        if (c != '<') continue;
        const std::string text = CollectTagText(in);
        result += text;
        const auto it = std::find(known.begin(), known.end(), AnalyseTag(text).Name);
        if (it != known.end()) {
            Index = static_cast<int>(it - known.begin());
            break;
        }
    }
    in.Release();
    return result;
}

} // namespace qyx
