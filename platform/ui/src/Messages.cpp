// Message records, key states and the reference keyboard layout.
#include <qyx/platform/Messages.h>

#include <algorithm>
#include <cstring>

namespace qyx {

namespace {

int16_t Clamp16(int V) {
    return static_cast<int16_t>(std::clamp(V, -32768, 32767));
}

// The OEM keys of the reference layout: code, unshifted and shifted character.
struct TOemKey {
    uint16_t Key;
    char Plain;
    char Shifted;
};
constexpr TOemKey OemKeys[] = {
    {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
};
constexpr char ShiftedDigits[] = ")!@#$%^&*(";

struct TPadKey {
    uint16_t Key;
    char Ch;
};
constexpr TPadKey PadKeys[] = {
    {VK_MULTIPLY, '*'}, {VK_ADD, '+'}, {VK_SUBTRACT, '-'}, {VK_DECIMAL, '.'}, {VK_DIVIDE, '/'},
};

} // namespace

intptr_t PointToLParam(TPoint P) {
    const auto x = static_cast<uint16_t>(Clamp16(P.x));
    const auto y = static_cast<uint16_t>(Clamp16(P.y));
    return static_cast<intptr_t>(static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16));
}

TPoint LParamToPoint(intptr_t LParam) {
    const auto v = static_cast<uint32_t>(LParam);
    return {static_cast<int16_t>(v & 0xFFFF), static_cast<int16_t>(v >> 16)};
}

TWMMouse ToMouse(const TMessage& M) {
    const TPoint p = LParamToPoint(M.LParam);
    return {M.Msg, static_cast<uint32_t>(M.WParam), p.x, p.y, M.Result};
}

TMessage FromMouse(const TWMMouse& M) {
    return {M.Msg, M.Keys, PointToLParam({M.XPos, M.YPos}), M.Result};
}

TWMKey ToKey(const TMessage& M) {
    return {M.Msg, static_cast<uint16_t>(M.WParam), static_cast<int32_t>(M.LParam), M.Result};
}

TMessage FromKey(const TWMKey& M) {
    return {M.Msg, M.CharCode, M.KeyData, M.Result};
}

TShiftState KeysToShiftState(uint32_t Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_ALT) s.Include(ssAlt);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    return s;
}

uint32_t ShiftStateToKeys(TShiftState Shift) {
    uint32_t k = 0;
    if (Shift.Contains(ssShift)) k |= MK_SHIFT;
    if (Shift.Contains(ssCtrl)) k |= MK_CONTROL;
    if (Shift.Contains(ssAlt)) k |= MK_ALT;
    if (Shift.Contains(ssLeft)) k |= MK_LBUTTON;
    if (Shift.Contains(ssRight)) k |= MK_RBUTTON;
    if (Shift.Contains(ssMiddle)) k |= MK_MBUTTON;
    return k;
}

TShiftState KeyDataToShiftState(int32_t KeyData) {
    TShiftState s;
    if (KeyData & KF_SHIFTDOWN) s.Include(ssShift);
    if (KeyData & KF_CTRLDOWN) s.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN) s.Include(ssAlt);
    return s;
}

int32_t ShiftStateToKeyData(TShiftState Shift) {
    int32_t d = 0;
    if (Shift.Contains(ssShift)) d |= KF_SHIFTDOWN;
    if (Shift.Contains(ssCtrl)) d |= KF_CTRLDOWN;
    if (Shift.Contains(ssAlt)) d |= KF_ALTDOWN;
    return d;
}

int VirtualKeyToChar(uint16_t Key, TShiftState Shift) {
    if (Shift.Contains(ssAlt)) return -1;
    const bool shift = Shift.Contains(ssShift);
    if (Key >= 'A' && Key <= 'Z') {
        if (Shift.Contains(ssCtrl)) return Key - 'A' + 1;
        return shift ? Key : Key - 'A' + 'a';
    }
    if (Shift.Contains(ssCtrl)) return -1;
    if (Key >= '0' && Key <= '9') return shift ? ShiftedDigits[Key - '0'] : Key;
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return '0' + (Key - VK_NUMPAD0);
    for (const auto& p : PadKeys)
        if (p.Key == Key) return p.Ch;
    for (const auto& o : OemKeys)
        if (o.Key == Key) return shift ? o.Shifted : o.Plain;
    switch (Key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    default: return -1;
    }
}

bool CharToVirtualKey(char Ch, uint16_t& Key, bool& NeedsShift) {
    const auto c = static_cast<unsigned char>(Ch);
    NeedsShift = false;
    if (c >= 'a' && c <= 'z') {
        Key = static_cast<uint16_t>(c - 'a' + 'A');
        return true;
    }
    if (c >= 'A' && c <= 'Z') {
        Key = c;
        NeedsShift = true;
        return true;
    }
    if (c >= '0' && c <= '9') {
        Key = c;
        return true;
    }
    if (const char* p = std::strchr(ShiftedDigits, Ch); p != nullptr && c != 0) {
        Key = static_cast<uint16_t>('0' + (p - ShiftedDigits));
        NeedsShift = true;
        return true;
    }
    for (const auto& o : OemKeys) {
        if (o.Plain == Ch || o.Shifted == Ch) {
            Key = o.Key;
            NeedsShift = o.Shifted == Ch;
            return true;
        }
    }
    switch (c) {
    case ' ': Key = VK_SPACE; return true;
    case 13: Key = VK_RETURN; return true;
    case 27: Key = VK_ESCAPE; return true;
    case 8: Key = VK_BACK; return true;
    case 9: Key = VK_TAB; return true;
    default: return false;
    }
}

} // namespace qyx
