// QYX_streams: the decimal and real-number scanners on streams and on text.
#include <qyx/QYX_streams.h>

#include <algorithm>
#include <climits>

#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_univconst.h>
#include <qyx/platform/Convert.h>

#include "streams_bytes.h"

namespace qyx {

namespace {

// ---- The real-number state machine ---------------------------------------------------------------

enum TFPState : int8_t {
    fpError = -1,
    fpDone = 0,
    fpStart = 1,
    fpAfterSign = 2,
    fpIntDigits = 3,
    fpAfterSep = 4,
    fpFracDigits = 5,
    fpAfterE = 6,
    fpAfterExpSign = 7,
    fpExpDigits = 8
};

enum TFPClass : uint8_t { fcSep, fcSpace, fcSign, fcDigit, fcE, fcOther };

// Exponent digits are no longer taken once the exponent read so far exceeds this.
constexpr int kMaxExponentRead = 4200;

// The transition table; rows are the states 1..8, columns the character classes.
constexpr TFPState kNext[9][6] = {
    // sep          space        sign            digit          E            other
    {fpError, fpError, fpError, fpError, fpError, fpError}, // (unused)
    {fpAfterSep, fpStart, fpAfterSign, fpIntDigits, fpError, fpError},
    {fpAfterSep, fpError, fpError, fpIntDigits, fpError, fpError},
    {fpAfterSep, fpDone, fpDone, fpIntDigits, fpAfterE, fpDone},
    {fpError, fpDone, fpDone, fpFracDigits, fpAfterE, fpDone},
    {fpError, fpDone, fpDone, fpFracDigits, fpAfterE, fpDone},
    {fpError, fpError, fpAfterExpSign, fpExpDigits, fpError, fpError},
    {fpError, fpError, fpError, fpExpDigits, fpError, fpError},
    {fpDone, fpDone, fpDone, fpExpDigits, fpDone, fpDone},
};

// The decimal separators a mode accepts: dsSystem takes the run-time layer's DecimalSeparator when
// it is a character that cannot be part of a number otherwise.
struct TSeparators {
    char A = 0;
    char B = 0;
    bool Is(char c) const { return c != 0 && (c == A || c == B); }
};

TSeparators SeparatorsOf(int DecSep) {
    switch (DecSep) {
    case dsDot: return {'.', 0};
    case dsComma: return {',', 0};
    case dsBoth: return {'.', ','};
    case dsSystem: {
        const char c = DecimalSeparator;
        const auto u = static_cast<unsigned char>(c);
        const bool usable = u > 32 && u != 127 && !(c >= '0' && c <= '9') && c != '+' && c != '-' &&
                            c != 'E' && c != 'e' && c != 'Z' && c != 'z';
        return usable ? TSeparators{c, 0} : TSeparators{};
    }
    default: return {};
    }
}

char UpperAscii(uint8_t b) {
    return b >= 'a' && b <= 'z' ? static_cast<char>(b - 32) : static_cast<char>(b);
}

// Runs the machine over the characters Next delivers (false at the end, seen as "Z"). On return
// StoppedAtEnd tells whether the end of the input stopped it; the caller gives back the stopping
// character otherwise. SpaceClass says which characters are white space.
template <class NextFn, class SpaceFn>
double RunFPMachine(NextFn Next, SpaceFn IsSpace, bool AllowExp, int DecSep, bool& StoppedAtEnd) {
    const TSeparators seps = SeparatorsOf(DecSep);
    std::string text;
    int exponent = 0;
    int state = fpStart;
    StoppedAtEnd = false;
    for (;;) {
        uint8_t b = 0;
        char c = 'Z';
        if (Next(b))
            c = UpperAscii(b);
        else
            StoppedAtEnd = true;

        TFPClass cls;
        if (!StoppedAtEnd && seps.Is(c))
            cls = fcSep; // the separator test comes first
        else if (!StoppedAtEnd && IsSpace(c))
            cls = fcSpace;
        else if (c == '+' || c == '-')
            cls = fcSign;
        else if (c >= '0' && c <= '9')
            cls = fcDigit;
        else if (c == 'E')
            cls = fcE;
        else
            cls = fcOther;

        TFPState next = kNext[state][cls];
        if (next == fpAfterE && !AllowExp) next = fpDone;
        if (next <= fpDone) {
            state = next;
            break;
        }
        if (cls != fcSpace) {
            if (next == fpExpDigits) {
                if (exponent <= kMaxExponentRead) {
                    text += c;
                    exponent = exponent * 10 + (c - '0');
                }
            } else {
                text += cls == fcSep ? '.' : c;
            }
        }
        state = next;
        if (StoppedAtEnd) break; // "Z" never leads to a state 1..8; kept for safety
    }

    double value = 0.0;
    if (state == fpDone) {
        if (!text.empty() && text.back() == '.') text += '0';
        int code = 0;
        Val(text, value, code);
        if (code != 0) value = 0.0;
    }
    const double limit = static_cast<double>(uc_MaxDouble);
    return std::clamp(value, -limit, limit);
}

} // namespace

// ---- Decimal integers ----------------------------------------------------------------------------

int ScanStreamDecimal(TStream* Stream) {
    detail::TStreamBytes in(Stream);
    uint8_t b = 0;
    bool more = in.Next(b);
    while (more && b == ' ') more = in.Next(b);
    bool negative = false;
    if (more && (b == '-' || b == '+')) {
        negative = b == '-';
        more = in.Next(b);
    }
    // Accumulate as a negative number so that -2147483648 fits; beyond 32 bits the value stays at
    // the limit while the remaining digits are still consumed.
    int64_t value = 0;
    while (more && b >= '0' && b <= '9') {
        value = std::max<int64_t>(value * 10 - (b - '0'), static_cast<int64_t>(INT_MIN) - 1);
        more = in.Next(b);
    }
    in.Release();
    if (negative) return static_cast<int>(std::max<int64_t>(value, INT_MIN));
    return static_cast<int>(std::min<int64_t>(-value, INT_MAX));
}

// ---- Real numbers --------------------------------------------------------------------------------

double ScanStreamFPNum(TStream* Stream, bool AllowExp, int DecSep) {
    detail::TStreamBytes in(Stream);
    bool atEnd = false;
    const double v = RunFPMachine([&](uint8_t& b) { return in.Next(b); },
                                  [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; },
                                  AllowExp, DecSep, atEnd);
    if (!atEnd) in.Back();
    in.Release();
    return v;
}

double ScanStringFPNum(const std::string& S, int& Pos, bool AllowExp, int DecSep) {
    const size_t len = S.size();
    size_t i = Pos < 1 ? 0 : static_cast<size_t>(Pos) - 1;
    if (i > len) i = len;
    bool atEnd = false;
    const double v = RunFPMachine(
        [&](uint8_t& b) {
            if (i >= len) return false;
            b = static_cast<uint8_t>(S[i++]);
            return true;
        },
        [](char c) { return c == ' '; }, AllowExp, DecSep, atEnd);
    if (!atEnd) --i;
    Pos = static_cast<int>(std::min<size_t>(i + 1, static_cast<size_t>(INT_MAX)));
    return v;
}

} // namespace qyx
