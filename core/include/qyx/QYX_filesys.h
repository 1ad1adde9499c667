// QYX_filesys: file-name, password and file-system routines.
//
// Sections of this unit:
//   1. File names and passwords
// Further sections of the unit (file-system utilities, the universal save dialogue) follow at the
// end of this header.
#pragma once

#include <string>

namespace qyx {

// ================================================================================================
// 1. File names and passwords
// ================================================================================================

/// FileName without its extension: the directory part (up to the last "\", "/" or ":") unchanged,
/// then the name up to its first "." ("c:\a.b\x.tar.gz" gives "c:\a.b\x").
std::string StripExtension(const std::string& FileName);
/// A pronounceable password of Len letters (limited to 4..14), alternating consonants and vowels,
/// with two random digits before the seventh letter (or after the last); drawn from the shared
/// pseudo-random generator.
std::string InventPassword(int Len);

} // namespace qyx
