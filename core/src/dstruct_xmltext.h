// Attribute values of the XML elements of QYX_dstruct. Texts may hold any byte, but the envelope
// escapes nothing and its tag scanner ends a tag at the first ">"; so the bytes that would break an
// element (control characters, '"', '%', '<', '>', DEL) are written as "%" and two upper-case
// hexadecimal digits.
#pragma once

#include <string>
#include <string_view>

namespace qyx::dstruct_xml {

/// S with the unsafe bytes written as %XX.
std::string EscapeText(std::string_view S);
/// The bytes of an escaped text; a "%" not followed by two hexadecimal digits stands for itself.
std::string UnescapeText(std::string_view S);
/// A decimal integer with optional blanks around it and nothing else; false when Text is not one or
/// lies outside Low..High.
bool ParseInt(const std::string& Text, int Low, int High, int& Value);

} // namespace qyx::dstruct_xml
