// Messages of the control layer: window handles, message records and their identifiers, virtual-key
// codes, key-state flags, and the conversions between key states, shift states and characters.
//
// A message is a record (identifier, two parameters, result). Controls receive messages through
// TControl::WndProc, which hands each known identifier to an overridable handler taking the typed
// record (TWMMouse, TWMKey, ...); an override calls the base handler explicitly to get the default
// handling, before or after its own work, and may change the record it passes on.
//
// Fixed conventions:
// - Mouse positions in messages are client coordinates of the receiving control, packed into LParam
//   as two signed 16-bit values (x low, y high); a captured control receives negative coordinates
//   and coordinates beyond its size.
// - Key state (Keys) of mouse messages: MK_LBUTTON, MK_RBUTTON, MK_MBUTTON for held buttons, MK_SHIFT
//   and MK_CONTROL, and MK_ALT (this layer's own bit) for a held Alt key, so that a shift state made
//   from a message's key state is complete and does not depend on any global keyboard state.
// - Key messages carry the virtual-key code in CharCode and the key data in KeyData: bit 25 is set
//   while Shift is held, bit 26 while Ctrl is held (this layer's own bits), bit 29 while Alt is held,
//   bit 30 when the key was already down (auto-repeat), bit 31 on key-up.
// - Character messages carry one code page 1252 byte.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <qyx/platform/Types.h>

namespace qyx {

/// A window handle: a windowed control's window or a private message window. 0 is no window; handles
/// are never reused within a process.
using HWND = uintptr_t;

/// The general message record.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

/// The window procedure of a private message window.
using TWndMethod = std::function<void(TMessage& Message)>;

// Message identifiers.
constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_GETDLGCODE = 0x0087;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_USER = 0x0400;

/// Messages of the control layer itself.
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 1;      ///< WParam key; a top-level window's dialog navigation
constexpr uint32_t CM_WANTSPECIALKEY = CM_BASE + 2; ///< WParam key; Result 1 keeps the key from navigation
constexpr uint32_t CM_RELEASE = CM_BASE + 3;        ///< posted by TCustomForm::Release
constexpr uint32_t CM_MENUCLICK = CM_BASE + 4;      ///< WParam command number of a chosen menu item

/// Notifications reflected to the focused control before dialog navigation (key pre-processing).
constexpr uint32_t CN_BASE = 0xBC00;
constexpr uint32_t CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr uint32_t CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr uint32_t CN_CHAR = CN_BASE + WM_CHAR;

// Key-state flags of mouse messages.
constexpr uint32_t MK_LBUTTON = 0x0001;
constexpr uint32_t MK_RBUTTON = 0x0002;
constexpr uint32_t MK_SHIFT = 0x0004;
constexpr uint32_t MK_CONTROL = 0x0008;
constexpr uint32_t MK_MBUTTON = 0x0010;
constexpr uint32_t MK_ALT = 0x0100;

/// Key-data bits of key and character messages.
constexpr int32_t KF_SHIFTDOWN = 1 << 25;
constexpr int32_t KF_CTRLDOWN = 1 << 26;
constexpr int32_t KF_ALTDOWN = 1 << 29;
constexpr int32_t KF_REPEAT = 1 << 30;
constexpr int32_t KF_UP = static_cast<int32_t>(1u << 31);

/// Answers to WM_GETDLGCODE: which keys a control keeps from dialog navigation.
constexpr intptr_t DLGC_WANTARROWS = 0x0001;
constexpr intptr_t DLGC_WANTTAB = 0x0002;
constexpr intptr_t DLGC_WANTALLKEYS = 0x0004;
constexpr intptr_t DLGC_WANTCHARS = 0x0080;

// Virtual-key codes.
constexpr uint16_t VK_LBUTTON = 0x01;
constexpr uint16_t VK_RBUTTON = 0x02;
constexpr uint16_t VK_CANCEL = 0x03;
constexpr uint16_t VK_MBUTTON = 0x04;
constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_CLEAR = 0x0C;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12;
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_CAPITAL = 0x14;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21;
constexpr uint16_t VK_NEXT = 0x22;
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_SNAPSHOT = 0x2C;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_HELP = 0x2F;
// '0' ... '9' (0x30 ... 0x39) and 'A' ... 'Z' (0x41 ... 0x5A) are their own codes.
constexpr uint16_t VK_LWIN = 0x5B;
constexpr uint16_t VK_RWIN = 0x5C;
constexpr uint16_t VK_APPS = 0x5D;
constexpr uint16_t VK_NUMPAD0 = 0x60;
constexpr uint16_t VK_NUMPAD1 = 0x61;
constexpr uint16_t VK_NUMPAD2 = 0x62;
constexpr uint16_t VK_NUMPAD3 = 0x63;
constexpr uint16_t VK_NUMPAD4 = 0x64;
constexpr uint16_t VK_NUMPAD5 = 0x65;
constexpr uint16_t VK_NUMPAD6 = 0x66;
constexpr uint16_t VK_NUMPAD7 = 0x67;
constexpr uint16_t VK_NUMPAD8 = 0x68;
constexpr uint16_t VK_NUMPAD9 = 0x69;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70; ///< VK_F1 + n - 1 is function key n (1 ... 24)
constexpr uint16_t VK_F12 = 0x7B;
constexpr uint16_t VK_NUMLOCK = 0x90;
constexpr uint16_t VK_SCROLL = 0x91;
constexpr uint16_t VK_OEM_1 = 0xBA;      ///< ";:"
constexpr uint16_t VK_OEM_PLUS = 0xBB;   ///< "=+" (187)
constexpr uint16_t VK_OEM_COMMA = 0xBC;  ///< ",<" (188)
constexpr uint16_t VK_OEM_MINUS = 0xBD;  ///< "-_" (189)
constexpr uint16_t VK_OEM_PERIOD = 0xBE; ///< ".>" (190)
constexpr uint16_t VK_OEM_2 = 0xBF;      ///< "/?"
constexpr uint16_t VK_OEM_3 = 0xC0;      ///< "`~"
constexpr uint16_t VK_OEM_4 = 0xDB;      ///< "[{"
constexpr uint16_t VK_OEM_5 = 0xDC;      ///< "\|"
constexpr uint16_t VK_OEM_6 = 0xDD;      ///< "]}"
constexpr uint16_t VK_OEM_7 = 0xDE;      ///< "'\""

/// Mouse message: key state, position in client coordinates.
struct TWMMouse {
    uint32_t Msg = 0;
    uint32_t Keys = 0;
    int XPos = 0;
    int YPos = 0;
    intptr_t Result = 0;
    TPoint Pos() const { return {XPos, YPos}; }
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

/// Wheel message: key state, signed delta (120 per notch, positive away from the user), position in
/// client coordinates of the receiving control.
struct TWMMouseWheel {
    uint32_t Msg = WM_MOUSEWHEEL;
    uint32_t Keys = 0;
    int WheelDelta = 0;
    int XPos = 0;
    int YPos = 0;
    intptr_t Result = 0;
};

/// Key and character message: virtual-key code (or the character byte) and key data.
struct TWMKey {
    uint32_t Msg = 0;
    uint16_t CharCode = 0;
    int32_t KeyData = 0;
    intptr_t Result = 0;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;

/// Timer message: the timer's number.
struct TWMTimer {
    uint32_t Msg = WM_TIMER;
    uintptr_t TimerID = 0;
    intptr_t Result = 0;
};

/// Focus message: the window that loses (WM_SETFOCUS) or gains (WM_KILLFOCUS) the focus, 0 if none.
struct TWMFocus {
    uint32_t Msg = 0;
    HWND FocusedWnd = 0;
    intptr_t Result = 0;
};
using TWMSetFocus = TWMFocus;
using TWMKillFocus = TWMFocus;

/// Paint message: the rectangle to paint, client coordinates (WM_PAINT's LParam points at it; 0 means
/// the whole client area).
struct TWMPaint {
    uint32_t Msg = WM_PAINT;
    TRect Area;
    intptr_t Result = 0;
};

/// LParam of a mouse message from a position (signed 16-bit x low, y high; values are clamped).
intptr_t PointToLParam(TPoint P);
/// The position packed in a mouse message's LParam.
TPoint LParamToPoint(intptr_t LParam);

// Typed views of a general message and back.
TWMMouse ToMouse(const TMessage& M);
TMessage FromMouse(const TWMMouse& M);
TWMKey ToKey(const TMessage& M);
TMessage FromKey(const TWMKey& M);

/// Shift state of a mouse message's key state.
TShiftState KeysToShiftState(uint32_t Keys);
/// Key state of a shift state (ssDouble is dropped).
uint32_t ShiftStateToKeys(TShiftState Shift);
/// Shift state of a key message's key data (Shift, Ctrl, Alt).
TShiftState KeyDataToShiftState(int32_t KeyData);
/// Key data for a key message with the given modifiers.
int32_t ShiftStateToKeyData(TShiftState Shift);
/// The current keyboard state as a shift state (Shift, Ctrl, Alt and the held mouse buttons).
TShiftState GetShiftState();
/// Negative (high bit set) when the key is held down, as tracked from dispatched input.
int16_t GetKeyState(int VirtualKey);

/// The character a key types on the reference (US) layout, or -1 when it types none: letters
/// lower-case, upper-case with Shift; digits and their shifted symbols; the OEM keys as noted on their
/// codes; the numeric keypad's digits and operators; Space, Enter (13), Escape (27), Backspace (8) and
/// Tab (9). With Ctrl, letters type the control characters 1 ... 26 and nothing else types; with Alt
/// nothing types.
int VirtualKeyToChar(uint16_t Key, TShiftState Shift);
/// The key (and whether Shift is needed) that types a character on the reference layout; false for
/// characters no key types. A backend uses it for keys whose code depends on the layout: "+" and "="
/// give 187, "," 188, "-" 189, "." 190, whatever key the user's layout puts them on.
bool CharToVirtualKey(char Ch, uint16_t& Key, bool& NeedsShift);

/// Posts a message to a window's queue; false when the window does not exist.
bool PostMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
/// Delivers a message at once and returns its result (0 when the window does not exist).
intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
/// Whether Wnd names an existing window.
bool IsWindow(HWND Wnd);

} // namespace qyx
