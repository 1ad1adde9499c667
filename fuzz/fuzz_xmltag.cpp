// XML tag scanners: ReadNextTagInStream walked over arbitrary bytes, every attribute text searched
// with ScanForXMLAttrib, plus ScanStreamForXMLTag and ReadStreamUntilTagList. Checks that results stay
// in the tag list, that every call either consumes input or reports the end, that attribute values
// are pieces of their attribute text, that the string scanner ReadNextTagInString reads the same
// elements, and that ReadStreamUntilTagList returns exactly what it read.
#include <qyx/QYX_streams.h>
#include <qyx/QYX_stringl.h>
#include <qyx/platform/Streams.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace qyx;

namespace {

const std::vector<std::string> kTags = {"posxy", "caption", "/geomap", "br", "x", "", "dummy"};
const int kLast = static_cast<int>(kTags.size()) - 1;

void CheckAttributes(const std::string& Attrs) {
    static const char* const names[] = {"x", "Y", "name", "", " x "};
    for (const char* n : names) {
        const std::string v = ScanForXMLAttrib(Attrs, n);
        if (Attrs.find(v) == std::string::npos) __builtin_trap();
    }
    // Ask for the first word too, so that matches happen often.
    const std::string first = Attrs.substr(0, Attrs.find_first_of(" =\""));
    const std::string v = ScanForXMLAttrib(Attrs, first);
    if (Attrs.find(v) == std::string::npos) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string input(reinterpret_cast<const char*>(Data), Size);

    // The element loop of a reader, on the stream and on the string side by side.
    TStringStream s(input);
    std::string attrs, content, sAttrs, sContent;
    int sPos = 1;
    for (;;) {
        const int64_t before = s.GetPosition();
        const int i = ReadNextTagInStream(&s, kTags, attrs, content);
        const int64_t after = s.GetPosition();
        const int j = ReadNextTagInString(input, sPos, kTags, sAttrs, sContent);
        if (j != i || sAttrs != attrs || sContent != content || sPos != after + 1) __builtin_trap();
        if (i < 0 || i > kLast || after < before || after > static_cast<int64_t>(Size)) __builtin_trap();
        if (attrs.size() > Size || content.size() > Size) __builtin_trap();
        CheckAttributes(attrs);
        if (after == before) {
            if (i != kLast || after != static_cast<int64_t>(Size)) __builtin_trap();
            break;
        }
        if (after == static_cast<int64_t>(Size) && i == kLast) break;
    }
    CheckAttributes(input);

    // Searching for a tag named by the input's first bytes.
    TStringStream t(input);
    const std::string wanted = input.substr(0, Size % 5);
    if (ScanStreamForXMLTag(&t, wanted, attrs, content)) {
        if (wanted.empty()) __builtin_trap();
    } else if (!attrs.empty() || !content.empty() ||
               (!wanted.empty() && t.GetPosition() != static_cast<int64_t>(Size))) {
        __builtin_trap();
    }

    // Reading until a tag of the list: the text returned is exactly the bytes consumed.
    TStringStream u(input);
    int index = -2;
    const std::string text = ReadStreamUntilTagList(&u, kTags, index);
    if (index < 0 || index > kLast || text != input.substr(0, static_cast<size_t>(u.GetPosition())))
        __builtin_trap();
    if (index == kLast && u.GetPosition() != static_cast<int64_t>(Size)) __builtin_trap();
    return 0;
}
