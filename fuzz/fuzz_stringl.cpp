// Fuzz target for the string utilities: the tag scanners, line reader, splitters, escapes, UU
// decoder and number formatting on arbitrary text and arguments. Besides not crashing, the
// scanners must always make progress, and the scrambler and UU coder must round-trip.
#include <qyx/QYX_stringl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace qyx;

namespace {

void Check(bool Ok) {
    if (!Ok) __builtin_trap();
}

int TakeInt(const uint8_t*& Data, size_t& Size) {
    int32_t v = 0;
    const size_t n = Size < sizeof v ? Size : sizeof v;
    std::memcpy(&v, Data, n);
    Data += n;
    Size -= n;
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const int a = TakeInt(Data, Size);
    const int b = TakeInt(Data, Size);
    const std::string s(reinterpret_cast<const char*>(Data), Size);
    const std::vector<std::string> tags{"caption", "/caption", "posxy", "br", "dummy"};
    const int len = static_cast<int>(s.size());

    // Tag scanners: every call moves forward until the text is used up.
    std::string attrs, content;
    for (int pos = 1, guard = 0; pos <= len; ++guard) {
        const int before = pos;
        const int ix = ReadNextTagInString(s, pos, tags, attrs, content);
        Check(ix >= 0 && ix < 5 && pos > before && guard <= len);
    }
    bool empty = false;
    for (int start = 1, end = 0;;) {
        const int ix = DetectNextTagInString(s, start, end, tags, attrs, empty);
        Check(ix >= 0 && ix < 5);
        if (start == 0) break;
        Check(end >= start && end <= len);
        start = end + 1;
    }

    // Lines: progress and no control characters in the result.
    for (int mode : {0, 1, 2, 3, 4, 5}) {
        bool eof = false;
        for (int pos = 1; !eof;) {
            const int before = pos;
            const std::string line = ReadLnString(s, pos, eof, mode);
            Check(pos > before || eof);
            for (char c : line) Check(static_cast<unsigned char>(c) >= 32);
        }
    }

    // Splitting, searching and editing with arguments from the input.
    const std::string delim = s.substr(0, static_cast<size_t>(a & 3));
    TOpenStringArray tokens;
    Check(Tokenize(s, delim, tokens) >= 1 && tokens.size() <= 100);
    ExtractSubString(s, a % 200, delim);
    ExtractParam(s, b % 50, ',', '"', "?");
    const int p = NumberedPos(delim, s, a, b, (a & 1) != 0);
    Check(p >= 0 && p <= len);
    ReplaceStringInString(s, delim, "xy", (b & 1) != 0);
    int first = 0, last = 0, line = 0, col = 0;
    ExtractWordFromString(s, a, first, last);
    TextLineCoords(s, b, line, col);
    ProcessHexChars(s);
    UUDecodeStr(s);
    CapitalizeString(s);
    ExpandDiphthongs(s);
    CountWords(s);
    AbbrevString(s, a);
    TQuotedStrState state = vsStart;
    std::string name;
    for (char c : s) ParseQuotedName(c, '\'', name, state);

    // Round trips.
    InitScramble(a);
    Check(DeScramble(Scramble(s)) == s);
    Check(UUDecodeStr(UUEncodeStr(s)) == s);

    // Number formatting with any width and decimals stays bounded.
    long double x = 0;
    if (s.size() >= sizeof(long double)) std::memcpy(&x, s.data(), sizeof(long double));
    Check(strff(x, a, b % 8 - 3).size() <= 20002);
    Check(strffForcePlus(x, b, a % 8 - 3).size() <= 20003);
    FormatData(static_cast<double>(x), a, b % 12 - 2);
    TimeString(static_cast<double>(x), static_cast<uint8_t>(a));
    return 0;
}
