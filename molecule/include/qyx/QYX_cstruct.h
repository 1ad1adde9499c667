// Unit QYX_cstruct: a molecular structure as a connection table of up to 63 atoms, each with up to
// ten bond partners, with its formula, weights, hydrogen counts, geometry, comparison, registry number
// and fragment counts, and the readers and writers of MDL connection tables, molfiles, SD files and
// the library's clear-text formats "/CONTAB" and "/CTABG".
//
// Atoms count from 1. Nothing here raises on bad data: invalid atom numbers make getters answer 0
// and setters do nothing, and readers report refused or damaged input as false. Errors of the text
// file and stream routines pass through unchanged.
#pragma once

#include <cstdint>
#include <string>

#include <qyx/QYX_cform.h>
#include <qyx/platform/FixedArray.h>
#include <qyx/platform/Object.h>
#include <qyx/platform/ShortString.h>

namespace qyx {

class TextFile;
class TStream;
struct TCTabIO;

/// Largest number of atoms a table holds.
inline constexpr int MaxCTAtoms = 63;
/// Number of partner slots of an atom.
inline constexpr int MaxCTConn = 10;

/// One atom of a connection table.
struct CTElem {
    uint8_t AtNum = 0;                            ///< atomic number; 0 = no element
    uint8_t AtWeight = 0;                         ///< mass number
    uint8_t AtFlag = 0;                           ///< mark for algorithms and fragment link points
    uint8_t Attrib = 0;                           ///< structural attribute bits
    int8_t Charge = 0;                            ///< formal charge
    TFixedArray<uint8_t, 1, MaxCTConn> ConnTo{};  ///< partner atom numbers, 0 = free slot
    TFixedArray<uint8_t, 1, MaxCTConn> TypConn{}; ///< bond type of each slot: 1 single .. 4 aromatic
    TFixedArray<float, 1, 3> Coords{};            ///< X, Y, Z
    uint32_t DrawAttr =
        0x80000000u; ///< label colour (bits 0-25), bold/inverse/italic (28-30), bit 31 = no colour
};

/// Sets every field of E to 0 and DrawAttr to 80000000 hex.
void ClearCTElem(CTElem& E);

/// Unit of the coordinates; stored, copied and compared, not interpreted.
enum CoordUnitType : uint8_t { cuUnknown, cuPixel, cuNanoM, cuPicoM, cuAngstrom };

/// One numeric property of an SD record: its code (at most 15 characters) and value.
struct TPropEntry {
    TShortString<15> Name;
    double Value = 0.0;
};
/// The properties an SD record carries, 20 entries; an entry with an empty name is unused.
using TPropRec = TFixedArray<TPropEntry, 1, 20>;

/// The classes counted by FragmentCount.
enum FrgType : uint8_t {
    NSglBnd,
    NCCSgl,
    NDblBnd,
    NCCDbl,
    NTrplBnd,
    NCCTrpl,
    NAroBnd,
    NBranch,
    XCnt,
    COOH,
    COO,
    NO2,
    AnyCO,
    AroCl,
    AroBr,
    AnyOH,
    PhOH,
    NH2,
    NHR,
    NR2,
    NCON,
    CN,
    CONR2,
    CHO,
    COX,
    AnySO,
    OCH3,
    NO,
    NNH2
};

/// One ring: Count atoms (0 to 63) in path order, beginning with the atom it was found from.
struct RingType {
    uint8_t Count = 0;
    TFixedArray<uint8_t, 1, 64> Atoms{};
};
/// Up to 100 rings.
struct RingListType {
    int Count = 0;
    TFixedArray<RingType, 1, 100> Rings{};
};

/// Structural attribute bits written by TCTab::CalcAttributes.
inline constexpr uint8_t atChain = 0x01;     ///< in no ring
inline constexpr uint8_t atOddRing = 0x02;   ///< in a ring of 3 or 4, or more than 6 atoms
inline constexpr uint8_t atRing5 = 0x04;     ///< in a 5-membered ring
inline constexpr uint8_t atRing6 = 0x08;     ///< in a 6-membered ring
inline constexpr uint8_t atBranch = 0x10;    ///< more than 2 partners
inline constexpr uint8_t atRing = 0x20;      ///< ring atom
inline constexpr uint8_t atEnd = 0x40;       ///< chain atom with one partner
inline constexpr uint8_t atMultiRing = 0x80; ///< in more than one ring

/// A list of up to 63 atom numbers.
struct AtListType {
    int Count = 0;
    TFixedArray<int, 1, MaxCTAtoms> Atoms{};
};
/// Molecule atoms that took part in a substructure match (true = matched).
using TMatchFlags = TFixedArray<bool, 1, MaxCTAtoms>;
/// Kinds of substructure comparison (declared for callers; no routine takes it).
enum SSSMode : uint8_t { smSkeleton, smAtoms, smBonds, smAtomAndBonds };

/// True when some ring of List contains every atom of Ring.
bool RingInRingList(const RingType& Ring, const RingListType& List);

/// Text of a neighbourhood code of TCTab::FragmentCode ("C2O1C1C"); "ERROR" for a negative code.
std::string FragmentStr(int Code);

/// A molecular structure as a connection table (see the unit comment).
class TCTab : public TComponent {
public:
    /// An empty table: no atoms, empty name, registry number 0, unit cuUnknown.
    explicit TCTab(TComponent* AOwner);

    /// Fired by Changed (setters, Clear, CopyFrom and the readers); skipped when empty.
    TNotifyEvent OnChange;
    /// Fires OnChange(this).
    void Changed();

    // --- Table state --------------------------------------------------------------------------------

    int GetNAtoms() const { return FNAtoms; }
    /// Name of the structure; written directly, without Changed.
    const std::string& GetStrucName() const { return FStrucName; }
    void SetStrucName(const std::string& Value) { FStrucName = Value; }
    CoordUnitType GetCoordUnit() const { return FCoordUnit; }
    void SetCoordUnit(CoordUnitType Value) { FCoordUnit = Value; }
    /// The registry number formatted ("7732-18-5"; 0 gives "0-00-0").
    std::string GetCASNr() const;
    /// Stores a well-formed registry number that passes its check digit (blanks around it allowed);
    /// otherwise keeps the old one. Changed in every case.
    void SetCASNr(const std::string& Text);
    /// The registry-number check-digit test, offered as a method.
    bool CheckCASNr(int Number) const;

    // --- Per-atom access (a counts from 1; getters answer 0 for an invalid atom) -------------------

    uint8_t GetAtNum(int a) const;
    uint8_t GetAtWeight(int a) const;
    uint8_t GetAtFlag(int a) const;
    uint8_t GetAttrib(int a) const;
    int8_t GetCharge(int a) const;
    /// Stores Z when a is valid and 1 <= Z <= 103; Changed.
    void SetAtNum(int a, uint8_t Z);
    void SetAtWeight(int a, uint8_t Value);
    void SetAtFlag(int a, uint8_t Value);
    void SetAttrib(int a, uint8_t Value);
    void SetCharge(int a, int8_t Value);
    /// Partner and bond type in one slot (1 to 10) of atom a.
    uint8_t GetConnTo(int a, int Slot) const;
    uint8_t GetTypConn(int a, int Slot) const;
    /// Write one slot of a only (no reverse entry); Changed.
    void SetConnTo(int a, int Slot, uint8_t Value);
    void SetTypConn(int a, int Slot, uint8_t Value);
    /// Coordinate of atom a on axis 1 (X), 2 (Y) or 3 (Z).
    float GetCoords(int a, int Axis) const;
    void SetCoords(int a, int Axis, float Value);
    /// The whole record; a cleared one when a is not valid.
    CTElem GetAtomEntries(int a) const;
    /// Replaces the whole record of a, DrawAttr included; Changed.
    void SetAtomEntries(int a, const CTElem& E);
    /// Number of non-zero partner slots of a.
    int GetNBonds(int a) const;
    /// Bond type with which b stands in a's partner list (last match), 0 when it does not.
    uint8_t CheckConnect(int a, int b) const;
    /// Number of atoms of atomic number Z.
    int AtomCount(uint8_t Z) const;
    /// Largest partner count; a receives the first atom that has it (unchanged for an empty table).
    int MaxNBonds(int& a) const;
    /// True when some atom has no partner.
    bool ContainsUnconnectedAtom() const;

    // --- Editing ----------------------------------------------------------------------------------

    /// Empties the table (atoms, name, registry number, unit); Changed.
    void Clear();
    /// Attrib := 0 for every atom.
    void ClearAttributes();
    /// Appends E (its partners entered in the new atom's list only); false when the table is full.
    bool AddAtom(const CTElem& E);
    /// Removes atom a, bridging its partners, and moves the last atom into its place.
    void DeleteAtom(int a);
    /// Enters partner b with Type in a's list only (sets the type when b is already there; nothing
    /// when the list is full or a or b is not an atom number 1 to 63).
    void EnterConn(int a, int b, int Type);
    /// Makes or changes the bond a-b in both lists, or removes it with Type 0 (closing the gaps).
    /// False for an invalid atom, or when a bond to remove was not there.
    bool MakeConnection(int a, int b, uint8_t Type);
    /// Completes every one-directional bond in its partner's list.
    void MakeSymmetricConnections();
    /// Deletes every atom of atomic number 1.
    void RemoveHydrogen();
    /// Copies everything but the atoms' DrawAttr from Other; Changed.
    void CopyFrom(const TCTab* Other);
    /// Merges Fragment: its atoms with a non-zero AtFlag fuse with the atom of this table that has
    /// the same flag (a flag without counterpart makes an ordinary new atom), the others are
    /// appended while there is room.
    void JoinFragment(const TCTab* Fragment);
    /// Appends Fragment and bonds each old atom to each new one with the same non-zero AtFlag;
    /// nothing when the atoms would not fit.
    void LinkFragment(const TCTab* Fragment);

    // --- Chemistry and geometry -------------------------------------------------------------------

    /// Bit set of the fields in which Other differs (1 count, 2 name, 4 unit, 8 registry number,
    /// 10..800 hex atom fields AtNum .. Z, 1000 partners, 2000 bond types); 0 when equal.
    uint16_t CompareWith(const TCTab* Other) const;
    /// True when any coordinate is not 0; setting false zeroes all coordinates (and Changed).
    bool GetCoordsPresent() const;
    void SetCoordsPresent(bool Value);
    /// Hydrogens on atom a counted from valences (explicit hydrogen partners included).
    int NrHAtoms(int a) const;
    /// Sum of NrHAtoms over all atoms.
    int CalcMissingH() const;
    /// The formula (C, H, N, O, S, P, F, Cl, Br, I first); false and F unchanged when more than 20
    /// (element, mass number) pairs occur.
    bool CalcMolecularFormula(TFormulaRec& F) const;
    /// Average molecular weight including the missing hydrogens.
    double CalcChemMolWeight() const;
    /// Mean of the coordinates; 0 for an empty table.
    void CalcMolCenter(double& X, double& Y, double& Z) const;
    /// Plane extents and mean of X and Y; the result is the mean plane bond length.
    double CalcMolExtents(double& MinX, double& MinY, double& MaxX, double& MaxY, double& MeanX,
                          double& MeanY) const;
    /// The atom nearest to (X, Y, Z) (the lower number on ties) and its distance; 0 when empty.
    void FindClosestAtom(double X, double Y, double Z, int& a, double& Distance) const;
    /// The highest-numbered atom within DX, DY, DZ of (X, Y, Z); -1 when none.
    int FindAtomInBox(double X, double Y, double Z, double DX, double DY, double DZ) const;
    /// Code of a's element and its partners (see FragmentStr); -1 for an element without a fragment
    /// code, -2 for more than four partners. Second receives the bonds one step further out.
    int FragmentCode(int a, int& Second) const;
    /// Number of fragments of one kind; 0 for a kind outside the enumeration.
    int FragmentCount(FrgType Kind) const;

    // --- Rings and chains (these do not fire OnChange) --------------------------------------------

    /// Bonds - atoms + 1: the number of independent rings of a connected structure.
    int RingsInMolecule() const;
    /// All shortest rings through atom Start into List; returns their number (0 for a chain atom).
    /// Uses AtFlag as the path mark and leaves every AtFlag 0.
    int FindShortestRings(uint16_t Start, RingListType& List);
    /// The smallest rings of the whole structure; returns their number.
    int FindSSSR(RingListType& List);
    /// Writes the attribute bits into every atom's Attrib; returns the number of rings found.
    int CalcAttributes();
    /// The first atom at or after First with exactly one partner; 0 when none.
    int FindNextEndAtom(int First) const;
    /// Deletes chain atoms until only ring systems and their links remain; returns the atom count.
    int StripfromChains();
    /// True when this table has, element by element, at least as many atoms as Other.
    bool SumForContained(const TCTab* Other) const;

    /// Whether Sub occurs in this structure: same elements, Sub's attribute bits present, bonds of
    /// Sub on bonds of this table (with equal types when CompareBondTypes), ring closures of Sub on
    /// ring bonds. Matched receives the atoms of the match found. False for an empty Sub.
    bool SearchSubStruc(const TCTab* Sub, TMatchFlags& Matched, bool CompareBondTypes);
    /// The atoms passing three filters, in increasing order: Element (> 0 that element, < 0 any
    /// other, 0 all), Partners (> 0 that partner count, < 0 any other, 0 all) and Template (ten bond
    /// types; the atom needs a bond of each non-zero type, one bond per entry; nullptr or all zeros
    /// select all).
    void MatchAtomTemplate(int8_t Element, int8_t Partners, const uint8_t* Template, AtListType& List) const;

    /// Replaces the coordinates by whole-number coordinates on the principal axes of the X-Y
    /// positions (largest spread first, centred); unchanged for fewer than two atoms.
    void RotateWithPCA();

    // --- Structure files --------------------------------------------------------------------------

    /// One MDL connection table (counts line, atom and bond block) from the file's position.
    bool ReadFromMDLCTabFile(TextFile& F);
    bool ReadFromMDLCTabStream(TStream* Stream);
    /// A molfile: three header lines (line 1 is the name), then a connection table.
    bool ReadFromMDLMolFile(TextFile& F);
    bool ReadFromMDLMolStream(TStream* Stream);
    /// One SD record up to and including its "$$$$" line; numeric data items of the known property
    /// codes go to Props, a registry number item to CASNr. Charge and isotope lines of the property
    /// block ("M  CHG", "M  ISO") are applied to the atoms.
    bool ReadFromMDLSDFile(TextFile& F, TPropRec& Props);
    /// The "/CONTAB" clear-text format: marker search, then ReadConnTabBody.
    bool ReadFromClearTextFile(TextFile& F);
    /// The "/CTABG" clear-text format.
    bool ReadFromClearTextFileCTABG(TextFile& F);
    /// The body of the "/CONTAB" format from the line after the marker.
    bool ReadConnTabBody(TextFile& F);

    /// Writes an MDL connection table (V2000 columns) ending in "M  END".
    void WriteToMDLCTabFile(TextFile& F) const;
    void WriteToMDLCTabStream(TStream* Stream) const;
    /// Writes a molfile: the name, a line with the two-character Initials (cut to 2 and written back),
    /// ProgName (8 characters), the dimension code and RegNo, the Comment line, then the table.
    void WriteToMDLMolFile(TextFile& F, TShortString<2>& Initials, const std::string& ProgName, int RegNo,
                           const std::string& Comment) const;
    void WriteToMDLMolStream(TStream* Stream, TShortString<2>& Initials, const std::string& ProgName,
                             int RegNo, const std::string& Comment) const;
    /// Writes the "/CONTAB" clear-text format that ReadFromClearTextFile reads back.
    void WriteToClearTextFile(TextFile& F) const;
    /// Writes an input deck for the MolConnX program, one item per line:
    ///   1. the title: StrucName with control characters as blanks ("untitled" when empty);
    ///   2. Option, the job option number passed on to the program;
    ///   3. the atom count N;
    ///   4. N atom lines "nnn Ss pp" + partners ("%4d" each) + bond orders ("%2d" each, 1 single,
    ///      2 double, 3 triple, 4 aromatic): atom number, element symbol ("?" for no element,
    ///      two columns), partner count, then the partners and their bond orders in slot order;
    ///   5. one blank line.
    void WriteToMolConnXFile(int Option, TextFile& F) const;

private:
    friend struct TCTabIO;

    bool Valid(int a) const { return a >= 1 && a <= FNAtoms; }
    bool HasDoubleO(int a) const;

    int FNAtoms = 0;
    std::string FStrucName;
    int FCASNr = 0;
    CoordUnitType FCoordUnit = cuUnknown;
    TFixedArray<CTElem, 1, MaxCTAtoms> FAtoms{};
};

} // namespace qyx
