// Printing the printer object's pages through Qt: a QPrinter (PDF file or system printer) as a
// printer driver, and kept pages written to a PDF file.
#include "QtInternal.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace qyx {

namespace {

class TQtPrinterDriver : public TPrinterDriver {
public:
    explicit TQtPrinterDriver(std::string PdfFileName) : FPdf(std::move(PdfFileName)) {}

    void BeginDoc(const std::string& Title, int& PageWidth, int& PageHeight, int& PixelsPerInch) override {
        if (FPdf.empty() && QPrinterInfo::defaultPrinter().isNull())
            throw EPrinter("There is no default printer currently selected");
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!FPdf.empty()) {
            FPrinter->setOutputFormat(QPrinter::PdfFormat);
            FPrinter->setOutputFileName(QString::fromLocal8Bit(FPdf.c_str()));
        }
        FPrinter->setDocName(Cp1252ToQString(Title));
        FPrinter->setFullPage(true);
        FPrinter->setResolution(PixelsPerInch > 0 ? PixelsPerInch : 300);
        // The page keeps the requested size in pixels at the printer's resolution.
        const int dpi = FPrinter->resolution();
        const QSizeF mm(PageWidth * 25.4 / dpi, PageHeight * 25.4 / dpi);
        FPrinter->setPageSize(QPageSize(mm, QPageSize::Millimeter));
        FPrinter->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        PixelsPerInch = dpi;
        if (!FPainter.begin(FPrinter.get())) {
            FPrinter.reset();
            throw EPrinter("Printing failed: the output cannot be opened");
        }
        FPages = 0;
    }

    void EndPage(const TBitmap& Page) override {
        if (!FPrinter) return;
        if (FPages > 0) FPrinter->newPage();
        const QImage img = BitmapToQImage(Page);
        const QRect target(0, 0, FPrinter->width(), FPrinter->height());
        FPainter.drawImage(target, img);
        ++FPages;
    }

    void EndDoc() override {
        if (!FPrinter) return;
        FPainter.end();
        FPrinter.reset();
    }

    void Abort() override {
        if (!FPrinter) return;
        FPrinter->abort();
        if (FPainter.isActive()) FPainter.end();
        FPrinter.reset();
        if (!FPdf.empty()) QFile::remove(QString::fromLocal8Bit(FPdf.c_str()));
    }

private:
    std::string FPdf;
    std::unique_ptr<QPrinter> FPrinter;
    QPainter FPainter;
    int FPages = 0;
};

} // namespace

std::unique_ptr<TPrinterDriver> CreateQtPrinterDriver(const std::string& PdfFileName) {
    return std::make_unique<TQtPrinterDriver>(PdfFileName);
}

bool SavePrinterPagesAsPdf(const std::string& FileName) {
    TPrinter* p = Printer();
    if (p->GetPageCount() == 0) return false;
    QPdfWriter pdf(QString::fromLocal8Bit(FileName.c_str()));
    const int dpi = p->GetPixelsPerInch() > 0 ? p->GetPixelsPerInch() : 300;
    pdf.setResolution(dpi);
    pdf.setTitle(Cp1252ToQString(p->GetTitle()));
    const TBitmap* first = p->GetPage(0);
    const auto pageSize = [dpi](const TBitmap* b) {
        return QPageSize(QSizeF(b->GetWidth() * 25.4 / dpi, b->GetHeight() * 25.4 / dpi),
                         QPageSize::Millimeter);
    };
    pdf.setPageSize(pageSize(first));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    for (int i = 0; i < p->GetPageCount(); ++i) {
        const TBitmap* page = p->GetPage(i);
        if (i > 0) {
            pdf.setPageSize(pageSize(page));
            pdf.newPage();
        }
        painter.drawImage(QRect(0, 0, page->GetWidth(), page->GetHeight()), BitmapToQImage(*page));
    }
    return painter.end();
}

} // namespace qyx
