// Focus: the order of exit and enter, what can take the focus, focus leaving hidden, disabled and
// destroyed controls, activation of top-level windows.
#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {
class FocusTest : public UiTest {};
} // namespace

TEST_F(FocusTest, ExitThenEnterWithTheFocusMovingInBetween) {
    auto form = ShownForm();
    TLog log;
    auto* a = new TPad(form.get(), &log, "a");
    auto* b = new TPad(form.get(), &log, "b");
    a->SetParent(form.get());
    b->SetParent(form.get());
    a->SetFocus();
    b->SetFocus();
    b->SetFocus(); // already focused: nothing
    // During OnExit the old control still has the focus; during OnEnter the new one has it.
    EXPECT_EQ(log, (TLog{"a:enter+", "a:exit+", "b:enter+"}));
    EXPECT_EQ(form->GetActiveControl(), b);
    EXPECT_EQ(Application()->GetFocus(), b);
}

TEST_F(FocusTest, ParentlessWindowedControlTakesTheFocusAsItsOwnWindow) {
    TLog log;
    TPad pad(nullptr, &log);
    EXPECT_FALSE(pad.HandleAllocated());
    pad.SetFocus();
    EXPECT_TRUE(pad.HandleAllocated());
    EXPECT_TRUE(pad.Focused());
    EXPECT_EQ(Application()->GetActiveWindow(), &pad);
    Driver.PressKey('Z');
    EXPECT_EQ(log, (TLog{"pad:enter+", "pad:keydown(90)", "pad:char(122)", "pad:keyup(90)"}));
}

TEST_F(FocusTest, OnlyVisibleEnabledControlsOnShownFormsCanFocus) {
    TForm form(nullptr);
    auto* inner = new TWinControl(&form);
    inner->SetParent(&form);
    auto* pad = new TPad(&form);
    pad->SetParent(inner);
    const struct {
        bool FormShown, InnerVisible, InnerEnabled, PadVisible;
        bool Can;
    } cases[] = {
        {true, true, true, true, true},   {false, true, true, true, false}, {true, false, true, true, false},
        {true, true, false, true, false}, {true, true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.FormShown << c.InnerVisible << c.InnerEnabled << c.PadVisible);
        form.SetVisible(c.FormShown);
        inner->SetVisible(c.InnerVisible);
        inner->SetEnabled(c.InnerEnabled);
        pad->SetVisible(c.PadVisible);
        EXPECT_EQ(pad->CanFocus(), c.Can);
        if (!c.Can) {
            try {
                pad->SetFocus();
                ADD_FAILURE() << "no exception";
            } catch (const EInvalidOperation& e) {
                EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
            }
        }
    }
}

TEST_F(FocusTest, HidingDisablingOrDestroyingTheFocusedControlGivesTheFocusToItsWindow) {
    auto form = ShownForm();
    TLog log;
    auto* a = new TPad(form.get(), &log, "a");
    a->SetParent(form.get());
    const struct {
        const char* Name;
        std::function<void()> Act;
        std::function<void()> Undo;
        bool Exit;
    } cases[] = {
        {"hide", [&] { a->SetVisible(false); }, [&] { a->SetVisible(true); }, true},
        {"disable", [&] { a->SetEnabled(false); }, [&] { a->SetEnabled(true); }, true},
        {"remove", [&] { a->SetParent(nullptr); }, [&] { a->SetParent(form.get()); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        a->SetFocus();
        log.clear();
        c.Act();
        EXPECT_EQ(Application()->GetFocus(), form.get());
        EXPECT_FALSE(a->Focused());
        EXPECT_EQ(log.size(), c.Exit ? 1u : 0u);
        c.Undo();
    }
    a->SetFocus();
    delete a;
    EXPECT_EQ(form->GetActiveControl(), nullptr);
    EXPECT_EQ(Application()->GetFocus(), form.get());
}

TEST_F(FocusTest, ShowingAFormFocusesItsActiveControlOrFirstTabStop) {
    TForm form(nullptr);
    auto* a = new TPad(&form);
    auto* b = new TPad(&form);
    a->SetParent(&form);
    b->SetParent(&form);
    a->SetTabStop(false);
    form.Show();
    EXPECT_TRUE(b->Focused());
    form.Hide();
    EXPECT_EQ(Application()->GetFocus(), nullptr);
    form.SetActiveControl(a);
    form.Show();
    EXPECT_TRUE(a->Focused());
    TPad stranger(nullptr);
    EXPECT_THROW(form.SetActiveControl(&stranger), EInvalidOperation);
}

TEST_F(FocusTest, SwitchingWindowsMovesFocusAndActivation) {
    TLog log;
    auto f1 = ShownForm();
    auto* a = new TPad(f1.get(), &log, "a");
    a->SetParent(f1.get());
    a->SetFocus();
    TForm f2(nullptr);
    auto* b = new TPad(&f2, &log, "b");
    b->SetParent(&f2);
    f1->OnDeactivate = [&](TObject*) { log.push_back("f1:deactivate"); };
    f2.OnActivate = [&](TObject*) { log.push_back("f2:activate"); };
    log.clear();
    f2.Show();
    EXPECT_EQ(log, (TLog{"a:exit+", "f1:deactivate", "f2:activate", "b:enter+"}));
    EXPECT_EQ(Screen()->GetActiveForm(), &f2);
    EXPECT_EQ(Screen()->GetActiveControl(), b);
    log.clear();
    f2.Hide(); // the main or last visible form takes over, with its remembered control
    EXPECT_EQ(Application()->GetActiveWindow(), f1.get());
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(log, (TLog{"b:exit+", "a:enter+"}));
}
