// TMolFormula: entries, text output, weights and comparison.
#include <qyx/QYX_cform.h>

#include <algorithm>
#include <charconv>

#include <qyx/QYX_CData.h>

namespace qyx {

TMolFormula::TMolFormula() {
    FFormulaText = "H2O";
    FFormula.NumAtoms = 2;
    FFormula.AtNum[1] = 1;
    FFormula.AtWgt[1] = 1;
    FFormula.AtCnt[1] = 2;
    FFormula.AtNum[2] = 8;
    FFormula.AtWgt[2] = 16;
    FFormula.AtCnt[2] = 1;
}

void TMolFormula::SetNumAtoms(int Count) {
    if (Count >= 1 && Count <= MaxFormulaEntries) FFormula.NumAtoms = Count;
}

int TMolFormula::GetAtNum(int Index) const {
    return Index >= 1 && Index <= FFormula.NumAtoms ? FFormula.AtNum[Index] : 0;
}

int TMolFormula::GetAtWgt(int Index) const {
    return Index >= 1 && Index <= FFormula.NumAtoms ? FFormula.AtWgt[Index] : 0;
}

int TMolFormula::GetAtCnt(int Index) const {
    return Index >= 1 && Index <= FFormula.NumAtoms ? FFormula.AtCnt[Index] : 0;
}

void TMolFormula::SetAtNum(int Index, int Z) {
    if (Index >= 1 && Index <= FFormula.NumAtoms && Z >= 1 && Z <= 103)
        FFormula.AtNum[Index] = static_cast<uint8_t>(Z);
}

void TMolFormula::SetAtWgt(int Index, int Value) {
    if (Index >= 1 && Index <= FFormula.NumAtoms) FFormula.AtWgt[Index] = static_cast<uint8_t>(Value);
}

void TMolFormula::SetAtCnt(int Index, int Value) {
    if (Index >= 1 && Index <= FFormula.NumAtoms) FFormula.AtCnt[Index] = static_cast<uint8_t>(Value);
}

void TMolFormula::SetFormulaRec(const TFormulaRec& Rec) {
    FFormula = Rec;
    FFormula.NumAtoms = std::clamp(Rec.NumAtoms, 0, MaxFormulaEntries);
    ShowIt();
}

void TMolFormula::Clear() {
    FFormulaText.clear();
    FFormula = TFormulaRec{};
    ShowIt();
}

std::string TMolFormula::ChemElem(int AtNum, int Mass, int Count, uint8_t Mode) {
    if (AtNum < 1 || AtNum > 103 || Count < 1) return {};
    const std::string symbol = AtNum == 1 && Mass == 2 ? "D" : CElemSymb(AtNum);
    const std::string count = Count > 1 ? std::to_string(Count) : "";
    return Mode == 1 ? std::to_string(Mass) + symbol + count : symbol + count;
}

std::string TMolFormula::AsString(int Mode) const {
    // The entries' ChemElem texts with a blank after each, built in place without temporaries.
    std::string s;
    char num[12];
    for (int i = 1; i <= FFormula.NumAtoms; ++i) {
        const int z = FFormula.AtNum[i], mass = FFormula.AtWgt[i], count = FFormula.AtCnt[i];
        if (z >= 1 && z <= 103 && count >= 1) {
            if (Mode == 1) s.append(num, std::to_chars(num, num + sizeof num, mass).ptr);
            if (z == 1 && mass == 2)
                s += 'D';
            else
                s += CElemSymb(z);
            if (count > 1) s.append(num, std::to_chars(num, num + sizeof num, count).ptr);
        }
        s += ' ';
    }
    return s;
}

double TMolFormula::ChemMolWgt() const {
    double w = 0.0;
    for (int i = 1; i <= FFormula.NumAtoms; ++i) w += ChemAtWeight(FFormula.AtNum[i]) * FFormula.AtCnt[i];
    return w;
}

double TMolFormula::ExactMolWgt() const {
    double w = 0.0;
    for (int i = 1; i <= FFormula.NumAtoms; ++i) w += ExactAtWeight(FFormula.AtNum[i]) * FFormula.AtCnt[i];
    return w;
}

int TMolFormula::NominalMolWgt() const {
    int w = 0;
    for (int i = 1; i <= FFormula.NumAtoms; ++i) w += FFormula.AtWgt[i] * FFormula.AtCnt[i];
    return w;
}

int TMolFormula::CompareTo(const TMolFormula* Other) const {
    if (Other == nullptr || FFormula.NumAtoms < 1 || Other->FFormula.NumAtoms < 1) return -2;

    // One row per isotope met in either formula: room for all entries of both.
    struct TRow {
        int AtNum, AtWgt, Diff;
    };
    TRow rows[2 * MaxFormulaEntries];
    int nRows = 0;
    auto add = [&](const TFormulaRec& f, int sign) {
        for (int i = 1; i <= f.NumAtoms; ++i) {
            TRow* row = std::find_if(rows, rows + nRows, [&](const TRow& r) {
                return r.AtNum == f.AtNum[i] && r.AtWgt == f.AtWgt[i];
            });
            if (row == rows + nRows) rows[nRows++] = {f.AtNum[i], f.AtWgt[i], 0};
            row->Diff += sign * f.AtCnt[i];
        }
    };
    add(FFormula, 1);
    add(Other->FFormula, -1);

    const bool anyPositive = std::any_of(rows, rows + nRows, [](const TRow& r) { return r.Diff > 0; });
    const bool anyNegative = std::any_of(rows, rows + nRows, [](const TRow& r) { return r.Diff < 0; });
    if (!anyPositive && !anyNegative) return 0;
    if (!anyPositive) return 2;
    if (!anyNegative) return 1;
    return -1;
}

} // namespace qyx
