// Keyboard input: key translation, pre-processing before navigation, the key events and their order,
// dialog navigation with Tab and arrows, key preview.
#include "UiTestSupport.h"

using namespace qyx;
using namespace qyx::test;

namespace {

class KeyboardTest : public UiTest {
protected:
    void SetUp() override {
        form = ShownForm(200, 100);
        for (int i = 0; i < 3; ++i) {
            pads[i] = new TPad(form.get(), &log, "p" + std::to_string(i));
            pads[i]->SetParent(form.get());
            pads[i]->SetBounds(i * 50, 0, 40, 30);
        }
        pads[0]->SetFocus();
        log.clear();
    }
    std::unique_ptr<TForm> form;
    TPad* pads[3] = {};
    TLog log;
};

/// A control that pre-processes every key, as controls with their own editing do.
class TEditor : public TPad {
public:
    using TPad::TPad;
    std::vector<uint16_t> Seen;
    bool ShiftHeld = false;

protected:
    void CNKeyDown(TWMKey& M) override {
        Seen.push_back(M.CharCode);
        if (M.CharCode == VK_SHIFT) ShiftHeld = true;
        M.Result = 1; // used up: no navigation, no WM_KEYDOWN, no character
    }
    void CNKeyUp(TWMKey& M) override {
        if (M.CharCode == VK_SHIFT) ShiftHeld = false;
        TPad::CNKeyUp(M);
    }
};

} // namespace

TEST(KeyTranslation, VirtualKeysTypeCharactersOnTheReferenceLayout) {
    const struct {
        uint16_t Key;
        TShiftState Shift;
        int Char;
    } cases[] = {
        {'A', {}, 'a'},
        {'A', {ssShift}, 'A'},
        {'C', {ssCtrl}, 3},
        {'C', {ssAlt}, -1},
        {'4', {}, '4'},
        {'4', {ssShift}, '$'},
        {'0', {ssShift}, ')'},
        {VK_OEM_PLUS, {}, '='},
        {VK_OEM_PLUS, {ssShift}, '+'},
        {VK_OEM_COMMA, {}, ','},
        {VK_OEM_MINUS, {}, '-'},
        {VK_OEM_PERIOD, {}, '.'},
        {VK_NUMPAD7, {}, '7'},
        {VK_DECIMAL, {}, '.'},
        {VK_RETURN, {}, 13},
        {VK_ESCAPE, {}, 27},
        {VK_BACK, {}, 8},
        {VK_SPACE, {}, ' '},
        {VK_LEFT, {}, -1},
        {VK_SHIFT, {ssShift}, -1},
        {VK_F1, {}, -1},
        {'5', {ssCtrl}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Key) + " shift " + std::to_string(c.Shift.Bits()));
        EXPECT_EQ(VirtualKeyToChar(c.Key, c.Shift), c.Char);
    }
}

TEST(KeyTranslation, CharactersMapBackToTheirKeys) {
    const struct {
        char Ch;
        uint16_t Key;
        bool Shift;
    } cases[] = {
        {'a', 'A', false}, {'Z', 'Z', true},  {'7', '7', false}, {'%', '5', true},  {'+', 187, true},
        {'=', 187, false}, {',', 188, false}, {'-', 189, false}, {'.', 190, false}, {'\r', VK_RETURN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.Ch));
        uint16_t key = 0;
        bool shift = false;
        ASSERT_TRUE(CharToVirtualKey(c.Ch, key, shift));
        EXPECT_EQ(key, c.Key);
        EXPECT_EQ(shift, c.Shift);
        EXPECT_EQ(VirtualKeyToChar(key, shift ? TShiftState{ssShift} : TShiftState{}),
                  static_cast<uint8_t>(c.Ch));
    }
    uint16_t key = 0;
    bool shift = false;
    EXPECT_FALSE(CharToVirtualKey('\xE9', key, shift)); // no key types it: sent as a character
}

TEST_F(KeyboardTest, KeyDownCharacterAndKeyUpReachTheFocusedControlInOrder) {
    Driver.PressKey('A', {ssShift});
    EXPECT_EQ(log, (TLog{"p0:keydown(65)", "p0:char(65)", "p0:keyup(65)"}));
    log.clear();
    Driver.TypeText("x+");
    EXPECT_EQ(log, (TLog{"p0:keydown(88)", "p0:char(120)", "p0:keyup(88)", "p0:keydown(187)", "p0:char(43)",
                         "p0:keyup(187)"}));
}

TEST_F(KeyboardTest, HandlersChangeOrSwallowKeys) {
    struct TAfter : TPad {
        using TPad::TPad;
        std::string After; // the characters as the handlers left them
        void KeyPress(char& Key) override {
            TPad::KeyPress(Key);
            if (Key != 0) After += Key;
        }
    };
    auto* a = new TAfter(form.get());
    a->SetParent(form.get());
    a->SetFocus();
    a->OnKeyDown = [](TObject*, uint16_t& Key, TShiftState) { Key = 0; }; // does not stop the character
    a->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'b') Key = 0;
        if (Key == 'c') Key = 'C';
    };
    std::string previewed;
    form->SetKeyPreview(true);
    form->OnKeyPress = [&](TObject*, char& Key) { previewed += Key; };
    Driver.TypeText("abc");
    EXPECT_EQ(a->After, "aC");
    EXPECT_EQ(previewed, "abc"); // the form sees the keys before the control changes them
}

TEST_F(KeyboardTest, KeyPreviewCanConsumeTheKey) {
    form->SetKeyPreview(true);
    form->OnKeyDown = [](TObject*, uint16_t& Key, TShiftState) {
        if (Key == VK_F1) Key = 0;
    };
    form->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'q') Key = 0;
    };
    Driver.PressKey(VK_F1);
    Driver.TypeChar('q');
    Driver.TypeChar('w');
    EXPECT_EQ(log, (TLog{"p0:keyup(112)", "p0:char(119)"}));
}

TEST_F(KeyboardTest, TabMovesThroughTabStopsInTabOrder) {
    pads[1]->SetTabStop(false);
    pads[2]->SetTabOrder(0); // order now: p2, p0, p1
    struct {
        TShiftState Shift;
        TPad* Expected;
    } steps[] = {{{}, pads[2]}, {{}, pads[0]}, {{ssShift}, pads[2]}, {{ssShift}, pads[0]}};
    for (const auto& s : steps) {
        Driver.PressKey(VK_TAB, s.Shift);
        EXPECT_TRUE(s.Expected->Focused()) << s.Expected->Tag;
    }
    EXPECT_EQ(pads[2]->GetTabOrder(), 0);
    EXPECT_EQ(pads[0]->GetTabOrder(), 1);
    // A navigation key is used up: no key events reach the control.
    for (const std::string& e : log) EXPECT_EQ(e.find("keydown"), std::string::npos) << e;
}

TEST_F(KeyboardTest, ArrowsNavigateUnlessTheControlWantsThem) {
    Driver.PressKey(VK_RIGHT);
    EXPECT_TRUE(pads[1]->Focused());
    pads[1]->DlgCode = DLGC_WANTARROWS;
    log.clear();
    Driver.PressKey(VK_RIGHT);
    EXPECT_TRUE(pads[1]->Focused());
    EXPECT_EQ(log.front(), "p1:keydown(39)");
    pads[1]->DlgCode = DLGC_WANTALLKEYS;
    Driver.PressKey(VK_LEFT);
    EXPECT_TRUE(pads[1]->Focused());
}

TEST_F(KeyboardTest, PreprocessingSeesEveryKeyBeforeNavigation) {
    auto* ed = new TEditor(form.get(), &log, "ed");
    ed->SetParent(form.get());
    ed->SetFocus();
    log.clear();
    Driver.KeyDown(VK_SHIFT, {ssShift});
    EXPECT_TRUE(ed->ShiftHeld);
    Driver.KeyDown(VK_TAB, {ssShift});
    Driver.KeyDown(VK_LEFT, {ssShift});
    Driver.KeyDown('4', {ssShift});
    Driver.KeyUp(VK_SHIFT);
    EXPECT_FALSE(ed->ShiftHeld);
    EXPECT_EQ(ed->Seen, (std::vector<uint16_t>{VK_SHIFT, VK_TAB, VK_LEFT, '4'}));
    EXPECT_TRUE(ed->Focused());
    EXPECT_EQ(log, (TLog{"ed:keyup(16)"})); // used-up keys produce no events or characters
}

TEST_F(KeyboardTest, KeyMessagesCarryShiftStateAndRepeat) {
    std::vector<int32_t> data;
    struct TProbe : TPad {
        using TPad::TPad;
        std::vector<int32_t>* Data = nullptr;
        void WMKeyDown(TWMKey& M) override {
            Data->push_back(M.KeyData);
            TPad::WMKeyDown(M);
        }
    };
    auto* probe = new TProbe(form.get());
    probe->Data = &data;
    probe->SetParent(form.get());
    probe->SetFocus();
    TShiftState shift;
    probe->OnKeyDown = [&](TObject*, uint16_t&, TShiftState S) { shift = S; };
    Driver.KeyDown('X', {ssCtrl, ssAlt});
    EXPECT_EQ(shift, (TShiftState{ssCtrl, ssAlt}));
    Driver.KeyDown('X', {ssCtrl, ssAlt}); // held: auto-repeat
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[0] & KF_REPEAT, 0);
    EXPECT_NE(data[1] & KF_REPEAT, 0);
    EXPECT_NE(data[0] & KF_ALTDOWN, 0);
    EXPECT_LT(GetKeyState('X'), 0);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    Driver.KeyUp('X');
    EXPECT_EQ(GetKeyState('X'), 0);
}

TEST_F(KeyboardTest, KeysGoToTheWindowActiveWhenDispatched) {
    TForm other(nullptr);
    TLog otherLog;
    auto* pad = new TPad(&other, &otherLog, "o");
    pad->SetParent(&other);
    Driver.PostPressKey('K'); // queued now, dispatched after the other form is active
    other.Show();
    Driver.ProcessMessages();
    EXPECT_EQ(log, (TLog{"p0:exit+"})); // the focus left the first form's control
    EXPECT_EQ(otherLog, (TLog{"o:enter+", "o:keydown(75)", "o:char(107)", "o:keyup(75)"}));
}
