// QYX_qyxbase: saving and loading text labels in the XML envelope (root "custtextlbl").
//
// Element lines, in this order, after the root start tag:
//   <posxy x= 1.0000000000000000E+0002 y= 1.0000000000000000E+0001 />
//   <caption>text</caption>
//   <colors brd=$000000 bg=$C0C0C0 shdw=$808080 />
//   <shadowofs dx=0 dy=0 />
//   <layer val=1 />
//   <transparent val=0 />
//   <visible val=1 />
//   <alignment horiz=taCenter vert=vaBottom />
//   <attachmode val=tlamNone />
//   <font name="Arial" size=8 color=$000000 style="fsBold fsItalic" />
//   <style val=tlsimple />
#include <qyx/QYX_qyxbase.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

#include <qyx/QYX_streams.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/Graphics.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

namespace qyx {

namespace {

const std::string kRootTag = "custtextlbl";
const std::string kDescription = "TCustomTextLabel";
const std::string kElementIndent = "  ";

const std::string kTagList[] = {"posxy",   "colors",       "shadowofs",  "layer", "transparent",
                                "visible", "alignment",    "attachmode", "font",  "style",
                                "caption", "/custtextlbl", "dummy"};
enum TLabelTag {
    tgPosXY,
    tgColors,
    tgShadowOfs,
    tgLayer,
    tgTransparent,
    tgVisible,
    tgAlignment,
    tgAttachMode,
    tgFont,
    tgStyle,
    tgCaption,
    tgEnd,
    tgDummy
};

// ---- Values as text --------------------------------------------------------------------------------

// Exponential notation with 17 significant digits, so that every double reads back unchanged.
std::string RealText(double X) {
    return Str(X, 25);
}

// The RGB value of a colour as six upper-case hexadecimal digits. System colours are written as the
// colour they stand for: their index alone would read back as an unrelated dark colour.
std::string ColorText(TColor C) {
    return IntToHex(static_cast<uint32_t>(ColorToRGB(C)) & 0xFFFFFFu, 6);
}

std::string FontStyleText(TFontStyles Styles) {
    std::string s;
    for (int i = fsBold; i <= fsStrikeOut; ++i) {
        if (!Styles.Contains(static_cast<TFontStyle>(i))) continue;
        if (!s.empty()) s += ' ';
        s += xmlFontStyle[i];
    }
    return s;
}

// ---- Values read from attribute texts ----------------------------------------------------------------

double ReadReal(const std::string& Value) {
    int pos = 1;
    return ScanStringFPNum(Value, pos, true, dsBoth);
}

// Leading blanks, an optional sign, decimal digits up to the first other character; values beyond
// the integer range are limited to it.
int ReadInt(const std::string& Value) {
    size_t i = 0;
    while (i < Value.size() && Value[i] == ' ') ++i;
    bool negative = false;
    if (i < Value.size() && (Value[i] == '+' || Value[i] == '-')) negative = Value[i++] == '-';
    int64_t v = 0;
    for (; i < Value.size() && Value[i] >= '0' && Value[i] <= '9'; ++i)
        v = std::min<int64_t>(v * 10 + (Value[i] - '0'), int64_t{1} << 32);
    if (negative) v = -v;
    v = std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return static_cast<int>(v);
}

// Leading blanks, one optional "$", hexadecimal digits up to the first other character; more than
// eight significant digits are limited to $FFFFFFFF.
TColor ReadHex(const std::string& Value) {
    size_t i = 0;
    while (i < Value.size() && Value[i] == ' ') ++i;
    if (i < Value.size() && Value[i] == '$') ++i;
    uint64_t v = 0;
    for (; i < Value.size() && std::isxdigit(static_cast<unsigned char>(Value[i])); ++i) {
        const char c = Value[i];
        const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        v = std::min<uint64_t>(v * 16 + static_cast<uint64_t>(d), 0xFFFFFFFFull);
    }
    return static_cast<TColor>(static_cast<uint32_t>(v));
}

// Looks Name up in an XML name table (exact comparison); false when it is not there.
template <int Last, class E>
bool LookupName(const TXmlNameTable<Last>& Table, const std::string& Name, E& Value) {
    for (int i = 0; i <= Last; ++i) {
        if (Table[i] == Name) {
            Value = static_cast<E>(i);
            return true;
        }
    }
    return false;
}

} // namespace

// ---- Writing ---------------------------------------------------------------------------------------

std::vector<std::string> TCustomTextLabel::XMLElementLines() const {
    const auto attr = [](const std::string& Name, bool Value) { return Name + "=" + (Value ? "1" : "0"); };
    return {
        XMLEmptyElement("posxy", "x=" + RealText(FPosX) + " y=" + RealText(FPosY)),
        XMLTextElement("caption", FCaption),
        XMLEmptyElement("colors", "brd=$" + ColorText(FColorBrd) + " bg=$" + ColorText(FColorBkg) +
                                      " shdw=$" + ColorText(FColorShadow)),
        XMLEmptyElement("shadowofs", "dx=" + IntToStr(FShadowDx) + " dy=" + IntToStr(FShadowDy)),
        XMLEmptyElement("layer", "val=" + IntToStr(FLayer)),
        XMLEmptyElement("transparent", attr("val", FTransparent)),
        XMLEmptyElement("visible", attr("val", FVisible)),
        XMLEmptyElement("alignment", "horiz=" + xmlAlignment[FAlignment] +
                                         " vert=" + xmlVerticalAlignment[FVertAlignment]),
        XMLEmptyElement("attachmode", "val=" + xmlTxtLblAttachMode[FAttachMode]),
        XMLEmptyElement("font", "name=\"" + FFont->GetName() + "\" size=" + IntToStr(FFont->GetSize()) +
                                    " color=$" + ColorText(FFont->GetColor()) + " style=\"" +
                                    FontStyleText(FFont->GetStyle()) + "\""),
        XMLEmptyElement("style", "val=" + xmlTxtLblMode[FMode]),
    };
}

void TCustomTextLabel::WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const std::string& DataID,
                                          int Indent) const {
    const std::string prefix = XMLIndentation(Indent);
    WriteXMLEnvelopeHead(F, CreateHeader, kRootTag, kDescription, DataID, {}, prefix);
    for (const std::string& line : XMLElementLines()) Writeln(F, prefix + kElementIndent + line);
    WriteXMLEnvelopeTail(F, kRootTag, prefix);
}

void TCustomTextLabel::WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID,
                                        int Indent) const {
    if (Stream == nullptr) throw EInvalidArgument(ClassMsg("TCustomTextLabel", "no stream to write to"));
    const std::string prefix = XMLIndentation(Indent);
    WriteXMLEnvelopeHead(Stream, CreateHeader, kRootTag, kDescription, DataID, {}, prefix);
    for (const std::string& line : XMLElementLines()) WriteLnStream(Stream, prefix + kElementIndent + line);
    WriteXMLEnvelopeTail(Stream, kRootTag, prefix);
}

void TCustomTextLabel::SaveAsXMLFile(const std::string& FileName, const std::string& DataID) const {
    SaveXMLFile(FileName, [&](TextFile& F) { WriteToOpenXMLFile(F, true, DataID, 1); });
}

// ---- Reading ---------------------------------------------------------------------------------------

void TCustomTextLabel::ReadFontElement(const std::string& Attributes) {
    const std::string name = ScanForXMLAttrib(Attributes, "name");
    if (!name.empty()) FFont->SetName(name);
    const int size = ReadInt(ScanForXMLAttrib(Attributes, "size"));
    if (size > 0) FFont->SetSize(size);
    FFont->SetColor(ReadHex(ScanForXMLAttrib(Attributes, "color")));
    // The style list: names separated by blanks; unknown names are passed over.
    const std::string list = ScanForXMLAttrib(Attributes, "style");
    TFontStyles styles;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(' ', start);
        if (end == std::string::npos) end = list.size();
        TFontStyle s;
        if (LookupName(xmlFontStyle, list.substr(start, end - start), s)) styles.Include(s);
        start = end + 1;
    }
    FFont->SetStyle(styles);
}

// Reads elements until the end tag (true) or the end of the input (false); Scan(Attributes, Content)
// returns the next element's index in kTagList, or -1 once the input has ended.
template <class Scanner> bool TCustomTextLabel::ReadXMLElements(Scanner&& Scan) {
    std::string attrs, content;
    for (;;) {
        const int tag = Scan(attrs, content);
        if (tag < 0) break;
        switch (tag) {
        case tgPosXY:
            FPosX = ReadReal(ScanForXMLAttrib(attrs, "x"));
            FPosY = ReadReal(ScanForXMLAttrib(attrs, "y"));
            break;
        case tgColors:
            FColorBrd = ReadHex(ScanForXMLAttrib(attrs, "brd"));
            FColorBkg = ReadHex(ScanForXMLAttrib(attrs, "bg"));
            FColorShadow = ReadHex(ScanForXMLAttrib(attrs, "shdw"));
            break;
        case tgShadowOfs:
            FShadowDx = ReadInt(ScanForXMLAttrib(attrs, "dx"));
            FShadowDy = ReadInt(ScanForXMLAttrib(attrs, "dy"));
            break;
        case tgLayer: {
            // The setter's range holds for files too.
            const int layer = ReadInt(ScanForXMLAttrib(attrs, "val"));
            if (layer >= 1 && layer <= 16) FLayer = layer;
            break;
        }
        case tgTransparent: FTransparent = ReadInt(ScanForXMLAttrib(attrs, "val")) == 1; break;
        case tgVisible: FVisible = ReadInt(ScanForXMLAttrib(attrs, "val")) == 1; break;
        case tgAlignment:
            LookupName(xmlAlignment, ScanForXMLAttrib(attrs, "horiz"), FAlignment);
            LookupName(xmlVerticalAlignment, ScanForXMLAttrib(attrs, "vert"), FVertAlignment);
            break;
        case tgAttachMode:
            LookupName(xmlTxtLblAttachMode, ScanForXMLAttrib(attrs, "val"), FAttachMode);
            break;
        case tgStyle: LookupName(xmlTxtLblMode, ScanForXMLAttrib(attrs, "val"), FMode); break;
        case tgFont: ReadFontElement(attrs); break;
        case tgCaption: FCaption = content; break;
        case tgEnd: Changed(); return true;
        default: break; // unknown elements
        }
    }
    Changed();
    return false;
}

bool TCustomTextLabel::ReadFromOpenXMLFile(TextFile& F, const std::string& DataID) {
    if (!FindXMLRoot(F, kRootTag, DataID)) return false;
    return ReadXMLElements([&F](std::string& Attributes, std::string& Content) {
        if (Eof(F)) return -1;
        return ReadNextTagInTextFile(F, kTagList, Attributes, Content);
    });
}

bool TCustomTextLabel::ReadFromXMLStream(TStream* Stream, const std::string& DataID) {
    if (Stream == nullptr || !FindXMLRoot(Stream, kRootTag, DataID)) return false;
    return ReadXMLElements([Stream](std::string& Attributes, std::string& Content) {
        if (Stream->GetPosition() >= Stream->GetSize()) return -1;
        return ReadNextTagInStream(Stream, kTagList, Attributes, Content);
    });
}

bool TCustomTextLabel::LoadFromXMLFile(const std::string& FileName, const std::string& DataID) {
    return LoadXMLFile(FileName, [&](TextFile& F) { return ReadFromOpenXMLFile(F, DataID); });
}

} // namespace qyx
