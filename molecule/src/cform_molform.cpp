// TMolForm: the formula control's display settings, copying and painting.
#include <qyx/QYX_cform.h>

#include <algorithm>
#include <cmath>

#include <qyx/QYX_CData.h>

namespace qyx {

TMolForm::TMolForm(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 120, 28);
}

void TMolForm::SetColorTxt(TColor Value) {
    FColorTxt = Value;
    Paint();
}

void TMolForm::SetColorBkg(TColor Value) {
    FColorBkg = Value;
    Paint();
}

void TMolForm::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    ShowIt();
}

void TMolForm::SetIsotopeVis(TIsotVisib Value) {
    FIsotopeVis = Value;
    ShowIt();
}

void TMolForm::SetUseDeuterium(bool Value) {
    FUseDeuterium = Value;
    ShowIt();
}

void TMolForm::SetShowAsText(bool Value) {
    FShowAsText = Value;
    ShowIt();
}

void TMolForm::SetTransparent(bool Value) {
    FTransparent = Value;
    ShowIt();
}

void TMolForm::ShowIt() {
    if (FTransparent)
        Invalidate();
    else
        Paint();
}

void TMolForm::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TMolForm*>(Source);
    if (src == nullptr) {
        TGraphicControl::Assign(Source);
        return;
    }
    if (src == this) return;
    FAlignment = src->FAlignment;
    FColorTxt = src->FColorTxt;
    FColorBkg = src->FColorBkg;
    FUseDeuterium = src->FUseDeuterium;
    FShowAsText = src->FShowAsText;
    FTransparent = src->FTransparent;
    FIsotopeVis = src->FIsotopeVis;
    // The formula, its text, the search counts, target, tolerance and both limit records.
    static_cast<TMolFormula&>(*this) = static_cast<const TMolFormula&>(*src);
    ShowIt();
}

void TMolForm::AssignTo(TPersistent* Dest) const {
    if (auto* dest = dynamic_cast<TMolForm*>(Dest))
        dest->Assign(this);
    else
        TGraphicControl::AssignTo(Dest);
}

namespace {

// The wide image (glyphs in the text colour) and the mask (glyphs in black on white) receive every
// text at the same place.
struct TFormulaPen {
    TCanvas* Wide;
    TCanvas* Mask;
    const TFont* Normal;
    const TFont* Small;
    TColor Ink;

    // Draws Text at (X, Y) in the normal or the small font and returns its width.
    int Text(int X, int Y, const std::string& Text, bool UseSmall) const {
        const TFont* font = UseSmall ? Small : Normal;
        Wide->SetFont(font);
        Wide->GetFont()->SetColor(Ink);
        Mask->SetFont(font);
        Mask->GetFont()->SetColor(clBlack);
        Wide->TextOut(X, Y, Text);
        Mask->TextOut(X, Y, Text);
        return Wide->TextWidth(Text);
    }
};

} // namespace

void TMolForm::Paint() {
    if (!GetVisible() && !IsDesigning()) return;

    TFont small;
    small.Assign(GetFont());
    const int smallSize = static_cast<int>(std::nearbyint(GetFont()->GetSize() * 0.8)) + 1;
    small.SetSize(smallSize);

    // 1. The height follows the small font: twice the line height of "M".
    TBitmap wide;
    wide.GetCanvas()->SetFont(&small);
    SetHeight(2 * wide.GetCanvas()->TextHeight("M"));
    const int w = GetWidth(), h = GetHeight();

    // 2. The image and the wide image on the background (black when transparent, so the glyphs can
    // be ORed onto the parent), the mask white.
    const TColor bkg = FTransparent ? clBlack : FColorBkg;
    TBitmap image(w, h);
    wide.SetSize(2 * w, h);
    TBitmap mask(2 * w, h);
    for (TBitmap* b : {&image, &wide}) {
        b->GetCanvas()->GetBrush()->SetColor(bkg);
        b->GetCanvas()->FillRect({0, 0, b->GetWidth(), h});
    }
    mask.GetCanvas()->GetBrush()->SetColor(clWhite);
    mask.GetCanvas()->FillRect({0, 0, 2 * w, h});
    for (TBitmap* b : {&wide, &mask}) b->GetCanvas()->GetBrush()->SetStyle(bsClear);

    // 3. The formula from x = 1: mass numbers raised, symbols at a fifth of the height, counts
    // lowered.
    const TFormulaPen pen{wide.GetCanvas(), mask.GetCanvas(), GetFont(), &small, FColorTxt};
    int x = 1;
    if (FShowAsText) {
        x += pen.Text(x, h / 5, FFormulaText, false);
    } else {
        for (int i = 1; i <= FFormula.NumAtoms; ++i) {
            const int z = FFormula.AtNum[i], mass = FFormula.AtWgt[i], count = FFormula.AtCnt[i];
            if (count < 1 || z < 1 || z > 103) continue;
            const bool deuterium = FUseDeuterium && z == 1 && mass == 2;
            if (!deuterium &&
                (FIsotopeVis == ivAlways || (FIsotopeVis == ivSpecial && mass != IntAtWeight(z))))
                x += pen.Text(x, 0, std::to_string(mass), true);
            x += pen.Text(x, h / 5, deuterium ? std::string("D") : CElemSymb(z), false);
            if (count > 1) x += pen.Text(x, h / 4 + smallSize, std::to_string(count), true);
        }
    }
    // Nothing lies beyond the wide image.
    x = std::min(x, 2 * w);

    // 4. The drawn part (from column 1 to x) placed on the image. When it is wider than the control,
    // right alignment shows its end and centring its middle. Source and destination have the same
    // width, so the glyphs are copied, never stretched.
    TRect src{1, 1, x, h};
    if (FAlignment == taRightJustify && x > w) {
        src.Left = x - w;
    } else if (FAlignment == taCenter && x > w) {
        src = {(x - w) / 2, 1, (x - w) / 2 + w, h};
    }
    const int srcWidth = std::max(0, src.Right - src.Left);
    TRect dst{1, 1, 1 + srcWidth, h};
    if (FAlignment == taRightJustify) {
        dst = {w - srcWidth, 1, w, h};
    } else if (FAlignment == taCenter) {
        const int left = x > w ? 0 : (w - x) / 2;
        dst = {left, 1, left + srcWidth, h};
    }
    image.GetCanvas()->CopyRect(dst, wide.GetCanvas(), src);

    // 5. Onto the control: a plain copy, or the mask ANDed and the glyphs ORed over the parent.
    TCanvas* canvas = GetCanvas();
    if (!FTransparent) {
        canvas->SetCopyMode(cmSrcCopy);
        canvas->Draw(0, 0, &image);
    } else {
        canvas->SetCopyMode(cmSrcAnd);
        canvas->CopyRect(dst, mask.GetCanvas(), src);
        canvas->SetCopyMode(cmSrcPaint);
        canvas->Draw(0, 0, &image);
        canvas->SetCopyMode(cmSrcCopy);
    }
}

} // namespace qyx
