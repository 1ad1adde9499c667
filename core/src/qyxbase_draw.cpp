// QYX_qyxbase: frames, rectangle outlines and the printing of a bitmap.
#include <qyx/QYX_qyxbase.h>

#include <qyx/platform/Bitmap.h>
#include <qyx/platform/Canvas.h>
#include <qyx/platform/Printer.h>

namespace qyx {

namespace {

// Two nested one-pixel rings: A and B the outer ring's top-left and bottom-right halves, C and D the
// inner ring's. Each half starts where the previous one stopped, so the lower-left pixel of a ring
// takes its bottom-right colour and the upper-right pixel its top-left colour.
void DrawTwoRings(TCanvas* C, int Left, int Top, int Right, int Bottom, TColor A, TColor B, TColor CC,
                  TColor D) {
    TPen* pen = C->GetPen();
    pen->SetColor(A);
    C->MoveTo(Left, Bottom);
    C->LineTo(Left, Top);
    C->LineTo(Right + 1, Top);
    C->MoveTo(Right, Top + 1);
    pen->SetColor(B);
    C->LineTo(Right, Bottom);
    C->LineTo(Left - 1, Bottom);

    pen->SetColor(CC);
    C->MoveTo(Left + 1, Bottom - 1);
    C->LineTo(Left + 1, Top + 1);
    C->LineTo(Right, Top + 1);
    C->MoveTo(Right - 1, Top + 2);
    pen->SetColor(D);
    C->LineTo(Right - 1, Bottom - 1);
    C->LineTo(Left, Bottom - 1);
}

} // namespace

void DrawFrame(TCanvas* Canvas, TFrameStyle FrameStyle, int Left, int Top, int Right, int Bottom,
               TColor HiliteColor, TColor LightColor, TColor ShadowColor, TColor DarkColor,
               TColor FrameColor) {
    if (Canvas == nullptr) return;
    switch (FrameStyle) {
    case fsSimple:
        Canvas->GetPen()->SetColor(FrameColor);
        DrawRectangle(Canvas, Left, Top, Right, Bottom);
        break;
    case fsLowered:
        DrawTwoRings(Canvas, Left, Top, Right, Bottom, ShadowColor, HiliteColor, DarkColor, LightColor);
        break;
    case fsRaised:
        DrawTwoRings(Canvas, Left, Top, Right, Bottom, HiliteColor, DarkColor, LightColor, ShadowColor);
        break;
    case fsEmbossed:
        DrawTwoRings(Canvas, Left, Top, Right, Bottom, HiliteColor, ShadowColor, ShadowColor, HiliteColor);
        break;
    case fsEngraved:
        DrawTwoRings(Canvas, Left, Top, Right, Bottom, ShadowColor, HiliteColor, HiliteColor, ShadowColor);
        break;
    default: // fsNone and values outside the enumeration
        break;
    }
}

void DrawRectangle(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    if (Canvas == nullptr) return;
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X1, Y2);
    Canvas->LineTo(X2, Y2);
    Canvas->LineTo(X2, Y1);
    Canvas->LineTo(X1, Y1);
}

void PrintBitmap(TBitmap* Bitmap, int X, int Y) {
    TPrinter* printer = Printer();
    if (!printer->GetPrinterInstalled()) throw EPrinter("There is no default printer currently selected");
    // Outside a document the page would silently drop the picture.
    if (!printer->GetPrinting()) throw EPrinter("Printer is not currently printing");
    if (Bitmap == nullptr || Bitmap->GetEmpty()) return;

    // One printer dot per pixel, the whole bitmap, source copy; the canvas's copy mode is restored.
    TCanvas* canvas = printer->GetCanvas();
    const TCopyMode saved = canvas->GetCopyMode();
    canvas->SetCopyMode(cmSrcCopy);
    try {
        const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
        canvas->CopyRect(Bounds(X, Y, w, h), Bitmap->GetCanvas(), Rect(0, 0, w, h));
    } catch (...) {
        canvas->SetCopyMode(saved);
        throw;
    }
    canvas->SetCopyMode(saved);
}

} // namespace qyx
