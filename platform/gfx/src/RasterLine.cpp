// Lines: one-pixel lines (solid or styled, with opaque or transparent gaps), wide lines with butt
// caps, and polylines. All lines leave out their end point.
#include "RasterDraw.h"

#include <cmath>
#include <cstdlib>

namespace qyx::gfx {

TLineStyle PenStylePattern(TPenStyle Style) {
    TLineStyle s;
    switch (Style) {
    case psDash: s.Period = 8, s.OnBits = 0x3F; break;         // 6 on, 2 off
    case psDot: s.Period = 2, s.OnBits = 0x1; break;           // 1 on, 1 off
    case psDashDot: s.Period = 11, s.OnBits = 0x13F; break;    // 6-2-1-2
    case psDashDotDot: s.Period = 14, s.OnBits = 0x93F; break; // 6-2-1-2-1-2
    default: break;
    }
    return s;
}

namespace {

/// The pixels of a line as steps along its major axis: pixel i lies at major coordinate
/// Maj0 + SMaj * i and minor coordinate Min0 + floor((2 i DMin + N - 1) / 2N), which rounds the
/// exact minor coordinate to nearest with halves towards the smaller value.
struct TLineWalk {
    bool XMajor = true;
    int64_t Maj0 = 0, Min0 = 0;
    int SMaj = 1;
    int64_t DMin = 0, N = 0;

    TLineWalk(int64_t X0, int64_t Y0, int64_t X1, int64_t Y1) {
        const int64_t dx = X1 - X0, dy = Y1 - Y0;
        XMajor = std::llabs(dx) >= std::llabs(dy);
        Maj0 = XMajor ? X0 : Y0;
        Min0 = XMajor ? Y0 : X0;
        const int64_t dmaj = XMajor ? dx : dy;
        DMin = XMajor ? dy : dx;
        SMaj = dmaj < 0 ? -1 : 1;
        N = std::llabs(dmaj);
    }
    int64_t MinorAt(int64_t I) const {
        if (N == 0) return Min0;
        if (N < (int64_t{1} << 30) && I < (int64_t{1} << 30))
            return Min0 + FloorDiv(2 * I * DMin + N - 1, 2 * N);
        return Min0 + static_cast<int64_t>(FloorDiv128(static_cast<__int128>(2) * I * DMin + N - 1, 2 * N));
    }
    /// Narrows [Ia, Ib) to the steps whose major coordinate lies in [MajLo, MajHi) and whose minor
    /// coordinate lies in [MinLo, MinHi).
    void Clip(int64_t& Ia, int64_t& Ib, int64_t MajLo, int64_t MajHi, int64_t MinLo, int64_t MinHi) const {
        if (SMaj > 0) {
            Ia = std::max(Ia, MajLo - Maj0);
            Ib = std::min(Ib, MajHi - Maj0);
        } else {
            Ia = std::max(Ia, Maj0 - MajHi + 1);
            Ib = std::min(Ib, Maj0 - MajLo + 1);
        }
        if (Ia >= Ib) return;
        const int64_t first = MinorAt(Ia), last = MinorAt(Ib - 1);
        if (std::min(first, last) >= MinLo && std::max(first, last) < MinHi) return;
        // The minor coordinate is monotonic in i: binary searches for the first step past each bound.
        auto firstWhere = [&](int64_t lo, int64_t hi, auto pred) {
            while (lo < hi) {
                const int64_t mid = lo + (hi - lo) / 2;
                if (pred(MinorAt(mid)))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            return lo;
        };
        if (DMin >= 0) {
            Ia = firstWhere(Ia, Ib, [&](int64_t m) { return m >= MinLo; });
            Ib = firstWhere(Ia, Ib, [&](int64_t m) { return m >= MinHi; });
        } else {
            Ia = firstWhere(Ia, Ib, [&](int64_t m) { return m < MinHi; });
            Ib = firstWhere(Ia, Ib, [&](int64_t m) { return m < MinLo; });
        }
    }
};

/// Incremental minor offset: Q = floor(num / 2N) with num = 2 i DMin + N - 1, remainder in [0, 2N).
struct TMinorStepper {
    int64_t Q = 0, Rm = 0, Step = 0, Den = 1;
    TMinorStepper(const TLineWalk& W, int64_t I) {
        Den = 2 * std::max<int64_t>(W.N, 1);
        Step = 2 * W.DMin;
        const __int128 num = static_cast<__int128>(2) * I * W.DMin + W.N - 1;
        const __int128 q = FloorDiv128(num, Den);
        Q = static_cast<int64_t>(q);
        Rm = static_cast<int64_t>(num - q * Den);
    }
    void Next() {
        Rm += Step;
        if (Rm >= Den)
            Rm -= Den, ++Q;
        else if (Rm < 0)
            Rm += Den, --Q;
    }
};

void DrawThinLine(const TRaster& R, const TLineWalk& W, const TLinePaint& P, int StylePos) {
    int64_t ia = 0, ib = W.N;
    if (W.XMajor)
        W.Clip(ia, ib, R.X0, R.X1, R.Y0, R.Y1);
    else
        W.Clip(ia, ib, R.Y0, R.Y1, R.X0, R.X1);
    if (ia >= ib) return;
    const bool styled = P.Style.Period != 0;
    int phase = 0;
    if (styled) {
        const int64_t k = (StylePos + ia) % P.Style.Period;
        phase = static_cast<int>(k < 0 ? k + P.Style.Period : k);
    }
    TMinorStepper m(W, ia);
    if (!styled && P.Pen.Rop.IsCopy() && R.Format == pf32bit) {
        // Solid copy on 32-bit pixels: walk a pixel pointer.
        const int64_t maj = W.Maj0 + W.SMaj * ia, mn = W.Min0 + m.Q;
        const int x = static_cast<int>(W.XMajor ? maj : mn), y = static_cast<int>(W.XMajor ? mn : maj);
        uint32_t* p = reinterpret_cast<uint32_t*>(R.Row(y)) + (x + R.OX);
        const ptrdiff_t rowStep = R.Stride / 4;
        const ptrdiff_t majStep = W.XMajor ? W.SMaj : W.SMaj * rowStep, minStep = W.XMajor ? rowStep : 1;
        const uint32_t v = P.Pen.Value;
        int64_t rm = m.Rm;
        const int64_t step = m.Step, den = m.Den;
        for (int64_t i = ia; i < ib; ++i) {
            *p = v;
            p += majStep;
            rm += step;
            if (rm >= den)
                rm -= den, p += minStep;
            else if (rm < 0)
                rm += den, p -= minStep;
        }
        return;
    }
    Dispatch(R.Format, [&](auto px) {
        using Pix = decltype(px);
        const uint32_t pv = P.Pen.Value & Pix::Mask, gv = P.Gap.Value & Pix::Mask;
        int64_t maj = W.Maj0 + W.SMaj * ia;
        for (int64_t i = ia; i < ib; ++i, maj += W.SMaj) {
            const TPaint* paint = &P.Pen;
            uint32_t v = pv;
            if (styled) {
                const bool on = (P.Style.OnBits >> phase) & 1;
                if (++phase == P.Style.Period) phase = 0;
                if (!on) {
                    if (!P.OpaqueGaps) {
                        m.Next();
                        continue;
                    }
                    paint = &P.Gap;
                    v = gv;
                }
            }
            const int64_t mn = W.Min0 + m.Q;
            const int x = static_cast<int>(W.XMajor ? maj : mn), y = static_cast<int>(W.XMajor ? mn : maj);
            uint8_t* row = R.Row(y);
            const int sx = x + R.OX;
            Pix::Put(row, sx, paint->Rop.IsCopy() ? v : paint->Rop(v, Pix::Get(row, sx)) & Pix::Mask);
            m.Next();
        }
    });
}

void DrawWideLine(const TRaster& R, const TLineWalk& W, const TLinePaint& P, int64_t DX, int64_t DY) {
    int64_t t = P.Width;
    if (W.DMin != 0) {
        const double len = std::sqrt(static_cast<double>(DX) * DX + static_cast<double>(DY) * DY);
        t = std::llround(P.Width * len / static_cast<double>(W.N));
    }
    const int64_t a = (t - 1) / 2; // run covers minor - a ... minor - a + t - 1
    int64_t ia = 0, ib = W.N;
    if (W.XMajor)
        W.Clip(ia, ib, R.X0, R.X1, int64_t{R.Y0} - (t - 1 - a), int64_t{R.Y1} + a);
    else
        W.Clip(ia, ib, R.Y0, R.Y1, int64_t{R.X0} - (t - 1 - a), int64_t{R.X1} + a);
    if (ia >= ib) return;
    TMinorStepper m(W, ia);
    int64_t maj = W.Maj0 + W.SMaj * ia;
    for (int64_t i = ia; i < ib; ++i, maj += W.SMaj, m.Next()) {
        const int64_t lo = W.Min0 + m.Q - a, hi = lo + t;
        if (W.XMajor) {
            const int x = static_cast<int>(maj);
            const int y0 = ClampInt(std::max<int64_t>(lo, R.Y0)), y1 = ClampInt(std::min<int64_t>(hi, R.Y1));
            for (int y = y0; y < y1; ++y) PlotPixel(R, x, y, P.Pen);
        } else {
            FillSpan(R, static_cast<int>(maj), ClampInt(lo), ClampInt(hi), P.Pen);
        }
    }
}

} // namespace

void DrawLine(const TRaster& R, int X0, int Y0, int X1, int Y1, const TLinePaint& P, int& StylePos) {
    const TLineWalk w(X0, Y0, X1, Y1);
    if (w.N == 0) return;
    if (P.Width > 1) {
        DrawWideLine(R, w, P, int64_t{X1} - X0, int64_t{Y1} - Y0);
        return;
    }
    DrawThinLine(R, w, P, StylePos);
    if (P.Style.Period != 0) StylePos = static_cast<int>((StylePos + w.N) % P.Style.Period);
}

void ForEachLinePixel(int X0, int Y0, int X1, int Y1, int CX0, int CY0, int CX1, int CY1,
                      const std::function<void(int, int)>& Fn) {
    const TLineWalk w(X0, Y0, X1, Y1);
    if (w.N == 0) {
        if (X0 >= CX0 && X0 < CX1 && Y0 >= CY0 && Y0 < CY1) Fn(X0, Y0);
        return;
    }
    int64_t ia = 0, ib = w.N + 1;
    if (w.XMajor)
        w.Clip(ia, ib, CX0, CX1, CY0, CY1);
    else
        w.Clip(ia, ib, CY0, CY1, CX0, CX1);
    if (ia >= ib) return;
    TMinorStepper m(w, ia);
    int64_t maj = w.Maj0 + w.SMaj * ia;
    for (int64_t i = ia; i < ib; ++i, maj += w.SMaj, m.Next()) {
        const int64_t mn = w.Min0 + m.Q;
        Fn(static_cast<int>(w.XMajor ? maj : mn), static_cast<int>(w.XMajor ? mn : maj));
    }
}

void DrawPolyline(const TRaster& R, std::span<const TPoint> Pts, const TLinePaint& P, bool Closed) {
    if (Pts.empty()) return;
    int pos = 0;
    for (size_t i = 1; i < Pts.size(); ++i)
        DrawLine(R, Pts[i - 1].x, Pts[i - 1].y, Pts[i].x, Pts[i].y, P, pos);
    if (Closed && Pts.size() > 1) DrawLine(R, Pts.back().x, Pts.back().y, Pts[0].x, Pts[0].y, P, pos);
}

} // namespace qyx::gfx
