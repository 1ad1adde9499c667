// qyxcore tiles: frames, the 48 marks, text labels and colours, each as a live control.
#include "Gallery.h"
#include "Sheet.h"

#include <qyx/QYX_qyxbase.h>
#include <qyx/QYX_qyxcolors.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace qyxgallery {

using namespace qyx;

namespace {

// ---- Frames ---------------------------------------------------------------------------------------

/// The six frame styles on button-face boxes; a click presses a box (its light and dark colours swap).
class TFrameSampler : public TSheet {
public:
    TFrameSampler() : TSheet(492, 200) {}

protected:
    void Draw(TCanvas* C) override {
        Text(C, 12, 8, "DrawFrame: the six frame styles (click a box to press it)", 10, clNavy, true);
        for (int s = fsNone; s <= fsEngraved; ++s) {
            const TRect r = Box(s);
            C->GetBrush()->SetColor(clBtnFace);
            C->FillRect(r);
            const bool down = FPressed[s];
            DrawFrame(C, static_cast<TFrameStyle>(s), r.Left, r.Top, r.Right - 1, r.Bottom - 1,
                      down ? clBlack : clWhite, down ? clGray : clSilver, down ? clSilver : clGray,
                      down ? clWhite : clBlack, clNavy);
            Text(C, (r.Left + r.Right) / 2, r.Top + 26, xmlFrameStyle[s], 9, down ? clMaroon : clBlack, down,
                 true);
        }
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TSheet::MouseDown(Button, Shift, X, Y);
        for (int s = fsNone; s <= fsEngraved; ++s)
            if (Button == mbLeft && Box(s).Contains({X, Y})) {
                FPressed[s] = !FPressed[s];
                Invalidate();
            }
    }

private:
    static TRect Box(int S) {
        const int x = 12 + 160 * (S % 3), y = 36 + 80 * (S / 3);
        return {x, y, x + 148, y + 70};
    }
    bool FPressed[fsEngraved + 1] = {};
};

// ---- Marks ----------------------------------------------------------------------------------------

/// The 48 marks at actual size; the mark under the pointer (or chosen with the arrow keys) is shown
/// magnified. A click changes the mark colour, the wheel the magnification.
class TMarkBrowser : public TSheet {
public:
    TMarkBrowser() : TSheet(700, 230) { SetTabStop(true); }
    void Select(int Mark) {
        if (Mark < 0 || Mark > 47 || Mark == FSelected) return;
        FSelected = Mark;
        Invalidate();
    }

protected:
    void Draw(TCanvas* C) override {
        static const TColor colours[] = {clMaroon, clNavy, clGreen, clBlack, clPurple};
        const TColor ink = colours[FColour % 5];
        Text(C, 12, 8, "DrawMarkOnCanvas: marks 0 ... 47 (point at one; click: colour; wheel: zoom)", 10,
             clNavy, true);
        for (int m = 0; m <= 47; ++m) {
            const TRect r = Cell(m);
            C->GetBrush()->SetColor(m == FSelected ? RGB(255, 240, 190) : clWhite);
            C->GetPen()->SetColor(m == FSelected ? clMaroon : clSilver);
            C->Rectangle(r);
            Text(C, r.Left + 3, r.Top + 1, std::to_string(m), 7, clGray);
            C->GetPen()->SetColor(ink);
            DrawMarkOnCanvas(C, static_cast<uint8_t>(m), r.Left + 22, r.Top + 26);
        }
        // The selected mark as a bitmap, magnified.
        auto bmp = CreateMarkAsBitmap(static_cast<uint8_t>(FSelected), ink, RGB(255, 250, 225), 2);
        const int side = bmp->GetWidth() * FZoom;
        const int cx = 610, cy = 120;
        C->StretchDraw({cx - side / 2, cy - side / 2, cx - side / 2 + side, cy - side / 2 + side}, bmp.get());
        Text(C, cx, 40, "mark " + std::to_string(FSelected), 11, clBlack, true, true);
        Text(C, cx, 200, "x" + std::to_string(FZoom), 9, clGray, false, true);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        TSheet::MouseMove(Shift, X, Y);
        for (int m = 0; m <= 47; ++m)
            if (Cell(m).Contains({X, Y})) Select(m);
    }
    void Click() override {
        TSheet::Click();
        SetFocus();
        ++FColour;
        Invalidate();
    }
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override {
        FZoom = std::clamp(FZoom + (WheelDelta > 0 ? 1 : -1), 2, 10);
        Invalidate();
        TSheet::DoMouseWheel(Shift, WheelDelta, MousePos);
        return true;
    }
    void KeyDown(uint16_t& Key, TShiftState Shift) override {
        TSheet::KeyDown(Key, Shift);
        if (Key == VK_LEFT) Select(FSelected - 1);
        if (Key == VK_RIGHT) Select(FSelected + 1);
        if (Key == VK_UP) Select(FSelected - 12);
        if (Key == VK_DOWN) Select(FSelected + 12);
    }
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }

private:
    static TRect Cell(int M) {
        const int x = 12 + 44 * (M % 12), y = 36 + 46 * (M / 12);
        return {x, y, x + 42, y + 44};
    }
    int FSelected = 0;
    int FColour = 0;
    int FZoom = 6;
};

// ---- Text labels ----------------------------------------------------------------------------------

/// Four text labels in their display modes. Click a label to select it, type to extend its caption
/// (Backspace removes), Enter to step its mode.
class TLabelSampler : public TSheet {
public:
    TLabelSampler() : TSheet(560, 170) {
        SetTabStop(true);
        const TTxtLblMode modes[] = {tlsimple, tlBox, tlUnderline, tlShadow};
        const char* captions[] = {"plain text", "boxed", "underlined", "with a shadow"};
        const TColor bkg[] = {clWhite, RGB(255, 240, 200), clWhite, RGB(210, 230, 255)};
        for (int i = 0; i < 4; ++i) {
            auto& l = FLabels[i];
            l = std::make_unique<TCustomTextLabel>();
            l->SetMode(modes[i]);
            l->SetCaption(captions[i]);
            l->SetColorBkg(bkg[i]);
            l->SetColorBrd(clNavy);
            l->SetShadowDx(4);
            l->SetShadowDy(4);
            TFont font;
            font.SetName(i == 2 ? "Times New Roman" : "Arial");
            font.SetSize(12);
            font.SetStyle(i == 1 || i == 3 ? TFontStyles{fsBold} : TFontStyles{});
            l->SetFont(&font);
            l->SetAlignment(taLeftJustify);
            l->SetVertAlignment(vaTop);
            l->SetPosX(24 + 270 * (i % 2));
            l->SetPosY(56 + 56 * (i / 2));
        }
    }
    void SelectLabel(int Index) {
        FSelected = Index;
        Invalidate();
    }

protected:
    void Draw(TCanvas* C) override {
        Text(C, 12, 8, "TCustomTextLabel in its modes (click one, type, Enter: next mode)", 10, clNavy, true);
        for (int i = 0; i < 4; ++i) {
            const TRect box = PaintLabel(C, *FLabels[i]);
            FBoxes[i] = box;
            if (i == FSelected) {
                C->GetPen()->SetColor(clMaroon);
                DrawRectangle(C, box.Left - 3, box.Top - 3, box.Right + 3, box.Bottom + 3);
            }
        }
        static const char* names[] = {"tlOff", "tlsimple", "tlBox", "tlUnderline", "tlShadow"};
        for (int i = 0; i < 4; ++i)
            Text(C, static_cast<int>(FLabels[i]->GetPosX()), static_cast<int>(FLabels[i]->GetPosY()) - 18,
                 names[FLabels[i]->GetMode()], 7, clGray);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TSheet::MouseDown(Button, Shift, X, Y);
        SetFocus();
        for (int i = 0; i < 4; ++i)
            if (FBoxes[i].Contains({X, Y})) SelectLabel(i);
    }
    void KeyPress(char& Key) override {
        TSheet::KeyPress(Key);
        if (FSelected < 0) return;
        auto& l = *FLabels[FSelected];
        const auto k = static_cast<unsigned char>(Key);
        if (Key == '\r') {
            l.SetMode(static_cast<TTxtLblMode>(l.GetMode() % 4 + 1));
        } else if (Key == '\b') {
            std::string s = l.GetCaption();
            if (!s.empty()) s.pop_back();
            l.SetCaption(s);
        } else if (k >= 32) {
            l.SetCaption(l.GetCaption() + Key);
        }
        Invalidate();
    }

private:
    /// Draws a label as a control that owns one would; returns its box.
    static TRect PaintLabel(TCanvas* C, const TCustomTextLabel& L) {
        C->SetFont(L.GetFont());
        const std::string text = L.GetCaption().empty() ? " " : L.GetCaption();
        const int w = C->TextWidth(text), h = C->TextHeight(text);
        const int x = static_cast<int>(L.GetPosX()), y = static_cast<int>(L.GetPosY());
        const TRect box{x - 5, y - 2, x + w + 5, y + h + 2};
        if (!L.GetVisible() || L.GetMode() == tlOff) return box;
        if (L.GetMode() == tlShadow) {
            C->GetBrush()->SetColor(L.GetColorShadow());
            C->FillRect({box.Left + L.GetShadowDx(), box.Top + L.GetShadowDy(), box.Right + L.GetShadowDx(),
                         box.Bottom + L.GetShadowDy()});
        }
        if (L.GetMode() == tlBox || L.GetMode() == tlShadow) {
            C->GetPen()->SetColor(L.GetColorBrd());
            C->GetBrush()->SetColor(L.GetColorBkg());
            C->Rectangle(box);
        }
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(x, y, text);
        C->GetBrush()->SetStyle(bsSolid);
        if (L.GetMode() == tlUnderline) {
            C->GetPen()->SetColor(L.GetColorBrd());
            C->MoveTo(x, y + h);
            C->LineTo(x + w, y + h);
        }
        return box;
    }
    std::unique_ptr<TCustomTextLabel> FLabels[4];
    TRect FBoxes[4];
    int FSelected = -1;
};

// ---- Colours --------------------------------------------------------------------------------------

/// The hue band, a three-colour ramp and the predefined colours; pointing at a colour names its value.
class TColourSheet : public TSheet {
public:
    TColourSheet() : TSheet(560, 190) {}
    void Point(int X, int Y) {
        FPointer = {X, Y};
        Invalidate();
    }

protected:
    void Draw(TCanvas* C) override {
        Text(C, 12, 8, "Colours: HSItoRGB hue band, Interpolate3Colors ramp, PredefinedColors", 10, clNavy,
             true);
        for (int x = 0; x < 520; ++x) {
            int r = 0, g = 0, b = 0;
            HSItoRGB(x * 360.0 / 520, 1, 1, r, g, b);
            C->GetPen()->SetColor(
                RGB(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)));
            C->MoveTo(20 + x, 34), C->LineTo(20 + x, 64);
            C->GetPen()->SetColor(Interpolate3Colors(clNavy, clWhite, clMaroon, x / 519.0));
            C->MoveTo(20 + x, 70), C->LineTo(20 + x, 100);
        }
        for (int i = 1; i <= 47; ++i) {
            const TRect r = Swatch(i);
            C->GetPen()->SetColor(clBlack);
            C->GetBrush()->SetColor(PredefinedColors[i] == clNone ? clWhite : PredefinedColors[i]);
            C->Rectangle(r);
            if (PredefinedColors[i] == clNone) C->MoveTo(r.Left, r.Top), C->LineTo(r.Right, r.Bottom);
        }
        // The value under the pointer.
        TColor under = clNone;
        if (FPointer.x >= 20 && FPointer.x < 540 && FPointer.y >= 34 && FPointer.y < 100)
            under = C->GetPixels(FPointer.x, FPointer.y);
        for (int i = 1; i <= 47; ++i)
            if (Swatch(i).Contains(FPointer)) under = PredefinedColors[i];
        if (under != clNone) {
            char buf[64];
            const TColor rgb = ColorToRGB(under);
            std::snprintf(buf, sizeof buf, "RGB(%d, %d, %d)", rgb & 0xFF, (rgb >> 8) & 0xFF,
                          (rgb >> 16) & 0xFF);
            Text(C, 20, 166, buf, 9, clBlack, true);
        } else {
            Text(C, 20, 166, "point at a colour", 9, clGray);
        }
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        TSheet::MouseMove(Shift, X, Y);
        Point(X, Y);
    }

private:
    static TRect Swatch(int I) {
        const int x = 20 + ((I - 1) % 24) * 21, y = 110 + ((I - 1) / 24) * 26;
        return {x, y, x + 18, y + 22};
    }
    TPoint FPointer{-1, -1};
};

const TRegistration frames{
    {"qyxcore", "core_frames",
     "The six frame styles of DrawFrame on button-face boxes; the raised box was clicked and "
     "shows its light and dark colours swapped",
     [] { return new TFrameSampler; }, [](TControl* C, TTestDriver& D) { D.Click(C, 100, 150); },
     "click a box to press it"}};

const TRegistration marks{
    {"qyxcore", "core_marks",
     "The 48 marks of DrawMarkOnCanvas at actual size in a 12 x 4 grid; mark 17 is under the "
     "pointer and shown magnified as CreateMarkAsBitmap makes it",
     [] { return new TMarkBrowser; },
     [](TControl* C, TTestDriver& D) { D.MouseMove(C, 12 + 44 * 5 + 20, 36 + 46 + 20); },
     "point at a mark, click for another colour, wheel to zoom, arrows to step"}};

const TRegistration labels{
    {"qyxcore", "core_textlabels",
     "Four TCustomTextLabel captions in the modes tlsimple, tlBox, tlUnderline and tlShadow; "
     "the boxed one was selected and typed into",
     [] { return new TLabelSampler; },
     [](TControl* C, TTestDriver& D) {
         static_cast<TLabelSampler*>(C)->SelectLabel(1);
         C->Invalidate();
         D.Click(C, 300, 60);
         D.TypeText(" and typed");
     },
     "click a label and type; Enter changes its mode"}};

const TRegistration colours{
    {"qyxcore", "core_colors",
     "A hue band from HSItoRGB, a navy-white-maroon ramp from Interpolate3Colors and the 47 "
     "predefined colours; the pointer rests on a swatch whose RGB value is named",
     [] { return new TColourSheet; },
     [](TControl* C, TTestDriver& D) { D.MouseMove(C, 20 + 21 * 2 + 8, 120); },
     "point at a colour to read its value"}};

} // namespace

} // namespace qyxgallery
