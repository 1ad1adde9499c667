// Closed shapes: rectangles, ellipses, arcs and pies, polygons.
#include "RasterDraw.h"

#include <cmath>

namespace qyx::gfx {

namespace {

using u128 = unsigned __int128;

uint64_t ISqrt(u128 V) {
    uint64_t x = static_cast<uint64_t>(std::sqrt(static_cast<long double>(V)));
    while (x > 0 && static_cast<u128>(x) * x > V) --x;
    while (static_cast<u128>(x + 1) * (x + 1) <= V) ++x;
    return x;
}

/// An ellipse by its box [L, R) x [T, B): pixel (x, y) belongs to it when its centre lies inside or
/// on the ellipse inscribed in the box's outer edges. In doubled coordinates relative to the centre
/// (X2 = 2x + 1 - (L + R), Y2 likewise) that is X2^2 H^2 + Y2^2 W^2 <= W^2 H^2. Rows that would stay
/// empty get their middle pixel(s); the middle row(s) always span the box.
struct TEllipseBox {
    int64_t L = 0, T = 0, R = 0, B = 0, W = 0, H = 0;

    TEllipseBox(int64_t AL, int64_t AT, int64_t AR, int64_t AB)
        : L(AL), T(AT), R(AR), B(AB), W(AR - AL), H(AB - AT) {}
    bool Valid() const { return W > 0 && H > 0; }

    /// The pixels of row Y: Xl ... Xr.
    bool Row(int64_t Y, int64_t& Xl, int64_t& Xr) const {
        if (!Valid() || Y < T || Y >= B) return false;
        const int64_t y2 = 2 * Y + 1 - (T + B);
        int64_t m;
        if (W <= (int64_t{1} << 30) && H <= (int64_t{1} << 30)) {
            const u128 num = static_cast<u128>(W) * W * static_cast<u128>(H * H - y2 * y2);
            m = static_cast<int64_t>(ISqrt(num / (static_cast<u128>(H) * H)));
        } else {
            const long double f = static_cast<long double>(y2) / H;
            m = static_cast<int64_t>(std::floor(W * std::sqrt(std::max<long double>(0, 1 - f * f))));
        }
        if (((m ^ (W + 1)) & 1) != 0) --m; // X2 has the parity of W + 1
        // Every row keeps at least its middle pixel(s) and the middle row(s) span the whole box, so
        // that thin ellipses still touch all four sides of their box.
        if (m < 0) m = (W & 1) ? 0 : 1;
        if (y2 >= -1 && y2 <= 1) m = W - 1;
        Xl = (L + R - 1 - m) / 2;
        Xr = (L + R - 1 + m) / 2;
        return true;
    }
    /// The interior of row Y: pixels of the ellipse whose four neighbours all belong to it.
    bool Interior(int64_t Y, int64_t& A, int64_t& Bx) const {
        int64_t l0, r0, l1, r1, l2, r2;
        if (!Row(Y, l1, r1) || !Row(Y - 1, l0, r0) || !Row(Y + 1, l2, r2)) return false;
        A = std::max({l1 + 1, l0, l2});
        Bx = std::min({r1 - 1, r0, r2});
        return A <= Bx;
    }
};

/// Box normalised so that L <= R and T <= B.
struct TBox {
    int64_t L, T, R, B;
};
TBox Normalise(int X1, int Y1, int X2, int Y2) {
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

void Span(const TRaster& R, int64_t Y, int64_t X0, int64_t X1, const TPaint& P) {
    if (X0 < X1) FillSpan(R, static_cast<int>(Y), ClampInt(X0), ClampInt(X1), P);
}

/// Pen band of a shape outline: (Width - 1) div 2 outward (none for inside-frame pens).
void BandWidths(const TShapePaint& P, int64_t& Out, int64_t& In) {
    const int64_t w = std::max(1, P.Line.Width);
    Out = P.InsideFrame ? 0 : (w - 1) / 2;
    In = w - 1 - Out;
}

} // namespace

void DrawRectangle(const TRaster& R, int X1, int Y1, int X2, int Y2, const TShapePaint& P) {
    const TBox b = Normalise(X1, Y1, X2, Y2);
    if (b.L == b.R || b.T == b.B) return;
    if (!P.HasPen) {
        if (P.HasBrush)
            for (int64_t y = std::max<int64_t>(b.T, R.Y0); y < std::min<int64_t>(b.B, R.Y1); ++y)
                Span(R, y, b.L, b.R, P.Brush);
        return;
    }
    if (P.Line.Width <= 1 && P.Line.Style.Period != 0) {
        // Styled outline: a closed path of four lines; the pattern runs on around the corners.
        if (P.HasBrush)
            for (int64_t y = std::max<int64_t>(b.T + 1, R.Y0); y < std::min<int64_t>(b.B - 1, R.Y1); ++y)
                Span(R, y, b.L + 1, b.R - 1, P.Brush);
        const int l = static_cast<int>(b.L), t = static_cast<int>(b.T), r = static_cast<int>(b.R) - 1,
                  bt = static_cast<int>(b.B) - 1;
        int pos = 0;
        if (l == r) return DrawLine(R, l, t, l, bt + 1, P.Line, pos);
        if (t == bt) return DrawLine(R, l, t, r + 1, t, P.Line, pos);
        DrawLine(R, l, t, r, t, P.Line, pos);
        DrawLine(R, r, t, r, bt, P.Line, pos);
        DrawLine(R, r, bt, l, bt, P.Line, pos);
        DrawLine(R, l, bt, l, t, P.Line, pos);
        return;
    }
    int64_t o, in;
    BandWidths(P, o, in);
    const int64_t ox0 = b.L - o, ox1 = b.R + o, oy0 = b.T - o, oy1 = b.B + o;
    const int64_t ix0 = b.L + in + 1, ix1 = b.R - in - 1, iy0 = b.T + in + 1, iy1 = b.B - in - 1;
    const bool hollow = ix0 < ix1 && iy0 < iy1;
    for (int64_t y = std::max<int64_t>(oy0, R.Y0); y < std::min<int64_t>(oy1, R.Y1); ++y) {
        if (hollow && y >= iy0 && y < iy1) {
            Span(R, y, ox0, ix0, P.Line.Pen);
            Span(R, y, ix1, ox1, P.Line.Pen);
            if (P.HasBrush) Span(R, y, ix0, ix1, P.Brush);
        } else {
            Span(R, y, ox0, ox1, P.Line.Pen);
        }
    }
}

void DrawEllipse(const TRaster& R, int X1, int Y1, int X2, int Y2, const TShapePaint& P) {
    const TBox b = Normalise(X1, Y1, X2, Y2);
    const TEllipseBox box(b.L, b.T, b.R, b.B);
    if (!box.Valid()) return;
    if (!P.HasPen) {
        if (!P.HasBrush) return;
        for (int64_t y = std::max<int64_t>(b.T, R.Y0); y < std::min<int64_t>(b.B, R.Y1); ++y) {
            int64_t xl, xr;
            if (box.Row(y, xl, xr)) Span(R, y, xl, xr + 1, P.Brush);
        }
        return;
    }
    int64_t o, in;
    BandWidths(P, o, in);
    const TEllipseBox outer(b.L - o, b.T - o, b.R + o, b.B + o);
    const TEllipseBox inner(b.L + in, b.T + in, b.R - in, b.B - in);
    for (int64_t y = std::max<int64_t>(outer.T, R.Y0); y < std::min<int64_t>(outer.B, R.Y1); ++y) {
        int64_t xl, xr, il, ir;
        if (!outer.Row(y, xl, xr)) continue;
        if (inner.Interior(y, il, ir)) {
            Span(R, y, xl, il, P.Line.Pen);
            Span(R, y, ir + 1, xr + 1, P.Line.Pen);
            if (P.HasBrush) Span(R, y, il, ir + 1, P.Brush);
        } else {
            Span(R, y, xl, xr + 1, P.Line.Pen);
        }
    }
}

namespace {

using i128 = __int128;

/// A polygon edge from top (Ya) to bottom (Yb), stepping its crossing with row y:
/// x(y) = Xa + (y - Ya) * Dx / Den, kept as Q + Rm / Den with 0 <= Rm < Den.
struct TEdge {
    int64_t Ya, Yb, Xa, Dx, Den;
    int64_t Q = 0, Rm = 0, SQ = 0, SR = 0;
    void Start(int64_t Y) {
        const i128 num = static_cast<i128>(Xa) * Den + static_cast<i128>(Y - Ya) * Dx;
        const i128 q = FloorDiv128(num, Den);
        Q = static_cast<int64_t>(q);
        Rm = static_cast<int64_t>(num - q * Den);
        SQ = FloorDiv(Dx, Den);
        SR = Dx - SQ * Den;
    }
    int64_t Ceil() const { return Q + (Rm != 0 ? 1 : 0); }
    void Next() {
        Q += SQ;
        Rm += SR;
        if (Rm >= Den) Rm -= Den, ++Q;
    }
};

/// Even-odd scan of a polygon with pixel centres at the vertex coordinates: pixel x of row y is
/// inside when an odd number of crossings c satisfy c <= x, i.e. spans ceil(c0) ... ceil(c1) - 1.
/// Calls Fn(y, x0, x1) for each span of the rows Y0 ... Y1 - 1.
template <class Fn> void ScanPolygon(std::span<const TPoint> Pts, int64_t Y0, int64_t Y1, Fn&& fn) {
    std::vector<TEdge> edges;
    edges.reserve(Pts.size());
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (size_t i = 0; i < Pts.size(); ++i) {
        const TPoint a = Pts[i], c = Pts[(i + 1) % Pts.size()];
        if (a.y == c.y) continue;
        TEdge e{};
        const bool down = a.y < c.y;
        const TPoint& u = down ? a : c;
        const TPoint& v = down ? c : a;
        e.Ya = u.y, e.Yb = v.y, e.Xa = u.x, e.Dx = int64_t{v.x} - u.x, e.Den = int64_t{v.y} - u.y;
        top = std::min(top, e.Ya);
        bottom = std::max(bottom, e.Yb);
        edges.push_back(e);
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.Ya < b.Ya; });
    const int64_t y0 = std::max<int64_t>(top, Y0), y1 = std::min<int64_t>(bottom, Y1);
    std::vector<TEdge*> active;
    std::vector<int64_t> xs;
    size_t next = 0;
    for (int64_t y = y0; y < y1; ++y) {
        while (next < edges.size() && edges[next].Ya <= y) {
            if (edges[next].Yb > y) {
                edges[next].Start(y);
                active.push_back(&edges[next]);
            }
            ++next;
        }
        std::erase_if(active, [&](TEdge* e) { return e->Yb <= y; });
        xs.clear();
        for (TEdge* e : active) xs.push_back(e->Ceil());
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            if (xs[i] < xs[i + 1]) fn(y, xs[i], xs[i + 1]);
        for (TEdge* e : active) e->Next();
    }
}

void FillPolygon(const TRaster& R, std::span<const TPoint> Pts, const TPaint& P) {
    ScanPolygon(Pts, R.Y0, R.Y1, [&](int64_t Y, int64_t X0, int64_t X1) { Span(R, Y, X0, X1, P); });
}

} // namespace

namespace {

/// The counterclockwise (on screen) angular sector from ray V3 to ray V4, vectors in doubled
/// coordinates relative to the ellipse centre.
struct TSector {
    int64_t Ax, Ay, Bx, By;
    bool Full = false, Small = false;
    static i128 Ccw(i128 ax, i128 ay, i128 bx, i128 by) { return ay * bx - ax * by; }
    TSector(int64_t AX, int64_t AY, int64_t BX, int64_t BY) : Ax(AX), Ay(AY), Bx(BX), By(BY) {
        if (Ax == 0 && Ay == 0) Ax = 1;
        if (Bx == 0 && By == 0) Bx = 1;
        const i128 c = Ccw(Ax, Ay, Bx, By);
        const i128 dot = static_cast<i128>(Ax) * Bx + static_cast<i128>(Ay) * By;
        Full = c == 0 && dot > 0;
        Small = c > 0 || (c == 0 && dot < 0);
    }
    bool Contains(int64_t Px, int64_t Py) const {
        if (Full) return true;
        const bool a = Ccw(Ax, Ay, Px, Py) >= 0, b = Ccw(Px, Py, Bx, By) >= 0;
        return Small ? (a && b) : (a || b);
    }
};

/// The outline pixel where a ray from the box centre meets the ellipse through the centres of the
/// box's extreme pixels.
TPoint RayEnd(const TBox& b, int64_t Dx2, int64_t Dy2) {
    const long double cx = (b.L + b.R) / 2.0L, cy = (b.T + b.B) / 2.0L;
    const long double a = (b.R - b.L - 1) / 2.0L, bb = (b.B - b.T - 1) / 2.0L;
    const long double dx = Dx2 / 2.0L, dy = Dy2 / 2.0L;
    long double px = cx, py = cy;
    if (a > 0 && bb > 0) {
        const long double s = 1 / std::sqrt((dx / a) * (dx / a) + (dy / bb) * (dy / bb));
        px += s * dx, py += s * dy;
    } else if (a > 0) {
        px += dx > 0 ? a : dx < 0 ? -a : 0;
    } else if (bb > 0) {
        py += dy > 0 ? bb : dy < 0 ? -bb : 0;
    }
    return {ClampInt(static_cast<int64_t>(std::floor(px))), ClampInt(static_cast<int64_t>(std::floor(py)))};
}

} // namespace

void DrawArc(const TRaster& R, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
             const TShapePaint& P, bool Pie) {
    const TBox b = Normalise(X1, Y1, X2, Y2);
    if (b.L == b.R || b.T == b.B) return;
    if (!Pie && !P.HasPen) return;
    const int64_t cx2 = b.L + b.R, cy2 = b.T + b.B;
    const TSector sector(2 * int64_t{X3} + 1 - cx2, 2 * int64_t{Y3} + 1 - cy2, 2 * int64_t{X4} + 1 - cx2,
                         2 * int64_t{Y4} + 1 - cy2);
    auto inSector = [&](int64_t x, int64_t y) { return sector.Contains(2 * x + 1 - cx2, 2 * y + 1 - cy2); };

    int64_t o = 0, in = 0;
    if (P.HasPen) BandWidths(P, o, in);
    const TEllipseBox outer(b.L - o, b.T - o, b.R + o, b.B + o);
    const TEllipseBox inner(b.L + in, b.T + in, b.R - in, b.B - in);
    const int64_t y0 = std::max<int64_t>(outer.T, R.Y0), y1 = std::min<int64_t>(outer.B, R.Y1);
    if (y0 >= y1) return;

    // Outline runs [x0, x1) per visible row: the ring within the sector, plus both radii of a pie.
    std::vector<std::vector<std::pair<int64_t, int64_t>>> outline(static_cast<size_t>(y1 - y0));
    auto addRun = [&](int64_t y, int64_t x0, int64_t x1) {
        x0 = std::max<int64_t>(x0, R.X0), x1 = std::min<int64_t>(x1, R.X1);
        if (y >= y0 && y < y1 && x0 < x1) outline[static_cast<size_t>(y - y0)].emplace_back(x0, x1);
    };
    if (Pie) {
        const TPoint c{ClampInt(FloorDiv(cx2, 2)), ClampInt(FloorDiv(cy2, 2))};
        const int w = std::max(1, P.HasPen ? P.Line.Width : 1);
        for (const TPoint e : {RayEnd(b, sector.Ax, sector.Ay), RayEnd(b, sector.Bx, sector.By)}) {
            ForEachLinePixel(c.x, c.y, e.x, e.y, R.X0, static_cast<int>(y0), R.X1, static_cast<int>(y1),
                             [&](int x, int y) { addRun(y, x, int64_t{x} + 1); });
            if (w > 1) {
                // A wide radius: the band of Width pixels around the segment.
                const double dx = double(e.x) - c.x, dy = double(e.y) - c.y, len = std::hypot(dx, dy);
                const double nx = len > 0 ? -dy / len * w / 2 : w / 2.0, ny = len > 0 ? dx / len * w / 2 : 0;
                auto pt = [](double X, double Y) {
                    return TPoint{ClampInt(std::llround(X)), ClampInt(std::llround(Y))};
                };
                const TPoint band[] = {pt(c.x + nx, c.y + ny), pt(e.x + nx, e.y + ny), pt(e.x - nx, e.y - ny),
                                       pt(c.x - nx, c.y - ny)};
                ScanPolygon(band, y0, y1, addRun);
            }
        }
    }
    for (int64_t y = y0; y < y1; ++y) {
        int64_t xl, xr, il = 0, ir = -1;
        if (!outer.Row(y, xl, xr)) continue;
        if (!inner.Interior(y, il, ir)) il = xr + 1, ir = xr;
        auto& runs = outline[static_cast<size_t>(y - y0)];
        const int64_t cl = std::max<int64_t>(xl, R.X0), cr = std::min<int64_t>(xr, int64_t{R.X1} - 1);
        for (int64_t x = cl; x <= cr; ++x) {
            if (x >= il && x <= ir) {
                x = ir; // skip the interior
                continue;
            }
            if (inSector(x, y)) addRun(y, x, x + 1);
        }
        // Merge the runs so that every outline pixel is painted once.
        std::sort(runs.begin(), runs.end());
        std::vector<std::pair<int64_t, int64_t>> merged;
        for (const auto& r : runs) {
            if (!merged.empty() && r.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, r.second);
            else
                merged.push_back(r);
        }
        if (Pie && P.HasBrush) {
            const int64_t fl = std::max<int64_t>(il, R.X0), fr = std::min<int64_t>(ir, int64_t{R.X1} - 1);
            auto it = merged.begin();
            for (int64_t x = fl; x <= fr; ++x) {
                while (it != merged.end() && it->second <= x) ++it;
                if (it != merged.end() && it->first <= x) {
                    x = it->second - 1; // skip the outline run
                    continue;
                }
                if (inSector(x, y)) PlotPixel(R, static_cast<int>(x), static_cast<int>(y), P.Brush);
            }
        }
        const TPaint& pen = P.HasPen ? P.Line.Pen : P.Brush;
        for (const auto& r : merged) Span(R, y, r.first, r.second, pen);
    }
}

void DrawPolygon(const TRaster& R, std::span<const TPoint> Pts, const TShapePaint& P) {
    if (Pts.size() < 2) return;
    if (P.HasBrush && Pts.size() >= 3) FillPolygon(R, Pts, P.Brush);
    if (P.HasPen) {
        DrawPolyline(R, Pts, P.Line, true);
    } else if (P.HasBrush) {
        TLinePaint edge;
        edge.Pen = P.Brush;
        DrawPolyline(R, Pts, edge, true);
    }
}

} // namespace qyx::gfx
