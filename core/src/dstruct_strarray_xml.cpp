// QYX_dstruct: TStringArray in the XML envelope.
//
//     <stringarray sig="QYXCSuite" vers="1.0" id="...">
//       <dimensions cols="3" rows="5" allocrowsby="10" />
//       <colattrib col="2" value="128" />            attributes other than 0
//       <rowattrib row="4" value="1" />              (physical rows)
//       <sortorder>3 1 2 4 5</sortorder>             only when rows are not shown in physical order
//       <cell col="0" row="1" text="Alpha%22" />     non-empty cells, column by column
//     </stringarray>
//
// Cell texts are escaped as dstruct_xmltext.h describes. A reader takes the array only when the
// document is complete and consistent (sizes given, every cell and attribute inside them, the order
// a permutation); otherwise the array stays as it was.
#include <qyx/QYX_dstruct.h>

#include "dstruct_xmltext.h"

#include <qyx/QYX_streams.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/Streams.h>

#include <climits>
#include <functional>
#include <numeric>

namespace qyx {

namespace {

const std::string kRoot = "stringarray";
const std::string kDescription = "TStringArray";
const std::vector<std::string> kTags = {"dimensions", "colattrib",    "rowattrib", "sortorder",
                                        "cell",       "/stringarray", "dummy"};
enum { tgDimensions, tgColAttrib, tgRowAttrib, tgSortOrder, tgCell, tgEnd };

using TLineSink = std::function<void(const std::string&)>;
using TTagSource = std::function<int(std::string& Attributes, std::string& Content)>;

std::string Quoted(const std::string& Name, int Value) {
    return Name + "=\"" + IntToStr(Value) + "\"";
}

/// The blank-separated numbers of a sort order text; false when anything else is found.
bool ParseOrder(const std::string& Text, std::vector<int>& Order) {
    size_t i = 0;
    while (i < Text.size()) {
        const char c = Text[i];
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            ++i;
            continue;
        }
        if (c < '0' || c > '9') return false;
        int64_t v = 0;
        while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9') {
            v = v * 10 + (Text[i++] - '0');
            if (v > INT_MAX) return false;
        }
        Order.push_back(static_cast<int>(v));
    }
    return true;
}

} // namespace

/// What a document holds, gathered before anything of the array is changed.
struct TStringArray::TXmlContent {
    struct TCell {
        int Col;
        int Row;
        std::string Text;
    };
    bool HaveSize = false;
    int Cols = 0;
    int Rows = 0;
    int AllocRowsBy = 10;
    std::vector<std::pair<int, uint8_t>> ColAttribs;
    std::vector<std::pair<int, uint8_t>> RowAttribs;
    std::vector<int> Order;
    std::vector<TCell> Cells;

    /// Reads the elements up to the root end tag; false at the end of the input or at an element
    /// that is unknown or malformed.
    bool Read(const TTagSource& Next) {
        using dstruct_xml::ParseInt;
        std::string attrs, content;
        for (;;) {
            const int tag = Next(attrs, content);
            const auto attr = [&](const char* Name) { return ScanForXMLAttrib(attrs, Name); };
            int a = 0, b = 0;
            switch (tag) {
            case tgDimensions:
                if (!ParseInt(attr("cols"), 1, INT_MAX, Cols) || !ParseInt(attr("rows"), 1, INT_MAX, Rows))
                    return false;
                if (!attr("allocrowsby").empty() && !ParseInt(attr("allocrowsby"), 1, INT_MAX, AllocRowsBy))
                    return false;
                HaveSize = true;
                break;
            case tgColAttrib:
            case tgRowAttrib:
                if (!ParseInt(attr(tag == tgColAttrib ? "col" : "row"), 1, INT_MAX, a) ||
                    !ParseInt(attr("value"), 0, 255, b))
                    return false;
                (tag == tgColAttrib ? ColAttribs : RowAttribs).push_back({a, static_cast<uint8_t>(b)});
                break;
            case tgSortOrder:
                Order.clear();
                if (!ParseOrder(content, Order)) return false;
                break;
            case tgCell:
                if (!ParseInt(attr("col"), 0, INT_MAX, a) || !ParseInt(attr("row"), 1, INT_MAX, b))
                    return false;
                Cells.push_back({a, b, dstruct_xml::UnescapeText(attr("text"))});
                break;
            case tgEnd: return HaveSize;
            default: return false;
            }
        }
    }

    /// Everything lies inside the sizes and the order is a permutation of the rows (or absent).
    bool Consistent() const {
        for (const auto& [col, value] : ColAttribs)
            if (col > Cols) return false;
        for (const auto& [row, value] : RowAttribs)
            if (row > Rows) return false;
        for (const auto& c : Cells)
            if (c.Col > Cols || c.Row > Rows) return false;
        if (Order.empty()) return true;
        if (Order.size() != static_cast<size_t>(Rows)) return false;
        std::vector<bool> seen(static_cast<size_t>(Rows) + 1, false);
        for (int p : Order) {
            if (p < 1 || p > Rows || seen[static_cast<size_t>(p)]) return false;
            seen[static_cast<size_t>(p)] = true;
        }
        return true;
    }
};

// ---- Writing ---------------------------------------------------------------------------------------

namespace {

void WriteElements(const TLineSink& Line, int Cols, int Rows, int AllocRowsBy,
                   const std::function<uint8_t(int)>& ColAttrib, const std::function<uint8_t(int)>& RowAttrib,
                   const std::function<int(int)>& Order,
                   const std::function<std::string_view(int, int)>& Text) {
    Line("  " + XMLEmptyElement("dimensions", Quoted("cols", Cols) + " " + Quoted("rows", Rows) + " " +
                                                  Quoted("allocrowsby", AllocRowsBy)));
    for (int c = 1; c <= Cols; ++c)
        if (const uint8_t v = ColAttrib(c))
            Line("  " + XMLEmptyElement("colattrib", Quoted("col", c) + " " + Quoted("value", v)));
    for (int r = 1; r <= Rows; ++r)
        if (const uint8_t v = RowAttrib(r))
            Line("  " + XMLEmptyElement("rowattrib", Quoted("row", r) + " " + Quoted("value", v)));
    bool identity = true;
    for (int r = 1; r <= Rows && identity; ++r) identity = Order(r) == r;
    if (!identity) {
        std::string order;
        for (int r = 1; r <= Rows; ++r) {
            if (r > 1) order += ' ';
            order += IntToStr(Order(r));
        }
        Line("  " + XMLTextElement("sortorder", order));
    }
    for (int c = 0; c <= Cols; ++c)
        for (int r = 1; r <= Rows; ++r) {
            const std::string_view t = Text(c, r);
            if (t.empty()) continue;
            Line("  " + XMLEmptyElement("cell", Quoted("col", c) + " " + Quoted("row", r) + " text=\"" +
                                                    dstruct_xml::EscapeText(t) + "\""));
        }
}

} // namespace

void TStringArray::WriteToOpenXMLFile(TextFile& F, bool CreateHeader, const std::string& DataID) {
    WriteXMLEnvelopeHead(F, CreateHeader, kRoot, kDescription, DataID);
    WriteElements([&](const std::string& L) { Writeln(F, L); }, FCols, FRows, FAllocRowsBy,
                  [&](int c) { return FColAttr[static_cast<size_t>(c - 1)]; },
                  [&](int r) { return FRowAttr[static_cast<size_t>(r - 1)]; }, [&](int r) { return Phys(r); },
                  [&](int c, int r) { return CellText(c, r); });
    WriteXMLEnvelopeTail(F, kRoot);
}

void TStringArray::WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID) {
    WriteXMLEnvelopeHead(Stream, CreateHeader, kRoot, kDescription, DataID);
    WriteElements([&](const std::string& L) { WriteLnStream(Stream, L); }, FCols, FRows, FAllocRowsBy,
                  [&](int c) { return FColAttr[static_cast<size_t>(c - 1)]; },
                  [&](int r) { return FRowAttr[static_cast<size_t>(r - 1)]; }, [&](int r) { return Phys(r); },
                  [&](int c, int r) { return CellText(c, r); });
    WriteXMLEnvelopeTail(Stream, kRoot);
}

void TStringArray::SaveAsXMLFile(const std::string& FileName, const std::string& DataID) {
    SaveXMLFile(FileName, [&](TextFile& F) { WriteToOpenXMLFile(F, true, DataID); });
}

// ---- Reading ---------------------------------------------------------------------------------------

void TStringArray::SwapContent(TStringArray& Other) {
    std::swap(FCols, Other.FCols);
    std::swap(FRows, Other.FRows);
    std::swap(FAllocRowsBy, Other.FAllocRowsBy);
    std::swap(FCapacity, Other.FCapacity);
    FRefs.swap(Other.FRefs);
    FSortOrder.swap(Other.FSortOrder);
    FRowAttr.swap(Other.FRowAttr);
    FColAttr.swap(Other.FColAttr);
    FPages.swap(Other.FPages);
    FUsage.swap(Other.FUsage);
    FFreeTree.swap(Other.FFreeTree);
}

bool TStringArray::ApplyXml(const TXmlContent& X) {
    if (!X.Consistent()) return false;
    try {
        TStringArray a(nullptr);
        a.FAllocRowsBy = X.AllocRowsBy;
        if (!a.Resize(X.Cols, X.Rows)) return false;
        for (const auto& c : X.Cells) a.Ref(c.Col, c.Row) = a.Store(std::string_view(c.Text).substr(0, 255));
        for (const auto& [col, value] : X.ColAttribs) a.FColAttr[static_cast<size_t>(col - 1)] = value;
        for (const auto& [row, value] : X.RowAttribs) a.FRowAttr[static_cast<size_t>(row - 1)] = value;
        if (!X.Order.empty()) std::copy(X.Order.begin(), X.Order.end(), a.FSortOrder.begin());
        SwapContent(a);
    } catch (const EQYXDStructError&) {
        return false; // the texts do not fit the pages
    } catch (const std::bad_alloc&) {
        return false;
    }
    ++FGeneration;
    Changed();
    return true;
}

bool TStringArray::ReadFromOpenXMLFile(TextFile& F, const std::string& DataID) {
    if (!FindXMLRoot(F, kRoot, DataID)) return false;
    TXmlContent x;
    if (!x.Read([&](std::string& A, std::string& C) { return ReadNextTagInTextFile(F, kTags, A, C); }))
        return false;
    return ApplyXml(x);
}

bool TStringArray::ReadFromXMLStream(TStream* Stream, const std::string& DataID) {
    if (!Stream || !FindXMLRoot(Stream, kRoot, DataID)) return false;
    TXmlContent x;
    if (!x.Read([&](std::string& A, std::string& C) { return ReadNextTagInStream(Stream, kTags, A, C); }))
        return false;
    return ApplyXml(x);
}

bool TStringArray::LoadFromXMLFile(const std::string& FileName, const std::string& DataID) {
    return LoadXMLFile(FileName, [&](TextFile& F) { return ReadFromOpenXMLFile(F, DataID); });
}

} // namespace qyx
