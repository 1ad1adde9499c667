// TMolFormula: reading formulas from text.
#include <qyx/QYX_cform.h>

#include <climits>
#include <vector>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_math1.h>

namespace qyx {

namespace {

// States of the part reader.
enum TPartState { psStart, psMass, psAfterMass, psSymbol, psAfterSymbol, psCount };

// Adds a decimal digit to V, saturating at INT_MAX.
void AddDigit(int& V, int Digit) {
    V = V > (INT_MAX - Digit) / 10 ? INT_MAX : V * 10 + Digit;
}

// The element whose symbol, upper-cased, equals Symbol (already upper case); 0 when none does.
int UpperSymbolToZ(const std::string& Symbol) {
    static const std::vector<std::string> upper = [] {
        std::vector<std::string> u(104);
        for (int z = 1; z <= 103; ++z) {
            u[z] = CElemSymb(z);
            for (char& c : u[z])
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        return u;
    }();
    if (Symbol.empty() || Symbol.size() > 3) return 0;
    for (int z = 1; z <= 103; ++z)
        if (upper[z] == Symbol) return z;
    return 0;
}

} // namespace

bool TMolFormula::ScanNextFormPart(const std::string& Text, int& Pos, int& AtNum, int& Mass, int& Count) {
    const int64_t len = static_cast<int64_t>(Text.size());
    int64_t p = static_cast<int64_t>(Pos) - 1;
    TPartState state = psStart;
    int mass = 0, count = 0;
    std::string symbol;

    bool ended = false;
    while (!ended) {
        ++p;
        char c = p >= 1 && p <= len ? Text[static_cast<size_t>(p - 1)] : '\0';
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == '\0' || c == '(' || c == ')') break;
        const bool letter = c >= 'A' && c <= 'Z';
        const bool digit = c >= '0' && c <= '9';
        const bool separator = c == ' ' || c == ',' || c == '.';
        switch (state) {
        case psStart:
        case psMass:
        case psAfterMass:
            if (letter) {
                symbol += c;
                state = psSymbol;
            } else if (digit) {
                if (state == psAfterMass) {
                    ended = true;
                } else {
                    AddDigit(mass, c - '0');
                    state = psMass;
                }
            } else if (separator && state == psMass) {
                state = psAfterMass;
            }
            break;
        case psSymbol:
        case psAfterSymbol:
            if (letter) {
                if (state == psAfterSymbol)
                    ended = true;
                else
                    symbol += c;
            } else if (digit) {
                AddDigit(count, c - '0');
                state = psCount;
            } else if (separator) {
                state = psAfterSymbol;
            }
            break;
        case psCount:
            if (letter || separator)
                ended = true;
            else if (digit)
                AddDigit(count, c - '0');
            break;
        }
    }
    Pos = static_cast<int>(p);

    AtNum = 0;
    Mass = 0;
    Count = 0;
    if (symbol.empty()) return false;
    const int z = symbol == "D" ? 1 : UpperSymbolToZ(symbol);
    if (z == 0) return false;
    AtNum = z;
    Mass = mass != 0 ? mass : symbol == "D" ? 2 : IntAtWeight(z);
    Count = count != 0 ? count : 1;
    return true;
}

// Appends an entry when there is room and the count fits a byte; false otherwise, which ends the
// reading (a count cut to its low 8 bits would silently give a different formula).
bool TMolFormula::AppendEntry(int AtNum, int Mass, int64_t Count) {
    if (FFormula.NumAtoms >= MaxFormulaEntries || Count < 1 || Count > 255) return false;
    const int i = ++FFormula.NumAtoms;
    FFormula.AtNum[i] = static_cast<uint8_t>(AtNum);
    FFormula.AtWgt[i] = static_cast<uint8_t>(Mass);
    FFormula.AtCnt[i] = static_cast<uint8_t>(Count);
    return true;
}

void TMolFormula::ScanMolFormula(const std::string& Text) {
    FFormula.NumAtoms = 0;
    const int len = static_cast<int>(Text.size());
    int multiplier = 1;
    int pos = 1;
    bool ok = true;
    // The first ")" at or after pos and the multiplier written behind it; pos only grows, so each
    // is looked up again only once pos has passed that ")".
    size_t close = 0;
    int closeMultiplier = 1;
    bool closeKnown = false;
    while (ok && pos <= len) {
        const char c = Text[static_cast<size_t>(pos - 1)];
        if (c == '(') {
            // The group runs to the first ")" after it; the number behind that ")" multiplies it.
            if (!closeKnown || (close != std::string::npos && close < static_cast<size_t>(pos))) {
                close = Text.find(')', static_cast<size_t>(pos));
                closeKnown = true;
                if (close != std::string::npos) {
                    int after = static_cast<int>(close) + 2;
                    const int start = after;
                    const int n = ScanDecimal(Text, after);
                    closeMultiplier = after == start ? 1 : n;
                }
            }
            if (close != std::string::npos) multiplier = closeMultiplier;
            ++pos;
        } else if (c == ')') {
            multiplier = 1;
            ++pos;
            ScanDecimal(Text, pos);
        } else {
            int atnum = 0, mass = 0, count = 0;
            ok = ScanNextFormPart(Text, pos, atnum, mass, count) &&
                 AppendEntry(atnum, mass, static_cast<int64_t>(count) * multiplier);
        }
    }
    ShowIt();
}

void TMolFormula::ReadFromString(const std::string& Text) {
    FFormula.NumAtoms = 0;
    int pos = 1;
    int atnum = 0, mass = 0, count = 0;
    while (ScanNextFormPart(Text, pos, atnum, mass, count) && AppendEntry(atnum, mass, count)) {
    }
    ShowIt();
}

void TMolFormula::SetMolFormula(const std::string& Text) {
    FFormulaText = Text;
    FFormula.NumAtoms = 0;
    ScanMolFormula(Text);
    ShowIt();
}

} // namespace qyx
