// Bitmap transfers: same-size and nearest-neighbour (colour-on-colour) copies and area-averaging
// (halftone) stretching, with ternary raster operations, format conversion and transparency.
#include "RasterDraw.h"

#include <array>
#include <cmath>
#include <tuple>
#include <type_traits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qyx::gfx {

namespace {

// Halftone weights: columns in 1/16384, rows in 1/128, so that the vertical sums (at most
// 255 * 128) fit signed 16 bits and a column sum (at most 255 * 128 * 16384) fits 31 bits.
constexpr uint32_t ColumnWeightOne = 1u << 14;
constexpr uint32_t RowWeightOne = 1u << 7;
constexpr int ResultShift = 21;

/// Whether a raster operation ignores the source.
bool IgnoresSource(uint8_t T) {
    for (int k = 0; k < 8; ++k)
        if (((T >> k) & 1) != ((T >> (k ^ 2)) & 1)) return false;
    return true;
}

const uint8_t* SourceRow(const TBlitSource& S, int64_t Y) {
    return S.Bits + static_cast<ptrdiff_t>(Y + S.OY) * S.Stride;
}

/// Nearest palette index with a small direct-mapped cache.
class TNearest {
public:
    TNearest(const TColor* Palette, int Count) : FPalette(Palette), FCount(Count) { FKeys.fill(~0u); }
    uint32_t operator()(uint32_t XRGB) {
        const size_t slot = (XRGB * 2654435761u) >> 22;
        if (FKeys[slot] != XRGB) {
            FKeys[slot] = XRGB;
            FValues[slot] =
                FPalette && FCount > 0
                    ? static_cast<uint32_t>(NearestPaletteIndex(FPalette, FCount, XRGBToColor(XRGB)))
                    : 0;
        }
        return FValues[slot];
    }

private:
    const TColor* FPalette;
    int FCount;
    std::array<uint32_t, 1024> FKeys{};
    std::array<uint32_t, 1024> FValues{};
};

/// Converts pixel values of the source format into XRGB colours and destination pixel values.
class TConverter {
public:
    TConverter(const TBlitSource& S, const TRaster& D)
        : FSrc(S.Format), FDst(D.Format), FNearest(D.Palette, D.PaletteSize) {
        const bool srcPal = IsPaletteFormat(S.Format), dstPal = IsPaletteFormat(D.Format);
        FIdentity = S.Format == D.Format &&
                    (!srcPal || (S.PaletteSize == D.PaletteSize &&
                                 std::equal(S.Palette, S.Palette + S.PaletteSize, D.Palette)));
        if (srcPal) {
            const int n = 1 << BitsPerPixel(S.Format);
            FXrgbLut.resize(n);
            FLut.resize(n);
            for (int i = 0; i < n; ++i) {
                FXrgbLut[i] = ColorToXRGB(PixelColor(S.Format, S.Palette, S.PaletteSize, i));
                FLut[i] = dstPal ? FNearest(FXrgbLut[i]) : PackXRGB(D.Format, FXrgbLut[i]);
            }
        }
        FDstPal = dstPal;
    }
    bool Identity() const { return FIdentity; }
    uint32_t ToXRGB(uint32_t Raw) const { return FXrgbLut.empty() ? UnpackXRGB(FSrc, Raw) : FXrgbLut[Raw]; }
    uint32_t ToDest(uint32_t Raw) {
        if (FIdentity) return Raw;
        if (!FLut.empty()) return FLut[Raw];
        return FromXRGB(UnpackXRGB(FSrc, Raw));
    }
    uint32_t FromXRGB(uint32_t XRGB) { return FDstPal ? FNearest(XRGB) : PackXRGB(FDst, XRGB); }

private:
    TPixelFormat FSrc, FDst;
    bool FIdentity = false, FDstPal = false;
    std::vector<uint32_t> FXrgbLut, FLut;
    TNearest FNearest;
};

/// Writes destination pixel values Vals to row Y from column X (canvas coordinates), with the raster
/// operation; pixels with Skip[i] set are left alone.
void WriteRow(const TRaster& D, int Y, int X, int N, const uint32_t* Vals, const uint8_t* Skip,
              const TBlitOptions& O) {
    uint8_t* row = D.Row(Y);
    const int sx = X + D.OX;
    Dispatch(D.Format, [&](auto px) {
        using Pix = decltype(px);
        if (O.Rop == 0xCC && Skip == nullptr) {
            if constexpr (std::is_same_v<Pix, Px<pf32bit>>) {
                std::memcpy(reinterpret_cast<uint32_t*>(row) + sx, Vals, static_cast<size_t>(N) * 4);
            } else {
                for (int i = 0; i < N; ++i) Pix::Put(row, sx + i, Vals[i]);
            }
            return;
        }
        for (int i = 0; i < N; ++i) {
            if (Skip != nullptr && Skip[i]) continue;
            Pix::Put(row, sx + i, Rop3(O.Rop, O.Pattern, Vals[i], Pix::Get(row, sx + i)) & Pix::Mask);
        }
    });
}

/// Destination-only operations (blackness, whiteness, pattern copy, destination inversion).
void RopOnly(const TRaster& D, int X0, int Y0, int X1, int Y1, const TBlitOptions& O) {
    std::vector<uint32_t> zeros(static_cast<size_t>(X1 - X0), 0);
    for (int y = Y0; y < Y1; ++y) WriteRow(D, y, X0, X1 - X0, zeros.data(), nullptr, O);
}

/// Source index of each destination position for nearest-neighbour mapping (INT64_MIN: outside the
/// readable source). Position i of the destination extent maps to floor((2i + 1) * SW / (2 * DW)).
std::vector<int64_t> NearestMap(int64_t D0, int64_t DW, int64_t From, int64_t To, int64_t S0, int64_t SW,
                                bool Flip, int64_t Lo, int64_t Hi) {
    std::vector<int64_t> map(static_cast<size_t>(To - From));
    for (int64_t d = From; d < To; ++d) {
        const int64_t i = d - D0;
        const int64_t s = static_cast<int64_t>((static_cast<__int128>(2 * i + 1) * SW) / (2 * DW));
        const int64_t c = Flip ? S0 + SW - 1 - s : S0 + s;
        map[static_cast<size_t>(d - From)] = c >= Lo && c < Hi ? c : INT64_MIN;
    }
    return map;
}

void NearestBlit(const TRaster& D, int64_t DX, int64_t DY, int64_t DW, int64_t DH, const TBlitSource& S,
                 int64_t SX, int64_t SY, int64_t SW, int64_t SH, bool FlipX, bool FlipY, int CA, int CB,
                 int RA, int RB, const TBlitOptions& O) {
    const std::vector<int64_t> xmap = NearestMap(DX, DW, CA, CB, SX, SW, FlipX, S.X0, S.X1);
    const std::vector<int64_t> ymap = NearestMap(DY, DH, RA, RB, SY, SH, FlipY, S.Y0, S.Y1);
    // The valid columns are contiguous because the mapping is monotonic.
    size_t va = 0, vb = xmap.size();
    while (va < vb && xmap[va] == INT64_MIN) ++va;
    while (vb > va && xmap[vb - 1] == INT64_MIN) --vb;
    if (va >= vb) return;
    const int n = static_cast<int>(vb - va);
    std::vector<int> cols(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        cols[static_cast<size_t>(i)] = static_cast<int>(xmap[va + static_cast<size_t>(i)] + S.OX);
    const bool identityCols = !FlipX && SW == DW;

    TConverter conv(S, D);
    const bool fast = S.Format == pf32bit && D.Format == pf32bit && O.Rop == 0xCC && !O.Transparent;
    std::vector<uint32_t> raw(static_cast<size_t>(n)), vals(static_cast<size_t>(n));
    std::vector<uint8_t> skip(O.Transparent ? static_cast<size_t>(n) : 0);
    for (int y = RA; y < RB; ++y) {
        const int64_t sy = ymap[static_cast<size_t>(y - RA)];
        if (sy == INT64_MIN) continue;
        const uint8_t* srow = SourceRow(S, sy);
        const int dx = CA + static_cast<int>(va);
        if (fast) {
            uint32_t* d = reinterpret_cast<uint32_t*>(D.Row(y)) + (dx + D.OX);
            const uint32_t* s = reinterpret_cast<const uint32_t*>(srow);
            if (identityCols) {
                std::memcpy(d, s + cols[0], static_cast<size_t>(n) * 4);
            } else {
                const int* c = cols.data();
                for (int i = 0; i < n; ++i) d[i] = s[c[i]];
            }
            continue;
        }
        Dispatch(S.Format, [&](auto px) {
            using Pix = decltype(px);
            for (int i = 0; i < n; ++i)
                raw[static_cast<size_t>(i)] = Pix::Get(srow, cols[static_cast<size_t>(i)]);
        });
        for (int i = 0; i < n; ++i) {
            const size_t k = static_cast<size_t>(i);
            if (O.Transparent) skip[k] = conv.ToXRGB(raw[k]) == O.TransparentXRGB;
            vals[k] = conv.ToDest(raw[k]);
        }
        WriteRow(D, y, dx, n, vals.data(), O.Transparent ? skip.data() : nullptr, O);
    }
}

/// Area-average taps of one axis: for each destination position, the source indices its area covers
/// with weights summing to WeightOne (Count 0: no readable source under it).
struct TTaps {
    std::vector<int> Start, Count;
    std::vector<int64_t> Index;
    std::vector<uint32_t> Weight;
    int64_t Min = INT64_MAX, Max = INT64_MIN;

    TTaps(int64_t D0, int64_t DW, int64_t From, int64_t To, int64_t S0, int64_t SW, bool Flip, int64_t Lo,
          int64_t Hi, uint32_t WeightOne) {
        const double scale = static_cast<double>(SW) / static_cast<double>(DW);
        std::vector<double> cover;
        for (int64_t d = From; d < To; ++d) {
            const int64_t i = d - D0;
            double a = static_cast<double>(i) * scale, b = static_cast<double>(i + 1) * scale;
            if (Flip) std::tie(a, b) = std::pair(static_cast<double>(SW) - b, static_cast<double>(SW) - a);
            a = std::max(a + static_cast<double>(S0), static_cast<double>(Lo));
            b = std::min(b + static_cast<double>(S0), static_cast<double>(Hi));
            Start.push_back(static_cast<int>(Index.size()));
            const size_t first = Index.size();
            double total = 0;
            cover.clear();
            for (int64_t k = static_cast<int64_t>(std::floor(a)); static_cast<double>(k) < b; ++k) {
                const double c =
                    std::min(b, static_cast<double>(k + 1)) - std::max(a, static_cast<double>(k));
                if (c <= 1e-9) continue;
                Index.push_back(k);
                cover.push_back(c);
                total += c;
            }
            Count.push_back(static_cast<int>(Index.size() - first));
            if (Index.size() == first) continue;
            uint32_t sum = 0;
            size_t big = 0;
            for (size_t j = 0; j < cover.size(); ++j) {
                const uint32_t w = static_cast<uint32_t>(std::lround(cover[j] / total * WeightOne));
                Weight.push_back(w);
                sum += w;
                if (cover[j] > cover[big]) big = j;
            }
            Weight[first + big] += WeightOne - sum; // exact sum
            Min = std::min(Min, Index[first]);
            Max = std::max(Max, Index.back());
        }
    }
};

/// Weighted sum of Count consecutive pixels of the vertical sums (4 channels each, 8.7 fixed point)
/// as an XRGB colour.
inline uint32_t ColumnSum(const uint16_t* M, const uint16_t* W, int Count) {
#if defined(__SSE2__)
    // Pairs of taps: interleave their channels and multiply-add with the pair of weights.
    __m128i acc = _mm_setzero_si128();
    int t = 0;
    for (; t + 1 < Count; t += 2, M += 8) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(M));
        const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(M + 4));
        const __m128i w = _mm_set1_epi32(static_cast<int>(W[t] | (uint32_t{W[t + 1]} << 16)));
        acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), w));
    }
    if (t < Count) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(M));
        const __m128i w = _mm_set1_epi32(static_cast<int>(W[t]));
        acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_unpacklo_epi16(a, _mm_setzero_si128()), w));
    }
    acc = _mm_srli_epi32(_mm_add_epi32(acc, _mm_set1_epi32(1 << (ResultShift - 1))), ResultShift);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(acc, acc), _mm_setzero_si128());
    return static_cast<uint32_t>(_mm_cvtsi128_si32(bytes)) & 0xFFFFFF;
#else
    uint32_t b = 0, g = 0, r = 0;
    for (int t = 0; t < Count; ++t, M += 4)
        b += M[0] * uint32_t{W[t]}, g += M[1] * uint32_t{W[t]}, r += M[2] * uint32_t{W[t]};
    constexpr uint32_t half = 1u << (ResultShift - 1);
    return (((r + half) >> ResultShift) << 16) | (((g + half) >> ResultShift) << 8) |
           ((b + half) >> ResultShift);
#endif
}

void HalftoneBlit(const TRaster& D, int64_t DX, int64_t DY, int64_t DW, int64_t DH, const TBlitSource& S,
                  int64_t SX, int64_t SY, int64_t SW, int64_t SH, bool FlipX, bool FlipY, int CA, int CB,
                  int RA, int RB, const TBlitOptions& O) {
    const TTaps tx(DX, DW, CA, CB, SX, SW, FlipX, S.X0, S.X1, ColumnWeightOne);
    const TTaps ty(DY, DH, RA, RB, SY, SH, FlipY, S.Y0, S.Y1, RowWeightOne);
    if (tx.Index.empty() || ty.Index.empty()) return;
    const int64_t c0 = tx.Min;
    const size_t span = static_cast<size_t>(tx.Max - c0 + 1);
    TConverter conv(S, D);
    std::vector<uint16_t> mid(span * 4);
    std::vector<uint8_t> converted(span * 4);
    const int n = CB - CA;
    std::vector<uint32_t> vals(static_cast<size_t>(n));
    std::vector<uint8_t> skip(static_cast<size_t>(n));
    bool anySkip = false;
    for (int i = 0; i < n; ++i)
        anySkip |= (skip[static_cast<size_t>(i)] = tx.Count[static_cast<size_t>(i)] == 0) != 0;

    // Column taps flattened: offset of the first tap in the vertical sums, count, weights.
    std::vector<int> tapCount(tx.Count.begin(), tx.Count.end()), tapStart(tx.Start.begin(), tx.Start.end());
    std::vector<size_t> tapOffset(static_cast<size_t>(n), 0);
    std::vector<uint16_t> tapWeight(tx.Weight.begin(), tx.Weight.end());
    for (int i = 0; i < n; ++i)
        if (tapCount[static_cast<size_t>(i)] > 0)
            tapOffset[static_cast<size_t>(i)] =
                static_cast<size_t>(tx.Index[static_cast<size_t>(tapStart[static_cast<size_t>(i)])] - c0) * 4;
    const bool directDest = D.Format == pf32bit || D.Format == pf24bit;

    // Source row bytes B, G, R, X for columns c0 ... c0 + span - 1.
    auto rowBytes = [&](int64_t Y) -> const uint8_t* {
        const uint8_t* srow = SourceRow(S, Y);
        if (S.Format == pf32bit) return srow + (c0 + S.OX) * 4;
        Dispatch(S.Format, [&](auto px) {
            using Pix = decltype(px);
            for (size_t k = 0; k < span; ++k) {
                const uint32_t v =
                    conv.ToXRGB(Pix::Get(srow, static_cast<int>(c0 + static_cast<int64_t>(k) + S.OX)));
                std::memcpy(&converted[k * 4], &v, 4);
            }
        });
        return converted.data();
    };

    for (int y = RA; y < RB; ++y) {
        const size_t jy = static_cast<size_t>(y - RA);
        const int cnt = ty.Count[jy];
        if (cnt == 0) continue;
        // Vertical pass: weighted sum of the covered source rows, 8.7 fixed point per channel.
        for (int t = 0; t < cnt; ++t) {
            const size_t tap = static_cast<size_t>(ty.Start[jy] + t);
            const uint8_t* __restrict p = rowBytes(ty.Index[tap]);
            const uint16_t w = static_cast<uint16_t>(ty.Weight[tap]);
            uint16_t* __restrict a = mid.data();
            const size_t m = span * 4;
            if (t == 0)
                for (size_t k = 0; k < m; ++k) a[k] = static_cast<uint16_t>(p[k] * w);
            else
                for (size_t k = 0; k < m; ++k) a[k] = static_cast<uint16_t>(a[k] + p[k] * w);
        }
        // Horizontal pass: the taps of a column are consecutive source columns.
        const uint16_t* md = mid.data();
        for (int i = 0; i < n; ++i) {
            const int tc = tapCount[static_cast<size_t>(i)];
            if (tc == 0) continue;
            const uint16_t* m = md + tapOffset[static_cast<size_t>(i)];
            const uint16_t* w = tapWeight.data() + tapStart[static_cast<size_t>(i)];
            const uint32_t xrgb = ColumnSum(m, w, tc);
            vals[static_cast<size_t>(i)] = directDest ? xrgb : conv.FromXRGB(xrgb);
        }
        WriteRow(D, y, CA, n, vals.data(), anySkip ? skip.data() : nullptr, O);
    }
}

} // namespace

void StretchBlit(const TRaster& Dst, int64_t DX, int64_t DY, int64_t DW, int64_t DH, const TBlitSource& Src,
                 int64_t SX, int64_t SY, int64_t SW, int64_t SH, const TBlitOptions& O) {
    bool flipX = false, flipY = false;
    if (DW < 0) DX += DW, DW = -DW, flipX = !flipX;
    if (DH < 0) DY += DH, DH = -DH, flipY = !flipY;
    if (SW < 0) SX += SW, SW = -SW, flipX = !flipX;
    if (SH < 0) SY += SH, SH = -SH, flipY = !flipY;
    if (DW == 0 || DH == 0) return;
    const int ca = ClampInt(std::max<int64_t>(DX, Dst.X0)), cb = ClampInt(std::min<int64_t>(DX + DW, Dst.X1));
    const int ra = ClampInt(std::max<int64_t>(DY, Dst.Y0)), rb = ClampInt(std::min<int64_t>(DY + DH, Dst.Y1));
    if (ca >= cb || ra >= rb) return;
    if (IgnoresSource(O.Rop)) return RopOnly(Dst, ca, ra, cb, rb, O);
    if (SW == 0 || SH == 0 || Src.Bits == nullptr || Src.X0 >= Src.X1 || Src.Y0 >= Src.Y1) return;

    // Copying within one surface: read from a snapshot of the source rows.
    TBlitSource src = Src;
    std::vector<uint32_t> snapshot;
    if (Src.Bits == Dst.Bits) {
        const int64_t r0 = std::max<int64_t>(Src.Y0, SY), r1 = std::min<int64_t>(Src.Y1, SY + SH);
        if (r0 >= r1) return;
        const size_t bytes = static_cast<size_t>(r1 - r0) * static_cast<size_t>(Src.Stride);
        snapshot.resize((bytes + 3) / 4);
        std::memcpy(snapshot.data(), SourceRow(Src, r0), bytes);
        src.Bits = reinterpret_cast<const uint8_t*>(snapshot.data());
        src.OY = static_cast<int>(-r0);
        src.Y0 = static_cast<int>(r0), src.Y1 = static_cast<int>(r1);
    }
    if (O.Halftone && !O.Transparent && (SW != DW || SH != DH))
        HalftoneBlit(Dst, DX, DY, DW, DH, src, SX, SY, SW, SH, flipX, flipY, ca, cb, ra, rb, O);
    else
        NearestBlit(Dst, DX, DY, DW, DH, src, SX, SY, SW, SH, flipX, flipY, ca, cb, ra, rb, O);
}

} // namespace qyx::gfx
