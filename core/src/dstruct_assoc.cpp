// QYX_dstruct: the associative array TAssocArray, with its entries in the XML envelope:
//
//     <assocarray sig="QYXCSuite" vers="1.0" id="...">
//       <entry key="width" type="Integer" value="640" />
//       <entry key="title" type="String" value="Main %22view%22" />
//       <entry key="unset" type="Null" />
//     </assocarray>
//
// The type is the variant type's name; values are written so that they read back exactly (reals in
// their shortest round-trip form with "."; currency with up to four decimals; Booleans 1 and 0),
// and keys and texts are escaped as dstruct_xmltext.h describes.
#include <qyx/QYX_dstruct.h>

#include "dstruct_xmltext.h"

#include <qyx/QYX_streams.h>
#include <qyx/QYX_stringl.h>
#include <qyx/platform/CodePage.h>
#include <qyx/platform/Streams.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace qyx {

namespace {

const std::string kRoot = "assocarray";
const std::string kDescription = "TAssocArray";
const std::vector<std::string> kTags = {"entry", "/assocarray", "dummy"};

bool SameKey(std::string_view A, std::string_view B, bool IgnoreCase) {
    if (A.size() != B.size()) return false;
    if (!IgnoreCase) return A == B;
    for (size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
        if (a != b) return false;
    }
    return true;
}

// ---- Value texts -----------------------------------------------------------------------------------

template <class T> std::string NumberText(T V) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof(buf), V);
    return std::string(buf, r.ptr);
}

template <class T> bool ParseNumber(const std::string& S, T& V) {
    if (S.empty()) return false;
    const char* first = S.data();
    if (*first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, S.data() + S.size(), V);
    return ec == std::errc() && end == S.data() + S.size();
}

std::string CurrencyText(TCurrency C) {
    const bool neg = C.Scaled < 0;
    const uint64_t m = neg ? 0 - static_cast<uint64_t>(C.Scaled) : static_cast<uint64_t>(C.Scaled);
    std::string s = (neg ? "-" : "") + NumberText(m / 10000);
    if (uint64_t frac = m % 10000) {
        std::string d = NumberText(frac + 10000).substr(1);
        while (d.back() == '0') d.pop_back();
        s += "." + d;
    }
    return s;
}

bool ParseCurrency(const std::string& S, TCurrency& C) {
    const size_t dot = S.find('.');
    const std::string whole = S.substr(0, dot);
    std::string frac = dot == std::string::npos ? "" : S.substr(dot + 1);
    if (frac.size() > 4 || frac.find_first_not_of("0123456789") != std::string::npos) return false;
    frac.resize(4, '0');
    const bool neg = !whole.empty() && whole[0] == '-';
    uint64_t w = 0, f = 0;
    if (!ParseNumber(neg ? whole.substr(1) : whole, w) || !ParseNumber(frac, f)) return false;
    if (w > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) / 10000) return false;
    const uint64_t m = w * 10000 + f;
    if (m > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (neg ? 1 : 0)) return false;
    C.Scaled = neg ? static_cast<int64_t>(0 - m) : static_cast<int64_t>(m);
    return true;
}

/// The text of a value in the stored form (empty for Null and Empty).
std::string ValueText(const TVariant& V) {
    switch (V.VarType()) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varInt64: return NumberText(V.AsInt64());
    case varByte:
    case varWord:
    case varLongWord:
    case varUInt64: return V.AsString();
    case varSingle: return NumberText(static_cast<float>(V.AsDouble()));
    case varDouble: return NumberText(V.AsDouble());
    case varDate: return NumberText(V.AsDate());
    case varCurrency: return CurrencyText(V.AsCurrency());
    case varBoolean: return V.AsBoolean() ? "1" : "0";
    case varString: return dstruct_xml::EscapeText(V.AsString());
    default: return {};
    }
}

template <class T> std::optional<TVariant> IntegerValue(const std::string& S) {
    T v{};
    if (!ParseNumber(S, v)) return std::nullopt;
    return TVariant(v);
}

/// The value of a stored type name and text; nothing when they do not fit together.
std::optional<TVariant> ParseValue(const std::string& Type, const std::string& Text) {
    static const TVarType kTypes[] = {
        varEmpty,  varNull,    varSmallint, varInteger, varSingle, varDouble,   varCurrency, varDate,
        varString, varBoolean, varShortInt, varByte,    varWord,   varLongWord, varInt64,    varUInt64};
    for (const TVarType t : kTypes) {
        if (!SameText(Type, VarTypeName(t))) continue;
        switch (t) {
        case varEmpty: return TVariant();
        case varNull: return TVariant::Null();
        case varSmallint: return IntegerValue<int16_t>(Text);
        case varInteger: return IntegerValue<int>(Text);
        case varShortInt: return IntegerValue<int8_t>(Text);
        case varInt64: return IntegerValue<long long>(Text);
        case varByte: return IntegerValue<uint8_t>(Text);
        case varWord: return IntegerValue<uint16_t>(Text);
        case varLongWord: return IntegerValue<unsigned>(Text);
        case varUInt64: return IntegerValue<unsigned long long>(Text);
        case varSingle: {
            float f = 0;
            if (!ParseNumber(Text, f)) return std::nullopt;
            return TVariant(f);
        }
        case varDouble:
        case varDate: {
            double d = 0;
            if (!ParseNumber(Text, d)) return std::nullopt;
            return t == varDate ? TVariant::FromDate(d) : TVariant(d);
        }
        case varCurrency: {
            TCurrency c;
            if (!ParseCurrency(Text, c)) return std::nullopt;
            return TVariant(c);
        }
        case varBoolean:
            if (Text != "0" && Text != "1") return std::nullopt;
            return TVariant(Text == "1");
        case varString: return TVariant(dstruct_xml::UnescapeText(Text));
        }
    }
    return std::nullopt;
}

} // namespace

// ---- Entries ---------------------------------------------------------------------------------------

TAssocArray::TAssocArray(TComponent* AOwner) : TComponent(AOwner) {
    Clear();
}

int TAssocArray::IndexOf(const std::string& Key) const {
    for (int i = 0; i < FCount; ++i)
        if (SameKey(FKeys[static_cast<size_t>(i)], Key, FIgnoreCase)) return i;
    return -1;
}

void TAssocArray::Add(const std::string& Key, const TVariant& Value) {
    const std::string key = FIgnoreCase ? LowerCase(Key) : Key;
    const int i = IndexOf(key);
    if (i >= 0) {
        FValues[static_cast<size_t>(i)] = Value;
        return;
    }
    if (FKeys.size() < static_cast<size_t>(FCount) + 1) {
        const size_t n = static_cast<size_t>(FCount) + 1 + static_cast<size_t>(std::max(FGranularity, 1));
        FKeys.resize(n);
        FValues.resize(n);
    }
    FKeys[static_cast<size_t>(FCount)] = key;
    FValues[static_cast<size_t>(FCount)] = Value;
    ++FCount;
}

bool TAssocArray::Remove(const std::string& Key) {
    const int i = IndexOf(Key);
    if (i < 0) return false;
    const size_t last = static_cast<size_t>(FCount) - 1;
    if (static_cast<size_t>(i) != last) {
        FKeys[static_cast<size_t>(i)] = std::move(FKeys[last]);
        FValues[static_cast<size_t>(i)] = std::move(FValues[last]);
    }
    FKeys[last].clear();
    FValues[last] = TVariant();
    --FCount;
    return true;
}

TVariant TAssocArray::Resolve(const std::string& Key) const {
    const int i = IndexOf(Key);
    return i >= 0 ? FValues[static_cast<size_t>(i)] : TVariant::Null();
}

std::string TAssocArray::ResolveAsString(const std::string& Key) const {
    return VarToStr(Resolve(Key));
}

double TAssocArray::ResolveAsNumber(const std::string& Key) const {
    const TVariant v = Resolve(Key);
    switch (v.VarType()) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
    case varSingle:
    case varDouble:
    case varCurrency: return v.AsDouble();
    case varString: {
        int pos = 1;
        return ScanStringFPNum(v.AsString(), pos, true, dsBoth);
    }
    default: return 0.0;
    }
}

void TAssocArray::Clear() {
    FCount = 0;
    const size_t n = static_cast<size_t>(std::max(FGranularity, 0));
    FKeys.assign(n, std::string());
    FValues.assign(n, TVariant());
}

std::string TAssocArray::GetKeys(int Index) const {
    return Index >= 1 && Index <= FCount ? FKeys[static_cast<size_t>(Index - 1)] : std::string();
}

void TAssocArray::SetKeys(int Index, const std::string& Key) {
    if (Index >= 1 && Index <= FCount) FKeys[static_cast<size_t>(Index - 1)] = Key;
}

TVariant TAssocArray::GetValues(int Index) const {
    return Index >= 1 && Index <= FCount ? FValues[static_cast<size_t>(Index - 1)] : TVariant(std::string());
}

void TAssocArray::SetValues(int Index, const TVariant& Value) {
    if (Index >= 1 && Index <= FCount) FValues[static_cast<size_t>(Index - 1)] = Value;
}

// ---- XML -------------------------------------------------------------------------------------------

void TAssocArray::WriteToXMLStream(TStream* Stream, bool CreateHeader, const std::string& DataID) {
    WriteXMLEnvelopeHead(Stream, CreateHeader, kRoot, kDescription, DataID);
    for (int i = 0; i < FCount; ++i) {
        const TVariant& v = FValues[static_cast<size_t>(i)];
        std::string attrs = "key=\"" + dstruct_xml::EscapeText(FKeys[static_cast<size_t>(i)]) + "\" type=\"" +
                            VarTypeName(v.VarType()) + "\"";
        if (!v.IsEmpty() && !v.IsNull()) attrs += " value=\"" + ValueText(v) + "\"";
        WriteLnStream(Stream, "  " + XMLEmptyElement("entry", attrs));
    }
    WriteXMLEnvelopeTail(Stream, kRoot);
}

bool TAssocArray::ReadFromXMLStream(TStream* Stream, const std::string& DataID) {
    if (!Stream || !FindXMLRoot(Stream, kRoot, DataID)) return false;
    std::vector<std::pair<std::string, TVariant>> entries;
    std::string attrs, content;
    for (;;) {
        const int tag = ReadNextTagInStream(Stream, kTags, attrs, content);
        if (tag == 1) break;
        if (tag != 0) return false;
        const std::optional<TVariant> v =
            ParseValue(ScanForXMLAttrib(attrs, "type"), ScanForXMLAttrib(attrs, "value"));
        if (!v) return false;
        entries.emplace_back(dstruct_xml::UnescapeText(ScanForXMLAttrib(attrs, "key")), *v);
    }
    Clear();
    for (const auto& [key, value] : entries) Add(key, value);
    return true;
}

void TAssocArray::AddXMLAttributes(const std::string& Attributes) {
    // The attribute walk of ScanForXMLAttrib, taking every attribute instead of one.
    enum TState { stName, stAfterEquals, stQuoted, stPlain };
    const size_t n = Attributes.size();
    size_t pos = 0;
    while (pos < n) {
        std::string name, value;
        TState state = stName;
        bool complete = false;
        for (; pos < n && !complete; ++pos) {
            const char c = Attributes[pos];
            switch (state) {
            case stName:
                if (c == '"') return;
                if (c == '=')
                    state = stAfterEquals;
                else
                    name += c;
                break;
            case stAfterEquals:
                if (c == '=') return;
                if (c == '"')
                    state = stQuoted;
                else if (c != ' ') {
                    state = stPlain;
                    value += c;
                }
                break;
            case stQuoted:
                if (c == '"')
                    complete = true;
                else
                    value += c;
                break;
            case stPlain:
                if (c == '=') return;
                if (c == ' ' || c == '"')
                    complete = true;
                else
                    value += c;
                break;
            }
        }
        name = StripLTBlanks(name);
        if (!name.empty()) Add(name, TVariant(value));
    }
}

} // namespace qyx
