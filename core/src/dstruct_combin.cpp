// QYX_dstruct: stepping through combinations and permutations in place, and the nearest array value.
#include <qyx/QYX_dstruct.h>
#include <qyx/QYX_univconst.h>

#include <algorithm>
#include <cmath>

namespace qyx {

bool NextCombination(std::span<uint8_t> Comb, int N) {
    if (Comb.empty()) return false;
    const int k = Comb[0];
    if (k == 0 || static_cast<size_t>(k) + 1 > Comb.size()) return false;
    N = std::min(N, 255);
    // The rightmost position still below its largest value N - k + p.
    int p = k;
    while (p >= 1 && Comb[static_cast<size_t>(p)] >= N - k + p) --p;
    if (p < 1) return false;
    ++Comb[static_cast<size_t>(p)];
    for (int j = p + 1; j <= k; ++j)
        Comb[static_cast<size_t>(j)] = static_cast<uint8_t>(Comb[static_cast<size_t>(j) - 1] + 1);
    return true;
}

namespace {

// The step for the first A positions of a permutation of 1..n (see NextPermutation).
bool PermutationStep(std::span<uint8_t> Perm, int n, int A) {
    if (A <= 1) return false;
    const int value = n + 1 - A;
    int q = 1;
    while (q <= n && Perm[static_cast<size_t>(q)] != value) ++q;
    if (q > n) return false;
    if (q != A) {
        if (q + 1 > n) return false;
        std::swap(Perm[static_cast<size_t>(q)], Perm[static_cast<size_t>(q) + 1]);
        return true;
    }
    if (!PermutationStep(Perm, n, A - 1)) return false;
    for (int i = A; i >= 2; --i) Perm[static_cast<size_t>(i)] = Perm[static_cast<size_t>(i) - 1];
    Perm[1] = static_cast<uint8_t>(value);
    return true;
}

} // namespace

bool NextPermutation(std::span<uint8_t> Perm) {
    if (Perm.empty()) return false;
    const int n = Perm[0];
    if (static_cast<size_t>(n) + 1 > Perm.size()) return false;
    // Only a true permutation of 1..n is stepped; anything else would not come back to an end.
    bool seen[256] = {};
    for (int i = 1; i <= n; ++i) {
        const int v = Perm[static_cast<size_t>(i)];
        if (v < 1 || v > n || seen[v]) return false;
        seen[v] = true;
    }
    return PermutationStep(Perm, n, n);
}

int IndexOfNearestArrayValue(double X, std::span<const double> Values) {
    long double best = uc_MaxDouble;
    int result = -1;
    for (size_t i = 0; i < Values.size(); ++i) {
        const long double d = std::fabs(static_cast<long double>(Values[i]) - X);
        if (d < best) {
            best = d;
            result = static_cast<int>(i);
        }
    }
    return result;
}

int IndexOfNearestArrayValue(int X, std::span<const int> Values) {
    long double best = uc_MaxDouble;
    int result = -1;
    for (size_t i = 0; i < Values.size(); ++i) {
        // In 64 bits, so that the distance of the extreme values cannot overflow.
        const int64_t d = static_cast<int64_t>(Values[i]) - X;
        const long double dist = static_cast<long double>(d < 0 ? -d : d);
        if (dist < best) {
            best = dist;
            result = static_cast<int>(i);
        }
    }
    return result;
}

} // namespace qyx
