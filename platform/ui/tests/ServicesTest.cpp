// Headless services: clipboard, scripted dialogues, the beep counter, the screen cursor and the
// numbered cursor list.
#include "UiTestSupport.h"

#include <qyx/platform/Clipboard.h>
#include <qyx/platform/Dialogs.h>
#include <qyx/platform/Resources.h>
#include <qyx/platform/Screen.h>
#include <qyx/platform/Sound.h>

using namespace qyx;
using namespace qyx::test;

namespace {
class ServicesTest : public UiTest {};
} // namespace

TEST_F(ServicesTest, ClipboardKeepsTextByteForByte) {
    TClipboard* c = Clipboard();
    EXPECT_FALSE(c->HasFormat(CF_TEXT));
    EXPECT_EQ(c->GetAsText(), "");
    const std::string text = std::string(" 1.5 2\r\n 3 \xE9\n", 13) + std::string(1, '\0') + "x";
    c->SetAsText(text);
    EXPECT_TRUE(c->HasFormat(CF_TEXT));
    EXPECT_FALSE(c->HasFormat(CF_BITMAP));
    EXPECT_EQ(c->GetAsText(), text);
    c->Clear();
    EXPECT_FALSE(c->HasFormat(CF_TEXT));
}

TEST_F(ServicesTest, ClipboardKeepsItsOwnCopyOfABitmap) {
    TClipboard* c = Clipboard();
    c->SetAsText("replaced by the bitmap");
    auto bmp = std::make_unique<TBitmap>(3, 2);
    bmp->GetCanvas()->SetPixels(1, 1, clRed);
    c->Assign(bmp.get());
    bmp.reset(); // the caller frees its bitmap; the clipboard keeps its copy
    EXPECT_TRUE(c->HasFormat(CF_BITMAP));
    EXPECT_FALSE(c->HasFormat(CF_TEXT));
    TBitmap back;
    back.Assign(c);
    EXPECT_EQ(back.GetWidth(), 3);
    EXPECT_EQ(back.GetCanvas()->GetPixels(1, 1), clRed);
    c->SetAsText("text");
    TBitmap none;
    EXPECT_FALSE(c->GetBitmap(&none));
    EXPECT_THROW(none.Assign(c), EConvertError);
    TFont font;
    EXPECT_THROW(c->Assign(&font), EConvertError);
}

TEST_F(ServicesTest, SaveDialogTakesScriptedAnswersAndRecordsTheRequest) {
    TSaveDialog dlg(nullptr);
    dlg.SetFilter("Text|*.txt|All|*.*");
    dlg.SetTitle("Save as");
    dlg.SetInitialDir("/tmp");
    dlg.SetFileName("proposed.txt");
    THeadlessDialogs* h = HeadlessDialogs();

    TDialogAnswer ok;
    ok.FileName = "/tmp/chosen.txt";
    ok.FilterIndex = 2;
    TDialogAnswer cancel;
    cancel.Ok = false;
    TDialogAnswer failure;
    failure.ErrorCode = 0x3002;
    h->PushFileAnswer(ok);
    h->PushFileAnswer(cancel);
    h->PushFileAnswer(failure);
    const struct {
        bool Result;
        uint32_t Error;
        const char* FileName;
    } expected[] = {{true, 0, "/tmp/chosen.txt"},
                    {false, 0, "/tmp/chosen.txt"},
                    {false, 0x3002, "/tmp/chosen.txt"},
                    {false, 0, "/tmp/chosen.txt"}}; // nothing scripted: cancelled
    for (const auto& e : expected) {
        EXPECT_EQ(dlg.Execute(), e.Result);
        EXPECT_EQ(CommDlgExtendedError(), e.Error);
        EXPECT_EQ(dlg.GetFileName(), e.FileName);
    }
    EXPECT_EQ(dlg.GetFilterIndex(), 2);
    ASSERT_EQ(h->GetRequests().size(), 4u);
    const TDialogRequest& r = h->GetRequests().front();
    EXPECT_EQ(r.Kind, dkSave);
    EXPECT_EQ(r.Title, "Save as");
    EXPECT_EQ(r.Filter, "Text|*.txt|All|*.*");
    EXPECT_EQ(r.InitialDir, "/tmp");
    EXPECT_EQ(r.FileName, "proposed.txt");
}

TEST_F(ServicesTest, ColourDialogAndMessageBoxes) {
    TColorDialog dlg(nullptr);
    dlg.SetColor(clTeal);
    TDialogAnswer a;
    a.Color = clFuchsia;
    HeadlessDialogs()->PushColorAnswer(a);
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.GetColor(), clFuchsia);
    EXPECT_EQ(HeadlessDialogs()->GetRequests().back().Color, clTeal);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.GetColor(), clFuchsia);

    const struct {
        uint32_t Flags;
        int Default;
    } boxes[] = {{MB_OK, IDOK},           {MB_OKCANCEL, IDOK},       {MB_YESNO, IDYES},
                 {MB_YESNOCANCEL, IDYES}, {MB_RETRYCANCEL, IDRETRY}, {MB_ABORTRETRYIGNORE, IDABORT}};
    for (const auto& b : boxes) EXPECT_EQ(Application()->MessageBox("?", "t", b.Flags), b.Default) << b.Flags;
    HeadlessDialogs()->PushMessageAnswer(IDNO);
    EXPECT_EQ(Application()->MessageBox("Overwrite?", "t", MB_YESNO), IDNO);
    ShowMessage("hello");
    EXPECT_EQ(Driver.ShownMessages().back(), "hello");
}

TEST_F(ServicesTest, BeepsAreCountedAndPassedToTheHook) {
    std::vector<uint32_t> heard;
    SetBeepHook([&](uint32_t T) { heard.push_back(T); });
    Beep();
    MessageBeep(MB_ICONERROR);
    SetBeepHook(nullptr);
    Beep();
    EXPECT_EQ(Driver.BeepCount(), 3);
    EXPECT_EQ(heard, (std::vector<uint32_t>{MB_BEEP_DEFAULT, MB_ICONERROR}));
}

TEST_F(ServicesTest, ShownCursorFollowsScreenCursorAndControls) {
    TPad outer(nullptr);
    outer.SetBounds(0, 0, 100, 100);
    TBox plain(nullptr), hand(nullptr);
    plain.SetParent(&outer);
    hand.SetParent(&outer);
    plain.SetBounds(0, 0, 10, 10);
    hand.SetBounds(50, 50, 10, 10);
    hand.SetCursor(crHandPoint);
    const struct {
        TCursor Outer, ScreenCursor;
        int X;
        TCursor Shown;
    } cases[] = {
        {crDefault, crDefault, 5, crArrow},
        {crDefault, crDefault, 55, crHandPoint},
        {crCross, crDefault, 5, crCross},
        {crDefault, crHourGlass, 55, crHourGlass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.X);
        outer.SetCursor(c.Outer);
        Screen()->SetCursor(c.ScreenCursor);
        Driver.MouseMove(&outer, c.X, c.X);
        EXPECT_EQ(Screen()->GetShownCursor(), c.Shown);
    }
    Screen()->SetCursor(crDefault); // restored after the busy time
    EXPECT_EQ(Screen()->GetShownCursor(), crHandPoint);
}

TEST_F(ServicesTest, NumberedCursorsFromResources) {
    const std::vector<uint8_t> cursor = PictureToCursor({"##..", "#o#.", ".#..", "...."}, 2, 3);
    RegisterResource("TESTCUR", rkCursor, cursor.data(), cursor.size());
    const HCURSOR h = LoadCursor("testcur");
    ASSERT_NE(h, 0u);
    EXPECT_EQ(LoadCursor("TESTCUR"), h);
    EXPECT_EQ(LoadCursor("NOSUCHCURSOR"), 0u);
    TCursorImage img;
    ASSERT_TRUE(GetCursorImage(h, img));
    EXPECT_EQ(img.HotX, 2);
    EXPECT_EQ(img.HotY, 3);
    EXPECT_EQ(img.Image->GetWidth(), 4);
    EXPECT_EQ(const_cast<TBitmap*>(img.Image)->GetCanvas()->GetPixels(0, 0), clBlack);

    const HCURSOR arrow = Screen()->GetCursors(crArrow);
    EXPECT_NE(arrow, Screen()->GetCursors(crHandPoint));
    EXPECT_EQ(Screen()->GetCursors(1000), arrow); // not registered
    Screen()->SetCursors(1000, h);
    EXPECT_EQ(Screen()->GetCursors(1000), h);
    EXPECT_FALSE(GetCursorImage(arrow, img));
    Screen()->SetCursors(1000, 0);
    UnregisterResource("TESTCUR", rkCursor);
}
