// The printer object: canvas identity, document states, virtual pages and drivers.
#include <qyx/platform/Printer.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace qyx {
namespace {

/// Small pages keep the tests light; the process-wide printer is restored afterwards.
class PrinterTest : public testing::Test {
protected:
    void SetUp() override {
        Printer()->SetPageSize(40, 60, 30);
        Printer()->SetPrinterInstalled(true);
    }
    void TearDown() override {
        if (Printer()->GetPrinting()) Printer()->Abort();
        Printer()->SetDriver(nullptr);
        Printer()->SetPrinterInstalled(true);
        Printer()->SetOrientation(poPortrait);
        Printer()->SetPageSize(2480, 3508, 300);
        Printer()->ClearPages();
    }
};

TEST_F(PrinterTest, CanvasKeepsItsIdentityAndDrawsNothingOutsideADocument) {
    TCanvas* c = Printer()->GetCanvas();
    EXPECT_EQ(c, Printer()->GetCanvas());
    Printer()->SetPrinterInstalled(false);
    c->Rectangle(0, 0, 10, 10); // no error, no effect
    EXPECT_EQ(c->GetPixels(0, 0), clNone);
    EXPECT_EQ(Printer()->GetCanvas(), c);
}

TEST_F(PrinterTest, StateErrors) {
    Printer()->SetPrinterInstalled(false);
    try {
        Printer()->BeginDoc();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), "There is no default printer currently selected");
    }
    EXPECT_FALSE(Printer()->GetPrinting());
    Printer()->SetPrinterInstalled(true);
    for (auto op : {&TPrinter::NewPage, &TPrinter::EndDoc, &TPrinter::Abort}) {
        try {
            (Printer()->*op)();
            FAIL();
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), "Printer is not currently printing");
        }
    }
    Printer()->BeginDoc();
    EXPECT_THROW(Printer()->BeginDoc(), EPrinter);
    EXPECT_THROW(Printer()->SetPageSize(1, 1, 1), EPrinter);
}

TEST_F(PrinterTest, VirtualPagesAreKeptAndCanBeSaved) {
    TPrinter* p = Printer();
    p->SetOrientation(poLandscape);
    EXPECT_EQ(p->GetPageWidth(), 60);
    p->BeginDoc();
    EXPECT_EQ(p->GetPageNumber(), 1);
    TCanvas* c = p->GetCanvas();
    EXPECT_EQ(c->GetPixels(0, 0), clWhite);
    c->Rectangle(0, 0, 10, 10);
    p->NewPage();
    EXPECT_EQ(p->GetPageNumber(), 2);
    EXPECT_EQ(c->GetPixels(0, 0), clWhite); // a fresh page
    c->GetBrush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 60, 40));
    p->EndDoc();
    EXPECT_FALSE(p->GetPrinting());
    ASSERT_EQ(p->GetPageCount(), 2);
    EXPECT_EQ(p->GetPage(0)->GetWidth(), 60);
    EXPECT_EQ(p->GetPage(0)->GetHeight(), 40);
    EXPECT_EQ(const_cast<TBitmap*>(p->GetPage(0))->GetCanvas()->GetPixels(0, 0), clBlack);
    EXPECT_EQ(const_cast<TBitmap*>(p->GetPage(1))->GetCanvas()->GetPixels(5, 5), clRed);
    EXPECT_EQ(p->GetPage(2), nullptr);
    const auto file = std::filesystem::temp_directory_path() / "qyx_printer_page.png";
    p->SavePageToFile(1, file.string());
    TBitmap back;
    back.LoadFromFile(file.string());
    EXPECT_EQ(back.GetCanvas()->GetPixels(5, 5), clRed);
    std::filesystem::remove(file);
    EXPECT_THROW(p->SavePageToFile(5, file.string()), EPrinter);
}

TEST_F(PrinterTest, AbortDropsTheJob) {
    Printer()->BeginDoc();
    Printer()->NewPage();
    Printer()->Abort();
    EXPECT_TRUE(Printer()->GetAborted());
    EXPECT_EQ(Printer()->GetPageCount(), 0);
}

TEST_F(PrinterTest, DriverReceivesThePages) {
    struct TRecorder : TPrinterDriver {
        std::vector<std::string>* Log;
        explicit TRecorder(std::vector<std::string>* L) : Log(L) {}
        void BeginDoc(const std::string& Title, int& W, int& H, int& Dpi) override {
            Log->push_back("begin " + Title);
            W = 20, H = 30, Dpi = 72;
        }
        void EndPage(const TBitmap& Page) override {
            Log->push_back("page " + std::to_string(Page.GetWidth()) + "x" +
                           std::to_string(Page.GetHeight()));
        }
        void EndDoc() override { Log->push_back("end"); }
        void Abort() override { Log->push_back("abort"); }
    };
    std::vector<std::string> log;
    Printer()->SetDriver(std::make_unique<TRecorder>(&log));
    Printer()->SetTitle("Report");
    Printer()->BeginDoc();
    EXPECT_EQ(Printer()->GetPageWidth(), 20);
    EXPECT_EQ(Printer()->GetPixelsPerInch(), 72);
    Printer()->NewPage();
    Printer()->EndDoc();
    EXPECT_EQ(log, (std::vector<std::string>{"begin Report", "page 20x30", "page 20x30", "end"}));
    EXPECT_EQ(Printer()->GetPageCount(), 0);
}

} // namespace
} // namespace qyx
