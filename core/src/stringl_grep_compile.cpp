// TGrep: construction, the pattern compiler and the token listing.
#include <qyx/QYX_stringl.h>

#include <algorithm>

#include <qyx/platform/TextFile.h>

namespace qyx {

namespace {

constexpr const char* GrepErrorTexts[] = {
    "no errors",
    "reg.exp. must not start with $, *, ?, or +",
    "circumflex not allowed here",
    "no character allowed after end of line",
    "empty set",
    "circumflex has to be quoted in set",
    "mismatch of set brackets",
    "minus not allowed here",
    "mismatch of group brackets",
    "*, ?, + have to be applied to groups or sets only",
    "reg.exp. too long",
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Replaces each "\#hh" not preceded by a backslash with the character of code hh; the value stops
// at the first character that is no hex digit.
std::string ReplaceHexEscapes(const std::string& P) {
    std::string r;
    r.reserve(P.size());
    const size_t n = P.size();
    size_t i = 0;
    while (i < n) {
        if (P[i] == '\\' && i + 1 < n && P[i + 1] == '#') {
            if (i > 0 && P[i - 1] == '\\') {
                r += "\\#";
                i += 2;
                continue;
            }
            int code = 0;
            bool digits = true;
            const size_t end = std::min(n, i + 4);
            for (size_t k = i + 2; k < end; ++k) {
                const int d = HexDigit(P[k]);
                digits = digits && d >= 0;
                if (digits) code = code * 16 + d;
            }
            r += static_cast<char>(code);
            i = end;
        } else {
            r += P[i++];
        }
    }
    return r;
}

enum TState : uint8_t { stStart, stAtom, stSetStart, stSetBody, stSetDone, stGroup, stGroupDone, stEnd };

// The compiler's working state over the token array of one TGrep.
class TCompiler {
public:
    TCompiler(TFixedArray<TGrepToken, 1, GrepMaxTokens>& Tokens, int& Count) : T(Tokens), N(Count) {}

    int Run(const std::string& P);

private:
    TGrepToken& Last() { return T[N]; }
    bool NewToken(TGrepTokenAct Act, int Count) {
        if (N >= GrepMaxTokens) return false;
        ++N;
        T[N].Act = Act;
        T[N].Count = Count;
        return true;
    }
    bool NewLiteral(char c) {
        if (!NewToken(taNormal, 1)) return false;
        T[N].Data[1] = c;
        return true;
    }
    // Appends c to a literal last token (a full one is continued in a new token).
    bool Literal(char c) {
        if (N > 0 && Last().Act == taNormal && Last().Count < 255) {
            Last().Data[++Last().Count] = c;
            return true;
        }
        return NewLiteral(c);
    }
    bool NewSet() {
        if (!NewToken(taSet, -1)) return false;
        T[N].Data.fill(' ');
        return true;
    }
    void AddMember(char c) { Last().Data[static_cast<unsigned char>(c)] = '*'; }
    int RepeatInAtom(char Op);
    int RepeatAfterGroupOrSet(char Op);

    TFixedArray<TGrepToken, 1, GrepMaxTokens>& T;
    int& N;
};

TGrepTokenAct RepetitionAct(char Op) {
    return Op == '*' ? taMult0 : Op == '+' ? taMult1 : taOpti;
}

int TCompiler::RepeatInAtom(char Op) {
    TGrepToken& L = Last();
    switch (L.Act) {
    case taNormal:
        if (L.Count == 1) {
            L.Act = RepetitionAct(Op);
        } else {
            const char c = L.Data[L.Count];
            L.Data[L.Count--] = 0;
            if (!NewLiteral(c)) return GrepErrTooLong;
            Last().Act = RepetitionAct(Op);
        }
        return 0;
    case taAnyByte:
        L.Act = RepetitionAct(Op);
        L.Count = 0;
        return 0;
    case taSet:
        L.Act = RepetitionAct(Op);
        L.Count = -1;
        return 0;
    default: return 9;
    }
}

int TCompiler::RepeatAfterGroupOrSet(char Op) {
    TGrepToken& L = Last();
    if (L.Act == taSet || L.Act == taNormal) {
        L.Act = RepetitionAct(Op);
        return 0;
    }
    return 9;
}

int TCompiler::Run(const std::string& P) {
    TState st = stStart;
    bool negate = false;
    unsigned char lastMember = 0;
    const size_t n = P.size();
    for (size_t i = 0; i < n; ++i) {
        char c = P[i];
        bool quoted = false;
        if (c == '\\' && st != stSetStart && st != stSetBody && i + 1 < n) {
            c = P[++i];
            quoted = true;
        }
        const char k = quoted ? 'a' : c; // the character class that decides the transition
        bool ok = true;
        switch (st) {
        case stStart:
        case stAtom:
        case stSetDone:
        case stGroupDone:
            if (k == '$' && st != stStart) {
                ok = NewToken(taEol, 0);
                st = stEnd;
            } else if (k == '$' || ((k == '*' || k == '+' || k == '?') && st == stStart)) {
                return 1;
            } else if (k == '*' || k == '+' || k == '?') {
                const int e = st == stAtom ? RepeatInAtom(k) : RepeatAfterGroupOrSet(k);
                if (e != 0) return e;
            } else if (k == '(') {
                ok = NewToken(taNormal, 0);
                st = stGroup;
            } else if (k == ')') {
                return 8;
            } else if (k == ']') {
                return 6;
            } else if (k == '^') {
                if (st != stStart) return 2;
                ok = NewToken(taBol, 0);
                st = stAtom;
            } else if (k == '.') {
                ok = NewToken(taAnyByte, 0);
                st = stAtom;
            } else if (k == '[') {
                ok = NewSet();
                negate = false;
                lastMember = 0;
                st = stSetStart;
            } else if (k == '-' && st == stSetDone) {
                return 7;
            } else {
                ok = st == stAtom ? Literal(c) : NewLiteral(c);
                st = stAtom;
            }
            break;
        case stSetStart:
        case stSetBody:
            if (c == '\\' && i + 1 < n) {
                c = P[++i];
            } else if (st == stSetStart && c == '-') {
                return 7;
            } else if (st == stSetStart && c == ']') {
                return 4;
            } else if (st == stSetStart && c == '^') {
                negate = true;
                st = stSetBody;
                continue;
            } else if (c == '^') {
                return 5;
            } else if (c == '-' && i + 1 < n) {
                const unsigned char to = static_cast<unsigned char>(P[++i]);
                const unsigned lo = std::min(lastMember, to), hi = std::max(lastMember, to);
                for (unsigned m = lo; m <= hi; ++m) AddMember(static_cast<char>(m));
                continue;
            } else if (c == ']') {
                if (negate)
                    for (char& m : Last().Data) m = m == '*' ? ' ' : '*';
                negate = false;
                st = stSetDone;
                continue;
            }
            AddMember(c);
            lastMember = static_cast<unsigned char>(c);
            st = stSetBody;
            break;
        case stGroup:
            if (k == ')') {
                st = stGroupDone;
            } else if (k == '^') {
                return 2;
            } else if (Last().Count >= 255) {
                return GrepErrTooLong;
            } else {
                Last().Data[++Last().Count] = c;
            }
            break;
        case stEnd: return 3;
        }
        if (!ok) return GrepErrTooLong;
    }
    return 0;
}

} // namespace

std::string GrepErrorText(int ErrorCode) {
    if (ErrorCode < 0 || ErrorCode > GrepErrTooLong) return "unknown error";
    return GrepErrorTexts[ErrorCode];
}

TGrep::TGrep(TComponent* AOwner) : TComponent(AOwner) {}

int TGrep::CompileRegExp(const std::string& Pattern) {
    std::string p = Pattern;
    if (FIgnoreCase)
        for (char& c : p)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    p = ReplaceHexEscapes(p);
    FTokenCount = 0;
    for (TGrepToken& t : FTokens) t = TGrepToken{};
    FErrorCode = TCompiler(FTokens, FTokenCount).Run(p);
    PrepareScan();
    return FErrorCode;
}

void TGrep::SetRegExp(const std::string& Value) {
    FRegExp = Value;
    if (CompileRegExp(Value) != 0 && FStopOnError)
        RaiseComponentError<EQYXStringlError>(this,
                                              "error in regular expression - " + GrepErrorText(FErrorCode));
}

void TGrep::SetIgnoreCase(bool Value) {
    FIgnoreCase = Value;
    CompileRegExp(FRegExp);
}

TGrepToken TGrep::GetRegExpToken(int Index) const {
    if (FTokenCount == 0) return FTokens[1];
    return FTokens[std::clamp(Index, 1, FTokenCount)];
}

namespace {

std::string ElementText(const TGrepToken& T) {
    if (T.Count == 0) return "(anychar) ";
    if (T.Count > 0) return "(string) " + std::string(T.Data.data() + 1, static_cast<size_t>(T.Count));
    std::string s = "(set) ";
    for (int c = 0; c < 256; ++c)
        if (T.Data[c] == '*') s += static_cast<char>(c);
    return s;
}

} // namespace

void TGrep::PrintRegExp(const std::string& FileName) const {
    TextFile F;
    AssignFile(F, FileName);
    Rewrite(F);
    for (int k = 1; k <= FTokenCount; ++k) {
        const TGrepToken& t = FTokens[k];
        switch (t.Act) {
        case taNormal:
            Writeln(F, " taNormal: " + std::string(t.Data.data() + 1, static_cast<size_t>(t.Count)));
            break;
        case taAnyByte: Writeln(F, "taAnyByte: "); break;
        case taEol: Writeln(F, "    taEol: "); break;
        case taBol: Writeln(F, "    taBol: "); break;
        case taSet: {
            std::string s = "    taSet: ";
            for (int c = 0; c < 256; ++c)
                if (t.Data[c] == '*') s += static_cast<char>(c);
            Writeln(F, s);
            break;
        }
        case taMult0: Writeln(F, "  taMult0: " + ElementText(t)); break;
        case taMult1: Writeln(F, "  taMult1: " + ElementText(t)); break;
        case taOpti: Writeln(F, "   taOpti: " + ElementText(t)); break;
        }
    }
    Writeln(F, FErrorCode == 0 ? std::string("no errors") : GrepErrorText(FErrorCode));
    CloseFile(F);
}

} // namespace qyx
