// QYX_univconst: numeric-range and mathematical constants, stored as extended reals.
//
// Sections of this unit:
//   1. Numeric ranges
// Further sections of the unit (mathematical constants, logarithms of factorials) follow at the end
// of this header.
#pragma once

namespace qyx {

// ================================================================================================
// 1. Numeric ranges
// ================================================================================================

/// The largest real the number readers accept: the double nearest 1.7E+308
/// (1.6999999999999999388E+308), not the largest double.
inline constexpr long double uc_MaxDouble = static_cast<long double>(1.7e308);

} // namespace qyx
