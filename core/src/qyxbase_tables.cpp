// The XML name tables: the text an XML file holds for each value of the shared enumerations, in
// value order. Every name equals the value's identifier, except "bool" for Bool.
#include <qyx/QYX_qyxbase.h>

namespace qyx {

const TXmlNameTable<bfTile> xmlBkgFill = {{"bfSimple", "bfStretch", "bfTile"}};
const TXmlNameTable<bbFaces> xmlBoundingBox = {{"bbNone", "bbFrame", "bbFaces"}};
const TXmlNameTable<csSystem> xmlColorScheme = {{"csBWG", "csSystem"}};
const TXmlNameTable<ftUserText> xmlFigType = {{"ftNoFigs", "ftNum", "ftTime", "ftDateTime", "ftUserText"}};
const TXmlNameTable<sctYR> xmlScaleType = {{"sctXB", "sctXT", "sctYL", "sctYR"}};
const TXmlNameTable<vaBottom> xmlVerticalAlignment = {{"vaTop", "vaCenter", "vaBottom"}};
const TXmlNameTable<ylYYYY> xmlYearLength = {{"ylNone", "ylYY", "ylYYYY"}};
const TXmlNameTable<doYYMMDD> xmlDateOrder = {{"doMMDDYY", "doDDMMYY", "doYYMMDD"}};
const TXmlNameTable<dtAllTicks> xmlDateForTime = {{"dtNone", "dtOnePerChart", "dtOnePerDay", "dtAllTicks"}};
const TXmlNameTable<ssBox> xmlShadowStyle = {{"ssFlying", "ssBox"}};
const TXmlNameTable<fsEngraved> xmlFrameStyle = {
    {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"}};
const TXmlNameTable<tfAMPM> xmlTimeFormat = {{"tfHHMMSS", "tfHHhMM", "tfAMPM"}};
const TXmlNameTable<dirRightward> xmlDirection = {
    {"dirUpward", "dirDownward", "dirLeftward", "dirRightward"}};
const TXmlNameTable<chBoth> xmlCrossHMode = {{"chOff", "chHoriz", "chVert", "chBoth"}};
const TXmlNameTable<tlamBoth> xmlTxtLblAttachMode = {{"tlamNone", "tlamXOnly", "tlamYOnly", "tlamBoth"}};
const TXmlNameTable<tlShadow> xmlTxtLblMode = {{"tlOff", "tlsimple", "tlBox", "tlUnderline", "tlShadow"}};
const TXmlNameTable<lgSpanish> xmlLanguage = {
    {"lgUnknown", "lgEnglish", "lgGerman", "lgFrench", "lgSpanish"}};
const TXmlNameTable<strg> xmlVarKind = {{"rnum", "dnum", "snum", "inum", "lnum", "bool", "strg"}};
const TXmlNameTable<msFinished> xmlMouseBoxState = {
    {"msNormal", "msFirstCorner", "msRectDraw", "msFinished"}};
const TXmlNameTable<maRotZOnly> xmlMouseActMode = {
    {"maNone", "maPan", "maPanHoriz", "maPanVert", "maRubberBand", "maZoom", "maZoomWind", "maZoomWindPos",
     "maZoomDrag", "maDragCrossH", "maDragLabel", "maRotate", "maRotAndZoom", "maRotXOnly", "maRotZOnly"}};
const TXmlNameTable<zsDrawWin> xmlZoomState = {{"zsNormal", "zsDrawWin"}};
const TXmlNameTable<taCenter> xmlAlignment = {{"taLeftJustify", "taRightJustify", "taCenter"}};
const TXmlNameTable<fsStrikeOut> xmlFontStyle = {{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

} // namespace qyx
