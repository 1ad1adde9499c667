// QYX_qyxbase: the vocabulary every library of the system shares.
//
// Sections of this unit:
//   1. Errors and the four message forms
//   2. Shared enumerations and their XML name tables
//   3. Event types, array types and TRectDouble
//   4. Date/time label settings (TDTLabel)
//   5. Language tables
//   6. Global variables
//   7. Drawing primitives: frames, rectangles, marks, bitmap printing, cross-hair settings
//   8. Text labels (TCustomTextLabel)
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <qyx/platform/Color.h>
#include <qyx/platform/Exceptions.h>
#include <qyx/platform/FixedArray.h>
#include <qyx/platform/Object.h>
#include <qyx/platform/Types.h>

namespace qyx {

// ================================================================================================
// 1. Errors and the four message forms
// ================================================================================================

/// Root of every error the libraries raise; catch it to handle them all. Each unit that raises
/// errors of its own declares one direct subclass (EQYXStringlError, EQYXDStructError, ...).
class EQYXError : public Exception {
public:
    using Exception::Exception;
};

/// Component form: `Component "<Name>": <Text>`; the name is empty when C is null or has none.
std::string ComponentMsg(const TComponent* C, const std::string& Text);
/// Class form: `Class <ClassName>: <Text>`.
std::string ClassMsg(const std::string& ClassName, const std::string& Text);
/// Class form with the class name of Obj (empty when Obj is null).
std::string ClassMsg(const TObject* Obj, const std::string& Text);
/// Routine form: `<Routine>: <Text>`.
std::string RoutineMsg(const std::string& Routine, const std::string& Text);

/// Raise E (EQYXError or a subclass) with a message of the component, class, routine or plain form.
template <class E = EQYXError>
[[noreturn]] void RaiseComponentError(const TComponent* C, const std::string& Text) {
    static_assert(std::is_base_of_v<Exception, E>);
    throw E(ComponentMsg(C, Text));
}
template <class E = EQYXError>
[[noreturn]] void RaiseClassError(const std::string& ClassName, const std::string& Text) {
    static_assert(std::is_base_of_v<Exception, E>);
    throw E(ClassMsg(ClassName, Text));
}
template <class E = EQYXError>
[[noreturn]] void RaiseRoutineError(const std::string& Routine, const std::string& Text) {
    static_assert(std::is_base_of_v<Exception, E>);
    throw E(RoutineMsg(Routine, Text));
}
template <class E = EQYXError> [[noreturn]] void RaiseError(const std::string& Text) {
    static_assert(std::is_base_of_v<Exception, E>);
    throw E(Text);
}

// ================================================================================================
// 2. Shared enumerations and their XML name tables
// ================================================================================================
// Values count from 0 in the order given and are stored in one byte. Each xml... table holds the
// text an XML writer emits for a value (its identifier; "bool" for Bool), indexed by the value.

enum TBkgFill : uint8_t { bfSimple, bfStretch, bfTile };
enum TBoundingBox : uint8_t { bbNone, bbFrame, bbFaces };
/// csBWG: frames in fixed grey and white; csSystem: the current button shadow and highlight colours.
enum TColorScheme : uint8_t { csBWG, csSystem };
/// Decimal separator a number reader accepts: the system's, only ".", only ",", or either.
enum TDecPSep : uint8_t { dsSystem, dsDot, dsComma, dsBoth };
enum TFigType : uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
enum TScaleType : uint8_t { sctXB, sctXT, sctYL, sctYR };
enum TVerticalAlignment : uint8_t { vaTop, vaCenter, vaBottom };
enum TYearLength : uint8_t { ylNone, ylYY, ylYYYY };
enum TDateOrder : uint8_t { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime : uint8_t { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
enum TShadowStyle : uint8_t { ssFlying, ssBox };
enum TFrameStyle : uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
enum TTimeFormat : uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };
/// The direction in which a bar grows.
enum TDirection : uint8_t { dirUpward, dirDownward, dirLeftward, dirRightward };
enum TCrossHMode : uint8_t { chOff, chHoriz, chVert, chBoth };
enum TTxtLblAttachMode : uint8_t { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };
enum TTxtLblMode : uint8_t { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
/// Angles as decimal degrees, degrees and minutes, degrees, minutes and seconds, or a plain number.
enum TDegreeFormat : uint8_t { dfDeg, dfDegMin, dfDegMinSec, dfNumeric };
enum TLanguage : uint8_t { lgUnknown, lgEnglish, lgGerman, lgFrench, lgSpanish };
enum TVarKind : uint8_t { rnum, dnum, snum, inum, lnum, Bool, strg };
enum TMouseBoxState : uint8_t { msNormal, msFirstCorner, msRectDraw, msFinished };
enum TMouseActMode : uint8_t {
    maNone,
    maPan,
    maPanHoriz,
    maPanVert,
    maRubberBand,
    maZoom,
    maZoomWind,
    maZoomWindPos,
    maZoomDrag,
    maDragCrossH,
    maDragLabel,
    maRotate,
    maRotAndZoom,
    maRotXOnly,
    maRotZOnly
};
enum TZoomState : uint8_t { zsNormal, zsDrawWin };

/// The XML name table of an enumeration whose values run 0..Last.
template <int Last> using TXmlNameTable = TFixedArray<std::string, 0, Last>;

extern const TXmlNameTable<bfTile> xmlBkgFill;
extern const TXmlNameTable<bbFaces> xmlBoundingBox;
extern const TXmlNameTable<csSystem> xmlColorScheme;
extern const TXmlNameTable<ftUserText> xmlFigType;
extern const TXmlNameTable<sctYR> xmlScaleType;
extern const TXmlNameTable<vaBottom> xmlVerticalAlignment;
extern const TXmlNameTable<ylYYYY> xmlYearLength;
extern const TXmlNameTable<doYYMMDD> xmlDateOrder;
extern const TXmlNameTable<dtAllTicks> xmlDateForTime;
extern const TXmlNameTable<ssBox> xmlShadowStyle;
extern const TXmlNameTable<fsEngraved> xmlFrameStyle;
extern const TXmlNameTable<tfAMPM> xmlTimeFormat;
extern const TXmlNameTable<dirRightward> xmlDirection;
extern const TXmlNameTable<chBoth> xmlCrossHMode;
extern const TXmlNameTable<tlamBoth> xmlTxtLblAttachMode;
extern const TXmlNameTable<tlShadow> xmlTxtLblMode;
extern const TXmlNameTable<lgSpanish> xmlLanguage;
extern const TXmlNameTable<strg> xmlVarKind;
extern const TXmlNameTable<msFinished> xmlMouseBoxState;
extern const TXmlNameTable<maRotZOnly> xmlMouseActMode;
extern const TXmlNameTable<zsDrawWin> xmlZoomState;
/// Names of the platform's horizontal alignment (TAlignment) and font style members (TFontStyle).
extern const TXmlNameTable<taCenter> xmlAlignment;
extern const TXmlNameTable<fsStrikeOut> xmlFontStyle;

// ================================================================================================
// 3. Event types, array types and TRectDouble
// ================================================================================================

/// Progress of a long operation; PercentDone runs 0..100.
using TOnPercentDoneEvent = std::function<void(TObject* Sender, int PercentDone)>;
/// Exchange notification while sorting: what is exchanged, the two indices and the range sorted.
using TSortExchgEvent =
    std::function<void(TObject* Sender, uint8_t ExchgWhat, int index1, int index2, int first, int last)>;
using TZoomPanEvent = std::function<void(TObject* Sender)>;

/// Dynamic array of bytes.
using TBytes = std::vector<uint8_t>;
/// Dynamic array of pairs of doubles (16 bytes each).
using TPDblArray = std::vector<std::array<double, 2>>;

/// A rectangle of doubles; in degrees where it is an area on a map.
struct TRectDouble {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    friend bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

// ================================================================================================
// 4. Date/time label settings
// ================================================================================================

/// How date and time labels are to be formatted; owned by the control that creates it. Every field
/// starts at zero: tfHHMMSS, ylNone, doMMDDYY, dtNone, separators #0, MonthName false.
/// TimeFormat and DateOrder fire OnChange on every assignment; the other setters only on a change.
class TDTLabel : public TPersistent {
public:
    TTimeFormat GetTimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(TTimeFormat Value);
    char GetDateSeparator() const { return FDateSeparator; }
    void SetDateSeparator(char Value);
    char GetTimeSeparator() const { return FTimeSeparator; }
    void SetTimeSeparator(char Value);
    TYearLength GetYearLength() const { return FYearLength; }
    void SetYearLength(TYearLength Value);
    bool GetMonthName() const { return FMonthName; }
    void SetMonthName(bool Value);
    TDateOrder GetDateOrder() const { return FDateOrder; }
    /// The setter behind DateOrder, spelled so; SetDateOrder forwards to it.
    void SetDAteOrder(TDateOrder Value);
    void SetDateOrder(TDateOrder Value) { SetDAteOrder(Value); }
    TDateForTime GetDateForTime() const { return FDateForTime; }
    void SetDateForTime(TDateForTime Value);

    /// Calls OnChange with this label as sender, if assigned.
    void Changed();

    TNotifyEvent OnChange;

private:
    TTimeFormat FTimeFormat = tfHHMMSS;
    char FDateSeparator = '\0';
    char FTimeSeparator = '\0';
    TYearLength FYearLength = ylNone;
    bool FMonthName = false;
    TDateOrder FDateOrder = doMMDDYY;
    TDateForTime FDateForTime = dtNone;
};

// ================================================================================================
// 5. Language tables
// ================================================================================================
// Code page 1252 texts indexed by language; the lgUnknown row holds neutral placeholders
// ("M01".."M12", "D01".."D07", "N00".."N12", "???", "??"). Entries are stored exactly as given,
// including the trailing blank of the French February and the Spanish May "mai".

/// Month names, months 1..12: short (at most 4 characters) and long (at most 10).
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 12> MonthShort;
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 12> MonthLong;
/// Weekday names, days 1..7 with Monday first: short (at most 3 characters) and long (at most 10).
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 7> WeekDayShort;
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, 1, 7> WeekDayLong;
/// Number words 0..12 (at most 6 characters).
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, 0, 12> NumWords;
/// LanguageID[written in][named]: language names (at most 15 characters); "???" for lgUnknown.
extern const TFixedArray2D<std::string, lgUnknown, lgSpanish, lgUnknown, lgSpanish> LanguageID;
/// ISO 639 codes: "??", "en", "de", "fr", "es" and "???", "eng", "ger", "fre", "spa".
extern const TFixedArray<std::string, lgUnknown, lgSpanish> ISO639_2Char;
extern const TFixedArray<std::string, lgUnknown, lgSpanish> ISO639_3Char;

// ================================================================================================
// 6. Global variables
// ================================================================================================

/// A plain routine (not a method) through which numerical routines may report their progress.
using TMathFeedBackProc = void (*)(int PercentDone);
/// Empty at start; the libraries themselves never call it.
extern TMathFeedBackProc MathFeedBackProc;
/// Process status word for the numerics package and applications; 0 after the library has loaded.
extern int32_t ProcStat;

// ================================================================================================
// 7. Drawing primitives
// ================================================================================================
// Free routines every control uses to draw frames and marks the same way. They draw on any canvas
// with the canvas's pixel rules (a line leaves out its end point; rectangle and ellipse boxes exclude
// their right and bottom edge) and keep nothing between calls. A null canvas draws nothing.

class TCanvas;
class TBitmap;

/// A frame of style FrameStyle whose outermost pixels are the columns Left, Right and the rows Top,
/// Bottom (all inclusive: 0, 0, Width - 1, Height - 1 frames a whole control). The 3-D styles draw
/// two nested one-pixel rings, each as a top-left half and a bottom-right half; fsSimple draws the
/// DrawRectangle outline in FrameColor; fsNone and unknown values draw nothing. The pen colour is
/// left at the last colour used.
void DrawFrame(TCanvas* Canvas, TFrameStyle FrameStyle, int Left, int Top, int Right, int Bottom,
               TColor HiliteColor, TColor LightColor, TColor ShadowColor, TColor DarkColor,
               TColor FrameColor);
/// The outline through the four corners with the current pen: MoveTo(X1, Y1), LineTo(X1, Y2),
/// LineTo(X2, Y2), LineTo(X2, Y1), LineTo(X1, Y1).
void DrawRectangle(TCanvas* Canvas, int X1, int Y1, int X2, int Y2);
/// Draws mark Mark centred on (X, Y). Marks 0 ... 47 are symbols in the pen colour (dots, plus signs,
/// crosses, squares, diamonds, circles, triangles, ...) that fit a 7 x 7 cell (a few reach one pixel
/// further); eight of them are pixel patterns on screen and bitmap canvases and lines on the printer
/// canvas. The brush colour is kept; outline symbols leave the brush style solid. Marks 48 ... 255
/// are the character of that code, centred with the canvas's font.
void DrawMarkOnCanvas(TCanvas* Canvas, uint8_t Mark, int X, int Y);
/// A new square bitmap of side 2 Size + 7 (Size limited to 0 ... 255) filled with BkgColor, with mark
/// Mark drawn in MarkColor on its centre pixel (Size + 3, Size + 3); symbols reaching past the
/// bitmap are cut at its edge. The caller owns the bitmap.
std::unique_ptr<TBitmap> CreateMarkAsBitmap(uint8_t Mark, TColor MarkColor, TColor BkgColor, int Size);
/// Copies the whole bitmap onto the page of the global printer with its top-left corner at (X, Y),
/// one printer dot per pixel. Raises EPrinter when no printer is installed or no document is being
/// printed. A null or empty bitmap prints nothing.
void PrintBitmap(TBitmap* Bitmap, int X, int Y);

/// Settings of a cross-hair (position in the owner's data units, colour, which lines are shown,
/// line style and width, drawing layer) with change notification; drawing it is the owner's job.
/// Everything starts at zero (chOff, psSolid, width 0, layer 0). Every setter stores without
/// comparing and fires OnChange; the layer is limited to 1 ... 2.
class TCrossHair : public TPersistent {
public:
    double GetPosX() const { return FPosX; }
    void SetCrossHPosX(double Value);
    void SetPosX(double Value) { SetCrossHPosX(Value); }
    double GetPosY() const { return FPosY; }
    void SetCrossHPosY(double Value);
    void SetPosY(double Value) { SetCrossHPosY(Value); }
    TColor GetColor() const { return FColor; }
    void SetCrossHColor(TColor Value);
    void SetColor(TColor Value) { SetCrossHColor(Value); }
    TCrossHMode GetMode() const { return FMode; }
    void SetCrossHMode(TCrossHMode Value);
    void SetMode(TCrossHMode Value) { SetCrossHMode(Value); }
    TPenStyle GetLineType() const { return FLineType; }
    void SetCrossHLineType(TPenStyle Value);
    void SetLineType(TPenStyle Value) { SetCrossHLineType(Value); }
    int GetLineWid() const { return FLineWid; }
    void SetCrossHLineWid(int Value);
    void SetLineWid(int Value) { SetCrossHLineWid(Value); }
    /// 0 until assigned; a value of 0 or less is stored as 1, above 2 as 2.
    int GetLayer() const { return FLayer; }
    void SetCrossHLayer(int Value);
    void SetLayer(int Value) { SetCrossHLayer(Value); }

    TNotifyEvent OnChange;

protected:
    /// Calls OnChange with this object as sender, if assigned.
    void Changed();

private:
    double FPosX = 0;
    double FPosY = 0;
    TColor FColor = 0;
    TCrossHMode FMode = chOff;
    TPenStyle FLineType = psSolid;
    int FLineWid = 0;
    int FLayer = 0;
};

// ================================================================================================
// 8. Text labels
// ================================================================================================

class TFont;
class TStream;
class TextFile;

/// The settings of one free text label that a drawing control places over its picture: position in
/// the owner's coordinates, caption, font, box, border and shadow colours, shadow offset, alignment,
/// layer (1 ... 16), display mode and visibility. It draws nothing itself; it notifies changes and
/// saves and loads its settings as an XML envelope with root "custtextlbl".
/// Every setter stores without comparing and fires OnChange once; SetTxtLblLayer ignores values
/// outside 1 ... 16 completely.
class TCustomTextLabel : public TPersistent {
public:
    /// PosX 100, PosY 10, layer 1, no shadow offset, shadow grey, box silver, border black, centred,
    /// vaBottom, tlamNone, opaque, the default font, empty caption, tlsimple, visible.
    TCustomTextLabel();
    ~TCustomTextLabel() override;
    TCustomTextLabel(const TCustomTextLabel&) = delete;
    TCustomTextLabel& operator=(const TCustomTextLabel&) = delete;

    double GetPosX() const { return FPosX; }
    void SetTxtLblPosX(double Value);
    void SetPosX(double Value) { SetTxtLblPosX(Value); }
    double GetPosY() const { return FPosY; }
    void SetTxtLblPosY(double Value);
    void SetPosY(double Value) { SetTxtLblPosY(Value); }
    int GetLayer() const { return FLayer; }
    void SetTxtLblLayer(int Value);
    void SetLayer(int Value) { SetTxtLblLayer(Value); }
    int GetShadowDx() const { return FShadowDx; }
    void SetTxtLblShadowDx(int Value);
    void SetShadowDx(int Value) { SetTxtLblShadowDx(Value); }
    int GetShadowDy() const { return FShadowDy; }
    void SetTxtLblShadowDy(int Value);
    void SetShadowDy(int Value) { SetTxtLblShadowDy(Value); }
    TColor GetColorShadow() const { return FColorShadow; }
    void SetTxtLblColorShadow(TColor Value);
    void SetColorShadow(TColor Value) { SetTxtLblColorShadow(Value); }
    TAlignment GetAlignment() const { return FAlignment; }
    void SetTxtLblAlignment(TAlignment Value);
    void SetAlignment(TAlignment Value) { SetTxtLblAlignment(Value); }
    TVerticalAlignment GetVertAlignment() const { return FVertAlignment; }
    void SetTxtLblVertAlignment(TVerticalAlignment Value);
    void SetVertAlignment(TVerticalAlignment Value) { SetTxtLblVertAlignment(Value); }
    TTxtLblAttachMode GetAttachMode() const { return FAttachMode; }
    void SetTxtLblScreenPos(TTxtLblAttachMode Value);
    void SetAttachMode(TTxtLblAttachMode Value) { SetTxtLblScreenPos(Value); }
    TColor GetColorBkg() const { return FColorBkg; }
    void SetTxtLblColorBkg(TColor Value);
    void SetColorBkg(TColor Value) { SetTxtLblColorBkg(Value); }
    TColor GetColorBrd() const { return FColorBrd; }
    void SetTxtLblColorBrd(TColor Value);
    void SetColorBrd(TColor Value) { SetTxtLblColorBrd(Value); }
    bool GetTransparent() const { return FTransparent; }
    void SetTxtLblTranspar(bool Value);
    void SetTransparent(bool Value) { SetTxtLblTranspar(Value); }
    /// The label's own font (owned by the label).
    TFont* GetFont() const { return FFont.get(); }
    /// Copies the settings of Value into the label's font (the caller keeps Value); nil copies nothing
    /// but still notifies.
    void SetTxtLblFont(const TFont* Value);
    void SetFont(const TFont* Value) { SetTxtLblFont(Value); }
    const std::string& GetCaption() const { return FCaption; }
    void SetTxtLblCaption(const std::string& Value);
    void SetCaption(const std::string& Value) { SetTxtLblCaption(Value); }
    TTxtLblMode GetMode() const { return FMode; }
    void SetTxtLblMode(TTxtLblMode Value);
    void SetMode(TTxtLblMode Value) { SetTxtLblMode(Value); }
    bool GetVisible() const { return FVisible; }
    void SetTxtLblVisible(bool Value);
    void SetVisible(bool Value) { SetTxtLblVisible(Value); }

    /// Copies every setting (the font's included) from another text label and notifies once.
    void Assign(const TPersistent* Source) override;

    /// Writes the label as one envelope at the current position of F (header line only when
    /// CreateHeader); every line but the empty one starts with Indent blanks (limited to 1 ... 255).
    /// Positions are written in exponential notation with 17 significant digits, colours as six
    /// hexadecimal digits of their RGB value (system colours resolved). Text-file errors raise
    /// EInOutError.
    void WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const std::string& DataID, int Indent) const;
    /// Finds the label's envelope for DataID (compared without regard to case) forward from the current
    /// position of F and reads its settings: true when the end tag was reached. False without any
    /// change when no envelope is found; false with the settings read so far when the file ends first.
    /// Notifies once whenever the envelope was found. Missing or malformed numbers read as 0, unknown
    /// enumeration names and layers outside 1 ... 16 leave the setting as it was, unknown elements are
    /// skipped.
    bool ReadFromOpenXMLFile(TextFile& F, const std::string& DataID);
    /// The same two operations on a stream (written and read from its current position). A null
    /// stream raises EInvalidArgument when writing and reads as not found.
    void WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID, int Indent) const;
    bool ReadFromXMLStream(TStream* Stream, const std::string& DataID);
    /// Creates or overwrites FileName with the label (header included, indentation 1); I/O failures
    /// raise EInOutError.
    void SaveAsXMLFile(const std::string& FileName, const std::string& DataID) const;
    /// Reads the label from FileName; false, without raising, when the file cannot be opened.
    bool LoadFromXMLFile(const std::string& FileName, const std::string& DataID);

    TNotifyEvent OnChange;

protected:
    /// Calls OnChange with this label as sender, if assigned.
    void Changed();

private:
    std::vector<std::string> XMLElementLines() const;
    template <class Scanner> bool ReadXMLElements(Scanner&& Scan);
    void ReadFontElement(const std::string& Attributes);

    double FPosX = 100.0;
    double FPosY = 10.0;
    int FLayer = 1;
    int FShadowDx = 0;
    int FShadowDy = 0;
    TColor FColorShadow = 0x808080;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVertAlignment = vaBottom;
    TTxtLblAttachMode FAttachMode = tlamNone;
    TColor FColorBkg = 0xC0C0C0;
    TColor FColorBrd = 0x000000;
    bool FTransparent = false;
    std::unique_ptr<TFont> FFont;
    std::string FCaption;
    TTxtLblMode FMode = tlsimple;
    bool FVisible = true;
};

// ================================================================================================
// HTML entities
// ================================================================================================

/// The HTML 4 character entity reference of each Latin-1 character 160 ... 255, ampersand and
/// semicolon included: HTMLLat1Entities[160] is "&nbsp;", HTMLLat1Entities[255] is "&yuml;".
extern const TFixedArray<const char*, 160, 255> HTMLLat1Entities;

} // namespace qyx
