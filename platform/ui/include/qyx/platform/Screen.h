// The screen: its size, the forms, the active control, the application-wide cursor and the list of
// numbered cursors.
//
// The cursor shown is Screen()->GetCursor() when it is not crDefault (a busy cursor set around a long
// operation), otherwise the Cursor of the control under the pointer, or of its nearest parent whose
// Cursor is not crDefault, or crArrow. It is recomputed on every mouse move and every change of the
// screen cursor, kept in GetShownCursor for tests and passed to the window host under the pointer.
//
// Numbered cursors: SetCursors(n, Handle) registers a cursor loaded with LoadCursor (a cursor
// resource of a library, see Resources.h) under number n; the predefined shapes (crArrow ... crSizeAll)
// are always there. A backend reads a registered cursor's image through GetCursorImage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <qyx/platform/Controls.h>

namespace qyx {

class TCustomForm;

/// A loaded cursor; 0 is none. Handles of the predefined shapes are their (non-positive) numbers
/// made positive with an offset; loaded cursors get their own.
using HCURSOR = uint32_t;

/// The image of a loaded cursor: a colour bitmap, a mask (1 bits transparent; may be empty) and the
/// hot spot.
struct TCursorImage {
    const TBitmap* Image = nullptr;
    const TBitmap* Mask = nullptr;
    int HotX = 0;
    int HotY = 0;
};

/// Loads the cursor resource Name (Resources.h); 0 when there is none. Raises EInvalidGraphic for a
/// malformed resource. Loading a name again gives the same handle.
HCURSOR LoadCursor(const std::string& Name);
/// The image of a loaded cursor; false for predefined shapes and unknown handles.
bool GetCursorImage(HCURSOR Handle, TCursorImage& Image);

class TScreen : public TObject {
public:
    TScreen();
    ~TScreen() override;

    /// Size of the (virtual) screen in pixels: 1920 x 1080 headless; a backend sets the real one.
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetSize(int Width, int Height);
    int GetPixelsPerInch() const { return 96; }

    /// The application-wide cursor (crDefault: none); setting it updates the shown cursor at once.
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    /// The handle registered under a cursor number: the predefined shapes' own, a registered one, or
    /// the arrow's for unknown numbers.
    HCURSOR GetCursors(int Index) const;
    void SetCursors(int Index, HCURSOR Handle);
    /// The cursor currently shown (see above).
    TCursor GetShownCursor() const { return FShown; }

    int GetFormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* GetForms(int Index) const;
    /// The active form (nullptr when the active window is not a form) and its focused control.
    TCustomForm* GetActiveForm() const;
    TWinControl* GetActiveControl() const;

private:
    friend struct TUiInternal;
    void UpdateShownCursor(TControl* UnderPointer);

    int FWidth = 1920;
    int FHeight = 1080;
    TCursor FCursor = crDefault;
    TCursor FShown = crArrow;
    TControl* FUnderPointer = nullptr;
    std::vector<std::pair<int, HCURSOR>> FCursors;
    std::vector<TCustomForm*> FForms;
};

/// The process-wide screen object (created on first use, never destroyed).
TScreen* Screen();

} // namespace qyx
