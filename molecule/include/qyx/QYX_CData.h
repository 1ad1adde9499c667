// Unit QYX_CData: the chemical elements 1 (hydrogen) to 103 (lawrencium) with their symbols, names,
// weights, radii, periodic-table positions and electron configurations; registry numbers of the form
// digits-dd-d with their check digit; and a dictionary coder that shortens chemical names.
//
// Every routine is pure: it reads constant tables and its arguments only and may be called from any
// thread. An atomic number Z outside 1 to 103 is "no element" and gives an empty string, 0 or 0.0.
// Texts are code page 1252 bytes.
#pragma once

#include <string>

namespace qyx {

// ---------------------------------------------------------------------------------------------------
// Element data

/// The element's symbol ("C", "Cl"); empty when Z is outside 1 to 103.
std::string CElemSymb(int Z);
/// The element's English name in lower case, with the table's own spellings ("litium", "flourine",
/// "vanadin", "prometium", "actinum"); empty when Z is outside 1 to 103.
std::string CElemName(int Z);
/// The Z whose symbol equals Symbol exactly, case-sensitive and untrimmed ("Cl" gives 17, "CL" and
/// "cl" give 0); 0 when no symbol matches, the empty string included.
int AtomicNumber(const std::string& Symbol);

/// Mass number of the element's most abundant or longest-lived isotope (carbon 12, nickel 58,
/// molybdenum 98); 0 outside 1 to 103.
int IntAtWeight(int Z);
/// Monoisotopic mass of that isotope in atomic mass units; 0.0 outside 1 to 103.
double ExactAtWeight(int Z);
/// Average atomic weight in atomic mass units; 0.0 outside 1 to 103 and for the elements without a
/// tabulated weight (technetium, promethium, polonium to actinium, protactinium, neptunium and up).
double ChemAtWeight(int Z);
/// Van der Waals radius in angstrom (carbon 1.8, hydrogen 1.2); 0.0 when the element has no value.
/// Only elements 1 to 53 carry radii.
double VDWRadius(int Z);
/// Number of electrons in the outermost shell, 0 to 8 (palladium 0); 0 outside 1 to 103.
int NumOuterElectrons(int Z);

/// Ground-state configuration from the preceding noble-gas core, "[Ar] 3d10 4s2 4p5" for bromine;
/// empty outside 1 to 103.
std::string ShortElectronConfig(int Z);
/// The short configuration with its leading noble-gas core written out:
/// "1s2 2s2 2p6 3s2 3p6 3d10 4s2 4p5" for bromine. Hydrogen and helium have no core.
std::string FullElectronConfig(int Z);

/// Column (0 to 17) and row (0 to 8) of the element in the 18-column periodic table. Rows 0 to 6 are
/// the periods; cerium to lutetium sit in row 7 and thorium to lawrencium in row 8, columns 4 to 17.
/// Both are 0 when Z is outside 1 to 103.
void PerSysCoord(int Z, int& Column, int& Row);

// ---------------------------------------------------------------------------------------------------
// Registry numbers (digits-dd-d; the last digit is a check digit)

/// True when the last decimal digit of Number is its check digit: the other digits, weighted 1, 2,
/// 3, ... from the right, sum to it modulo 10. 0 is valid, 1 to 9 are not, negative numbers never.
bool CheckCASNr(int Number);
/// Number with its two hyphens, padded with zeros to at least four digits: 7732185 gives
/// "7732-18-5", 50 gives "0-05-0". No check digit test. A negative number keeps a leading "-".
std::string FormatCASNr(int Number);
/// Parses a hyphenated registry number; blanks around it are allowed. Well formed means exactly two
/// hyphens, two characters between them and one after the second, and the digits (at least one,
/// nothing else) must fit an int. A text that is not well formed or does not convert gives false
/// and leaves Number unchanged; otherwise Number receives the value and the result is its
/// CheckCASNr.
bool ConvertStrToCASNr(const std::string& Text, int& Number);

// ---------------------------------------------------------------------------------------------------
// Chemical-name coder

/// The name with A-Z lower-cased and each dictionary fragment ("methyl", "amino", "yl", ... 128 in a
/// fixed order) replaced by its one-byte code 128 to 255. "Methylamin" gives the bytes 139, 221.
std::string CompressChemName(const std::string& Name);
/// The inverse: every byte 128 to 255 is replaced by its fragment. Bytes of that range in the
/// original name therefore do not survive a round trip; plain ASCII names come back lower-cased.
std::string DeCompressChemName(const std::string& Compressed);

} // namespace qyx
