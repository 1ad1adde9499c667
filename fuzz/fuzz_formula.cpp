// Fuzz target for the formula reader and its neighbours: formula text with and without groups, the
// part reader from every position, text output, weights and comparison, the formula control's
// painting, registry-number parsing and the name coder. Besides not crashing: the part reader always moves
// forward or stops, every entry read holds an element and a count of 1 to 255, the text output reads back to
// the same text, and names of plain ASCII survive the coder.
#include <qyx/QYX_CData.h>
#include <qyx/QYX_cform.h>

#include <cstddef>
#include <cstdint>
#include <string>

using namespace qyx;

namespace {

void Check(bool Ok) {
    if (!Ok) __builtin_trap();
}

void CheckEntries(const TMolFormula& f) {
    Check(f.GetNumAtoms() >= 0 && f.GetNumAtoms() <= 20);
    for (int i = 1; i <= f.GetNumAtoms(); ++i) {
        Check(f.GetAtNum(i) >= 1 && f.GetAtNum(i) <= 103);
        Check(f.GetAtCnt(i) >= 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string s(reinterpret_cast<const char*>(Data), Size);
    const int len = static_cast<int>(s.size());

    // Formulas with groups, and the text output without mass numbers read back.
    TMolFormula f;
    f.SetMolFormula(s);
    CheckEntries(f);
    (void)f.GetMolFormula();
    const std::string out = f.AsString(0);
    TMolFormula back;
    back.SetMolFormula(out);
    Check(back.AsString(0) == out);
    Check(f.NominalMolWgt() >= 0 && f.ChemMolWgt() >= 0 && f.ExactMolWgt() >= 0);

    // Without groups.
    TMolFormula g;
    g.ReadFromString(s);
    CheckEntries(g);
    (void)g.AsString(0);
    (void)f.CompareTo(&g);

    // The formula control paints any formula and any text in every placement, also into a width
    // narrower than the formula or none at all.
    if (Size > 0 && Size <= 64) {
        TMolForm c(nullptr);
        const uint8_t b = Data[0];
        c.SetWidth(Data[Size - 1] % 161);
        c.SetAlignment(static_cast<TAlignment>(b % 3));
        c.SetIsotopeVis(static_cast<TIsotVisib>(b / 3 % 3));
        c.SetUseDeuterium((b & 0x10) != 0);
        c.SetShowAsText((b & 0x20) != 0);
        c.SetTransparent((b & 0x40) != 0);
        c.SetMolFormula(s);
        c.Paint();
        Check(c.GetHeight() > 0);
    }

    // The part reader from every start position moves forward or stops.
    for (int start = 1; start <= len; ++start) {
        int pos = start, atnum = 0, mass = 0, count = 0;
        for (int guard = 0; guard <= len + 1; ++guard) {
            const int before = pos;
            if (!TMolFormula::ScanNextFormPart(s, pos, atnum, mass, count)) break;
            Check(pos > before && atnum >= 1 && atnum <= 103 && count >= 1 && mass >= 0);
        }
    }

    // Registry numbers: whatever parses formats back to the same text, blanks aside.
    int number = -1;
    const bool valid = ConvertStrToCASNr(s, number);
    Check(!valid || CheckCASNr(number));
    if (number >= 0) {
        int again = -2;
        Check(ConvertStrToCASNr(FormatCASNr(number), again) == CheckCASNr(number) && again == number);
    }

    // The name coder round-trips plain ASCII, lower-cased.
    std::string ascii, lower;
    for (char c : s) {
        const char a = static_cast<char>(c & 0x7F);
        ascii += a;
        lower += a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a;
    }
    Check(DeCompressChemName(CompressChemName(ascii)) == lower);
    (void)DeCompressChemName(s);
    return 0;
}
