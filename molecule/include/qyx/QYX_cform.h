// Unit QYX_cform: molecular formulas as lists of up to 20 entries (element, mass number, count):
// parsing from text, text output, three kinds of weight, comparison and the search for element
// compositions that fit a mass.
//
// TMolFormula holds one formula and does everything but painting; TMolForm, the formula control,
// derives from it and repaints in ShowIt. Nothing here raises: invalid indices and values are ignored,
// parsing stops at the first part it cannot read and keeps what it read so far.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/platform/Controls.h>
#include <qyx/platform/FixedArray.h>

namespace qyx {

/// Number of entries a formula holds.
inline constexpr int MaxFormulaEntries = 20;

/// A formula as a plain record: NumAtoms entries in use, each one isotope of one element with its
/// count. Entries are not merged; deuterium is atomic number 1 with mass number 2. Mass numbers and
/// counts are bytes: a larger value keeps only its low 8 bits.
struct TFormulaRec {
    int NumAtoms = 0;                                   ///< entries in use, 0 to 20
    TFixedArray<uint8_t, 1, MaxFormulaEntries> AtNum{}; ///< atomic number of each entry
    TFixedArray<uint8_t, 1, MaxFormulaEntries> AtWgt{}; ///< mass number of each entry
    TFixedArray<uint8_t, 1, MaxFormulaEntries> AtCnt{}; ///< count of each entry
};

/// When a formula control shows mass numbers: never, only when they differ from the element's
/// nominal mass (IntAtWeight), or always.
enum TIsotVisib : uint8_t { ivNone, ivSpecial, ivAlways };

/// One molecular formula with its text, weights, comparison and composition search.
class TMolFormula {
public:
    /// The formula H2O (H mass 1 count 2, O mass 16 count 1) with the text "H2O"; empty search
    /// limits, target mass 0.0, tolerance 0.05.
    TMolFormula();
    virtual ~TMolFormula() = default;
    TMolFormula(const TMolFormula&) = default;
    TMolFormula& operator=(const TMolFormula&) = default;

    // --- Entries -----------------------------------------------------------------------------------

    /// Number of entries in use.
    int GetNumAtoms() const { return FFormula.NumAtoms; }
    /// Sets the entry count when 1 <= Count <= 20 (entries keep their fields); otherwise ignored.
    void SetNumAtoms(int Count);
    /// Atomic number, mass number and count of entry Index; 0 when Index is not 1 .. GetNumAtoms().
    int GetAtNum(int Index) const;
    int GetAtWgt(int Index) const;
    int GetAtCnt(int Index) const;
    /// Stores Z when Index is 1 .. GetNumAtoms() and Z is 1 .. 103; otherwise ignored.
    void SetAtNum(int Index, int Z);
    /// Store the low 8 bits of Value when Index is 1 .. GetNumAtoms(); otherwise ignored.
    void SetAtWgt(int Index, int Value);
    void SetAtCnt(int Index, int Value);

    /// The entries as a record.
    TFormulaRec GetFormulaRec() const { return FFormula; }
    /// Takes the entries of Rec (an entry count outside 0 .. 20 is limited to it) and repaints; the
    /// formula text is not changed.
    void SetFormulaRec(const TFormulaRec& Rec);

    // --- Text --------------------------------------------------------------------------------------

    /// The formula with mass numbers: AsString(1).
    std::string GetMolFormula() const { return AsString(1); }
    /// Stores Text as the formula text, empties the formula and reads it with ScanMolFormula.
    void SetMolFormula(const std::string& Text);
    /// The text last given to SetMolFormula ("" after Clear).
    const std::string& GetFormulaText() const { return FFormulaText; }

    /// Reads a formula with bracket groups: "C6H5(C H3)3" gives C6 H5 C3 H9. Element symbols must be
    /// separated by a count or a blank, comma or full stop ("C O2"; "CO2" is two cobalts); a mass
    /// number goes in front ("13C O2"), "D" is deuterium, letter case does not matter. A ")" sets the
    /// group multiplier back to 1 and skips the number after it; each "(" takes the number after the
    /// first ")" that follows it (1 when none is written); groups do not nest. Reading stops, keeping
    /// the entries read so far, at a part that is no element (also a blank before "("), at a count
    /// times multiplier outside 1 .. 255, or when 20 entries are full. Repaints.
    void ScanMolFormula(const std::string& Text);
    /// Reads a formula without groups (a bracket ends it) under the same rules; the formula text is
    /// not changed. Repaints.
    void ReadFromString(const std::string& Text);
    /// Reads the next element part of Text from position Pos (1-based): an optional mass number, the
    /// symbol (all letters up to the next digit or separator) and an optional count. Pos is left on
    /// the character that ended the part. True with AtNum (1 for "D"), Mass (the written one, else 2
    /// for "D" and IntAtWeight otherwise) and Count (1 when none is written); false, with all three 0,
    /// when no symbol was read or it names no element. Numbers too large for an int saturate.
    static bool ScanNextFormPart(const std::string& Text, int& Pos, int& AtNum, int& Mass, int& Count);

    /// Text of one entry: mode 1 gives mass number, symbol and count ("13C2"), every other mode the
    /// symbol and count ("C2"); "D" for hydrogen of mass 2; a count of 1 is not written. Empty when
    /// AtNum is not 1 .. 103 or Count is below 1.
    static std::string ChemElem(int AtNum, int Mass, int Count, uint8_t Mode);
    /// All entries as ChemElem texts, each followed by one blank: "C6 H12 O6 " (mode 0),
    /// "12C6 1H12 16O6 " (mode 1); "" for an empty formula.
    std::string AsString(int Mode) const;

    /// Compares entry by entry (same atomic and mass number): 0 equal, 2 this formula is contained in
    /// Other, 1 this one contains Other, -1 neither; -2 when either formula is empty or Other is null.
    int CompareTo(const TMolFormula* Other) const;

    /// Empties the formula text and the formula (all entry fields 0) and repaints.
    void Clear();
    /// Repaints; the formula itself draws nothing, a control overrides this.
    virtual void ShowIt() {}

    // --- Weights -----------------------------------------------------------------------------------

    /// Sum of ChemAtWeight times count; the mass number does not enter (deuterium weighs as hydrogen).
    double ChemMolWgt() const;
    /// Sum of ExactAtWeight times count; the mass number does not enter (13C counts as 12.0).
    double ExactMolWgt() const;
    /// Sum of mass number times count.
    int NominalMolWgt() const;

    // --- Composition search ------------------------------------------------------------------------

    /// Prepares the search for compositions of mass Mass: the elements are those of Upper (atomic
    /// and mass numbers), the counts run from Upper's down to Lower's (matched by entry index).
    /// Always true.
    bool InitFindFormula(double Mass, double Tolerance, const TFormulaRec& Lower, const TFormulaRec& Upper);
    /// Next composition whose nominal mass equals the target mass rounded (halves to even).
    bool FindFormulaNominalMass(bool CheckBonds);
    /// Next composition whose exact mass lies strictly within the tolerance of the target mass.
    bool FindFormulaExactMass(bool CheckBonds);
    /// The search engine: walks the count vectors like an odometer from the upper limits down, the
    /// last entry fastest, and stops after the next fit, which becomes the formula (entries with
    /// count 0 included). With CheckBonds a fit also needs rings plus double bonds >= 0
    /// (H + F + Cl + Br + I <= 2 C + N + 2). False once the walk is complete without a further fit;
    /// the call after that starts the walk again. False at once when Upper has no entries. Repaints.
    bool FindFormulaIntern(bool Nominal, bool CheckBonds);

protected:
    TFormulaRec FFormula;                                ///< the current formula
    std::string FFormulaText;                            ///< the text last given to SetMolFormula
    TFixedArray<int, 1, MaxFormulaEntries> FSearchCnt{}; ///< the search's current counts
    double FTargetMass = 0.0;                            ///< mass sought by the search
    double FTolerance = 0.05;                            ///< accepted deviation of the exact mass
    TFormulaRec FLowerLimits;                            ///< count limits of the search
    TFormulaRec FUpperLimits;                            ///< elements and count limits of the search
    bool FWalkComplete = false;                          ///< the last fit also ended the walk

private:
    bool AppendEntry(int AtNum, int Mass, int64_t Count);
    bool BondCheckPasses() const;
};

/// The formula control: a windowless control that holds one TMolFormula and paints it with mass
/// numbers raised (small size), counts lowered (small size) and "D" for deuterium, aligned left,
/// right or centred, on ColorBkg or, when Transparent, over whatever its parent shows. Width 120 and
/// height 28 after construction; Paint sets the height to twice the small font's line height.
/// Setters repaint: Paint at once, or Invalidate when Transparent (the colours always Paint).
class TMolForm : public TGraphicControl, public TMolFormula {
public:
    explicit TMolForm(TComponent* AOwner);

    TColor GetColorTxt() const { return FColorTxt; }
    void SetColorTxt(TColor Value);
    TColor GetColorBkg() const { return FColorBkg; }
    void SetColorBkg(TColor Value);
    /// Horizontal placement of the formula (default centred).
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    /// When mass numbers are shown (default ivSpecial).
    TIsotVisib GetIsotopeVis() const { return FIsotopeVis; }
    void SetIsotopeVis(TIsotVisib Value);
    /// Shows hydrogen of mass 2 as "D" without a mass number (default true).
    bool GetUseDeuterium() const { return FUseDeuterium; }
    void SetUseDeuterium(bool Value);
    /// Paints the stored formula text as it is instead of the formatted formula (default false).
    bool GetShowAsText() const { return FShowAsText; }
    void SetShowAsText(bool Value);
    /// Paints only the glyphs and lets the parent show through (default false).
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    /// Repaints: Invalidate when Transparent, otherwise Paint at once.
    void ShowIt() override;
    /// Draws the formula (nothing unless visible or being designed) and resets the height.
    void Paint() override;

    /// From another TMolForm: the display settings (not the font), the formula, its text and the
    /// whole search state, then repaints; any other source goes to the inherited assignment.
    void Assign(const TPersistent* Source) override;
    /// Into a TMolForm through its Assign; otherwise the inherited behaviour.
    void AssignTo(TPersistent* Dest) const override;

private:
    TColor FColorTxt = clBlack;
    TColor FColorBkg = clBtnFace;
    TAlignment FAlignment = taCenter;
    TIsotVisib FIsotopeVis = ivSpecial;
    bool FUseDeuterium = true;
    bool FShowAsText = false;
    bool FTransparent = false;
};

} // namespace qyx
