// Basic types that cross the public interfaces: points and rectangles, small enumeration sets,
// alignment, font styles, shift states, mouse buttons, pen styles, draw states, modal results and
// the event signatures of the toolkit.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace qyx {

class TObject;

/// Date and time: days since 30 December 1899 as a double; the fraction is the time of day.
using TDateTime = double;

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A rectangle of device pixels; Right and Bottom are exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& P) const { return P.x >= Left && P.x < Right && P.y >= Top && P.y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return {X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return {Left, Top, Left + Width, Top + Height}; }

/// A set of the values of an unscoped enumeration whose values are below 64.
template <typename E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Items) {
        for (E e : Items) FBits |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { FBits &= ~Bit(e); return *this; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t Bits) { TSet s; s.FBits = Bits; return s; }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
    constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
    friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

private:
    static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
    uint64_t FBits = 0;
};

/// Horizontal text alignment, in the order of its XML name table.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

/// Font style members, in the order of their XML name table.
enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

/// Modifier keys and mouse buttons held during an input event.
enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

/// Pen styles; the zero value is solid.
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

/// States of an owner-drawn list item.
enum TOwnerDrawStateItem : uint8_t {
    odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
    odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

/// States of a grid cell being drawn.
enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

/// Results of modal forms and dialogues.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;

/// Stage of a long operation reported through a progress event.
enum TProgressStage : uint8_t { psStarting, psRunning, psEnding };

using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone,
                                          bool RedrawNow, const TRect& R, const std::string& Msg)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

} // namespace qyx
