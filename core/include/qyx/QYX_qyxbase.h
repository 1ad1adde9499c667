// QYX_qyxbase: the vocabulary every library of the system shares.
//
// Sections of this unit:
//   1. Errors and the four message forms
//   2. Shared enumerations and their XML name tables
//   3. Event types, array types and TRectDouble
//   4. Date/time label settings (TDTLabel)
//   5. Language tables
//   6. Global variables
// Further sections of the unit (drawing primitives, text labels) follow at the end of this header.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

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
// HTML entities
// ================================================================================================

/// The HTML 4 character entity reference of each Latin-1 character 160 ... 255, ampersand and
/// semicolon included: HTMLLat1Entities[160] is "&nbsp;", HTMLLat1Entities[255] is "&yuml;".
extern const TFixedArray<const char*, 160, 255> HTMLLat1Entities;

} // namespace qyx
