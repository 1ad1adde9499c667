// Tag scanning in strings: the string counterparts of the stream tag scanner of QYX_streams.
#include <qyx/QYX_stringl.h>

#include <qyx/platform/CodePage.h>

#include <algorithm>

namespace qyx {

namespace {

struct TTagParts {
    std::string Name; // lower-cased
    std::string Attributes;
    bool EmptyElement = false;
};

// Splits the text of a tag ("<" excluded, ">" included when present) into name and attributes.
TTagParts AnalyseTag(const std::string& TagText) {
    TTagParts t;
    const size_t blank = TagText.find(' ');
    const size_t close = TagText.find("/>");
    if (close != std::string::npos) {
        t.EmptyElement = true;
        if (blank != std::string::npos && blank < close) {
            t.Name = TagText.substr(0, blank);
            t.Attributes = StripLTBlanks(TagText.substr(blank + 1, close - blank - 1));
        } else {
            t.Name = TagText.substr(0, close);
        }
    } else {
        // The final ">" is dropped; a tag cut off by the end of the text has none to drop.
        const size_t end = !TagText.empty() && TagText.back() == '>' ? TagText.size() - 1 : TagText.size();
        if (blank != std::string::npos && blank < end) {
            t.Name = TagText.substr(0, blank);
            t.Attributes = StripLTBlanks(TagText.substr(blank + 1, end - blank - 1));
        } else {
            t.Name = TagText.substr(0, end);
        }
    }
    t.Name = LowerCase(t.Name);
    return t;
}

// The last index of the list stands for "not in the list" and "no further tag".
int LastIndex(std::span<const std::string> TagList) {
    return static_cast<int>(TagList.size()) - 1;
}

int TagIndex(const std::string& Name, std::span<const std::string> TagList) {
    const auto it = std::find(TagList.begin(), TagList.end(), Name);
    return it == TagList.end() ? LastIndex(TagList) : static_cast<int>(it - TagList.begin());
}

// Position of the first occurrence of the lower-case Pattern in S from From on, without regard to
// ASCII case; npos if none.
size_t FindLowered(const std::string& S, size_t From, const std::string& Pattern) {
    const auto lowerEq = [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a + 32) : a) == b; };
    const auto it = std::search(S.begin() + static_cast<std::ptrdiff_t>(From), S.end(), Pattern.begin(),
                                Pattern.end(), lowerEq);
    return it == S.end() ? std::string::npos : static_cast<size_t>(it - S.begin());
}

// Finds the next "<" at or after the 0-based From and the tag text after it, up to and including
// the next ">" or the end of S. Returns the position of "<", or npos.
size_t NextTag(const std::string& S, size_t From, std::string& TagText, size_t& TagEnd) {
    TagText.clear();
    const size_t open = From < S.size() ? S.find('<', From) : std::string::npos;
    if (open == std::string::npos) return open;
    const size_t close = S.find('>', open + 1);
    TagEnd = close == std::string::npos ? S.size() : close + 1;
    TagText = S.substr(open + 1, TagEnd - open - 1);
    return open;
}

} // namespace

int ReadNextTagInString(const std::string& S, int& Pos, std::span<const std::string> TagList,
                        std::string& Attributes, std::string& Content) {
    Attributes.clear();
    Content.clear();
    if (Pos < 1) Pos = 1;
    std::string tagText;
    size_t tagEnd = 0;
    if (NextTag(S, static_cast<size_t>(Pos - 1), tagText, tagEnd) == std::string::npos) {
        Pos = static_cast<int>(std::max(S.size() + 1, static_cast<size_t>(Pos)));
        return LastIndex(TagList);
    }
    const TTagParts tag = AnalyseTag(tagText);
    Attributes = tag.Attributes;
    size_t next = tagEnd;
    if (!tag.EmptyElement && !tag.Name.empty() && tag.Name[0] != '/') {
        // The element text runs to the first end tag of the same name in any letter case, or to
        // the end of the text when there is none.
        const std::string endTag = "</" + tag.Name + ">";
        const size_t hit = FindLowered(S, next, endTag);
        if (hit == std::string::npos) {
            Content = S.substr(next);
            next = S.size();
        } else {
            Content = S.substr(next, hit - next);
            next = hit + endTag.size();
        }
    }
    Pos = static_cast<int>(next + 1);
    return TagIndex(tag.Name, TagList);
}

int DetectNextTagInString(const std::string& S, int& StartPos, int& EndPos,
                          std::span<const std::string> TagList, std::string& Attributes, bool& EmptyElement) {
    Attributes.clear();
    EmptyElement = false;
    std::string tagText;
    size_t tagEnd = 0;
    const size_t open = NextTag(S, static_cast<size_t>(std::max(StartPos, 1) - 1), tagText, tagEnd);
    if (open == std::string::npos) {
        StartPos = 0;
        EndPos = static_cast<int>(S.size());
        return LastIndex(TagList);
    }
    const TTagParts tag = AnalyseTag(tagText);
    Attributes = tag.Attributes;
    EmptyElement = tag.EmptyElement;
    StartPos = static_cast<int>(open + 1);
    EndPos = static_cast<int>(tagEnd);
    return TagIndex(tag.Name, TagList);
}

} // namespace qyx
