// Format: the run-time layer's formatted text with %d %u %x %e %f %g %n %s %p.
#include "ConvertInternal.h"

#include <qyx/platform/Convert.h>
#include <qyx/platform/Exceptions.h>

#include <algorithm>
#include <climits>

namespace qyx {

namespace {

class TFormatter {
public:
    TFormatter(const std::string& Fmt, std::span<const TVarRec> Args) : FFmt(Fmt), FArgs(Args) {}

    std::string Run() {
        const size_t n = FFmt.size();
        while (FPos < n) {
            const char c = FFmt[FPos++];
            if (c != '%') {
                FOut += c;
                continue;
            }
            if (FPos < n && FFmt[FPos] == '%') {
                FOut += '%';
                ++FPos;
                continue;
            }
            Specifier();
        }
        return std::move(FOut);
    }

private:
    [[noreturn]] void Fail() const {
        throw EConvertError("Format '" + FFmt + "' invalid or incompatible with argument");
    }

    char Peek() const { return FPos < FFmt.size() ? FFmt[FPos] : '\0'; }

    const TVarRec& NextArg() {
        if (FArg >= FArgs.size()) Fail();
        return FArgs[FArg++];
    }

    int IntArg() {
        const TVarRec& a = NextArg();
        if (a.Kind() == TVarRec::vkInteger)
            return static_cast<int>(std::clamp<int64_t>(a.AsInt64(), INT_MIN, INT_MAX));
        if (a.Kind() == TVarRec::vkUnsigned)
            return static_cast<int>(std::min<uint64_t>(a.AsUInt64(), INT_MAX));
        Fail();
    }

    // Digits at the current position (capped so they cannot overflow); -1 when there are none.
    int Digits() {
        int v = -1;
        while (Peek() >= '0' && Peek() <= '9') {
            v = std::min(std::max(v, 0) * 10 + (FFmt[FPos++] - '0'), 100000000);
        }
        return v;
    }

    void Specifier() {
        bool left = false;
        int width = -1, prec = -1;
        // A leading number or "*" is the argument index when a ":" follows, otherwise the width.
        bool starWidth = false;
        if (Peek() == '*') {
            ++FPos;
            starWidth = true;
        } else {
            width = Digits();
        }
        if (Peek() == ':') {
            ++FPos;
            const int index = starWidth ? IntArg() : width;
            if (index < 0) Fail();
            FArg = static_cast<size_t>(index);
            starWidth = false;
            width = -1;
            if (Peek() == '-') left = true, ++FPos;
            if (Peek() == '*')
                ++FPos, starWidth = true;
            else
                width = Digits();
        } else if (!starWidth && width < 0 && Peek() == '-') {
            left = true;
            ++FPos;
            if (Peek() == '*')
                ++FPos, starWidth = true;
            else
                width = Digits();
        }
        if (starWidth) {
            width = IntArg();
            if (width < 0) {
                left = true;
                width = width == INT_MIN ? INT_MAX : -width;
            }
        }
        if (Peek() == '.') {
            ++FPos;
            if (Peek() == '*') {
                ++FPos;
                prec = IntArg();
            } else {
                prec = std::max(Digits(), 0);
            }
        }
        if (FPos >= FFmt.size()) Fail();
        const char type = static_cast<char>(FFmt[FPos++] | 0x20);
        std::string t = Convert(type, prec);
        width = Detail::ClampDigits(width);
        if (static_cast<int>(t.size()) < width) {
            const size_t pad = static_cast<size_t>(width) - t.size();
            if (left)
                t.append(pad, ' ');
            else
                t.insert(0, pad, ' ');
        }
        FOut += t;
    }

    std::string Convert(char Type, int Prec) {
        switch (Type) {
        case 'd':
        case 'u':
        case 'x': return Integer(Type, Prec);
        case 'e':
        case 'f':
        case 'g':
        case 'n': return Real(Type, Prec);
        case 's': {
            const TVarRec& a = NextArg();
            if (a.Kind() != TVarRec::vkText && a.Kind() != TVarRec::vkChar) Fail();
            std::string_view s = a.AsText();
            if (Prec >= 0 && static_cast<size_t>(Prec) < s.size()) s = s.substr(0, static_cast<size_t>(Prec));
            return std::string(s);
        }
        case 'p': {
            const TVarRec& a = NextArg();
            if (a.Kind() != TVarRec::vkPointer) Fail();
            return Detail::HexText(reinterpret_cast<uintptr_t>(a.AsPointer()), 16);
        }
        default: Fail();
        }
    }

    std::string Integer(char Type, int Prec) {
        const TVarRec& a = NextArg();
        if (a.Kind() != TVarRec::vkInteger && a.Kind() != TVarRec::vkUnsigned) Fail();
        const bool neg = a.Kind() == TVarRec::vkInteger && a.AsInt64() < 0;
        // The bit pattern in the argument's own width, for %u and %x of negative values.
        uint64_t bits = a.AsUInt64();
        if (a.Bits() == 32) bits &= 0xFFFFFFFFu;
        std::string digits;
        if (Type == 'x') {
            digits = Detail::HexText(bits, 0);
        } else if (Type == 'u' || !neg) {
            digits = std::to_string(Type == 'u' ? bits : a.AsUInt64());
        } else {
            digits = std::to_string(uint64_t{0} - static_cast<uint64_t>(a.AsInt64()));
        }
        Prec = Detail::ClampDigits(Prec);
        if (static_cast<int>(digits.size()) < Prec)
            digits.insert(0, static_cast<size_t>(Prec) - digits.size(), '0');
        return (Type == 'd' && neg) ? "-" + digits : digits;
    }

    std::string Real(char Type, int Prec) {
        const TVarRec& a = NextArg();
        if (a.Kind() != TVarRec::vkReal) Fail();
        const long double v = a.AsReal();
        switch (Type) {
        case 'e': return Detail::ExponentText(v, Prec < 0 ? 15 : std::clamp(Prec, 1, 18), 3);
        case 'g': return Detail::GeneralText(v, Prec < 0 ? 15 : std::clamp(Prec, 1, 18), 3);
        case 'f': return Detail::FixedText(v, Prec < 0 ? 2 : std::min(Prec, 18), 0);
        default: return Detail::FixedText(v, Prec < 0 ? 2 : std::min(Prec, 18), ThousandSeparator);
        }
    }

    const std::string& FFmt;
    std::span<const TVarRec> FArgs;
    size_t FPos = 0;
    size_t FArg = 0;
    std::string FOut;
};

} // namespace

std::string Format(const std::string& Fmt, std::span<const TVarRec> Args) {
    return TFormatter(Fmt, Args).Run();
}

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args) {
    return TFormatter(Fmt, std::span<const TVarRec>(Args.begin(), Args.size())).Run();
}

} // namespace qyx
