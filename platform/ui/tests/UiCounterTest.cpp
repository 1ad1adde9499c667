// The example control of examples/ui_counter.cpp, driven headless: pixels after a setter, a click, a
// key and a timer tick.
#define QYX_UI_COUNTER_NO_MAIN
#include "../../../examples/ui_counter.cpp"

#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {

class UiCounterTest : public UiTest {
protected:
    /// Length of the bar along the bottom, read from the pixels.
    int BarLength(demo::TCounter& C) {
        int n = 0;
        while (Driver.Pixel(&C, 1 + n, C.GetHeight() - 3) == C.GetColorBar()) ++n;
        return n;
    }
    /// Whether two controls show the same picture.
    bool SamePicture(TControl* A, TControl* B) {
        TBitmap a, b;
        Driver.Snapshot(A, &a);
        Driver.Snapshot(B, &b);
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x)
                if (a.GetCanvas()->GetPixels(x, y) != b.GetCanvas()->GetPixels(x, y)) return false;
        return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight();
    }
};

} // namespace

TEST_F(UiCounterTest, SetterPaintsAtOnce) {
    demo::TCounter c(nullptr);
    const struct { int Value, Bar; } cases[] = {{3, 35}, {10, 0}, {19, 106}, {-1, 106}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Value);
        c.SetValue(k.Value);
        EXPECT_EQ(BarLength(c), k.Bar); // (value mod 10) * 118 / 10
    }
    c.SetColorBar(clGreen);
    EXPECT_EQ(Driver.Pixel(&c, 1, c.GetHeight() - 3), clGreen);
}

TEST_F(UiCounterTest, ClickKeyAndTimerCountAndRepaint) {
    demo::TCounter c(nullptr), reference(nullptr);
    std::vector<int> changes;
    c.OnChange = [&](TObject*) { changes.push_back(c.GetValue()); };
    Driver.Click(&c, 60, 20);
    EXPECT_TRUE(c.Focused()); // a click takes the focus
    reference.SetValue(1);
    EXPECT_TRUE(SamePicture(&c, &reference));

    Driver.PressKey(VK_UP); // arrows go to the counter, not to navigation
    Driver.PressKey(VK_UP);
    Driver.PressKey(VK_DOWN);
    EXPECT_EQ(BarLength(c), 2 * 118 / 10);

    c.SetInterval(100);
    c.SetAutoCount(true);
    Driver.AdvanceTime(99);
    EXPECT_EQ(c.GetValue(), 2);
    Driver.AdvanceTime(1); // one tick
    EXPECT_EQ(BarLength(c), 3 * 118 / 10);
    Driver.AdvanceTime(300);
    c.SetAutoCount(false);
    Driver.AdvanceTime(1000);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 2, 3, 4, 5, 6}));
    reference.SetValue(6);
    EXPECT_TRUE(SamePicture(&c, &reference));
}

TEST_F(UiCounterTest, RepaintByTheLoopGivesTheSamePicture) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* c = new demo::TCounter(&form);
    c->SetParent(&form);
    c->SetBounds(20, 30, 120, 40);
    c->SetColor(clWindow); // not the form's colour, to compare with a parentless counter
    form.Show();
    c->SetValue(42); // painted by the setter
    TBitmap direct;
    Driver.Snapshot(c, &direct);
    c->Invalidate(); // painted by the loop
    Driver.ProcessMessages();
    demo::TCounter reference(nullptr);
    reference.SetValue(42);
    EXPECT_TRUE(SamePicture(c, &reference));
    EXPECT_EQ(Driver.Pixel(&form, 21, 31 + 38 - 3), reference.GetColorBar());
    EXPECT_EQ(direct.GetCanvas()->GetPixels(1, 35), reference.GetColorBar());
}
