// Translation of Qt input into the layer's input events: buttons, positions, shift states, virtual-key
// codes and code page 1252 characters.
#include "QtInternal.h"

#include <qyx/platform/CodePage.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace qyx {

namespace {

struct TKeyMap {
    int Qt;
    uint16_t Vk;
};

// Keys whose code does not depend on the keyboard layout.
constexpr TKeyMap FixedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},     {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},        {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},  {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
};

// Keypad keys other than the digits (with Qt::KeypadModifier).
constexpr TKeyMap KeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

TMouseButton ToButton(Qt::MouseButton B, bool& Known) {
    Known = true;
    switch (B) {
    case Qt::LeftButton: return mbLeft;
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: Known = false; return mbLeft;
    }
}

TPoint ToPoint(const QPointF& P) {
    return {static_cast<int>(std::floor(P.x())), static_cast<int>(std::floor(P.y()))};
}

/// The code page 1252 bytes of a key's text; characters the code page lacks are left out.
std::vector<int> TextBytes(const QString& Text) {
    std::vector<int> out;
    for (char32_t u : Text.toUcs4()) {
        const int b = UnicodeToCp1252(u);
        if (b >= 0) out.push_back(b);
    }
    return out;
}

} // namespace

TShiftState QtToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState s;
    if (Modifiers & Qt::ShiftModifier) s.Include(ssShift);
    if (Modifiers & Qt::ControlModifier) s.Include(ssCtrl);
    if (Modifiers & Qt::AltModifier) s.Include(ssAlt);
    if (Buttons & Qt::LeftButton) s.Include(ssLeft);
    if (Buttons & Qt::RightButton) s.Include(ssRight);
    if (Buttons & Qt::MiddleButton) s.Include(ssMiddle);
    return s;
}

uint16_t QtKeyToVirtualKey(int QtKey, Qt::KeyboardModifiers Modifiers, const QString& Text) {
    if (Modifiers & Qt::KeypadModifier) {
        if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
            return static_cast<uint16_t>(VK_NUMPAD0 + (QtKey - Qt::Key_0));
        for (const TKeyMap& m : KeypadKeys)
            if (m.Qt == QtKey) return m.Vk;
    }
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<uint16_t>('A' + (QtKey - Qt::Key_A));
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<uint16_t>('0' + (QtKey - Qt::Key_0));
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
    for (const TKeyMap& m : FixedKeys)
        if (m.Qt == QtKey) return m.Vk;
    // Punctuation: the key that types the character on the reference layout, whatever key the
    // user's layout puts it on. Qt reports the character itself as the key for these.
    uint16_t vk = 0;
    bool shift = false;
    if (QtKey > 0 && QtKey < 0x100) {
        const int b = UnicodeToCp1252(static_cast<char32_t>(QtKey));
        if (b >= 0 && CharToVirtualKey(static_cast<char>(b), vk, shift)) return vk;
    }
    const std::vector<int> bytes = TextBytes(Text);
    if (bytes.size() == 1 && CharToVirtualKey(static_cast<char>(bytes[0]), vk, shift)) return vk;
    return 0;
}

void PostQtMouse(TControl* Root, QMouseEvent* Event, TInputKind Kind, bool DoubleClick) {
    if (Root == nullptr) return;
    TInputEvent e;
    e.Kind = Kind;
    e.Pos = ToPoint(Event->position());
    e.Shift = QtToShiftState(Event->modifiers(), Event->buttons());
    if (Kind != ikMouseMove) {
        bool known = false;
        e.Button = ToButton(Event->button(), known);
        if (!known) return;
        e.DoubleClick = DoubleClick;
        if (DoubleClick) e.Shift.Include(ssDouble);
    }
    Application()->PostInput(Root, e);
    if (TQtBackend* b = TQtBackend::Instance()) b->WorkPosted();
}

void PostQtWheel(TControl* Root, QWheelEvent* Event) {
    if (Root == nullptr) return;
    const int delta = Event->angleDelta().y() != 0 ? Event->angleDelta().y() : Event->angleDelta().x();
    if (delta == 0) return;
    TInputEvent e;
    e.Kind = ikMouseWheel;
    e.Pos = ToPoint(Event->position());
    e.Shift = QtToShiftState(Event->modifiers(), Event->buttons());
    e.WheelDelta = delta;
    Application()->PostInput(Root, e);
    if (TQtBackend* b = TQtBackend::Instance()) b->WorkPosted();
}

void PostQtKey(TControl* Root, QKeyEvent* Event, bool Down) {
    if (!Down && Event->isAutoRepeat()) return;
    const uint16_t vk = QtKeyToVirtualKey(Event->key(), Event->modifiers(), Event->text());
    const TShiftState shift = QtToShiftState(Event->modifiers(), Qt::NoButton);
    std::vector<int> chars = Down ? TextBytes(Event->text()) : std::vector<int>{};
    // As on the reference layout: with Alt nothing types, with Ctrl only letters (1 ... 26); control
    // characters other than Backspace, Tab, Enter and Escape, and Delete (127), are not typed.
    std::erase_if(chars, [&](int c) {
        if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) return true;
        if (shift.Contains(ssCtrl)) return !(c >= 1 && c <= 26 && vk >= 'A' && vk <= 'Z');
        return c == 127 || (c < 32 && c != 8 && c != 9 && c != 13 && c != 27);
    });
    if (vk == 0 && chars.empty()) return;
    TInputEvent e;
    e.Shift = shift;
    if (vk != 0) {
        e.Kind = Down ? ikKeyDown : ikKeyUp;
        e.Key = vk;
        // The key down carries its character when it types exactly one; more come as characters.
        if (chars.size() == 1) e.Char = chars[0];
        Application()->PostInput(Root, e);
    }
    if (vk == 0 || chars.size() > 1) {
        for (int c : chars) {
            TInputEvent ch;
            ch.Kind = ikChar;
            ch.Shift = shift;
            ch.Char = c;
            Application()->PostInput(Root, ch);
        }
    }
    if (TQtBackend* b = TQtBackend::Instance()) b->WorkPosted();
}

QString Cp1252ToQString(const std::string& Text) {
    const std::string u = Cp1252ToUtf8(Text);
    return QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size()));
}

std::string QStringToCp1252(const QString& Text) {
    const QByteArray u = Text.toUtf8();
    return Utf8ToCp1252(std::string_view(u.constData(), static_cast<size_t>(u.size())));
}

} // namespace qyx
