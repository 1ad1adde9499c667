// TSheet: the base of the gallery's live controls. It composes its picture off-screen in Draw and
// copies it onto the control in one step, and offers small text helpers.
#pragma once

#include <qyx/platform/Controls.h>

#include <string>

namespace qyxgallery {

class TSheet : public qyx::TCustomControl {
public:
    TSheet(int Width, int Height) : qyx::TCustomControl(nullptr) {
        SetBounds(0, 0, Width, Height);
        SetColor(qyx::RGB(250, 250, 247));
    }
    void Paint() override {
        if (GetWidth() <= 0 || GetHeight() <= 0) return;
        qyx::TBitmap frame(GetWidth(), GetHeight());
        qyx::TCanvas* c = frame.GetCanvas();
        c->GetBrush()->SetColor(GetColor());
        c->FillRect({0, 0, GetWidth(), GetHeight()});
        Draw(c);
        GetCanvas()->Draw(0, 0, &frame);
    }

protected:
    virtual void Draw(qyx::TCanvas* C) = 0;
    /// Text in Arial of the given size and colour, transparent background; centred on X when Centre.
    static void Text(qyx::TCanvas* C, int X, int Y, const std::string& S, int Size = 9,
                     qyx::TColor Color = qyx::clBlack, bool Bold = false, bool Centre = false) {
        C->GetFont()->SetName("Arial");
        C->GetFont()->SetSize(Size);
        C->GetFont()->SetColor(Color);
        C->GetFont()->SetStyle(Bold ? qyx::TFontStyles{qyx::fsBold} : qyx::TFontStyles{});
        C->GetBrush()->SetStyle(qyx::bsClear);
        C->TextOut(Centre ? X - C->TextWidth(S) / 2 : X, Y, S);
        C->GetBrush()->SetStyle(qyx::bsSolid);
    }
};

} // namespace qyxgallery
