// Translation of Qt keys and modifiers into virtual-key codes and shift states (no display needed).
#include <qyx/platform/QtWindows.h>

#include <gtest/gtest.h>

using namespace qyx;

TEST(QtKeysTest, KeysBecomeVirtualKeyCodes) {
    struct Case {
        int Key;
        Qt::KeyboardModifiers Mods;
        const char* Text;
        uint16_t Vk;
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 'A'},
        {Qt::Key_Z, Qt::ShiftModifier, "Z", 'Z'},
        {Qt::Key_C, Qt::ControlModifier, "\x03", 'C'},
        {Qt::Key_5, Qt::NoModifier, "5", '5'},
        {Qt::Key_Percent, Qt::ShiftModifier, "%", '5'}, // the key that types it on the reference layout
        {Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", VK_ESCAPE},
        {Qt::Key_Shift, Qt::ShiftModifier, "", VK_SHIFT},
        {Qt::Key_Control, Qt::ControlModifier, "", VK_CONTROL},
        {Qt::Key_Left, Qt::NoModifier, "", VK_LEFT},
        {Qt::Key_Down, Qt::NoModifier, "", VK_DOWN},
        {Qt::Key_PageUp, Qt::NoModifier, "", VK_PRIOR},
        {Qt::Key_PageDown, Qt::NoModifier, "", VK_NEXT},
        {Qt::Key_Home, Qt::NoModifier, "", VK_HOME},
        {Qt::Key_End, Qt::NoModifier, "", VK_END},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", VK_DELETE},
        {Qt::Key_F1, Qt::NoModifier, "", VK_F1},
        {Qt::Key_F12, Qt::NoModifier, "", VK_F12},
        {Qt::Key_Plus, Qt::ShiftModifier, "+", VK_OEM_PLUS},
        {Qt::Key_Equal, Qt::NoModifier, "=", VK_OEM_PLUS},
        {Qt::Key_Comma, Qt::NoModifier, ",", VK_OEM_COMMA},
        {Qt::Key_Minus, Qt::NoModifier, "-", VK_OEM_MINUS},
        {Qt::Key_Period, Qt::NoModifier, ".", VK_OEM_PERIOD},
        {Qt::Key_7, Qt::KeypadModifier, "7", VK_NUMPAD7},
        {Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL},
        {Qt::Key_Plus, Qt::KeypadModifier, "+", VK_ADD},
        {Qt::Key_Asterisk, Qt::KeypadModifier, "*", VK_MULTIPLY},
        {Qt::Key_unknown, Qt::NoModifier, "", 0},
        {Qt::Key_Eacute, Qt::NoModifier, "\xc3\xa9", 0}, // typed as a character only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        SCOPED_TRACE(c.Key);
        EXPECT_EQ(QtKeyToVirtualKey(c.Key, c.Mods, QString::fromUtf8(c.Text)), c.Vk);
    }
}

TEST(QtKeysTest, ModifiersAndButtonsBecomeShiftStates) {
    EXPECT_EQ(QtToShiftState(Qt::NoModifier, Qt::NoButton), TShiftState{});
    EXPECT_EQ(QtToShiftState(Qt::ShiftModifier | Qt::AltModifier, Qt::LeftButton),
              (TShiftState{ssShift, ssAlt, ssLeft}));
    EXPECT_EQ(QtToShiftState(Qt::ControlModifier | Qt::KeypadModifier, Qt::RightButton | Qt::MiddleButton),
              (TShiftState{ssCtrl, ssRight, ssMiddle}));
    EXPECT_EQ(QtToShiftState(Qt::MetaModifier, Qt::BackButton), TShiftState{});
}
