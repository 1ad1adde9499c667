// Arrays with the index range the system declares: TFixedArray<T, 1, 12> is indexed 1..12, and an
// array indexed by an enumeration runs from its first to its last value. Nest them for two
// dimensions: MonthLong[lgFrench][2].
#pragma once

#include <cassert>
#include <cstddef>

namespace qyx {

/// A fixed-size array indexed Low..High (inclusive). An aggregate, so tables initialise with braces
/// and can be constexpr. Indexing outside Low..High is a programming error (checked in debug builds
/// and rejected in constant expressions).
template <class T, int Low, int High> struct TFixedArray {
    static_assert(Low <= High, "empty index range");
    static constexpr int LowIndex = Low;
    static constexpr int HighIndex = High;
    static constexpr std::size_t Count = static_cast<std::size_t>(High - Low + 1);

    T Items[Count];

    constexpr T& operator[](int Index) {
        assert(Index >= Low && Index <= High);
        return Items[Index - Low];
    }
    constexpr const T& operator[](int Index) const {
        assert(Index >= Low && Index <= High);
        return Items[Index - Low];
    }
    /// True when Index lies in Low..High.
    static constexpr bool InRange(int Index) { return Index >= Low && Index <= High; }

    constexpr T* begin() { return Items; }
    constexpr T* end() { return Items + Count; }
    constexpr const T* begin() const { return Items; }
    constexpr const T* end() const { return Items + Count; }
    static constexpr std::size_t size() { return Count; }
};

/// A two-dimensional fixed array: the first index runs Low1..High1, the second Low2..High2.
template <class T, int Low1, int High1, int Low2, int High2>
using TFixedArray2D = TFixedArray<TFixedArray<T, Low2, High2>, Low1, High1>;

} // namespace qyx
