// The process-wide printer: a canvas of stable identity that draws on page bitmaps between BeginDoc
// and EndDoc. By default it is a virtual printer that keeps the finished pages (A4 at 300 dpi,
// 2480 x 3508 pixels, white, pf32bit) for saving as PNG; a driver can route pages to a real printer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qyx/platform/Bitmap.h>

namespace qyx {

enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };

/// Receives the pages of a print job. Installed with TPrinter::SetDriver (the Qt layer installs one
/// for real printers); without a driver the printer keeps the pages itself.
class TPrinterDriver {
public:
    virtual ~TPrinterDriver() = default;
    /// Starts a job; may change the page size and resolution the canvas will draw at.
    virtual void BeginDoc(const std::string& Title, int& PageWidth, int& PageHeight, int& PixelsPerInch) = 0;
    /// A finished page.
    virtual void EndPage(const TBitmap& Page) = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
};

/// The printer object. Its canvas exists and keeps its identity at all times; outside a document it
/// draws nothing. Printing without an installed printer raises EPrinter "There is no default printer
/// currently selected"; NewPage/EndDoc outside a document raise EPrinter "Printer is not currently
/// printing"; BeginDoc during a document raises EPrinter "Printing in progress".
class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    TCanvas* GetCanvas() { return &FCanvas; }
    void BeginDoc();
    void NewPage();
    void EndDoc();
    /// Ends the document without completing it: the pages of this job are dropped.
    void Abort();
    bool GetPrinting() const { return FPrinting; }
    bool GetAborted() const { return FAborted; }
    /// The 1-based number of the page being drawn (0 outside a document).
    int GetPageNumber() const { return FPrinting ? FPageNumber : 0; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

    int GetPageWidth() const;
    int GetPageHeight() const;
    int GetPixelsPerInch() const { return FPixelsPerInch; }
    TPrinterOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value);
    /// Sets the portrait page size in pixels and the resolution (not during a document).
    void SetPageSize(int Width, int Height, int PixelsPerInch);

    /// Whether a printer is installed (true by default; tests and applications may switch it off).
    bool GetPrinterInstalled() const { return FInstalled; }
    void SetPrinterInstalled(bool Value) { FInstalled = Value; }
    /// Installs a driver (nil: back to the virtual printer). The printer owns it.
    void SetDriver(std::unique_ptr<TPrinterDriver> Driver);

    /// Pages of the last finished virtual job (kept until the next BeginDoc or ClearPages).
    int GetPageCount() const { return static_cast<int>(FPages.size()); }
    const TBitmap* GetPage(int Index) const;
    /// Writes page Index (0-based) as PNG (or BMP, by the extension as TBitmap::SaveToFile).
    void SavePageToFile(int Index, const std::string& FileName) const;
    void ClearPages() { FPages.clear(); }

private:
    class TPageTarget : public TCanvasTarget {
    public:
        explicit TPageTarget(TPrinter& P) : FPrinter(P) {}
        bool GetCanvasView(TCanvasView& View) override;

    private:
        TPrinter& FPrinter;
    };
    void StartPage();
    void FinishPage();
    void CheckPrinting() const;

    TPageTarget FTarget{*this};
    TCanvas FCanvas{&FTarget};
    std::unique_ptr<TPrinterDriver> FDriver;
    std::unique_ptr<TBitmap> FPage;
    std::vector<std::unique_ptr<TBitmap>> FPages;
    std::vector<std::unique_ptr<TBitmap>> FJobPages;
    std::string FTitle;
    int FWidth = 2480;
    int FHeight = 3508;
    int FPixelsPerInch = 300;
    int FJobWidth = 0;
    int FJobHeight = 0;
    int FPageNumber = 0;
    TPrinterOrientation FOrientation = poPortrait;
    bool FPrinting = false;
    bool FAborted = false;
    bool FInstalled = true;
};

/// The process-wide printer object (created on first use).
TPrinter* Printer();

} // namespace qyx
