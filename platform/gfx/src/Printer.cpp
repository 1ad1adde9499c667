// The printer object: document and page state, page bitmaps, driver hand-off.
#include <qyx/platform/Printer.h>

namespace qyx {

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

bool TPrinter::TPageTarget::GetCanvasView(TCanvasView& View) {
    if (!FPrinter.FPrinting || !FPrinter.FPage) return false;
    View.Surface = FPrinter.FPage->GetSurface();
    View.Origin = {0, 0};
    View.Clip = {0, 0, View.Surface.Width, View.Surface.Height};
    return true;
}

int TPrinter::GetPageWidth() const {
    if (FPrinting) return FJobWidth;
    return FOrientation == poLandscape ? FHeight : FWidth;
}

int TPrinter::GetPageHeight() const {
    if (FPrinting) return FJobHeight;
    return FOrientation == poLandscape ? FWidth : FHeight;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
    if (FPrinting) throw EPrinter("Printing in progress");
    FOrientation = Value;
}

void TPrinter::SetPageSize(int Width, int Height, int PixelsPerInch) {
    if (FPrinting) throw EPrinter("Printing in progress");
    FWidth = std::max(Width, 1);
    FHeight = std::max(Height, 1);
    FPixelsPerInch = std::max(PixelsPerInch, 1);
}

void TPrinter::SetDriver(std::unique_ptr<TPrinterDriver> Driver) {
    if (FPrinting) throw EPrinter("Printing in progress");
    FDriver = std::move(Driver);
}

void TPrinter::CheckPrinting() const {
    if (!FPrinting) throw EPrinter("Printer is not currently printing");
}

void TPrinter::StartPage() {
    FPage = std::make_unique<TBitmap>(FJobWidth, FJobHeight, pf32bit);
    FCanvas.MoveTo(0, 0);
}

void TPrinter::FinishPage() {
    std::unique_ptr<TBitmap> page = std::move(FPage);
    if (FDriver)
        FDriver->EndPage(*page);
    else
        FJobPages.push_back(std::move(page));
}

void TPrinter::BeginDoc() {
    if (FPrinting) throw EPrinter("Printing in progress");
    if (!FInstalled) throw EPrinter("There is no default printer currently selected");
    int w = GetPageWidth(), h = GetPageHeight(), dpi = FPixelsPerInch;
    if (FDriver) FDriver->BeginDoc(FTitle, w, h, dpi);
    FJobWidth = std::max(w, 1);
    FJobHeight = std::max(h, 1);
    FPixelsPerInch = std::max(dpi, 1);
    FJobPages.clear();
    FAborted = false;
    FPageNumber = 1;
    FPrinting = true;
    try {
        StartPage();
    } catch (...) {
        FPrinting = false;
        throw;
    }
}

void TPrinter::NewPage() {
    CheckPrinting();
    FinishPage();
    ++FPageNumber;
    StartPage();
}

void TPrinter::EndDoc() {
    CheckPrinting();
    FinishPage();
    FPrinting = false;
    if (FDriver)
        FDriver->EndDoc();
    else
        FPages = std::move(FJobPages);
    FJobPages.clear();
}

void TPrinter::Abort() {
    CheckPrinting();
    FPrinting = false;
    FAborted = true;
    FPage.reset();
    FJobPages.clear();
    if (FDriver) FDriver->Abort();
}

const TBitmap* TPrinter::GetPage(int Index) const {
    if (Index < 0 || Index >= GetPageCount()) return nullptr;
    return FPages[static_cast<size_t>(Index)].get();
}

void TPrinter::SavePageToFile(int Index, const std::string& FileName) const {
    const TBitmap* page = GetPage(Index);
    if (page == nullptr) throw EPrinter("Page index out of range");
    page->SaveToFile(FileName);
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

} // namespace qyx
