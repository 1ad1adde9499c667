// Surfaces and painting: canvas views of controls, invalid areas, WM_PAINT and composition.
#include "UiInternal.h"

#include <algorithm>

namespace qyx {

namespace {

TRect Intersect(const TRect& A, const TRect& B) {
    TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    if (r.IsEmpty()) return {};
    return r;
}

TRect Union(const TRect& A, const TRect& B) {
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}

TRect Offset(const TRect& R, TPoint P) {
    return {R.Left + P.x, R.Top + P.y, R.Right + P.x, R.Bottom + P.y};
}

bool Covers(const TRect& Outer, const TRect& Inner) {
    return Outer.Left <= Inner.Left && Outer.Top <= Inner.Top && Outer.Right >= Inner.Right &&
           Outer.Bottom >= Inner.Bottom;
}

/// Resets a holder's painting state however the paint ends.
struct TPaintScope {
    bool& Flag;
    ~TPaintScope() { Flag = false; }
};

/// The area of a control within its holder's surface (surface coordinates), clipped to the surface
/// and, during a paint, to the area being painted.
TRect ViewRect(const TControl* C, TControl* Holder, TPoint Off, bool Windowed, const TRect& PaintClip,
               bool Painting) {
    const TSize s = TUiInternal::SurfaceSize(Holder);
    const int w = Windowed ? C->GetClientWidth() : C->GetWidth();
    const int h = Windowed ? C->GetClientHeight() : C->GetHeight();
    TRect r = Intersect({Off.x, Off.y, Off.x + w, Off.y + h}, {0, 0, s.cx, s.cy});
    if (Painting) r = Intersect(r, PaintClip);
    return r;
}

} // namespace

// ---- Surfaces -------------------------------------------------------------------------------------

bool TUiInternal::IsHolder(const TControl* C) {
    return C->FWindowed || C->FParent == nullptr;
}

TControl* TUiInternal::HolderOf(const TControl* C, TPoint& Offset) {
    if (IsHolder(C)) {
        Offset = {0, 0};
        return const_cast<TControl*>(C);
    }
    Offset = {C->FLeft, C->FTop};
    return C->FParent;
}

TSize TUiInternal::SurfaceSize(const TControl* Holder) {
    if (Holder->FWindowed) return {Holder->GetClientWidth(), Holder->GetClientHeight()};
    return {Holder->FWidth, Holder->FHeight};
}

void TUiInternal::EnsureSurface(TControl* Holder) {
    const TSize s = SurfaceSize(Holder);
    if (!Holder->FSurface) {
        Holder->FSurface = std::make_unique<TBitmap>(s.cx, s.cy);
    } else if (Holder->FSurface->GetWidth() != s.cx || Holder->FSurface->GetHeight() != s.cy) {
        Holder->FSurface->SetSize(s.cx, s.cy);
    }
}

bool TControl::TDrawTarget::GetCanvasView(TCanvasView& View) {
    TPoint off;
    TControl* holder = TUiInternal::HolderOf(&FControl, off);
    const TSize s = TUiInternal::SurfaceSize(holder);
    if (s.cx <= 0 || s.cy <= 0) return false;
    TUiInternal::EnsureSurface(holder);
    View.Surface = holder->FSurface->GetSurface();
    View.Origin = off;
    View.Clip = ViewRect(&FControl, holder, off, FControl.FWindowed, holder->FPaintClip, holder->FPainting);
    return true;
}

void TControl::TDrawTarget::CanvasChanged() {
    TPoint off;
    TControl* holder = TUiInternal::HolderOf(&FControl, off);
    TUiInternal::SurfaceChanged(
        holder, ViewRect(&FControl, holder, off, FControl.FWindowed, holder->FPaintClip, holder->FPainting));
}

void TUiInternal::SurfaceChanged(TControl* Holder, const TRect& R) {
    if (R.IsEmpty()) return;
    // Find the top-level window and the holder's position in its client area.
    TPoint off{0, 0};
    TControl* c = Holder;
    while (c->FParent != nullptr) {
        off.x += c->FLeft;
        off.y += c->FTop;
        c = c->FParent;
    }
    if (!c->FWindowed) return;
    TWinControl* top = static_cast<TWinControl*>(c);
    if (top->FHost == nullptr) return;
    const TRect area = Intersect(Offset(R, off), top->GetClientRect());
    if (!area.IsEmpty()) top->FHost->SurfaceChanged(area);
}

// ---- Invalidation ---------------------------------------------------------------------------------

void TUiInternal::InvalidateHolder(TControl* Holder, const TRect& R) {
    if (Holder->IsDestroying()) return;
    const TSize s = SurfaceSize(Holder);
    const TRect r = Intersect(R, {0, 0, s.cx, s.cy});
    if (r.IsEmpty()) return;
    Holder->FInvalid = Union(Holder->FInvalid, r);
    RequestPaint(Holder);
}

void TControl::Invalidate() {
    if (FWindowed || FParent == nullptr) {
        const TSize s = TUiInternal::SurfaceSize(this);
        TUiInternal::InvalidateHolder(this, {0, 0, s.cx, s.cy});
    } else if (FVisible || IsDesigning()) {
        TUiInternal::InvalidateHolder(FParent, GetBoundsRect());
    }
}

void TControl::Update() {
    TPoint off;
    TUiInternal::PaintHolder(TUiInternal::HolderOf(this, off));
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TUiInternal::PaintHolder(TControl* Holder) {
    if (Holder->FInvalid.IsEmpty() || !Holder->GetShowing()) return;
    TRect r = Holder->FInvalid;
    Holder->FInvalid = {};
    CancelPaint(Holder);
    if (Holder->FWindowed) {
        Holder->Perform(WM_PAINT, 0, reinterpret_cast<intptr_t>(&r));
        return;
    }
    EnsureSurface(Holder);
    Holder->FPainting = true;
    Holder->FPaintClip = r;
    {
        TPaintScope scope{Holder->FPainting};
        PaintGraphic(Holder);
    }
    SurfaceChanged(Holder, r);
}

void TUiInternal::PaintGraphic(TControl* Graphic) {
    if (auto* g = dynamic_cast<TGraphicControl*>(Graphic)) g->Paint();
}

// ---- WM_PAINT and composition ---------------------------------------------------------------------

void TWinControl::WMPaint(TWMPaint& Message) {
    const TSize s = TUiInternal::SurfaceSize(this);
    const TRect r = Intersect(Message.Area, {0, 0, s.cx, s.cy});
    if (r.IsEmpty()) return;
    TUiInternal::EnsureSurface(this);
    FPainting = true;
    FPaintClip = r;
    {
        TPaintScope scope{FPainting};
        const auto paintable = [this](const TControl* c) {
            return !c->FWindowed &&
                   (c->FVisible || (IsDesigning() && !c->FControlStyle.Contains(csNoDesignVisible)));
        };
        // An opaque graphic child covering the whole area makes the parent's own painting useless.
        const bool covered = std::any_of(FControls.begin(), FControls.end(), [&](const TControl* c) {
            return paintable(c) && c->FControlStyle.Contains(csOpaque) && Covers(c->GetBoundsRect(), r);
        });
        if (!covered) {
            if (!GetControlStyle().Contains(csOpaque)) {
                TCanvas* sc = FSurface->GetCanvas();
                sc->GetBrush()->SetStyle(bsSolid);
                sc->GetBrush()->SetColor(GetColor());
                sc->FillRect(r);
            }
            PaintWindow();
        }
        const std::vector<TControl*> children = FControls;
        for (TControl* c : children) {
            if (!ContainsControl(c) || !paintable(c)) continue;
            if (Intersect(c->GetBoundsRect(), r).IsEmpty()) continue;
            TUiInternal::PaintGraphic(c);
        }
    }
    TUiInternal::SurfaceChanged(this, r);
}

namespace {

void Compose(TWinControl* W, TCanvas* Canvas, TPoint At, const TRect& Clip) {
    TUiInternal::EnsureSurface(W);
    TBitmap* surface = TUiInternal::Surface(W);
    const TRect own = Intersect({At.x, At.y, At.x + surface->GetWidth(), At.y + surface->GetHeight()}, Clip);
    if (own.IsEmpty()) return;
    Canvas->CopyRect(own, surface->GetCanvas(), Offset(own, {-At.x, -At.y}));
    for (int i = 0; i < W->GetControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(W->GetControls(i));
        if (child == nullptr || !child->GetVisible()) continue;
        const TPoint p{At.x + child->GetLeft(), At.y + child->GetTop()};
        Compose(child, Canvas, p,
                Intersect(own, {p.x, p.y, p.x + child->GetWidth(), p.y + child->GetHeight()}));
    }
}

} // namespace

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y) {
    if (Canvas == nullptr) return;
    const TCopyMode mode = Canvas->GetCopyMode();
    Canvas->SetCopyMode(cmSrcCopy);
    try {
        Compose(this, Canvas, {X, Y}, {X, Y, X + GetClientWidth(), Y + GetClientHeight()});
    } catch (...) {
        Canvas->SetCopyMode(mode);
        throw;
    }
    Canvas->SetCopyMode(mode);
}

} // namespace qyx
