// The system services with the Qt backend: clipboard text and bitmaps, timers on Qt's clock, the beep
// hook, and printing to PDF.
#include "QtTestSupport.h"

#include <qyx/platform/Clipboard.h>
#include <qyx/platform/Dialogs.h>
#include <qyx/platform/Forms.h>
#include <qyx/platform/Printer.h>
#include <qyx/platform/Sound.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace qyx;
using namespace qyxtest;

namespace {

std::string ReadAll(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

int CountPages(const std::string& Pdf) {
    int n = 0;
    for (size_t p = Pdf.find("/Type /Page"); p != std::string::npos; p = Pdf.find("/Type /Page", p + 1))
        if (Pdf.compare(p, 12, "/Type /Pages") != 0) ++n;
    return n;
}

/// Prints Pages pages, each filled with its own colour.
void PrintPages(int Pages) {
    TPrinter* p = Printer();
    p->SetPageSize(400, 600, 100);
    p->BeginDoc();
    for (int i = 0; i < Pages; ++i) {
        if (i > 0) p->NewPage();
        p->GetCanvas()->GetBrush()->SetColor(i == 0 ? clRed : clBlue);
        p->GetCanvas()->FillRect({50, 50, 350, 550});
    }
    p->EndDoc();
}

} // namespace

TEST(QtServicesTest, ClipboardKeepsCodePage1252TextAndBitmaps) {
    QYX_REQUIRE_DISPLAY();
    const std::string texts[] = {"plain", "line 1\r\nline 2\n", "caf\xe9 \x80 5\xb0", ""};
    for (const std::string& t : texts) {
        SCOPED_TRACE(t);
        Clipboard()->SetAsText(t);
        EXPECT_EQ(Clipboard()->GetAsText(), t);
    }
    // The system clipboard holds Unicode: other programs read the euro sign as U+20AC.
    Clipboard()->SetAsText("\x80");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(QChar(0x20AC)));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));

    TBitmap b(5, 3, pf24bit);
    b.GetCanvas()->SetPixels(1, 2, clRed);
    b.GetCanvas()->SetPixels(4, 0, RGB(10, 20, 30));
    Clipboard()->Assign(&b);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
    TBitmap back;
    ASSERT_TRUE(Clipboard()->GetBitmap(&back));
    EXPECT_EQ(back.GetWidth(), 5);
    EXPECT_EQ(back.GetHeight(), 3);
    EXPECT_EQ(back.GetCanvas()->GetPixels(1, 2), clRed);
    EXPECT_EQ(back.GetCanvas()->GetPixels(4, 0), RGB(10, 20, 30));
    EXPECT_EQ(back.GetCanvas()->GetPixels(0, 0), clWhite);
}

TEST(QtServicesTest, TimersRunOnQtsClockInTheLayersLoop) {
    QYX_REQUIRE_DISPLAY();
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(30);
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 2) throw Exception("from a timer");
    };
    std::vector<std::string> errors;
    Application()->OnException = [&](TObject*, Exception* E) { errors.push_back(E->Message()); };
    QElapsedTimer t;
    t.start();
    Application()->RunUntil([&] { return ticks >= 4 || t.elapsed() > 5000; });
    Application()->OnException = nullptr;
    EXPECT_EQ(ticks, 4);
    EXPECT_GE(t.elapsed(), 4 * 30 - 5); // real time passed: four periods
    EXPECT_EQ(errors, std::vector<std::string>{"from a timer"});
}

TEST(QtServicesTest, TimersRunFromQtsOwnLoop) {
    QYX_REQUIRE_DISPLAY();
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    Application()->ProcessMessages(); // Qt's loop now learns when the timer is due
    EXPECT_TRUE(RunQtLoopUntil([&] { return ticks >= 3; }, 5000));
}

TEST(QtServicesTest, BeepsAreCountedAndSounded) {
    QYX_REQUIRE_DISPLAY();
    ResetBeepCount();
    Beep();
    MessageBeep(MB_BEEP_SIMPLE);
    EXPECT_EQ(GetBeepCount(), 2);
}

TEST(QtServicesTest, PrinterPagesGoToPdf) {
    QYX_REQUIRE_DISPLAY();
    const auto dir = std::filesystem::temp_directory_path() / ("qyxqt_pdf_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string direct = (dir / "direct.pdf").string(), kept = (dir / "kept.pdf").string();

    // Through the driver, page by page.
    Printer()->SetDriver(CreateQtPrinterDriver(direct));
    PrintPages(2);
    Printer()->SetDriver(nullptr);
    const std::string a = ReadAll(direct);
    ASSERT_GE(a.size(), 5u);
    EXPECT_EQ(a.substr(0, 5), "%PDF-");
    EXPECT_EQ(CountPages(a), 2);

    // Aborting a job leaves no file behind.
    const std::string aborted = (dir / "aborted.pdf").string();
    Printer()->SetDriver(CreateQtPrinterDriver(aborted));
    Printer()->BeginDoc();
    Printer()->Abort();
    Printer()->SetDriver(nullptr);
    EXPECT_FALSE(std::filesystem::exists(aborted));

    // The virtual printer's kept pages, afterwards.
    PrintPages(3);
    ASSERT_EQ(Printer()->GetPageCount(), 3);
    ASSERT_TRUE(SavePrinterPagesAsPdf(kept));
    const std::string b = ReadAll(kept);
    EXPECT_EQ(b.substr(0, 5), "%PDF-");
    EXPECT_EQ(CountPages(b), 3);
    EXPECT_FALSE(SavePrinterPagesAsPdf("/nonexistent-dir/x.pdf"));
    Printer()->ClearPages();
    EXPECT_FALSE(SavePrinterPagesAsPdf((dir / "none.pdf").string()));
    std::filesystem::remove_all(dir);
}

TEST(QtServicesTest, UninstallingReturnsToTheHeadlessServices) {
    QYX_REQUIRE_DISPLAY();
    auto form = std::make_unique<TForm>(nullptr);
    form->Show();
    ASSERT_NE(form->GetWindowHost(), nullptr);
    UninstallQtBackend();
    EXPECT_FALSE(QtBackendInstalled());
    EXPECT_EQ(Application()->GetBackend(), nullptr);
    EXPECT_EQ(form->GetWindowHost(), nullptr);
    EXPECT_NE(dynamic_cast<TMemoryClipboardStore*>(Clipboard()->GetStore()), nullptr);
    EXPECT_EQ(DialogService(), static_cast<TDialogService*>(HeadlessDialogs()));
    form.reset();

    InstallQtBackend();
    EXPECT_TRUE(QtBackendInstalled());
    EXPECT_NE(Application()->GetBackend(), nullptr);
    EXPECT_EQ(dynamic_cast<TMemoryClipboardStore*>(Clipboard()->GetStore()), nullptr);
}
