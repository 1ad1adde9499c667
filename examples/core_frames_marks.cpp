// The drawing helpers of qyxcore on one sheet: the five frame styles, all 48 marks (actual size and
// magnified), character marks, text labels in their display modes, and the colour utilities.
// Writes core_frames_marks.png into the current directory and prints its path.
#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_qyxcolors.h>
#include <qyx/platform/Bitmap.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace qyx;

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 800;

void Heading(TCanvas* C, int X, int Y, const std::string& Text) {
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(10);
    C->GetFont()->SetStyle({fsBold});
    C->GetFont()->SetColor(clNavy);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(X, Y, Text);
    C->GetFont()->SetStyle({});
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsSolid);
}

// Small text with a transparent background, centred on X when Centre is set.
void Note(TCanvas* C, int X, int Y, const std::string& Text, bool Centre = false) {
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(8);
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(Centre ? X - C->TextWidth(Text) / 2 : X, Y, Text);
    C->GetBrush()->SetStyle(bsSolid);
}

void Frames(TCanvas* C) {
    Heading(C, 20, 44, "Frame styles");
    for (int s = fsNone; s <= fsEngraved; ++s) {
        const int x = 20 + 153 * s, y = 68;
        C->GetBrush()->SetColor(clBtnFace);
        C->FillRect(Rect(x, y, x + 140, y + 70));
        DrawFrame(C, static_cast<TFrameStyle>(s), x, y, x + 139, y + 69, clWhite, clSilver, clGray, clBlack,
                  clNavy);
        Note(C, x + 70, y + 28, xmlFrameStyle[s], true);
    }
}

void Marks(TCanvas* C) {
    Heading(C, 20, 160, "Marks 0 ... 47: actual size, and as bitmaps magnified four times");
    for (int m = 0; m <= 47; ++m) {
        const int col = m % 12, row = m / 12;
        const int left = 20 + 77 * col, top = 184 + 92 * row, cx = left + 38;
        C->GetPen()->SetColor(clSilver);
        DrawRectangle(C, left, top, left + 72, top + 86);
        Note(C, left + 4, top + 2, std::to_string(m));
        C->GetPen()->SetColor(clMaroon);
        DrawMarkOnCanvas(C, static_cast<uint8_t>(m), cx + 12, top + 14);
        // The mark as its own bitmap (a margin of two pixels), each pixel shown as 4 x 4.
        auto bmp = CreateMarkAsBitmap(static_cast<uint8_t>(m), clNavy, RGB(255, 250, 225), 2);
        const int side = bmp->GetWidth() * 4;
        C->StretchDraw(Bounds(cx - side / 2, top + 30, side, side), bmp.get());
    }
}

void CharacterMarks(TCanvas* C) {
    Heading(C, 20, 560, "Character marks (codes 48 ... 255)");
    const uint8_t chars[] = {'A', 'x', '@', 'Q', '?', 0xA7, 0xB5, 0xE9}; // codes from 48 up
    for (int i = 0; i < 8; ++i) {
        const int cx = 40 + 42 * i, cy = 610;
        C->GetPen()->SetColor(clSilver);
        C->MoveTo(cx - 14, cy), C->LineTo(cx + 15, cy);
        C->MoveTo(cx, cy - 14), C->LineTo(cx, cy + 15);
        C->GetFont()->SetName("Times New Roman");
        C->GetFont()->SetSize(16);
        C->GetFont()->SetColor(clTeal);
        C->GetBrush()->SetStyle(bsClear); // the crosshair shows through the text cell
        DrawMarkOnCanvas(C, chars[i], cx, cy);
        C->GetBrush()->SetStyle(bsSolid);
    }
    Note(C, 20, 636, "each character centred on its crosshair with the canvas font");
}

// Draws a text label the way a control that owns one would.
void PaintLabel(TCanvas* C, const TCustomTextLabel& L) {
    if (!L.GetVisible() || L.GetMode() == tlOff) return;
    C->SetFont(L.GetFont());
    const int w = C->TextWidth(L.GetCaption()), h = C->TextHeight(L.GetCaption());
    const int px = static_cast<int>(L.GetPosX()), py = static_cast<int>(L.GetPosY());
    const int x = L.GetAlignment() == taLeftJustify    ? px
                  : L.GetAlignment() == taRightJustify ? px - w
                                                       : px - w / 2;
    const int y = L.GetVertAlignment() == vaTop ? py : L.GetVertAlignment() == vaCenter ? py - h / 2 : py - h;
    const TRect box = Rect(x - 5, y - 2, x + w + 5, y + h + 2);
    if (L.GetMode() == tlShadow) {
        C->GetBrush()->SetColor(L.GetColorShadow());
        C->FillRect(Rect(box.Left + L.GetShadowDx(), box.Top + L.GetShadowDy(), box.Right + L.GetShadowDx(),
                         box.Bottom + L.GetShadowDy()));
    }
    if (L.GetMode() == tlBox || L.GetMode() == tlShadow) {
        C->GetPen()->SetColor(L.GetColorBrd());
        C->GetBrush()->SetColor(L.GetColorBkg());
        C->GetBrush()->SetStyle(L.GetTransparent() ? bsClear : bsSolid);
        C->Rectangle(box);
    }
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(x, y, L.GetCaption());
    if (L.GetMode() == tlUnderline) {
        C->GetPen()->SetColor(L.GetColorBrd());
        C->MoveTo(x, y + h), C->LineTo(x + w, y + h);
    }
    C->GetBrush()->SetStyle(bsSolid);
}

void TextLabels(TCanvas* C) {
    Heading(C, 400, 560, "Text labels in their display modes");
    struct TLabelSample {
        TTxtLblMode Mode;
        const char* Caption;
        TColor Bkg;
        TFontStyles Style;
    };
    const TLabelSample samples[] = {{tlsimple, "tlsimple: plain text", clWhite, {}},
                          {tlBox, "tlBox: boxed", RGB(255, 240, 200), {fsBold}},
                          {tlUnderline, "tlUnderline", clWhite, {fsItalic}},
                          {tlShadow, "tlShadow: with a shadow", RGB(210, 230, 255), {fsBold}}};
    for (int i = 0; i < 4; ++i) {
        TCustomTextLabel label;
        label.SetMode(samples[i].Mode);
        label.SetCaption(samples[i].Caption);
        label.SetColorBkg(samples[i].Bkg);
        label.SetColorBrd(clNavy);
        label.SetShadowDx(4);
        label.SetShadowDy(4);
        TFont font;
        font.SetName("Arial");
        font.SetSize(11);
        font.SetStyle(samples[i].Style);
        font.SetColor(clBlack);
        label.SetFont(&font);
        label.SetAlignment(taLeftJustify);
        label.SetPosX(410 + 270 * (i % 2));
        label.SetPosY(612 + 48 * (i / 2));
        PaintLabel(C, label);
    }
}

void Colours(TCanvas* C) {
    Heading(C, 20, 660, "Colours: hue circle (HSItoRGB), three-colour ramp, predefined colours");
    for (int x = 0; x < 440; ++x) {
        int r, g, b;
        HSItoRGB(x * 360.0 / 440, 1, 1, r, g, b);
        C->GetPen()->SetColor(RGB(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)));
        C->MoveTo(20 + x, 686), C->LineTo(20 + x, 710);
        C->GetPen()->SetColor(Interpolate3Colors(clNavy, clWhite, clMaroon, x / 439.0));
        C->MoveTo(20 + x, 716), C->LineTo(20 + x, 740);
    }
    for (int i = 1; i <= 47; ++i) {
        const int x = 480 + ((i - 1) % 24) * 19, y = 686 + ((i - 1) / 24) * 28;
        C->GetPen()->SetColor(clBlack);
        C->GetBrush()->SetColor(PredefinedColors[i] == clNone ? clWhite : PredefinedColors[i]);
        C->Rectangle(x, y, x + 16, y + 22);
        if (PredefinedColors[i] == clNone) C->MoveTo(x, y), C->LineTo(x + 16, y + 22);
    }
    C->GetBrush()->SetColor(clWhite);
}

} // namespace

int main() {
    TBitmap sheet(kWidth, kHeight);
    TCanvas* c = sheet.GetCanvas();
    c->GetBrush()->SetColor(RGB(250, 250, 247));
    c->FillRect(Rect(0, 0, kWidth, kHeight));
    c->GetFont()->SetName("Arial");
    c->GetFont()->SetSize(14);
    c->GetFont()->SetStyle({fsBold});
    c->GetBrush()->SetStyle(bsClear);
    c->TextOut(20, 10, "qyxcore: frames, marks, text labels and colours");
    c->GetBrush()->SetStyle(bsSolid);

    Frames(c);
    Marks(c);
    CharacterMarks(c);
    TextLabels(c);
    Colours(c);
    DrawFrame(c, fsRaised, 0, 0, kWidth - 1, kHeight - 1, clWhite, clSilver, clGray, clBlack, clBlack);

    const std::string path = std::filesystem::absolute("core_frames_marks.png").string();
    sheet.SaveToFile(path);
    std::printf("%s\n", path.c_str());
    return 0;
}
