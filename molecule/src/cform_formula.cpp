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

namespace {

/// Appends the ChemElem text of one entry to S (nothing for an invalid entry).
void AppendChemElem(std::string& S, int AtNum, int Mass, int Count, uint8_t Mode) {
    if (AtNum < 1 || AtNum > 103 || Count < 1) return;
    char num[12];
    if (Mode == 1) S.append(num, std::to_chars(num, num + sizeof num, Mass).ptr);
    if (AtNum == 1 && Mass == 2)
        S += 'D';
    else
        S += CElemSymb(AtNum);
    if (Count > 1) S.append(num, std::to_chars(num, num + sizeof num, Count).ptr);
}

} // namespace

std::string TMolFormula::ChemElem(int AtNum, int Mass, int Count, uint8_t Mode) {
    std::string s;
    AppendChemElem(s, AtNum, Mass, Count, Mode);
    return s;
}

std::string TMolFormula::AsString(int Mode) const {
    // The entries' ChemElem texts with a blank after each, appended in place.
    std::string s;
    for (int i = 1; i <= FFormula.NumAtoms; ++i) {
        AppendChemElem(s, FFormula.AtNum[i], FFormula.AtWgt[i], FFormula.AtCnt[i], Mode == 1 ? 1 : 0);
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
